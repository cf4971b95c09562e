// What the simulated Word refuses as Word does: a bookmark name that is not one, and closing
// or quitting over unsaved changes (Word's prompt blocks every call until the learner answers).
#include <gtest/gtest.h>

#include <functional>

#include "automation/text.h"
#include "automation/vb.h"
#include "sim/runtime/sim_world.h"
#include "support/com_error_expect.h"

namespace k72645::sim {
namespace {

class WordRefusals : public ::testing::Test {
protected:
    DispatchPtr documents() { return toObject(get(app, u"Documents")); }
    DispatchPtr added() { return toObject(call(documents(), u"Add")); }

    std::shared_ptr<SimWorld> world = SimWorld::create();
    DispatchPtr app = world->startWord();
};

TEST_F(WordRefusals, BookmarkNamesAreLettersDigitsAndUnderscores) {
    const DispatchPtr document = added();
    const DispatchPtr bookmarks = toObject(get(document, u"Bookmarks"));
    const Variant whole = get(document, u"Content");
    for (const char16_t* bad :
         {u"", u"1abc", u"deux mots", u"a-b", u"abcdefghijabcdefghijabcdefghijabcdefghijK"})
        EXPECT_COM_ERROR(call(bookmarks, u"Add", {bad, whole}), 5828) << toUtf8(bad);
    for (const char16_t* good : {u"s01", u"Été_2", u"_cache"})
        EXPECT_NO_THROW(call(bookmarks, u"Add", {good, whole})) << toUtf8(good);
}

TEST_F(WordRefusals, ClosingOrQuittingWithUnsavedChangesPromptsAndFails4198) {
    put(app, u"Visible", true);
    call(added(), u"Close");  // nothing changed: no prompt
    const DispatchPtr changed = added();
    call(toObject(get(changed, u"Content")), u"InsertAfter", {u"x"});
    for (const auto& close :
         {std::function<void()>([&] { call(changed, u"Close"); }),
          std::function<void()>([&] { call(documents(), u"Close", {std::int32_t{-2}}); }),
          std::function<void()>([&] { call(app, u"Quit"); })}) {
        EXPECT_COM_ERROR(close(), 4198);
        EXPECT_COM_ERROR(get(app, u"Visible"), -2147418111);  // the call is rejected
        world->desktop()->sendEscape();
        EXPECT_EQ(vb::cLng(get(documents(), u"Count")), 1);
    }
    call(app, u"Quit", {std::int32_t{0}});
    EXPECT_EQ(world->wordCount(), 0);
}

}  // namespace
}  // namespace k72645::sim
