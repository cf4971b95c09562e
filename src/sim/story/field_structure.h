// How field characters (19, 20, 21) build fields in a run of story text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sim/story/story.h"

namespace k72645::sim {

// Text rewritten so that every field is 19 + code + 20 + 21, or 19 + code + 21 for a field that
// has no result yet: field characters without their partner are dropped, and what stood in a
// field's result (a stale result, nested fields included) is dropped. positions[p] is where the
// position p of the text given ends up (size: its length + 1); a position that stood inside a
// dropped result ends up just after its field.
struct WellFormedText {
    std::u16string text;
    std::vector<std::size_t> positions;
};
WellFormedText makeFieldsWellFormed(std::u16string_view text);

// The fields of a text in the order of their begin characters. Field characters that do not
// form a field (which well-formed text never holds) are left out.
std::vector<FieldSpan> scanFields(std::u16string_view text);

}  // namespace k72645::sim
