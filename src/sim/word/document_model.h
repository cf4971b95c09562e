// One open document of a simulated Word: its story, where it was opened from, its template,
// merge settings, the view of its window and its selection. Every change to what the file
// holds clears `saved`.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sim/story/story.h"
#include "sim/word/merge_settings.h"
#include "sim/word/template_model.h"

namespace k72645::sim {

// The document window's settings (one window per document).
struct WindowModel {
    bool showAll = false;
    bool showFieldCodes = false;
    std::int32_t windowState = 1;  // 0 normal, 1 maximized, 2 minimized
    bool displayVerticalScrollBar = true;
    bool displayScreenTips = true;
    double styleAreaWidth = 0;
};

enum class DocumentOrigin {
    New,       // added, never saved
    Document,  // opened from or saved to a document file
    Template,  // opened from a template file: its own attached template
    Database,  // a database file opened as a document
    Merged,    // made by a merge, never saved
};

class DocumentModel {
public:
    DocumentModel(std::u16string name, DocumentOrigin origin);

    const std::u16string& name() const { return name_; }
    // The folder and name as opened or saved; the name alone when never saved.
    const std::u16string& fullName() const { return fullName_; }
    // The folder without its final separator; "" when never saved.
    std::u16string path() const;
    DocumentOrigin origin() const { return origin_; }
    void setFile(const std::u16string& fullName, DocumentOrigin origin);

    const Story& story() const { return story_; }
    // The story, to change it: the document becomes unsaved.
    Story& edit();
    void setStory(Story story) { story_ = std::move(story); }

    bool saved() const { return saved_; }
    void setSaved(bool saved) { saved_ = saved; }

    // nullptr: Normal.dot.
    const std::shared_ptr<TemplateModel>& attachedTemplate() const { return template_; }
    void attachTemplate(std::shared_ptr<TemplateModel> attached);

    MergeSettings& merge() { return merge_; }
    const MergeSettings& merge() const { return merge_; }
    // The merge settings, to change them: the document becomes unsaved.
    MergeSettings& editMerge();

    bool hasPassword = false;
    bool showSpellingErrors = true;
    bool showGrammaticalErrors = true;
    WindowModel window;

    // The selection of the document's window, [start, end), kept inside the story.
    std::size_t selectionStart() const;
    std::size_t selectionEnd() const;
    void select(std::size_t start, std::size_t end);

private:
    std::u16string name_;
    std::u16string fullName_;
    DocumentOrigin origin_;
    Story story_;
    bool saved_ = true;
    std::shared_ptr<TemplateModel> template_;
    MergeSettings merge_;
    std::size_t selectionStart_ = 0;
    std::size_t selectionEnd_ = 0;
};

}  // namespace k72645::sim
