// Merging a main document with its data source, and repeating the first label of a labels
// document over the others.
#pragma once

#include "sim/data/data_source.h"
#include "sim/word/document_model.h"
#include "sim/word/rendering.h"

namespace k72645::sim {

// The merged story: for each record (FirstRecord to LastRecord, included ones) the main
// story with its fields replaced by their values, followed by a section break, then a final
// paragraph mark; N records give N + 1 sections. A NEXT field moves on to the next record
// within the same copy (labels). 5631 when no record is to be merged.
Story mergeStory(const DocumentModel& main, const DataSource& source, Edition edition, double now);

// A field the merge resolves: MERGEFIELD, IF, NEXT, NEXTIF, SKIPIF, MERGEREC, MERGESEQ.
bool isMergeField(const Story& story, const FieldSpan& field);

inline constexpr std::size_t kParagraphsPerLabel = 6;

// Copies the first label (its first six paragraphs) over each following label, each copy
// beginning with a NEXT field. Bookmarks stay where they are.
void propagateLabel(DocumentModel& labels);

}  // namespace k72645::sim
