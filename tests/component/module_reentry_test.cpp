// Word, or an event handler of the player, may call back into the Module while one of its calls
// runs, or into another Module sharing the same Word. Such a call is refused with a located error
// and changes nothing; the running call ends as it would have without it.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "component/module.h"
#include "component/test_support.h"

namespace k72645 {
namespace {

using testing::located;

class ReentryTest : public testing::SimTest {
protected:
    Platform callingBack() {
        Platform ports = platform;
        ports.runtime = std::make_shared<testing::FaultyRuntime>(platform.runtime, callBack);
        return ports;
    }
    std::shared_ptr<testing::Fault> callBack = std::make_shared<testing::Fault>();
    Module module{callingBack()};
    DispatchPtr app;
    std::int32_t hwnd = -1;
};

TEST_F(ReentryTest, CallsMadeFromInsideACheckAreRefusedAndTheCheckEnds) {
    testing::TempFolder folder;
    module.InitQuestion(501, testing::deliver(501, folder), app, hwnd);
    module.TestePoint();
    const std::u16string verdict = module.CauseErreur();

    testing::TempFolder beside;
    const std::u16string besideFolder = testing::deliver(502, beside);
    std::vector<std::pair<std::u16string, ComError>> refused;
    const auto attempt = [&](std::u16string member, const std::function<void()>& call) {
        try {
            call();
            ADD_FAILURE() << toUtf8(member) << " was served";
        } catch (const ComError& e) {
            refused.emplace_back(member, e);
        }
    };
    callBack->member = u"ActiveDocument";
    callBack->armed = true;
    callBack->instead = [&] {
        attempt(u"Fermer", [&] { module.Fermer(); });
        attempt(u"Quitter", [&] {
            DispatchPtr word = app;
            std::int32_t window = hwnd;
            module.Quitter(word, window);
        });
        attempt(u"InitQuestion", [&] {
            DispatchPtr word = app;
            std::int32_t window = hwnd;
            module.InitQuestion(502, besideFolder, word, window);
        });
        attempt(u"TestePoint", [&] { module.TestePoint(); });
        attempt(u"CauseErreur", [&] { module.CauseErreur(); });
        attempt(u"BravoNuance", [&] { module.BravoNuance(); });
        attempt(u"Complement", [&] { module.Complement(); });
    };
    module.TestePoint();

    ASSERT_EQ(refused.size(), 7u);
    for (const auto& [member, error] : refused) {
        EXPECT_EQ(error.number(), 5) << toUtf8(member);
        EXPECT_EQ(error.source(), located(u"Module", member, u"K72645")) << toUtf8(member);
        EXPECT_EQ(error.description(),
                  u"Another call of this Module is running; this call is refused");
    }
    // The check ran to its end on the exercise it started with, in the same Word.
    EXPECT_FALSE(module.ErreurGenerale());
    EXPECT_EQ(module.CauseErreur(), verdict);
    ASSERT_NE(module.currentExercise(), nullptr);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_TRUE(folder.has("Insertion.doc"));
    EXPECT_TRUE(beside.has("07264502.doc"));
    EXPECT_TRUE(beside.has("17264502.doc"));
    // Calls made once the check has ended are served again.
    module.Fermer();
    EXPECT_EQ(module.currentExercise(), nullptr);
    EXPECT_FALSE(folder.has("Insertion.doc"));
}

TEST_F(ReentryTest, ASecondModuleCalledFromInsideACheckIsRefusedAndServedAfterIt) {
    testing::TempFolder folder;
    module.InitQuestion(501, testing::deliver(501, folder), app, hwnd);
    module.TestePoint();
    const std::u16string verdict = module.CauseErreur();

    Module second{platform};
    testing::TempFolder beside;
    const std::u16string besideFolder = testing::deliver(502, beside);
    DispatchPtr secondWord = app;
    std::int32_t secondWindow = hwnd;
    std::vector<ComError> refused;
    callBack->member = u"ActiveDocument";
    callBack->armed = true;
    callBack->instead = [&] {
        for (const auto& call : std::vector<std::function<void()>>{
                 [&] { second.InitQuestion(502, besideFolder, secondWord, secondWindow); },
                 [&] { second.Quitter(secondWord, secondWindow); }, [&] { second.Fermer(); }}) {
            try {
                call();
                ADD_FAILURE() << "the second Module was served";
            } catch (const ComError& e) {
                refused.push_back(e);
            }
        }
    };
    module.TestePoint();

    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(refused[0].number(), 5);
    EXPECT_EQ(refused[0].source(), located(u"Module", u"InitQuestion", u"K72645"));
    EXPECT_EQ(refused[0].description(),
              u"A call of another Module is running; this call is refused");
    EXPECT_EQ(refused[1].source(), located(u"Module", u"Quitter", u"K72645"));
    // Nothing of the second exercise was started, and the first check ended as before.
    EXPECT_EQ(second.currentExercise(), nullptr);
    EXPECT_TRUE(beside.has("07264502.doc"));
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_EQ(module.CauseErreur(), verdict);
    // Once the check has ended, the second Module is served (after the first exercise has
    // closed: its working document, unsaved, holds a name the second exercise uses).
    module.Fermer();
    second.InitQuestion(502, besideFolder, secondWord, secondWindow);
    EXPECT_NE(second.currentExercise(), nullptr);
    second.Fermer();
}

}  // namespace
}  // namespace k72645
