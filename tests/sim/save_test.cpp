// Saving documents: only when changed, always visible to a comparison made to the second, and
// read back as written.
#include "sim/word/document_file.h"
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

class SaveTest : public WordTest {
protected:
    std::int64_t modified(const std::u16string& name) {
        return world->files()->modificationTime(folder + name);
    }
};

TEST_F(SaveTest, SaveWritesOnlyUnsavedChangesAndMovesTheTimeOn) {
    writeFile(u"Agence.doc", documentJson(R"(["[e01>Agence<e01] ORB", "Nantes"])"));
    const std::int64_t before = modified(u"Agence.doc");
    auto document = open(u"Agence.doc");
    EXPECT_TRUE(vb::cBool(get(document, u"Saved")));

    call(document, u"Save");  // nothing to save: the file is not touched
    EXPECT_EQ(modified(u"Agence.doc"), before);

    call(object(get(document, u"Content")), u"InsertAfter", {u"Fin"});
    EXPECT_FALSE(vb::cBool(get(document, u"Saved")));
    call(document, u"Save");
    EXPECT_TRUE(vb::cBool(get(document, u"Saved")));
    const std::int64_t first = modified(u"Agence.doc");
    EXPECT_GE(first, before + 1);

    // A second save within the same second is still visible.
    put(object(call(document, u"Range", {std::int32_t{0}, std::int32_t{0}})), u"Text", u"X");
    call(document, u"Save");
    EXPECT_GE(modified(u"Agence.doc"), first + 1);

    // Reopened, the document reads as it was saved, bookmark included.
    call(document, u"Close");
    auto again = open(u"Agence.doc");
    // Text inserted at the end of the story goes before its final paragraph mark; text
    // inserted at a bookmark's start goes inside it.
    EXPECT_EQ(text(get(object(get(again, u"Content")), u"Text")), u"XAgence ORB\rNantesFin\r");
    auto bookmark = object(call(object(get(again, u"Bookmarks")), u"Item", {u"e01"}));
    EXPECT_EQ(text(get(object(get(bookmark, u"Range")), u"Text")), u"XAgence");
}

TEST_F(SaveTest, CloseWithSaveChangesSavesAndWithoutDiscards) {
    writeFile(u"A.doc", documentJson(R"(["a"])"));
    auto document = open(u"A.doc");
    call(object(get(document, u"Content")), u"InsertBefore", {u"1"});
    call(document, u"Close", {std::int32_t{0}});
    EXPECT_EQ(text(get(object(get(open(u"A.doc"), u"Content")), u"Text")), u"a\r");

    call(object(get(active(), u"Content")), u"InsertBefore", {u"2"});
    call(active(), u"Close", {std::int32_t{-1}});
    EXPECT_EQ(text(get(object(get(open(u"A.doc"), u"Content")), u"Text")), u"2a\r");

    // A document that was never saved has no file to save to.
    auto blank = object(call(documents(), u"Add"));
    call(object(get(blank, u"Content")), u"InsertBefore", {u"x"});
    EXPECT_EQ(errorOf([&] { call(blank, u"Save"); }), 4198);
}

TEST_F(SaveTest, SaveAsGivesTheDocumentItsNewNameAndFile) {
    auto blank = object(call(documents(), u"Add"));
    call(object(get(blank, u"Content")), u"InsertBefore", {u"Bonjour"});
    call(blank, u"SaveAs", {folder + u"Lettre.doc"});
    EXPECT_EQ(text(get(blank, u"Name")), u"Lettre.doc");
    EXPECT_EQ(text(get(object(call(object(get(app, u"Windows")), u"Item", {std::int32_t{1}})),
                       u"Caption")),
              u"Lettre.doc");
    const DocumentFile file = parseDocumentFile(readFile(u"Lettre.doc"), u"Lettre.doc");
    EXPECT_EQ(file.story.characters(), u"Bonjour\r");
}

TEST_F(SaveTest, MergeSettingsAndTemplateAreSavedWithTheDocument) {
    writeFile(u"Clients.mdb", databaseJson());
    writeFile(u"Agence.doc", documentJson(R"(["{ MERGEFIELD Nom }"])"));
    auto document = open(u"Agence.doc");
    auto merge = object(get(document, u"MailMerge"));
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    put(object(get(merge, u"DataSource")), u"QueryString",
        u"SELECT * FROM Clients WHERE Civilite = 'Madame'");
    call(document, u"Close", {std::int32_t{-1}});

    auto reopened = open(u"Agence.doc");
    auto source = object(get(object(get(reopened, u"MailMerge")), u"DataSource"));
    EXPECT_EQ(number(get(object(get(reopened, u"MailMerge")), u"State")), 2);
    EXPECT_EQ(text(get(source, u"Name")), folder + u"Clients.mdb");
    EXPECT_EQ(number(get(source, u"RecordCount")), 2);
}

}  // namespace
}  // namespace k72645::sim::testing
