// Closing hooks that open and close other windows while a window closes.
#include "desktop_fixture.h"

namespace k72645::sim::testing {
namespace {

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

}  // namespace
}  // namespace k72645::sim::testing
