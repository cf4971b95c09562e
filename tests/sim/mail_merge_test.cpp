// Mail merge: states, data sources, queries, record changes written to the database, merging
// and labels.
#include "sim/data/database.h"
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

class MailMergeTest : public WordTest {
protected:
    void SetUp() override {
        WordTest::SetUp();
        writeFile(u"Clients.mdb", databaseJson());
        writeFile(u"Agence.doc", documentJson(R"(["Cher { MERGEFIELD Nom }"])"));
        document = open(u"Agence.doc");
        merge = object(get(document, u"MailMerge"));
    }
    DispatchPtr source() { return object(get(merge, u"DataSource")); }

    DispatchPtr document;
    DispatchPtr merge;
};

TEST_F(MailMergeTest, StatesFollowTheTypeAndTheSourcesAttached) {
    EXPECT_EQ(number(get(merge, u"MainDocumentType")), -1);
    EXPECT_EQ(number(get(merge, u"State")), 0);
    put(merge, u"MainDocumentType", std::int32_t{1});
    EXPECT_EQ(number(get(merge, u"State")), 1);
    call(merge, u"OpenHeaderSource", {folder + u"Clients.mdb"});
    EXPECT_EQ(number(get(merge, u"State")), 3);
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    EXPECT_EQ(number(get(merge, u"State")), 4);
    EXPECT_EQ(number(get(merge, u"MainDocumentType")), 1);  // labels stay labels
    put(merge, u"MainDocumentType", std::int32_t{-1});
    EXPECT_EQ(number(get(merge, u"State")), 0);
    EXPECT_EQ(text(get(source(), u"Name")), u"");

    // A normal document becomes a form-letter main document when a source is attached.
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    EXPECT_EQ(number(get(merge, u"MainDocumentType")), 0);
    EXPECT_EQ(errorOf([&] { call(merge, u"OpenDataSource", {folder + u"Absent.mdb"}); }), 5174);
    EXPECT_EQ(errorOf([&] { put(merge, u"MainDocumentType", std::int32_t{7}); }), 4608);
}

TEST_F(MailMergeTest, WithoutDataSourceOnlyNameAndQueryAnswer) {
    auto detached = source();
    EXPECT_EQ(text(get(detached, u"Name")), u"");
    EXPECT_EQ(text(get(detached, u"QueryString")), u"");
    for (const char16_t* member : {u"RecordCount", u"ActiveRecord", u"DataFields", u"FieldNames",
                                   u"Included", u"FirstRecord"}) {
        EXPECT_EQ(errorOf([&] { get(detached, member); }), 5852) << toUtf8(member);
    }
    EXPECT_EQ(errorOf([&] { call(merge, u"Execute"); }), 4605);
    // Not a main document: its merge field codes cannot be shown or hidden.
    EXPECT_EQ(errorOf([&] { get(merge, u"ViewMailMergeFieldCodes"); }), 4605);
    EXPECT_EQ(errorOf([&] { put(merge, u"ViewMailMergeFieldCodes", false); }), 4605);
}

TEST_F(MailMergeTest, DataSourceMembersAndQueries) {
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    auto data = source();
    EXPECT_EQ(text(get(data, u"QueryString")), u"SELECT * FROM `Clients`");
    EXPECT_EQ(number(get(data, u"RecordCount")), 3);
    auto fieldNames = object(get(data, u"FieldNames"));
    EXPECT_EQ(number(get(fieldNames, u"Count")), 3);
    EXPECT_EQ(text(call(fieldNames, u"Item", {std::int32_t{2}})), u"Nom");
    auto dataFields = object(get(data, u"DataFields"));
    put(data, u"ActiveRecord", std::int32_t{-7});
    EXPECT_EQ(text(call(dataFields, u"Item", {std::int32_t{2}})), u"MARTEL");
    EXPECT_EQ(text(call(dataFields, u"Item", {u"nom"})), u"MARTEL");
    // Word's other moves: -3 previous, -4 first, -2 next, -5 last; -1 stays.
    const std::pair<std::int32_t, std::int32_t> moves[] = {
        {-3, 2}, {-4, 1}, {-2, 2}, {-1, 2}, {-5, 3}};
    for (auto [move, expected] : moves) {
        put(data, u"ActiveRecord", std::int32_t{move});
        EXPECT_EQ(number(get(data, u"ActiveRecord")), expected) << move;
    }
    put(data, u"LastRecord", std::int32_t{2});
    put(data, u"LastRecord", std::int32_t{-16});  // the last record
    EXPECT_EQ(number(get(data, u"LastRecord")), 3);

    put(data, u"QueryString", u"SELECT * FROM [Clients] WHERE Civilite = 'madame' ORDER BY Nom");
    EXPECT_EQ(number(get(data, u"RecordCount")), 2);
    const std::u16string query = text(get(data, u"QueryString"));
    EXPECT_EQ(errorOf([&] { put(data, u"QueryString", u"DELETE FROM Clients"); }), 5922);
    EXPECT_EQ(text(get(data, u"QueryString")), query);
}

TEST_F(MailMergeTest, RecordChangesAreWrittenToTheDatabaseFileAtOnce) {
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    const std::int64_t before = world->files()->modificationTime(folder + u"Clients.mdb");
    auto data = source();
    put(data, u"ActiveRecord", std::int32_t{2});
    put(object(call(object(get(data, u"DataFields")), u"Item", {std::int32_t{2}})), u"Value",
        u"FOUCAULT");
    call(data, u"AddRecord", {u"Monsieur", u"BOIN", u"1"});
    EXPECT_EQ(number(get(data, u"RecordCount")), 4);
    EXPECT_EQ(number(get(data, u"ActiveRecord")), 4);

    const Database written = parseDatabase(readFile(u"Clients.mdb"), u"Clients.mdb");
    ASSERT_EQ(written.records.size(), 4u);
    EXPECT_EQ(written.records[1][1], u"FOUCAULT");
    EXPECT_EQ(written.records[3][1], u"BOIN");
    EXPECT_GE(world->files()->modificationTime(folder + u"Clients.mdb"), before + 1);

    // A second document attached to the same file shares the database.
    writeFile(u"Autre.doc", documentJson(R"(["x"])"));
    auto other = open(u"Autre.doc");
    auto otherMerge = object(get(other, u"MailMerge"));
    call(otherMerge, u"OpenDataSource", {folder + u"clients.mdb"});
    EXPECT_EQ(number(get(object(get(otherMerge, u"DataSource")), u"RecordCount")), 4);
}

TEST_F(MailMergeTest, ExecuteMakesOneSectionPerRecordNamedByEdition) {
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    auto data = source();
    put(data, u"ActiveRecord", std::int32_t{2});
    put(data, u"Included", false);
    put(object(call(document, u"Range", {std::int32_t{0}, std::int32_t{0}})), u"Markup",
        u"{ PAGE } ");
    call(merge, u"Execute");
    auto merged = active();
    EXPECT_EQ(text(get(merged, u"Name")), u"Lettres1");
    EXPECT_EQ(text(call(documents(), u"Item", {std::int32_t{1}})), u"Lettres1");
    EXPECT_EQ(number(get(object(get(merged, u"Sections")), u"Count")), 3);
    EXPECT_EQ(text(get(object(get(merged, u"Content")), u"Text")),
              u"1 Cher KERVADEC\f1 Cher MARTEL\f\r");
    // The merge fields are resolved; the PAGE fields stay fields.
    auto fields = object(get(merged, u"Fields"));
    EXPECT_EQ(number(get(fields, u"Count")), 2);
    EXPECT_EQ(text(call(fields, u"Item", {std::int32_t{2}})), u" PAGE ");
    EXPECT_EQ(text(get(merged, u"Path")), u"");

    world->setEdition(u"en");
    auto english = world->startWord();
    EXPECT_EQ(text(get(english, u"Edition")), u"en");
    auto englishDocument =
        object(call(object(get(english, u"Documents")), u"Open", {folder + u"Agence.doc"}));
    auto englishMerge = object(get(englishDocument, u"MailMerge"));
    call(englishMerge, u"OpenDataSource", {folder + u"Clients.mdb"});
    call(englishMerge, u"Execute");
    EXPECT_EQ(text(get(object(get(english, u"ActiveDocument")), u"Name")), u"Letters1");
}

TEST_F(MailMergeTest, CreateDataSourceWritesAnEmptyDatabaseWithTheHeaderFields) {
    call(merge, u"CreateDataSource",
         {folder + u"Nouveaux.mdb", Variant::missing(), Variant::missing(),
          u" Nom , Prenom,Ville "});
    EXPECT_EQ(number(get(merge, u"State")), 2);
    const Database written = parseDatabase(readFile(u"Nouveaux.mdb"), u"Nouveaux.mdb");
    EXPECT_EQ(written.table, u"Nouveaux");
    EXPECT_EQ(written.fields, (std::vector<std::u16string>{u"Nom", u"Prenom", u"Ville"}));
    EXPECT_TRUE(written.records.empty());
    EXPECT_EQ(number(get(source(), u"RecordCount")), 0);
    EXPECT_EQ(errorOf([&] {
                  call(merge, u"CreateDataSource",
                       {folder + u"X.mdb", Variant::missing(), Variant::missing(), u"a,,b"});
              }),
              5);
}

TEST_F(MailMergeTest, PropagateLabelCopiesTheFirstLabelAfterANextField) {
    std::string story = "[\"[e01><e01]{ MERGEFIELD Nom }\"";
    for (int i = 1; i < 18; ++i)
        story += (i % 6 == 0) ? ",\"{ NEXT }\"" : ",\"\"";
    story += "]";
    writeFile(u"Etiquettes.doc", documentJson(story));
    auto labels = open(u"Etiquettes.doc");
    auto labelsMerge = object(get(labels, u"MailMerge"));
    EXPECT_EQ(errorOf([&] { call(labelsMerge, u"PropagateLabel"); }), 4605);
    put(labelsMerge, u"MainDocumentType", std::int32_t{1});
    call(labelsMerge, u"PropagateLabel");
    EXPECT_EQ(number(get(object(get(labels, u"Paragraphs")), u"Count")), 18);
    EXPECT_EQ(number(get(object(get(labels, u"Fields")), u"Count")), 5);  // 3 MERGEFIELD, 2 NEXT
    auto paragraphs = object(get(labels, u"Paragraphs"));
    EXPECT_EQ(text(get(object(get(object(call(paragraphs, u"Item", {std::int32_t{13}})), u"Range")),
                       u"Text")),
              u"\u00abEnregistrement suivant\u00bb\u00abNom\u00bb\r");
    EXPECT_TRUE(vb::cBool(call(object(get(labels, u"Bookmarks")), u"Exists", {u"e01"})));

    // Merging labels moves to the next record at each NEXT field.
    call(labelsMerge, u"OpenDataSource", {folder + u"Clients.mdb"});
    call(labelsMerge, u"Execute");
    const std::u16string merged = text(get(object(get(active(), u"Content")), u"Text"));
    EXPECT_EQ(merged.substr(0, 9), u"KERVADEC\r");
    EXPECT_NE(merged.find(u"FOUCAL\r"), std::u16string::npos);
    EXPECT_NE(merged.find(u"MARTEL\r"), std::u16string::npos);
    EXPECT_EQ(number(get(object(get(active(), u"Sections")), u"Count")), 2);
}

}  // namespace
}  // namespace k72645::sim::testing
