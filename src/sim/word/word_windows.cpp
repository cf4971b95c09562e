#include "sim/word/word_windows.h"

#include <algorithm>
#include <atomic>

#include "platform/desktop.h"

namespace k72645::sim {

namespace {
// Each Word runs as a process of its own: its windows carry its number, from 1000 on, as
// process identifiers are told apart on a desktop.
std::uint32_t nextProcess() {
    static std::atomic<std::uint32_t> next{1000};
    return next++;
}
}  // namespace

WordWindows::WordWindows(std::shared_ptr<WindowSystem> windows,
                         std::function<void(FrameKey)> closedByUser,
                         std::function<void(bool, bool)> shownByUser)
    : windows_(std::move(windows)),
      closedByUser_(std::move(closedByUser)),
      shownByUser_(std::move(shownByUser)),
      process_(nextProcess()) {
    main_ = createFrame(u"Microsoft Word", false);
    frames_.push_back({nullptr, main_, u"Microsoft Word", false, false});
}

WindowHandle WordWindows::createFrame(const std::u16string& title, bool visible) {
    WindowTraits traits;
    traits.className = kMainWindowClass;
    traits.title = title;
    traits.visible = visible;
    traits.process = process_;
    const WindowHandle window = windows_->createWindow(traits);
    windows_->onClosed(window, [this, window] { frameClosed(window); });
    windows_->onShowChanged(window, [this, window](bool shown, bool minimized) {
        frameShown(window, shown, minimized);
    });
    return window;
}

void WordWindows::frameClosed(WindowHandle window) {
    auto it = std::find_if(frames_.begin(), frames_.end(),
                           [window](const Frame& f) { return f.window == window; });
    if (it == frames_.end())
        return;
    const FrameKey key = it->key;
    frames_.erase(it);
    if (main_ == window)
        main_ = 0;
    closedByUser_(key);
}

void WordWindows::frameShown(WindowHandle window, bool visible, bool minimized) {
    for (Frame& frame : frames_) {
        if (frame.window == window) {
            frame.visible = visible;
            frame.minimized = minimized;
        }
    }
    shownByUser_(visible, minimized);
}

void WordWindows::showFrames(const FrameLayout& layout) {
    std::vector<Frame> spare;
    for (Frame& frame : frames_) {
        if (windows_->windowExists(frame.window))
            spare.push_back(std::move(frame));
    }

    // The active frame is placed first, so that it takes over the frame that was active.
    std::vector<std::pair<FrameKey, std::u16string>> wanted = layout.frames;
    std::stable_partition(wanted.begin(), wanted.end(),
                          [&](const auto& w) { return w.first == layout.active; });
    std::vector<Frame> next(wanted.size());
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        next[i].key = wanted[i].first;
        auto it = std::find_if(spare.begin(), spare.end(),
                               [&](const Frame& f) { return f.key == wanted[i].first; });
        if (it == spare.end()) {
            missing.push_back(i);
            continue;
        }
        next[i] = std::move(*it);
        spare.erase(it);
    }
    for (std::size_t i : missing) {
        auto it = std::find_if(spare.begin(), spare.end(),
                               [this](const Frame& f) { return f.window == main_; });
        if (it == spare.end())
            it = spare.begin();
        if (it == spare.end())
            break;
        next[i] = std::move(*it);
        next[i].key = wanted[i].first;
        spare.erase(it);
    }
    for (const Frame& frame : spare)
        windows_->destroyWindow(frame.window);
    bool created = false;
    for (std::size_t i = 0; i < next.size(); ++i) {
        Frame& frame = next[i];
        const std::u16string& title = wanted[i].second;
        if (frame.window == 0) {
            frame.window = createFrame(title, layout.visible);
            frame.title = title;
            frame.visible = layout.visible;
            created = true;
        }
        if (title != frame.title)
            windows_->setTitle(frame.window, title);
        if (layout.visible != frame.visible)
            windows_->setVisible(frame.window, layout.visible);
        if (layout.minimized != frame.minimized)
            windows_->setMinimized(frame.window, layout.minimized);
        frame.title = title;
        frame.visible = layout.visible;
        frame.minimized = layout.minimized;
    }
    frames_ = std::move(next);
    const WindowHandle active = frames_.empty() ? 0 : frames_.front().window;
    if (active != main_ || created) {
        main_ = active;
        windows_->activate(main_);
    }
}

WindowHandle WordWindows::showDialog(const std::u16string& title, bool blocking) {
    auto& open = dialogs_->open;
    // Dialogs that went with a frame closed by automation are forgotten.
    std::erase_if(open, [this](const Dialog& d) { return !windows_->windowExists(d.window); });
    const WindowHandle owner = open.empty() ? main_ : open.back().window;
    WindowTraits window;
    window.className = kDialogClass;
    window.title = title;
    window.owner = owner;
    window.exStyle = kModalFrameStyle;
    window.visible = true;
    window.process = process_;
    const WindowHandle dialog = windows_->createWindow(window);
    if (dialog == 0)
        return 0;
    open.push_back({dialog, owner, blocking});
    windows_->setEnabled(owner, false);
    std::weak_ptr<Dialogs> weakDialogs = dialogs_;
    std::weak_ptr<WindowSystem> weakWindows = windows_;
    windows_->onClosed(dialog, [weakDialogs, weakWindows, dialog] {
        auto dialogs = weakDialogs.lock();
        auto windows = weakWindows.lock();
        if (dialogs && windows)
            dialogClosed(*windows, *dialogs, dialog);
    });
    return dialog;
}

void WordWindows::dialogClosed(WindowSystem& windows, Dialogs& dialogs, WindowHandle window) {
    auto& open = dialogs.open;
    auto it = std::find_if(open.begin(), open.end(),
                           [window](const Dialog& d) { return d.window == window; });
    if (it == open.end())
        return;
    const WindowHandle owner = it->owner;
    open.erase(it);
    // The owner answers again once no dialog it owns is left.
    const bool ownsAnother = std::any_of(open.begin(), open.end(),
                                         [owner](const Dialog& d) { return d.owner == owner; });
    if (!ownsAnother && windows.windowExists(owner))
        windows.setEnabled(owner, true);
}

bool WordWindows::blocked() const {
    return std::any_of(dialogs_->open.begin(), dialogs_->open.end(), [this](const Dialog& d) {
        return d.blocking && windows_->windowExists(d.window);
    });
}

void WordWindows::dismissDialog(WindowHandle dialog) {
    if (!windows_->windowExists(dialog))
        return;
    windows_->destroyWindow(dialog);
    dialogClosed(*windows_, *dialogs_, dialog);
}

WindowHandle WordWindows::showAssistantBalloon() {
    WindowTraits balloon;
    balloon.className = kBalloonClass;
    balloon.process = process_;
    const WindowHandle top = windows_->createWindow(balloon);
    WindowTraits child;
    child.className = u"MSOBALLOONTEXT";
    child.parent = top;
    child.process = process_;
    const WindowHandle text = windows_->createWindow(child);
    WindowTraits button;
    button.className = u"Button";
    button.title = u"OK";
    button.parent = text;
    button.process = process_;
    windows_->createWindow(button);
    balloons_.push_back(top);
    return top;
}

void WordWindows::destroyAll() {
    for (WindowHandle balloon : balloons_)
        windows_->destroyWindow(balloon);
    balloons_.clear();
    dialogs_->open.clear();
    for (const Frame& frame : frames_)
        windows_->destroyWindow(frame.window);
    frames_.clear();
    main_ = 0;
}

}  // namespace k72645::sim
