// Exercise 514: conditional text with an IF field. The class with its declaration and its own
// Prepare steps; its checks run in runChecks.
#include "automation/text.h"
#include "errors/error_service.h"
#include "exercises/exercise_declaration.h"

namespace k72645 {

namespace {

class Question0514 : public ExerciseFrame {
public:
    using ExerciseFrame::ExerciseFrame;

protected:
    void prepareOwnSteps() override {
        word().activeDocument().mailMerge().setMainDocumentType(word::wdFormLetters);
        word().activeDocument().mailMerge().openDataSource(workingFolder() + u"Clients.mdb");
        // Field results, not field codes, are shown when the learner starts.
        word().activeWindow().view().setShowFieldCodes(false);
        updateFields(word(), u"Agence.doc");
        word().selection().goToBookmark(u"t01");
    }

    void runChecks(const CheckContext& /*context*/) override {
        // The learner's field-code display, given back after every verdict.
        const bool fieldCodesShown = word().activeWindow().view().showFieldCodes();
        if (fieldCodesShown)
            word().activeWindow().view().setShowFieldCodes(false);
        // The zone, read with field codes so that the IF field's code holds the code of
        // the merge field nested in it.
        const word::Range zone = word().activeDocument().bookmarks().item(u"s01").range();
        word().activeWindow().view().setShowFieldCodes(true);
        checkZone(zone);
        // A failure above leaves field codes shown; a verdict does not.
        word().activeWindow().view().setShowFieldCodes(fieldCodesShown);
    }

private:
    // The zone's tests in order; the first test that fails sets its code.
    void checkZone(const word::Range& zone) {
        // The IF field and the merge field nested in it.
        const std::int32_t fields = zone.fields().count();
        if (fields == 0) {
            setVerdict(u"A");
            return;
        }
        if (fields != 2) {
            setVerdict(u"B");
            return;
        }
        // "if" directly followed by the nested field.
        const std::u16string packed = lcase(removeSpaces(fieldCode(zone, 1)));
        const std::int64_t mergeField = inStr(packed, u"mergefield");
        if (mergeField == 0) {
            // An IF field without a merge field in it cannot be judged: the check fails with
            // VB's "Invalid procedure call or argument", located by the frame.
            throw errors::invalidCall();
        }
        if (left(packed, mergeField - 1) != std::u16string(u"if") + kFieldBegin) {
            setVerdict(u"C");
            return;
        }
        // The nested field is the merge field Groupe, without switches.
        if (lcase(trim(fieldCode(zone, 2))) != u"mergefield " + lcase(u"Groupe")) {
            setVerdict(u"D");
            return;
        }
        // A comparison operator followed by a space.
        const std::u16string code = lcase(fieldCode(zone, 1));
        const bool equal = contains(code, u"= ");
        const bool different = contains(code, u"<> ");
        const bool less = contains(code, u"< ");
        const bool greater = contains(code, u"> ");
        if (!equal && !different && !less && !greater) {
            setVerdict(u"B");
            return;
        }
        // The comparison forms, in this order; each that applies must fit its operator.
        if (equal) {
            const std::u16string rest = tail(packed, u"=");
            if (!(mid(rest, 1, 1) == u"1"   ? fridayFirst(rest, u"E", u"F")
                  : mid(rest, 1, 1) == u"2" ? saturdayFirst(rest, u"F", u"E")
                                            : unfit()))
                return;
        }
        if (!different && less) {
            const std::u16string rest = tail(packed, u"<");
            if (!(mid(rest, 1, 1) == u"2" ? fridayFirst(rest, u"E", u"F") : unfit()))
                return;
        }
        if (!different && greater) {
            const std::u16string rest = tail(packed, u">");
            if (!(mid(rest, 1, 1) == u"1" ? saturdayFirst(rest, u"E", u"F") : unfit()))
                return;
        }
        if (different) {
            const std::u16string rest = tail(packed, u"<>");
            if (!(mid(rest, 1, 1) == u"2"   ? fridayFirst(rest, u"E", u"F")
                  : mid(rest, 1, 1) == u"1" ? saturdayFirst(rest, u"E", u"F")
                                            : unfit()))
                return;
        }
        // What the zone shows for the current record.
        word().activeWindow().view().setShowFieldCodes(false);
        if (zone.text() != u"les vendredi \u00e0")
            setVerdict(u"H");
    }

    static constexpr char16_t kFieldBegin = 19;

    static bool contains(const std::u16string& text, std::u16string_view part) {
        return inStr(text, part) > 0;
    }
    // The text of the code range of the n-th field of the zone, read from Word at each call.
    static std::u16string fieldCode(const word::Range& zone, std::int32_t n) {
        return zone.fields().item(n).code().text();
    }
    // What follows the first occurrence of the operator in the packed code.
    static std::u16string tail(const std::u16string& packed, std::u16string_view op) {
        return mid(packed, inStr(packed, op) + static_cast<std::int64_t>(op.size()));
    }
    // "vendredi" at positions 3 to 10 and "samedi" at 13 to 18 of the tail.
    bool fridayFirst(const std::u16string& rest, const char16_t* fridayCode,
                     const char16_t* saturdayCode) {
        if (mid(rest, 3, 8) != u"vendredi")
            return failWith(fridayCode);
        if (mid(rest, 13, 6) != u"samedi")
            return failWith(saturdayCode);
        return true;
    }
    // "samedi" at positions 3 to 8 and "vendredi" at 11 to 18 of the tail.
    bool saturdayFirst(const std::u16string& rest, const char16_t* saturdayCode,
                       const char16_t* fridayCode) {
        if (mid(rest, 3, 6) != u"samedi")
            return failWith(saturdayCode);
        if (mid(rest, 11, 8) != u"vendredi")
            return failWith(fridayCode);
        return true;
    }
    // The value compared with Groupe does not fit the operator.
    bool unfit() { return failWith(u"G"); }
    bool failWith(const char16_t* code) {
        setVerdict(code);
        return false;
    }
};

}  // namespace

const ExerciseDeclaration& declareQuestion0514() {
    static const ExerciseDeclaration declaration{
        .number = 514,
        .className = u"Question0514",
        .title = u"Texte conditionnel avec un champ SI",
        .workingFiles =
            {
                {u"07264514.doc", u"Agence.doc"},
                {u"07264514.mdb", u"Clients.mdb"},
            },
        .documentChecks = {.workingDocumentOpen = true,
                           .workingDocumentActive = true,
                           .bookmarks = {u"s01", u"t01"},
                           .mainDocument = true},
        .make = makeExercise<Question0514>,
    };
    return declaration;
}

}  // namespace k72645
