// Lexical rules shared by the markup reader and writer.
#pragma once

#include <cstddef>
#include <string_view>

namespace k72645::sim::markup {

// Letters, digits and the underscore, accented Latin letters included.
inline bool isBookmarkNameChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               c == u'_';
    }
    return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

// Length of the bookmark marker that starts at text[at] ("[name>" when opener is '[' and
// closer '>', "<name]" for '<' and ']'), or 0 when no marker starts there.
inline std::size_t bookmarkMarkerLength(std::u16string_view text, std::size_t at, char16_t opener,
                                        char16_t closer) {
    if (at >= text.size() || text[at] != opener)
        return 0;
    std::size_t j = at + 1;
    while (j < text.size() && isBookmarkNameChar(text[j]))
        ++j;
    if (j == at + 1 || j >= text.size() || text[j] != closer)
        return 0;
    return j + 1 - at;
}

// The character an escape "\x" stands for, or 0 when "\x" is not an escape.
inline char16_t escapedChar(char16_t x) {
    switch (x) {
        case u'r':
            return 13;
        case u'v':
            return 11;
        case u'f':
            return 12;
        case u'\\':
        case u'{':
        case u'}':
        case u'[':
        case u'<':
            return x;
        default:
            return 0;
    }
}

}  // namespace k72645::sim::markup
