// The desktop port on the simulated desktop: searches, walks, texts, states and the lock.
#include "desktop_fixture.h"

namespace k72645::sim::testing {
namespace {

TEST_F(DesktopTest, FindWindowMatchesClassWithoutCaseTitleExactlyTopmostFirst) {
    const WindowHandle older = open(u"OPUSAPP", u"Lettre.doc - Microsoft Word");
    const WindowHandle hidden = open(u"OpusApp", u"Microsoft Word", 0, false);
    open(u"OPUSAPP", u"Microsoft Word", older);  // a child is not a top-level window
    EXPECT_EQ(desktop.findWindow(u"opusapp", kAnyTitle), hidden);
    EXPECT_EQ(desktop.findWindow(u"OPUSAPP", u"microsoft word"), 0);
    EXPECT_EQ(desktop.findWindow(u"OPUSAPP", u""), 0);  // an empty title is a title
    EXPECT_EQ(desktop.findWindow(kAnyClass, u"Lettre.doc - Microsoft Word"), older);
    desktop.bringToForeground(older);
    desktop.setTitle(older, u"Microsoft Word");
    EXPECT_EQ(desktop.findWindow(u"OPUSAPP", u"Microsoft Word"), older);

    const WindowHandle a = open(u"Button", u"OK", older);
    open(u"Button", u"inner", a);  // grandchildren are not searched
    const WindowHandle b = open(u"button", u"Cancel", older);
    EXPECT_EQ(desktop.findChildWindow(older, 0), a);
    EXPECT_EQ(desktop.findChildWindow(older, a), b);
    EXPECT_EQ(desktop.findChildWindow(older, b), 0);
    EXPECT_EQ(desktop.findChildWindow(older, hidden), 0);  // not one of its children
    EXPECT_EQ(desktop.findChildWindow(0, older), hidden);
    EXPECT_EQ(desktop.findChildWindow(kMissing, 0), 0);
}

TEST_F(DesktopTest, RelatedWindowsWalkTheZOrderAndChildrenUpToZero) {
    const WindowHandle below = open(u"Notepad", u"n");
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    EXPECT_EQ(desktop.relatedWindow(word, WindowRelation::Previous), options);
    EXPECT_EQ(desktop.relatedWindow(options, WindowRelation::Previous), message);
    EXPECT_EQ(desktop.relatedWindow(message, WindowRelation::Previous), 0);
    EXPECT_EQ(desktop.relatedWindow(word, WindowRelation::Next), below);
    EXPECT_EQ(desktop.relatedWindow(below, WindowRelation::Next), 0);
    EXPECT_EQ(desktop.parentWindow(message), options);
    EXPECT_EQ(desktop.parentWindow(word), 0);

    const WindowHandle a = open(u"A", u"", word);
    const WindowHandle b = open(u"B", u"", word);
    EXPECT_EQ(desktop.relatedWindow(word, WindowRelation::FirstChild), a);
    EXPECT_EQ(desktop.relatedWindow(a, WindowRelation::Next), b);
    EXPECT_EQ(desktop.relatedWindow(a, WindowRelation::Previous), 0);
    EXPECT_EQ(desktop.parentWindow(b), word);
    EXPECT_EQ(desktop.relatedWindow(kMissing, WindowRelation::Previous), 0);
}

TEST_F(DesktopTest, WindowTextIsCutToTheLengthAskedAndEmptyForNoWindow) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    EXPECT_EQ(desktop.windowText(word, 254), u"Microsoft Word");
    EXPECT_EQ(desktop.windowText(word, 3), u"Mic");
    EXPECT_EQ(desktop.windowText(word, 0), u"");
    EXPECT_EQ(desktop.windowText(kMissing, 254), u"");
    EXPECT_EQ(desktop.className(word), u"OPUSAPP");
    EXPECT_EQ(desktop.className(kMissing), u"");
}

TEST_F(DesktopTest, VisibilityNeedsEveryParentButNotTheOwner) {
    const WindowHandle balloon = open(u"MSOBALLOON", u"");
    const WindowHandle innermost = open(u"Inner", u"", open(u"Inner", u"", balloon));
    const WindowHandle box = dialog(balloon, u"Owned");
    EXPECT_TRUE(desktop.isVisible(innermost));
    desktop.setVisible(balloon, false);
    EXPECT_FALSE(desktop.isVisible(innermost));
    EXPECT_TRUE(desktop.isVisible(box));
    EXPECT_FALSE(desktop.isVisible(kMissing));
    EXPECT_TRUE(desktop.hasModalFrame(box));
    EXPECT_FALSE(desktop.hasModalFrame(balloon));
    EXPECT_EQ(desktop.windowCount(u"msoballoon"), 1);
}

TEST_F(DesktopTest, ShowingTellsTheApplicationOfChanges) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word", 0, false);
    std::vector<std::pair<bool, bool>> calls;
    desktop.onShowChanged(word,
                          [&](bool visible, bool iconic) { calls.emplace_back(visible, iconic); });
    desktop.show(word, ShowCommand::Minimized);
    EXPECT_TRUE(desktop.isVisible(word) && desktop.isMinimized(word));
    desktop.show(word, ShowCommand::Maximized);
    desktop.show(word, ShowCommand::Normal);  // no change, no call
    desktop.show(word, ShowCommand::Hide);
    EXPECT_FALSE(desktop.isVisible(word));
    desktop.show(word, ShowCommand::Minimized);
    desktop.show(word, ShowCommand::Restore);
    EXPECT_FALSE(desktop.isMinimized(word));
    desktop.setMinimized(word, true);  // the application's own changes run no hook
    EXPECT_EQ(calls,
              (std::vector<std::pair<bool, bool>>{
                  {true, true}, {true, false}, {false, false}, {true, true}, {true, false}}));

    // A hook may drop itself and destroy its window, and still use what it holds.
    desktop.onShowChanged(word, [&](bool visible, bool iconic) {
        desktop.onShowChanged(word, nullptr);
        desktop.destroyWindow(word);
        calls.emplace_back(visible, iconic);
    });
    desktop.show(word, ShowCommand::Hide);
    EXPECT_FALSE(desktop.windowExists(word));
    EXPECT_EQ(calls.back(), std::make_pair(false, true));
    desktop.show(word, ShowCommand::Normal);  // gone: nothing to show
}

TEST_F(DesktopTest, DrawingLockHoldsOneWindowUntilUnlockedOrDestroyed) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle other = open(u"Notepad", u"n");
    desktop.lockDrawing(kMissing);
    EXPECT_EQ(desktop.lockedWindow(), 0);
    desktop.lockDrawing(word);
    desktop.lockDrawing(other);
    EXPECT_EQ(desktop.lockedWindow(), word);
    desktop.unlockDrawing();
    desktop.lockDrawing(other);
    EXPECT_EQ(desktop.lockedWindow(), other);
    desktop.destroyWindow(other);
    EXPECT_EQ(desktop.lockedWindow(), 0);
}

}  // namespace
}  // namespace k72645::sim::testing
