// Exercise 503: AutoText inserted at a bookmark. The learner inserts "Voyages et rêves" and a
// line break at the bookmark "t01"; the check reads the text of the bookmark "s01" and accepts
// only that exact form.
#include "automation/text.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {

class Question0503 : public ExerciseFrame {
public:
    explicit Question0503(ExerciseServices services)
        : ExerciseFrame(u"Question0503", std::move(services)) {
        addWorkingFile(u"07264503.doc", u"Agence.doc", false);
        addWorkingFile(u"07264503.dot", u"Lettre ORB.dot", true);
    }

protected:
    void prepareOwnSteps() override {
        word().activeDocument().setAttachedTemplate(templateFolder() + u"Lettre ORB.dot");
        // The learner inserts the words where the insertion point waits.
        word().selection().goToBookmark(u"t01");
    }
    void closeOwnItems() override { removeTemplateFolder(); }

    void runChecks() override {
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

std::shared_ptr<ExerciseFrame> makeQuestion0503(ExerciseServices services) {
    return std::make_shared<Question0503>(std::move(services));
}

}  // namespace k72645
