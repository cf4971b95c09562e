// Markup given through automation (Range.Markup, Selection.Markup): parsed, or refused with
// error 5 saying where it goes wrong.
#pragma once

#include <string_view>

#include "sim/story/story.h"

namespace k72645::sim {

ParsedMarkup parseMarkupArgument(std::u16string_view markup);

// The same content as typed by the learner, each field between field braces (Ctrl+F9): its
// fields have no result until they are updated.
ParsedMarkup withoutFieldResults(ParsedMarkup content);

}  // namespace k72645::sim
