// One running simulated Word: its documents (the model the automation objects wrap), the
// files it holds loaded, its windows on the desktop and its application-wide settings. Every
// automation object of this Word checks `checkCallable` first: after Quit every call raises
// 462, and while a blocking dialog is open every call is rejected.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "sim/desktop/window_system.h"
#include "sim/word/document_model.h"
#include "sim/word/rendering.h"
#include "sim/word/user_settings.h"
#include "sim/word/word_resources.h"
#include "sim/word/word_windows.h"

namespace k72645::sim {

class FaultInjector;

struct WordEnvironment {
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<WindowSystem> windows;
    std::shared_ptr<UserSettings> settings;
    Edition edition = Edition::French;
    std::function<double()> clock;  // local time as an OLE date; empty: the system clock
    // The world's faults: every call of this Word's objects passes them first.
    std::shared_ptr<FaultInjector> faults;
};

struct AddInModel {
    std::u16string fullName;
    bool installed = false;
};

// What Close and Quit do with unsaved changes: -1 saves, 0 does not, -2 (or omitted) asks.
enum class SaveChoice { Save, DoNotSave, Prompt };
inline constexpr std::int32_t kPromptToSaveChanges = -2;
SaveChoice saveChoiceOf(std::int32_t saveChanges);

class WordInstance : public std::enable_shared_from_this<WordInstance> {
public:
    // Starts a Word: not visible, no document, its main window hidden.
    static std::shared_ptr<WordInstance> start(WordEnvironment environment);
    ~WordInstance();

    bool running() const { return running_; }
    // The world's fault injector (null in a world without one).
    FaultInjector* faults() const { return environment_.faults.get(); }
    // 462 after Quit; "Call was rejected by callee." while a blocking dialog is open.
    void checkCallable() const;
    // Asked to choose (SaveChoice::Prompt), a Word holding unsaved changes shows its blocking
    // save prompt and the call fails with 4198, as when the learner cancels the prompt.
    void quit(SaveChoice choice);
    // The process ends without warning: no prompt, nothing saved, every window gone at once;
    // from then on every call raises 462, as a call to a server that has died does.
    void kill() {
        killed_ = true;
        stop();
    }
    // True once killed: a host serving this Word's objects to other processes cuts them off.
    bool killed() const { return killed_; }

    Edition edition() const { return environment_.edition; }
    double now() const;
    RenderContext renderContext(const DocumentModel& document) const;
    UserSettings& settings() { return *environment_.settings; }
    WordResources& resources() { return resources_; }
    FileSystem& files() { return *environment_.files; }
    WordWindows& windows() { return *windows_; }

    // Documents, most recently opened first.
    const std::vector<std::shared_ptr<DocumentModel>>& documents() const { return documents_; }
    std::shared_ptr<DocumentModel> activeDocument() const { return active_; }
    // The active document, or 4248 when none is open.
    std::shared_ptr<DocumentModel> requireActiveDocument() const;
    // A document by its name (case ignored), or nullptr.
    std::shared_ptr<DocumentModel> findDocument(std::u16string_view name) const;

    // A file already open is activated and returned; 5174 when the file does not exist. With
    // the SQL security check on, a main document linked to a data source makes Word ask before
    // running its query: the blocking prompt opens and the call fails with 4198, the document
    // not opened.
    std::shared_ptr<DocumentModel> open(const std::u16string& fileName);
    // A blank document "Document1", "Document2"...
    std::shared_ptr<DocumentModel> add();
    // A new document made by a merge, named after the main document's type: "Lettres1"...
    // ("Letters1"... in the English edition) for form letters, "Étiquettes1" ("Labels1") for
    // labels, "Enveloppes1" ("Envelopes1"), "Catalogue1" ("Catalog1"); one count for all.
    std::shared_ptr<DocumentModel> addMerged(Story story, std::int32_t mainDocumentType);
    void activate(const std::shared_ptr<DocumentModel>& document);
    // Closing the last open document attached to a template whose changes are not saved makes
    // Word ask whether to save the template, whatever the choice for the document: the blocking
    // prompt opens and the call fails with 4198, the document left open (saved first when the
    // choice was to save it). The learner closing a window answers No (askAboutTemplate false).
    void close(const std::shared_ptr<DocumentModel>& document, SaveChoice choice,
               bool askAboutTemplate = true);
    // The learner answers the prompt to save a template: Yes saves it, No drops its changes;
    // either way the prompt goes and the document closes. False when no such prompt waits.
    bool answerTemplatePrompt(bool save);
    void save(DocumentModel& document);
    void saveAs(DocumentModel& document, const std::u16string& fileName);
    // The template attached to a document (Normal.dot when it has none of its own).
    std::shared_ptr<TemplateModel> templateOf(const DocumentModel& document);

    // A file name as Word takes it: relative names are in the current folder.
    std::u16string resolvePath(const std::u16string& fileName) const;
    const std::u16string& currentFolder() const { return currentFolder_; }
    // 5 when the folder does not exist.
    void changeCurrentFolder(const std::u16string& folder);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    std::int32_t windowState() const { return windowState_; }
    void setWindowState(std::int32_t state);
    // One window per document (Word's default), or one window for every document.
    bool showWindowsInTaskbar() const { return showWindowsInTaskbar_; }
    void setShowWindowsInTaskbar(bool show);
    bool displayStatusBar = true;
    bool printPreview = false;

    std::vector<AddInModel>& addIns() { return addIns_; }

    // A document's name as Word's window titles and captions show it: without its extension
    // when Explorer hides the extensions of known file types.
    std::u16string shownName(const DocumentModel& document) const;
    // Brings Word's windows (one per document, or one), their titles, visibility and minimized
    // state up to date; the active document's window goes on top.
    void refreshMainWindow();

private:
    explicit WordInstance(WordEnvironment environment);
    void insertDocument(std::shared_ptr<DocumentModel> document);
    void makeActive(const std::shared_ptr<DocumentModel>& document);
    void stop();
    void frameClosedByUser(FrameKey key);
    // The prompt for a changed document closed or quit with SaveChoice::Prompt.
    [[noreturn]] void promptToSave();
    // A prompt of Word that waits for the learner: a blocking dialog; the call fails with 4198.
    [[noreturn]] void promptAndFail();
    // True when the document is the last open one attached to a changed template of its own.
    bool leavesTemplateUnsaved(const DocumentModel& document) const;

    WordEnvironment environment_;
    WordResources resources_;
    std::unique_ptr<WordWindows> windows_;
    bool running_ = true;
    bool killed_ = false;
    std::vector<std::shared_ptr<DocumentModel>> documents_;
    std::shared_ptr<DocumentModel> active_;
    // The open documents in the order their windows were last active, the active one last:
    // closing the active document activates the window that was active before it.
    std::vector<std::shared_ptr<DocumentModel>> activationOrder_;
    std::u16string currentFolder_;
    bool visible_ = false;
    std::int32_t windowState_ = 1;
    bool showWindowsInTaskbar_ = true;
    std::int32_t untitledCount_ = 0;
    std::int32_t mergedCount_ = 0;
    std::vector<AddInModel> addIns_;
    // The prompt to save a template, while it waits: the document whose closing asked.
    struct TemplatePrompt {
        std::weak_ptr<DocumentModel> document;
        WindowHandle dialog = 0;
    };
    std::optional<TemplatePrompt> templatePrompt_;
};

}  // namespace k72645::sim
