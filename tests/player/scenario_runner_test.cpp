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

TEST(ScenarioReport, FlattensLineBreaksOfErrorSources) {
    EXPECT_EQ(
        describeError(ComError(91, u"DLL K72645 - CLASSE Module\n\r - SERVICE TestePoint", u"")),
        "error 91 (DLL K72645 - CLASSE Module /  - SERVICE TestePoint): Object variable "
        "or With block variable not set");
}

}  // namespace
}  // namespace k72645::player
