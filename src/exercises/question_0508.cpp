// Exercise 508: merging to a new document. The learner merges the letter into a new document
// ("Lettres1", "Letters1" in Word's English edition); the check wants every merged document open
// to hold eight sections, one for each of the seven recipients and the last.
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"
#include "exercises/merged_documents.h"

namespace k72645 {

namespace {

class Question0508 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }
    void closeOwnItems() override {
        closeLeadingMergedDocuments(word(), PassCount::IntegerRecounted);
    }

    void runChecks(const CheckContext& /*context*/) override {
        // The 16-bit counter is left one past the count when no merged document is found.
        std::int16_t count = vb::cInt(Variant(word().documents().count()));
        std::int16_t i = 1;
        for (; i <= count; i = vb::addInteger(i, 1)) {
            if (isMergedDocumentName(word().documents().item(i).name()))
                break;
        }
        if (i > word().documents().count()) {
            setVerdict(u"A");  // no merged document
            return;
        }
        // Each merged document is activated in turn; the last one looked at stays active.
        count = vb::cInt(Variant(word().documents().count()));
        for (i = 1; i <= count; i = vb::addInteger(i, 1)) {
            if (!isMergedDocumentName(word().documents().item(i).name()))
                continue;
            word().documents().item(i).activate();
            if (word().activeDocument().sections().count() != kSections) {
                setVerdict(u"B");
                return;
            }
        }
    }

private:
    // Seven recipients, each letter followed by a section break, and the final paragraph.
    static constexpr std::int32_t kSections = 8;
};

}  // namespace

const ExerciseDeclaration& declareQuestion0508() {
    static const ExerciseDeclaration declaration{
        .number = 508,
        .className = u"Question0508",
        .title = u"Fusionner vers un nouveau document",
        .workingFiles =
            {
                {u"07264508.doc", u"Agence.doc"},
                {u"07264508.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true},
        .recipientsDialog = RecipientsDialogPolicy::CloseIt,
        .classId = u"{81336573-6ED3-4910-996C-B64BD4EAB95D}",
        .make = makeExercise<Question0508>,
    };
    return declaration;
}

}  // namespace k72645
