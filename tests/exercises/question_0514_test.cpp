#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0514Test : public LateExerciseTest {
protected:
    Question0514Test() { prepare(514); }
    // The learner's fields typed at t01, between the two spaces of the zone s01.
    std::u16string checkZone(const std::u16string& markup) {
        type(bookmark(u"t01"), markup);
        const std::u16string code = check();
        type(bookmark(u"s01"), u"les [t01><t01] \u00e0");
        return code;
    }
    std::u16string checkIf(const std::u16string& comparison) {
        return checkZone(u"{ IF { MERGEFIELD Groupe } " + comparison + u" }");
    }
};

TEST_F(Question0514Test, TheSixFormsPassAndLessOrEqualReadsAsEqual) {
    // A pass gives the learner's field-code display back, too.
    for (const bool shown : {true, false}) {
        setFieldCodes(shown);
        for (const char16_t* comparison :
             {u"= 1 \"vendredi\" \"samedi\"", u"= 2 \"samedi\" \"vendredi\"",
              u"< 2 \"vendredi\" \"samedi\"", u"> 1 \"samedi\" \"vendredi\"",
              u"<> 2 \"vendredi\" \"samedi\"", u"<> 1 \"samedi\" \"vendredi\"",
              u"<= 1 \"vendredi\" \"samedi\"", u">= 2 \"samedi\" \"vendredi\""}) {
            EXPECT_EQ(checkIf(comparison), u"") << toUtf8(comparison);
            EXPECT_EQ(fieldCodes(), shown) << toUtf8(comparison);
        }
    }
}

TEST_F(Question0514Test, EachCodeAndTheFieldCodeDisplayGivenBack) {
    struct Case {
        std::u16string markup, code;
    };
    const std::u16string merge = u"{ MERGEFIELD Groupe }";
    for (const bool shown : {true, false}) {
        setFieldCodes(shown);
        for (const Case& c : {
                 Case{u"", u"A"},
                 Case{u"{ IF 1 = 1 \"vendredi\" \"samedi\" }", u"B"},
                 Case{u"{ IF " + merge + u" =1 \"vendredi\" \"samedi\" }", u"B"},
                 Case{u"{ IF 1" + merge + u" = 1 \"vendredi\" \"samedi\" }", u"C"},
                 Case{u"{ IF { MERGEFIELD Groupe \\* MERGEFORMAT } = 1 \"vendredi\" \"samedi\" }",
                      u"D"},
                 Case{u"{ IF " + merge + u" = 1 \"lundi\" \"samedi\" }", u"E"},
                 Case{u"{ IF " + merge + u" = 1 \"vendredi\" \"dimanche\" }", u"F"},
                 // The same misspelt first text: F for "equal to 2", E for "greater than 1".
                 Case{u"{ IF " + merge + u" = 2 \"samdi\" \"vendredi\" }", u"F"},
                 Case{u"{ IF " + merge + u" > 1 \"samdi\" \"vendredi\" }", u"E"},
                 Case{u"{ IF " + merge + u" = \"1\" \"vendredi\" \"samedi\" }", u"G"},
                 Case{u"{ IF " + merge + u" <> 3 \"vendredi\" \"samedi\" }", u"G"},
                 // Positions past 18 are not read; the zone then shows "vendredis".
                 Case{u"{ IF " + merge + u" > 1 \"samedi\" \"vendredis\" }", u"H"},
             }) {
            EXPECT_EQ(checkZone(c.markup), c.code) << toUtf8(c.markup);
            EXPECT_EQ(fieldCodes(), shown);
        }
    }
    setActiveRecord(2);  // FOUCAL, group 2: the zone shows "samedi"
    EXPECT_EQ(checkIf(u"= 1 \"vendredi\" \"samedi\""), u"H");
    EXPECT_TRUE(complement().empty());
}

TEST_F(Question0514Test, AnIfFieldWithoutMergeFieldIsALocatedFailure) {
    type(bookmark(u"t01"), u"{ IF { DATE } = 1 \"vendredi\" \"samedi\" }");
    expectFailure(5, u"Question0514", u"K72645");
    EXPECT_TRUE(fieldCodes());  // a failure leaves field codes shown
    call(member(member(activeDocument(), u"Bookmarks"), u"Item", {u"s01"}), u"Delete");
    expectFailure(5941, u"Question0514");
}

}  // namespace
}  // namespace k72645::testing::late
