// Computing a field's result from its code, once the code is cut into words.
#pragma once

#include <string>
#include <vector>

#include "sim/story/story.h"

namespace k72645::sim {

// A word of a field code: a run of characters up to a blank or a quotation mark, or a text in
// quotation marks (without them). A nested field stands in a word as its result.
struct FieldWord {
    std::u16string text;
    bool quoted = false;
};

// The result of a field whose code reads words. The keyword (first word) is matched without
// regard to case; an unknown keyword, or a code too short for its keyword, gives "".
std::u16string evaluateFieldWords(const std::vector<FieldWord>& words,
                                  const RenderContext& context);

// IF's comparison: numbers when both operands read as numbers ("12", "-3", "2.5", "2,5"),
// otherwise texts compared code unit by code unit (case and accents significant). An
// unknown operator is false.
bool compareOperands(std::u16string_view left, std::u16string_view op, std::u16string_view right);

}  // namespace k72645::sim
