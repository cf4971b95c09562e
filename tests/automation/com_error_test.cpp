#include <gtest/gtest.h>

#include "automation/com_error.h"

namespace k72645 {
namespace {

TEST(ComErrors, RuntimeErrorsCarryVbNumbersAndTexts) {
    EXPECT_EQ(errors::subscriptOutOfRange().number(), 9);
    EXPECT_EQ(errors::subscriptOutOfRange().description(), u"Subscript out of range");
    EXPECT_EQ(errors::typeMismatch().number(), 13);
    EXPECT_EQ(errors::typeMismatch().description(), u"Type mismatch");
    EXPECT_EQ(errors::objectNotSet().number(), 91);
    EXPECT_EQ(errors::objectNotSet().description(),
              u"Object variable or With block variable not set");
    EXPECT_EQ(errors::memberNotFound().number(), 438);
    EXPECT_EQ(errors::memberNotFound().description(),
              u"Object doesn't support this property or method");
    EXPECT_EQ(errors::overflow().description(), u"Overflow");
    EXPECT_EQ(errors::runtime(errors::kOutOfMemory).description(), u"Out of memory");
    EXPECT_EQ(errors::typeMismatch().source(), u"K72645");
    EXPECT_EQ(errors::runtime(9, u"Word").source(), u"Word");
    EXPECT_EQ(errors::descriptionOf(12345), u"");
}

TEST(ComErrors, WithSourceKeepsEverythingElse) {
    ComError word(5941, u"Microsoft Word", u"La collection ne contient pas l'élément", u"wd.hlp",
                  27);
    ComError moved = word.withSource(u"ailleurs");
    EXPECT_EQ(moved.number(), 5941);
    EXPECT_EQ(moved.source(), u"ailleurs");
    EXPECT_EQ(moved.description(), word.description());
    EXPECT_EQ(moved.helpFile(), u"wd.hlp");
    EXPECT_EQ(moved.helpContext(), 27);
    EXPECT_STREQ(word.what(),
                 "5941: La collection ne contient pas l'\xC3\xA9l\xC3\xA9ment (Microsoft Word)");
    // The summary follows the new source, not the old one.
    EXPECT_STREQ(moved.what(),
                 "5941: La collection ne contient pas l'\xC3\xA9l\xC3\xA9ment (ailleurs)");
}

}  // namespace
}  // namespace k72645
