// The simulated desktop: windows with a handle, class, title, owner, parent, extended style,
// visible, minimized and enabled states, children and a place in the Z-order. It serves the
// component's desktop port and the simulated Word's windows.
#pragma once

#include <map>
#include <vector>

#include "platform/desktop.h"
#include "sim/desktop/window_system.h"

namespace k72645::sim {

class SimDesktop : public Desktop, public WindowSystem {
public:
    SimDesktop();

    // WindowSystem
    WindowHandle createWindow(const WindowSpec& spec) override;
    void destroyWindow(WindowHandle window) override;
    bool windowExists(WindowHandle window) override;
    void setTitle(WindowHandle window, const std::u16string& title) override;
    void setVisible(WindowHandle window, bool visible) override;
    void setMinimized(WindowHandle window, bool minimized) override;
    void setEnabled(WindowHandle window, bool enabled) override;
    void onClosed(WindowHandle window, std::function<void()> hook) override;
    void onShowChanged(WindowHandle window,
                       std::function<void(bool visible, bool minimized)> hook) override;

    // Desktop (user32 semantics). GetWindow with GW_HWNDPREV gives the window just above in
    // the Z-order of top-level windows (0 at the top); GW_HWNDNEXT the one below; GW_CHILD the
    // first child; GW_OWNER the owner. GetParent gives a child's parent or a top-level
    // window's owner. SetForegroundWindow raises the window with the windows it owns above it
    // (in their order) and makes the last of them, or the window itself, the foreground
    // window. SendMessageA with WM_CLOSE closes (destroys) the window and runs its closing
    // hook; other messages do nothing and return 0. sendEscape closes the foreground window
    // when it is a dialog (dialog-frame bit set).
    WindowHandle FindWindowA(const std::u16string& className,
                             const std::u16string& title) override;
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
    void sendEscape() override;

    // For tests and scenarios.
    WindowHandle foregroundWindow() const { return foreground_; }
    WindowHandle lockedWindow() const { return locked_; }
    std::int32_t windowCount(const std::u16string& className) const;
    std::vector<WindowHandle> zOrder() const;  // top-level windows, top first
    // The messages each window received, in order (WM_CLOSE recorded before the window goes).
    const std::vector<std::pair<WindowHandle, std::int32_t>>& messageLog() const {
        return messages_;
    }

private:
    struct Window {
        WindowSpec spec;
        bool minimized = false;
        bool enabled = true;
        std::vector<WindowHandle> children;  // in creation order
        std::function<void()> closedHook;
        std::function<void(bool, bool)> showHook;
    };
    Window* find(WindowHandle window);
    const Window* find(WindowHandle window) const;
    void raise(WindowHandle window);
    void close(WindowHandle window);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> zOrder_;  // top-level windows, top first
    WindowHandle next_ = 0x10010;
    WindowHandle foreground_ = 0;
    WindowHandle locked_ = 0;
    std::vector<std::pair<WindowHandle, std::int32_t>> messages_;
};

}  // namespace k72645::sim
