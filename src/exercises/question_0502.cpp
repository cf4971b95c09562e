// Exercise 502: two documents open with the letter active. The check counts the open documents
// whose full names end like the letter or the insertion document, and wants the letter active.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0502 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void openMainDocument() override {
        // Both documents are opened and activated in turn, each with the letter template
        // attached; the letter, opened last, is the active one.
        for (const std::u16string name : {u"Insertion.doc", u"Agence.doc"}) {
            openAndActivate(word(), workingFolder(), name);
            word().activeDocument().setAttachedTemplate(templateFolder() + u"Lettre ORB.dot");
        }
    }
    void closeOwnItems() override { removeTemplateFolder(); }

    void runChecks(const CheckContext& /*context*/) override {
        if (word().documents().count() == 0) {
            setVerdict(u"A");
            return;
        }
        // Each document is reached through the active document's application; a second copy
        // of either document, from any folder, counts as well.
        std::int32_t matches = 0;
        const std::int16_t count =
            vb::cInt(Variant(word().activeDocument().application().documents().count()));
        for (std::int16_t i = 1; i <= count; i = vb::addInteger(i, 1)) {
            const std::u16string name =
                lcase(word().activeDocument().application().documents().item(i).fullName());
            if (right(name, 10) == u"agence.doc" || right(name, 13) == u"insertion.doc")
                matches = vb::addLong(matches, 1);
        }
        if (matches != 2) {
            setVerdict(u"A");
            return;
        }
        if (right(lcase(word().activeDocument().fullName()), 10) != u"agence.doc")
            setVerdict(u"B");  // the letter is not the active document
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0502() {
    static const ExerciseDeclaration declaration{
        .number = 502,
        .className = u"Question0502",
        .title = u"Deux documents ouverts, la lettre active",
        .workingFiles =
            {
                {u"07264502.doc", u"Insertion.doc"},
                {u"17264502.doc", u"Agence.doc"},
                {u"07264502.dot", u"Lettre ORB.dot", true},
            },
        .classId = u"{D400AB19-4149-43B8-801A-81A36301FB6E}",
        .make = makeExercise<Question0502>,
    };
    return declaration;
}

}  // namespace k72645
