// Closing the documents that the learner's merges produced ("Lettres1", "Letters2"...), as the
// closing of exercises 508, 515, 517 and 518 does.
#pragma once

#include "word/word_objects.h"

namespace k72645 {

// True when a document's name begins with exactly "Lettres" or "Letters".
bool isMergedDocumentName(const std::u16string& name);

// As many passes as documents are open (the count taken once): each pass looks at the first
// document of the collection and closes it without saving when it is a merged document. Merged
// documents are thus closed as long as they come first. The first failure ends the passes
// silently. With sixteenBitCounter, the count is converted to a 16-bit integer first (an
// overflow ends the passes like any failure).
void closeLeadingMergedDocuments(const word::Application& word, bool sixteenBitCounter);

}  // namespace k72645
