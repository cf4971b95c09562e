// Word as the learner sees it, read from the simulated Word's model: the active document one
// paragraph a line, numbered, with fields as the window's view shows them (results, merge
// fields as «Name» while the merge's field codes are viewed, or { codes } when field codes are
// shown), bookmarks marked "[name>" where they start and "<name]" where they end (the markup's
// own notation), and the quiet marks ¶ (paragraph), ↵ (line break), → (tab), ° (no-break
// space) and "::section break::"; then the document's name and saved state, its mail-merge
// state and the open windows. Colours as in terminal_text.h.
#pragma once

#include <string>

#include "sim/word/word_instance.h"

namespace k72645::player {

// At most this many paragraphs are shown; the rest are counted.
inline constexpr std::size_t kParagraphsShown = 200;

// The active document of a Word (nullptr: none runs), or that Word has none open.
std::string activeDocumentView(const sim::WordInstance* word);
// Every document a Word holds open, with its saved state, the active one marked.
std::string documentsView(const sim::WordInstance* word);

}  // namespace k72645::player
