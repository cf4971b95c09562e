// The Module's failure regimes that the course's scenarios cannot bring about: Word refusing a
// call while an exercise starts, is checked or is closed, Word refusing to be attached, and the
// location each failure reaches the player with.
#include <gtest/gtest.h>

#include <filesystem>

#include "component/abstract_module_object.h"
#include "component/module_fixture.h"

namespace k72645::testing {
namespace {

// A Module whose Words refuse one member when the fault is armed.
class FaultyWordTest : public ModuleTest {
protected:
    FaultyWordTest() { faulty.runtime = std::make_shared<FaultyRuntime>(platform.runtime, fault); }
    // The player's own Word, visible, reached through the faulty runtime.
    void playersWord() {
        app = faulty.runtime->createObject(u"Word.application.11");
        put(app, u"Visible", true);
        hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    }
    void init(Module& m, int exercise) {
        folders.push_back(std::make_unique<TempFolder>());
        m.InitQuestion(exercise, deliver(exercise, folder()), app, hwnd);
    }
    void refuse(std::u16string member) {
        fault->member = std::move(member);
        fault->armed = true;
    }
    std::shared_ptr<Fault> fault = std::make_shared<Fault>();
    Platform faulty = platform;
};

const std::u16string kRejected = located(u"Module", u"InitQuestion", u"Microsoft Word");

TEST_F(FaultyWordTest, TheProbeGivesUpAfter499AttemptsWithTheLastFailureLocated) {
    refuse(u"Windows");
    Module m(faulty);
    EXPECT_COM_ERROR(m.InitQuestion(505, u"/tmp/", app, hwnd), fault->error.number(), kRejected);
    // Each tolerant probe reads Windows twice (once more after Escape): 499 probes in all.
    EXPECT_EQ(fault->refusals, 2 * 499);
    EXPECT_EQ(desktop.lockedWindow(), 0);  // unlocked on failure too
    EXPECT_EQ(m.currentExercise(), nullptr);
}

TEST_F(FaultyWordTest, SaveParamUserFailsLocatedWithTheComponentsWordIgnoredWithThePlayers) {
    refuse(u"DefaultFilePath");
    Module own(faulty);
    EXPECT_COM_ERROR(init(own, 505), fault->error.number(),
                     located(u"Module", u"SaveParamUser", u"Microsoft Word"));
    EXPECT_EQ(own.currentExercise(), nullptr);
    // With the player's Word the refusal is ignored; reading the user templates folder then
    // meets it again, and InitQuestion reports it.
    fault->armed = false;
    playersWord();
    fault->armed = true;
    Module players(faulty);
    EXPECT_COM_ERROR(init(players, 505), fault->error.number(), kRejected);
    EXPECT_EQ(desktop.lockedWindow(), 0);
}

TEST_F(FaultyWordTest, TheBlankDocumentAndTheMaximizedWindowAreReportedByInitQuestion) {
    playersWord();
    refuse(u"Add");
    Module first(faulty);
    EXPECT_COM_ERROR(init(first, 517), fault->error.number(), kRejected);
    refuse(u"WindowState");
    Module second(faulty);
    EXPECT_COM_ERROR(init(second, 505), fault->error.number(), kRejected);
    EXPECT_EQ(fault->refusals, 2);
}

TEST_F(FaultyWordTest, AFailedPrepareRemovesTheTemplateFolderAndReachesThePlayerLocated) {
    refuse(u"Open");
    Module m(faulty);
    EXPECT_COM_ERROR(init(m, 501), fault->error.number(),
                     located(u"Question0501", u"Prepare", u"Microsoft Word"));
    EXPECT_NE(app, nullptr);  // Word was started all the same, and the player holds it
    EXPECT_EQ(fault->refusals, 1);
    EXPECT_FALSE(platform.files->folderExists(m.templateFolder()));
    EXPECT_TRUE(folder().has("Insertion.doc"));
}

TEST_F(FaultyWordTest, APreCheckThatFailsWithAnErrorGivesANUntilWordAnswersAgain) {
    Module m(faulty);
    init(m, 501);
    refuse(u"Bookmarks");
    m.TestePoint();
    EXPECT_TRUE(m.ErreurGenerale());
    EXPECT_EQ(m.CauseErreur(), u"AN");
    fault->armed = false;
    m.TestePoint();
    EXPECT_FALSE(m.ErreurGenerale());
}

TEST_F(ModuleTest, ARefusedRestoreStillCleansUpAndClosesTheExercise) {
    // The learner's current folder vanishes during the exercise: giving it back fails.
    TempFolder learners;
    app = world->startWord();
    put(app, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    call(app, u"ChangeFileOpenDirectory", {learners.path()});
    start(501);
    const std::u16string templates = module.templateFolder();
    std::filesystem::remove_all(learners.native());
    EXPECT_NO_THROW(module.Fermer());
    EXPECT_FALSE(folder().has("Insertion.doc"));
    EXPECT_FALSE(platform.files->folderExists(templates));  // the exercise's own Fermer ran
    EXPECT_EQ(module.currentExercise(), nullptr);
}

TEST_F(ModuleTest, MissingArgumentsLeaveAsAComError) {
    Arguments none;
    EXPECT_COM_ERROR(callWith(createAbstractModule(platform), u"InitQuestion", none),
                     errors::kArgumentNotOptional);
}

// Word fails to give its templates folder on a Module's first exercise: nothing of the exercise
// is recorded, so the closings that follow delete nothing, in particular no file of the
// template's name in the player's current folder.
TEST_F(FaultyWordTest, AStartThatCannotReadTheTemplatesFolderRecordsNothing) {
    TempFolder current;
    current.write("Lettre ORB.dot", "the player's");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(current.native());
    playersWord();
    Module m(faulty);
    refuse(u"DefaultFilePath");
    EXPECT_COM_ERROR(init(m, 501), fault->error.number(), kRejected);
    fault->armed = false;
    EXPECT_EQ(m.currentExercise(), nullptr);
    EXPECT_EQ(m.templateFolder(), u"");
    m.Fermer();
    m.InitQuestion(501, folder().path(), app, hwnd);
    m.Quitter(app, hwnd);
    std::filesystem::current_path(before);
    EXPECT_TRUE(current.has("Lettre ORB.dot"));
}

// The template folder was there before the exercise: the closing deletes the exercise's own
// template from it and leaves the folder. One the Module made goes with the closing, also
// after an exercise that puts no template in it.
TEST_F(ModuleTest, OnlyATemplateFolderTheModuleMadeIsRemoved) {
    app = world->startWord();
    put(app, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    const std::u16string templates =
        vb::cStr(get(toObject(word(u"Options")), u"DefaultFilePath", {2})) + u"/ORB Modèles/";
    platform.files->makeSureDirectoryPathExists(templates);
    start(501);
    module.Fermer();
    EXPECT_TRUE(platform.files->folderExists(templates));
    EXPECT_FALSE(platform.files->fileExists(templates + u"Lettre ORB.dot"));

    platform.files->removeFolder(templates);
    start(506);
    EXPECT_TRUE(platform.files->folderExists(templates));
    module.Fermer();
    EXPECT_FALSE(platform.files->folderExists(templates));
}

// The learner quits the Word the component started and opens a Word of their own; attaching
// to the running Word is refused, so the check's probe starts a new one.
TEST_F(SimTest, AWordStartedByTheChecksProbeIsQuitByQuitter) {
    const auto runtime = std::make_shared<AttachRefusingRuntime>(platform.runtime);
    Platform refusing = platform;
    refusing.runtime = runtime;
    Module module(refusing);
    TempFolder folder;
    DispatchPtr app;
    std::int32_t hwnd = -1;
    module.InitQuestion(505, deliver(505, folder), app, hwnd);
    call(app, u"Quit");
    const DispatchPtr learners = world->startWord();
    put(learners, u"Visible", true);
    call(toObject(get(learners, u"Documents")), u"Add");
    module.TestePoint();
    EXPECT_EQ(module.CauseErreur(), u"%AL");
    EXPECT_EQ(runtime->starts, 2);
    EXPECT_EQ(desktop.lockedWindow(), 0);  // the new Word's drawing is unlocked again
    // The player still holds the Word that has gone: it gets the new one back, and it is quit.
    module.Quitter(app, hwnd);
    EXPECT_EQ(app, nullptr);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_TRUE(sameObject(world->runningWord(), learners));
}

}  // namespace
}  // namespace k72645::testing
