#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0512Test : public LateExerciseTest {
protected:
    Question0512Test() { prepare(512); }
    bool printPreview() { return vb::cBool(app(u"PrintPreview")); }
};

TEST_F(Question0512Test, TheCountAndTheRecipientLeftOut) {
    put(word, u"PrintPreview", true);
    EXPECT_EQ(check(), u"A");
    EXPECT_FALSE(printPreview());
    exclude(1);
    EXPECT_EQ(check(), u"C");
    EXPECT_EQ(field(2), u"FABREGUE");  // the walk stopped on the recipient
    exclude(1);
    EXPECT_EQ(check(), u"B");
    openDatabase(u"Clients.mdb");
    EXPECT_EQ(check(), u"D");
    EXPECT_TRUE(complement().empty());
}

TEST_F(Question0512Test, OnlyTitleAndSurnameTogetherNameTheRecipient) {
    setActiveRecord(2);
    setField(1, u"MADEMOISELLE");  // FOUCAL
    setActiveRecord(4);
    setField(2, u"fabregue");  // a Monsieur
    exclude(8);
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(field(2), u"LUCANI");  // the walk ended on the last record
}

TEST_F(Question0512Test, FailuresAreLocatedAndPrintPreviewStaysOff) {
    put(mailMerge(), u"MainDocumentType", std::int32_t{-1});
    put(word, u"PrintPreview", true);
    expectFailure(5852, u"Question0512");
    EXPECT_FALSE(printPreview());
    prepareFixed(512, u"RecordCount", std::int32_t{32768});
    expectFailure(6, u"Question0512", u"K72645");
}

}  // namespace
}  // namespace k72645::testing::late
