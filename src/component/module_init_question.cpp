// InitQuestion: a usable, visible Word; the learner's settings saved; the previous exercise
// closed; the new exercise created, its files in place and its documents prepared; Word's
// window, task pane and display set as every exercise starts.
#include <algorithm>

#include "automation/text.h"
#include "automation/vb.h"
#include "component/module.h"
#include "component/resume_next.h"
#include "errors/error_service.h"
#include "exercises/exercise_factory.h"
#include "files/working_files.h"
#include "files/working_folder.h"
#include "word/word_objects.h"
#include "word/word_startup.h"
#include "word/word_windows.h"
#include "word/workspace.h"

namespace k72645 {

namespace {
constexpr std::int32_t kNoWindow = -1;
constexpr std::int32_t kProbeLimit = 500;  // the probe runs at most 499 times
constexpr char16_t kTemplateSubfolder[] = u"ORB Modèles";
}  // namespace

void Module::InitQuestion(std::int32_t ilQuestion, const std::u16string& isPathDossier,
                          DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel,
                          const std::optional<std::u16string>& /*isPathModele*/) {
    const CallScope scope(*this, u"InitQuestion");
    // The template folder given by the player is not used: the exercise always gets the one
    // computed from Word's user templates folder.
    // The working folder is checked before anything changes, Word included.
    std::u16string folder;
    reporting(u"Module", u"InitQuestion",
              [&] { folder = checkedWorkingFolder(*word_.platform.files, isPathDossier); });
    const DrawingLockRelease unlockAtEnd(word_);
    closingLeftFiles_ = false;

    // A Word that an earlier check started in place of one that had gone is the player's now.
    handBackWord(ioApplication, ioHandleLogiciel);
    dropStaleWindow(ioApplication, ioHandleLogiciel);
    const bool playersWord = ioApplication != nullptr;
    if (!playersWord) {
        GetApplication(word_);
        ownsWord_ = true;
        ioApplication = word_.application;
        ioHandleLogiciel = word_.mainWindow;
        // The player came back without Word: the exercise it had is dropped, not closed, as
        // the Word it ran in has gone; its working files are deleted all the same, from the
        // folders it placed them in.
        deleteWorkingFilesOf(currentPlaces(nullptr), false);
        currentExercise_ = nullptr;
        removeOwnTemplateFolder();
    } else {
        takePlayersWord(ioApplication, ioHandleLogiciel);
    }

    // The learner's settings are recorded only when no exercise is current: while one is,
    // Word holds the course's settings, and the learner's recorded before it are still to be
    // given back.
    const bool recordSettings = currentExercise_ == nullptr;
    if (playersWord) {
        if (recordSettings)
            ignoringErrors([&] { SaveParamUser(word_); });
        ignoringErrors([&] { closeWordDialogs(word_); });
    } else {
        if (recordSettings)
            SaveParamUser(word_);
        closeWordDialogs(word_);
    }

    // A Word that the probe obtained in place of one that had gone comes back to the player.
    const DispatchPtr held = word_.application;
    const std::uint32_t heldProcess = word_.wordProcess;
    try {
        probeUntilAccessible();
    } catch (...) {
        adoptReplacedWord(held, heldProcess);
        throw;
    }
    if (adoptReplacedWord(held, heldProcess)) {
        ioApplication = word_.application;
        ioHandleLogiciel = word_.mainWindow;
        wordOwedToPlayer_ = false;
    }
    // A number the chapter does not have is refused before the current exercise is closed or
    // any folder is made: it fails as its exercise's first use, the clean-up, fails.
    if (!exerciseExists(ilQuestion))
        raiseWithLocation(errors::objectNotSet(), u"Module", u"Nettoyage");
    if (currentExercise_)
        closeExercise();
    retryFilesLeft();
    // The new exercise is not started over a clean-up that has just left files behind.
    if (closingLeftFiles_) {
        closingLeftFiles_ = false;
        raiseWithLocation(errors::runtime(errors::kPathFileAccessError), u"Module",
                          u"InitQuestion");
    }

    bool createdTemplateFolder = false;
    reporting(u"Module", u"InitQuestion",
              [&] { createdTemplateFolder = createExerciseAndFolders(ilQuestion, folder); });
    try {
        placeFilesAndPrepare(folder);
        reporting(u"Module", u"InitQuestion", [&] { ensureDocumentAndWindow(); });
    } catch (...) {
        // A start that failed leaves no template folder of its own behind.
        if (createdTemplateFolder) {
            removeCreatedTemplateFolder(*word_.platform.files, currentPlaces(word_.application));
            if (!word_.platform.files->folderExists(templateFolder_))
                createdTemplateFolder_.clear();
        }
        throw;
    }
    setCourseDisplay();
}

// A handle that no longer names a window means the player's Word has gone, unless that Word
// still answers: Word shows each document in its own window, and the window the player holds
// goes with its document when the learner closes it. That Word is kept, and its window is
// found again by its title; starting another Word would leave the learner's one running with
// the previous exercise's documents.
void Module::dropStaleWindow(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel) {
    if (ioHandleLogiciel == kNoWindow)
        return;
    if (word_.desktop().windowExists(ioHandleLogiciel))
        return;
    std::int32_t failure = 0;
    try {
        if (ioApplication != nullptr) {
            word::Application(ioApplication).application().windows().count();
            return;
        }
    } catch (...) {
        failure = currentError().number();
    }
    // A Word of the component's own that refuses to answer (held by a dialog box) has not gone:
    // it is quit with the Module's own Word, through its dialog boxes.
    if (ownsWord_ && failure != 0 && failure != errors::kServerUnavailable &&
        sameObject(word_.application, ioApplication))
        replacedWords_.push_back({ioApplication, word_.wordProcess});
    ioApplication = nullptr;
    word_.application = nullptr;
    ioHandleLogiciel = kNoWindow;
    word_.mainWindow = 0;
}

// The player's Word is used when its window can be found and is visible; otherwise it is told
// to quit without saving and replaced by a new Word. Every failure here is ignored.
void Module::takePlayersWord(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel) {
    if (!sameObject(word_.application, ioApplication)) {
        ownsWord_ = false;
        word_.wordProcess = 0;
    }
    word_.application = ioApplication;
    word_.mainWindow = ioHandleLogiciel;
    Desktop& desktop = word_.desktop();
    const word::Application app(word_.application);

    // When Word does not answer, the count cannot be read and the title of a Word without
    // documents is searched. Not found, the window the player knows is kept while it is still
    // Word's main window: a Word held by a dialog box of its own cannot name its document, and
    // replacing it would leave it running beside the new one.
    if (conditionResumingNext([&] { return app.documents().count() == 0; })) {
        ignoringErrors(
            [&] { word_.mainWindow = desktop.findWindow(kWordWindowClass, kWordWindowTitle); });
        if (word_.mainWindow == 0 && isWordMainWindow(desktop, ioHandleLogiciel))
            word_.mainWindow = ioHandleLogiciel;
    } else {
        ignoringErrors(
            [&] { word_.mainWindow = findDocumentWindow(desktop, app.activeDocument().name()); });
    }
    ignoringErrors([&] { desktop.bringToForeground(word_.mainWindow); });
    if (conditionResumingNext([&] { return !desktop.isVisible(word_.mainWindow); })) {
        if (conditionResumingNext([&] { return word_.mainWindow != 0; })) {
            ignoringErrors([&] { call(ioApplication, u"Quit", {std::int32_t{0}}); });
        }
        // A Word of the component's own that did not quit is quit again with the Module's.
        if (ownsWord_ && ioApplication)
            replacedWords_.push_back({ioApplication, word_.wordProcess});
        ioApplication = nullptr;
        word_.application = nullptr;
        ignoringErrors([&] { GetApplication(word_); });
        ownsWord_ = true;
        ioApplication = word_.application;
    }
    ioHandleLogiciel = word_.mainWindow;
}

// Word must answer automation calls; the probe is retried at once, up to 499 times.
void Module::probeUntilAccessible() {
    ComError lastFailure(0, {}, {});
    for (std::int32_t attempt = 1;; ++attempt) {
        if (attempt == kProbeLimit)
            raiseWithLocation(lastFailure, u"Module", u"InitQuestion");
        try {
            OleAccessible(word_, false);
            return;
        } catch (...) {
            lastFailure = currentError();
        }
    }
}

// The exercise and its folders are recorded only once both folders are known to be sound:
// a template folder Word reports that is empty, relative, a link or mixed up with the working
// folder is refused before the Module holds an exercise that the next closing would clean up.
bool Module::createExerciseAndFolders(std::int32_t number, const std::u16string& workingFolder) {
    const Platform& ports = word_.platform;
    DispatchPtr exercise = createExercise(number, {ports.files, ports.sleeper, ports.runtime});
    const std::u16string templateFolder = checkedTemplateFolder(
        *ports.files,
        word::Application(word_.application).options().defaultFilePath(word::wdUserTemplatesPath),
        kTemplateSubfolder, workingFolder);

    exerciseNumber_ = number;
    currentExercise_ = std::move(exercise);
    workingFolder_ = workingFolder;
    templateFolder_ = templateFolder;
    for (const std::u16string& folder : {workingFolder, templateFolder}) {
        if (std::find(foldersWorkedIn_.begin(), foldersWorkedIn_.end(), folder) ==
            foldersWorkedIn_.end())
            foldersWorkedIn_.push_back(folder);
    }
    // Every missing folder of the path is created; the result is not used.
    const bool existed = ports.files->folderExists(templateFolder_);
    ports.files->makeSureDirectoryPathExists(templateFolder_);
    const bool created = !existed && ports.files->folderExists(templateFolder_);
    if (created)
        createdTemplateFolder_ = templateFolder_;
    return created;
}

// Failures here pass unchanged: the callees and the exercise locate their own.
void Module::placeFilesAndPrepare(const std::u16string& workingFolder) {
    const WorkingFilePlaces places = currentPlaces(word_.application);
    Nettoyage(*word_.platform.files, places);
    Renomme(*word_.platform.files, places);

    Arguments prepare{Argument::ref(word_.application), Argument::ref(workingFolder),
                      Argument::ref(templateFolder_)};
    callWith(currentExercise_, u"Prepare", prepare);
    // The exercise may have left another Word in its first argument.
    if (prepare[0].value.isObject())
        word_.application = prepare[0].value.object();

    ChangeDir(word_, vb::cStr(get(currentExercise_, u"PathDossierParDefaut")));
    InitCommandBar(word_);
    // No callee locates a failure of this statement: it is located here, as the player
    // receives every other failure of InitQuestion.
    reporting(u"Module", u"InitQuestion",
              [&] { word::Application(word_.application).commandBars().setDisplayTooltips(true); });
}

// An exercise that opened nothing gets a blank document and the task pane; Word's window is
// maximized.
void Module::ensureDocumentAndWindow() {
    const word::Application app(word_.application);
    if (app.application().documents().count() == 0) {
        app.application().documents().add();
        app.application().commandBars().item(u"Task Pane").setEnabled(true);
        if (app.application().commandBars().item(u"Task Pane").enabled()) {
            app.application().commandBars().item(u"Task Pane").setVisible(true);
        }
    }
    app.activeWindow().setWindowState(word::wdWindowStateMaximize);
}

// Word's display as every exercise starts; each statement's failure is ignored.
void Module::setCourseDisplay() {
    const word::Application app(word_.application);
    ignoringErrors([&] { app.setShowStartupDialog(word_.savedStartupSetting != 0); });
    ignoringErrors([&] { app.application().setDisplayStatusBar(true); });
    ignoringErrors([&] { app.activeWindow().setDisplayVerticalScrollBar(true); });
    ignoringErrors([&] { app.activeWindow().setDisplayScreenTips(true); });
    // The learner's proofing marks are hidden during the exercise and given back at its end.
    ignoringErrors([&] { savedShowSpellingErrors_ = app.activeDocument().showSpellingErrors(); });
    ignoringErrors(
        [&] { savedShowGrammaticalErrors_ = app.activeDocument().showGrammaticalErrors(); });
    ignoringErrors([&] { app.activeDocument().setShowSpellingErrors(false); });
    ignoringErrors([&] { app.activeDocument().setShowGrammaticalErrors(false); });
    if (conditionResumingNext([&] { return app.documents().count() > 0; })) {
        ignoringErrors([&] { app.activeWindow().setStyleAreaWidth(0); });
    }
    ignoringErrors([&] { bringWordToFront(word_); });
    // The exercise's first working document is the active one, and its paragraph count is
    // what the pre-check of every check compares with.
    ignoringErrors([&] {
        const DispatchPtr list = toObject(get(currentExercise_, u"FichiersDeTravail"));
        const std::u16string first =
            vb::cStr(get(toObject(get(list, u"Item", {std::int16_t{1}})), u"NomDest"));
        app.application().documents().item(first).activate();
    });
    ignoringErrors([&] { paragraphsAtStart_ = app.activeDocument().paragraphs().count(); });
}

}  // namespace k72645
