// Exercise 518: mailing labels. The class with its declaration and its own Prepare steps; its
// checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"
#include "exercises/merged_documents.h"

namespace k72645 {

namespace {

class Question0518 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    std::u16string mainDocumentName() const override { return u"Etiquettes.doc"; }
    void prepareOwnSteps() override {
        updateFields(word(), u"Etiquettes.doc");
        word().activeDocument().mailMerge().setMainDocumentType(word::wdMailingLabels);
        word().activeDocument().mailMerge().openDataSource(workingFolder() + u"Adresses.mdb");
    }
    void closeOwnItems() override { closeLeadingMergedDocuments(word(), PassCount::Long); }

    void runChecks(const CheckContext& /*context*/) override {
        // The learner's field-code display, given back after every verdict.
        const bool fieldCodesShown = word().activeWindow().view().showFieldCodes();
        checkLabels();
        // A failure above leaves the display as the check had set it; a verdict does not.
        word().activeWindow().view().setShowFieldCodes(fieldCodesShown);
    }

private:
    // The labels' tests in order; the first test that fails sets its code.
    void checkLabels() {
        // A labels main document, holding at least one label line.
        if (word().activeDocument().mailMerge().mainDocumentType() != word::wdMailingLabels) {
            setVerdict(u"A");
            return;
        }
        if (word().activeDocument().paragraphs().count() < 4) {
            setVerdict(u"B");
            return;
        }
        // With field codes hidden, the fourth line of the first label shows the merge
        // field cpvil alone.
        word().activeWindow().view().setShowFieldCodes(false);
        if (!isLabelLine(4)) {
            setVerdict(u"C");
            return;
        }
        // Every label laid out alike (six merge fields each, the NEXT fields between).
        if (word().activeDocument().fields().count() != 97) {
            setVerdict(u"D");
            return;
        }
        const std::int32_t paragraphs = word().activeDocument().paragraphs().count();
        for (std::int32_t k = 4; k <= paragraphs; k = vb::addLong(k, 6)) {
            if (!isLabelLine(k)) {
                setVerdict(u"D");
                return;
            }
        }
    }

    // The paragraph shows the merge field cpvil alone: "«cpvil»" and its paragraph mark, the
    // quotation marks taken in Windows-1252; letter case does not count.
    bool isLabelLine(std::int32_t k) const {
        const std::u16string line = std::u16string(1, chr(171)) + u"cpvil" + chr(187) + u"\r";
        return lcase(word().activeDocument().paragraphs().item(k).range().text()) == line;
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0518() {
    static const ExerciseDeclaration declaration{
        .number = 518,
        .className = u"Question0518",
        .title = u"Étiquettes de publipostage",
        .workingFiles =
            {
                {u"07264518.doc", u"Etiquettes.doc"},
                {u"07264518.mdb", u"Adresses.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .paragraphCount = true,
                           .bookmarks = {u"e01"},
                           .mainDocument = true},
        .make = makeExercise<Question0518>,
    };
    return declaration;
}

}  // namespace k72645
