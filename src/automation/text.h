// Text as the component handles it: UTF-16 code units (like a BSTR), with VB's string
// functions and the Windows-1252 ("ANSI") code page for character codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k72645 {

std::string toUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD; never throws.
std::u16string fromUtf8(std::string_view text);

// VB's LCase / UCase: every letter, accented ones included (É to é, ÿ to Ÿ).
std::u16string lcase(std::u16string_view text);
std::u16string ucase(std::u16string_view text);
char16_t lowerChar(char16_t c);
char16_t upperChar(char16_t c);

// VB's Chr / Asc in Windows-1252: Chr(160) is a no-break space, Chr(171) is «.
// Chr raises error 5 for a code outside 0..255; Asc raises 5 for the empty string and gives
// 63 ("?") for a character the code page does not hold.
char16_t chr(std::int32_t code);
std::int32_t asc(std::u16string_view text);
// The Windows-1252 code of a character, or -1 when the code page does not hold it.
std::int32_t ansiCode(char16_t c);

// VB's Left, Right, Mid (1-based start; a length past the end is cut), InStr (1-based,
// 0 when absent; an empty needle is found at the start position) and InStrRev.
std::u16string left(std::u16string_view text, std::int64_t length);
std::u16string right(std::u16string_view text, std::int64_t length);
std::u16string mid(std::u16string_view text, std::int64_t start, std::int64_t length = -1);
std::int64_t inStr(std::u16string_view text, std::u16string_view needle, std::int64_t start = 1);
std::int64_t inStrRev(std::u16string_view text, std::u16string_view needle);
std::u16string trim(std::u16string_view text);

// Member and item names compare without regard to case (VB's text comparison for names).
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

}  // namespace k72645
