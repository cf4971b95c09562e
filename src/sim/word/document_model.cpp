#include "sim/word/document_model.h"

#include <algorithm>

#include "sim/word/word_paths.h"

namespace k72645::sim {

DocumentModel::DocumentModel(std::u16string name, DocumentOrigin origin)
    : name_(name), fullName_(std::move(name)), origin_(origin) {}

std::u16string DocumentModel::path() const {
    if (origin_ == DocumentOrigin::New || origin_ == DocumentOrigin::Merged)
        return {};
    return folderOf(fullName_);
}

void DocumentModel::setFile(const std::u16string& fullName, DocumentOrigin origin) {
    fullName_ = fullName;
    name_ = fileNameOf(fullName);
    origin_ = origin;
}

Story& DocumentModel::edit() {
    saved_ = false;
    return story_;
}

void DocumentModel::attachTemplate(std::shared_ptr<TemplateModel> attached) {
    template_ = std::move(attached);
    saved_ = false;
}

MergeSettings& DocumentModel::editMerge() {
    saved_ = false;
    return merge_;
}

std::size_t DocumentModel::selectionStart() const {
    return std::min(selectionStart_, story_.length() - 1);
}

std::size_t DocumentModel::selectionEnd() const {
    return std::clamp(selectionEnd_, selectionStart(), story_.length() - 1);
}

void DocumentModel::select(std::size_t start, std::size_t end) {
    selectionStart_ = start;
    selectionEnd_ = std::max(start, end);
}

}  // namespace k72645::sim
