#include <gtest/gtest.h>

#include <map>

#include "component/module_fixture.h"

namespace k72645 {
namespace {

using testing::member;

const std::u16string kRecipients = u"Fusion et publipostage\u00A0: Destinataires";

class TestePointTest : public testing::ModuleTest {
protected:
    WindowHandle showDialog(const std::u16string& title, bool blocking = false) {
        return vb::cLng(call(app, u"ShowDialog", {title, blocking}));
    }
};

TEST_F(TestePointTest, WordsWindowGoneGivesAM) {
    start(501);
    call(app, u"Quit", {std::int32_t{0}});  // the learner quits without saving
    check();
    EXPECT_TRUE(module.ErreurGenerale());
    EXPECT_EQ(module.CauseErreur(), u"AM");
}

TEST_F(TestePointTest, AnOpenDialogOrAWordThatDoesNotAnswerGivesAL) {
    start(501);
    const WindowHandle options = showDialog(u"Options");
    check();
    EXPECT_EQ(moduleCode(), u"%AL");
    desktop.SendMessageA(options, win32::WM_CLOSE, 0, 0);

    // An untitled blocking dialog is not seen by the scan, but the probe finds Word deaf.
    showDialog(u"", true);
    check();
    EXPECT_EQ(moduleCode(), u"%AL");
}

TEST_F(TestePointTest, TheRecipientsDialogIsNotToleratedOutside508And509) {
    start(507);
    showDialog(kRecipients);
    check();
    EXPECT_EQ(moduleCode(), u"%AL");
}

TEST_F(TestePointTest, For508TheRecipientsDialogIsClosedAndTheCheckRuns) {
    start(508);
    const WindowHandle dialog = showDialog(kRecipients);
    check();
    EXPECT_EQ(moduleCode(), u"");
    EXPECT_FALSE(desktop.windowExists(dialog));
}

TEST_F(TestePointTest, For509TheDialogStaysOpenAndThePreCheckIsSkipped) {
    start(509);
    call(toObject(member(member(activeDocument(), u"Bookmarks"), u"Item", {u"e01"})), u"Delete");
    const WindowHandle dialog = showDialog(kRecipients);
    check();
    EXPECT_EQ(moduleCode(), u"");          // no "D": the pre-check did not run
    EXPECT_EQ(module.CauseErreur(), u"");  // the exercise saw the recipients dialog open
    EXPECT_TRUE(desktop.windowExists(dialog));
    // Once the dialog is closed, the pre-check runs again.
    desktop.SendMessageA(dialog, win32::WM_CLOSE, 0, 0);
    check();
    EXPECT_EQ(moduleCode(), u"D");
}

TEST_F(TestePointTest, APreCheckThatFailsWithAnErrorGivesAN) {
    auto fault = std::make_shared<testing::Fault>();
    fault->member = u"Bookmarks";
    platform.runtime = std::make_shared<testing::FaultyRuntime>(platform.runtime, fault);
    Module faulty(platform);
    testing::TempFolder here;
    faulty.InitQuestion(501, testing::deliver(501, here), app, hwnd);
    fault->armed = true;
    faulty.TestePoint();
    EXPECT_TRUE(faulty.ErreurGenerale());
    EXPECT_EQ(faulty.CauseErreur(), u"AN");
    fault->armed = false;
    faulty.TestePoint();
    EXPECT_FALSE(faulty.ErreurGenerale());
    faulty.Fermer();
}

TEST_F(TestePointTest, TheDocumentPreChecksGiveCAAndB) {
    start(501);
    call(word(u"Documents"), u"Add");
    check();
    EXPECT_EQ(moduleCode(), u"A");  // another document is active

    call(document(u"Insertion.doc"), u"Activate");
    call(toObject(member(activeDocument(), u"Content")), u"InsertAfter", {u"\rEncore"});
    check();
    EXPECT_EQ(moduleCode(), u"B");  // a paragraph was added

    call(document(u"Insertion.doc"), u"Close", {std::int32_t{0}});
    check();
    EXPECT_EQ(moduleCode(), u"C");  // the working document is no longer open
}

TEST_F(TestePointTest, WithoutDocumentsOnlyExercisesWithPreChecksGiveC) {
    for (int exercise : {501, 502, 504, 506, 517}) {
        start(exercise);
        call(word(u"Documents"), u"Close", {std::int32_t{0}});
        check();
        const bool exempt = exercise == 502 || exercise == 504 || exercise == 517;
        EXPECT_EQ(moduleCode(), exempt ? u"" : u"C") << exercise;
    }
}

// Which pre-checks apply to which exercise: each alteration of the prepared state, and the
// code it must give in each exercise ("" when the check reaches the exercise).
struct Alteration {
    const char* what;
    std::function<void(const DispatchPtr& word, const Variant& document)> apply;
    std::map<int, std::u16string> stopped;
};

std::map<int, std::u16string> all(std::initializer_list<int> exercises, std::u16string code) {
    std::map<int, std::u16string> codes;
    for (int exercise : exercises)
        codes[exercise] = code;
    return codes;
}

class PreCheckTableTest : public TestePointTest {
protected:
    void run(const Alteration& alteration) {
        for (int exercise = 501; exercise <= 518; ++exercise) {
            start(exercise);
            ignoringErrors([&] { alteration.apply(app, activeDocument()); });
            check();
            const auto expected = alteration.stopped.find(exercise);
            EXPECT_EQ(moduleCode(), expected == alteration.stopped.end() ? u"" : expected->second)
                << alteration.what << " in " << exercise;
        }
    }
};

void deleteBookmark(const Variant& document, const std::u16string& name) {
    call(toObject(member(member(document, u"Bookmarks"), u"Item", {name})), u"Delete");
}

TEST_F(PreCheckTableTest, AnAddedParagraph) {
    run({"added paragraph",
         [](const DispatchPtr&, const Variant& document) {
             call(toObject(member(document, u"Content")), u"InsertAfter", {u"\rEncore"});
         },
         all({501, 505, 516, 518}, u"B")});
}

TEST_F(PreCheckTableTest, TheBookmarkE01Deleted) {
    run({"e01 deleted",
         [](const DispatchPtr&, const Variant& document) { deleteBookmark(document, u"e01"); },
         all({501, 503, 505, 506, 507, 509, 510, 511, 512, 513, 516, 518}, u"D")});
}

TEST_F(PreCheckTableTest, TheBookmarkS01Deleted) {
    run({"s01 deleted",
         [](const DispatchPtr&, const Variant& document) { deleteBookmark(document, u"s01"); },
         all({503, 505, 507, 514}, u"D")});
}

TEST_F(PreCheckTableTest, NoLongerAMergeDocument) {
    run({"not a merge document",
         [](const DispatchPtr&, const Variant& document) {
             put(toObject(member(document, u"MailMerge")), u"MainDocumentType", std::int32_t{-1});
         },
         all({507, 509, 510, 511, 512, 513, 514, 518}, u"D")});
}

TEST_F(PreCheckTableTest, AnotherDocumentActive) {
    // 506 and 509 skip the name test, but the new document lacks the bookmark "e01".
    auto codes = all({501, 503, 505, 507, 510, 511, 512, 513, 514, 516, 518}, u"A");
    codes[506] = codes[509] = u"D";
    run({"another document active",
         [](const DispatchPtr& word, const Variant&) {
             call(toObject(get(word, u"Documents")), u"Add");
         },
         codes});
}

}  // namespace
}  // namespace k72645
