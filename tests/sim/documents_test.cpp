// The Documents collection: order, activation, opening, closing, names and paths.
#include "sim/data/database.h"
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

class DocumentsTest : public WordTest {};

TEST_F(DocumentsTest, NewDocumentsComeFirstAndActivatingDoesNotReorder) {
    writeFile(u"Agence.doc", documentJson(R"(["Lettre"])"));
    writeFile(u"Insertion.doc", documentJson(R"(["Texte"])"));
    open(u"Agence.doc");
    open(u"Insertion.doc");
    auto added = object(call(documents(), u"Add"));
    EXPECT_EQ(text(get(added, u"Name")), u"Document1");
    EXPECT_EQ(number(get(documents(), u"Count")), 3);
    EXPECT_EQ(text(call(documents(), u"Item", {std::int32_t{1}})), u"Document1");
    EXPECT_EQ(text(call(documents(), u"Item", {std::int32_t{3}})), u"Agence.doc");

    call(object(call(documents(), u"Item", {u"AGENCE.DOC"})), u"Activate");
    EXPECT_EQ(text(get(active(), u"Name")), u"Agence.doc");
    EXPECT_EQ(text(call(documents(), u"Item", {std::int32_t{3}})), u"Agence.doc");
    EXPECT_TRUE(sameObject(active(), object(call(documents(), u"Item", {std::int32_t{3}}))));

    // Opening a file already open activates it and opens nothing more.
    call(documents(), u"Open", {folder + u"insertion.DOC"});
    EXPECT_EQ(number(get(documents(), u"Count")), 3);
    EXPECT_EQ(text(get(active(), u"Name")), u"Insertion.doc");

    EXPECT_EQ(errorOf([&] { call(documents(), u"Item", {std::int32_t{4}}); }), 5941);
    EXPECT_EQ(errorOf([&] { call(documents(), u"Item", {u"Autre.doc"}); }), 5941);
    EXPECT_EQ(text(get(object(call(documents(), u"Add")), u"Name")), u"Document2");
}

TEST_F(DocumentsTest, NamesAndPathsFollowTheFileAsOpened) {
    writeFile(u"Agence.doc", documentJson(R"(["Lettre"])"));
    const std::u16string asTyped = world->userFolder() + u"\\documents\\AGENCE.doc";
    auto document = object(call(documents(), u"Open", {asTyped}));
    EXPECT_EQ(text(get(document, u"FullName")), asTyped);
    EXPECT_EQ(text(get(document, u"Name")), u"AGENCE.doc");
    EXPECT_EQ(text(get(document, u"Path")), world->userFolder() + u"\\documents");

    auto blank = object(call(documents(), u"Add"));
    EXPECT_EQ(text(get(blank, u"FullName")), u"Document1");
    EXPECT_EQ(text(get(blank, u"Path")), u"");
}

TEST_F(DocumentsTest, MissingFileRaises5174AndOpensNothing) {
    EXPECT_EQ(errorOf([&] { open(u"Absent.doc"); }), 5174);
    EXPECT_EQ(number(get(documents(), u"Count")), 0);
    EXPECT_EQ(errorOf([&] { get(app, u"ActiveDocument"); }), 4248);
    EXPECT_EQ(errorOf([&] { get(app, u"ActiveWindow"); }), 4248);
}

TEST_F(DocumentsTest, ClosingTheActiveDocumentActivatesThePreviouslyActiveOne) {
    writeFile(u"A.doc", documentJson(R"(["a"])"));
    writeFile(u"B.doc", documentJson(R"(["b"])"));
    writeFile(u"C.doc", documentJson(R"(["c"])"));
    auto a = open(u"A.doc");
    auto b = open(u"B.doc");
    open(u"C.doc");
    call(b, u"Activate");
    call(a, u"Activate");
    call(a, u"Close", {std::int32_t{0}});
    // B was active before A; C is Documents(1).
    EXPECT_EQ(text(get(active(), u"Name")), u"B.doc");
    EXPECT_EQ(errorOf([&] { get(a, u"Name"); }), 0);  // the object still answers its name
    EXPECT_EQ(errorOf([&] { call(a, u"Activate"); }), 5941);
    call(documents(), u"Close");
    EXPECT_EQ(number(get(documents(), u"Count")), 0);
}

TEST_F(DocumentsTest, DatabaseOpensAsATextDocument) {
    writeFile(u"Clients.mdb", databaseJson());
    auto document = open(u"Clients.mdb");
    EXPECT_EQ(text(get(document, u"Name")), u"Clients.mdb");
    auto paragraphs = object(get(document, u"Paragraphs"));
    EXPECT_EQ(number(get(paragraphs, u"Count")), 4);
    auto first = object(call(paragraphs, u"Item", {std::int32_t{1}}));
    EXPECT_EQ(text(get(object(get(first, u"Range")), u"Text")), u"Civilite\tNom\tGroupe\r");
    auto third = object(call(paragraphs, u"Item", {std::int32_t{3}}));
    EXPECT_EQ(text(get(object(get(third, u"Range")), u"Text")), u"Madame\tFOUCAL\t2\r");
}

TEST_F(DocumentsTest, DatabaseDocumentIsSavedBackAsADatabase) {
    writeFile(u"Clients.mdb", databaseJson());
    auto document = open(u"Clients.mdb");
    auto last = object(call(object(get(document, u"Paragraphs")), u"Item", {std::int32_t{4}}));
    put(object(get(last, u"Range")), u"Text", u"Madame\tMARTIN\t1\r");
    call(document, u"Save");
    const Database written = parseDatabase(readFile(u"Clients.mdb"), u"Clients.mdb");
    ASSERT_EQ(written.records.size(), 3u);
    EXPECT_EQ(written.records[2][1], u"MARTIN");

    // A line that no longer has one value per field is refused rather than written.
    put(object(get(last, u"Range")), u"Text", u"Madame MARTIN\r");
    EXPECT_EQ(errorOf([&] { call(document, u"Save"); }), 4198);
    EXPECT_EQ(parseDatabase(readFile(u"Clients.mdb"), u"Clients.mdb").records.size(), 3u);
}

TEST_F(DocumentsTest, MembersAreFoundWithoutRegardToCase) {
    EXPECT_EQ(number(get(object(get(app, u"DOCUMENTS")), u"count")), 0);
    EXPECT_EQ(errorOf([&] { get(app, u"NoSuchMember"); }), 438);
    EXPECT_TRUE(sameObject(app, object(get(app, u"Application"))));
}

}  // namespace
}  // namespace k72645::sim::testing
