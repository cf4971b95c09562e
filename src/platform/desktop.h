// The desktop port: the user32 window functions the component relies on, under their user32
// names, and sending the Escape key. Handles are 32-bit; 0 is no window. Texts are UTF-16 here;
// the Windows build converts them from and to the ANSI code page.
#pragma once

#include <cstdint>
#include <string>

namespace k72645 {

using WindowHandle = std::int32_t;

namespace win32 {
inline constexpr std::int32_t GW_HWNDNEXT = 2;
inline constexpr std::int32_t GW_HWNDPREV = 3;
inline constexpr std::int32_t GW_OWNER = 4;
inline constexpr std::int32_t GW_CHILD = 5;
inline constexpr std::int32_t GWL_EXSTYLE = -20;
inline constexpr std::int32_t WS_EX_DLGMODALFRAME = 1;
inline constexpr std::int32_t WM_CLOSE = 16;
inline constexpr std::int32_t SW_HIDE = 0;
inline constexpr std::int32_t SW_SHOWNORMAL = 1;
inline constexpr std::int32_t SW_SHOWMINIMIZED = 2;
inline constexpr std::int32_t SW_SHOWMAXIMIZED = 3;
inline constexpr std::int32_t SW_RESTORE = 9;
}  // namespace win32

class Desktop {
public:
    virtual ~Desktop() = default;

    // An empty class or title matches any (user32's NULL).
    virtual WindowHandle FindWindowA(const std::u16string& className,
                                     const std::u16string& title) = 0;
    virtual WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                       const std::u16string& className,
                                       const std::u16string& title) = 0;
    // Copies at most bufferSize - 1 characters into text and returns how many were copied;
    // 0 when the window does not exist (text is then left as it was).
    virtual std::int32_t GetClassNameA(WindowHandle window, std::u16string& text,
                                       std::int32_t bufferSize) = 0;
    virtual std::int32_t GetWindowTextA(WindowHandle window, std::u16string& text,
                                        std::int32_t bufferSize) = 0;
    virtual WindowHandle GetWindow(WindowHandle window, std::int32_t command) = 0;
    virtual WindowHandle GetParent(WindowHandle window) = 0;
    virtual std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) = 0;
    virtual std::int32_t IsWindowVisible(WindowHandle window) = 0;
    virtual std::int32_t IsIconic(WindowHandle window) = 0;
    virtual std::int32_t ShowWindow(WindowHandle window, std::int32_t command) = 0;
    virtual std::int32_t SetForegroundWindow(WindowHandle window) = 0;
    virtual std::int32_t LockWindowUpdate(WindowHandle window) = 0;
    virtual std::int32_t SendMessageA(WindowHandle window, std::int32_t message,
                                      std::int32_t wParam, std::int32_t lParam) = 0;
    // Sends one press of Escape to the foreground window and waits until it is processed.
    virtual void sendEscape() = 0;
};

}  // namespace k72645
