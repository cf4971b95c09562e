// Z-order, ownership and foreground rules of the simulated desktop.
#include "desktop_fixture.h"

namespace k72645::sim::testing {
namespace {

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

}  // namespace
}  // namespace k72645::sim::testing
