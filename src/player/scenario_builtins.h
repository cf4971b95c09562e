// The scenario's functions: Chr, Len, LCase, UCase, Left, Mid, InStr, CStr, FileExists,
// FolderExists, Deliver, Wait and CreateObject. Names ignore case; arguments come by value.
#pragma once

#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "player/scenario_host.h"

namespace k72645::player {

bool isBuiltinFunction(std::u16string_view name);

// Calls a function with its arguments (Missing for an omitted one). Raises ComError as VB
// does: 450 for a wrong number of arguments, 449 for an omitted required one, 5 for an
// invalid value, 13 for a value of the wrong type.
Variant callBuiltin(std::u16string_view name, const std::vector<Variant>& args, ScenarioHost& host);

}  // namespace k72645::player
