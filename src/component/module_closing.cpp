// The closing of an exercise and Quitter. The closing gives Word back in the learner's own
// settings, with the exercise's documents saved where possible and reopened, the working files
// removed and the exercise object released. Quitter also quits the Word the component started.
#include <algorithm>
#include <vector>

#include "automation/vb.h"
#include "component/module.h"
#include "component/resume_next.h"
#include "errors/error_service.h"
#include "files/working_files.h"
#include "files/working_folder.h"
#include "word/closing_documents.h"
#include "word/word_objects.h"
#include "word/word_windows.h"
#include "word/workspace.h"

namespace k72645 {

namespace {
constexpr char16_t kAssistantBalloonClass[] = u"MSOBALLOON";
constexpr std::int32_t kPauseAfterBalloonMs = 100;

// The full names of the exercise's working documents (its files that are not templates), read
// from its file list. Every failure is ignored: the names read until then are kept.
std::vector<std::u16string> workingDocuments(const DispatchPtr& exercise,
                                             const std::u16string& workingFolder) {
    std::vector<std::u16string> names;
    ignoringErrors([&] {
        const DispatchPtr list = toObject(get(exercise, u"FichiersDeTravail"));
        const std::int32_t count = vb::cLng(call(list, u"count"));
        for (std::int32_t i = 1; i <= count; ++i) {
            const DispatchPtr file = toObject(get(list, u"Item", {i}));
            if (!vb::cBool(get(file, u"Modele")))
                names.push_back(workingFolder + vb::cStr(get(file, u"NomDest")));
        }
    });
    return names;
}
}  // namespace

void Module::closeExercise() {
    Desktop& desktop = word_.desktop();
    // The assistant's balloon is closed first, with a short pause for it to go.
    WindowHandle balloon = desktop.findWindow(kAssistantBalloonClass, kAnyTitle);
    if (balloon != 0) {
        closeWindowTree(desktop, balloon);
        word_.platform.sleeper->sleep(kPauseAfterBalloonMs);
    }
    closeWordDialogs(word_);

    // From here every failing statement is skipped.
    const word::Application app(word_.application);
    ignoringErrors([&] { word_.savedStartupSetting = vb::cLng(app.showStartupDialog()); });
    ignoringErrors([&] {
        word_.savedTaskPaneState =
            app.commandBars().item(u"Task Pane").visible() ? vb::kTrue : vb::kFalse;
    });
    // When Word does not answer, its documents are left alone.
    if (ignoringErrors([&] { app.application().windows().count(); })) {
        closeAndReopenDocuments();
    }
    ignoringErrors([&] { RestaureParamUser(word_); });
    // Deleting the working files needs no Word: when Word stops the clean-up (the learner
    // has quit it), they are deleted without it.
    const WorkingFilePlaces places = currentPlaces(word_.application);
    deleteWorkingFilesOf(places, true);
    ignoringErrors([&] { call(currentExercise_, u"Fermer"); });
    currentExercise_ = nullptr;
    collectReturnedWorkingFiles();
    retryFilesLeft();
    removeOwnTemplateFolder();
}

namespace {
void addOnce(std::vector<std::u16string>& paths, std::u16string path) {
    if (std::find(paths.begin(), paths.end(), path) == paths.end())
        paths.push_back(std::move(path));
}
}  // namespace

void Module::deleteWorkingFilesOf(const WorkingFilePlaces& places, bool askWord) {
    FileSystem& files = *word_.platform.files;
    closingLeftFiles_ = false;
    if (!places.exercise)
        return;
    for (std::u16string& path : workingFilePaths(places))
        addOnce(deletedWorkingFiles_, std::move(path));
    if (!askWord || !ignoringErrors([&] { Nettoyage(files, places); }))
        deleteWorkingFiles(files, places);
    // A deletion refused once (a file held for a moment by another program) is tried again.
    if (!remainingWorkingFiles(files, places).empty())
        deleteWorkingFiles(files, places);
    for (std::u16string& path : remainingWorkingFiles(files, places)) {
        closingLeftFiles_ = true;
        addOnce(filesLeft_, std::move(path));
    }
}

void Module::collectReturnedWorkingFiles() {
    FileSystem& files = *word_.platform.files;
    for (const std::u16string& path : deletedWorkingFiles_)
        ignoringErrors([&] {
            if (files.fileExists(path))
                addOnce(filesLeft_, path);
        });
}

bool Module::retryFilesLeft() {
    FileSystem& files = *word_.platform.files;
    std::erase_if(filesLeft_, [&](const std::u16string& path) {
        deleteQuietly(files, path);
        return !files.fileExists(path);
    });
    return !filesLeft_.empty();
}

// The template folder goes when this Module made it and nothing is left in it: a folder that
// was there before, or that holds files the component did not put there, stays.
void Module::removeOwnTemplateFolder() {
    if (createdTemplateFolder_.empty())
        return;
    FileSystem& files = *word_.platform.files;
    ignoringErrors([&] { files.removeFolder(createdTemplateFolder_); });
    if (!files.folderExists(createdTemplateFolder_))
        createdTemplateFolder_.clear();
}

// The learner's proofing marks are given back, a form-letter main document becomes a normal
// document again (and so does every working document that is a main document), and every
// document is closed: saved when it has a folder and no password of
// its own, then reopened; discarded otherwise.
void Module::closeAndReopenDocuments() {
    const word::Application app(word_.application);
    if (conditionResumingNext([&] { return app.documents().count() != 0; })) {
        ignoringErrors(
            [&] { app.activeDocument().setShowSpellingErrors(savedShowSpellingErrors_); });
        ignoringErrors(
            [&] { app.activeDocument().setShowGrammaticalErrors(savedShowGrammaticalErrors_); });
    }
    if (conditionResumingNext([&] {
            return app.activeDocument().mailMerge().mainDocumentType() == word::wdFormLetters;
        })) {
        ignoringErrors([&] {
            app.activeDocument().mailMerge().setMainDocumentType(word::wdNotAMergeDocument);
        });
    }
    // The exercise's files are deleted right after: Word must not be left asking whether to save
    // its templates when their last document closes, nor whether to run a data source's query
    // when one of its working documents, still a main document, is reopened. The learner's own
    // documents and templates keep what Word does with them.
    forgetTemplateChangesIn(app, templateFolder_);
    detachMainDocuments(app, workingDocuments(currentExercise_, workingFolder_));

    std::int32_t count = 0;
    ignoringErrors([&] { count = app.documents().count(); });
    std::vector<std::u16string> toReopen(static_cast<std::size_t>(std::max(count, 0)));
    for (std::u16string& name : toReopen) {
        // Always the first document of the collection: the one before it has just closed.
        const bool keep = conditionResumingNext([&] {
            const word::Document first = app.documents().item(1);
            const bool saved = !first.path().empty();
            const bool protectedByPassword = first.hasPassword();
            return saved && !protectedByPassword && !isDeletedWorkingFile(first.fullName());
        });
        // Checked again once the name is known: a condition that failed counts as met.
        bool deleted = false;
        if (keep) {
            ignoringErrors([&] { name = app.documents().item(1).fullName(); });
            deleted = !name.empty() && isDeletedWorkingFile(name);
            if (deleted)
                name.clear();
        }
        if (keep && !deleted) {
            ignoringErrors([&] { app.documents().item(1).close(word::wdSaveChanges); });
        } else {
            ignoringErrors([&] { app.documents().item(1).close(word::wdDoNotSaveChanges); });
        }
    }
    for (const std::u16string& name : toReopen) {
        if (!name.empty())
            ignoringErrors([&] { app.documents().open(name); });
    }
}

WorkingFilePlaces Module::currentPlaces(const DispatchPtr& word) const {
    return {currentExercise_, word, workingFolder_, templateFolder_,
            [this](const std::u16string& fullName) { return isDeletedWorkingFile(fullName); }};
}

bool Module::isDeletedWorkingFile(const std::u16string& fullName) const {
    for (const std::u16string& folder : foldersWorkedIn_) {
        if (fullName.size() > folder.size() &&
            sameFullName(std::u16string_view(fullName).substr(0, folder.size()), folder))
            return !word_.platform.files->fileExists(fullName);
    }
    return false;
}

bool Module::quitWord() {
    const word::Application app(word_.application);
    for (int attempt = 1;; ++attempt) {
        try {
            app.application().quit(Variant(word::wdDoNotSaveChanges));
            return true;
        } catch (const ComError& error) {
            if (error.number() != errors::kServerUnavailable)
                throw;
        }
        // 462 says Word's process has gone; a Word that still answers has not, and is asked
        // once more.
        if (attempt == 2 || !ignoringErrors([&] { app.application().windows().count(); }))
            return false;
    }
}

void Module::quitReplacedWords() {
    for (const ReplacedWord& word : replacedWords_) {
        const auto quit = [&] {
            call(word.application, u"Quit", {Variant(word::wdDoNotSaveChanges)});
        };
        if (!ignoringErrors(quit) && word.process != 0) {
            closeDialogsOfProcess(word_.desktop(), word.process);
            ignoringErrors(quit);
        }
    }
    replacedWords_.clear();
}

void Module::Quitter(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel) {
    const CallScope scope(*this, u"Quitter");
    reporting(u"Module", u"Quitter", [&] {
        handBackWord(ioApplication, ioHandleLogiciel);
        if (currentExercise_)
            closeExercise();
        // Only a Word that the component obtained itself is quit, also when the player hands
        // Nothing back; the player's stays open. Once quit and released, there is nothing
        // left to quit.
        const bool playerHoldsIt =
            ioApplication == nullptr || sameObject(word_.application, ioApplication);
        if (word_.application && ownsWord_ && playerHoldsIt) {
            // A dialog box of Word's would make it refuse to quit.
            ignoringErrors([&] { closeWordDialogs(word_); });
            // A Word whose process has ended (462) has nothing left to quit: its window went
            // with it, and the player's application and handle are cleared all the same.
            if (quitWord())
                word_.desktop().show(word_.mainWindow, ShowCommand::Minimized);
            ioHandleLogiciel = 0;
            ioApplication = nullptr;
        }
        word_.application = nullptr;
        quitReplacedWords();
        // Word has gone and no longer holds the files: the files left are tried once more, and
        // so are the working files the learner saved again after their clean-up.
        collectReturnedWorkingFiles();
        deletedWorkingFiles_.clear();
        if (retryFilesLeft())
            throw errors::runtime(errors::kPathFileAccessError);
    });
}

}  // namespace k72645
