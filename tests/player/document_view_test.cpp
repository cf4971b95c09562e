#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "automation/vb.h"
#include "player/delivery.h"
#include "player/document_view.h"
#include "player/run_report.h"
#include "player/scenario_runner.h"
#include "player/simulated_world.h"
#include "player/terminal_text.h"
#include "sim/runtime/sim_world.h"

namespace k72645::player {
namespace {

// A Word of a fresh world on the 15th of March 2023, and the course's delivery.
class DocumentView : public ::testing::Test {
protected:
    DocumentView() : world(sim::SimWorld::create()), delivery(K72645_COURSE_DIR) {
        world->setClock([] { return 45000.5; });
        app = world->startWord();
    }

    DispatchPtr open(const std::string& file) {
        return toObject(
            call(toObject(get(app, u"Documents")), u"Open", {Variant(folder + fromUtf8(file))}));
    }
    DispatchPtr mailMerge(const DispatchPtr& document) {
        return toObject(get(document, u"MailMerge"));
    }
    // The view without colours, the delivery folder written <folder>.
    std::string view(WordView which = WordView::ActiveDocument) {
        const auto word = world->runningWordModel();
        std::string text =
            withoutColours(which == WordView::Documents ? documentsView(word.get())
                                                        : activeDocumentView(word.get()));
        const std::string where = toUtf8(folder);
        for (std::size_t at; (at = text.find(where)) != std::string::npos;)
            text.replace(at, where.size(), "<folder>/");
        return text;
    }

    // The view is the one held in tests/player/golden/<name>.
    void expectGolden(const std::string& name) {
        const std::filesystem::path file =
            std::filesystem::path(K72645_SOURCE_DIR) / "tests" / "player" / "golden" / name;
        std::ifstream in(file, std::ios::binary);
        std::ostringstream golden;
        golden << in.rdbuf();
        EXPECT_EQ(view(), golden.str()) << name;
    }

    std::shared_ptr<sim::SimWorld> world;
    Delivery delivery;
    DispatchPtr app;
    std::u16string folder;
};

TEST_F(DocumentView, ShowsALetterWithItsFieldsBookmarksAndMergeState) {
    folder = delivery.deliver(507);
    DispatchPtr letter = open("07264507.doc");
    call(mailMerge(letter), u"OpenDataSource", {Variant(folder + u"07264507.mdb")});
    DispatchPtr s01 =
        toObject(call(toObject(get(letter, u"Bookmarks")), u"Item", {Variant(u"s01")}));
    put(toObject(get(s01, u"Range")), u"Markup", Variant(u"{ MERGEFIELD CpVille }\v\t\u00a0\r"));
    expectGolden("letter-507.txt");

    // The merged data of the second record, then the codes in braces.
    put(mailMerge(letter), u"ViewMailMergeFieldCodes", Variant(false));
    put(toObject(get(mailMerge(letter), u"DataSource")), u"ActiveRecord", Variant(2));
    EXPECT_NE(view().find("   5  Madame Bernadette FOUCAL¶\n"), std::string::npos) << view();
    EXPECT_NE(view().find("record 2 of 7, merged data shown\n"), std::string::npos);
    DispatchPtr window = toObject(call(toObject(get(app, u"Windows")), u"Item", {Variant(1)}));
    put(toObject(get(window, u"View")), u"ShowFieldCodes", Variant(true));
    EXPECT_NE(view().find("  10  Nantes, le { DATE \\@ \"d MMMM yyyy\" }¶\n"), std::string::npos)
        << view();
    EXPECT_NE(view().find("unsaved changes, <folder>/07264507.doc, field codes shown\n"),
              std::string::npos);
}

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
