// Exercise 501: an AutoText entry in the letter template. The learner stores in "Lettre ORB.dot"
// an entry "vr" holding "Voyages et rêves" without its paragraph mark; the check reads the
// entries of the template attached to the active document.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0501 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    std::u16string mainDocumentName() const override { return u"Insertion.doc"; }
    void prepareOwnSteps() override {
        // The course's letter template, which Renomme placed in the template folder.
        word().activeDocument().setAttachedTemplate(templateFolder() + u"Lettre ORB.dot");
    }
    void closeOwnItems() override { removeTemplateFolder(); }

    void runChecks(const CheckContext& /*context*/) override {
        // The entry looked for, in any case of letters; the position found only tells whether
        // there is one.
        const std::int16_t count = vb::cInt(get(entries().object(), u"Count"));
        std::int16_t index = 1;
        while (index <= count) {
            if (lcase(entries().item(index).name()) == u"vr")
                break;
            index = vb::addInteger(index, 1);
        }
        if (index > vb::cLng(get(entries().object(), u"Count"))) {
            setVerdict(u"A");
            return;
        }
        // The entry's text, looked up by its name and read at each comparison.
        if (value() == kText + u"\r") {
            setVerdict(u"B");  // stored with its paragraph mark
            return;
        }
        if (value() != kText)
            setVerdict(u"C");
    }

private:
    static inline const std::u16string kText = u"Voyages et rêves";

    // The AutoText entries of the active document's template, reached afresh at each use and
    // called by name.
    word::AutoTextEntries entries() const {
        return word().activeDocument().attachedTemplate().autoTextEntries();
    }
    std::u16string value() const { return entries().item(u"vr").value(); }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0501() {
    static const ExerciseDeclaration declaration{
        .number = 501,
        .className = u"Question0501",
        .title = u"Insertion automatique dans le modèle de lettre",
        .workingFiles =
            {
                {u"07264501.doc", u"Insertion.doc"},
                {u"07264501.dot", u"Lettre ORB.dot", true},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .paragraphCount = true,
                           .bookmarks = {u"e01"}},
        .classId = u"{1543CFBE-2C5D-4EF0-A300-F709A97E5456}",
        .make = makeExercise<Question0501>,
    };
    return declaration;
}

}  // namespace k72645
