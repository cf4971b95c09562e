#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;

class Question0505Test : public testing::QuestionCheckTest {
protected:
    std::u16string verdictFor(const std::u16string& line) {
        return QuestionCheckTest::verdictFor(u"s01", line + u"\\r");
    }
};

TEST_F(Question0505Test, ADateFieldAfterThePlaceName) {
    prepared(505);
    EXPECT_EQ(check(), u"B");  // as delivered, nothing follows the place name
    EXPECT_EQ(verdictFor(u"Nantes, le { DATE \\@ \"d MMMM yyyy\" }"), u"");
    EXPECT_EQ(verdictFor(u"Nantes, le { TIME \\@ \"dd/MM/yyyy\" \\* MERGEFORMAT }"), u"");
    EXPECT_EQ(verdictFor(u"Nantes, le { DATE \\* MERGEFORMAT }"), u"");
    EXPECT_TRUE(complementLines().empty());

    EXPECT_EQ(verdictFor(u"nantes, le { DATE }"), u"A");
    EXPECT_EQ(verdictFor(u"Nantes le { DATE }"), u"A");
    EXPECT_EQ(verdictFor(u"Nantes, le 6 décembre 2026"), u"C");
    EXPECT_EQ(verdictFor(u"Nantes, le { PAGE }"), u"D");
    EXPECT_EQ(verdictFor(u"Nantes, le { TIME \\@ \"HH:mm\" }"), u"E");
    EXPECT_EQ(verdictFor(u"Nantes, le { DATE \\@ \"d/M/yyyy H:MM\" }"), u"E");
    // A TIME field without a picture shows the time of day, however its code is spaced.
    EXPECT_EQ(verdictFor(u"Nantes, le { TIME }"), u"E");
    EXPECT_EQ(verdictFor(u"Nantes, le {  TIME  \\* MERGEFORMAT }"), u"E");
    EXPECT_EQ(verdictFor(u"Nantes, le { DATE } { TIME }"), u"E");
}

TEST_F(Question0505Test, FailuresLeaveTheFieldCodesHidden) {
    prepared(505);
    showFieldCodes(true);
    typeOver(u"s01", u"");  // no paragraph mark left to drop
    ComError e = checkFailure();
    EXPECT_EQ(e.number(), errors::kInvalidCall);
    EXPECT_EQ(e.source(), located(u"Question0505", u"TestePoint", u"K72645"));
    EXPECT_FALSE(fieldCodesShown());

    deleteBookmark(u"s01");
    e = checkFailure();
    EXPECT_EQ(e.number(), 5941);
    EXPECT_EQ(e.source(), located(u"Question0505", u"TestePoint", u"Microsoft Word"));
}

}  // namespace
}  // namespace k72645
