// The simulated Word's windows as real user32 windows: created on the thread that serves the
// hosted Word (whose message loop runs their window procedure), with the class, title, owner,
// parent and extended style the simulator gives. WM_CLOSE closes a window, and Escape closes a
// dialog (a window with the dialog-frame bit) when it has the keyboard; their closing hooks then
// run as the simulator expects. A change of visible or minimized state made from outside
// (ShowWindow by another thread or process) is reported through the show hook.
#pragma once

// The desktop port's constants share their names with <windows.h>'s macros: it comes first.
#include "sim/desktop/window_system.h"

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace k72645::sim::win32host {

class Win32WindowSystem : public WindowSystem {
public:
    Win32WindowSystem();
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

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

    // Destroys every window still open, without running hooks.
    void destroyAll();

private:
    struct Window {
        WindowHandle parent = 0;
        WindowHandle owner = 0;
        bool dialog = false;
        unsigned long sequence = 0;  // creation order
        bool visible = false;
        bool minimized = false;
        std::function<void()> closedHook;
        std::function<void(bool, bool)> showHook;
    };
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void registerClass(const std::u16string& className);
    // The window with its children and owned windows, innermost first.
    void collectDoomed(WindowHandle window, std::vector<WindowHandle>& doomed) const;
    // Destroys the windows and forgets them; returns their closing hooks, innermost first.
    std::vector<std::function<void()>> destroy(WindowHandle window);
    void close(WindowHandle window);
    void followShowState(WindowHandle window);

    std::map<WindowHandle, Window> windows_;
    std::vector<std::u16string> classes_;
    unsigned long created_ = 0;
    int quiet_ = 0;  // while above zero, state changes are the simulator's own
};

}  // namespace k72645::sim::win32host
