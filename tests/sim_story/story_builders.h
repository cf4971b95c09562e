// Building stories from markup in tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "automation/text.h"
#include "sim/story/story.h"

namespace k72645::sim::testing {

inline ParsedMarkup parsed(std::u16string_view markup) {
    auto result = parseMarkup(markup);
    if (auto* error = std::get_if<MarkupError>(&result)) {
        ADD_FAILURE() << "markup error at " << error->line << ":" << error->column << ": "
                      << error->message;
        return {};
    }
    return std::get<ParsedMarkup>(std::move(result));
}

inline Story storyFrom(std::u16string_view markup) {
    return Story(parsed(markup));
}

inline RenderContext codesShown() {
    RenderContext context;
    context.showFieldCodes = true;
    return context;
}

inline std::u16string bookmarkText(const Story& story, std::u16string_view name,
                                   const RenderContext& context = {}) {
    auto b = story.bookmark(name);
    if (!b) {
        ADD_FAILURE() << "no bookmark " << toUtf8(name);
        return {};
    }
    return story.render(b->start, b->end, context);
}

inline std::u16string wholeText(const Story& story, const RenderContext& context = {}) {
    return story.render(0, story.length(), context);
}

}  // namespace k72645::sim::testing
