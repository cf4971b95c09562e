// What a story must survive: markup that is wrong (located by line and column), field
// characters put in by hand, fields nested beyond any stack, dates out of range.
#include <gtest/gtest.h>

#include <limits>

#include "automation/text.h"
#include "sim/story/date_picture.h"
#include "sim/story/story.h"

namespace k72645::sim {
namespace {

Story storyFrom(std::u16string_view markup) {
    return Story(std::get<ParsedMarkup>(parseMarkup(markup)));
}
std::u16string wholeText(const Story& story, bool codesShown = false) {
    RenderContext context;
    context.showFieldCodes = codesShown;
    return story.render(0, story.length(), context);
}

TEST(StoryFaults, MarkupErrorsSayWhereAndWhatWasExpected) {
    struct Case {
        std::u16string_view markup;
        std::size_t line, column;
        std::string_view message;
    };
    for (const Case& c : {Case{u"ab}", 1, 3, "closes no field"},
                          Case{u"line one\nline { two\r\nthree", 2, 6, "expected \"}\""},
                          Case{u"x\r\nyy<b01]", 2, 3, "ends before it starts"},
                          Case{u"ok [s01>never ended", 1, 4, "expected \"<s01]\""},
                          Case{u"[a>x<a][A>y<A]", 1, 8, "already marked"},
                          Case{u"raw \x14 field", 1, 5, "field characters"}}) {
        const auto result = parseMarkup(c.markup);
        const auto* error = std::get_if<MarkupError>(&result);
        ASSERT_NE(error, nullptr) << toUtf8(c.markup);
        EXPECT_EQ(error->line, c.line) << toUtf8(c.markup);
        EXPECT_EQ(error->column, c.column) << toUtf8(c.markup);
        EXPECT_NE(error->message.find(c.message), std::string::npos) << error->message;
    }
}

TEST(StoryFaults, InsertedFieldCharactersAreMadeWellFormed) {
    Story story = storyFrom(u"ab");
    // A lone end, a field without separator (it stays without a result), a stale result, a
    // lone begin.
    EXPECT_EQ(story.insert(1, u"\x15{\x13 PAGE \x15}\x13 DATE \x14old result\x15\x13"),
              (StoryRange{1, 20}));
    EXPECT_EQ(story.characters(),
              u"a{\x13 PAGE \x15}\x13 DATE \x14\x15"
              u"b\r");
    EXPECT_EQ(story.allFields().size(), 2u);
}

TEST(StoryFaults, DeepNestingNeitherCrashesNorOverflows) {
    std::u16string markup;
    for (int k = 0; k < 20000; ++k)
        markup += u"{ IF ";
    for (int k = 0; k < 20000; ++k)
        markup += u" = 1 }";
    Story story = storyFrom(markup);
    EXPECT_EQ(story.allFields().size(), 20000u);
    EXPECT_EQ(wholeText(story), u"\r");
    EXPECT_EQ(wholeText(story, true).size(), story.length() - 20000);
}

TEST(StoryFaults, DatesOutsideTheirRangeAreTakenAsZero) {
    EXPECT_EQ(formatDatePicture(1e300, u"dd/MM/yyyy"), u"30/12/1899");
    EXPECT_EQ(formatDatePicture(std::numeric_limits<double>::quiet_NaN(), u"yyyy"), u"1899");
    EXPECT_EQ(formatDatePicture(-1.25, u"dd/MM/yyyy HH:mm"), u"29/12/1899 06:00");
    EXPECT_EQ(formatDatePicture(2958465.99999999, u"dd/MM/yyyy HH:mm:ss"), u"31/12/9999 23:59:59");
}

}  // namespace
}  // namespace k72645::sim
