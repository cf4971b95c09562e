#include <gtest/gtest.h>

#include "sim/story/story.h"
#include "sim_story/story_builders.h"

namespace k72645::sim {
namespace {

using testing::bookmarkText;
using testing::codesShown;
using testing::storyFrom;
using testing::wholeText;

constexpr char16_t B = kFieldBegin;
constexpr char16_t E = kFieldEnd;

RenderContext withRecord(std::u16string groupe) {
    RenderContext context;
    context.mergeValue = [groupe](std::u16string_view name) -> std::optional<std::u16string> {
        if (name == u"Groupe")
            return groupe;
        if (name == u"Adresse2")
            return u"";
        return std::nullopt;
    };
    return context;
}

TEST(Rendering, FieldShowsCodeOrResultAsTheViewSays) {
    Story story = storyFrom(u"Nantes, le { DATE \\@ \"d MMMM yyyy\" }\\r");
    RenderContext hidden;
    hidden.now = 45000;  // 2023-03-15
    EXPECT_EQ(wholeText(story, hidden), u"Nantes, le 15 mars 2023\r");
    EXPECT_EQ(wholeText(story, codesShown()),
              u"Nantes, le " + std::u16string(1, B) + u" DATE \\@ \"d MMMM yyyy\" " + E + u"\r");
    EXPECT_EQ(story.characters(), u"Nantes, le \x13 DATE \\@ \"d MMMM yyyy\" \x14\x15\r");
}

TEST(Rendering, NestedIfInsideBookmarkReadsCodesAndResult) {
    Story story = storyFrom(
        u"Rendez-vous [s01>les { IF { MERGEFIELD Groupe } = 1 \"vendredi\" \"samedi\" } "
        u"\u00E0<s01] 10 h\\r");
    const std::u16string ifCode = u" IF " + std::u16string(1, B) + u" MERGEFIELD Groupe " + E +
                                  u" = 1 \"vendredi\" \"samedi\" ";
    EXPECT_EQ(bookmarkText(story, u"s01", codesShown()), u"les " + (B + ifCode + E) + u" \u00E0");
    EXPECT_EQ(bookmarkText(story, u"s01", withRecord(u"1")), u"les vendredi \u00E0");
    EXPECT_EQ(bookmarkText(story, u"s01", withRecord(u"2")), u"les samedi \u00E0");
    // Without record values the IF compares the chevron text with 1: not equal.
    EXPECT_EQ(bookmarkText(story, u"s01"), u"les samedi \u00E0");
    // While the merge shows field names, a merge field in the IF's code still compares the
    // record's value.
    RenderContext namesShown;
    namesShown.recordValue = withRecord(u"1").mergeValue;
    EXPECT_EQ(bookmarkText(story, u"s01", namesShown), u"les vendredi \u00E0");

    auto b = story.bookmark(u"s01");
    auto fields = story.fields(b->start, b->end);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_LT(fields[0].begin, fields[1].begin);  // the IF before the field nested in it
    EXPECT_EQ(story.render(fields[0].begin + 1, fields[0].separator, codesShown()), ifCode);
    EXPECT_EQ(story.fieldCode(fields[1]), u" MERGEFIELD Groupe ");
}

TEST(Rendering, MergeFieldShowsChevronsUnlessARecordGivesItsValue) {
    Story story = storyFrom(
        u"{ MERGEFIELD CpVille }|{mergefield \"Groupe\" \\* MERGEFORMAT}|"
        u"{ MERGEFIELD Adresse2 }|{ MERGEFIELD }\\r");
    EXPECT_EQ(wholeText(story), u"\u00ABCpVille\u00BB|\u00ABGroupe\u00BB|\u00ABAdresse2\u00BB|\r");
    // An empty value is a value: the field shows nothing.
    EXPECT_EQ(wholeText(story, withRecord(u"2")), u"\u00ABCpVille\u00BB|2||\r");
}

TEST(Rendering, IfComparesNumbersAsNumbersAndTextsExactly) {
    auto shown = [](std::u16string_view code) {
        return wholeText(storyFrom(u"{ " + std::u16string(code) + u" }"));
    };
    EXPECT_EQ(shown(u"IF 10 > 9 \"oui\" \"non\""), u"oui\r");  // numbers, not texts
    EXPECT_EQ(shown(u"IF \"10\" < 9 \"oui\" \"non\""), u"non\r");
    EXPECT_EQ(shown(u"IF 2,5 = 2.5 oui non"), u"oui\r");
    EXPECT_EQ(shown(u"IF abc < abd \"oui\" \"non\""), u"oui\r");
    EXPECT_EQ(shown(u"IF Abc = abc \"oui\" \"non\""), u"non\r");  // case counts
    EXPECT_EQ(shown(u"IF 1 <> 2 \"a \\\"b\\\"\" \"c\""), u"a \"b\"\r");
    EXPECT_EQ(shown(u"IF 1 <= 1 \"x\""), u"x\r");
    EXPECT_EQ(shown(u"IF 1 >= 2 \"x\""), u"\r");         // no false text
    EXPECT_EQ(shown(u"IF 1 =< 2 \"x\" \"y\""), u"y\r");  // not an operator
    EXPECT_EQ(shown(u"IF 1 ="), u"\r");
    EXPECT_EQ(shown(u"IF 99999999999999999999999999999999999999 > 1 \"big\" \"\""), u"big\r");
}

TEST(Rendering, OtherFieldsAndUnknownCodes) {
    RenderContext french;
    RenderContext english;
    english.englishEdition = true;
    Story story = storyFrom(
        u"{ PAGE }|{ FILLIN \"Nom ?\" \\d \"Dupont\" }|{ FILLIN \"Nom ?\" }|"
        u"{ NEXT }|{ ASK x }|{}|{ \"PAGE\" }|{ time \\@ \"HH:mm\" }\\r");
    french.now = english.now = 0.75;
    EXPECT_EQ(wholeText(story, french), u"1|Dupont||\u00ABEnregistrement suivant\u00BB||||18:00\r");
    EXPECT_EQ(wholeText(story, english), u"1|Dupont||\u00ABNext Record\u00BB||||18:00\r");
}

TEST(Rendering, RangeCuttingAFieldShowsItsCharactersWithoutSeparator) {
    Story story = storyFrom(u"a{ PAGE }b");
    const auto field = story.allFields().at(0);
    // From inside the code to past the field: the code's rest, then the field end.
    EXPECT_EQ(story.render(field.begin + 2, story.length(), {}),
              u"PAGE " + std::u16string(1, E) + u"b\r");
    // The field's begin and code only.
    EXPECT_EQ(story.render(0, field.separator, {}), u"a" + std::u16string(1, B) + u" PAGE ");
    EXPECT_EQ(story.render(5, 2, {}), u"");  // reversed range
    EXPECT_EQ(story.render(0, 1000, {}), u"a1b\r");
}

TEST(Rendering, DeepNestingNeitherCrashesNorOverflows) {
    std::u16string markup;
    for (int k = 0; k < 20000; ++k)
        markup += u"{ IF ";
    for (int k = 0; k < 20000; ++k)
        markup += u" = 1 }";
    Story story = storyFrom(markup);
    EXPECT_EQ(story.allFields().size(), 20000u);
    EXPECT_EQ(wholeText(story), u"\r");
    EXPECT_EQ(wholeText(story, codesShown()).size(), story.length() - 20000);
}

}  // namespace
}  // namespace k72645::sim
