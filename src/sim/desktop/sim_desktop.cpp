// The simulated desktop's window store: creation, destruction, states and hooks, and the
// Z-order rules shared by the application side and the desktop port.
#include "sim/desktop/sim_desktop.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "automation/text.h"

namespace k72645::sim {

namespace {
// Handles are spaced like user32's, so that an off-by-one handle names no window.
constexpr WindowHandle kHandleStep = 4;

void eraseValue(std::vector<WindowHandle>& list, WindowHandle value) {
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
}
}  // namespace

SimDesktop::SimDesktop() = default;

SimDesktop::Window* SimDesktop::find(WindowHandle window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

const SimDesktop::Window* SimDesktop::find(WindowHandle window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

WindowHandle SimDesktop::topLevelOf(WindowHandle window) const {
    const Window* w = find(window);
    while (w != nullptr && w->traits.parent != 0) {
        window = w->traits.parent;
        w = find(window);
    }
    return w == nullptr ? 0 : window;
}

const std::vector<WindowHandle>* SimDesktop::siblingsOf(WindowHandle window) const {
    const Window* w = find(window);
    if (w == nullptr) {
        return nullptr;
    }
    if (w->traits.parent == 0) {
        return &zOrder_;
    }
    const Window* parent = find(w->traits.parent);
    return parent == nullptr ? nullptr : &parent->children;
}

WindowHandle SimDesktop::createWindow(const WindowTraits& traits) {
    WindowTraits stored = traits;
    if (stored.parent != 0) {
        if (find(stored.parent) == nullptr) {
            return 0;
        }
        stored.owner = 0;
    } else if (stored.owner != 0) {
        stored.owner = topLevelOf(stored.owner);
        if (stored.owner == 0) {
            return 0;
        }
    }
    if (next_ > std::numeric_limits<WindowHandle>::max() - kHandleStep) {
        throw std::overflow_error("simulated desktop: no window handle left");
    }
    const WindowHandle handle = next_;
    next_ += kHandleStep;
    Window window;
    window.traits = stored;
    windows_.emplace(handle, std::move(window));
    if (stored.parent != 0) {
        find(stored.parent)->children.push_back(handle);
    } else {
        zOrder_.insert(zOrder_.begin(), handle);
        if (stored.visible) {
            foreground_ = handle;
        }
    }
    return handle;
}

void SimDesktop::destroyWindow(WindowHandle window) {
    destroy(window);
}

bool SimDesktop::windowExists(WindowHandle window) {
    return find(window) != nullptr;
}

void SimDesktop::setTitle(WindowHandle window, const std::u16string& title) {
    if (Window* w = find(window)) {
        w->traits.title = title;
    }
}

void SimDesktop::setVisible(WindowHandle window, bool visible) {
    if (Window* w = find(window)) {
        w->traits.visible = visible;
    }
}

void SimDesktop::setMinimized(WindowHandle window, bool minimized) {
    if (Window* w = find(window)) {
        w->minimized = minimized;
    }
}

void SimDesktop::setEnabled(WindowHandle window, bool enabled) {
    if (Window* w = find(window)) {
        w->enabled = enabled;
    }
}

void SimDesktop::activate(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr || w->traits.parent != 0) {
        return;
    }
    if (w->traits.visible) {
        bringToForeground(window);
    } else {
        raise(window);
    }
}

void SimDesktop::onClosed(WindowHandle window, std::function<void()> hook) {
    if (Window* w = find(window)) {
        w->closedHook = std::move(hook);
    }
}

void SimDesktop::onShowChanged(WindowHandle window,
                               std::function<void(bool visible, bool minimized)> hook) {
    if (Window* w = find(window)) {
        w->showHook = std::move(hook);
    }
}

void SimDesktop::collectOwnedGroup(WindowHandle owner, std::vector<WindowHandle>& group) const {
    group.push_back(owner);
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        if (find(*it)->traits.owner == owner) {
            collectOwnedGroup(*it, group);
        }
    }
}

std::vector<WindowHandle> SimDesktop::raise(WindowHandle window) {
    std::vector<WindowHandle> group;
    collectOwnedGroup(window, group);
    for (WindowHandle member : group) {
        eraseValue(zOrder_, member);
    }
    zOrder_.insert(zOrder_.begin(), group.rbegin(), group.rend());
    return group;
}

void SimDesktop::collectDoomed(WindowHandle window, std::vector<WindowHandle>& doomed) const {
    const Window* w = find(window);
    for (WindowHandle child : w->children) {
        collectDoomed(child, doomed);
    }
    for (WindowHandle other : zOrder_) {
        if (find(other)->traits.owner == window) {
            collectDoomed(other, doomed);
        }
    }
    doomed.push_back(window);
}

std::vector<std::function<void()>> SimDesktop::destroy(WindowHandle window) {
    std::vector<std::function<void()>> hooks;
    if (find(window) == nullptr) {
        return hooks;
    }
    std::vector<WindowHandle> doomed;
    collectDoomed(window, doomed);

    // Where the foreground goes if it is among the doomed: its owners, nearest first.
    std::vector<WindowHandle> foregroundOwners;
    const bool foregroundDoomed =
        std::find(doomed.begin(), doomed.end(), foreground_) != doomed.end();
    if (foregroundDoomed) {
        for (const Window* w = find(foreground_); w != nullptr && w->traits.owner != 0;
             w = find(w->traits.owner)) {
            foregroundOwners.push_back(w->traits.owner);
        }
    }

    for (WindowHandle handle : doomed) {
        Window& w = windows_.at(handle);
        if (w.traits.parent == 0) {
            eraseValue(zOrder_, handle);
        } else if (Window* parent = find(w.traits.parent)) {
            eraseValue(parent->children, handle);
        }
        hooks.push_back(std::move(w.closedHook));
        windows_.erase(handle);
        if (locked_ == handle) {
            locked_ = 0;
        }
    }

    if (foregroundDoomed) {
        foreground_ = 0;
        for (WindowHandle owner : foregroundOwners) {
            if (find(owner) != nullptr) {
                foreground_ = owner;
                break;
            }
        }
        if (foreground_ == 0) {
            for (WindowHandle other : zOrder_) {
                if (isVisible(other)) {
                    foreground_ = other;
                    break;
                }
            }
        }
    }
    return hooks;
}

void SimDesktop::close(WindowHandle window) {
    // The hooks were moved out of the destroyed windows, so they may change the desktop freely.
    for (auto& hook : destroy(window)) {
        if (hook) {
            hook();
        }
    }
}

std::int32_t SimDesktop::windowCount(const std::u16string& className) const {
    return static_cast<std::int32_t>(
        std::count_if(windows_.begin(), windows_.end(), [&](const auto& entry) {
            return className.empty() || equalsIgnoreCase(entry.second.traits.className, className);
        }));
}

std::vector<WindowHandle> SimDesktop::zOrder() const {
    return zOrder_;
}

}  // namespace k72645::sim
