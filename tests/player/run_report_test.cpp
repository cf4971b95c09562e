// A failing scenario's report shows what Word showed: the documents asked for with Show, and
// the active document at the failure.
#include <gtest/gtest.h>

#include <sstream>

#include "player/run_report.h"
#include "player/scenario_runner.h"
#include "player/simulated_world.h"

namespace k72645::player {
namespace {

TEST(RunReport, AFailingScenarioShowsWordsActiveDocument) {
    const WorldFactory worlds = simulatedWorldFactory(K72645_COURSE_DIR);
    std::vector<ScenarioOutcome> outcomes;
    outcomes.push_back(
        runScenarioText("letter.scn",
                        "folder = Deliver(507)\n"
                        "Set app = CreateObject(\"Word.application.11\")\n"
                        "app.Documents.Open folder & \"07264507.doc\"\n"
                        "show documents\n"
                        "app.ActiveDocument.Bookmarks(\"s01\").Range.Markup = \"Brest\\r\"\n"
                        "Assert app.ActiveDocument.Paragraphs.Count = 1\n",
                        worlds));
    outcomes.push_back(runScenarioText(
        "no-document.scn", "Show\nSet app = CreateObject(\"Word.application.11\")\nAssert 1 = 2\n",
        worlds));
    std::ostringstream report;
    writeReport(report, outcomes);
    const std::string text = report.str();
    const std::string letter =
        "FAIL  letter.scn:6: Assert app.ActiveDocument.Paragraphs.Count = 1: Assert failed: "
        "left side is 19, right side is 1\n"
        "    line 4: show documents\n"
        "    Word holds 1 document open:\n"
        "      1  07264507.doc (active): saved, ";
    EXPECT_EQ(text.substr(0, letter.size()), letter) << text;
    EXPECT_NE(text.find("\n       8  [s01>Brest¶<s01]\n       9  ¶\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n      document: 07264507.doc, unsaved changes, "), std::string::npos);
    EXPECT_NE(text.find("\nFAIL  no-document.scn:3: Assert 1 = 2: Assert failed: left side is 1, "
                        "right side is 2\n"
                        "    line 1: Show\n"
                        "    No Word is running.\n"
                        "    Word is running with no document open.\n"
                        "0 passed, 2 failed\n"),
              std::string::npos)
        << text;

    std::ostringstream xml;
    writeJUnit(xml, outcomes);
    EXPECT_NE(xml.str().find("right side is 1\n   1  [e01&gt;Agence ORB Voyages&lt;e01]¶\n"),
              std::string::npos)
        << xml.str();
    EXPECT_NE(xml.str().find("<system-out>line 1: Show\nNo Word is running.\n</system-out>"),
              std::string::npos);
}

}  // namespace
}  // namespace k72645::player
