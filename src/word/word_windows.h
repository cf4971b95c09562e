// Word's windows through the desktop port: bringing Word's main window forward, sending it the
// Escape key, closing the dialog boxes it shows and closing a window with its child windows.
#pragma once

#include <vector>

#include "platform/desktop.h"
#include "word/word_session.h"

namespace k72645 {

// The main window of Word showing the document of that name: titled with the name followed by
// " - Microsoft Word", or, when Explorer hides the extensions of known file types (Windows XP's
// default), with the name without its extension. 0 when neither is found.
WindowHandle findDocumentWindow(Desktop& desktop, const std::u16string& documentName);

// True when the window exists and is titled as Word's main window is: "Microsoft Word", or a
// document's name followed by " - Microsoft Word".
bool isWordMainWindow(Desktop& desktop, WindowHandle window);

// The top-level windows titled as Word's main window is, topmost first: a Word started after
// this list was read is told by a window that is not in it.
std::vector<WindowHandle> wordMainWindows(Desktop& desktop);

// Shows Word's main window maximized and in front; false when no Word main window exists.
bool bringWordToFront(WordSession& session);

// Sends one press of Escape to the window, to dismiss a menu or dialog that keeps Word busy.
void sendEscapeTo(Desktop& desktop, WindowHandle window);

// True when the window is a dialog box of the owner: titled, visible, with the dialog frame
// bit in its extended style, and owned by it. The title read is left in title.
bool isDialogOf(Desktop& desktop, WindowHandle window, WindowHandle owner, std::u16string& title);

// Closes the first visible dialog box that the owner owns, after the dialogs that this dialog
// owns in turn. Any failure ends it silently.
void closeDialogs(Desktop& desktop, WindowHandle owner);

// Closes the dialog boxes of every Word main window that the process made, each as closeDialogs
// does: a dialog box belongs to the frame that was active when it opened, which need not be the
// window known. Nothing for process 0.
void closeDialogsOfProcess(Desktop& desktop, std::uint32_t process);

// Closes the dialog boxes of the session's Word: those of its main window, then those of its
// other frames, found by its process (read again from the main window while that exists).
void closeWordDialogs(WordSession& session);

// Closes a window after its child windows, depth first. A child that survives its closing is
// passed over, so the procedure always ends. Any failure ends it silently.
void closeWindowTree(Desktop& desktop, WindowHandle window);

}  // namespace k72645
