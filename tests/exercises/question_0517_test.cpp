#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

const std::u16string kFrench = u"titre, pr\u00e9nom, nom, adresse_ligne_1, adresse_ligne_2, cpvil";

class Question0517Test : public LateExerciseTest {
protected:
    Question0517Test() { prepare(517); }
    // A new letter and its new address list; the previous ones closed first.
    std::u16string checkList(const std::u16string& fields, int records = 2,
                             const std::u16string& file = u"Adresses.mdb") {
        call(app(u"Documents"), u"Close", {std::int32_t{0}});
        call(app(u"Documents"), u"Add");
        call(mailMerge(), u"CreateDataSource",
             {folder.path() + file, Variant::missing(), Variant::missing(), fields});
        for (int i = 0; i < records; ++i)
            call(dataSource(), u"AddRecord", {u"Madame", u"Denise", u"MARTEL"});
        return check();
    }
};

TEST_F(Question0517Test, EachCodeInTheOrderOfTheTests) {
    EXPECT_EQ(check(), u"E");  // no document open: a verdict, not an error
    call(app(u"Documents"), u"Add");
    EXPECT_EQ(check(), u"E");
    EXPECT_EQ(checkList(u"Titre, Pr\u00c9nom, NOM, Adresse_ligne_1, Adresse_ligne_2, Cpvil"), u"");
    EXPECT_EQ(checkList(u"Title, First_Name, Last_Name, Address_Line_1, Address_Line_2, Town/City"),
              u"");
    EXPECT_EQ(checkList(kFrench, 2, u"ADRESSES.MDB"), u"");
    EXPECT_EQ(checkList(kFrench, 2, u"Adresse.mdb"), u"A");
    EXPECT_EQ(checkList(kFrench + u", pays"), u"B");
    EXPECT_EQ(checkList(kFrench, 3), u"C");
    EXPECT_EQ(checkList(u"titre, pr\u00e9nom, nom, adresse_ligne_1, adresse_ligne_2, town/city"),
              u"D");
    EXPECT_EQ(checkList(u"titre, nom, pr\u00e9nom, adresse_ligne_1, adresse_ligne_2, cpvil"), u"D");
    EXPECT_TRUE(complement().empty());
    // Merged documents that come first are closed by Fermer.
    call(mailMerge(), u"Execute");
    call(question, u"Fermer");
    EXPECT_EQ(documentCount(), 1);
}

TEST_F(Question0517Test, OnlyTheDocumentTypeTurnsAFailureIntoACode) {
    auto fault = std::make_shared<Fault>();
    fault->member = u"DataFields";
    prepare(517, FaultyDispatch::wrap(word, fault));
    checkList(kFrench);
    fault->armed = true;
    expectFailure(-2147418111, u"Question0517");

    // A failure of any kind while reading the document type is the verdict "E".
    auto typeFault = std::make_shared<Fault>();
    typeFault->member = u"MainDocumentType";
    typeFault->foreign = true;
    prepare(517, FaultyDispatch::wrap(word, typeFault));
    checkList(kFrench);
    typeFault->armed = true;
    EXPECT_EQ(check(), u"E");
}

}  // namespace
}  // namespace k72645::testing::late
