#include <gtest/gtest.h>

#include "component/module_fixture.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class InitQuestionTest : public testing::ModuleTest {};

TEST_F(InitQuestionTest, WithoutWordItStartsOneAndHandsItBack) {
    start(501);
    ASSERT_NE(app, nullptr);
    EXPECT_TRUE(module.WordLance());
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_EQ(hwnd, desktop.findWindow(u"OPUSAPP", kAnyTitle));
    EXPECT_EQ(hwnd, module.HandleWord());
    // Files in place, the first working document active, Word's drawing unlocked again.
    EXPECT_TRUE(folder().has("Insertion.doc"));
    EXPECT_FALSE(folder().has("07264501.doc"));
    EXPECT_FALSE(folder().has("07264501.dot"));
    EXPECT_EQ(vb::cStr(member(activeDocument(), u"Name")), u"Insertion.doc");
    EXPECT_EQ(module.NbParagraphes(),
              vb::cLng(member(member(activeDocument(), u"Paragraphs"), u"Count")));
    EXPECT_EQ(desktop.lockedWindow(), 0);
    EXPECT_FALSE(module.ErreurGenerale());
}

TEST_F(InitQuestionTest, TheTemplateFolderIsCreatedWithItsParentsUnderWordsUserTemplates) {
    app = world->startWord();
    put(app, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    testing::TempFolder root;
    const std::u16string templates = root.path() + u"Modeles\\Perso";
    put(toObject(member(app, u"Options")), u"DefaultFilePath", templates, {std::int32_t{2}});
    start(503);
    EXPECT_EQ(module.PathModeles(), templates + u"\\ORB Modèles\\");
    EXPECT_TRUE(platform.files->fileExists(module.PathModeles() + u"Lettre ORB.dot"));
}

TEST_F(InitQuestionTest, TheSameWordAgainKeepsItsOwnershipAndFindsItsWindowByTitle) {
    start(505);
    const DispatchPtr first = app;
    const std::int32_t window = hwnd;
    // Another Word in front, with a document of its own, and its window given as the player's:
    // only the title of the active document finds the window of the Word in use.
    const DispatchPtr other = world->startWord();
    put(other, u"Visible", true);
    call(toObject(get(other, u"Documents")), u"Add");
    hwnd = desktop.findWindow(u"OPUSAPP", u"Document1 - Microsoft Word");
    desktop.bringToForeground(hwnd);
    ASSERT_NE(desktop.findWindow(u"OPUSAPP", kAnyTitle), window);
    start(506);
    EXPECT_TRUE(sameObject(app, first));
    EXPECT_TRUE(module.WordLance());
    EXPECT_EQ(hwnd, window);
    // The previous exercise was closed: its files are gone.
    EXPECT_FALSE(folders.front()->has("Agence.doc"));
}

TEST_F(InitQuestionTest, ThePlayersOwnWordIsUsedAndNotOwned) {
    app = world->startWord();
    put(app, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    start(505);
    EXPECT_FALSE(module.WordLance());
    EXPECT_TRUE(sameObject(module.AppWord(), world->runningWord()));
    EXPECT_EQ(world->wordCount(), 1);
}

TEST_F(InitQuestionTest, AHiddenPlayersWordIsQuitAndReplaced) {
    const DispatchPtr hidden = world->startWord();
    put(hidden, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    put(hidden, u"Visible", false);
    app = hidden;
    start(505);
    EXPECT_TRUE(module.WordLance());
    EXPECT_FALSE(sameObject(app, hidden));
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_THROW(get(hidden, u"Visible"), ComError);  // the hidden Word has quit
    EXPECT_TRUE(desktop.isVisible(hwnd));
}

TEST_F(InitQuestionTest, AnExerciseThatOpensNothingGetsABlankDocumentAndTheTaskPane) {
    start(517);
    EXPECT_EQ(documentCount(), 1);
    const Variant pane = member(word(u"CommandBars"), u"Item", {u"Task Pane"});
    EXPECT_TRUE(vb::cBool(member(pane, u"Visible")));
}

TEST_F(InitQuestionTest, TheProbeGivesUpAfter499AttemptsWithTheLastFailureLocated) {
    auto fault = std::make_shared<testing::Fault>();
    fault->member = u"Windows";
    fault->armed = true;
    platform.runtime = std::make_shared<testing::FaultyRuntime>(platform.runtime, fault);
    Module faulty(platform);
    const ComError e = testing::failureOf([&] { faulty.InitQuestion(505, u"/tmp/", app, hwnd); });
    EXPECT_EQ(e.number(), fault->error.number());
    EXPECT_EQ(e.description(), fault->error.description());
    EXPECT_EQ(e.source(), located(u"Module", u"InitQuestion", u"Microsoft Word"));
    // Each tolerant probe reads Windows twice (once more after Escape): 499 probes in all.
    EXPECT_EQ(fault->refusals, 2 * 499);
    EXPECT_EQ(desktop.lockedWindow(), 0);  // unlocked on failure too
    EXPECT_EQ(faulty.QuestionCourante(), nullptr);
}

// A Module whose Words refuse one member when the fault is armed.
class FaultyWordTest : public InitQuestionTest {
protected:
    FaultyWordTest() {
        faulty.runtime = std::make_shared<testing::FaultyRuntime>(platform.runtime, fault);
    }
    // The player's own Word, visible, reached through the faulty runtime.
    void playersWord() {
        app = faulty.runtime->CreateObject(u"Word.application.11");
        put(app, u"Visible", true);
        hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    }
    ComError initFailure(Module& m, int exercise) {
        folders.push_back(std::make_unique<testing::TempFolder>());
        return testing::failureOf(
            [&] { m.InitQuestion(exercise, testing::deliver(exercise, folder()), app, hwnd); });
    }
    std::shared_ptr<testing::Fault> fault = std::make_shared<testing::Fault>();
    Platform faulty = platform;
};

TEST_F(FaultyWordTest, SaveParamUserFailsLocatedWithTheComponentsWordIgnoredWithThePlayers) {
    fault->member = u"DefaultFilePath";
    fault->armed = true;
    Module own(faulty);
    EXPECT_EQ(initFailure(own, 505).source(),
              located(u"Module", u"SaveParamUser", u"Microsoft Word"));
    EXPECT_EQ(own.QuestionCourante(), nullptr);

    // With the player's Word the refusal is ignored; reading the user templates folder then
    // meets it again, and InitQuestion reports it.
    playersWord();
    Module players(faulty);
    const ComError e = initFailure(players, 505);
    EXPECT_EQ(e.number(), fault->error.number());
    EXPECT_EQ(e.source(), located(u"Module", u"InitQuestion", u"Microsoft Word"));
    EXPECT_EQ(desktop.lockedWindow(), 0);
}

TEST_F(FaultyWordTest, TheBlankDocumentAndTheMaximizedWindowAreReportedByInitQuestion) {
    playersWord();
    fault->member = u"Add";
    fault->armed = true;
    Module first(faulty);
    EXPECT_EQ(initFailure(first, 517).source(),
              located(u"Module", u"InitQuestion", u"Microsoft Word"));

    fault->member = u"WindowState";
    Module second(faulty);
    EXPECT_EQ(initFailure(second, 505).source(),
              located(u"Module", u"InitQuestion", u"Microsoft Word"));
    EXPECT_EQ(fault->refusals, 2);
}

TEST_F(InitQuestionTest, AStartThatFailsAfterPlacingTheTemplateRemovesTheTemplateFolder) {
    auto fault = std::make_shared<testing::Fault>();
    fault->member = u"Open";
    fault->armed = true;
    platform.runtime = std::make_shared<testing::FaultyRuntime>(platform.runtime, fault);
    Module faulty(platform);
    const testing::TempFolder delivery;
    const ComError e = testing::failureOf(
        [&] { faulty.InitQuestion(501, testing::deliver(501, delivery), app, hwnd); });
    EXPECT_EQ(e.source().rfind(located(u"Question0501", u"Prepare", u""), 0), 0u);
    EXPECT_EQ(fault->refusals, 1);
    EXPECT_FALSE(platform.files->fileExists(faulty.PathModeles() + u"Lettre ORB.dot"));
    EXPECT_FALSE(platform.files->folderExists(faulty.PathModeles()));
    EXPECT_TRUE(delivery.has("Insertion.doc"));
}

TEST_F(InitQuestionTest, AnUnknownNumberFailsInNettoyage) {
    folders.push_back(std::make_unique<testing::TempFolder>());
    const ComError e =
        testing::failureOf([&] { module.InitQuestion(600, folderPath(), app, hwnd); });
    EXPECT_EQ(e.number(), errors::kObjectNotSet);
    EXPECT_EQ(e.source().rfind(located(u"Module", u"Nettoyage", u""), 0), 0u);
    EXPECT_TRUE(module.WordLance());  // Word stays started
}

}  // namespace
}  // namespace k72645
