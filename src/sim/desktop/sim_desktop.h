// The simulated desktop: windows with a handle, class, title, owner, parent, extended style,
// visible, minimized and enabled states, children and a place in the Z-order. It serves the
// component's desktop port and the simulated Word's windows.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "sim/desktop/window_system.h"

namespace k72645::sim {

class SimDesktop : public Desktop, public WindowSystem {
public:
    SimDesktop();

    // WindowSystem
    WindowHandle createWindow(const WindowTraits& traits) override;
    void destroyWindow(WindowHandle window) override;
    bool windowExists(WindowHandle window) override;
    void setTitle(WindowHandle window, const std::u16string& title) override;
    void setVisible(WindowHandle window, bool visible) override;
    void setMinimized(WindowHandle window, bool minimized) override;
    void setEnabled(WindowHandle window, bool enabled) override;
    void activate(WindowHandle window) override;
    void onClosed(WindowHandle window, std::function<void()> hook) override;
    void onShowChanged(WindowHandle window,
                       std::function<void(bool visible, bool minimized)> hook) override;

    // Desktop (user32 semantics). Every function returns 0 for a window that does not exist.
    // FindWindowA gives the topmost top-level window that matches (class without regard to
    // case, title exactly, an empty text matching any), hidden ones included; FindWindowExA
    // does the same among a parent's children (parent 0: the top-level windows) after
    // childAfter. GetWindow with GW_HWNDPREV gives the window just above in the Z-order (its
    // siblings' order for a child window; 0 at the top); GW_HWNDNEXT the one below; GW_CHILD
    // the first child; GW_OWNER the owner. GetParent gives a child's parent or a top-level
    // window's owner. IsWindowVisible needs the window and all its parents visible. ShowWindow
    // returns whether the window was visible before and runs its show hook when its state
    // changed. SetForegroundWindow raises the (top-level) window with the windows it owns above
    // it (in their order, recursively) and makes the topmost visible of them, or the window
    // itself, the foreground window. LockWindowUpdate locks one window at a time (0 unlocks; a
    // second lock fails); destroying the locked window unlocks. SendMessageA records the message
    // and returns 0; WM_CLOSE also closes the window with its children and owned windows and
    // runs their closing hooks. sendEscape closes the foreground window when it is a dialog
    // (dialog-frame bit set). When the foreground window goes, its nearest remaining owner, or
    // else the topmost visible top-level window, becomes the foreground window.
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
    void sendEscape() override;

    // For tests and scenarios.
    WindowHandle foregroundWindow() const { return foreground_; }
    WindowHandle lockedWindow() const { return locked_; }
    // Windows of that class (case ignored), top-level and child ones; "" counts them all.
    std::int32_t windowCount(const std::u16string& className) const;
    std::vector<WindowHandle> zOrder() const;  // top-level windows, top first
    // The messages each window received, in order (WM_CLOSE recorded before the window goes).
    const std::vector<std::pair<WindowHandle, std::int32_t>>& messageLog() const {
        return messages_;
    }

private:
    struct Window {
        WindowTraits traits;  // traits.owner: 0 for a child window, else 0 or a top-level window
        bool minimized = false;
        bool enabled = true;
        std::vector<WindowHandle> children;  // in creation order (their Z-order, top first)
        std::function<void()> closedHook;
        std::function<void(bool, bool)> showHook;
    };
    Window* find(WindowHandle window);
    const Window* find(WindowHandle window) const;
    WindowHandle topLevelOf(WindowHandle window) const;
    // The windows a window is ordered among: its parent's children, or the top-level windows.
    const std::vector<WindowHandle>* siblingsOf(WindowHandle window) const;
    // A top-level window followed by the windows it owns, recursively, bottom of the Z-order
    // first.
    void collectOwnedGroup(WindowHandle owner, std::vector<WindowHandle>& group) const;
    // Raises a top-level window with its owned windows; returns that group, bottom first.
    std::vector<WindowHandle> raise(WindowHandle window);
    // Removes a window with its children and owned windows; returns their closing hooks,
    // innermost first. Runs no hook.
    std::vector<std::function<void()>> destroy(WindowHandle window);
    void collectDoomed(WindowHandle window, std::vector<WindowHandle>& doomed) const;
    // Closes a window as the user would (WM_CLOSE, Escape) and runs the closing hooks.
    void close(WindowHandle window);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> zOrder_;  // top-level windows, top first
    WindowHandle next_ = 0x10010;
    WindowHandle foreground_ = 0;
    WindowHandle locked_ = 0;
    std::vector<std::pair<WindowHandle, std::int32_t>> messages_;
};

}  // namespace k72645::sim
