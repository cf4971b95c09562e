// Exercise 502: two documents open with the letter active. The check counts the open documents
// whose full names end like the letter or the insertion document, and wants the letter active.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {

class Question0502 : public ExerciseFrame {
public:
    explicit Question0502(ExerciseServices services)
        : ExerciseFrame(u"Question0502", std::move(services)) {
        addWorkingFile(u"07264502.doc", u"Insertion.doc", false);
        addWorkingFile(u"17264502.doc", u"Agence.doc", false);
        addWorkingFile(u"07264502.dot", u"Lettre ORB.dot", true);
    }

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

    void runChecks() override {
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

std::shared_ptr<ExerciseFrame> makeQuestion0502(ExerciseServices services) {
    return std::make_shared<Question0502>(std::move(services));
}

}  // namespace k72645
