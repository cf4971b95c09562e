#include <algorithm>

#include "exercises/question_check_fixture.h"

namespace k72645 {
namespace {

using testing::located;

class Question0509Test : public testing::QuestionCheckTest {
protected:
    // A check made while the Module saw the recipients dialog open: it says so with the call.
    std::u16string checkWithRecipientsShown() {
        call(question, u"TestePoint", {true});
        return vb::cStr(get(question, u"CauseErreur"));
    }
    void attach(const std::u16string& source) { call(mailMerge(), u"OpenDataSource", {source}); }
    std::u16string copyDatabase(const std::string& name) {
        std::filesystem::create_directory(folder.native() / "Autre");
        std::filesystem::copy_file(folder.native() / "Clients.mdb",
                                   folder.native() / "Autre" / name);
        return folder.path() + u"Autre/" + fromUtf8(name);
    }
};

TEST_F(Question0509Test, TheRecipientsShownForTheLetterAndItsDatabase) {
    prepared(509);
    EXPECT_EQ(check(), u"B");  // right after Prepare, no dialog seen
    EXPECT_EQ(checkWithRecipientsShown(), u"");
    EXPECT_TRUE(complementLines().empty());
    // Each check tells about its own moment: the dialog closed since, the list is not shown.
    EXPECT_EQ(check(), u"B");

    // Only the database's file name counts, whatever its folder and case.
    attach(copyDatabase("CLIENTS.MDB"));
    EXPECT_EQ(checkWithRecipientsShown(), u"");
    std::u16string windowsPath = folder.path() + u"Clients.mdb";
    std::replace(windowsPath.begin(), windowsPath.end(), u'/', u'\\');
    attach(windowsPath);
    EXPECT_EQ(checkWithRecipientsShown(), u"");
    call(activeDocument(), u"SaveAs", {folder.path() + u"MONAGENCE.DOC"});
    EXPECT_EQ(checkWithRecipientsShown(), u"");
}

TEST_F(Question0509Test, AnotherLetterOrDatabase) {
    prepared(509);
    attach(copyDatabase("Clients2.mdb"));
    EXPECT_EQ(checkWithRecipientsShown(), u"C");
    put(mailMerge(), u"MainDocumentType", std::int32_t{-1});  // no data source: an empty name
    EXPECT_EQ(checkWithRecipientsShown(), u"C");
    attach(folder.path() + u"Clients.mdb");
    call(activeDocument(), u"SaveAs", {folder.path() + u"Lettre.doc"});
    EXPECT_EQ(checkWithRecipientsShown(), u"C");

    call(documents(), u"Close", {std::int32_t{0}});
    const ComError e = testing::failureOf([&] { checkWithRecipientsShown(); });
    EXPECT_EQ(e.number(), 4248);
    EXPECT_EQ(e.source(), located(u"Question0509", u"TestePoint", u"Microsoft Word"));
}

TEST_F(Question0509Test, TheDatabaseOpenAsADocument) {
    prepared(509);
    call(documents(), u"Open", {folder.path() + u"Clients.mdb"});
    EXPECT_EQ(checkWithRecipientsShown(), u"A");
    EXPECT_EQ(check(), u"A");
    // The sighting of the dialog was used up by the check that gave "A".
    call(document(u"Clients.mdb"), u"Close", {std::int32_t{0}});
    EXPECT_EQ(check(), u"B");
}

}  // namespace
}  // namespace k72645
