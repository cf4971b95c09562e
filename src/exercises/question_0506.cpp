// Exercise 506: attaching the data source. The learner makes the letter a form-letter main
// document whose data source is the working folder's "Clients.mdb".
#include "automation/text.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0506 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { updateFields(word(), u"Agence.doc"); }

    void runChecks(const CheckContext& /*context*/) override {
        // The exercise's letter: its name in any case, and the bookmark that the delivered letter
        // holds.
        if (lcase(word().activeDocument().name()) != lcase(u"Agence.doc") ||
            !word().activeDocument().bookmarks().exists(u"e01")) {
            setVerdict(u"A");
            return;
        }
        // A main document, without a header source.
        const std::int32_t state = mailMerge().state();
        if (state == kNormalDocument || state == kMainAndSourceAndHeader) {
            setVerdict(u"A");
            return;
        }
        if (mailMerge().state() == kMainDocumentOnly) {
            setVerdict(u"B");  // no data source
            return;
        }
        if (lcase(mailMerge().dataSource().name()) != lcase(workingFolder() + u"clients.mdb")) {
            setVerdict(u"C");
            complement().add(u" " + mailMerge().dataSource().name());
            return;
        }
        if (mailMerge().mainDocumentType() != word::wdFormLetters)
            setVerdict(u"E");
    }

private:
    // Word's mail-merge states compared by the check.
    static constexpr std::int32_t kNormalDocument = 0;
    static constexpr std::int32_t kMainDocumentOnly = 1;
    static constexpr std::int32_t kMainAndSourceAndHeader = 4;

    word::MailMerge mailMerge() const { return word().activeDocument().mailMerge(); }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0506() {
    static const ExerciseDeclaration declaration{
        .number = 506,
        .className = u"Question0506",
        .title = u"Attacher la source de données",
        .workingFiles =
            {
                {u"07264506.doc", u"Agence.doc"},
                {u"07264506.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true, .bookmarks = {u"e01"}},
        .classId = u"{0EB0F097-A3DD-46FA-BFCB-80FE8710C54A}",
        .make = makeExercise<Question0506>,
    };
    return declaration;
}

}  // namespace k72645
