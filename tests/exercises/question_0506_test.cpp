#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;

class Question0506Test : public testing::QuestionCheckTest {
protected:
    void attach(const std::u16string& source) { call(mailMerge(), u"OpenDataSource", {source}); }
};

TEST_F(Question0506Test, TheWorkingFoldersDatabaseAttachedToAFormLetter) {
    prepared(506);
    EXPECT_EQ(check(), u"A");  // still a normal document
    put(mailMerge(), u"MainDocumentType", std::int32_t{0});
    EXPECT_EQ(check(), u"B");  // a main document without data source

    std::filesystem::create_directory(folder.native() / "Autre");
    std::filesystem::copy_file(folder.native() / "Clients.mdb",
                               folder.native() / "Autre" / "Clients.mdb");
    attach(folder.path() + u"Autre/Clients.mdb");
    EXPECT_EQ(check(), u"C");
    EXPECT_EQ(complementLines(),
              std::vector<std::u16string>{u" " + folder.path() + u"Autre/Clients.mdb"});

    // Names compare without regard to case: the database's, and the letter's saved elsewhere.
    attach(folder.path() + u"CLIENTS.MDB");
    EXPECT_EQ(check(), u"");
    EXPECT_TRUE(complementLines().empty());
    call(activeDocument(), u"SaveAs", {folder.path() + u"Autre/AGENCE.DOC"});
    EXPECT_EQ(check(), u"");

    put(mailMerge(), u"MainDocumentType", std::int32_t{1});  // labels
    EXPECT_EQ(check(), u"E");
    call(mailMerge(), u"OpenHeaderSource", {folder.path() + u"Clients.mdb"});
    EXPECT_EQ(check(), u"A");  // a header source as well
}

TEST_F(Question0506Test, NotTheExercisesLetter) {
    prepared(506);
    attach(folder.path() + u"Clients.mdb");
    call(documents(), u"Add");
    EXPECT_EQ(check(), u"A");
    call(activeDocument(), u"Close", {std::int32_t{0}});
    deleteBookmark(u"e01");
    EXPECT_EQ(check(), u"A");

    call(documents(), u"Close", {std::int32_t{0}});
    const ComError e = checkFailure();
    EXPECT_EQ(e.number(), 4248);
    EXPECT_EQ(e.source(), located(u"Question0506", u"TestePoint", u"Microsoft Word"));
}

}  // namespace
}  // namespace k72645
