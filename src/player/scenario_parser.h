// Reads scenario text into statements. Raises ScenarioSyntaxError at the first error, with
// its line, column and what was expected. Never crashes and never recurses without bound:
// an expression nested deeper than kMaxExpressionDepth is a syntax error.
#pragma once

#include <string_view>

#include "player/scenario_ast.h"

namespace k72645::player {

inline constexpr int kMaxExpressionDepth = 128;

Program parseScenario(std::u16string_view source);

// One entry of the interactive player (a line, or lines joined by " _"), numbered from line:
// a statement, "? expr", or an expression alone, which becomes a Print statement.
Program parseInteractive(std::u16string_view text, int line);

}  // namespace k72645::player
