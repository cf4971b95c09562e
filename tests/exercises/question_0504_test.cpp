#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

class Question0504Test : public testing::QuestionCheckTest {
protected:
    Variant letterTemplate() { return member(document(u"Agence.doc"), u"AttachedTemplate"); }
    Variant entries() { return member(letterTemplate(), u"AutoTextEntries"); }
    void deleteEntry() { call(member(entries(), u"Item", {u"le"}), u"Delete"); }
    void closeLetter(bool saved) {
        if (saved) {
            call(member(document(u"Agence.doc"), u"Content"), u"InsertAfter", {u"Fin."});
            call(document(u"Agence.doc"), u"Save");
        }
        call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    }
};

TEST_F(Question0504Test, WhileTheLetterIsOpen) {
    prepared(504);
    EXPECT_EQ(check(), u"A");  // the entry is still there
    EXPECT_EQ(sleeper->waits, std::vector<std::int32_t>{1000});
    deleteEntry();
    EXPECT_EQ(check(), u"D");
    call(entries(), u"Add", {u"LE", u"Nantes, le "});
    EXPECT_EQ(check(), u"A");  // the name counts in any case of letters
    EXPECT_TRUE(complementLines().empty());
    // The entry test reads the template of the active document, here Normal.dot.
    call(documents(), u"Add");
    EXPECT_EQ(check(), u"D");
}

TEST_F(Question0504Test, WhileTheLetterIsOpenFailuresGiveA) {
    const auto fault = std::make_shared<testing::Fault>(testing::Fault{u"AutoTextEntries"});
    prepared(504, faulty(fault));
    deleteEntry();
    fault->armed = true;
    EXPECT_EQ(check(), u"A");
    EXPECT_EQ(fault->refusals, 1);
}

TEST_F(Question0504Test, TheLetterAndTheTemplateSaved) {
    prepared(504);
    deleteEntry();
    call(letterTemplate(), u"Save");
    closeLetter(false);
    EXPECT_EQ(check(), u"B");
    call(documents(), u"Open", {folder.path() + u"Agence.doc"});
    closeLetter(true);
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(documentCount(), 0);  // the template opened for the check is closed again

    // Once the letter is closed, failures are raised.
    std::filesystem::remove(templates.native() / "Lettre ORB.dot");
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), errors::kFileNotFound);
    EXPECT_TRUE(e.source().starts_with(located(u"Question0504", u"TestePoint", u"")));
}

TEST_F(Question0504Test, TheTemplateNotSaved) {
    prepared(504);
    deleteEntry();
    closeLetter(true);
    EXPECT_EQ(check(), u"C");
}

TEST_F(Question0504Test, TheTemplateSavedWithTheEntryStaysOpen) {
    prepared(504);
    call(entries(), u"Add", {u"vr", u"Voyages et rêves"});
    call(letterTemplate(), u"Save");
    closeLetter(true);
    EXPECT_EQ(check(), u"A");
    ASSERT_EQ(documentCount(), 1);
    EXPECT_EQ(lcase(vb::cStr(member(activeDocument(), u"Name"))), u"lettre orb.dot");
}

}  // namespace
}  // namespace k72645
