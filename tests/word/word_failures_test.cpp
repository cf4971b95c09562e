// Where starting, probing and setting up Word fail, and the location each failure carries.
#include <gtest/gtest.h>

#include "component/test_support.h"
#include "word/word_startup.h"
#include "word/workspace.h"

namespace k72645::testing {
namespace {

class WordFailuresTest : public SimTest {
protected:
    WordSession session{platform};
};

TEST_F(WordFailuresTest, AFailedStartIsLocatedAndLeavesNoWord) {
    world->setWordInstalled(false);
    EXPECT_COM_ERROR(GetApplication(session), 429, located(u"Module", u"GetApplication", u""));
    EXPECT_EQ(session.application, nullptr);
}

TEST_F(WordFailuresTest, AFailedAttachStartsWordOnceAndASecondFailurePassesUnchanged) {
    const DispatchPtr running = world->startWord();
    put(running, u"Visible", true);
    auto runtime = std::make_shared<AttachRefusingRuntime>(platform.runtime);
    session.platform.runtime = runtime;
    session.mainWindow = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    GetApplication(session);
    EXPECT_EQ(runtime->attaches, 1);
    EXPECT_EQ(runtime->starts, 1);
    EXPECT_TRUE(session.wordStarted);
    EXPECT_EQ(world->wordCount(), 2);

    // The new Word's window is visible: attaching is tried again, then one start, refused.
    runtime->refuseStart = true;
    const DispatchPtr held = session.application;
    EXPECT_COM_ERROR(GetApplication(session), 429, u"K72645");
    EXPECT_EQ(runtime->attaches, 2);
    EXPECT_EQ(runtime->starts, 2);
    EXPECT_TRUE(sameObject(session.application, held));
}

TEST_F(WordFailuresTest, StrictProbeAfterARestartStillRaises462Located) {
    GetApplication(session);
    call(session.application, u"Quit");
    EXPECT_COM_ERROR(OleAccessible(session, true), 462, located(u"Module", u"OleAccessible", u""));
    EXPECT_EQ(world->wordCount(), 1);  // Word was started again all the same
}

TEST_F(WordFailuresTest, ARefusedCallIsLocatedAndNestedReportsChain) {
    GetApplication(session);
    session.learnerSettings.currentFolder = u"/no/such/folder/";
    session.learnerSettingsRecorded = true;
    const std::u16string inner = located(u"Module", u"ChangeDir", u"Microsoft Word");
    EXPECT_COM_ERROR(ChangeDir(session, u"/no/such/folder/"), 5, inner);
    EXPECT_COM_ERROR(RestaureParamUser(session), 5,
                     located(u"Module", u"RestaureParamUser", inner));
}

}  // namespace
}  // namespace k72645::testing
