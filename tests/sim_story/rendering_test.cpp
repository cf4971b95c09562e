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
