#include <gtest/gtest.h>

#include "sim/story/story.h"
#include "sim_story/story_builders.h"

namespace k72645::sim {
namespace {

using testing::bookmarkText;
using testing::codesShown;
using testing::storyFrom;
using testing::wholeText;

StoryRange span(const Story& story, std::u16string_view name) {
    auto b = story.bookmark(name);
    return b ? StoryRange{b->start, b->end} : StoryRange{std::size_t(-1), std::size_t(-1)};
}

TEST(BookmarkEditing, InsertAtStartInsideAndEndOfABookmark) {
    Story story = storyFrom(u"ab[m>cd<m]ef[e><e]g");
    story.insert(2, u"X");  // at the start of a non-empty bookmark: inside
    EXPECT_EQ(bookmarkText(story, u"m"), u"Xcd");
    story.insert(4, u"Y");  // inside
    EXPECT_EQ(bookmarkText(story, u"m"), u"XcYd");
    story.insert(6, u"Z");  // at its end: outside
    EXPECT_EQ(bookmarkText(story, u"m"), u"XcYd");
    story.insert(0, u"__");  // before: shifts
    EXPECT_EQ(span(story, u"m"), (StoryRange{4, 8}));
    const std::size_t e = story.bookmark(u"e")->start;
    story.insert(e, u"W");  // at an empty bookmark: it stays empty, before the text
    EXPECT_EQ(span(story, u"e"), (StoryRange{e, e}));
    story.insert(100, u"!");  // past the end: before the final paragraph mark
    EXPECT_EQ(story.characters(), u"__abXcYdZefWg!\r");
}

TEST(BookmarkEditing, TypingAtT01FillsS01WhichHoldsTheLineBreak) {
    // Exercise 503: the empty t01 at the start of s01, which holds the line break.
    Story story = storyFrom(u"Agence ORB\\r[s01>[t01><t01]\\v<s01]\\rMadame,");
    auto t01 = story.bookmark(u"t01");
    const auto typed = story.insert(t01->start, u"Voyages et r\u00EAves");
    EXPECT_EQ(typed, (StoryRange{11, 27}));
    EXPECT_EQ(bookmarkText(story, u"s01"), u"Voyages et r\u00EAves\v");
    EXPECT_EQ(span(story, u"T01"), (StoryRange{11, 11}));  // names ignore case
}

TEST(BookmarkEditing, TextOverAWholeBookmarkDeletesItMarkupKeepsIt) {
    // Exercise 507: s01 spans "codeville" and its paragraph mark.
    Story story = storyFrom(u"[e01>Agence ORB<e01]\\r[s01>codeville\\r<s01]Madame,");
    auto s01 = story.bookmark(u"s01");
    Story typed = story;
    typed.replace(s01->start, s01->end, u"44000 Nantes\r");
    EXPECT_FALSE(typed.bookmark(u"s01"));
    EXPECT_EQ(bookmarkText(typed, u"e01"), u"Agence ORB");
    story.replaceWithMarkup(s01->start, s01->end, testing::parsed(u"{ MERGEFIELD CpVille }\\r"));
    EXPECT_EQ(bookmarkText(story, u"s01"), u"\u00ABCpVille\u00BB\r");
    EXPECT_EQ(wholeText(story), u"Agence ORB\r\u00ABCpVille\u00BB\rMadame,\r");

    // A bookmark enclosing the replaced range keeps the new text; one partly replaced keeps
    // what remains, and the new text stays outside it.
    Story other = storyFrom(u"[a>one two<a] [b>three<b]");
    other.replace(4, 7, u"TWO!");  // "two", at a's end
    EXPECT_EQ(bookmarkText(other, u"a"), u"one TWO!");
    other.replace(6, 11, u"X");  // "O! th": a and b are cut
    EXPECT_EQ(bookmarkText(other, u"a"), u"one TW");
    EXPECT_EQ(bookmarkText(other, u"b"), u"ree");
    EXPECT_EQ(wholeText(other), u"one TWXree\r");
}

TEST(BookmarkEditing, IfFieldTypedAtT01GoesInsideS01) {
    // Exercise 514: s01 spans "les  \u00E0" with the empty t01 between the two spaces.
    Story story = storyFrom(u"Nous vous attendons [s01>les [t01><t01] \u00E0<s01] 10 h.");
    auto t01 = story.bookmark(u"t01");
    story.replaceWithMarkup(
        t01->start, t01->start,
        testing::parsed(u"{ IF { MERGEFIELD Groupe } = 1 \"vendredi\" \"samedi\" }"));
    auto s01 = story.bookmark(u"s01");
    EXPECT_EQ(story.fields(s01->start, s01->end).size(), 2u);
    RenderContext group1;
    group1.mergeValue = [](std::u16string_view) { return std::optional<std::u16string>(u"1"); };
    EXPECT_EQ(bookmarkText(story, u"s01", group1), u"les vendredi \u00E0");
}

TEST(BookmarkEditing, DeletingAllOfABookmarksTextDeletesItAndCutsOthers) {
    Story story = storyFrom(u"0[in>12<in]3[left>45<left]67[right>89<right][end><end]");
    story.erase(1, 4);  // "123": "in" wholly inside
    EXPECT_FALSE(story.bookmark(u"in"));
    story.erase(2, 5);  // "5" of left and "67": left is cut
    EXPECT_EQ(bookmarkText(story, u"left"), u"4");
    EXPECT_EQ(bookmarkText(story, u"right"), u"89");
    story.erase(3, 4);  // "9": right is cut; the empty "end" at the range's end stays
    EXPECT_EQ(bookmarkText(story, u"right"), u"8");
    EXPECT_EQ(span(story, u"end"), (StoryRange{3, 3}));
    story.erase(0, 1000);  // everything but the final paragraph mark
    EXPECT_EQ(story.characters(), u"\r");
    EXPECT_FALSE(story.bookmark(u"right"));
    EXPECT_EQ(span(story, u"end"), (StoryRange{0, 0}));
    story.erase(0, 1);
    EXPECT_EQ(story.characters(), u"\r");
}

TEST(BookmarkEditing, DeletingPartOfAFieldDeletesTheWholeField) {
    Story story = storyFrom(u"a{ IF { PAGE } = 1 \"x\" }b");
    const auto fields = story.allFields();
    ASSERT_EQ(fields.size(), 2u);
    // From the nested PAGE's code to past the IF's separator: the nested field, then the IF
    // around it, are cut, so both go whole.
    EXPECT_EQ(story.erase(fields[1].begin + 2, fields[0].separator + 1),
              (StoryRange{1, fields[0].end + 1}));
    EXPECT_EQ(story.characters(), u"ab\r");
    // A range cutting only the nested field takes that field whole and leaves the IF.
    Story nested = storyFrom(u"a{ IF { PAGE } = 1 \"x\" }b");
    EXPECT_EQ(nested.erase(fields[1].begin + 2, fields[1].end + 3),
              (StoryRange{fields[1].begin, fields[1].end + 3}));
    EXPECT_EQ(nested.allFields().size(), 1u);
    EXPECT_EQ(nested.fieldCode(nested.allFields()[0]), u" IF  1 \"x\" ");
    // Deleting a code's characters only leaves the field.
    Story kept = storyFrom(u"{ PAGEX }");
    kept.erase(6, 7);
    EXPECT_EQ(wholeText(kept), u"1\r");
}

TEST(BookmarkEditing, InsertedFieldCharactersAreMadeWellFormed) {
    Story story = storyFrom(u"ab");
    // A lone end, a field without separator, a stale result, a lone begin.
    const auto placed = story.insert(1, u"\x15{\x13 PAGE \x15}\x13 DATE \x14old result\x15\x13");
    EXPECT_EQ(placed, (StoryRange{1, 21}));
    EXPECT_EQ(story.characters(),
              u"a{\x13 PAGE \x14\x15}\x13 DATE \x14\x15"
              u"b\r");
    EXPECT_EQ(story.allFields().size(), 2u);
    // Text put at a field's result goes after the field, and so does a bookmark.
    const auto page = story.allFields()[0];
    EXPECT_EQ(story.insert(page.end, u"R").first, page.end + 1);
    story.addBookmark(u"r", page.end, page.end);
    EXPECT_EQ(story.bookmark(u"r")->start, page.end + 1);
    EXPECT_EQ(story.toMarkup(0, story.length()), u"a\\{{ PAGE }[r><r]R\\}{ DATE }b\\r");
}

TEST(BookmarkEditing, AddRemoveAndListBookmarksByName) {
    Story story = storyFrom(u"abcdef");
    story.addBookmark(u"zeta", 4, 1);    // reversed: ordered
    story.addBookmark(u"Alpha", 0, 99);  // clamped to the story
    story.addBookmark(u"beta", 2, 2);
    story.addBookmark(u"ZETA", 5, 6);  // same name: replaced
    const auto listed = story.bookmarks();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].name, u"Alpha");
    EXPECT_EQ(listed[0].end, story.length());
    EXPECT_EQ(listed[1].name, u"beta");
    EXPECT_EQ(listed[2].name, u"ZETA");
    EXPECT_EQ(listed[2].start, 5u);
    EXPECT_TRUE(story.removeBookmark(u"BETA"));
    EXPECT_FALSE(story.removeBookmark(u"beta"));
    EXPECT_FALSE(story.bookmark(u"beta"));
}

}  // namespace
}  // namespace k72645::sim
