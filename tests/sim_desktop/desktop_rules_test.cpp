// The simulated desktop's rules that Word's windows rely on and no scenario reaches: z-order,
// ownership and the foreground; closing hooks that open and close other windows; text queries
// cut to the length asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/desktop/sim_desktop.h"

namespace k72645::sim::testing {
namespace {
using Handles = std::vector<WindowHandle>;
constexpr WindowHandle kMissing = 0x7ffffff0;

class DesktopTest : public ::testing::Test {
protected:
    WindowHandle open(const std::u16string& className, const std::u16string& title,
                      WindowHandle parent = 0, bool visible = true) {
        return desktop.createWindow({className, title, 0, parent, 0, visible});
    }
    WindowHandle dialog(WindowHandle owner, const std::u16string& title) {
        return desktop.createWindow(
            {u"bosa_sdm_Microsoft Office Word 11.0", title, owner, 0, kModalFrameStyle, true});
    }

    SimDesktop desktop;
};

TEST_F(DesktopTest, RaisingAWindowKeepsItsOwnedDialogsAboveItInTheirOrder) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    const WindowHandle other = open(u"Notepad", u"n");
    const WindowHandle find = dialog(word, u"Rechercher");
    EXPECT_EQ(desktop.zOrder(), (Handles{find, other, message, options, word}));

    desktop.setEnabled(word, false);  // disabled while a dialog is open: still raised
    desktop.bringToForeground(word);
    EXPECT_EQ(desktop.zOrder(), (Handles{find, message, options, word, other}));
    EXPECT_EQ(desktop.foregroundWindow(), find);

    desktop.bringToForeground(options);  // its owner stays where it is
    EXPECT_EQ(desktop.zOrder(), (Handles{message, options, find, word, other}));
    EXPECT_EQ(desktop.foregroundWindow(), message);
    desktop.bringToForeground(word);
    EXPECT_EQ(desktop.zOrder(), (Handles{message, options, find, word, other}));

    desktop.setVisible(message, false);  // a hidden owned window takes no foreground
    desktop.bringToForeground(options);
    EXPECT_EQ(desktop.foregroundWindow(), options);
    desktop.bringToForeground(open(u"Edit", u"", other));  // a child: its top
    EXPECT_EQ(desktop.foregroundWindow(), other);
    desktop.bringToForeground(kMissing);
    EXPECT_EQ(desktop.foregroundWindow(), other);
}

TEST_F(DesktopTest, TheForegroundFollowsCreationAndDestruction) {
    const WindowHandle notes = open(u"Notepad", u"n");
    const WindowHandle hidden = open(u"Hidden", u"h", 0, false);
    EXPECT_EQ(desktop.foregroundWindow(), notes);  // a hidden window is not activated
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    EXPECT_EQ(desktop.foregroundWindow(), message);

    desktop.destroyWindow(message);
    EXPECT_EQ(desktop.foregroundWindow(), options);  // its owner
    desktop.destroyWindow(word);                     // owner and dialog: next visible
    EXPECT_FALSE(desktop.windowExists(options));
    EXPECT_EQ(desktop.foregroundWindow(), notes);
    EXPECT_EQ(desktop.zOrder(), (Handles{hidden, notes}));
}

TEST_F(DesktopTest, CreationChecksParentAndOwnerAndNeverReusesHandles) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle pane = open(u"_WwB", u"", word);
    desktop.destroyWindow(word);
    EXPECT_FALSE(desktop.windowExists(pane));
    EXPECT_EQ(dialog(word, u"Options"), 0);
    EXPECT_EQ(open(u"_WwB", u"", word), 0);
    const WindowHandle again = open(u"OPUSAPP", u"Microsoft Word");
    EXPECT_TRUE(again != word && again != pane);
    // Owned by a child window means owned by that child's top-level window.
    const WindowHandle box = dialog(open(u"_WwB", u"", again), u"Options");
    EXPECT_EQ(desktop.relatedWindow(box, WindowRelation::Owner), again);
}

TEST_F(DesktopTest, ClosingHooksMayOpenAndCloseOtherWindows) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle balloon = open(u"MSOBALLOON", u"");
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    WindowHandle prompt = 0;
    WindowHandle late = -1;
    desktop.onClosed(options, [&] {
        prompt = dialog(word, u"Enregistrer ?");
        desktop.closeWindow(balloon);
    });
    // Runs first, when its owner is already gone: nothing can be opened over it.
    desktop.onClosed(message, [&] { late = dialog(options, u"Late"); });

    desktop.closeWindow(options);
    EXPECT_EQ(late, 0);
    EXPECT_TRUE(prompt != 0 && prompt != options && prompt != message);
    EXPECT_EQ(desktop.zOrder(), (Handles{prompt, word}));
    EXPECT_EQ(desktop.foregroundWindow(), prompt);
    EXPECT_EQ(desktop.closeRequests(), (Handles{options, balloon}));

    desktop.onClosed(prompt, [&] { desktop.closeWindow(word); });
    desktop.sendEscape();
    EXPECT_EQ(desktop.windowCount(u""), 0);
    EXPECT_EQ(desktop.foregroundWindow(), 0);
}

TEST_F(DesktopTest, WindowTextIsCutToTheLengthAsked) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    EXPECT_EQ(desktop.windowText(word, 254), u"Microsoft Word");
    EXPECT_EQ(desktop.windowText(word, 3), u"Mic");
    EXPECT_EQ(desktop.windowText(word, 0), u"");
    EXPECT_EQ(desktop.windowText(kMissing, 254), u"");
}

}  // namespace
}  // namespace k72645::sim::testing
