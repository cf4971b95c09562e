// The simulated Word's document and template files (.doc, .dot): UTF-8 JSON holding the story
// in markup, one paragraph per string, with the attached template, the password flag, the
// merge settings and, for a template, its AutoText entries (see docs/file-formats.md).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/story/story.h"

namespace k72645::sim {

struct MergeFileSettings {
    std::int32_t mainDocumentType = -1;  // -1 not a merge document, 0 to 3 the merge types
    std::u16string dataSource;           // file name as attached, "" for none
    std::u16string headerSource;
    std::u16string query;  // "" for every record
};

struct AutoTextValue {
    std::u16string name;
    std::u16string value;  // plain text
};

struct DocumentFile {
    enum class Kind { Document, Template };
    Kind kind = Kind::Document;
    Story story;
    std::u16string attachedTemplate;  // full file name, "" for Normal.dot
    bool hasPassword = false;
    MergeFileSettings mailMerge;
    std::vector<AutoTextValue> autoText;  // a template's entries
};

// Reads a document or template file. A file that is not valid JSON, is cut short or does not
// have the documented shape raises ComError 5792 whose description names the file and the
// line ("Agence.doc, line 7: ..."); nothing is returned half-read.
DocumentFile parseDocumentFile(const std::string& bytes, std::u16string_view fileName);
// Readable JSON, one paragraph per line, that parseDocumentFile reads back.
std::string serializeDocumentFile(const DocumentFile& file);

// The markup of each paragraph of a story, as the file lists them, and back.
std::vector<std::u16string> storyParagraphsMarkup(const Story& story);
std::u16string joinParagraphsMarkup(const std::vector<std::u16string>& paragraphs);

}  // namespace k72645::sim
