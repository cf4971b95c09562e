#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0518Test : public LateExerciseTest {
protected:
    Question0518Test() { prepare(518); }
    // The first label laid out over its first four paragraphs: six merge fields.
    void layOut() {
        type(call(activeDocument(), u"Range", {std::int32_t{0}, std::int32_t{4}}),
             u"{ MERGEFIELD titre } { MERGEFIELD nom }{ MERGEFIELD pr\u00e9nom }\\r"
             u"{ MERGEFIELD adresse_ligne_1 }\\r{ MERGEFIELD adresse_ligne_2 }\\r"
             u"{ MERGEFIELD cpvil }\\r");
    }
    Variant paragraph(std::int32_t k) {
        return member(member(member(activeDocument(), u"Paragraphs"), u"Item", {k}), u"Range");
    }
    std::u16string checkWithCodes(bool shown) {
        setFieldCodes(shown);
        const std::u16string code = check();
        EXPECT_EQ(fieldCodes(), shown) << toUtf8(code);
        return code;
    }
};

TEST_F(Question0518Test, EachCodeAndTheFieldCodeDisplayGivenBack) {
    EXPECT_EQ(checkWithCodes(true), u"C");
    layOut();
    EXPECT_EQ(checkWithCodes(false), u"D");  // not propagated: 19 fields
    call(mailMerge(), u"PropagateLabel");
    EXPECT_EQ(checkWithCodes(true), u"");
    type(paragraph(10), u"{ MERGEFIELD CPVIL }\\r");  // case does not count
    EXPECT_EQ(checkWithCodes(false), u"");
    type(paragraph(16), u"{ MERGEFIELD nom }\\r");
    EXPECT_EQ(checkWithCodes(true), u"D");
    type(paragraph(4), u"{ MERGEFIELD cpvil } { MERGEFIELD nom }\\r");
    EXPECT_EQ(checkWithCodes(false), u"C");
    put(mailMerge(), u"MainDocumentType", std::int32_t{0});
    EXPECT_EQ(checkWithCodes(true), u"A");
    put(mailMerge(), u"MainDocumentType", std::int32_t{1});
    type(member(activeDocument(), u"Content"), u"a\\rb\\r");
    EXPECT_EQ(checkWithCodes(true), u"B");
    EXPECT_TRUE(complement().empty());
}

TEST_F(Question0518Test, TheWalkStopsAtTheLastParagraphAndMergedDataGiveC) {
    // Twenty paragraphs, 4, 10 and 16 showing the field; 94 PAGE fields make the count up.
    std::u16string story;
    for (int i = 0; i < 94; ++i)
        story += u"{ PAGE }";
    for (int k = 1; k < 20; ++k)  // the story's final paragraph mark closes the twentieth
        story += (k % 6 == 4 ? u"{ MERGEFIELD cpvil }" : u"") + std::u16string(u"\\r");
    type(member(activeDocument(), u"Content"), story);
    EXPECT_EQ(check(), u"");
    // One field more than the 97 of a full sheet, everything else right.
    type(member(activeDocument(), u"Content"), u"{ PAGE }" + story);
    EXPECT_EQ(check(), u"D");
    type(member(activeDocument(), u"Content"), story);
    put(mailMerge(), u"ViewMailMergeFieldCodes", false);
    EXPECT_EQ(check(), u"C");
    call(question, u"Fermer");
}

TEST_F(Question0518Test, AFailureIsLocatedAndLeavesFieldCodesHidden) {
    auto fault = std::make_shared<Fault>();
    fault->member = u"Fields";
    call(app(u"Documents"), u"Close", {std::int32_t{0}});
    prepare(518, FaultyDispatch::wrap(word, fault));
    layOut();
    setFieldCodes(true);
    fault->armed = true;
    expectFailure(-2147418111, u"Question0518");
    EXPECT_FALSE(fieldCodes());
}

}  // namespace
}  // namespace k72645::testing::late
