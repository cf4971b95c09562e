// The automation objects of the simulated Word. Each is a thin wrapper that holds the model it
// shows and its Word; two wrappers of the same model are the same object for VB's Is.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "automation/dispatch.h"
#include "sim/word/document_model.h"
#include "sim/word/word_instance.h"

namespace k72645::sim {

using WordPtr = std::shared_ptr<WordInstance>;
using DocumentPtr = std::shared_ptr<DocumentModel>;

DispatchPtr makeApplication(WordPtr word);
DispatchPtr makeDocuments(WordPtr word);
DispatchPtr makeDocument(WordPtr word, DocumentPtr document);
DispatchPtr makeRange(WordPtr word, DocumentPtr document, std::size_t start, std::size_t end);
// The result of a field: its text is the result computed when read.
DispatchPtr makeFieldResult(WordPtr word, DocumentPtr document, FieldSpan field);
DispatchPtr makeSelection(WordPtr word);
DispatchPtr makeFields(WordPtr word, DocumentPtr document, std::size_t start, std::size_t end);
DispatchPtr makeField(WordPtr word, DocumentPtr document, FieldSpan field);
DispatchPtr makeBookmarks(WordPtr word, DocumentPtr document);
DispatchPtr makeBookmark(WordPtr word, DocumentPtr document, std::u16string name);
DispatchPtr makeParagraphs(WordPtr word, DocumentPtr document);
DispatchPtr makeSections(WordPtr word, DocumentPtr document);
DispatchPtr makeMailMerge(WordPtr word, DocumentPtr document);
DispatchPtr makeMailMergeDataSource(WordPtr word, DocumentPtr document);
DispatchPtr makeDataFields(WordPtr word, std::shared_ptr<DataSource> source);
DispatchPtr makeFieldNames(WordPtr word, std::shared_ptr<DataSource> source);
DispatchPtr makeTemplate(WordPtr word, std::shared_ptr<TemplateModel> model);
DispatchPtr makeAutoTextEntries(WordPtr word, std::shared_ptr<TemplateModel> model);
DispatchPtr makeAddIns(WordPtr word);
DispatchPtr makeOptions(WordPtr word);
DispatchPtr makeCommandBars(WordPtr word);
DispatchPtr makeWindows(WordPtr word);
DispatchPtr makeWindow(WordPtr word, DocumentPtr document);
DispatchPtr makeView(WordPtr word, DocumentPtr document);

// The place in a story that a Range or Selection object covers (for Bookmarks.Add and
// AutoTextEntries.Add); nullopt for any other value.
struct RangeSpan {
    DocumentPtr document;
    std::size_t start = 0;
    std::size_t end = 0;
};
std::optional<RangeSpan> rangeSpanOf(const Variant& value);

// Implemented by the objects that cover a place in a story (Range, Selection).
class CoversStory {
public:
    virtual ~CoversStory() = default;
    virtual RangeSpan coveredSpan() const = 0;
};

// The text a range shows (fields rendered with the view of the document's window).
std::u16string renderedText(WordInstance& word, const RangeSpan& span);

}  // namespace k72645::sim
