// Word's windows on the simulated desktop: one per document, dialogs, blocking, closing by the
// learner, balloon.
#include <functional>

#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

constexpr std::int32_t kCallRejected = -2147418111;

class WordDesktopTest : public WordTest {
protected:
    void SetUp() override {
        WordTest::SetUp();
        desktop = world->desktop();
        put(app, u"Visible", true);
        main = desktop->findWindow(u"OPUSAPP", kAnyTitle);
    }
    std::shared_ptr<SimDesktop> desktop;
    WindowHandle main = 0;
};

TEST_F(WordDesktopTest, DialogsAreOwnedNestedAndDisableTheirOwner) {
    EXPECT_EQ(desktop->className(main),
              u"OpusApp");  // found above as "OPUSAPP": classes ignore case

    const WindowHandle options = number(call(app, u"ShowDialog", {u"Options"}));
    EXPECT_EQ(desktop->parentWindow(options), main);
    EXPECT_EQ(desktop->hasModalFrame(options));
    EXPECT_EQ(desktop->relatedWindow(main, WindowRelation::Previous), options);
    EXPECT_EQ(desktop->className(options), u"bosa_sdm_Microsoft Office Word 11.0");

    const WindowHandle message = number(call(app, u"ShowDialog", {u"Microsoft Office Word"}));
    EXPECT_EQ(desktop->parentWindow(message), options);
    EXPECT_EQ(number(get(documents(), u"Count")), 0);  // a non-blocking dialog lets calls in

    desktop->sendEscape();  // closes the foreground dialog, the message
    EXPECT_FALSE(desktop->windowExists(message));
    EXPECT_TRUE(desktop->windowExists(options));
    desktop->closeWindow(options);
    EXPECT_FALSE(desktop->windowExists(options));
}

TEST_F(WordDesktopTest, BlockingDialogRejectsEveryCallUntilClosed) {
    auto documentsBefore = documents();
    const WindowHandle dialog =
        number(call(app, u"ShowDialog", {u"Fusion et publipostage\u00a0: Destinataires", true}));
    EXPECT_EQ(errorOf([&] { get(app, u"Visible"); }), kCallRejected);
    EXPECT_EQ(errorOf([&] { get(documentsBefore, u"Count"); }), kCallRejected);
    desktop->closeWindow(dialog);
    EXPECT_EQ(errorOf([&] { get(documentsBefore, u"Count"); }), 0);

    // Closing the owner of a blocking dialog closes both.
    const WindowHandle outer = number(call(app, u"ShowDialog", {u"Outer"}));
    number(call(app, u"ShowDialog", {u"Inner", true}));
    desktop->closeWindow(outer);
    EXPECT_EQ(errorOf([&] { get(app, u"Visible"); }), 0);
}

TEST_F(WordDesktopTest, ClosingOrQuittingWithUnsavedChangesPromptsAndFails4198) {
    auto blank = object(call(documents(), u"Add"));
    call(blank, u"Close");  // nothing changed: no prompt
    auto changed = object(call(documents(), u"Add"));
    call(object(get(changed, u"Content")), u"InsertAfter", {u"x"});
    for (auto close :
         {std::function<void()>([&] { call(changed, u"Close"); }),
          std::function<void()>([&] { call(documents(), u"Close", {std::int32_t{-2}}); }),
          std::function<void()>([&] { call(app, u"Quit"); })}) {
        EXPECT_EQ(errorOf(close), 4198);
        // Word's prompt waits for the learner: Word answers nothing until it is closed.
        EXPECT_EQ(errorOf([&] { get(app, u"Visible"); }), kCallRejected);
        desktop->sendEscape();
        EXPECT_EQ(number(get(documents(), u"Count")), 1);
    }
    call(app, u"Quit", {std::int32_t{0}});
    EXPECT_EQ(world->wordCount(), 0);
}

TEST_F(WordDesktopTest, EachDocumentHasItsOwnWindowAndTheLastOneStaysAsWords) {
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Microsoft Word"), main);
    writeFile(u"Agence.doc", documentJson(R"(["Lettre"])"));
    auto agence = open(u"Agence.doc");
    // The first document takes Word's empty window; the next ones get their own, on top.
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Agence.doc - Microsoft Word"), main);
    auto blank = object(call(documents(), u"Add"));
    const WindowHandle second = desktop->findWindow(u"OPUSAPP", u"Document1 - Microsoft Word");
    EXPECT_NE(second, main);
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", kAnyTitle), second);
    EXPECT_EQ(desktop->foregroundWindow(), second);
    auto windows = object(get(app, u"Windows"));
    EXPECT_EQ(number(get(windows, u"Count")), 2);

    // Activating a document brings its window in front; dialogs are owned by it.
    call(agence, u"Activate");
    EXPECT_EQ(desktop->foregroundWindow(), main);
    const WindowHandle options = number(call(app, u"ShowDialog", {u"Options"}));
    EXPECT_EQ(desktop->parentWindow(options), main);
    EXPECT_EQ(desktop->relatedWindow(main, WindowRelation::Previous), options);
    desktop->closeWindow(options);

    // All windows follow Visible and WindowState; showing one is read back.
    put(app, u"WindowState", std::int32_t{2});
    EXPECT_TRUE(desktop->isMinimized(main));
    EXPECT_TRUE(desktop->isMinimized(second));
    desktop->show(main, ShowCommand::Maximized);
    EXPECT_EQ(number(get(app, u"WindowState")), 1);

    // The learner closes a document's window: that document closes, Word stays.
    desktop->closeWindow(main);
    EXPECT_FALSE(desktop->windowExists(main));
    EXPECT_EQ(number(get(documents(), u"Count")), 1);
    EXPECT_EQ(text(get(active(), u"Name")), u"Document1");
    EXPECT_EQ(desktop->foregroundWindow(), second);

    // Closed by automation, the last document leaves its window to Word, which the next takes.
    call(blank, u"Close");
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Microsoft Word"), second);
    EXPECT_EQ(desktop->windowCount(u"OpusApp"), 1);
    call(documents(), u"Add");
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Document2 - Microsoft Word"), second);
}

TEST_F(WordDesktopTest, WithoutWindowsInTaskbarOneWindowShowsTheActiveDocument) {
    auto first = object(call(documents(), u"Add"));
    call(documents(), u"Add");
    const WindowHandle second = desktop->findWindow(u"OPUSAPP", kAnyTitle);
    put(app, u"ShowWindowsInTaskbar", false);
    EXPECT_FALSE(vb::cBool(get(app, u"ShowWindowsInTaskbar")));
    EXPECT_EQ(desktop->windowCount(u"OpusApp"), 1);
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Document2 - Microsoft Word"), second);
    call(first, u"Activate");
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Document1 - Microsoft Word"), second);
    put(app, u"ShowWindowsInTaskbar", true);
    EXPECT_EQ(desktop->windowCount(u"OpusApp"), 2);
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", u"Document1 - Microsoft Word"), second);
    EXPECT_EQ(desktop->foregroundWindow(), second);
}

TEST_F(WordDesktopTest, ClosingTheMainWindowQuitsWord) {
    auto documentsBefore = documents();
    desktop->closeWindow(main);
    EXPECT_EQ(errorOf([&] { get(documentsBefore, u"Count"); }), 462);
    EXPECT_EQ(world->wordCount(), 0);
    EXPECT_EQ(world->runningWord(), nullptr);
}

TEST_F(WordDesktopTest, AssistantBalloonHasTwoLevelsOfChildren) {
    const WindowHandle balloon = number(call(app, u"ShowAssistantBalloon"));
    EXPECT_EQ(desktop->findWindow(u"MSOBALLOON", kAnyTitle), balloon);
    const WindowHandle child = desktop->relatedWindow(balloon, WindowRelation::FirstChild);
    ASSERT_NE(child, 0);
    EXPECT_NE(desktop->relatedWindow(child, WindowRelation::FirstChild), 0);
    call(app, u"Quit");
    EXPECT_EQ(desktop->findWindow(u"MSOBALLOON", kAnyTitle), 0);
    EXPECT_EQ(desktop->findWindow(u"OPUSAPP", kAnyTitle), 0);
}

}  // namespace
}  // namespace k72645::sim::testing
