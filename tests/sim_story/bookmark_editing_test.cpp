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

}  // namespace
}  // namespace k72645::sim
