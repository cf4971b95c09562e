#include "word/word_windows.h"

#include "automation/text.h"
#include "errors/error_service.h"
#include "word/word_objects.h"

namespace k72645 {

namespace {
constexpr std::int32_t kTitleBufferSize = 255;
}  // namespace

bool AfficheWord(WordSession& session) {
    Desktop& desktop = session.desktop();
    // Neither the known window is shown nor any Word main window exists: nothing to bring up.
    const std::int32_t knownVisible = desktop.IsWindowVisible(session.HandleWord);
    const WindowHandle anyWord = desktop.FindWindowA(kWordWindowClass, u"");
    if (knownVisible == 0 && anyWord == 0)
        return false;
    if (desktop.FindWindowA(kWordWindowClass, u"") == 0)
        return false;

    ignoringErrors(
        [&] { word::Application(session.AppWord).setWindowState(word::wdWindowStateMaximize); });
    if (desktop.IsIconic(session.HandleWord) == 1) {
        desktop.ShowWindow(session.HandleWord, win32::SW_SHOWMAXIMIZED);
    }
    desktop.SetForegroundWindow(session.HandleWord);
    return true;
}

void EchapWord(Desktop& desktop, WindowHandle window) {
    desktop.SetForegroundWindow(window);
    desktop.sendEscape();
}

bool isDialogOf(Desktop& desktop, WindowHandle window, WindowHandle owner, std::u16string& title) {
    // The four conditions are all read, as the original And of four terms reads them.
    std::u16string buffer(kTitleBufferSize, u'a');
    const std::int32_t length = desktop.GetWindowTextA(window, buffer, kTitleBufferSize);
    const bool visible = desktop.IsWindowVisible(window) != 0;
    const bool dialogFrame =
        (desktop.GetWindowLongA(window, win32::GWL_EXSTYLE) & win32::WS_EX_DLGMODALFRAME) != 0;
    const bool owned = desktop.GetParent(window) == owner;
    title = left(buffer, length);
    return length > 0 && visible && dialogFrame && owned;
}

void FermeDialogues(Desktop& desktop, WindowHandle owner) {
    try {
        // Walk up the Z-order from the owner: its dialogs always stay above it.
        WindowHandle current = desktop.GetWindow(owner, win32::GW_HWNDPREV);
        std::u16string title;
        while (current != 0 && !isDialogOf(desktop, current, owner, title)) {
            current = desktop.GetWindow(current, win32::GW_HWNDPREV);
        }
        if (current == 0)
            return;
        FermeDialogues(desktop, current);
        desktop.SendMessageA(current, win32::WM_CLOSE, 0, 0);
    } catch (...) {
        // A window that vanished during the walk, or any other failure: nothing to close.
    }
}

void FermeFenetre(Desktop& desktop, WindowHandle window) {
    try {
        // Children are closed first; after each, the search starts again behind the last child
        // that refused to close, so a surviving child is passed over instead of looped on.
        WindowHandle survivor = 0;
        WindowHandle child = desktop.FindWindowExA(window, survivor, u"", u"");
        while (child != 0) {
            FermeFenetre(desktop, child);
            WindowHandle next = desktop.FindWindowExA(window, survivor, u"", u"");
            if (next == child) {
                survivor = child;
                next = desktop.FindWindowExA(window, survivor, u"", u"");
            }
            child = next;
        }
        desktop.SendMessageA(window, win32::WM_CLOSE, 0, 0);
    } catch (...) {
        // Closing is best effort.
    }
}

}  // namespace k72645
