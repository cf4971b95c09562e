#include <gtest/gtest.h>

#include "automation/vb.h"
#include "component/test_support.h"
#include "word/word_startup.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class WordStartupTest : public testing::SimTest {
protected:
    std::int32_t documentCount(const DispatchPtr& word) {
        return vb::cLng(member(member(word, u"Documents"), u"Count"));
    }
    WordSession session{platform};
};

TEST_F(WordStartupTest, AVisibleRunningWordIsAttachedAndItsDocumentsClosed) {
    const DispatchPtr running = world->startWord();
    put(running, u"Visible", true);
    call(toObject(member(running, u"Documents")), u"Add");
    put(running, u"ShowStartupDialog", true);
    session.HandleWord = desktop.findWindow(u"OPUSAPP", u"Document1 - Microsoft Word");
    ASSERT_NE(session.HandleWord, 0);

    GetApplication(session);
    EXPECT_TRUE(sameObject(session.AppWord, running));
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_EQ(documentCount(running), 0);
    EXPECT_EQ(session.savedStartupSetting, -1);
}

TEST_F(WordStartupTest, AFailedStartIsLocatedAndLeavesNoWord) {
    world->setWordInstalled(false);
    session.AppWord = world->runningWord();  // nothing
    const ComError e = testing::failureOf([&] { GetApplication(session); });
    EXPECT_EQ(e.number(), 429);
    EXPECT_EQ(e.source().rfind(located(u"Module", u"GetApplication", u""), 0), 0u);
    EXPECT_EQ(session.AppWord, nullptr);
}

TEST_F(WordStartupTest, AFailedAttachStartsWordOnceAndASecondFailurePassesUnchanged) {
    const DispatchPtr running = world->startWord();
    put(running, u"Visible", true);
    auto runtime = std::make_shared<testing::AttachRefusingRuntime>(platform.runtime);
    session.platform.runtime = runtime;
    session.HandleWord = desktop.findWindow(u"OPUSAPP", kAnyTitle);

    GetApplication(session);
    EXPECT_EQ(runtime->attaches, 1);
    EXPECT_EQ(runtime->starts, 1);
    EXPECT_FALSE(sameObject(session.AppWord, running));
    EXPECT_TRUE(session.wordStarted);
    EXPECT_EQ(world->wordCount(), 2);

    // The new Word's window is visible: attaching is tried again, then one start, refused.
    runtime->refuseStart = true;
    const DispatchPtr held = session.AppWord;
    const ComError e = testing::failureOf([&] { GetApplication(session); });
    EXPECT_EQ(e.number(), 429);
    EXPECT_EQ(e.source(), u"K72645");  // not located: it passes unchanged
    EXPECT_EQ(runtime->attaches, 2);
    EXPECT_EQ(runtime->starts, 2);
    EXPECT_TRUE(sameObject(session.AppWord, held));
}

TEST_F(WordStartupTest, TolerantProbeStartsWordAgainAfterTheLearnerClosedIt) {
    GetApplication(session);
    call(session.AppWord, u"Quit");
    ASSERT_EQ(world->wordCount(), 0);

    OleAccessible(session, false);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_NO_THROW(member(member(session.AppWord, u"Windows"), u"Count"));
    EXPECT_NE(session.HandleWord, 0);
}

TEST_F(WordStartupTest, StrictProbeAfterARestartStillRaises462Located) {
    GetApplication(session);
    call(session.AppWord, u"Quit");
    const ComError e = testing::failureOf([&] { OleAccessible(session, true); });
    EXPECT_EQ(e.number(), 462);
    EXPECT_EQ(e.source().rfind(located(u"Module", u"OleAccessible", u""), 0), 0u);
    EXPECT_EQ(world->wordCount(), 1);  // Word was started again all the same
}

TEST_F(WordStartupTest, TolerantProbeDismissesABlockingDialogWithEscape) {
    GetApplication(session);
    call(session.AppWord, u"ShowDialog", {u"Enregistrer sous", true});
    EXPECT_NO_THROW(OleAccessible(session, false));
    EXPECT_EQ(world->wordCount(), 1);
}

}  // namespace
}  // namespace k72645
