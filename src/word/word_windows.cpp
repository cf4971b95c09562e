#include "word/word_windows.h"

#include "automation/text.h"
#include "errors/error_service.h"
#include "word/word_objects.h"

namespace k72645 {

namespace {
// Titles are read into a buffer of 255 characters, the terminating null included.
constexpr std::size_t kTitleMaxLength = 254;
}  // namespace

WindowHandle findDocumentWindow(Desktop& desktop, const std::u16string& documentName) {
    const WindowHandle titledWithExtension =
        desktop.findWindow(kWordWindowClass, documentName + kWordWindowTitleSuffix);
    if (titledWithExtension != 0)
        return titledWithExtension;
    const std::size_t dot = documentName.rfind(u'.');
    if (dot == std::u16string::npos || dot == 0)
        return 0;
    return desktop.findWindow(kWordWindowClass,
                              documentName.substr(0, dot) + kWordWindowTitleSuffix);
}

bool isWordMainWindow(Desktop& desktop, WindowHandle window) {
    if (window == 0 || !desktop.windowExists(window))
        return false;
    const std::u16string title = desktop.windowText(window, 255);
    const std::u16string_view suffix = kWordWindowTitleSuffix;
    return title == kWordWindowTitle ||
           (title.size() > suffix.size() && std::u16string_view(title).ends_with(suffix));
}

std::vector<WindowHandle> wordMainWindows(Desktop& desktop) {
    // The walk stops after as many windows as a desktop can hold, so that a window list changing
    // under it cannot keep it going.
    constexpr int kMostWindows = 65536;
    std::vector<WindowHandle> windows;
    WindowHandle window = desktop.findChildWindow(0, 0);
    for (int seen = 0; window != 0 && seen < kMostWindows; ++seen) {
        if (isWordMainWindow(desktop, window))
            windows.push_back(window);
        window = desktop.findChildWindow(0, window);
    }
    return windows;
}

bool bringWordToFront(WordSession& session) {
    Desktop& desktop = session.desktop();
    // Neither the known window is shown nor any Word main window exists: nothing to bring up.
    const bool knownVisible = desktop.isVisible(session.mainWindow);
    const WindowHandle anyWord = desktop.findWindow(kWordWindowClass, kAnyTitle);
    if (!knownVisible && anyWord == 0)
        return false;
    if (desktop.findWindow(kWordWindowClass, kAnyTitle) == 0)
        return false;

    ignoringErrors([&] {
        word::Application(session.application).setWindowState(word::wdWindowStateMaximize);
    });
    if (desktop.isMinimized(session.mainWindow)) {
        desktop.show(session.mainWindow, ShowCommand::Maximized);
    }
    desktop.bringToForeground(session.mainWindow);
    return true;
}

void sendEscapeTo(Desktop& desktop, WindowHandle window) {
    desktop.bringToForeground(window);
    desktop.sendEscape();
}

bool isDialogOf(Desktop& desktop, WindowHandle window, WindowHandle owner, std::u16string& title) {
    // All four conditions are read, also when an earlier one already fails.
    title = desktop.windowText(window, kTitleMaxLength);
    const bool visible = desktop.isVisible(window);
    const bool dialogFrame = desktop.hasModalFrame(window);
    const bool owned = desktop.parentWindow(window) == owner;
    return !title.empty() && visible && dialogFrame && owned;
}

void closeDialogs(Desktop& desktop, WindowHandle owner) {
    try {
        // Walk up the Z-order from the owner: its dialogs always stay above it.
        WindowHandle current = desktop.relatedWindow(owner, WindowRelation::Previous);
        std::u16string title;
        while (current != 0 && !isDialogOf(desktop, current, owner, title)) {
            current = desktop.relatedWindow(current, WindowRelation::Previous);
        }
        if (current == 0)
            return;
        closeDialogs(desktop, current);
        desktop.closeWindow(current);
    } catch (...) {
        // A window that vanished during the walk, or any other failure: nothing to close.
    }
}

void closeDialogsOfProcess(Desktop& desktop, std::uint32_t process) {
    if (process == 0)
        return;
    for (const WindowHandle window : wordMainWindows(desktop))
        if (desktop.windowProcess(window) == process)
            closeDialogs(desktop, window);
}

void closeWordDialogs(WordSession& session) {
    Desktop& desktop = session.desktop();
    closeDialogs(desktop, session.mainWindow);
    if (const std::uint32_t process = desktop.windowProcess(session.mainWindow); process != 0)
        session.wordProcess = process;
    closeDialogsOfProcess(desktop, session.wordProcess);
}

void closeWindowTree(Desktop& desktop, WindowHandle window) {
    try {
        // Children are closed first; after each, the search starts again behind the last child
        // that refused to close, so a surviving child is passed over instead of looped on.
        WindowHandle survivor = 0;
        WindowHandle child = desktop.findChildWindow(window, survivor);
        while (child != 0) {
            closeWindowTree(desktop, child);
            WindowHandle next = desktop.findChildWindow(window, survivor);
            if (next == child) {
                survivor = child;
                next = desktop.findChildWindow(window, survivor);
            }
            child = next;
        }
        desktop.closeWindow(window);
    } catch (...) {
        // Closing is best effort.
    }
}

}  // namespace k72645
