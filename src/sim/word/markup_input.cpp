#include "sim/word/markup_input.h"

#include <algorithm>
#include <vector>

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

ParsedMarkup withoutFieldResults(ParsedMarkup content) {
    std::u16string kept;
    // shift[p]: how many separators stood before position p.
    std::vector<std::size_t> shift(content.characters.size() + 1, 0);
    std::size_t removed = 0;
    for (std::size_t i = 0; i < content.characters.size(); ++i) {
        shift[i] = removed;
        if (content.characters[i] == kFieldSeparator) {
            ++removed;
        } else {
            kept += content.characters[i];
        }
    }
    shift[content.characters.size()] = removed;
    for (BookmarkSpan& b : content.bookmarks) {
        b.start -= shift[std::min(b.start, content.characters.size())];
        b.end -= shift[std::min(b.end, content.characters.size())];
    }
    content.characters = std::move(kept);
    return content;
}

}  // namespace k72645::sim
