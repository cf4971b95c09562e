// The VB conversions whose edges decide verdicts: 16- and 32-bit overflow, rounding half to
// even, the type mismatches of text, and text from outside read safely.
#include <gtest/gtest.h>

#include <limits>

#include "automation/text.h"
#include "automation/vb.h"
#include "support/com_error_expect.h"

namespace k72645 {
namespace {

TEST(VbConversion, IntegerAndLongKeepTheirRanges) {
    EXPECT_EQ(vb::cInt(Variant(32767.4)), 32767);
    EXPECT_EQ(vb::cInt(Variant(-32768)), -32768);
    EXPECT_COM_ERROR(vb::cInt(Variant(32768)), errors::kOverflow);
    EXPECT_COM_ERROR(vb::cInt(Variant(-32769)), errors::kOverflow);
    EXPECT_COM_ERROR(vb::cInt(Variant(32767.5)), errors::kOverflow);
    EXPECT_COM_ERROR(vb::cInt(Variant(u"1e300")), errors::kOverflow);
    EXPECT_EQ(vb::cLng(Variant(-2147483648.0)), std::numeric_limits<std::int32_t>::min());
    EXPECT_COM_ERROR(vb::cLng(Variant(2147483648.0)), errors::kOverflow);
    EXPECT_EQ(vb::addInteger(32766, 1), 32767);
    EXPECT_COM_ERROR(vb::addInteger(32767, 1), errors::kOverflow);
    EXPECT_COM_ERROR(vb::addInteger(-32768, -1), errors::kOverflow);
    EXPECT_COM_ERROR(vb::addLong(2147483647, 1), errors::kOverflow);
}

TEST(VbConversion, RoundsHalfToEven) {
    EXPECT_EQ(vb::cInt(Variant(0.5)), 0);
    EXPECT_EQ(vb::cInt(Variant(1.5)), 2);
    EXPECT_EQ(vb::cInt(Variant(2.5)), 2);
    EXPECT_EQ(vb::cInt(Variant(-2.5)), -2);
    EXPECT_EQ(vb::cLng(Variant(u"4.5")), 4);
}

TEST(VbConversion, TextThatIsNotANumberIsATypeMismatch) {
    EXPECT_EQ(vb::cInt(Variant(u"  -7 ")), -7);
    EXPECT_EQ(vb::cInt(Variant(u"1E2")), 100);
    for (const char16_t* text : {u"abc", u"", u"   ", u"7a", u"1.2.3", u"1e", u"-"})
        EXPECT_COM_ERROR(vb::cInt(Variant(text)), errors::kTypeMismatch) << toUtf8(text);
    EXPECT_COM_ERROR(vb::cLng(Variant::nothing()), errors::kObjectNotSet);
    EXPECT_COM_ERROR(vb::cLng(Variant(Null{})), 94);
    EXPECT_COM_ERROR(vb::cBool(Variant(u"oui")), errors::kTypeMismatch);
    EXPECT_COM_ERROR(vb::equals(Variant(7), Variant(u"sept")), errors::kTypeMismatch);
    EXPECT_COM_ERROR(vb::equals(Variant(u""), Variant(0)), errors::kTypeMismatch);
}

TEST(VbConversion, DatesReadAsDayMonthYearAcrossTheirEdges) {
    EXPECT_EQ(vb::cStr(Variant(Date{36585})), u"29/02/2000");
    // Before 1899-12-30 the fraction still counts forwards from midnight.
    EXPECT_EQ(vb::cStr(Variant(Date{-1.25})), u"29/12/1899 06:00:00");
    // 23:59:59.9 rounds to the next day's midnight, not to "24:00:00".
    EXPECT_EQ(vb::cStr(Variant(Date{36526.0 + 86399.9 / 86400.0})), u"02/01/2000");
}

TEST(TextUtf8, InvalidInputBecomesReplacementCharacters) {
    const std::u16string sample = u"Modèle « œuvre » €\U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(sample)), sample);
    EXPECT_EQ(fromUtf8("a\xFFz"), u"a\uFFFDz");                       // a byte that starts nothing
    EXPECT_EQ(fromUtf8("a\xC3"), u"a\uFFFD");                         // cut short at the end
    EXPECT_EQ(fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                 // overlong form of '/'
    EXPECT_EQ(fromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");       // an encoded surrogate
    EXPECT_EQ(fromUtf8("\xF4\x90\x80\x80").front(), u'\uFFFD');       // above U+10FFFF
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
    EXPECT_COM_ERROR(inStr(u"abc", u"a", 0), errors::kInvalidCall);
}

}  // namespace
}  // namespace k72645
