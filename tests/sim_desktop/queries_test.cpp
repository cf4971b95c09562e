// The user32 queries of the simulated desktop: searches, walks, texts, states and the lock.
#include "desktop_fixture.h"

namespace k72645::sim::testing {
namespace {

TEST_F(DesktopTest, FindWindowMatchesClassWithoutCaseTitleExactlyTopmostFirst) {
    const WindowHandle older = open(u"OPUSAPP", u"Lettre.doc - Microsoft Word");
    const WindowHandle hidden = open(u"OpusApp", u"Microsoft Word", 0, false);
    open(u"OPUSAPP", u"Microsoft Word", older);  // a child is not a top-level window
    EXPECT_EQ(desktop.FindWindowA(u"opusapp", u""), hidden);
    EXPECT_EQ(desktop.FindWindowA(u"OPUSAPP", u"microsoft word"), 0);
    EXPECT_EQ(desktop.FindWindowA(u"", u"Lettre.doc - Microsoft Word"), older);
    desktop.SetForegroundWindow(older);
    desktop.setTitle(older, u"Microsoft Word");
    EXPECT_EQ(desktop.FindWindowA(u"OPUSAPP", u"Microsoft Word"), older);

    const WindowHandle a = open(u"Button", u"OK", older);
    open(u"Button", u"inner", a);  // grandchildren are not searched
    const WindowHandle b = open(u"button", u"Cancel", older);
    EXPECT_EQ(desktop.FindWindowExA(older, 0, u"button", u""), a);
    EXPECT_EQ(desktop.FindWindowExA(older, a, u"BUTTON", u""), b);
    EXPECT_EQ(desktop.FindWindowExA(older, b, u"", u""), 0);
    EXPECT_EQ(desktop.FindWindowExA(older, 0, u"", u"inner"), 0);
    EXPECT_EQ(desktop.FindWindowExA(older, hidden, u"", u""), 0);  // not one of its children
    EXPECT_EQ(desktop.FindWindowExA(0, older, u"", u""), hidden);
    EXPECT_EQ(desktop.FindWindowExA(kMissing, 0, u"", u""), 0);
}

TEST_F(DesktopTest, GetWindowWalksTheZOrderAndChildrenUpToZero) {
    const WindowHandle below = open(u"Notepad", u"n");
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    EXPECT_EQ(desktop.GetWindow(word, win32::GW_HWNDPREV), options);
    EXPECT_EQ(desktop.GetWindow(options, win32::GW_HWNDPREV), message);
    EXPECT_EQ(desktop.GetWindow(message, win32::GW_HWNDPREV), 0);
    EXPECT_EQ(desktop.GetWindow(word, win32::GW_HWNDNEXT), below);
    EXPECT_EQ(desktop.GetWindow(below, win32::GW_HWNDNEXT), 0);
    EXPECT_EQ(desktop.GetParent(message), options);
    EXPECT_EQ(desktop.GetParent(word), 0);

    const WindowHandle a = open(u"A", u"", word);
    const WindowHandle b = open(u"B", u"", word);
    EXPECT_EQ(desktop.GetWindow(word, win32::GW_CHILD), a);
    EXPECT_EQ(desktop.GetWindow(a, win32::GW_HWNDNEXT), b);
    EXPECT_EQ(desktop.GetWindow(a, win32::GW_HWNDPREV), 0);
    EXPECT_EQ(desktop.GetParent(b), word);
    EXPECT_EQ(desktop.GetWindow(kMissing, win32::GW_HWNDPREV), 0);
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

TEST_F(DesktopTest, VisibilityNeedsEveryParentButNotTheOwner) {
    const WindowHandle balloon = open(u"MSOBALLOON", u"");
    const WindowHandle innermost = open(u"Inner", u"", open(u"Inner", u"", balloon));
    const WindowHandle box = dialog(balloon, u"Owned");
    EXPECT_EQ(desktop.IsWindowVisible(innermost), 1);
    desktop.setVisible(balloon, false);
    EXPECT_EQ(desktop.IsWindowVisible(innermost), 0);
    EXPECT_EQ(desktop.IsWindowVisible(box), 1);
    EXPECT_EQ(desktop.GetWindowLongA(box, win32::GWL_EXSTYLE), win32::WS_EX_DLGMODALFRAME);
    EXPECT_EQ(desktop.GetWindowLongA(balloon, win32::GWL_EXSTYLE), 0);
    EXPECT_EQ(desktop.windowCount(u"msoballoon"), 1);
}

TEST_F(DesktopTest, ShowWindowReturnsFormerVisibilityAndTellsTheApplicationOfChanges) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word", 0, false);
    std::vector<std::pair<bool, bool>> calls;
    desktop.onShowChanged(word,
                          [&](bool visible, bool iconic) { calls.emplace_back(visible, iconic); });
    EXPECT_EQ(desktop.ShowWindow(word, win32::SW_SHOWMINIMIZED), 0);
    EXPECT_EQ(desktop.IsIconic(word), 1);
    EXPECT_EQ(desktop.ShowWindow(word, win32::SW_SHOWMAXIMIZED), 1);
    EXPECT_EQ(desktop.ShowWindow(word, win32::SW_SHOWNORMAL), 1);  // no change, no call
    EXPECT_EQ(desktop.ShowWindow(word, win32::SW_HIDE), 1);
    EXPECT_EQ(desktop.ShowWindow(word, 6), 0);  // SW_MINIMIZE shows it minimized
    EXPECT_EQ(desktop.ShowWindow(word, 5), 1);  // SW_SHOW keeps it minimized
    EXPECT_EQ(desktop.IsIconic(word), 1);
    desktop.setMinimized(word, false);  // the application's own changes run no hook
    EXPECT_EQ(calls, (std::vector<std::pair<bool, bool>>{
                         {true, true}, {true, false}, {false, false}, {true, true}}));

    // A hook may drop itself and destroy its window, and still use what it holds.
    desktop.onShowChanged(word, [&](bool visible, bool iconic) {
        desktop.onShowChanged(word, nullptr);
        desktop.destroyWindow(word);
        calls.emplace_back(visible, iconic);
    });
    EXPECT_EQ(desktop.ShowWindow(word, win32::SW_HIDE), 1);
    EXPECT_FALSE(desktop.windowExists(word));
    EXPECT_EQ(calls.back(), std::make_pair(false, false));
}

TEST_F(DesktopTest, LockWindowUpdateHoldsOneWindowUntilUnlockedOrDestroyed) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle other = open(u"Notepad", u"n");
    EXPECT_EQ(desktop.LockWindowUpdate(kMissing), 0);
    EXPECT_NE(desktop.LockWindowUpdate(word), 0);
    EXPECT_EQ(desktop.LockWindowUpdate(other), 0);
    EXPECT_EQ(desktop.lockedWindow(), word);
    EXPECT_NE(desktop.LockWindowUpdate(0), 0);
    EXPECT_NE(desktop.LockWindowUpdate(other), 0);
    desktop.destroyWindow(other);
    EXPECT_EQ(desktop.lockedWindow(), 0);
    EXPECT_NE(desktop.LockWindowUpdate(word), 0);
}

}  // namespace
}  // namespace k72645::sim::testing
