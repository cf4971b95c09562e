#include "sim/word/word_windows.h"

#include <algorithm>

#include "platform/desktop.h"

namespace k72645::sim {

WordWindows::WordWindows(std::shared_ptr<WindowSystem> windows, std::function<void()> closedByUser,
                         std::function<void(bool, bool)> shownByUser)
    : windows_(std::move(windows)), title_(u"Microsoft Word") {
    WindowTraits window;
    window.className = kMainWindowClass;
    window.title = title_;
    window.visible = false;
    main_ = windows_->createWindow(window);
    windows_->onClosed(main_, std::move(closedByUser));
    windows_->onShowChanged(main_,
                            [this, shown = std::move(shownByUser)](bool visible, bool minimized) {
                                visible_ = visible;
                                minimized_ = minimized;
                                shown(visible, minimized);
                            });
}

void WordWindows::showMainWindow(const std::u16string& title, bool visible, bool minimized) {
    if (!windows_->windowExists(main_))
        return;
    if (title != title_)
        windows_->setTitle(main_, title);
    if (visible != visible_)
        windows_->setVisible(main_, visible);
    if (minimized != minimized_)
        windows_->setMinimized(main_, minimized);
    title_ = title;
    visible_ = visible;
    minimized_ = minimized;
}

WindowHandle WordWindows::showDialog(const std::u16string& title, bool blocking) {
    auto& open = dialogs_->open;
    const WindowHandle owner = open.empty() ? main_ : open.back().window;
    WindowTraits window;
    window.className = kDialogClass;
    window.title = title;
    window.owner = owner;
    window.exStyle = win32::WS_EX_DLGMODALFRAME;
    window.visible = true;
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

WindowHandle WordWindows::showAssistantBalloon() {
    WindowTraits balloon;
    balloon.className = kBalloonClass;
    const WindowHandle top = windows_->createWindow(balloon);
    WindowTraits child;
    child.className = u"MSOBALLOONTEXT";
    child.parent = top;
    const WindowHandle text = windows_->createWindow(child);
    WindowTraits button;
    button.className = u"Button";
    button.title = u"OK";
    button.parent = text;
    windows_->createWindow(button);
    balloons_.push_back(top);
    return top;
}

void WordWindows::destroyAll() {
    for (WindowHandle balloon : balloons_)
        windows_->destroyWindow(balloon);
    balloons_.clear();
    dialogs_->open.clear();
    windows_->destroyWindow(main_);
}

}  // namespace k72645::sim
