// TestePoint: the check of the learner's work. Word is brought forward, an open dialog box is
// dealt with, Word is probed and the exercise's documents pre-checked; when any of this fails
// the Module sets ErreurGenerale and a code of its own. Otherwise the exercise's own check runs.
#include <set>

#include "automation/text.h"
#include "automation/vb.h"
#include "component/module.h"
#include "errors/error_service.h"
#include "exercises/component_globals.h"
#include "word/word_objects.h"
#include "word/word_startup.h"
#include "word/word_windows.h"

namespace k72645 {

namespace {
// The title of Word's mail-merge recipients dialog, no-break spaces read as spaces, lower-cased.
// Built on first use: the text helpers' own tables may not be ready during static start-up.
const std::u16string& recipientsDialogTitle() {
    static const std::u16string title =
        lcase(RemplaceInsecables(u"Fusion et publipostage : Destinataires"));
    return title;
}

bool isOneOf(std::int32_t number, std::initializer_list<std::int32_t> numbers) {
    return std::set<std::int32_t>(numbers).contains(number);
}
}  // namespace

void Module::TestePoint() {
    const CallScope scope(*this, u"TestePoint");
    const DrawingLockRelease unlockAtEnd(word_);
    // The probes may replace a Word that has gone; a Word started so is the component's.
    const DispatchPtr held = word_.AppWord;
    try {
        checkWork();
    } catch (...) {
        adoptReplacedWord(held);
        throw;
    }
    adoptReplacedWord(held);
}

void Module::checkWork() {
    Desktop& desktop = word_.desktop();

    word_.HandleWord = desktop.findWindow(kWordWindowClass, kAnyTitle);
    if (!AfficheWord(word_)) {
        ErreurGenerale_ = true;
        MessageErreur_ = u"AM";
        return;
    }

    const DialogOutcome dialog = handleOpenDialog();
    if (dialog == DialogOutcome::Blocking) {
        ErreurGenerale_ = true;
        MessageErreur_ = u"%AL";
        return;
    }
    if (dialog != DialogOutcome::SkipToCheck) {
        try {
            OleAccessible(word_, true);
        } catch (...) {
            ErreurGenerale_ = true;
            MessageErreur_ = u"%AL";
            return;
        }
        bool fit = false;
        try {
            fit = VerifieDocuments();
        } catch (...) {
            ErreurGenerale_ = true;
            MessageErreur_ = u"AN";
            return;
        }
        if (!fit) {
            ErreurGenerale_ = true;
            return;
        }
    }
    // ErreurGenerale changes only once the exercise's check has completed: a check that raises
    // leaves the previous verdict for the player to read.
    runExerciseCheck();
}

// Looks for a dialog box of Word above its main window. The recipients dialog is tolerated for
// exercises 508 (it is closed) and 509 (it stays open, and the check runs at once); any other
// open dialog stops the check. A failure during the scan counts as no dialog.
Module::DialogOutcome Module::handleOpenDialog() {
    Desktop& desktop = word_.desktop();
    try {
        std::u16string title;
        WindowHandle window = desktop.relatedWindow(word_.HandleWord, WindowRelation::Previous);
        while (window != 0 && !isDialogOf(desktop, window, word_.HandleWord, title)) {
            window = desktop.relatedWindow(window, WindowRelation::Previous);
        }
        if (window == 0)
            return DialogOutcome::None;

        setDestinatairesOuvert(lcase(RemplaceInsecables(title)) == recipientsDialogTitle());
        FermeDialogues(desktop, window);
        if (DestinatairesOuvert() && NumQuestion_ == 509)
            return DialogOutcome::SkipToCheck;
        if (DestinatairesOuvert() && NumQuestion_ == 508) {
            desktop.closeWindow(window);
            return DialogOutcome::Tolerated;
        }
        return DialogOutcome::Blocking;
    } catch (...) {
        return DialogOutcome::None;
    }
}

// The exercise's documents are as InitQuestion left them. Which pre-checks apply depends on
// the exercise; when one fails, MessageErreur holds its code.
bool Module::VerifieDocuments() {
    const std::int32_t n = NumQuestion_;
    if (isOneOf(n, {502, 504, 517}))
        return true;
    if (!ignoringErrors([&] { OleAccessible(word_, true); })) {
        MessageErreur_ = u"%AL";
        return false;
    }
    const DispatchPtr list = toObject(get(QuestionCourante_, u"FichiersDeTravail"));
    const std::u16string workingName =
        lcase(vb::cStr(get(toObject(get(list, u"Item", {std::int16_t{1}})), u"NomDest")));
    const word::Application app(word_.AppWord);

    bool open = false;
    const std::int32_t count = app.documents().count();
    for (std::int32_t i = 1; i <= count && !open; ++i) {
        open = lcase(app.documents().item(i).name()) == workingName;
    }
    if (!open) {
        MessageErreur_ = u"C";
        return false;
    }
    if (!isOneOf(n, {506, 508, 509, 515}) && lcase(app.activeDocument().name()) != workingName) {
        MessageErreur_ = u"A";
        return false;
    }
    if (n != 503 && !(n >= 506 && n <= 515) &&
        app.activeDocument().paragraphs().count() != NbParagraphes_) {
        MessageErreur_ = u"B";
        return false;
    }
    const auto hasBookmark = [&](const std::u16string& name) {
        return app.activeDocument().bookmarks().exists(name);
    };
    if (!isOneOf(n, {502, 504, 508, 514, 515}) && !hasBookmark(u"e01")) {
        MessageErreur_ = u"D";
        return false;
    }
    if (isOneOf(n, {503, 514})) {
        const bool s01 = hasBookmark(u"s01");
        const bool t01 = hasBookmark(u"t01");
        if (!s01 || !t01) {
            MessageErreur_ = u"D";
            return false;
        }
    }
    if (isOneOf(n, {505, 507}) && !hasBookmark(u"s01")) {
        MessageErreur_ = u"D";
        return false;
    }
    if (isOneOf(n, {507, 509, 510, 511, 512, 513, 514, 518}) &&
        app.activeDocument().mailMerge().mainDocumentType() == word::wdNotAMergeDocument) {
        MessageErreur_ = u"D";
        return false;
    }
    return true;
}

// The exercise's check, with the view's ShowAll and ShowFieldCodes given back after it.
// Failures pass to the player unchanged.
void Module::runExerciseCheck() {
    const word::Application app(word_.AppWord);
    if (app.documents().count() != 0) {
        savedShowAll_ = app.activeWindow().view().showAll();
        savedShowFieldCodes_ = app.activeWindow().view().showFieldCodes();
    }
    call(QuestionCourante_, u"TestePoint");
    ErreurGenerale_ = false;
    if (app.documents().count() != 0) {
        app.activeWindow().view().setShowAll(savedShowAll_);
        app.activeWindow().view().setShowFieldCodes(savedShowFieldCodes_);
    }
}

}  // namespace k72645
