#include <gtest/gtest.h>

#include "automation/text.h"
#include "sim/story/story.h"
#include "sim_story/story_builders.h"

namespace k72645::sim {
namespace {

MarkupError errorOf(std::u16string_view markup) {
    auto result = parseMarkup(markup);
    if (auto* error = std::get_if<MarkupError>(&result))
        return *error;
    ADD_FAILURE() << "parsed: " << toUtf8(markup);
    return {};
}

// The story's markup reads back to the same characters and bookmarks.
void expectRoundTrip(const Story& story) {
    const std::u16string markup = story.toMarkup(0, story.length());
    auto reread = parseMarkup(markup);
    ASSERT_TRUE(std::holds_alternative<ParsedMarkup>(reread)) << toUtf8(markup);
    const Story again(std::get<ParsedMarkup>(reread));
    EXPECT_EQ(again.characters(), story.characters()) << toUtf8(markup);
    const auto before = story.bookmarks();
    const auto after = again.bookmarks();
    ASSERT_EQ(before.size(), after.size()) << toUtf8(markup);
    for (std::size_t k = 0; k < before.size(); ++k) {
        EXPECT_EQ(after[k].name, before[k].name);
        EXPECT_EQ(after[k].start, before[k].start) << toUtf8(before[k].name);
        EXPECT_EQ(after[k].end, before[k].end) << toUtf8(before[k].name);
    }
}

TEST(Markup, ErrorsSayWhereAndWhatWasExpected) {
    MarkupError e = errorOf(u"ab}");
    EXPECT_EQ(e.line, 1u);
    EXPECT_EQ(e.column, 3u);
    EXPECT_NE(e.message.find("closes no field"), std::string::npos);

    e = errorOf(u"line one\nline { two\r\nthree");
    EXPECT_EQ(e.line, 2u);
    EXPECT_EQ(e.column, 6u);
    EXPECT_NE(e.message.find("expected \"}\""), std::string::npos);

    e = errorOf(u"x\r\nyy<b01]");
    EXPECT_EQ(e.line, 2u);
    EXPECT_EQ(e.column, 3u);
    EXPECT_NE(e.message.find("ends before it starts"), std::string::npos);

    e = errorOf(u"ok [s01>never ended");
    EXPECT_EQ(e.column, 4u);
    EXPECT_NE(e.message.find("expected \"<s01]\""), std::string::npos);

    e = errorOf(u"[a>x<a][A>y<A]");
    EXPECT_EQ(e.column, 8u);
    EXPECT_NE(e.message.find("already marked"), std::string::npos);

    e = errorOf(u"raw \x14 field");
    EXPECT_EQ(e.column, 5u);
    EXPECT_NE(e.message.find("field characters"), std::string::npos);
}

TEST(Markup, WrittenMarkupReadsBack) {
    Story story = testing::storyFrom(
        u"[e01>Agence \\{ORB\\}<e01]\\rNantes, le { DATE \\@ \"d MMMM yyyy\" }\\r"
        u"[s01>les [t01><t01] \u00E0<s01] C:\\\\rep\\\\ \\\\{ IF { MERGEFIELD Groupe } < 2 \"a\" "
        u"}\\f"
        u"\\[b> \\<b] \\\\\\[c> [x\\<y]");
    EXPECT_EQ(
        story.toMarkup(0, story.length()),
        u"[e01>Agence \\{ORB\\}<e01]\\rNantes, le { DATE \\@ \"d MMMM yyyy\" }\\r"
        u"[s01>les [t01><t01] \u00E0<s01] C:\\\\rep\\ \\\\{ IF { MERGEFIELD Groupe } < 2 \"a\" }\\f"
        u"\\[b> \\<b] \\\\\\[c> [x\\<y]\\r");
    expectRoundTrip(story);

    // Bookmarks at the same place, at the very end, and across a field.
    Story edges = testing::storyFrom(u"[a>[b><b]x{ PAGE [c>}y<a]z<c]");
    edges.addBookmark(u"end", edges.length(), edges.length());
    edges.addBookmark(u"all", 0, edges.length());
    expectRoundTrip(edges);
}

}  // namespace
}  // namespace k72645::sim
