// The first test of the exercises on the clients' database: the database must not be open in
// Word as a document (a learner who opens Clients.mdb from File > Open sees its records as text
// and the merge can no longer use it).
#pragma once

#include <string>

#include "word/word_objects.h"

namespace k72645 {

// Whether the working folder's "clients.mdb" is open as a document: the open documents are
// searched through Word's Documents by full name, lower-cased, the count read once as a 16-bit
// bound and a 16-bit counter (overflow error 6), then the count read again.
bool clientsDatabaseOpenAsDocument(const word::Application& word,
                                   const std::u16string& workingFolder);

}  // namespace k72645
