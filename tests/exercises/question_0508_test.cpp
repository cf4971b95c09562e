#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class Question0508Test : public testing::QuestionCheckTest {
protected:
    // Merges the letter; with a last record, only the records up to it.
    void merge(std::int32_t lastRecord = 0) {
        call(document(u"Agence.doc"), u"Activate");
        if (lastRecord != 0)
            put(member(mailMerge(), u"DataSource"), u"LastRecord", lastRecord);
        call(mailMerge(), u"Execute");
    }
    std::u16string activeName() { return vb::cStr(member(activeDocument(), u"Name")); }
};

TEST_F(Question0508Test, EveryMergedDocumentHoldsEightSections) {
    prepared(508);
    call(documents(), u"Add");
    call(activeDocument(), u"SaveAs", {folder.path() + u"lettres1.doc"});
    EXPECT_EQ(check(), u"A");  // nothing merged: the case of the name counts

    merge();
    call(document(u"Agence.doc"), u"Activate");
    EXPECT_EQ(check(), u"");
    EXPECT_TRUE(complementLines().empty());
    EXPECT_EQ(activeName(), u"Lettres1");  // the merged document looked at last

    merge(1);  // the current record only, beside the full merge
    EXPECT_EQ(check(), u"B");
}

TEST_F(Question0508Test, TheEnglishEditionsNamesAreAccepted) {
    world->setEdition(u"en");
    word = world->startWord();
    prepared(508);
    merge();
    EXPECT_EQ(activeName(), u"Letters1");
    EXPECT_EQ(check(), u"");
}

TEST_F(Question0508Test, FailuresAreRaisedByTheCheck) {
    const auto fault = std::make_shared<testing::Fault>(testing::Fault{u"Activate"});
    prepared(508, faulty(fault));
    merge();
    fault->armed = true;
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), fault->error.number());
    EXPECT_EQ(e.source(), located(u"Question0508", u"TestePoint", u"Microsoft Word"));
}

TEST_F(Question0508Test, TheDocumentsAreCountedOnSixteenBits) {
    const auto override =
        std::make_shared<testing::Override>(testing::Override{u"Count", std::int32_t{32768}});
    prepared(508, overriding(override));
    override->armed = true;
    EXPECT_EQ(checkFailure().number(), errors::kOverflow);

    // Fermer reads the count twice; converted for the passes, it overflows and ends them, so
    // the merged document, first of the collection, stays open.
    override->armed = false;
    merge();
    call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    override->armed = true;
    override->reads = 0;
    call(question, u"Fermer");
    EXPECT_EQ(override->reads, 2);
    EXPECT_EQ(vb::cStr(member(document(std::int32_t{1}), u"Name")), u"Lettres1");
}

}  // namespace
}  // namespace k72645
