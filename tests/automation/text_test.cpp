#include <gtest/gtest.h>

#include <functional>

#include "automation/com_error.h"
#include "automation/text.h"

namespace k72645 {
namespace {

std::int32_t errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ComError& e) {
        return e.number();
    }
    return 0;
}

TEST(TextCase, AccentedLettersChangeCase) {
    EXPECT_EQ(lcase(u"ÉLÈVE À ÇA ŒUVRE ŸVES"), u"élève à ça œuvre ÿves");
    EXPECT_EQ(ucase(u"élève à ça œuvre ÿves"), u"ÉLÈVE À ÇA ŒUVRE ŸVES");
    EXPECT_EQ(lcase(u"ŠŽĽ"), u"šžľ");
    EXPECT_EQ(ucase(u"šžľ"), u"ŠŽĽ");
    // Signs that look like letters keep their case: multiplication and division, sharp s.
    EXPECT_EQ(lcase(u"×ß÷"), u"×ß÷");
    EXPECT_EQ(ucase(u"×ß÷"), u"×ß÷");
    EXPECT_EQ(lcase(u"Mail-Merge 2003"), u"mail-merge 2003");
    EXPECT_EQ(lcase(u""), u"");
    EXPECT_TRUE(equalsIgnoreCase(u"FichiersDeTravail", u"FICHIERSDETRAVAIL"));
    EXPECT_TRUE(equalsIgnoreCase(u"Modèle", u"MODÈLE"));
    EXPECT_FALSE(equalsIgnoreCase(u"Modele", u"Modèle"));
}

TEST(TextCodePage, ChrAndAscUseWindows1252) {
    EXPECT_EQ(chr(160), u'\u00A0');
    EXPECT_EQ(chr(171), u'«');
    EXPECT_EQ(chr(187), u'»');
    EXPECT_EQ(chr(128), u'€');
    EXPECT_EQ(chr(0x9C), u'œ');
    EXPECT_EQ(chr(65), u'A');
    EXPECT_EQ(asc(u"\u00A0"), 160);
    EXPECT_EQ(asc(u"«x"), 171);
    EXPECT_EQ(asc(u"»"), 187);
    EXPECT_EQ(asc(u"€"), 128);
    EXPECT_EQ(asc(u"œ"), 0x9C);
    EXPECT_EQ(asc(u"Ÿ"), 0x9F);
    EXPECT_EQ(asc(u"é"), 233);
    EXPECT_EQ(asc(u"\u4E2D"), u'?');  // not in the code page
    EXPECT_EQ(asc(u"\u0080"), u'?');  // the code 128 is the euro sign, not this control
    for (std::int32_t code = 0; code <= 255; ++code) {
        EXPECT_EQ(asc(std::u16string(1, chr(code))), code) << code;
    }
    EXPECT_EQ(errorNumberOf([] { chr(256); }), errors::kInvalidCall);
    EXPECT_EQ(errorNumberOf([] { chr(-1); }), errors::kInvalidCall);
    EXPECT_EQ(errorNumberOf([] { asc(u""); }), errors::kInvalidCall);
}

TEST(TextSlices, LeftRightMidEdges) {
    EXPECT_EQ(left(u"abcdef", 3), u"abc");
    EXPECT_EQ(left(u"abc", 0), u"");
    EXPECT_EQ(left(u"abc", 10), u"abc");
    EXPECT_EQ(right(u"abcdef", 2), u"ef");
    EXPECT_EQ(right(u"abc", 10), u"abc");
    EXPECT_EQ(mid(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(mid(u"abcdef", 4), u"def");
    EXPECT_EQ(mid(u"abcdef", 6, 10), u"f");
    EXPECT_EQ(mid(u"abcdef", 7, 1), u"");
    EXPECT_EQ(mid(u"abc", 100), u"");
    EXPECT_EQ(mid(u"abc", 1, 0), u"");
    EXPECT_EQ(errorNumberOf([] { left(u"abc", -1); }), errors::kInvalidCall);
    EXPECT_EQ(errorNumberOf([] { right(u"abc", -1); }), errors::kInvalidCall);
    EXPECT_EQ(errorNumberOf([] { mid(u"abc", 0); }), errors::kInvalidCall);
    EXPECT_EQ(trim(u"  a b  "), u"a b");
    EXPECT_EQ(trim(u"\u00A0a\t"), u"\u00A0a\t");  // only spaces are trimmed
    EXPECT_EQ(trim(u"   "), u"");
}

TEST(TextSearch, InStrEdges) {
    EXPECT_EQ(inStr(u"abcabc", u"c"), 3);
    EXPECT_EQ(inStr(u"abcabc", u"c", 4), 6);
    EXPECT_EQ(inStr(u"abcabc", u"C"), 0);  // binary comparison
    EXPECT_EQ(inStr(u"abc", u"abcd"), 0);
    EXPECT_EQ(inStr(u"abc", u"a", 4), 0);
    EXPECT_EQ(inStr(u"abc", u"a", 100), 0);
    EXPECT_EQ(inStr(u"abc", u""), 1);
    EXPECT_EQ(inStr(u"abc", u"", 3), 3);
    EXPECT_EQ(inStr(u"abc", u"", 4), 4);
    EXPECT_EQ(inStr(u"abc", u"", 5), 0);
    EXPECT_EQ(inStr(u"", u"a"), 0);
    EXPECT_EQ(errorNumberOf([] { inStr(u"abc", u"a", 0); }), errors::kInvalidCall);
    EXPECT_EQ(inStrRev(u"a\\b\\c", u"\\"), 4);
    EXPECT_EQ(inStrRev(u"abc", u"x"), 0);
}

TEST(TextUtf8, RoundTripAndInvalidInput) {
    const std::u16string sample = u"Modèle « œuvre » €\U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(sample)), sample);
    EXPECT_EQ(toUtf8(u"é"), "\xC3\xA9");
    EXPECT_EQ(fromUtf8(""), u"");
    EXPECT_EQ(fromUtf8("a\xFFz"), u"a\uFFFDz");                  // a byte that starts nothing
    EXPECT_EQ(fromUtf8("a\xC3"), u"a\uFFFD");                    // cut short at the end
    EXPECT_EQ(fromUtf8("\xC3(x"), u"\uFFFD(x");                  // a lead byte without continuation
    EXPECT_EQ(fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong form of '/'
    EXPECT_EQ(fromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
    EXPECT_EQ(fromUtf8("\xF4\x90\x80\x80").front(), u'\uFFFD');  // above U+10FFFF
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

}  // namespace
}  // namespace k72645
