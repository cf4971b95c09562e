// The component's Module: the state kept between the player's calls and the AbstractModule
// operations (InitQuestion, TestePoint, Fermer, Quitter and the verdict properties). It reaches
// the exercise objects only by member name, and Word through the session's ports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "files/working_files.h"
#include "platform/platform.h"
#include "word/word_session.h"

namespace k72645 {

class Module {
public:
    // On the platform this build runs on (outside Windows: the simulated world).
    Module();
    explicit Module(Platform platform);

    void InitQuestion(std::int32_t ilQuestion, const std::u16string& isPathDossier,
                      DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel,
                      const std::optional<std::u16string>& isPathModele = std::nullopt);
    void TestePoint();
    void Fermer();
    void Quitter(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel);

    bool BravoNuance();
    std::u16string CauseErreur();
    DispatchPtr Complement();
    bool ErreurGenerale() const { return generalError_; }

    // State, for tests and diagnostics.
    const DispatchPtr& wordApplication() const { return word_.application; }
    WindowHandle wordMainWindow() const { return word_.mainWindow; }
    bool ownsWord() const { return ownsWord_; }
    const DispatchPtr& currentExercise() const { return currentExercise_; }
    const std::u16string& templateFolder() const { return templateFolder_; }
    std::int32_t paragraphsAtStart() const { return paragraphsAtStart_; }
    const WordSession& session() const { return word_; }

private:
    // One call at a time. A call made while another call of this Module runs (Word, or an
    // event handler of the player, calling back into it) is refused with error 5 located as
    // "Module" and the member called, and changes nothing; so is a call made while another
    // Module's call runs on the same thread. For the length of a call the Module
    // keeps its own reference to the exercise object, whatever the call does with it.
    class CallScope {
    public:
        CallScope(Module& module, std::u16string_view member);
        ~CallScope();
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;

    private:
        Module& module_;
        DispatchPtr exercise_;
    };

    // InitQuestion's stages.
    void dropStaleWindow(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel);
    void takePlayersWord(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel);
    void probeUntilAccessible();
    // Returns true when it created the template folder.
    bool createExerciseAndFolders(std::int32_t number, const std::u16string& workingFolder);
    void placeFilesAndPrepare(const std::u16string& workingFolder);
    void ensureDocumentAndWindow();
    void setCourseDisplay();

    // TestePoint's stages.
    void checkWork();
    enum class DialogOutcome { None, Tolerated, SkipToCheck, Blocking };
    DialogOutcome handleOpenDialog();
    bool documentsInPlace();
    void runExerciseCheck();

    // The closing of the current exercise (also run by InitQuestion and Quitter).
    void closeExercise();
    void closeAndReopenDocuments();
    void removeOwnTemplateFolder();
    // The exercise's working files are deleted, a refused deletion tried once more; those
    // still there join filesLeft_ (closingLeftFiles_ then tells).
    void deleteWorkingFilesOf(const WorkingFilePlaces& places, bool askWord);
    // Tries again to delete the files left by earlier clean-ups; true while any is left.
    bool retryFilesLeft();
    // Adds to filesLeft_, for retryFilesLeft to delete, the working files that clean-ups
    // deleted and that have come back since (a document Word still held, saved by the learner
    // after its file was deleted). Run once no exercise is current.
    void collectReturnedWorkingFiles();
    // A document of a folder this Module worked in whose file has gone: a working file the
    // clean-up deleted while Word could not close its document. Saving it would put the file
    // back, so the closing discards it.
    bool isDeletedWorkingFile(const std::u16string& fullName) const;
    // The current exercise's files and folders, with the Word that may hold them (nullptr: no
    // Word to ask), and the deleted working files of earlier clean-ups.
    WorkingFilePlaces currentPlaces(const DispatchPtr& word) const;
    // Quits the component's Word without saving; false when its process had already ended.
    bool quitWord();
    // Quits, without saving and ignoring every failure, the Words this Module replaced; one that
    // refuses has the dialog boxes of its windows closed, and is asked once more.
    void quitReplacedWords();

    // After a probe: a Word started in place of one that had gone belongs to the component and
    // is owed to the player; one attached is not the component's. True when Word was replaced.
    bool adoptReplacedWord(const DispatchPtr& held, std::uint32_t heldProcess);
    // Gives the player the Word it is owed, if any.
    void handBackWord(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel);

    WordSession word_;
    bool callRunning_ = false;
    DispatchPtr currentExercise_;
    std::u16string generalErrorCode_;
    bool generalError_ = false;
    std::u16string workingFolder_;
    std::u16string templateFolder_;
    // The template folder this Module made ("" when it made none, or has removed it): the only
    // one it removes again.
    std::u16string createdTemplateFolder_;
    std::int32_t exerciseNumber_ = 0;
    bool ownsWord_ = false;
    bool wordOwedToPlayer_ = false;  // started by a probe, not yet handed back
    // Words this Module started and then replaced because they did not answer: one may still
    // run (a Word held by a dialog, or busy), and Quitter quits it with the Module's own.
    struct ReplacedWord {
        DispatchPtr application;
        std::uint32_t process = 0;  // the process of its windows (0: not known)
    };
    std::vector<ReplacedWord> replacedWords_;
    // The working and template folders of every exercise this Module started.
    std::vector<std::u16string> foldersWorkedIn_;
    // Working files that a clean-up could not delete: every later closing tries them again,
    // and Fermer and Quitter report them while any is left.
    std::vector<std::u16string> filesLeft_;
    // Every working file a clean-up of this Module deleted, by its full name.
    std::vector<std::u16string> deletedWorkingFiles_;
    // The last clean-up of an exercise left some of its working files.
    bool closingLeftFiles_ = false;
    std::int32_t paragraphsAtStart_ = 0;
    // Word's mail-merge recipients dialog was found open by the current check.
    bool recipientsDialogOpen_ = false;
    bool savedShowAll_ = false;
    bool savedShowFieldCodes_ = false;
    bool savedShowSpellingErrors_ = false;
    bool savedShowGrammaticalErrors_ = false;
};

}  // namespace k72645
