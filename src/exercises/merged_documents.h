// Closing the documents that the learner's merges produced ("Lettres1", "Letters2"...), as the
// closing of exercises 508, 515, 517 and 518 does.
#pragma once

#include "word/word_objects.h"

namespace k72645 {

// True when a document's name begins with exactly "Lettres" or "Letters".
bool isMergedDocumentName(const std::u16string& name);

// How an exercise counts the passes of its closing: the count of open documents taken once, on
// 32 or on 16 bits, or (508) taken once to see that documents are open and again for the
// passes, on 16 bits.
enum class PassCount { Long, Integer, IntegerRecounted };

// As many passes as documents are open: each pass looks at the first document of the
// collection and closes it without saving when it is a merged document. Merged documents are
// thus closed as long as they come first. The first failure ends the passes silently; on 16
// bits, a count that overflows ends them too.
void closeLeadingMergedDocuments(const word::Application& word, PassCount counting);

}  // namespace k72645
