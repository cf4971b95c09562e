#include "word/word_startup.h"

#include <algorithm>

#include "automation/text.h"
#include "automation/vb.h"
#include "errors/error_service.h"
#include "word/word_objects.h"
#include "word/word_windows.h"

namespace k72645 {

namespace {

// Steps common to an attached and a started Word: make it visible, find its main window,
// record the start-up setting and leave it without documents, its drawing locked.
void setUpWord(WordSession& session, DispatchPtr application, bool started) {
    session.application = std::move(application);
    session.wordStarted = started;
    const word::Application app(session.application);
    Desktop& desktop = session.desktop();

    app.setVisible(true);
    if (app.documents().count() == 0) {
        session.mainWindow = desktop.findWindow(kWordWindowClass, kWordWindowTitle);
    } else {
        session.mainWindow = findDocumentWindow(desktop, app.activeDocument().name());
    }
    session.wordProcess = desktop.windowProcess(session.mainWindow);
    app.documents().add();
    session.savedStartupSetting = vb::cLng(app.showStartupDialog());
    app.documents().close();
    if (session.mainWindow != 0) {
        desktop.lockDrawing(session.mainWindow);
    } else {
        desktop.unlockDrawing();  // no window to lock: a lock still held is released
    }
    session.drawingLocked = true;
}

void probe(const WordSession& session) {
    word::Application(session.application).application().windows().count();
}

// After Word has gone: find whatever Word window there is, get a Word again and show it.
void restartWord(WordSession& session) {
    session.mainWindow = session.desktop().findWindow(kWordWindowClass, kAnyTitle);
    GetApplication(session);
    bringWordToFront(session);
}

}  // namespace

// Starts a Word and sets it up. A Word started here that cannot be set up is quit before the
// failure goes on: nobody else holds it, and it would be left running. A dialog box that the new
// Word opened before its window was known holds every call, Quit included: the Word is told by
// the main window it brought, its dialog boxes are closed, and it is asked to quit once more.
void startWord(WordSession& session) {
    Desktop& desktop = session.desktop();
    const std::vector<WindowHandle> before = wordMainWindows(desktop);
    DispatchPtr started;
    try {
        started = session.platform.runtime->createObject(kWordProgId);
        setUpWord(session, started, true);
    } catch (...) {
        if (started) {
            const auto quit = [&] {
                word::Application(started).application().quit(Variant(word::wdDoNotSaveChanges));
            };
            if (!ignoringErrors(quit)) {
                for (const WindowHandle window : wordMainWindows(desktop))
                    if (std::find(before.begin(), before.end(), window) == before.end())
                        closeDialogs(desktop, window);
                ignoringErrors(quit);
            }
        }
        throw;
    }
}

void GetApplication(WordSession& session) {
    ApplicationRuntime& runtime = *session.platform.runtime;
    const bool knownWindowVisible = session.desktop().isVisible(session.mainWindow);
    if (knownWindowVisible && session.mainWindow != 0) {
        try {
            setUpWord(session, runtime.getRunningObject(kWordProgId), false);
            return;
        } catch (...) {
            // The visible Word could not be used: start a new one, once. A failure of that
            // start is not handled again and passes unchanged.
        }
        startWord(session);
        return;
    }
    try {
        startWord(session);
    } catch (...) {
        const ComError error = currentError();
        session.application = nullptr;
        raiseWithLocation(error, u"Module", u"GetApplication");
    }
}

void OleAccessible(WordSession& session, bool strict) {
    ComError failure(0, {}, {});
    try {
        probe(session);
        return;
    } catch (...) {
        failure = currentError();
    }
    if (!strict) {
        sendEscapeTo(session.desktop(), session.mainWindow);
        if (failure.number() == errors::kServerUnavailable)
            restartWord(session);
        probe(session);
        return;
    }
    // Strict: the failure is reported even when Word could be started again; the number met
    // (462 when Word had gone) is the one raised.
    if (failure.number() == errors::kServerUnavailable)
        restartWord(session);
    raiseWithLocation(failure, u"Module", u"OleAccessible");
}

}  // namespace k72645
