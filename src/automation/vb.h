// VB's conversion and comparison rules, for the values that the component reads from Word
// and hands to the player.
#pragma once

#include <cstdint>
#include <string>

#include "automation/variant.h"

namespace k72645::vb {

inline constexpr std::int16_t kTrue = -1;  // VB's Boolean True
inline constexpr std::int16_t kFalse = 0;

// The value of an object's default member, or the value itself when it is not an object.
// Nothing raises error 91.
Variant valueOf(const Variant& value);

// CInt, CLng: Doubles rounded half to even (0.5 to 0, 1.5 to 2); out of range raises error 6
// ("Overflow"); text that is not a number raises 13; Empty is 0; Null raises 94 (Invalid use
// of Null) as VB does; Boolean True is -1.
std::int16_t cInt(const Variant& value);
std::int32_t cLng(const Variant& value);
double cDbl(const Variant& value);
// CBool: a number is True when not 0; "True"/"False" (any case) or numeric text; else 13.
bool cBool(const Variant& value);
// CStr: numbers without the leading sign position ("7", "-1"), Booleans "True"/"False",
// Empty "", Doubles in the shortest form that reads back ("0.5", "1E+20").
std::u16string cStr(const Variant& value);
// Str: numbers with the leading sign position: " 7", "-1", " 0".
std::u16string str(const Variant& value);

// Checked 16-bit arithmetic: error 6 when the result leaves the Integer range.
std::int16_t addInteger(std::int16_t a, std::int16_t b);
std::int32_t addLong(std::int32_t a, std::int32_t b);

// VB's = and <> on two values (Option Compare Binary): numbers compare as numbers, a number
// and numeric text compare as numbers, two texts compare exactly, Empty equals 0 and "".
// Objects are compared through their default members. Raises 13 when the values cannot be
// compared (a number and non-numeric text).
bool equals(const Variant& a, const Variant& b);

// A readable rendering for reports: strings in quotes, objects by type name.
std::u16string describe(const Variant& value);

}  // namespace k72645::vb
