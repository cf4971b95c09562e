#include <gtest/gtest.h>

#include "errors/error_service.h"

namespace k72645 {
namespace {

TEST(SupprimeEspaces, KeepsEverythingButSpaces) {
    EXPECT_EQ(SupprimeEspaces(u"  Le  Mans  a b "), u"LeMansab");
    EXPECT_EQ(SupprimeEspaces(u"Lyon"), u"Lyon");
    EXPECT_EQ(SupprimeEspaces(u"     "), u"");
    EXPECT_EQ(SupprimeEspaces(u""), u"");
    // Tabs, line breaks and no-break spaces are not spaces here.
    EXPECT_EQ(SupprimeEspaces(u"a\t b\u00A0c\r"), u"a\tb\u00A0c\r");
}

TEST(RemplaceInsecables, NoBreakSpaceBecomesSpaceAtTheSameLength) {
    EXPECT_EQ(RemplaceInsecables(u"Objet\u00A0: rappel"), u"Objet : rappel");
    EXPECT_EQ(RemplaceInsecables(u"\u00A0\u00A0"), u"  ");
    EXPECT_EQ(RemplaceInsecables(u"Objet : rappel"), u"Objet : rappel");
    EXPECT_EQ(RemplaceInsecables(u""), u"");
    // Other wide spaces have no ANSI code 160 and stay.
    EXPECT_EQ(RemplaceInsecables(u"a\u202Fb\u2007c"), u"a\u202Fb\u2007c");
    EXPECT_EQ(RemplaceInsecables(u"« Madame »"), u"« Madame »");
}

}  // namespace
}  // namespace k72645
