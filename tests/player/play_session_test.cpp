#include <gtest/gtest.h>

#include <sstream>

#include "player/play_session.h"
#include "scenario_test_objects.h"

namespace k72645::player {
namespace {

TEST(PlaySession, StartsChecksPrintsAndClosesTheExercise) {
    std::shared_ptr<testing::FakeModule> module;
    int finished = 0;
    WorldFactory worlds = [&]() -> std::unique_ptr<ScenarioWorld> {
        auto w = std::make_unique<testing::FakeWorld>();
        w->module->nextVerdict = u"AM";
        w->finished = &finished;
        module = w->module;
        return w;
    };
    std::istringstream in(
        "hwnd\n"
        "Show\n"
        "Module.TestePoint\n"
        "? \"a\" & _\n"
        "  \"b\"\n"
        "Assert hwnd = 1\n"
        "x = (\n"
        "Module.Nope\n"
        "Len(folder) & \"!\"\n");
    std::ostringstream out;
    PlayOptions options;
    options.exercise = 507;
    EXPECT_EQ(playExercise(options, worlds, in, out), 1);
    EXPECT_EQ(out.str(),
              "Exercise 507 started in /work/507/; the variables folder, app and hwnd hold its "
              "folder, Word and Word's window.\n"
              "4242\n"
              "Word's documents cannot be shown in this world.\n"
              "ErreurGenerale = False\n"
              "CauseErreur = \"AM\"\n"
              "Complement = Nothing\n"
              "\"ab\"\n"
              "! Assert failed: left side is 4242, right side is 1\n"
              "! syntax error at column 6: expected an expression, found end of line\n"
              "! error 438 (K72645): Object doesn't support this property or method\n"
              "\"10!\"\n"
              "Exercise closed and Word released.\n");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->calls, (std::vector<std::u16string>{u"InitQuestion 507 /work/507/",
                                                          u"TestePoint", u"Fermer", u"Quitter"}));
    EXPECT_EQ(finished, 1);

    // With --show, Word's document follows each verdict.
    std::istringstream quiet("Module.TestePoint\n");
    std::ostringstream out2;
    options.show = true;
    EXPECT_EQ(playExercise(options, worlds, quiet, out2), 0);
    EXPECT_NE(out2.str().find("Complement = Nothing\nWord's documents cannot be shown in this "
                              "world.\nExercise closed"),
              std::string::npos)
        << out2.str();
}

}  // namespace
}  // namespace k72645::player
