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

    // Desktop. findWindow and findChildWindow match a class and a title without regard to case,
    // as user32 does. relatedWindow's Previous and Next follow the siblings' order for a child
    // window. show runs the window's show hook when its state changed. bringToForeground raises the
    // (top-level) window with the windows it owns above it (in their order, recursively) and
    // makes the topmost visible of them, or the window itself, the foreground window. Destroying
    // the locked window unlocks. closeWindow records the request, then closes the window with its
    // children and owned windows and runs their closing hooks. sendEscape closes the foreground
    // window when it is a dialog (modal frame). When the foreground window goes, its nearest
    // remaining owner, or else the topmost visible top-level window, becomes the foreground
    // window.
    WindowHandle findWindow(const WindowText& className, const WindowText& title) override;
    WindowHandle findChildWindow(WindowHandle parent, WindowHandle childAfter) override;
    std::u16string windowText(WindowHandle window, std::size_t maxLength) override;
    WindowHandle relatedWindow(WindowHandle window, WindowRelation relation) override;
    WindowHandle parentWindow(WindowHandle window) override;
    std::uint32_t windowProcess(WindowHandle window) override;
    bool hasModalFrame(WindowHandle window) override;
    bool isVisible(WindowHandle window) override;
    bool isMinimized(WindowHandle window) override;
    void show(WindowHandle window, ShowCommand command) override;
    void bringToForeground(WindowHandle window) override;
    void lockDrawing(WindowHandle window) override;
    void unlockDrawing() override;
    void closeWindow(WindowHandle window) override;
    void sendEscape() override;

    // For tests and scenarios.
    WindowHandle foregroundWindow() const { return foreground_; }
    WindowHandle lockedWindow() const { return locked_; }
    std::u16string className(WindowHandle window) const;  // "" for no window
    // Windows of that class (case ignored), top-level and child ones; "" counts them all.
    std::int32_t windowCount(const std::u16string& className) const;
    std::vector<WindowHandle> zOrder() const;  // top-level windows, top first
    // The windows closeWindow was asked to close, in order (recorded before the window goes).
    const std::vector<WindowHandle>& closeRequests() const { return closeRequests_; }

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
    // Closes a window as the user would (closeWindow, Escape) and runs the closing hooks.
    void close(WindowHandle window);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> zOrder_;  // top-level windows, top first
    WindowHandle next_ = 0x10010;
    WindowHandle foreground_ = 0;
    WindowHandle locked_ = 0;
    std::vector<WindowHandle> closeRequests_;
};

}  // namespace k72645::sim
