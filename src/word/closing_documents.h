// What the closing of an exercise does to Word's documents before it saves, closes and reopens
// them, so that Word is left asking the learner nothing: the exercise's templates and working
// documents are removed right after, so their changes and merge links need not survive.
#pragma once

#include <string>
#include <vector>

#include "word/word_objects.h"

namespace k72645 {

// Every template attached to an open document that lies in the template folder given (the
// exercise's own, removed by the closing) is marked as saved: closing its last document then
// does not make Word ask whether to save it. Templates elsewhere keep Word's behaviour. Every
// failure is ignored.
void forgetTemplateChangesIn(const word::Application& app, const std::u16string& templateFolder);

// Every open document whose full name is one of those given (compared without regard to case)
// and that is a mail-merge main document becomes a normal document: saved that way, it is
// reopened without Word asking to run its data source's query. Every failure is ignored.
void detachMainDocuments(const word::Application& app,
                         const std::vector<std::u16string>& fullNames);

}  // namespace k72645
