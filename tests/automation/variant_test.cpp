#include <gtest/gtest.h>

#include "automation/com_error.h"
#include "automation/variant.h"

namespace k72645 {
namespace {

TEST(VariantTypes, ConstructorsPickVbTypes) {
    // A plain int is a Long, a 16-bit value an Integer: conversions and comparisons rely on it.
    EXPECT_EQ(Variant(1).type(), Variant::Type::Long);
    EXPECT_EQ(Variant(std::int16_t{1}).type(), Variant::Type::Integer);
    EXPECT_EQ(Variant(std::u16string_view(u"x")).type(), Variant::Type::String);
    EXPECT_EQ(Variant(nullptr).typeName(), u"Nothing");
    EXPECT_TRUE(Variant::nothing().isNothing());
    EXPECT_FALSE(Variant().isNothing());
    EXPECT_EQ(Variant::missing().typeName(), u"Error");
    EXPECT_TRUE(Variant(Date{1}).isNumeric());
    EXPECT_TRUE(Variant(false).isNumeric());
    EXPECT_FALSE(Variant(u"1").isNumeric());
    EXPECT_FALSE(Variant().isNumeric());
}

TEST(VariantTypes, RawAccessRefusesAnotherType) {
    EXPECT_EQ(Variant(u"abc").string(), u"abc");
    EXPECT_EQ(Variant(std::int16_t{-3}).integer(), -3);
    try {
        (void)Variant(1).integer();  // a Long is not an Integer
        FAIL() << "no type mismatch";
    } catch (const ComError& e) {
        EXPECT_EQ(e.number(), errors::kTypeMismatch);
    }
    EXPECT_THROW((void)Variant().string(), ComError);
    EXPECT_THROW((void)Variant(u"1").long32(), ComError);
    EXPECT_THROW((void)Variant(1).object(), ComError);
}

TEST(VariantTypes, EqualityNeedsTheSameTypeAndValue) {
    EXPECT_EQ(Variant(1), Variant(1));
    EXPECT_NE(Variant(1), Variant(std::int16_t{1}));
    EXPECT_NE(Variant(1), Variant(1.0));
    EXPECT_NE(Variant(), Variant(u""));
    EXPECT_EQ(Variant::nothing(), Variant(nullptr));
    EXPECT_EQ(Variant(u"é"), Variant(std::u16string(u"é")));
}

}  // namespace
}  // namespace k72645
