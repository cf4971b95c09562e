#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "component/module_fixture.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class ClosingTest : public testing::ModuleTest {
protected:
    // A learner's own document in the working folder, opened in Word.
    Variant openOwnDocument(const std::string& name, const std::string& deliveredAs) {
        std::filesystem::copy_file(std::filesystem::path(K72645_COURSE_DIR) / deliveredAs,
                                   folder().native() / name);
        return call(toObject(word(u"Documents")), u"Open", {folderPath() + fromUtf8(name)});
    }
    std::string fileText(const std::string& name) {
        std::ifstream in(folder().native() / name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool isOpen(const std::u16string& name) {
        return ignoringErrors([&] { document(name); });
    }
};

TEST_F(ClosingTest, FermerRemovesTheWorkingFilesAndTheTemplateFolderAndMayRunTwice) {
    start(501);
    const std::u16string templates = module.PathModeles();
    module.Fermer();
    EXPECT_EQ(module.QuestionCourante(), nullptr);
    EXPECT_FALSE(folder().has("Insertion.doc"));
    EXPECT_FALSE(isOpen(u"Insertion.doc"));
    EXPECT_FALSE(platform.files->folderExists(templates));
    EXPECT_NO_THROW(module.Fermer());
    // Without an exercise the verdict properties have nothing to forward to.
    EXPECT_THROW(module.CauseErreur(), ComError);
}

TEST_F(ClosingTest, SavedDocumentsAreSavedAndReopenedUnsavedOnesDiscarded) {
    start(505);
    const Variant notes = openOwnDocument("Notes.doc", "07264516.doc");
    call(toObject(member(notes, u"Content")), u"InsertAfter", {u"Ajout du stagiaire"});
    call(toObject(word(u"Documents")), u"Add");  // never saved
    const std::int32_t before = documentCount();

    module.Fermer();
    EXPECT_TRUE(isOpen(u"Notes.doc"));
    EXPECT_NE(fileText("Notes.doc").find("Ajout du stagiaire"), std::string::npos);
    // The blank document is gone, and Agence.doc was closed again with its working file.
    EXPECT_EQ(documentCount(), before - 2);
}

TEST_F(ClosingTest, ADocumentIsSavedOnItsOwnPasswordFlagNotTheActiveOnes) {
    start(505);
    const Variant notes = openOwnDocument("Notes.doc", "07264516.doc");
    call(toObject(member(notes, u"Content")), u"InsertAfter", {u"Ajout du stagiaire"});
    folder().write("Secret.doc",
                   R"({"k72645": "document", "story": ["secret"], "hasPassword": true})");
    call(toObject(word(u"Documents")), u"Open", {folderPath() + u"Secret.doc"});

    module.Fermer();
    EXPECT_NE(fileText("Notes.doc").find("Ajout du stagiaire"), std::string::npos);
    EXPECT_TRUE(isOpen(u"Notes.doc"));
    EXPECT_FALSE(isOpen(u"Secret.doc"));  // protected: closed without saving, not reopened
}

TEST_F(ClosingTest, AFormLetterMainDocumentComesBackAsANormalDocument) {
    start(505);
    const Variant letter = openOwnDocument("Lettre.doc", "07264507.doc");
    std::filesystem::copy_file(std::filesystem::path(K72645_COURSE_DIR) / "07264507.mdb",
                               folder().native() / "Base.mdb");
    call(toObject(member(letter, u"MailMerge")), u"OpenDataSource", {folderPath() + u"Base.mdb"});
    ASSERT_EQ(vb::cLng(member(member(letter, u"MailMerge"), u"MainDocumentType")), 0);

    module.Fermer();
    const Variant reopened = document(u"Lettre.doc");
    EXPECT_EQ(vb::cLng(member(member(reopened, u"MailMerge"), u"MainDocumentType")), -1);
}

TEST_F(ClosingTest, ARefusedRestoreStillCleansUpAndClosesTheExercise) {
    // The learner's current folder vanishes during the exercise: giving it back fails.
    testing::TempFolder learners;
    app = world->startWord();
    put(app, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    call(app, u"ChangeFileOpenDirectory", {learners.path()});
    start(501);
    const std::u16string templates = module.PathModeles();
    std::filesystem::remove_all(learners.native());
    EXPECT_NO_THROW(module.Fermer());
    EXPECT_FALSE(folder().has("Insertion.doc"));
    EXPECT_FALSE(platform.files->folderExists(templates));  // the exercise's own Fermer ran
    EXPECT_EQ(module.QuestionCourante(), nullptr);
}

TEST_F(ClosingTest, TheAssistantsBalloonIsClosedWithAShortPause) {
    start(505);
    call(app, u"ShowAssistantBalloon");
    ASSERT_EQ(desktop.windowCount(u"MSOBALLOON"), 1);
    module.Fermer();
    EXPECT_EQ(desktop.windowCount(u"MSOBALLOON"), 0);
    EXPECT_EQ(sleeper->waits, (std::vector<std::int32_t>{100}));
}

TEST_F(ClosingTest, QuitterQuitsTheComponentsWord) {
    start(505);
    const WindowHandle window = hwnd;
    module.Quitter(app, hwnd);
    EXPECT_EQ(app, nullptr);
    EXPECT_EQ(hwnd, 0);
    EXPECT_EQ(world->wordCount(), 0);
    EXPECT_EQ(module.AppWord(), nullptr);
    EXPECT_EQ(module.QuestionCourante(), nullptr);
    EXPECT_FALSE(desktop.windowExists(window));
}

TEST_F(ClosingTest, QuitterLeavesThePlayersWordRunning) {
    app = world->startWord();
    put(app, u"Visible", true);
    hwnd = desktop.findWindow(u"OPUSAPP", kAnyTitle);
    start(505);
    const DispatchPtr players = app;
    const std::int32_t handle = hwnd;
    module.Quitter(app, hwnd);
    EXPECT_EQ(app, players);
    EXPECT_EQ(hwnd, handle);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_EQ(module.AppWord(), nullptr);
    // A new InitQuestion takes the player's Word again.
    start(506);
    EXPECT_TRUE(sameObject(module.AppWord(), players));
}

TEST_F(ClosingTest, QuitterReportsAFailureOfTheClosingLocated) {
    start(505);
    call(app, u"Quit");
    // The closing itself ignores Word's absence; quitting the gone Word is what fails.
    const ComError e = testing::failureOf([&] { module.Quitter(app, hwnd); });
    EXPECT_EQ(e.number(), errors::kServerUnavailable);
    EXPECT_EQ(e.source(), located(u"Module", u"Quitter", u"Microsoft Word"));
    EXPECT_EQ(module.QuestionCourante(), nullptr);
}

}  // namespace
}  // namespace k72645
