// The line on which each element of a JSON text starts, so that a file whose JSON is valid but
// whose shape is wrong can be reported with the line of the element at fault.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace k72645::sim {

struct JsonLines {
    std::size_t line = 1;
    std::vector<JsonLines> items;   // an array's items or an object's members, in text order
    std::vector<std::string> keys;  // an object's keys, one per member

    // The member with that key (the last one, as the JSON reader keeps the last of duplicate
    // keys), or nullptr.
    const JsonLines* member(std::string_view key) const;
    // The line of an item, or this element's own line when there is no such item.
    const JsonLines& item(std::size_t index) const;
};

// Locates the elements of a JSON text down to `depth` levels of nesting (deeper containers are
// skipped without recursion). Meant for text that a JSON reader has accepted; any other text
// gives partial but safe results.
JsonLines locateJsonLines(std::string_view text, std::size_t depth);

}  // namespace k72645::sim
