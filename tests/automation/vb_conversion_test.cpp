#include <gtest/gtest.h>

#include <limits>

#include "automation/com_error.h"
#include "automation/text.h"
#include "automation/vb.h"

namespace k72645 {
namespace {

// Runs a conversion that must fail and returns the error number it raised (0 if none).
template <class F>
std::int32_t errorNumberOf(F&& f) {
    try {
        f();
    } catch (const ComError& e) {
        return e.number();
    }
    return 0;
}

TEST(VbConversion, IntegerKeepsItsSixteenBitRange) {
    EXPECT_EQ(vb::cInt(Variant(32767)), 32767);
    EXPECT_EQ(vb::cInt(Variant(-32768)), -32768);
    EXPECT_EQ(vb::cInt(Variant(32767.4)), 32767);
    EXPECT_EQ(errorNumberOf([] { vb::cInt(Variant(32768)); }), errors::kOverflow);
    EXPECT_EQ(errorNumberOf([] { vb::cInt(Variant(-32769)); }), errors::kOverflow);
    EXPECT_EQ(errorNumberOf([] { vb::cInt(Variant(32767.5)); }), errors::kOverflow);
    EXPECT_EQ(errorNumberOf([] { vb::cInt(Variant(u"1e300")); }), errors::kOverflow);
    try {
        vb::cInt(Variant(40000));
        FAIL() << "no overflow";
    } catch (const ComError& e) {
        EXPECT_EQ(e.description(), u"Overflow");
    }
}

TEST(VbConversion, LongKeepsItsThirtyTwoBitRange) {
    EXPECT_EQ(vb::cLng(Variant(2147483647.0)), 2147483647);
    EXPECT_EQ(vb::cLng(Variant(-2147483648.0)), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(vb::cLng(Variant(std::int16_t{-5})), -5);
    EXPECT_EQ(errorNumberOf([] { vb::cLng(Variant(2147483648.0)); }), errors::kOverflow);
    EXPECT_EQ(errorNumberOf([] { vb::cLng(Variant(-2147483649.0)); }), errors::kOverflow);
}

TEST(VbConversion, RoundsHalfToEven) {
    EXPECT_EQ(vb::cInt(Variant(0.5)), 0);
    EXPECT_EQ(vb::cInt(Variant(1.5)), 2);
    EXPECT_EQ(vb::cInt(Variant(2.5)), 2);
    EXPECT_EQ(vb::cInt(Variant(-1.5)), -2);
    EXPECT_EQ(vb::cInt(Variant(-2.5)), -2);
    EXPECT_EQ(vb::cInt(Variant(2.6)), 3);
    EXPECT_EQ(vb::cLng(Variant(3.5)), 4);
    EXPECT_EQ(vb::cLng(Variant(u"4.5")), 4);
}

TEST(VbConversion, TextEmptyAndBooleanConvert) {
    EXPECT_EQ(vb::cInt(Variant(u"42")), 42);
    EXPECT_EQ(vb::cInt(Variant(u"  -7 ")), -7);
    EXPECT_EQ(vb::cInt(Variant(u"+3")), 3);
    EXPECT_EQ(vb::cInt(Variant(u"1E2")), 100);
    EXPECT_EQ(vb::cInt(Variant()), 0);
    EXPECT_EQ(vb::cInt(Variant(true)), -1);
    EXPECT_EQ(vb::cInt(Variant(false)), 0);
    EXPECT_EQ(vb::cLng(Variant(true)), -1);
    EXPECT_DOUBLE_EQ(vb::cDbl(Variant(u".25")), 0.25);
    for (const char16_t* text : {u"abc", u"", u"   ", u"7a", u"1.2.3", u"1e", u"-", u"Sept"}) {
        EXPECT_EQ(errorNumberOf([text] { vb::cInt(Variant(text)); }), errors::kTypeMismatch)
            << toUtf8(text);
    }
    EXPECT_EQ(errorNumberOf([] { vb::cLng(Variant::nothing()); }), errors::kObjectNotSet);
    EXPECT_EQ(errorNumberOf([] { vb::cLng(Variant::missing()); }), errors::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([] { vb::cLng(Variant(Null{})); }), 94);
}

TEST(VbConversion, BooleanFromNumbersAndText) {
    EXPECT_TRUE(vb::cBool(Variant(-1)));
    EXPECT_TRUE(vb::cBool(Variant(2.5)));
    EXPECT_FALSE(vb::cBool(Variant(0)));
    EXPECT_FALSE(vb::cBool(Variant()));
    EXPECT_TRUE(vb::cBool(Variant(u"true")));
    EXPECT_FALSE(vb::cBool(Variant(u"FALSE")));
    EXPECT_TRUE(vb::cBool(Variant(u"1")));
    EXPECT_EQ(errorNumberOf([] { vb::cBool(Variant(u"oui")); }), errors::kTypeMismatch);
}

TEST(VbConversion, StrKeepsTheSignPositionAndCStrDoesNot) {
    EXPECT_EQ(vb::str(Variant(7)), u" 7");
    EXPECT_EQ(vb::str(Variant(std::int16_t{-1})), u"-1");
    EXPECT_EQ(vb::str(Variant(0)), u" 0");
    EXPECT_EQ(vb::str(Variant()), u" 0");
    EXPECT_EQ(vb::str(Variant(u"12")), u" 12");
    EXPECT_EQ(vb::cStr(Variant(7)), u"7");
    EXPECT_EQ(vb::cStr(Variant(std::int16_t{-1})), u"-1");
    EXPECT_EQ(vb::cStr(Variant(true)), u"True");
    EXPECT_EQ(vb::cStr(Variant(false)), u"False");
    EXPECT_EQ(vb::cStr(Variant()), u"");
    EXPECT_EQ(vb::cStr(Variant(0.5)), u"0.5");
    EXPECT_EQ(vb::cStr(Variant(1e20)), u"1E+20");
    EXPECT_EQ(vb::cStr(Variant(0.1 + 0.2)), u"0.3");
}

TEST(VbConversion, DatesReadAsDayMonthYear) {
    EXPECT_EQ(vb::cStr(Variant(Date{36526})), u"01/01/2000");
    EXPECT_EQ(vb::cStr(Variant(Date{36526.5})), u"01/01/2000 12:00:00");
    EXPECT_EQ(vb::cStr(Variant(Date{36585})), u"29/02/2000");
    EXPECT_EQ(vb::cStr(Variant(Date{2})), u"01/01/1900");
    // Before 1899-12-30 the fraction still counts forwards from midnight.
    EXPECT_EQ(vb::cStr(Variant(Date{-1.25})), u"29/12/1899 06:00:00");
    // 23:59:59.9 rounds to the next day's midnight, not to "24:00:00".
    EXPECT_EQ(vb::cStr(Variant(Date{36526.0 + 86399.9 / 86400.0})), u"02/01/2000");
}

TEST(VbConversion, CheckedIntegerArithmetic) {
    EXPECT_EQ(vb::addInteger(32766, 1), 32767);
    EXPECT_EQ(errorNumberOf([] { vb::addInteger(32767, 1); }), errors::kOverflow);
    EXPECT_EQ(errorNumberOf([] { vb::addInteger(-32768, -1); }), errors::kOverflow);
    EXPECT_EQ(errorNumberOf([] { vb::addLong(2147483647, 1); }), errors::kOverflow);
}

TEST(VbComparison, NumbersTextAndEmpty) {
    EXPECT_TRUE(vb::equals(Variant(7), Variant(u"7")));
    EXPECT_TRUE(vb::equals(Variant(u" 7.0"), Variant(std::int16_t{7})));
    EXPECT_FALSE(vb::equals(Variant(7), Variant(u"8")));
    EXPECT_TRUE(vb::equals(Variant(std::int16_t{3}), Variant(3.0)));
    EXPECT_TRUE(vb::equals(Variant(true), Variant(-1)));
    EXPECT_TRUE(vb::equals(Variant(), Variant(u"")));
    EXPECT_TRUE(vb::equals(Variant(), Variant(0)));
    EXPECT_TRUE(vb::equals(Variant(), Variant()));
    EXPECT_FALSE(vb::equals(Variant(), Variant(u"0")));
    EXPECT_FALSE(vb::equals(Variant(), Variant(1)));
    // Texts compare exactly: case and accents count, numeric texts are not read as numbers.
    EXPECT_TRUE(vb::equals(Variant(u"Été"), Variant(u"Été")));
    EXPECT_FALSE(vb::equals(Variant(u"été"), Variant(u"Été")));
    EXPECT_FALSE(vb::equals(Variant(u"7"), Variant(u"07")));
    EXPECT_FALSE(vb::equals(Variant(Null{}), Variant(Null{})));
    EXPECT_EQ(errorNumberOf([] { vb::equals(Variant(7), Variant(u"sept")); }),
              errors::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([] { vb::equals(Variant(u""), Variant(0)); }), errors::kTypeMismatch);
}

}  // namespace
}  // namespace k72645
