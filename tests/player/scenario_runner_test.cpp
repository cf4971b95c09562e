#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "automation/vb.h"
#include "player/run_report.h"
#include "player/scenario_runner.h"
#include "player/simulated_world.h"
#include "scenario_test_objects.h"

namespace k72645::player {
namespace {

namespace fs = std::filesystem;
using testing::FakeWorld;

class ScenarioRunner : public ::testing::Test {
protected:
    ScenarioRunner() {
        folder = fs::temp_directory_path() /
                 ("k72645-runner-test-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    ~ScenarioRunner() override { fs::remove_all(folder); }

    fs::path write(const std::string& name, const std::string& text) {
        fs::path file = folder / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    ScenarioOutcome run(const fs::path& file) {
        return runScenarioFile(file, [this]() -> std::unique_ptr<ScenarioWorld> {
            auto world = std::make_unique<FakeWorld>();
            world->finished = &finished;
            world->module->nextVerdict = verdict;
            world->recordingHost.viewFails = viewFails;
            return world;
        });
    }

    fs::path folder;
    int finished = 0;
    std::u16string verdict = u"A";
    bool viewFails = false;
};

TEST_F(ScenarioRunner, ReportsPassesAndEachKindOfFailure) {
    std::vector<ScenarioOutcome> outcomes;
    outcomes.push_back(
        run(write("pass.scn", "Module.TestePoint\nAssert Module.CauseErreur = \"A\"\n")));
    outcomes.push_back(
        run(write("assert.scn", "x = 1\n\nAssert Module.CauseErreur = _\n  \"B\"\n")));
    outcomes.push_back(run(write("runtime.scn", "Module.Nope 1, 2 ' comment\nx = 1\n")));
    outcomes.push_back(run(write("syntax.scn", "x = 1\nAssert (x\n")));
    outcomes.push_back(run(folder / "missing.scn"));

    EXPECT_TRUE(outcomes[0].passed);
    EXPECT_EQ(reportLine(outcomes[0]), "pass  " + (folder / "pass.scn").string());
    EXPECT_EQ(reportLine(outcomes[1]), "FAIL  " + (folder / "assert.scn").string() +
                                           ":3: Assert Module.CauseErreur = \"B\": Assert failed: "
                                           "left side is \"\", right side is \"B\"");
    EXPECT_EQ(reportLine(outcomes[2]),
              "FAIL  " + (folder / "runtime.scn").string() +
                  ":1: Module.Nope 1, 2: error 438 (K72645): Object doesn't support this "
                  "property or method");
    EXPECT_EQ(reportLine(outcomes[3]), "FAIL  " + (folder / "syntax.scn").string() +
                                           ":2:10: syntax error: expected ')', found end of line");
    EXPECT_EQ(reportLine(outcomes[4]),
              "FAIL  " + (folder / "missing.scn").string() + ": cannot read the file");
    // Every scenario that started a world ended it.
    EXPECT_EQ(finished, 3);
    // A failure tells what Word showed, or why it could not be read.
    EXPECT_EQ(outcomes[0].documentView, "");
    EXPECT_EQ(outcomes[1].documentView, "Word's documents cannot be shown in this world.\n");
    viewFails = true;
    EXPECT_EQ(run(folder / "runtime.scn").documentView,
              "Word's document cannot be shown: error 462 (Word): Word is gone\n");

    std::ostringstream report;
    writeReport(report, outcomes);
    EXPECT_EQ(report.str().substr(report.str().rfind('\n', report.str().size() - 2) + 1),
              "1 passed, 4 failed\n");
    EXPECT_EQ(exitStatus(outcomes), 1);
    EXPECT_EQ(exitStatus({outcomes[0]}), 0);
}

TEST_F(ScenarioRunner, RecordsTheVerdictReadAfterTheLastCheck) {
    verdict = u"%AL";
    EXPECT_FALSE(run(write("none.scn", "Module.TestePoint\n")).verdict.has_value());
    auto read = run(write("read.scn",
                          "x = Module.CauseErreur\nModule.TestePoint\n"
                          "y = Module.CauseErreur\nModule.Fermer\n"));
    EXPECT_EQ(read.verdict, std::u16string(u"%AL"));
    // A check after the last reading leaves no verdict read.
    auto stale = run(write("stale.scn",
                           "Module.TestePoint\nx = Module.CauseErreur\n"
                           "Module.TestePoint\n"));
    EXPECT_FALSE(stale.verdict.has_value());
}

TEST_F(ScenarioRunner, WritesJUnitWithEscapedFailures) {
    std::vector<ScenarioOutcome> outcomes;
    outcomes.push_back(run(write("ok.scn", "")));
    outcomes.push_back(run(write("bad<1>.scn", "Assert \"a&b\" = \"<\"\n")));
    std::ostringstream xml;
    writeJUnit(xml, outcomes);
    const std::string text = xml.str();
    EXPECT_NE(text.find("<testsuite name=\"k72645 scenarios\" tests=\"2\" failures=\"1\""),
              std::string::npos);
    EXPECT_NE(text.find("name=\"" + (folder / "ok.scn").string() + "\" time=\""),
              std::string::npos);
    EXPECT_NE(text.find("bad&lt;1&gt;.scn"), std::string::npos);
    EXPECT_NE(text.find("<failure message=\"Assert failed: left side is &quot;a&amp;b&quot;, "
                        "right side is &quot;&lt;&quot;\">"),
              std::string::npos);
    EXPECT_EQ(text.find("<<"), std::string::npos);
}

TEST_F(ScenarioRunner, RunsTheSimulatorSmokeScenarioInASimulatedWorld) {
    const fs::path smoke = fs::path(K72645_COURSE_DIR) / "scenarios" / "sim-smoke.scn";
    ScenarioOutcome outcome = runScenarioFile(smoke, simulatedWorldFactory(K72645_COURSE_DIR));
    EXPECT_TRUE(outcome.passed) << outcome.failureLine();
    // Each scenario has a world of its own: no Word runs at the start of the next one.
    ScenarioOutcome fresh =
        runScenarioText("fresh.scn",
                        "Assert Sim.WordCount = 0\nAssert Sim.RunningWord Is Nothing\n"
                        "Assert Desktop.FindWindow(\"OPUSAPP\", \"\") = 0\n",
                        simulatedWorldFactory(K72645_COURSE_DIR));
    EXPECT_TRUE(fresh.passed) << fresh.failureLine();
}

TEST(SimulatedWorld, DesktopRootShowsWordsWindowsAndDialogs) {
    ScenarioOutcome outcome =
        runScenarioText("desktop.scn",
                        "Set app = CreateObject(\"Word.application.11\")\n"
                        "app.Visible = True\n"
                        "hwnd = Desktop.FindWindow(\"OPUSAPP\", \"Microsoft Word\")\n"
                        "Assert Desktop.WindowCount(\"OPUSAPP\") = 1\n"
                        "Assert Desktop.IsIconic(hwnd) = 0\n"
                        "app.WindowState = 2\n"
                        "Assert Desktop.IsIconic(hwnd) <> 0\n"
                        "app.WindowState = 0\n"
                        "dialog = app.ShowDialog(\"Rechercher\")\n"
                        "Assert Desktop.GetWindowText(dialog) = \"Rechercher\"\n"
                        "Assert Desktop.WindowCount(\"bosa_sdm_Microsoft Office Word 11.0\") = 1\n"
                        "Desktop.SendMessage dialog, 16\n"
                        "Assert Desktop.WindowCount(\"bosa_sdm_Microsoft Office Word 11.0\") = 0\n",
                        simulatedWorldFactory(K72645_COURSE_DIR));
    EXPECT_TRUE(outcome.passed) << outcome.failureLine();
}

TEST(SimulatedWorld, FinishingQuitsEveryWordAndRemovesTheWorkingFolders) {
    WorldFactory worlds = simulatedWorldFactory(K72645_COURSE_DIR);
    std::unique_ptr<ScenarioWorld> world = worlds();
    const fs::path folder = toUtf8(world->host().deliver(507));
    EXPECT_TRUE(fs::exists(folder / "07264507.doc"));
    EXPECT_TRUE(world->host().fileExists(fromUtf8((folder / "07264507.DOC").string())));
    world->host().createObject(u"Word.application.11");
    DispatchPtr sim;
    for (auto& [name, object] : world->roots()) {
        if (name == u"Sim")
            sim = object;
    }
    ASSERT_TRUE(sim);
    EXPECT_EQ(vb::cLng(get(sim, u"WordCount")), 1);
    world->finish();
    EXPECT_EQ(vb::cLng(get(sim, u"WordCount")), 0);
    EXPECT_FALSE(fs::exists(folder));
}

TEST(ScenarioReport, FlattensLineBreaksOfErrorSources) {
    EXPECT_EQ(
        describeError(ComError(91, u"DLL K72645 - CLASSE Module\n\r - SERVICE TestePoint", u"")),
        "error 91 (DLL K72645 - CLASSE Module /  - SERVICE TestePoint): Object variable "
        "or With block variable not set");
}

}  // namespace
}  // namespace k72645::player
