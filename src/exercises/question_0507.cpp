// Exercise 507: inserting a merge field. The learner puts the merge field CpVille at the start of
// the passage of the bookmark "s01", in place of the text "codeville". The check reads the passage
// with field codes hidden, so that a merge field reads as its name between chevrons.
#include "automation/text.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0507 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override { prepareFormLetterWithClients(word(), workingFolder()); }

    void runChecks(const CheckContext& /*context*/) override {
        const word::Range range = word().activeDocument().bookmarks().item(u"s01").range();
        const bool saved = view().showFieldCodes();
        if (view().showFieldCodes())
            view().setShowFieldCodes(false);
        // Without its last character (the paragraph mark); an empty passage fails here, and the
        // display is then left with field codes hidden.
        const std::u16string text = range.text();
        judge(left(text, static_cast<std::int64_t>(text.size()) - 1));
        view().setShowFieldCodes(saved);
    }

private:
    word::View view() const { return word().activeWindow().view(); }

    void judge(const std::u16string& judged) {
        if (inStr(lcase(judged), u"codeville") != 0) {
            setVerdict(u"A");  // the placeholder text is still there
            return;
        }
        const std::u16string open(1, chr(171));
        const std::u16string close(1, chr(187));
        const std::int64_t p1 = inStr(judged, open);
        const std::int64_t p2 = inStr(judged, close);
        if (p1 == 0 || p2 <= p1) {
            setVerdict(u"B");  // no merge field shown
            return;
        }
        if (left(judged, 9) != open + u"CpVille" + close) {
            setVerdict(u"C");
            complement().add(u" " + judged);
        }
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0507() {
    static const ExerciseDeclaration declaration{
        .number = 507,
        .className = u"Question0507",
        .title = u"Insérer un champ de fusion",
        .workingFiles =
            {
                {u"07264507.doc", u"Agence.doc"},
                {u"07264507.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"e01", u"s01"},
                           .mainDocument = true},
        .classId = u"{3288C4EF-6F02-454D-AC19-F2983C268CC3}",
        .make = makeExercise<Question0507>,
    };
    return declaration;
}

}  // namespace k72645
