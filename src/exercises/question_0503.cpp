// Exercise 503: AutoText inserted at a bookmark. The learner inserts "Voyages et rêves" and a
// line break at the bookmark "t01"; the check reads the text of the bookmark "s01" and accepts
// only that exact form.
#include "automation/text.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0503 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override {
        word().activeDocument().setAttachedTemplate(templateFolder() + u"Lettre ORB.dot");
        // The learner inserts the words where the insertion point waits.
        word().selection().goToBookmark(u"t01");
    }
    void closeOwnItems() override { removeTemplateFolder(); }

    void runChecks(const CheckContext& /*context*/) override {
        const word::Range range = word().activeDocument().bookmarks().item(u"s01").range();
        // The text is read afresh for each comparison. The words are recognised without their
        // accent in any case, or with a capital R; all three comparisons are made.
        const bool notUnaccented = lcase(range.text()) != u"voyages et reves\v";
        const bool notCapitalR = range.text() != u"Voyages et Rêves\v";
        const bool notExact = range.text() != u"Voyages et rêves\v";
        if (notUnaccented && notCapitalR && notExact) {
            setVerdict(u"A");
            return;
        }
        if (range.text() != u"Voyages et rêves\v")
            setVerdict(u"B");  // recognised, but not in its exact form
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0503() {
    static const ExerciseDeclaration declaration{
        .number = 503,
        .className = u"Question0503",
        .title = u"Insertion automatique à un signet",
        .workingFiles =
            {
                {u"07264503.doc", u"Agence.doc"},
                {u"07264503.dot", u"Lettre ORB.dot", true},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"e01", u"s01", u"t01"}},
        .classId = u"{EB0F6786-ECCD-4F1D-AA9C-26856B496B61}",
        .make = makeExercise<Question0503>,
    };
    return declaration;
}

}  // namespace k72645
