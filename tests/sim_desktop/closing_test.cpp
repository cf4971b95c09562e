// Closing windows on the simulated desktop: close requests, Escape, destruction and closing hooks.
#include "desktop_fixture.h"

namespace k72645::sim::testing {
namespace {

// Closes a window after its children, depth first, taking the first child again each time.
void closeAfterChildren(SimDesktop& desktop, WindowHandle window) {
    for (WindowHandle c; (c = desktop.findChildWindow(window, 0)) != 0;) {
        closeAfterChildren(desktop, c);
    }
    desktop.closeWindow(window);
}

TEST_F(DesktopTest, ClosingNestedChildrenReachesTheInnermostFirst) {
    const WindowHandle balloon = open(u"MSOBALLOON", u"");
    const WindowHandle a = open(u"A", u"", balloon);
    const WindowHandle a1 = open(u"A1", u"", a);
    const WindowHandle b = open(u"B", u"", balloon);
    int closed = 0;
    desktop.onClosed(balloon, [&] { ++closed; });
    closeAfterChildren(desktop, balloon);
    EXPECT_EQ(desktop.closeRequests(), (Handles{a1, a, b, balloon}));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(desktop.windowCount(u""), 0);
    desktop.closeWindow(balloon);  // gone: reaches nobody
    EXPECT_EQ(desktop.closeRequests().size(), 4u);
}

TEST_F(DesktopTest, ClosingTakesChildrenAndOwnedWindowsWithHooksInnermostFirst) {
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    const WindowHandle pane = open(u"_WwB", u"", word);
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    const WindowHandle notes = open(u"Notepad", u"n");
    Handles order;
    for (WindowHandle w : {word, pane, options, message, notes}) {
        desktop.onClosed(w, [&order, w] { order.push_back(w); });
    }
    desktop.destroyWindow(notes);  // the application's own destruction runs no hook
    desktop.closeWindow(word);
    EXPECT_EQ(order, (Handles{pane, message, options, word}));
    EXPECT_EQ(desktop.closeRequests(), (Handles{word}));
    EXPECT_EQ(desktop.windowCount(u""), 0);
}

TEST_F(DesktopTest, EscapeClosesTheForegroundWindowOnlyWhenItIsADialog) {
    desktop.sendEscape();  // no foreground window at all
    const WindowHandle word = open(u"OPUSAPP", u"Microsoft Word");
    desktop.sendEscape();
    EXPECT_TRUE(desktop.windowExists(word));
    const WindowHandle options = dialog(word, u"Options");
    const WindowHandle message = dialog(options, u"Attention");
    const WindowHandle tool = open(u"Tool", u"Palette");
    desktop.sendEscape();  // the tool window is in front: the dialogs stay
    EXPECT_TRUE(desktop.windowExists(message));

    desktop.bringToForeground(word);
    desktop.sendEscape();
    EXPECT_FALSE(desktop.windowExists(message));
    EXPECT_EQ(desktop.foregroundWindow(), options);
    desktop.sendEscape();
    EXPECT_FALSE(desktop.windowExists(options));
    EXPECT_EQ(desktop.foregroundWindow(), word);
    desktop.sendEscape();
    EXPECT_TRUE(desktop.windowExists(word) && desktop.windowExists(tool));
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

}  // namespace
}  // namespace k72645::sim::testing
