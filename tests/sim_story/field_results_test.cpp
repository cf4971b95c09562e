// A field typed between field braces and never updated has no result: it shows nothing, and
// updating gives it one (nested fields and the bookmarks around them follow).
#include <gtest/gtest.h>

#include "sim/story/story.h"

namespace k72645::sim {
namespace {

std::u16string shown(const Story& story) {
    RenderContext context;
    context.mergeValue = [](std::u16string_view) { return std::optional<std::u16string>(u"1"); };
    return story.render(0, story.length(), context);
}

// "le { PAGE } { IF { PAGE } = 1 "un" "deux" }", its three fields without a result, the
// whole line in the bookmark s01.
Story typedByHand() {
    ParsedMarkup content;
    content.characters = u"le \x13 PAGE \x15 \x13 IF \x13 PAGE \x15 = 1 \"un\" \"deux\" \x15";
    content.bookmarks.push_back({u"s01", 0, content.characters.size()});
    return Story(content);
}

TEST(FieldResults, AFieldNeverUpdatedShowsNothingUntilUpdated) {
    Story story = typedByHand();
    ASSERT_EQ(story.allFields().size(), 3u);
    for (const FieldSpan& field : story.allFields())
        EXPECT_FALSE(field.hasResult());
    EXPECT_EQ(shown(story), u"le  \r");
    EXPECT_EQ(story.fieldResult(story.allFields()[0], {}), u"");
    // Field codes show the same whether or not the field has a result.
    RenderContext codes;
    codes.showFieldCodes = true;
    const std::u16string codesBefore = story.render(0, story.length(), codes);

    // Updating the first field alone, then every field: nested ones get a result too.
    EXPECT_TRUE(story.updateFields(0, story.allFields()[0].end + 1));
    EXPECT_EQ(shown(story), u"le 1 \r");
    EXPECT_TRUE(story.updateFields(0, story.length()));
    EXPECT_FALSE(story.updateFields(0, story.length()));  // nothing left to update
    for (const FieldSpan& field : story.allFields())
        EXPECT_TRUE(field.hasResult());
    EXPECT_EQ(shown(story), u"le 1 un\r");
    EXPECT_EQ(story.render(0, story.length(), codes), codesBefore);
    // The bookmark that held the fields holds them still, separators included.
    EXPECT_EQ(story.bookmark(u"s01")->end, story.length() - 1);
}

TEST(FieldResults, OnlyTheFieldsChosenAreUpdated) {
    Story story = typedByHand();
    EXPECT_TRUE(story.updateFields(0, story.length(), [&](const FieldSpan& field) {
        return story.fieldCode(field).find(u"IF") != std::u16string::npos;
    }));
    const auto fields = story.allFields();
    EXPECT_FALSE(fields[0].hasResult());
    EXPECT_TRUE(fields[1].hasResult());
    EXPECT_FALSE(fields[2].hasResult());  // evaluated with the IF that holds it
    EXPECT_EQ(shown(story), u"le  un\r");
}

}  // namespace
}  // namespace k72645::sim
