#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class Question0501Test : public testing::QuestionCheckTest {
protected:
    std::u16string verdictFor(const std::u16string& name, const std::u16string& text) {
        call(member(member(activeDocument(), u"AttachedTemplate"), u"AutoTextEntries"), u"Add",
             {name, text});
        return check();
    }
};

TEST_F(Question0501Test, TheEntryOfTheActiveDocumentsTemplate) {
    prepared(501);
    // The right entry in Normal.dot: the letter template, still attached, lacks it.
    call(member(member(word, u"NormalTemplate"), u"AutoTextEntries"), u"Add",
         {u"vr", u"Voyages et rêves"});
    EXPECT_EQ(check(), u"A");

    EXPECT_EQ(verdictFor(u"vr", u"Voyages et rêves\r"), u"B");
    EXPECT_EQ(verdictFor(u"vr", u"voyages et rêves"), u"C");
    EXPECT_EQ(verdictFor(u"vr", u"Voyages et rêves "), u"C");
    EXPECT_EQ(verdictFor(u"VR", u"Voyages et rêves"), u"");
    EXPECT_TRUE(complementLines().empty());

    // A new document made active reads its own template, Normal.dot, which has the entry.
    call(documents(), u"Add");
    EXPECT_EQ(check(), u"");
    call(documents(), u"Close", {std::int32_t{0}});
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), 4248);  // no document open
    EXPECT_EQ(e.source(), located(u"Question0501", u"TestePoint", u"Microsoft Word"));
}

TEST_F(Question0501Test, TheEntriesAreCountedOnSixteenBits) {
    const auto override =
        std::make_shared<testing::Override>(testing::Override{u"Count", std::int32_t{40000}});
    prepared(501, overriding(override));
    override->armed = true;
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), errors::kOverflow);
    EXPECT_EQ(e.source(), located(u"Question0501", u"TestePoint", u"K72645"));
}

}  // namespace
}  // namespace k72645
