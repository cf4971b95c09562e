// TestePoint: the check of the learner's work. Word is brought forward, an open dialog box is
// dealt with, Word is probed and the exercise's documents pre-checked; when any of this fails
// the Module sets ErreurGenerale and a code of its own. Otherwise the exercise's own check runs.
#include "automation/text.h"
#include "automation/vb.h"
#include "component/module.h"
#include "component/resume_next.h"
#include "errors/error_service.h"
#include "exercises/exercise_catalog.h"
#include "word/word_objects.h"
#include "word/word_startup.h"
#include "word/word_windows.h"

namespace k72645 {

namespace {
// The title of Word's mail-merge recipients dialog, no-break spaces read as spaces, lower-cased.
// Built on first use: the text helpers' own tables may not be ready during static start-up.
const std::u16string& recipientsDialogTitle() {
    static const std::u16string title =
        lcase(replaceNoBreakSpaces(u"Fusion et publipostage : Destinataires"));
    return title;
}

// Whether a document of that name, lower-cased, is open in Word.
bool isWorkingDocumentOpen(const word::Application& app, const std::u16string& workingName) {
    const std::int32_t count = app.documents().count();
    for (std::int32_t i = 1; i <= count; ++i) {
        if (lcase(app.documents().item(i).name()) == workingName)
            return true;
    }
    return false;
}

// The dialog rule and pre-checks of the current exercise. With no exercise, the working
// document is looked for, which fails for want of an exercise object and is reported so.
const ExerciseDeclaration& declarationOf(std::int32_t number) {
    static const ExerciseDeclaration noExercise{.documentChecks = {.workingDocumentOpen = true}};
    const ExerciseDeclaration* declaration = findExercise(number);
    return declaration ? *declaration : noExercise;
}
}  // namespace

void Module::TestePoint() {
    const CallScope scope(*this, u"TestePoint");
    const DrawingLockRelease unlockAtEnd(word_);
    // The probes may replace a Word that has gone; a Word started so is the component's.
    const DispatchPtr held = word_.application;
    const std::uint32_t heldProcess = word_.wordProcess;
    try {
        checkWork();
    } catch (...) {
        adoptReplacedWord(held, heldProcess);
        throw;
    }
    adoptReplacedWord(held, heldProcess);
}

void Module::checkWork() {
    Desktop& desktop = word_.desktop();
    recipientsDialogOpen_ = false;

    word_.mainWindow = desktop.findWindow(kWordWindowClass, kAnyTitle);
    if (!bringWordToFront(word_)) {
        generalError_ = true;
        generalErrorCode_ = u"AM";
        return;
    }

    const DialogOutcome dialog = handleOpenDialog();
    if (dialog == DialogOutcome::Blocking) {
        generalError_ = true;
        generalErrorCode_ = u"%AL";
        return;
    }
    if (dialog != DialogOutcome::SkipToCheck) {
        try {
            OleAccessible(word_, true);
        } catch (...) {
            generalError_ = true;
            generalErrorCode_ = u"%AL";
            return;
        }
        bool fit = false;
        try {
            fit = documentsInPlace();
        } catch (...) {
            generalError_ = true;
            generalErrorCode_ = u"AN";
            return;
        }
        if (!fit) {
            generalError_ = true;
            return;
        }
    }
    // ErreurGenerale changes only once the exercise's check has completed: a check that raises
    // leaves the previous verdict for the player to read.
    runExerciseCheck();
}

// Looks for a dialog box of Word above its main window. The recipients dialog is met as the
// exercise declares (closed, kept open with the check run at once, or blocking); any other
// open dialog stops the check. A failure during the scan counts as no dialog.
Module::DialogOutcome Module::handleOpenDialog() {
    Desktop& desktop = word_.desktop();
    try {
        std::u16string title;
        WindowHandle window = desktop.relatedWindow(word_.mainWindow, WindowRelation::Previous);
        while (window != 0 && !isDialogOf(desktop, window, word_.mainWindow, title)) {
            window = desktop.relatedWindow(window, WindowRelation::Previous);
        }
        if (window == 0)
            return DialogOutcome::None;

        recipientsDialogOpen_ = lcase(replaceNoBreakSpaces(title)) == recipientsDialogTitle();
        closeDialogs(desktop, window);
        const RecipientsDialogPolicy policy = recipientsDialogOpen_
                                                  ? declarationOf(exerciseNumber_).recipientsDialog
                                                  : RecipientsDialogPolicy::Blocking;
        switch (policy) {
            case RecipientsDialogPolicy::KeepItAndCheck:
                return DialogOutcome::SkipToCheck;
            case RecipientsDialogPolicy::CloseIt:
                desktop.closeWindow(window);
                return DialogOutcome::Tolerated;
            case RecipientsDialogPolicy::Blocking:
                break;
        }
        return DialogOutcome::Blocking;
    } catch (...) {
        return DialogOutcome::None;
    }
}

// The exercise's documents are as InitQuestion left them. Which pre-checks apply is declared by
// the exercise; when one fails, the Module's own code says which.
bool Module::documentsInPlace() {
    const DocumentChecks& checks = declarationOf(exerciseNumber_).documentChecks;
    if (!checks.any())
        return true;
    if (!ignoringErrors([&] { OleAccessible(word_, true); })) {
        generalErrorCode_ = u"%AL";
        return false;
    }
    const DispatchPtr list = toObject(get(currentExercise_, u"FichiersDeTravail"));
    const std::u16string workingName =
        lcase(vb::cStr(get(toObject(get(list, u"Item", {std::int16_t{1}})), u"NomDest")));
    const word::Application app(word_.application);

    if (checks.workingDocumentOpen && !isWorkingDocumentOpen(app, workingName)) {
        generalErrorCode_ = u"C";
        return false;
    }
    if (checks.workingDocumentActive && lcase(app.activeDocument().name()) != workingName) {
        generalErrorCode_ = u"A";
        return false;
    }
    if (checks.paragraphCount && app.activeDocument().paragraphs().count() != paragraphsAtStart_) {
        generalErrorCode_ = u"B";
        return false;
    }
    for (const std::u16string& bookmark : checks.bookmarks) {
        if (!app.activeDocument().bookmarks().exists(bookmark)) {
            generalErrorCode_ = u"D";
            return false;
        }
    }
    if (checks.mainDocument &&
        app.activeDocument().mailMerge().mainDocumentType() == word::wdNotAMergeDocument) {
        generalErrorCode_ = u"D";
        return false;
    }
    return true;
}

// The exercise's check, with the view's ShowAll and ShowFieldCodes given back after it.
// Failures before the check has completed pass to the player unchanged. Once it has completed
// its verdict stands: giving the view back is then done with its failures ignored, as a call
// that raised must never leave a new verdict for the player to read.
void Module::runExerciseCheck() {
    const word::Application app(word_.application);
    if (app.documents().count() != 0) {
        savedShowAll_ = app.activeWindow().view().showAll();
        savedShowFieldCodes_ = app.activeWindow().view().showFieldCodes();
    }
    // What the Module saw goes with the call, for this check only.
    call(currentExercise_, u"TestePoint", {recipientsDialogOpen_});
    generalError_ = false;
    if (conditionResumingNext([&] { return app.documents().count() != 0; })) {
        ignoringErrors([&] { app.activeWindow().view().setShowAll(savedShowAll_); });
        ignoringErrors([&] { app.activeWindow().view().setShowFieldCodes(savedShowFieldCodes_); });
    }
}

}  // namespace k72645
