// The desktop port: finding the windows of the desktop, walking their order and ownership,
// reading their titles and states, showing, raising, locking and closing them, and sending the
// Escape key. Handles are 32-bit; 0 is no window, and every query about a window that does not
// exist answers 0, false or an empty text. Texts are UTF-16 here; the Windows build converts
// them from and to the ANSI code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace k72645 {

using WindowHandle = std::int32_t;

// A class name or title to search for; no value matches any.
using WindowText = std::optional<std::u16string>;
inline constexpr std::nullopt_t kAnyClass = std::nullopt;
inline constexpr std::nullopt_t kAnyTitle = std::nullopt;

enum class WindowRelation {
    Next,        // the window just below in the Z-order (among its siblings for a child)
    Previous,    // the window just above in the Z-order; 0 at the top
    Owner,       // the top-level window that owns it
    FirstChild,  // its topmost child window
};

enum class ShowCommand { Hide, Normal, Minimized, Maximized, Restore };

class Desktop {
public:
    virtual ~Desktop() = default;

    // The topmost top-level window, hidden ones included, whose class (case ignored) and title
    // (exactly) match.
    virtual WindowHandle findWindow(const WindowText& className, const WindowText& title) = 0;
    // The first child of parent (0: the first top-level window) that comes after childAfter
    // (0: from the first) in the Z-order.
    virtual WindowHandle findChildWindow(WindowHandle parent, WindowHandle childAfter) = 0;
    virtual bool windowExists(WindowHandle window) = 0;
    // The window's title, cut to at most maxLength characters.
    virtual std::u16string windowText(WindowHandle window, std::size_t maxLength) = 0;
    virtual WindowHandle relatedWindow(WindowHandle window, WindowRelation relation) = 0;
    // A child window's parent, or a top-level window's owner.
    virtual WindowHandle parentWindow(WindowHandle window) = 0;
    // The identifier of the process that made the window; 0 when there is no such window. The
    // windows of one Word, its frames and its dialog boxes, share one.
    virtual std::uint32_t windowProcess(WindowHandle window) = 0;
    // Whether the window has a dialog box's modal frame (its extended style says so).
    virtual bool hasModalFrame(WindowHandle window) = 0;
    // Visible when the window and every parent it has are visible.
    virtual bool isVisible(WindowHandle window) = 0;
    virtual bool isMinimized(WindowHandle window) = 0;
    virtual void show(WindowHandle window, ShowCommand command) = 0;
    virtual void bringToForeground(WindowHandle window) = 0;
    // Stops the drawing of one window at a time until unlockDrawing; a second lock, or a lock
    // of a window that does not exist, has no effect.
    virtual void lockDrawing(WindowHandle window) = 0;
    virtual void unlockDrawing() = 0;
    // Asks the window to close, as the learner closing it would, and returns once it has
    // handled the request.
    virtual void closeWindow(WindowHandle window) = 0;
    // Sends one press of Escape to the foreground window and waits until it is processed.
    virtual void sendEscape() = 0;
};

}  // namespace k72645
