#include "automation/text.h"

#include <array>

#include "automation/com_error.h"

namespace k72645 {

namespace {

// Windows-1252 codes 0x80 to 0x9F; 0 marks the five codes the page leaves undefined.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // a lone surrogate cannot be written in UTF-8
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
            cp = b & 0x07;
        } else {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        bool valid = i + len <= text.size();
        for (std::size_t k = 1; valid && k < len; ++k) {
            unsigned char c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) {
                valid = false;
            } else {
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

char16_t lowerChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 32);
    if (c == 0x178)
        return 0xFF;
    // Latin Extended-A: pairs, upper case on the even code, except 0x130-0x138 and 0x149-0x177
    // whose pairs start on the odd code after the dotless i and the kra.
    if (c >= 0x100 && c <= 0x12F)
        return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x132 && c <= 0x137)
        return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x139 && c <= 0x148)
        return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x14A && c <= 0x177)
        return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x179 && c <= 0x17E)
        return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return static_cast<char16_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<char16_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 80);
    return c;
}

char16_t upperChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 32);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x12F)
        return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
    if (c >= 0x132 && c <= 0x137)
        return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
    if (c >= 0x139 && c <= 0x148)
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    if (c >= 0x14A && c <= 0x177)
        return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
    if (c >= 0x179 && c <= 0x17E)
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return static_cast<char16_t>(c - 32);
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<char16_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 80);
    return c;
}

std::u16string lcase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        c = lowerChar(c);
    return out;
}

std::u16string ucase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        c = upperChar(c);
    return out;
}

char16_t chr(std::int32_t code) {
    if (code < 0 || code > 255)
        throw errors::invalidCall();
    if (code >= 0x80 && code <= 0x9F) {
        char16_t c = kCp1252High[static_cast<std::size_t>(code - 0x80)];
        return c == 0 ? static_cast<char16_t>(code) : c;
    }
    return static_cast<char16_t>(code);
}

std::int32_t ansiCode(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == c)
            return static_cast<std::int32_t>(0x80 + i);
    }
    // The five codes the page leaves undefined stand for the C1 controls of the same value;
    // the other C1 controls have no code (0x80 is the euro sign, not U+0080).
    if (c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] == 0)
        return c;
    return -1;
}

std::int32_t asc(std::u16string_view text) {
    if (text.empty())
        throw errors::invalidCall();
    std::int32_t code = ansiCode(text[0]);
    return code < 0 ? u'?' : code;
}

std::u16string left(std::u16string_view text, std::int64_t length) {
    if (length < 0)
        throw errors::invalidCall();
    return std::u16string(text.substr(0, static_cast<std::size_t>(length)));
}

std::u16string right(std::u16string_view text, std::int64_t length) {
    if (length < 0)
        throw errors::invalidCall();
    auto n = std::min<std::size_t>(static_cast<std::size_t>(length), text.size());
    return std::u16string(text.substr(text.size() - n));
}

std::u16string mid(std::u16string_view text, std::int64_t start, std::int64_t length) {
    if (start < 1)
        throw errors::invalidCall();
    if (static_cast<std::uint64_t>(start) > text.size())
        return u"";
    auto from = static_cast<std::size_t>(start - 1);
    if (length < 0)
        return std::u16string(text.substr(from));
    return std::u16string(text.substr(from, static_cast<std::size_t>(length)));
}

std::int64_t inStr(std::u16string_view text, std::u16string_view needle, std::int64_t start) {
    if (start < 1)
        throw errors::invalidCall();
    if (static_cast<std::uint64_t>(start) > text.size()) {
        return (needle.empty() && static_cast<std::uint64_t>(start) == text.size() + 1) ? start : 0;
    }
    auto pos = text.find(needle, static_cast<std::size_t>(start - 1));
    return pos == std::u16string_view::npos ? 0 : static_cast<std::int64_t>(pos) + 1;
}

std::int64_t inStrRev(std::u16string_view text, std::u16string_view needle) {
    if (needle.empty())
        return static_cast<std::int64_t>(text.size());
    auto pos = text.rfind(needle);
    return pos == std::u16string_view::npos ? 0 : static_cast<std::int64_t>(pos) + 1;
}

std::u16string trim(std::u16string_view text) {
    auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return u"";
    auto last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerChar(a[i]) != lowerChar(b[i]))
            return false;
    }
    return true;
}

}  // namespace k72645
