// The simulated desktop seen through the component's desktop port: the user32 functions it
// calls, answered from the window store as user32 would answer them.
#include <algorithm>

#include "automation/text.h"
#include "sim/desktop/sim_desktop.h"

namespace k72645::sim {

namespace {
constexpr std::int32_t kHwndFirst = 0;  // GW_HWNDFIRST
constexpr std::int32_t kHwndLast = 1;   // GW_HWNDLAST
constexpr std::int32_t kShowNoActivate = 4;
constexpr std::int32_t kShow = 5;
constexpr std::int32_t kMinimize = 6;
constexpr std::int32_t kShowMinNoActive = 7;
constexpr std::int32_t kShowNa = 8;
constexpr std::int32_t kShowDefault = 10;
constexpr std::int32_t kForceMinimize = 11;

bool matches(const WindowTraits& traits, const std::u16string& className,
             const std::u16string& title) {
    return (className.empty() || equalsIgnoreCase(traits.className, className)) &&
           (title.empty() || traits.title == title);
}

std::int32_t copyText(const std::u16string& source, std::u16string& text, std::int32_t bufferSize) {
    if (bufferSize <= 0) {
        return 0;  // no room even for the terminating null: nothing is written
    }
    const auto count =
        std::min<std::size_t>(source.size(), static_cast<std::size_t>(bufferSize) - 1);
    text = source.substr(0, count);
    return static_cast<std::int32_t>(count);
}
}  // namespace

WindowHandle SimDesktop::FindWindowA(const std::u16string& className, const std::u16string& title) {
    return FindWindowExA(0, 0, className, title);
}

WindowHandle SimDesktop::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                       const std::u16string& className,
                                       const std::u16string& title) {
    const std::vector<WindowHandle>* list = &zOrder_;
    if (parent != 0) {
        const Window* p = find(parent);
        if (p == nullptr) {
            return 0;
        }
        list = &p->children;
    }
    auto it = list->begin();
    if (childAfter != 0) {
        it = std::find(list->begin(), list->end(), childAfter);
        if (it == list->end()) {
            return 0;  // not one of the windows searched
        }
        ++it;
    }
    for (; it != list->end(); ++it) {
        if (matches(find(*it)->traits, className, title)) {
            return *it;
        }
    }
    return 0;
}

std::int32_t SimDesktop::GetClassNameA(WindowHandle window, std::u16string& text,
                                       std::int32_t bufferSize) {
    const Window* w = find(window);
    return w == nullptr ? 0 : copyText(w->traits.className, text, bufferSize);
}

std::int32_t SimDesktop::GetWindowTextA(WindowHandle window, std::u16string& text,
                                        std::int32_t bufferSize) {
    const Window* w = find(window);
    return w == nullptr ? 0 : copyText(w->traits.title, text, bufferSize);
}

WindowHandle SimDesktop::GetWindow(WindowHandle window, std::int32_t command) {
    const Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    if (command == win32::GW_CHILD) {
        return w->children.empty() ? 0 : w->children.front();
    }
    if (command == win32::GW_OWNER) {
        return w->traits.owner;
    }
    const std::vector<WindowHandle>* siblings = siblingsOf(window);
    if (siblings == nullptr) {
        return 0;
    }
    const auto at = std::find(siblings->begin(), siblings->end(), window);
    switch (command) {
        case kHwndFirst:
            return siblings->front();
        case kHwndLast:
            return siblings->back();
        case win32::GW_HWNDPREV:
            return at == siblings->begin() ? 0 : *(at - 1);
        case win32::GW_HWNDNEXT:
            return at + 1 == siblings->end() ? 0 : *(at + 1);
        default:
            return 0;
    }
}

WindowHandle SimDesktop::GetParent(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    return w->traits.parent != 0 ? w->traits.parent : w->traits.owner;
}

std::int32_t SimDesktop::GetWindowLongA(WindowHandle window, std::int32_t index) {
    const Window* w = find(window);
    return w != nullptr && index == win32::GWL_EXSTYLE ? w->traits.exStyle : 0;
}

std::int32_t SimDesktop::IsWindowVisible(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    for (; w != nullptr; w = find(w->traits.parent)) {
        if (!w->traits.visible) {
            return 0;
        }
    }
    return 1;
}

std::int32_t SimDesktop::IsIconic(WindowHandle window) {
    const Window* w = find(window);
    return w != nullptr && w->minimized ? 1 : 0;
}

std::int32_t SimDesktop::ShowWindow(WindowHandle window, std::int32_t command) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    const bool wasVisible = w->traits.visible;
    const bool wasMinimized = w->minimized;
    bool visible = true;
    bool minimized = wasMinimized;
    switch (command) {
        case win32::SW_HIDE:
            visible = false;
            break;
        case win32::SW_SHOWNORMAL:
        case win32::SW_SHOWMAXIMIZED:
        case kShowNoActivate:
        case win32::SW_RESTORE:
        case kShowDefault:
            minimized = false;
            break;
        case win32::SW_SHOWMINIMIZED:
        case kMinimize:
        case kShowMinNoActive:
        case kForceMinimize:
            minimized = true;
            break;
        case kShow:
        case kShowNa:
            break;
        default:
            return wasVisible ? 1 : 0;  // not a show command: nothing changes
    }
    w->traits.visible = visible;
    w->minimized = minimized;
    if ((visible != wasVisible || minimized != wasMinimized) && w->showHook) {
        // A copy: the hook may replace itself or destroy the window.
        auto hook = w->showHook;
        hook(visible, minimized);
    }
    return wasVisible ? 1 : 0;
}

std::int32_t SimDesktop::SetForegroundWindow(WindowHandle window) {
    const WindowHandle top = topLevelOf(window);
    if (top == 0) {
        return 0;
    }
    const std::vector<WindowHandle> group = raise(top);
    foreground_ = top;
    for (auto it = group.rbegin(); it != group.rend(); ++it) {
        if (IsWindowVisible(*it) != 0) {
            foreground_ = *it;
            break;
        }
    }
    return 1;
}

std::int32_t SimDesktop::LockWindowUpdate(WindowHandle window) {
    if (window == 0) {
        locked_ = 0;
        return 1;
    }
    if (locked_ != 0 || find(window) == nullptr) {
        return 0;
    }
    locked_ = window;
    return 1;
}

std::int32_t SimDesktop::SendMessageA(WindowHandle window, std::int32_t message, std::int32_t,
                                      std::int32_t) {
    if (find(window) == nullptr) {
        return 0;
    }
    messages_.emplace_back(window, message);
    if (message == win32::WM_CLOSE) {
        close(window);
    }
    return 0;
}

void SimDesktop::sendEscape() {
    const Window* w = find(foreground_);
    if (w != nullptr && (w->traits.exStyle & win32::WS_EX_DLGMODALFRAME) != 0) {
        close(foreground_);
    }
}

}  // namespace k72645::sim
