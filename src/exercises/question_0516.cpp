// Exercise 516: a fill-in field. The class with its declaration and its own Prepare steps; its
// checks run in runChecks.
#include "automation/text.h"
#include "automation/vb.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0516 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void openMainDocument() override {
        // This exercise reaches Word by member name only: Documents, Open and Activate.
        const DispatchPtr application = wordObject();
        call(toObject(get(application, u"Documents")), u"Open", {workingFolder() + u"Badge.doc"});
        const DispatchPtr documents = toObject(get(application, u"Documents"));
        call(toObject(get(documents, u"", {u"Badge.doc"})), u"Activate");
    }

    void runChecks(const CheckContext& /*context*/) override {
        // The learner's display options, given back after a verdict.
        const bool fieldCodes = vb::cBool(get(view(), u"ShowFieldCodes"));
        const bool showAll = vb::cBool(get(view(), u"ShowAll"));
        // Every formatting mark and the field codes shown.
        put(view(), u"ShowAll", true);
        put(view(), u"ShowFieldCodes", true);
        // One field, a fill-in field.
        const Variant count = get(fields(), u"count");
        if (vb::equals(count, std::int32_t{0})) {
            setVerdict(u"A");
        } else if (!vb::equals(count, std::int32_t{1})) {
            setVerdict(u"B");
        } else {
            const Variant code = get(toObject(get(fields(), u"", {std::int32_t{1}})), u"Code");
            if (inStr(vb::cStr(vb::valueOf(code)), u"FILLIN") > 0)
                return;  // passed: the formatting marks and field codes stay shown
            setVerdict(u"C");
        }
        // Back to the learner's display options.
        put(view(), u"ShowFieldCodes", fieldCodes);
        put(view(), u"ShowAll", showAll);
    }

private:
    // ActiveWindow.View and ActiveDocument.Fields, by member name, afresh at each use.
    DispatchPtr view() const {
        return toObject(get(toObject(get(wordObject(), u"ActiveWindow")), u"View"));
    }
    DispatchPtr fields() const {
        return toObject(get(toObject(get(wordObject(), u"ActiveDocument")), u"Fields"));
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0516() {
    static const ExerciseDeclaration declaration{
        .number = 516,
        .className = u"Question0516",
        .title = u"Champ Remplir",
        .workingFiles =
            {
                {u"07264516.doc", u"Badge.doc"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .paragraphCount = true,
                           .bookmarks = {u"e01"}},
        .make = makeExercise<Question0516>,
    };
    return declaration;
}

}  // namespace k72645
