#include "sim/word/template_model.h"

#include "automation/text.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

TemplateModel::TemplateModel(std::u16string fullName, DocumentFile file)
    : fullName_(std::move(fullName)), file_(std::move(file)) {
    file_.kind = DocumentFile::Kind::Template;
}

std::u16string TemplateModel::name() const {
    return fileNameOf(fullName_);
}
std::u16string TemplateModel::path() const {
    return folderOf(fullName_);
}

std::optional<std::size_t> TemplateModel::findAutoText(std::u16string_view name) const {
    for (std::size_t i = 0; i < file_.autoText.size(); ++i) {
        if (equalsIgnoreCase(file_.autoText[i].name, name))
            return i;
    }
    return std::nullopt;
}

void TemplateModel::setAutoText(std::u16string name, std::u16string value) {
    if (auto at = findAutoText(name)) {
        file_.autoText[*at].value = std::move(value);
    } else {
        file_.autoText.push_back({std::move(name), std::move(value)});
    }
    saved_ = false;
}

void TemplateModel::removeAutoText(std::u16string_view name) {
    if (auto at = findAutoText(name)) {
        file_.autoText.erase(file_.autoText.begin() + static_cast<std::ptrdiff_t>(*at));
        saved_ = false;
    }
}

DocumentFile TemplateModel::fileContent() const {
    return file_;
}

void TemplateModel::storySaved(const Story& story) {
    file_.story = story;
    saved_ = true;
}

}  // namespace k72645::sim
