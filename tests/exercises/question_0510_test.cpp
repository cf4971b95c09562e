#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0510Test : public LateExerciseTest {
protected:
    Question0510Test() { prepare(510); }
};

TEST_F(Question0510Test, EachFieldOfTheAddedRecordHasItsCode) {
    EXPECT_EQ(check(), u"B");
    EXPECT_EQ(complement(), Lines{u" 7"});
    call(dataSource(), u"AddRecord");
    EXPECT_EQ(check(), u"C");
    const std::u16string lucani[] = {
        u"Madame", u"LUCANI", u"Cl\u00e9mence", u"4 rue des Lilas", u"", u"49000 Angers", u"1"};
    for (std::int32_t k = 1; k <= 7; ++k)
        setField(k, lucani[k - 1]);
    setActiveRecord(1);
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(activeRecord(), 8);  // left on the last record
    struct Case {
        std::int32_t field;
        std::u16string value, code;
    };
    for (const Case& c :
         {Case{1, u"MADAME", u""}, Case{1, u"Monsieur", u"E"}, Case{2, u"LUCANI ", u"F"},
          Case{3, u"Clemence", u"K"}, Case{4, u"4 rue des Lys", u"H"}, Case{4, u"", u"D"},
          Case{5, u"B\u00e2t. C", u"I"}, Case{6, u"49100 Angers", u"J"}, Case{6, u"", u"D"},
          Case{7, u"2", u"L"}}) {
        setField(c.field, c.value);
        EXPECT_EQ(check(), c.code) << c.field;
        setField(c.field, lucani[c.field - 1]);
    }
    // A street in the second line only passes the address test; the first line then differs.
    setField(4, u"");
    setField(5, u"4 rue des Lilas");
    EXPECT_EQ(check(), u"H");
    openDatabase(u"CLIENTS.MDB");
    EXPECT_EQ(check(), u"A");
    EXPECT_TRUE(complement().empty());
}

TEST_F(Question0510Test, ACountWordCannotGiveAndTheErrorPaths) {
    put(mailMerge(), u"MainDocumentType", std::int32_t{-1});  // the data source goes
    expectFailure(5852, u"Question0510");
    prepareFixed(510, u"RecordCount", std::int32_t{-1});
    EXPECT_EQ(check(), u"B");
    EXPECT_EQ(complement(), Lines{u"-1"});
    prepareFixed(510, u"RecordCount", std::int32_t{32768});
    expectFailure(6, u"Question0510", u"K72645");
}

}  // namespace
}  // namespace k72645::testing::late
