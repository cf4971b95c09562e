// What a document's fields show when read: the view's field-code setting, merge values from
// the active record of the data source, the edition, the current date and time.
#pragma once

#include "sim/story/story.h"
#include "sim/word/document_model.h"

namespace k72645::sim {

enum class Edition { French, English };

RenderContext renderContextFor(const DocumentModel& document, Edition edition, double now);
// The local date and time as an OLE date (days since 30 December 1899).
double localNow();

}  // namespace k72645::sim
