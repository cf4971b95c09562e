#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class Question0503Test : public testing::QuestionCheckTest {};

TEST_F(Question0503Test, OnlyTheExactWordsAndALineBreakPass) {
    prepared(503);
    EXPECT_EQ(check(), u"A");  // the bookmark holds only the line break
    // Typed where Prepare left the insertion point, before the line break.
    call(member(word, u"Selection"), u"TypeText", {u"Voyages et rêves"});
    EXPECT_EQ(check(), u"");
    EXPECT_TRUE(complementLines().empty());

    EXPECT_EQ(verdictFor(u"s01", u"Voyages et Rêves\\v"), u"B");
    EXPECT_EQ(verdictFor(u"s01", u"VOYAGES ET REVES\\v"), u"B");
    EXPECT_EQ(verdictFor(u"s01", u"Voyages et reves\\v"), u"B");
    EXPECT_EQ(verdictFor(u"s01", u"VOYAGES ET RÊVES\\v"), u"A");  // lower-casing keeps accents
    EXPECT_EQ(verdictFor(u"s01", u"Voyages et rêves\\r"), u"A");
    EXPECT_EQ(verdictFor(u"s01", u"Voyages et rêves \\v"), u"A");

    deleteBookmark(u"s01");
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), 5941);
    EXPECT_EQ(e.source(), located(u"Question0503", u"TestePoint", u"Microsoft Word"));
}

}  // namespace
}  // namespace k72645
