#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0516Test : public LateExerciseTest {
protected:
    Question0516Test() { prepare(516); }
    bool showAll() { return vb::cBool(member(view(), u"ShowAll")); }
    std::u16string checkBadge(const std::u16string& fields, bool codes, bool all) {
        type(member(activeDocument(), u"Content"), u"Badge " + fields + u"\\r");
        setFieldCodes(codes);
        put(view(), u"ShowAll", all);
        return check();
    }
};

TEST_F(Question0516Test, APassLeavesBothOptionsOnAndACodeGivesThemBack) {
    EXPECT_EQ(checkBadge(u"{ FILLIN \"Nom ?\" }", false, false), u"");
    EXPECT_TRUE(fieldCodes() && showAll());
    EXPECT_EQ(checkBadge(u"{ ASK nom \"FILLIN\" }", false, false), u"");
    EXPECT_EQ(checkBadge(u"", true, false), u"A");
    EXPECT_TRUE(fieldCodes() && !showAll());
    EXPECT_EQ(checkBadge(u"{ FILLIN \"Nom ?\" } { DATE }", false, true), u"B");
    EXPECT_TRUE(!fieldCodes() && showAll());
    EXPECT_EQ(checkBadge(u"{ fillin \"Nom ?\" }", false, false), u"C");
    EXPECT_TRUE(!fieldCodes() && !showAll());
    EXPECT_TRUE(complement().empty());
    call(app(u"Documents"), u"Close", {std::int32_t{0}});
    expectFailure(4248, u"Question0516");
}

}  // namespace
}  // namespace k72645::testing::late
