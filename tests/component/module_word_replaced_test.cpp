#include <gtest/gtest.h>

#include "automation/vb.h"
#include "component/module.h"
#include "component/test_support.h"

namespace k72645 {
namespace {

// The learner quits the Word the component started and opens a Word of their own; attaching
// to the running Word is refused, so a probe that finds Word gone starts a new one.
class WordReplacedTest : public testing::SimTest {
protected:
    Platform refusingAttach() {
        Platform ports = platform;
        ports.runtime = runtime;
        return ports;
    }
    void start(int exercise) {
        folders.push_back(std::make_unique<testing::TempFolder>());
        module.InitQuestion(exercise, testing::deliver(exercise, *folders.back()), app, hwnd);
    }
    // The learner's own Word; with a document, its window title is not "Microsoft Word".
    DispatchPtr learnersWord(bool withDocument) {
        call(app, u"Quit");
        const DispatchPtr word = world->startWord();
        put(word, u"Visible", true);
        if (withDocument)
            call(toObject(get(word, u"Documents")), u"Add");
        return word;
    }

    std::shared_ptr<testing::AttachRefusingRuntime> runtime =
        std::make_shared<testing::AttachRefusingRuntime>(platform.runtime);
    Module module{refusingAttach()};
    DispatchPtr app;
    std::int32_t hwnd = -1;
    std::vector<std::unique_ptr<testing::TempFolder>> folders;
};

TEST_F(WordReplacedTest, AWordStartedByTheChecksProbeIsQuitByQuitter) {
    start(505);
    const DispatchPtr learners = learnersWord(true);
    module.TestePoint();
    EXPECT_EQ(module.CauseErreur(), u"%AL");
    EXPECT_EQ(runtime->starts, 2);
    EXPECT_EQ(world->wordCount(), 2);
    EXPECT_EQ(desktop.lockedWindow(), 0);  // the new Word's drawing is unlocked again

    // The player still holds the Word that has gone: it gets the new one back, and it is quit.
    module.Quitter(app, hwnd);
    EXPECT_EQ(app, nullptr);
    EXPECT_EQ(hwnd, 0);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_TRUE(sameObject(world->runningWord(), learners));
}

TEST_F(WordReplacedTest, TheNextInitQuestionHandsTheStartedWordBack) {
    start(505);
    learnersWord(true);
    module.TestePoint();
    const DispatchPtr started = module.AppWord();
    start(507);
    EXPECT_TRUE(sameObject(app, started));
    EXPECT_EQ(hwnd, module.HandleWord());
    EXPECT_TRUE(module.WordLance());
    EXPECT_EQ(world->wordCount(), 2);
}

TEST_F(WordReplacedTest, AWordStartedByInitQuestionsProbeIsHandedBackAndOwned) {
    start(505);
    const DispatchPtr gone = app;
    // Without a window handle, the learner's Word, without documents, is taken for the
    // player's; the probe then finds the player's Word gone.
    const DispatchPtr learners = learnersWord(false);
    hwnd = -1;
    start(507);
    EXPECT_FALSE(sameObject(app, gone));
    EXPECT_FALSE(sameObject(app, learners));
    EXPECT_TRUE(sameObject(app, module.AppWord()));
    EXPECT_EQ(hwnd, module.HandleWord());
    EXPECT_TRUE(module.WordLance());
    module.Quitter(app, hwnd);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_TRUE(sameObject(world->runningWord(), learners));
}

}  // namespace
}  // namespace k72645
