#include "sim/story/field_structure.h"

namespace k72645::sim {

namespace {

constexpr std::size_t kUnmatched = static_cast<std::size_t>(-1);

// For each 19 the position of the 21 that closes it, and the reverse; kUnmatched elsewhere.
std::vector<std::size_t> matchFieldCharacters(std::u16string_view text) {
    std::vector<std::size_t> partner(text.size(), kUnmatched);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kFieldBegin) {
            open.push_back(i);
        } else if (text[i] == kFieldEnd && !open.empty()) {
            partner[open.back()] = i;
            partner[i] = open.back();
            open.pop_back();
        }
    }
    return partner;
}

}  // namespace

WellFormedText makeFieldsWellFormed(std::u16string_view text) {
    const std::vector<std::size_t> partner = matchFieldCharacters(text);
    WellFormedText out;
    out.text.reserve(text.size());
    out.positions.assign(text.size() + 1, 0);
    struct OpenField {
        std::size_t end;  // position of its 21 in the text given
        bool separated = false;
    };
    std::vector<OpenField> open;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        out.positions[i] = out.text.size();
        if (c == kFieldBegin) {
            if (partner[i] != kUnmatched) {
                open.push_back({partner[i]});
                out.text += c;
            }
        } else if (c == kFieldSeparator) {
            if (!open.empty() && !open.back().separated) {
                out.text += c;
                open.back().separated = true;
                // The stored result is dropped: positions inside it go after the field.
                const std::size_t afterField = out.text.size() + 1;
                for (std::size_t r = i + 1; r <= open.back().end; ++r) {
                    out.positions[r] = afterField;
                }
                i = open.back().end;
                out.text += kFieldEnd;
                open.pop_back();
            }
        } else if (c == kFieldEnd) {
            // A field closed without separator has no result yet (typed between field braces
            // and never updated): it stays so.
            if (partner[i] != kUnmatched) {
                out.text += kFieldEnd;
                open.pop_back();
            }
        } else {
            out.text += c;
        }
        ++i;
    }
    out.positions[text.size()] = out.text.size();
    return out;
}

std::vector<FieldSpan> scanFields(std::u16string_view text) {
    std::vector<FieldSpan> fields;
    std::vector<std::size_t> open;  // indexes into fields
    std::vector<bool> separated;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == kFieldBegin) {
            open.push_back(fields.size());
            separated.push_back(false);
            fields.push_back({i, i, i});
        } else if (c == kFieldSeparator && !open.empty() && !separated.back()) {
            fields[open.back()].separator = i;
            separated.back() = true;
        } else if (c == kFieldEnd && !open.empty()) {
            FieldSpan& field = fields[open.back()];
            if (!separated.back())
                field.separator = i;
            field.end = i;
            open.pop_back();
            separated.pop_back();
        }
    }
    // Fields never closed are not fields; removing them keeps the begin order.
    if (!open.empty()) {
        std::vector<bool> unclosed(fields.size(), false);
        for (std::size_t index : open)
            unclosed[index] = true;
        std::vector<FieldSpan> closed;
        closed.reserve(fields.size() - open.size());
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if (!unclosed[k])
                closed.push_back(fields[k]);
        }
        fields = std::move(closed);
    }
    return fields;
}

}  // namespace k72645::sim
