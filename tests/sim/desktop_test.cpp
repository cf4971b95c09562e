// Word's prompt to save: closing or quitting with unsaved changes blocks Word until the learner
// answers, and the call fails.
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

TEST_F(WordDesktopTest, ClosingOrQuittingWithUnsavedChangesPromptsAndFails4198) {
    auto blank = object(call(documents(), u"Add"));
    call(blank, u"Close");  // nothing changed: no prompt
    auto changed = object(call(documents(), u"Add"));
    call(object(get(changed, u"Content")), u"InsertAfter", {u"x"});
    for (auto close :
         {std::function<void()>([&] { call(changed, u"Close"); }),
          std::function<void()>([&] { call(documents(), u"Close", {std::int32_t{-2}}); }),
          std::function<void()>([&] { call(app, u"Quit"); })}) {
        EXPECT_COM_ERROR(close(), 4198);
        // Word's prompt waits for the learner: Word answers nothing until it is closed.
        EXPECT_COM_ERROR(get(app, u"Visible"), kCallRejected);
        desktop->sendEscape();
        EXPECT_EQ(number(get(documents(), u"Count")), 1);
    }
    call(app, u"Quit", {std::int32_t{0}});
    EXPECT_EQ(world->wordCount(), 0);
}

}  // namespace
}  // namespace k72645::sim::testing
