// The simulated desktop seen through the component's desktop port, answered from the window
// store.
#include <algorithm>

#include "automation/text.h"
#include "sim/desktop/sim_desktop.h"

namespace k72645::sim {

namespace {
bool matches(const WindowTraits& traits, const WindowText& className, const WindowText& title) {
    return (!className || equalsIgnoreCase(traits.className, *className)) &&
           (!title || equalsIgnoreCase(traits.title, *title));
}
}  // namespace

WindowHandle SimDesktop::findWindow(const WindowText& className, const WindowText& title) {
    for (WindowHandle window : zOrder_) {
        if (matches(find(window)->traits, className, title)) {
            return window;
        }
    }
    return 0;
}

WindowHandle SimDesktop::findChildWindow(WindowHandle parent, WindowHandle childAfter) {
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
    return it == list->end() ? 0 : *it;
}

std::u16string SimDesktop::windowText(WindowHandle window, std::size_t maxLength) {
    const Window* w = find(window);
    return w == nullptr ? std::u16string() : w->traits.title.substr(0, maxLength);
}

WindowHandle SimDesktop::relatedWindow(WindowHandle window, WindowRelation relation) {
    const Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    if (relation == WindowRelation::FirstChild) {
        return w->children.empty() ? 0 : w->children.front();
    }
    if (relation == WindowRelation::Owner) {
        return w->traits.owner;
    }
    const std::vector<WindowHandle>* siblings = siblingsOf(window);
    if (siblings == nullptr) {
        return 0;
    }
    const auto at = std::find(siblings->begin(), siblings->end(), window);
    if (relation == WindowRelation::Previous) {
        return at == siblings->begin() ? 0 : *(at - 1);
    }
    return at + 1 == siblings->end() ? 0 : *(at + 1);
}

WindowHandle SimDesktop::parentWindow(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    return w->traits.parent != 0 ? w->traits.parent : w->traits.owner;
}

std::u16string SimDesktop::className(WindowHandle window) const {
    const Window* w = find(window);
    return w == nullptr ? std::u16string() : w->traits.className;
}

std::uint32_t SimDesktop::windowProcess(WindowHandle window) {
    const Window* w = find(window);
    return w != nullptr ? w->traits.process : 0;
}

bool SimDesktop::hasModalFrame(WindowHandle window) {
    const Window* w = find(window);
    return w != nullptr && (w->traits.exStyle & kModalFrameStyle) != 0;
}

bool SimDesktop::isVisible(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) {
        return false;
    }
    for (; w != nullptr; w = find(w->traits.parent)) {
        if (!w->traits.visible) {
            return false;
        }
    }
    return true;
}

bool SimDesktop::isMinimized(WindowHandle window) {
    const Window* w = find(window);
    return w != nullptr && w->minimized;
}

void SimDesktop::show(WindowHandle window, ShowCommand command) {
    Window* w = find(window);
    if (w == nullptr) {
        return;
    }
    const bool wasVisible = w->traits.visible;
    const bool wasMinimized = w->minimized;
    w->traits.visible = command != ShowCommand::Hide;
    if (command == ShowCommand::Minimized) {
        w->minimized = true;
    } else if (command != ShowCommand::Hide) {
        w->minimized = false;
    }
    if ((w->traits.visible != wasVisible || w->minimized != wasMinimized) && w->showHook) {
        // A copy: the hook may replace itself or destroy the window.
        auto hook = w->showHook;
        hook(w->traits.visible, w->minimized);
    }
}

void SimDesktop::bringToForeground(WindowHandle window) {
    const WindowHandle top = topLevelOf(window);
    if (top == 0) {
        return;
    }
    const std::vector<WindowHandle> group = raise(top);
    foreground_ = top;
    for (auto it = group.rbegin(); it != group.rend(); ++it) {
        if (isVisible(*it)) {
            foreground_ = *it;
            break;
        }
    }
}

void SimDesktop::lockDrawing(WindowHandle window) {
    if (locked_ == 0 && find(window) != nullptr) {
        locked_ = window;
    }
}

void SimDesktop::unlockDrawing() {
    locked_ = 0;
}

void SimDesktop::closeWindow(WindowHandle window) {
    if (find(window) == nullptr) {
        return;
    }
    closeRequests_.push_back(window);
    close(window);
}

void SimDesktop::sendEscape() {
    if (hasModalFrame(foreground_)) {
        close(foreground_);
    }
}

}  // namespace k72645::sim
