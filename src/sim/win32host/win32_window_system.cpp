#include "sim/win32host/win32_window_system.h"

#include <algorithm>
#include <string>

namespace k72645::sim::win32host {

namespace {
HWND hwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}
WindowHandle handleOf(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}
const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
HINSTANCE instance() {
    return ::GetModuleHandleW(nullptr);
}

// Sent to a window that was activated while it owns an open dialog: the dialog takes the
// activation, as the enabled window of a modal group does.
constexpr UINT kActivateDialog = WM_APP + 0x41;

// While changes are the simulator's own, the show hooks stay silent.
struct Quiet {
    explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
    ~Quiet() { --counter_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;
    int& counter_;
};
}  // namespace

Win32WindowSystem::Win32WindowSystem() = default;

Win32WindowSystem::~Win32WindowSystem() {
    destroyAll();
}

void Win32WindowSystem::destroyAll() {
    while (!windows_.empty()) {
        WindowHandle root = windows_.begin()->first;
        while (true) {
            const Window& w = windows_.at(root);
            const WindowHandle up = w.parent ? w.parent : w.owner;
            if (!up || !windows_.count(up))
                break;
            root = up;
        }
        destroy(root);
    }
}

void Win32WindowSystem::registerClass(const std::u16string& className) {
    if (std::find(classes_.begin(), classes_.end(), className) != classes_.end())
        return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32WindowSystem::procedure;
    windowClass.hInstance = instance();
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = wide(className);
    // Another window system of the process may have registered it already: same procedure.
    ::RegisterClassExW(&windowClass);
    classes_.push_back(className);
}

WindowHandle Win32WindowSystem::createWindow(const WindowTraits& traits) {
    if ((traits.parent && !windowExists(traits.parent)) ||
        (traits.owner && !windowExists(traits.owner)))
        return 0;
    registerClass(traits.className);
    Quiet quiet(quiet_);
    DWORD style = WS_OVERLAPPEDWINDOW;
    HWND above = nullptr;
    if (traits.parent) {
        style = WS_CHILD;
        above = hwnd(traits.parent);
    } else if (traits.owner) {
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        above = hwnd(traits.owner);
    }
    HWND created = ::CreateWindowExW(static_cast<DWORD>(traits.exStyle), wide(traits.className),
                                     wide(traits.title), style, 0, 0, 400, 300, above, nullptr,
                                     instance(), this);
    if (!created)
        return 0;
    const WindowHandle window = handleOf(created);
    Window& w = windows_[window];
    w.parent = traits.parent;
    w.owner = traits.parent ? 0 : traits.owner;
    w.dialog = (traits.exStyle & WS_EX_DLGMODALFRAME) != 0;
    w.sequence = ++created_;
    if (traits.visible) {
        ::ShowWindow(created, traits.parent ? SW_SHOWNA : SW_SHOW);
        w.visible = true;
    }
    if (!traits.parent) {
        ::SetWindowPos(created, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (traits.visible)
            ::SetForegroundWindow(created);
    }
    return window;
}

void Win32WindowSystem::collectDoomed(WindowHandle window,
                                      std::vector<WindowHandle>& doomed) const {
    for (const auto& [other, w] : windows_)
        if (w.parent == window || w.owner == window)
            collectDoomed(other, doomed);
    doomed.push_back(window);
}

std::vector<std::function<void()>> Win32WindowSystem::destroy(WindowHandle window) {
    std::vector<WindowHandle> doomed;
    collectDoomed(window, doomed);
    std::vector<std::function<void()>> hooks;
    for (WindowHandle w : doomed) {
        auto found = windows_.find(w);
        if (found->second.closedHook)
            hooks.push_back(std::move(found->second.closedHook));
        windows_.erase(found);
    }
    Quiet quiet(quiet_);
    // Owned windows and children go with it.
    ::DestroyWindow(hwnd(window));
    return hooks;
}

void Win32WindowSystem::destroyWindow(WindowHandle window) {
    if (windows_.count(window))
        destroy(window);
}

void Win32WindowSystem::close(WindowHandle window) {
    if (!windows_.count(window))
        return;
    for (auto& hook : destroy(window))
        hook();
}

bool Win32WindowSystem::windowExists(WindowHandle window) {
    return windows_.count(window) != 0 && ::IsWindow(hwnd(window));
}

void Win32WindowSystem::setTitle(WindowHandle window, const std::u16string& title) {
    if (windows_.count(window))
        ::SetWindowTextW(hwnd(window), wide(title));
}

void Win32WindowSystem::setVisible(WindowHandle window, bool visible) {
    auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    Quiet quiet(quiet_);
    found->second.visible = visible;
    if (!visible) {
        ::ShowWindow(hwnd(window), SW_HIDE);
    } else {
        ::ShowWindow(hwnd(window), found->second.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
    }
}

void Win32WindowSystem::setMinimized(WindowHandle window, bool minimized) {
    auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    Quiet quiet(quiet_);
    found->second.minimized = minimized;
    HWND h = hwnd(window);
    if (::IsWindowVisible(h)) {
        ::ShowWindow(h, minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    } else {
        // A hidden window keeps its minimized state for when it is shown.
        LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
        style = minimized ? (style | WS_MINIMIZE) : (style & ~static_cast<LONG_PTR>(WS_MINIMIZE));
        ::SetWindowLongPtrW(h, GWL_STYLE, style);
    }
}

void Win32WindowSystem::setEnabled(WindowHandle window, bool enabled) {
    if (windows_.count(window))
        ::EnableWindow(hwnd(window), enabled ? TRUE : FALSE);
}

void Win32WindowSystem::activate(WindowHandle window) {
    auto found = windows_.find(window);
    if (found == windows_.end() || found->second.parent != 0)
        return;
    Quiet quiet(quiet_);
    HWND h = hwnd(window);
    // Owned windows stay above their owner: raising the owner raises them with it.
    ::SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (found->second.visible)
        ::SetForegroundWindow(h);
}

void Win32WindowSystem::onClosed(WindowHandle window, std::function<void()> hook) {
    if (auto found = windows_.find(window); found != windows_.end())
        found->second.closedHook = std::move(hook);
}

void Win32WindowSystem::onShowChanged(WindowHandle window,
                                      std::function<void(bool visible, bool minimized)> hook) {
    if (auto found = windows_.find(window); found != windows_.end())
        found->second.showHook = std::move(hook);
}

void Win32WindowSystem::followShowState(WindowHandle window) {
    auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    HWND h = hwnd(window);
    const bool visible = (::GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool minimized = ::IsIconic(h) != 0;
    Window& w = found->second;
    if (visible == w.visible && minimized == w.minimized)
        return;
    w.visible = visible;
    w.minimized = minimized;
    if (quiet_ == 0 && w.showHook) {
        auto hook = w.showHook;  // the hook may close the window
        hook(visible, minimized);
    }
}

LRESULT CALLBACK Win32WindowSystem::procedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32WindowSystem*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    // No exception may cross the system's code that calls a window procedure: a message whose
    // handling ran out of memory is left to the default handling.
    try {
        return self->handle(hwnd, message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT Win32WindowSystem::handle(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowHandle window = handleOf(h);
    // The topmost open dialog of the group a window heads: the last one it owns, recursively.
    const auto topDialogOf = [this](WindowHandle owner) {
        WindowHandle top = 0;
        while (true) {
            WindowHandle next = 0;
            unsigned long latest = 0;
            for (const auto& [other, w] : windows_) {
                if (w.owner == owner && w.dialog && w.visible && w.sequence >= latest) {
                    next = other;
                    latest = w.sequence;
                }
            }
            if (!next)
                return top;
            top = owner = next;
        }
    };
    switch (message) {
        case WM_CLOSE:
            close(window);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_ESCAPE && windows_.count(window)) {
                // A disabled owner never keeps the keyboard: its topmost dialog takes the key.
                const WindowHandle dialog =
                    windows_.at(window).dialog ? window : topDialogOf(window);
                if (dialog)
                    close(dialog);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && topDialogOf(window) != 0) {
                ::PostMessageW(h, kActivateDialog, 0, 0);
                return 0;
            }
            break;
        case kActivateDialog:
            if (const WindowHandle dialog = topDialogOf(window))
                ::SetForegroundWindow(hwnd(dialog));
            return 0;
        case WM_WINDOWPOSCHANGED:
        case WM_SIZE: {
            const LRESULT result = ::DefWindowProcW(h, message, wParam, lParam);
            followShowState(window);
            return result;
        }
        default:
            break;
    }
    return ::DefWindowProcW(h, message, wParam, lParam);
}

}  // namespace k72645::sim::win32host
