// The learner's session at the keyboard: each entry is played and answered on its own line,
// failures are told and the session goes on, and the exercise is closed at the end.
#include <gtest/gtest.h>

#include <sstream>

#include "player/play_session.h"
#include "scenario_test_objects.h"

namespace k72645::player {
namespace {

class PlaySession : public ::testing::Test {
protected:
    PlaySession() { options.exercise = 507; }
    // The session's output for these entries; its exit status in `status`.
    std::string play(const std::string& entries) {
        WorldFactory worlds = [&]() -> std::unique_ptr<ScenarioWorld> {
            auto w = std::make_unique<testing::FakeWorld>();
            w->module->nextVerdict = u"AM";
            w->finished = &finished;
            module = w->module;
            return w;
        };
        std::istringstream in(entries);
        std::ostringstream out;
        status = playExercise(options, worlds, in, out);
        return out.str();
    }
    // The output between the session's first and last lines.
    std::string answers(const std::string& entries) {
        const std::string out = play(entries);
        const std::size_t begin = out.find('\n') + 1;
        const std::size_t end = out.rfind("Exercise closed");
        return out.substr(begin, end - begin);
    }

    PlayOptions options;
    std::shared_ptr<testing::FakeModule> module;
    int finished = 0;
    int status = -1;
};

TEST_F(PlaySession, StartsTheExerciseAndClosesItAtTheEnd) {
    EXPECT_EQ(play(""),
              "Exercise 507 started in /work/507/; the variables folder, app and hwnd hold its "
              "folder, Word and Word's window.\n"
              "Exercise closed and Word released.\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(module->calls,
              (std::vector<std::u16string>{u"InitQuestion 507 /work/507/", u"Fermer", u"Quitter"}));
    EXPECT_EQ(finished, 1);
}

TEST_F(PlaySession, ACheckPrintsTheVerdictAsThePlayerReadsIt) {
    EXPECT_EQ(answers("Module.TestePoint\n"),
              "ErreurGenerale = False\nCauseErreur = \"AM\"\nComplement = Nothing\n");
    options.show = true;  // with --show, Word's document follows the verdict
    EXPECT_EQ(answers("Module.TestePoint\n"),
              "ErreurGenerale = False\nCauseErreur = \"AM\"\nComplement = Nothing\n"
              "Word's documents cannot be shown in this world.\n");
}

TEST_F(PlaySession, ExpressionsArePrintedAcrossContinuedLines) {
    EXPECT_EQ(answers("hwnd\n? \"a\" & _\n  \"b\"\nLen(folder) & \"!\"\n"),
              "4242\n\"ab\"\n\"10!\"\n");
}

TEST_F(PlaySession, FailuresAreToldAndTheSessionGoesOn) {
    EXPECT_EQ(answers("Assert hwnd = 1\nx = (\nModule.Nope\nhwnd\n"),
              "! Assert failed: left side is 4242, right side is 1\n"
              "! syntax error at column 6: expected an expression, found end of line\n"
              "! error 438 (K72645): Object doesn't support this property or method\n"
              "4242\n");
    EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace k72645::player
