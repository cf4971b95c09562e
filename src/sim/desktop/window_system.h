// The windows the simulated Word shows, through a small interface: the simulated desktop
// implements it, and a Windows host can implement it with real user32 windows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/desktop.h"

namespace k72645::sim {

// The extended-style bit of a dialog box's modal frame.
inline constexpr std::int32_t kModalFrameStyle = 1;

struct WindowTraits {
    std::u16string className;
    std::u16string title;
    WindowHandle owner = 0;   // a top-level window's owner (parentWindow returns it), or 0
    WindowHandle parent = 0;  // a child window's parent; 0 for a top-level window
    std::int32_t exStyle = 0;
    bool visible = true;
    std::uint32_t process = 0;  // the process that makes it (a Word's own number); 0: none given
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Creates a window and returns its handle; a new top-level window goes on top of the
    // Z-order, above its owner, and becomes the foreground window when it is visible. Returns 0
    // (nothing created) when the parent or the owner given does not exist. A child window has
    // no owner; an owner that is a child window stands for its top-level window.
    virtual WindowHandle createWindow(const WindowTraits& traits) = 0;
    // Destroys a window with its children and the windows it owns. No closing hook runs.
    // Nothing happens for a window that does not exist.
    virtual void destroyWindow(WindowHandle window) = 0;
    virtual bool windowExists(WindowHandle window) = 0;
    virtual void setTitle(WindowHandle window, const std::u16string& title) = 0;
    virtual void setVisible(WindowHandle window, bool visible) = 0;
    virtual void setMinimized(WindowHandle window, bool minimized) = 0;
    virtual void setEnabled(WindowHandle window, bool enabled) = 0;
    // Brings a top-level window, with the windows it owns above it, to the top of the Z-order;
    // when visible, it (or the topmost of its owned windows) becomes the foreground window.
    virtual void activate(WindowHandle window) = 0;
    // Called when a close request, or Escape on a dialog, closes the window, after it is gone. The
    // children and owned windows closed with it are gone too, and their hooks run first
    // (innermost first). A hook may create or destroy windows.
    virtual void onClosed(WindowHandle window, std::function<void()> hook) = 0;
    // Called when the window's visible or minimized state is changed through the desktop
    // (show), so that the application can follow; not called when nothing changed.
    virtual void onShowChanged(WindowHandle window,
                               std::function<void(bool visible, bool minimized)> hook) = 0;
};

}  // namespace k72645::sim
