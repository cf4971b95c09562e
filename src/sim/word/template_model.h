// A template as one Word holds it: loaded once from its file and shared by every document that
// is attached to it (and by the document that opened it as itself).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/word/document_file.h"

namespace k72645::sim {

class TemplateModel {
public:
    TemplateModel(std::u16string fullName, DocumentFile file);

    const std::u16string& fullName() const { return fullName_; }
    std::u16string name() const;
    std::u16string path() const;

    const std::vector<AutoTextValue>& autoText() const { return file_.autoText; }
    std::optional<std::size_t> findAutoText(std::u16string_view name) const;
    // Adds an entry, or replaces the value of the entry of that name (case ignored).
    void setAutoText(std::u16string name, std::u16string value);
    void removeAutoText(std::u16string_view name);

    bool saved() const { return saved_; }
    void setSaved(bool saved) { saved_ = saved; }

    // The file content to write: the template's own story, with the entries.
    DocumentFile fileContent() const;
    // After the document opened from this template is saved: its story is the template's.
    void storySaved(const Story& story);

private:
    std::u16string fullName_;
    DocumentFile file_;
    bool saved_ = true;
};

}  // namespace k72645::sim
