// The player's text with colours: ANSI sequences that a terminal shows and that every other
// reader (a CI log, a JUnit report, a pipe) gets without.
#pragma once

#include <string>
#include <string_view>

namespace k72645::player {

inline constexpr char kDim[] = "\x1b[2m";
inline constexpr char kFieldColour[] = "\x1b[36m";
inline constexpr char kBookmarkColour[] = "\x1b[35m";
inline constexpr char kPlain[] = "\x1b[0m";

// The text without its colour sequences (ESC '[' ... final letter).
inline std::string withoutColours(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
            i += 2;
            while (i < text.size() &&
                   !((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z')))
                ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

// The text as a reader that shows colours, or not, should get it.
inline std::string forReader(std::string_view text, bool colours) {
    return colours ? std::string(text) : withoutColours(text);
}

}  // namespace k72645::player
