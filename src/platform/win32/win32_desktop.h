// The desktop port over user32's ANSI window functions (texts converted from and to the ANSI
// code page), with Escape sent to the foreground window through SendInput.
#pragma once

#include "platform/desktop.h"

namespace k72645::win32 {

class Win32Desktop : public Desktop {
public:
    WindowHandle findWindow(const WindowText& className, const WindowText& title) override;
    WindowHandle findChildWindow(WindowHandle parent, WindowHandle childAfter) override;
    bool windowExists(WindowHandle window) override;
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
    // Returns once the foreground window's process is idle again (at most a few seconds).
    void sendEscape() override;
};

}  // namespace k72645::win32
