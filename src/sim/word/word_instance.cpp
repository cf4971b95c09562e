#include "sim/word/word_instance.h"

#include <algorithm>

#include "automation/text.h"
#include "sim/word/document_io.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_paths.h"

namespace k72645::sim {

SaveChoice saveChoiceOf(std::int32_t saveChanges) {
    if (saveChanges == kPromptToSaveChanges)
        return SaveChoice::Prompt;
    return saveChanges == -1 ? SaveChoice::Save : SaveChoice::DoNotSave;
}

WordInstance::WordInstance(WordEnvironment environment)
    : environment_(std::move(environment)),
      resources_(environment_.files, environment_.settings),
      currentFolder_(environment_.settings->documentsPath) {}

std::shared_ptr<WordInstance> WordInstance::start(WordEnvironment environment) {
    std::shared_ptr<WordInstance> word(new WordInstance(std::move(environment)));
    std::weak_ptr<WordInstance> weak = word;
    word->windows_ = std::make_unique<WordWindows>(
        word->environment_.windows,
        [weak](FrameKey key) {
            if (auto closed = weak.lock())
                closed->frameClosedByUser(key);
        },
        [weak](bool visible, bool minimized) {
            auto shown = weak.lock();
            if (!shown)
                return;
            shown->visible_ = visible;
            if (minimized) {
                shown->windowState_ = 2;
            } else if (shown->windowState_ == 2) {
                shown->windowState_ = 1;
            }
        });
    return word;
}

WordInstance::~WordInstance() {
    if (windows_)
        windows_->destroyAll();
}

void WordInstance::checkCallable() const {
    if (!running_)
        throw word_errors::serverUnavailable();
    if (windows_->blocked())
        throw word_errors::callRejected();
}

void WordInstance::quit(SaveChoice choice) {
    if (choice == SaveChoice::Prompt) {
        for (const auto& document : documents_) {
            if (!document->saved())
                promptToSave();
        }
    }
    if (choice == SaveChoice::Save) {
        for (auto& document : documents_) {
            if (!document->path().empty())
                save(*document);
        }
    }
    stop();
}

void WordInstance::promptToSave() {
    promptAndFail();
}

void WordInstance::promptAndFail() {
    windows_->showDialog(u"Microsoft Office Word", true);
    throw word_errors::commandFailed();
}

bool WordInstance::leavesTemplateUnsaved(const DocumentModel& document) const {
    const std::shared_ptr<TemplateModel>& attached = document.attachedTemplate();
    if (!attached || attached->saved())
        return false;
    return std::none_of(documents_.begin(), documents_.end(), [&](const auto& other) {
        return other.get() != &document && other->attachedTemplate() == attached;
    });
}

void WordInstance::stop() {
    running_ = false;
    documents_.clear();
    activationOrder_.clear();
    active_.reset();
    windows_->destroyAll();
}

double WordInstance::now() const {
    return environment_.clock ? environment_.clock() : localNow();
}

RenderContext WordInstance::renderContext(const DocumentModel& document) const {
    return renderContextFor(document, environment_.edition, now());
}

std::shared_ptr<DocumentModel> WordInstance::requireActiveDocument() const {
    if (!active_)
        throw word_errors::noDocument();
    return active_;
}

std::shared_ptr<DocumentModel> WordInstance::findDocument(std::u16string_view name) const {
    for (const auto& document : documents_) {
        if (equalsIgnoreCase(document->name(), name))
            return document;
    }
    for (const auto& document : documents_) {
        if (pathKey(document->fullName()) == pathKey(name))
            return document;
    }
    return nullptr;
}

std::u16string WordInstance::resolvePath(const std::u16string& fileName) const {
    if (isAbsolutePath(fileName) || currentFolder_.empty())
        return fileName;
    return joinPath(currentFolder_, fileName);
}

std::shared_ptr<DocumentModel> WordInstance::open(const std::u16string& fileName) {
    const std::u16string fullName = resolvePath(fileName);
    for (const auto& document : documents_) {
        if (!document->path().empty() && pathKey(document->fullName()) == pathKey(fullName)) {
            activate(document);
            return document;
        }
    }
    auto document = loadDocument(resources_, fullName);
    const MergeSettings& merge = document->merge();
    // "Opening this document will run the following SQL command..."
    if (environment_.settings->sqlSecurityCheck && merge.mainDocumentType != kNotAMergeDocument &&
        merge.dataSource)
        promptAndFail();
    insertDocument(document);
    return document;
}

std::shared_ptr<DocumentModel> WordInstance::add() {
    auto document = std::make_shared<DocumentModel>(
        u"Document" + fromUtf8(std::to_string(++untitledCount_)), DocumentOrigin::New);
    insertDocument(document);
    return document;
}

namespace {

std::u16string mergedDocumentStem(std::int32_t mainDocumentType, Edition edition) {
    const bool english = edition == Edition::English;
    switch (mainDocumentType) {
        case kMailingLabels:
            return english ? u"Labels" : u"\u00c9tiquettes";
        case kEnvelopes:
            return english ? u"Envelopes" : u"Enveloppes";
        case kCatalog:
            return english ? u"Catalog" : u"Catalogue";
        default:
            return english ? u"Letters" : u"Lettres";
    }
}

}  // namespace

std::shared_ptr<DocumentModel> WordInstance::addMerged(Story story, std::int32_t mainDocumentType) {
    const std::u16string stem = mergedDocumentStem(mainDocumentType, environment_.edition);
    auto document = std::make_shared<DocumentModel>(stem + fromUtf8(std::to_string(++mergedCount_)),
                                                    DocumentOrigin::Merged);
    document->setStory(std::move(story));
    document->setSaved(false);
    insertDocument(document);
    return document;
}

void WordInstance::insertDocument(std::shared_ptr<DocumentModel> document) {
    documents_.insert(documents_.begin(), document);
    makeActive(document);
    refreshMainWindow();
}

void WordInstance::makeActive(const std::shared_ptr<DocumentModel>& document) {
    std::erase(activationOrder_, document);
    activationOrder_.push_back(document);
    active_ = document;
}

void WordInstance::activate(const std::shared_ptr<DocumentModel>& document) {
    makeActive(document);
    refreshMainWindow();
}

void WordInstance::close(const std::shared_ptr<DocumentModel>& document, SaveChoice choice,
                         bool askAboutTemplate) {
    if (choice == SaveChoice::Prompt && !document->saved())
        promptToSave();
    if (choice == SaveChoice::Save)
        save(*document);
    auto it = std::find(documents_.begin(), documents_.end(), document);
    if (it == documents_.end())
        return;
    // "Do you want to save the changes to the document template?"
    if (askAboutTemplate && leavesTemplateUnsaved(*document)) {
        templatePrompt_ =
            TemplatePrompt{document, windows_->showDialog(u"Microsoft Office Word", true)};
        throw word_errors::commandFailed();
    }
    documents_.erase(it);
    std::erase(activationOrder_, document);
    if (active_ == document)
        active_ = activationOrder_.empty() ? nullptr : activationOrder_.back();
    refreshMainWindow();
}

bool WordInstance::answerTemplatePrompt(bool save) {
    if (!templatePrompt_)
        return false;
    const TemplatePrompt prompt = *templatePrompt_;
    templatePrompt_.reset();
    if (!environment_.windows->windowExists(prompt.dialog))
        return false;  // cancelled already
    windows_->dismissDialog(prompt.dialog);
    const auto document = prompt.document.lock();
    if (!document || std::find(documents_.begin(), documents_.end(), document) == documents_.end())
        return true;
    if (const auto& attached = document->attachedTemplate()) {
        if (save) {
            resources_.saveTemplate(*attached);
        } else {
            resources_.forgetTemplate(*attached);
        }
    }
    close(document, SaveChoice::DoNotSave, false);
    return true;
}

void WordInstance::save(DocumentModel& document) {
    saveDocument(resources_, document);
}

void WordInstance::saveAs(DocumentModel& document, const std::u16string& fileName) {
    const std::u16string fullName = resolvePath(fileName);
    DocumentOrigin origin = document.origin();
    if (origin != DocumentOrigin::Template || pathKey(fullName) != pathKey(document.fullName()))
        origin = DocumentOrigin::Document;
    document.setFile(fullName, origin);
    document.setSaved(false);
    save(document);
    refreshMainWindow();
}

std::shared_ptr<TemplateModel> WordInstance::templateOf(const DocumentModel& document) {
    if (document.attachedTemplate())
        return document.attachedTemplate();
    return resources_.normalTemplate();
}

void WordInstance::changeCurrentFolder(const std::u16string& folder) {
    if (folder.empty() || !files().folderExists(folder))
        throw word_errors::invalidArgument();
    currentFolder_ = withoutFinalSeparator(folder);
}

void WordInstance::setVisible(bool visible) {
    visible_ = visible;
    refreshMainWindow();
}

void WordInstance::setWindowState(std::int32_t state) {
    if (state < 0 || state > 2)
        throw word_errors::valueOutOfRange();
    windowState_ = state;
    refreshMainWindow();
}

void WordInstance::frameClosedByUser(FrameKey key) {
    // Closing one of several documents' windows closes that document; closing the last one, or
    // Word's only window, quits Word. The learner's answer to the save prompt is taken as No.
    if (key != nullptr && documents_.size() > 1) {
        for (const auto& document : documents_) {
            if (document.get() == key) {
                close(document, SaveChoice::DoNotSave, false);
                return;
            }
        }
    }
    stop();
}

void WordInstance::setShowWindowsInTaskbar(bool show) {
    showWindowsInTaskbar_ = show;
    refreshMainWindow();
}

std::u16string WordInstance::shownName(const DocumentModel& document) const {
    const std::u16string& name = document.name();
    if (!environment_.settings->hideExtensions)
        return name;
    // Every extension Word opens is a known file type on a PC with Office.
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string::npos || dot == 0)
        return name;
    return name.substr(0, dot);
}

void WordInstance::refreshMainWindow() {
    if (!running_)
        return;
    FrameLayout layout;
    layout.visible = visible_;
    layout.minimized = windowState_ == 2;
    if (showWindowsInTaskbar_ && !documents_.empty()) {
        for (const auto& document : documents_)
            layout.frames.emplace_back(document.get(), shownName(*document) + u" - Microsoft Word");
        layout.active = active_.get();
    } else {
        layout.frames.emplace_back(nullptr, active_ ? shownName(*active_) + u" - Microsoft Word"
                                                    : std::u16string(u"Microsoft Word"));
    }
    windows_->showFrames(layout);
}

}  // namespace k72645::sim
