#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;

class Question0502Test : public testing::QuestionCheckTest {
protected:
    // A copy of the letter under another name, opened beside the others.
    void openCopy(const std::string& name) {
        std::filesystem::copy_file(folder.native() / "Agence.doc", folder.native() / name);
        call(documents(), u"Open", {folder.path() + fromUtf8(name)});
    }
};

TEST_F(Question0502Test, BothDocumentsOpenOnceWithTheLetterActive) {
    prepared(502);
    call(documents(), u"Add");  // other documents do not matter
    call(document(u"Agence.doc"), u"Activate");
    EXPECT_EQ(check(), u"");
    EXPECT_TRUE(complementLines().empty());
    call(document(u"Insertion.doc"), u"Activate");
    EXPECT_EQ(check(), u"B");

    openCopy("MonAgence.doc");  // a third document ending like the letter
    EXPECT_EQ(check(), u"A");
    call(document(u"Agence.doc"), u"Close", {std::int32_t{0}});
    EXPECT_EQ(check(), u"");  // the copy is now the letter, and active
    call(document(u"Insertion.doc"), u"Close", {std::int32_t{0}});
    EXPECT_EQ(check(), u"A");
    call(documents(), u"Close", {std::int32_t{0}});
    EXPECT_EQ(check(), u"A");
}

TEST_F(Question0502Test, Failures) {
    const auto fault = std::make_shared<testing::Fault>(testing::Fault{u"FullName"});
    prepared(502, faulty(fault));
    fault->armed = true;
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), fault->error.number());
    EXPECT_EQ(e.source(), located(u"Question0502", u"TestePoint", u"Microsoft Word"));
}

TEST_F(Question0502Test, TheDocumentsAreCountedOnSixteenBits) {
    const auto override =
        std::make_shared<testing::Override>(testing::Override{u"Count", std::int32_t{40000}});
    prepared(502, overriding(override));
    override->armed = true;
    EXPECT_EQ(checkFailure().number(), errors::kOverflow);
}

}  // namespace
}  // namespace k72645
