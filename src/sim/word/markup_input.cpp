#include "sim/word/markup_input.h"

#include "automation/com_error.h"
#include "automation/text.h"
#include "sim/word/word_errors.h"

namespace k72645::sim {

ParsedMarkup parseMarkupArgument(std::u16string_view markup) {
    auto parsed = parseMarkup(markup);
    if (auto* error = std::get_if<MarkupError>(&parsed)) {
        throw word_errors::wordError(
            errors::kInvalidCall, u"Invalid markup, line " + fromUtf8(std::to_string(error->line)) +
                                      u", column " + fromUtf8(std::to_string(error->column)) +
                                      u": " + fromUtf8(error->message));
    }
    return std::get<ParsedMarkup>(std::move(parsed));
}

}  // namespace k72645::sim
