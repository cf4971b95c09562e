#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0515Test : public LateExerciseTest {
protected:
    Question0515Test() { prepare(515); }
    void filter(const std::u16string& where) {
        setQuery(u"SELECT * FROM `Clients` WHERE " + where);
    }
    void merge() {
        call(document(u"Agence.doc"), u"Activate");
        call(mailMerge(), u"Execute");
    }
};

TEST_F(Question0515Test, EachCodeInTheOrderOfTheTests) {
    filter(u"`Civilite` = 'madame'");
    EXPECT_EQ(check(), u"D");  // the window test comes before the query
    setQuery(u"");
    merge();  // every client: eight sections
    EXPECT_EQ(check(), u"A");
    filter(u"`Groupe` = '1'");
    EXPECT_EQ(check(), u"B");
    filter(u"`Civilite` = 'Madame' AND `Groupe` = '1'");  // two "madame" records
    EXPECT_EQ(check(), u"B");
    filter(u"`Civilite` = 'Madame'");
    EXPECT_EQ(check(), u"C");
    EXPECT_EQ(activeName(), u"Lettres1");  // the merged window is left active
    merge();
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(activeName(), u"Lettres2");
    EXPECT_TRUE(complement().empty());
    put(member(document(u"Agence.doc"), u"MailMerge"), u"MainDocumentType", std::int32_t{-1});
    EXPECT_EQ(check(), u"E");
    call(question, u"Fermer");  // the two merged documents come first
    EXPECT_EQ(documentCount(), 1);
}

TEST_F(Question0515Test, TheQueryNamesBothTheCivilityAndMadame) {
    // The three "madame" letters are merged; the query read back lacks one of the two words.
    for (const char16_t* query : {u"SELECT * FROM `Clients` WHERE `Titre` = 'Madame'",
                                  u"SELECT * FROM `Clients` WHERE `Civilite` = 'Mme'"}) {
        call(app(u"Documents"), u"Close", {std::int32_t{0}});
        prepare(515, std::make_shared<FixedValueDispatch>(word, u"QueryString",
                                                          Variant(std::u16string(query))));
        filter(u"`Civilite` = 'Madame'");
        merge();
        EXPECT_EQ(check(), u"B") << toUtf8(query);
    }
}

TEST_F(Question0515Test, EnglishLettersPassAndAMissingLetterIsLocated) {
    call(app(u"Documents"), u"Close", {std::int32_t{0}});
    world->setEdition(u"en");
    word = world->startWord();
    prepare(515);
    filter(u"`Civilite` = 'Madame'");
    merge();
    EXPECT_EQ(activeName(), u"Letters1");
    EXPECT_EQ(check(), u"");
    call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    expectFailure(5941, u"Question0515");
}

}  // namespace
}  // namespace k72645::testing::late
