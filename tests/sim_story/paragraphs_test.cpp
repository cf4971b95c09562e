#include <gtest/gtest.h>

#include "sim/story/story.h"
#include "sim_story/story_builders.h"

namespace k72645::sim {
namespace {

using testing::storyFrom;

TEST(Paragraphs, CountAndRangesIncludeTheirClosingMark) {
    Story empty;
    EXPECT_EQ(empty.characters(), u"\r");
    EXPECT_EQ(empty.paragraphCount(), 1u);
    EXPECT_EQ(empty.sectionCount(), 1u);
    EXPECT_EQ(empty.paragraphRange(1), (StoryRange{0, 1}));

    // Line breaks do not end paragraphs; section breaks do.
    Story story = storyFrom(u"one\\rtwo\\vstill two\\fthree\\r\\rfive");
    EXPECT_EQ(story.paragraphCount(), 5u);
    EXPECT_EQ(story.sectionCount(), 2u);
    auto text = [&](std::size_t k) {
        auto [start, end] = story.paragraphRange(k);
        return story.render(start, end, {});
    };
    EXPECT_EQ(text(1), u"one\r");
    EXPECT_EQ(text(2), u"two\vstill two\f");
    EXPECT_EQ(text(3), u"three\r");
    EXPECT_EQ(text(4), u"\r");
    EXPECT_EQ(text(5), u"five\r");
    EXPECT_EQ(story.paragraphRange(0), (StoryRange{story.length(), story.length()}));
    EXPECT_EQ(story.paragraphRange(6), (StoryRange{story.length(), story.length()}));
    EXPECT_EQ(story.paragraphAt(0), 1u);
    EXPECT_EQ(story.paragraphAt(3), 1u);  // the mark belongs to its paragraph
    EXPECT_EQ(story.paragraphAt(4), 2u);
    EXPECT_EQ(story.paragraphAt(story.length()), 5u);

    // The index follows edits.
    story.insert(0, u"zero\r");
    EXPECT_EQ(story.paragraphCount(), 6u);
    EXPECT_EQ(text(2), u"one\r");
    story.erase(story.paragraphRange(3).first, story.paragraphRange(3).second);
    EXPECT_EQ(story.sectionCount(), 1u);
}

TEST(Paragraphs, LabelSheetOfNextFieldsAndItsFieldRanges) {
    // Exercise 518: 14 labels of six paragraphs, labels 2 to 14 beginning with NEXT.
    std::u16string markup = u"[e01><e01]\\r\\r\\r\\r\\r\\r";
    for (int label = 2; label <= 14; ++label)
        markup += u"{ NEXT }\\r\\r\\r\\r\\r\\r";
    // The last of these marks is the story's final paragraph mark.
    Story story = storyFrom(markup);
    EXPECT_EQ(story.paragraphCount(), 84u);
    EXPECT_EQ(story.allFields().size(), 13u);
    auto [start, end] = story.paragraphRange(7);
    EXPECT_EQ(story.render(start, end, {}), u"\u00ABEnregistrement suivant\u00BB\r");
    EXPECT_EQ(story.fields(start, end).size(), 1u);
    // A range that ends inside a field does not count it; one that starts inside it neither.
    const FieldSpan next = story.fields(start, end)[0];
    EXPECT_TRUE(story.fields(start, next.end).empty());
    EXPECT_TRUE(story.fields(next.begin + 1, end).empty());
    EXPECT_EQ(story.fields(next.begin, next.end + 1).size(), 1u);
}

}  // namespace
}  // namespace k72645::sim
