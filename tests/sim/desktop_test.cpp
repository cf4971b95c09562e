// Word's windows on the simulated desktop: dialogs, blocking, closing by the learner, balloon.
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
        main = desktop->FindWindowA(u"OPUSAPP", u"");
    }
    std::shared_ptr<SimDesktop> desktop;
    WindowHandle main = 0;
};

TEST_F(WordDesktopTest, DialogsAreOwnedNestedAndDisableTheirOwner) {
    std::u16string mainClass;
    desktop->GetClassNameA(main, mainClass, 255);
    EXPECT_EQ(mainClass, u"OpusApp");  // found above as "OPUSAPP": classes ignore case

    const WindowHandle options = number(call(app, u"ShowDialog", {u"Options"}));
    EXPECT_EQ(desktop->GetParent(options), main);
    EXPECT_EQ(desktop->GetWindowLongA(options, win32::GWL_EXSTYLE) & 1, 1);
    EXPECT_EQ(desktop->GetWindow(main, win32::GW_HWNDPREV), options);
    std::u16string className;
    desktop->GetClassNameA(options, className, 255);
    EXPECT_EQ(className, u"bosa_sdm_Microsoft Office Word 11.0");

    const WindowHandle message = number(call(app, u"ShowDialog", {u"Microsoft Office Word"}));
    EXPECT_EQ(desktop->GetParent(message), options);
    EXPECT_EQ(number(get(documents(), u"Count")), 0);  // a non-blocking dialog lets calls in

    desktop->sendEscape();  // closes the foreground dialog, the message
    EXPECT_FALSE(desktop->windowExists(message));
    EXPECT_TRUE(desktop->windowExists(options));
    desktop->SendMessageA(options, win32::WM_CLOSE, 0, 0);
    EXPECT_FALSE(desktop->windowExists(options));
}

TEST_F(WordDesktopTest, BlockingDialogRejectsEveryCallUntilClosed) {
    auto documentsBefore = documents();
    const WindowHandle dialog =
        number(call(app, u"ShowDialog", {u"Fusion et publipostage\u00a0: Destinataires", true}));
    EXPECT_EQ(errorOf([&] { get(app, u"Visible"); }), kCallRejected);
    EXPECT_EQ(errorOf([&] { get(documentsBefore, u"Count"); }), kCallRejected);
    desktop->SendMessageA(dialog, win32::WM_CLOSE, 0, 0);
    EXPECT_EQ(errorOf([&] { get(documentsBefore, u"Count"); }), 0);

    // Closing the owner of a blocking dialog closes both.
    const WindowHandle outer = number(call(app, u"ShowDialog", {u"Outer"}));
    number(call(app, u"ShowDialog", {u"Inner", true}));
    desktop->SendMessageA(outer, win32::WM_CLOSE, 0, 0);
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

TEST_F(WordDesktopTest, ClosingTheMainWindowQuitsWord) {
    auto documentsBefore = documents();
    desktop->SendMessageA(main, win32::WM_CLOSE, 0, 0);
    EXPECT_EQ(errorOf([&] { get(documentsBefore, u"Count"); }), 462);
    EXPECT_EQ(world->wordCount(), 0);
    EXPECT_EQ(world->runningWord(), nullptr);
}

TEST_F(WordDesktopTest, AssistantBalloonHasTwoLevelsOfChildren) {
    const WindowHandle balloon = number(call(app, u"ShowAssistantBalloon"));
    EXPECT_EQ(desktop->FindWindowA(u"MSOBALLOON", u""), balloon);
    const WindowHandle child = desktop->GetWindow(balloon, win32::GW_CHILD);
    ASSERT_NE(child, 0);
    EXPECT_NE(desktop->GetWindow(child, win32::GW_CHILD), 0);
    call(app, u"Quit");
    EXPECT_EQ(desktop->FindWindowA(u"MSOBALLOON", u""), 0);
    EXPECT_EQ(desktop->FindWindowA(u"OPUSAPP", u""), 0);
}

}  // namespace
}  // namespace k72645::sim::testing
