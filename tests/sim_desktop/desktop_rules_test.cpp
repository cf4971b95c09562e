// The simulated desktop's rules that Word's windows rely on and no scenario reaches: z-order,
// ownership and the foreground; closing hooks that open and close other windows; text queries
// that never write past the buffer they are given.
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
        return desktop.createWindow({u"bosa_sdm_Microsoft Office Word 11.0", title, owner, 0,
                                     win32::WS_EX_DLGMODALFRAME, true});
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
    ASSERT_EQ(desktop.SetForegroundWindow(word), 1);
    EXPECT_EQ(desktop.zOrder(), (Handles{find, message, options, word, other}));
    EXPECT_EQ(desktop.foregroundWindow(), find);

    ASSERT_EQ(desktop.SetForegroundWindow(options), 1);  // its owner stays where it is
    EXPECT_EQ(desktop.zOrder(), (Handles{message, options, find, word, other}));
    EXPECT_EQ(desktop.foregroundWindow(), message);
    desktop.SetForegroundWindow(word);
    EXPECT_EQ(desktop.zOrder(), (Handles{message, options, find, word, other}));

    desktop.setVisible(message, false);  // a hidden owned window takes no foreground
    desktop.SetForegroundWindow(options);
    EXPECT_EQ(desktop.foregroundWindow(), options);
    EXPECT_EQ(desktop.SetForegroundWindow(open(u"Edit", u"", other)), 1);  // a child: its top
    EXPECT_EQ(desktop.foregroundWindow(), other);
    EXPECT_EQ(desktop.SetForegroundWindow(kMissing), 0);
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
    EXPECT_EQ(desktop.GetWindow(box, win32::GW_OWNER), again);
}

using Log = std::vector<std::pair<WindowHandle, std::int32_t>>;
constexpr std::int32_t kClose = win32::WM_CLOSE;

TEST_F(DesktopTest, ClosingHooksMayOpenAndCloseOtherWindows) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle balloon = open(u"MSOBALLOON", u"");
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    WindowHandle prompt = 0;
    WindowHandle late = -1;
    desktop.onClosed(options, [&] {
        prompt = dialog(word, u"Enregistrer ?");
        desktop.SendMessageA(balloon, kClose, 0, 0);
    });
    // Runs first, when its owner is already gone: nothing can be opened over it.
    desktop.onClosed(message, [&] { late = dialog(options, u"Late"); });

    desktop.SendMessageA(options, kClose, 0, 0);
    EXPECT_EQ(late, 0);
    EXPECT_TRUE(prompt != 0 && prompt != options && prompt != message);
    EXPECT_EQ(desktop.zOrder(), (Handles{prompt, word}));
    EXPECT_EQ(desktop.foregroundWindow(), prompt);
    EXPECT_EQ(desktop.messageLog(), (Log{{options, kClose}, {balloon, kClose}}));

    desktop.onClosed(prompt, [&] { desktop.SendMessageA(word, kClose, 0, 0); });
    desktop.sendEscape();
    EXPECT_EQ(desktop.windowCount(u""), 0);
    EXPECT_EQ(desktop.foregroundWindow(), 0);
}

TEST_F(DesktopTest, TextFunctionsCopyAtMostBufferSizeMinusOne) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    std::u16string text = u"aaaaaaaaaaaaaaaaaaaa";
    EXPECT_EQ(desktop.GetWindowTextA(word, text, 255), 14);
    EXPECT_EQ(text, u"Microsoft Word");
    EXPECT_EQ(desktop.GetWindowTextA(word, text, 4), 3);
    EXPECT_EQ(text, u"Mic");
    EXPECT_EQ(desktop.GetClassNameA(word, text, 1), 0);
    EXPECT_EQ(text, u"");
    text = u"kept";
    EXPECT_EQ(desktop.GetWindowTextA(word, text, 0), 0);
    EXPECT_EQ(desktop.GetWindowTextA(kMissing, text, 255), 0);
    EXPECT_EQ(desktop.GetClassNameA(kMissing, text, 255), 0);
    EXPECT_EQ(text, u"kept");
    EXPECT_EQ(desktop.GetClassNameA(word, text, 256), 7);
}

}  // namespace
}  // namespace k72645::sim::testing
