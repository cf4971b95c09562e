#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;

class Question0507Test : public testing::QuestionCheckTest {};

TEST_F(Question0507Test, TheFieldCpVilleAtTheStartOfThePassage) {
    prepared(507);
    EXPECT_EQ(check(), u"A");  // "codeville" as delivered
    EXPECT_EQ(verdictFor(u"s01", u"{ MERGEFIELD CpVille } (France)\\r"), u"");
    EXPECT_EQ(verdictFor(u"s01", u"«CpVille»\\r"), u"");  // chevrons typed by hand
    EXPECT_TRUE(complementLines().empty());

    EXPECT_EQ(verdictFor(u"s01", u"{ MERGEFIELD CpVille } CodeVille\\r"), u"A");
    EXPECT_EQ(verdictFor(u"s01", u"44000 Nantes\\r"), u"B");
    EXPECT_EQ(verdictFor(u"s01", u"\\r"), u"B");  // nothing left once the mark is dropped
    EXPECT_EQ(verdictFor(u"s01", u"»CpVille«\\r"), u"B");
    EXPECT_TRUE(complementLines().empty());

    EXPECT_EQ(verdictFor(u"s01", u"{ MERGEFIELD Nom }\\r"), u"C");
    EXPECT_EQ(complementLines(), std::vector<std::u16string>{u" «Nom»"});
    EXPECT_EQ(verdictFor(u"s01", u" { MERGEFIELD CpVille }\\r"), u"C");
    EXPECT_EQ(complementLines(), std::vector<std::u16string>{u"  «CpVille»"});
}

TEST_F(Question0507Test, Failures) {
    prepared(507);
    // An empty passage fails once field codes are hidden, and they stay hidden.
    typeOver(u"s01", u"");
    showFieldCodes(true);
    ComError e = checkFailure();
    EXPECT_EQ(e.number(), errors::kInvalidCall);
    EXPECT_EQ(e.source(), located(u"Question0507", u"TestePoint", u"K72645"));
    EXPECT_FALSE(fieldCodesShown());

    // Without the bookmark the check fails before the display is touched.
    showFieldCodes(true);
    deleteBookmark(u"s01");
    e = checkFailure();
    EXPECT_EQ(e.source(), located(u"Question0507", u"TestePoint", u"Microsoft Word"));
    EXPECT_TRUE(fieldCodesShown());
}

}  // namespace
}  // namespace k72645
