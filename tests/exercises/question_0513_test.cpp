#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0513Test : public LateExerciseTest {
protected:
    Question0513Test() { prepare(513); }
    std::u16string checkQuery(const std::u16string& clauses) {
        setQuery(u"SELECT * FROM `Clients` " + clauses);
        return check();
    }
};

TEST_F(Question0513Test, OnlyTheExpectedOrderPasses) {
    EXPECT_EQ(check(), u"C");
    EXPECT_EQ(checkQuery(u"ORDER BY `Prenom`"), u"");
    EXPECT_EQ(checkQuery(u"ORDER BY `Nom` DESC"), u"D");
    EXPECT_EQ(checkQuery(u"WHERE `Groupe` = '1' ORDER BY `Prenom`"), u"B");
    setQuery(u"");
    setActiveRecord(7);
    setField(2, u"Lucani");  // a case difference is a mismatch for both lists
    EXPECT_EQ(checkQuery(u"ORDER BY `Prenom`"), u"D");
    openDatabase(u"CLIENTS.mdb");
    EXPECT_EQ(check(), u"A");  // whatever the order
    EXPECT_TRUE(complement().empty());
    call(document(1), u"Close");
    put(mailMerge(), u"MainDocumentType", std::int32_t{-1});
    expectFailure(5852, u"Question0513");
}

}  // namespace
}  // namespace k72645::testing::late
