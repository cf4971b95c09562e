// The printed form of Word's active document, held in tests/player/golden/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "player/delivery.h"
#include "player/document_view.h"
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
    std::string view() {
        const auto word = world->runningWordModel();
        std::string text = withoutColours(activeDocumentView(word.get()));
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

}  // namespace
}  // namespace k72645::player
