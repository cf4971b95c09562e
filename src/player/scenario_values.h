// The scenario's operators on values, with VBA's rules: & concatenates the texts of both
// sides, = and <> compare as VBA does, Is compares objects, Not is logical on Booleans and
// bitwise on numbers, unary minus keeps the type and overflows as VBA does.
#pragma once

#include <string>

#include "automation/variant.h"

namespace k72645::player {

Variant concatenate(const Variant& a, const Variant& b);
Variant isSameObject(const Variant& a, const Variant& b);
Variant logicalNot(const Variant& value);
Variant negate(const Variant& value);
// Whether an Assert's value counts as True (a Boolean, or a number that is not 0).
bool isTrue(const Variant& value);
// A value in a message: strings in quotes, objects with their default value when they have one.
std::string describeValue(const Variant& value);

}  // namespace k72645::player
