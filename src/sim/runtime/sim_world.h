// The simulated world: one desktop, the file system with Windows path rules, the simulated
// Words that run, the user's folder (documents, user templates, Normal.dot) and the settings
// that decide how new Words start. Each world keeps its own state, so that many worlds can live
// in one process. Outside Windows it runs on the simulated desktop and the POSIX file system;
// a host can give it other ports (real files and real windows on Windows).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "platform/platform.h"
#include "sim/desktop/sim_desktop.h"
#include "sim/faults/fault_injector.h"
#include "sim/word/user_settings.h"
#include "sim/word/word_instance.h"

namespace k72645::sim {

// The ports a hosted world runs on: its files, the window system its Words show their windows
// in, and the desktop the component looks at those windows through.
struct SimWorldPorts {
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<WindowSystem> windows;
    std::shared_ptr<Desktop> desktop;
};

class SimWorld : public std::enable_shared_from_this<SimWorld> {
public:
    // A world whose user folder is the one named (created when missing, kept afterwards) or a
    // fresh temporary folder (removed with the world). Outside Windows only.
    static std::shared_ptr<SimWorld> create(std::optional<std::u16string> userFolder = {});
    // A world on the ports given, whose user folder is the one named (created when missing,
    // kept afterwards). Its desktop() is null: its windows are the host's.
    static std::shared_ptr<SimWorld> create(SimWorldPorts ports, const std::u16string& userFolder);
    ~SimWorld();
    SimWorld(const SimWorld&) = delete;
    SimWorld& operator=(const SimWorld&) = delete;

    // The world's ports; each of them keeps the world alive.
    Platform platform();
    std::shared_ptr<SimDesktop> desktop() { return desktop_; }
    std::shared_ptr<FileSystem> files() { return files_; }
    // The faults injected into this world's Words and files (none until armed or started).
    const std::shared_ptr<FaultInjector>& faults() const { return faults_; }
    // The user's settings as Word keeps them between its runs.
    const UserSettings& userSettings() const { return *settings_; }

    // Starts a new Word: 429 when Word is not installed.
    DispatchPtr startWord();
    // The most recently started Word still running, or nullptr.
    DispatchPtr runningWord();
    // The model of that Word, for views that read what it holds; nullptr when none runs.
    std::shared_ptr<const WordInstance> runningWordModel();
    // The Word.Global object: the members of the Word that runningWord gives at each call.
    DispatchPtr wordGlobal();
    // The scenarios' Sim object.
    DispatchPtr simRoot();
    // Quits every Word without saving.
    void quitAll();
    // Ends the most recently started Word still running as a killed process ends: no prompt,
    // nothing saved, its windows gone. False when no Word runs.
    bool killRunningWord();
    // How many Words were killed in this world: a host follows it to cut off their objects.
    int killedWords() const { return killedWords_; }
    int wordCount() const;

    std::u16string edition() const;
    // "fr" or "en" (case ignored), for the Words started from now on; 5 otherwise.
    void setEdition(const std::u16string& edition);
    bool wordInstalled() const { return wordInstalled_; }
    void setWordInstalled(bool installed) { wordInstalled_ = installed; }
    std::u16string userFolder() const { return settings_->userFolder; }
    // The learner's PC: Explorer hiding the extensions of known file types (the titles of every
    // running Word's windows follow at once), and Word's SQL security check.
    bool hideExtensions() const { return settings_->hideExtensions; }
    void setHideExtensions(bool hide);
    bool sqlSecurityCheck() const { return settings_->sqlSecurityCheck; }
    void setSqlSecurityCheck(bool check) { settings_->sqlSecurityCheck = check; }
    // The learner answers Word's prompt to save a changed template (Yes saves it, No drops its
    // changes; the document then closes). False when no Word shows that prompt.
    bool answerTemplatePrompt(bool save);
    // The clock of the Words started from now on (local time as an OLE date); tests fix it.
    void setClock(std::function<double()> clock) { clock_ = std::move(clock); }

private:
    SimWorld() = default;
    void prepareUserFolder(std::optional<std::u16string> userFolder);
    void injectFaultsInto(std::shared_ptr<FileSystem> files);

    std::shared_ptr<FaultInjector> faults_;
    std::shared_ptr<FileSystem> files_;
    std::shared_ptr<SimDesktop> desktop_;  // null in a hosted world
    std::shared_ptr<WindowSystem> windows_;
    std::shared_ptr<Desktop> desktopPort_;
    std::shared_ptr<UserSettings> settings_;
    std::vector<std::shared_ptr<WordInstance>> words_;  // in the order they started
    Edition edition_ = Edition::French;
    bool wordInstalled_ = true;
    int killedWords_ = 0;
    std::function<double()> clock_;
    std::string createdFolder_;  // native path of the temporary folder to remove, if any
};

}  // namespace k72645::sim
