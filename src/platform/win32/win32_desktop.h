// The desktop port over user32: the ANSI window functions under their own names (texts converted
// from and to the ANSI code page), and Escape sent to the foreground window with SendInput.
#pragma once

#include "platform/desktop.h"

namespace k72645::win32 {

class Win32Desktop : public Desktop {
public:
    WindowHandle FindWindowA(const std::u16string& className, const std::u16string& title) override;
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                               const std::u16string& className,
                               const std::u16string& title) override;
    std::int32_t GetClassNameA(WindowHandle window, std::u16string& text,
                               std::int32_t bufferSize) override;
    std::int32_t GetWindowTextA(WindowHandle window, std::u16string& text,
                                std::int32_t bufferSize) override;
    WindowHandle GetWindow(WindowHandle window, std::int32_t command) override;
    WindowHandle GetParent(WindowHandle window) override;
    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override;
    std::int32_t IsWindowVisible(WindowHandle window) override;
    std::int32_t IsIconic(WindowHandle window) override;
    std::int32_t ShowWindow(WindowHandle window, std::int32_t command) override;
    std::int32_t SetForegroundWindow(WindowHandle window) override;
    std::int32_t LockWindowUpdate(WindowHandle window) override;
    std::int32_t SendMessageA(WindowHandle window, std::int32_t message, std::int32_t wParam,
                              std::int32_t lParam) override;
    // Returns once the foreground window's process is idle again (at most a few seconds).
    void sendEscape() override;
};

}  // namespace k72645::win32
