// What Range.Text shows: field codes or results, merge values, bookmarks reached through the
// selection and contents replaced through markup.
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

class RenderingTest : public WordTest {
protected:
    std::u16string contentText() { return text(get(object(get(active(), u"Content")), u"Text")); }
    void showFieldCodes(bool show) {
        put(object(get(object(get(app, u"ActiveWindow")), u"View")), u"ShowFieldCodes", show);
    }
};

TEST_F(RenderingTest, FieldsShowCodesOrResultsAsTheViewSays) {
    writeFile(u"Clients.mdb", databaseJson());
    writeFile(u"Agence.doc",
              documentJson(R"(["Le { DATE \\@ \"d/MM/yyyy\" }", "{ MERGEFIELD Nom }", )"
                           R"("{ IF { MERGEFIELD Groupe } = 1 \"vendredi\" \"samedi\" }"])"));
    open(u"Agence.doc");
    EXPECT_EQ(contentText(), u"Le 15/03/2023\r\u00abNom\u00bb\rsamedi\r");

    showFieldCodes(true);
    EXPECT_EQ(contentText(),
              u"Le \x13 DATE \\@ \"d/MM/yyyy\" \x15\r\x13 MERGEFIELD Nom \x15\r"
              u"\x13 IF \x13 MERGEFIELD Groupe \x15 = 1 \"vendredi\" \"samedi\" \x15\r");
    showFieldCodes(false);

    auto merge = object(get(active(), u"MailMerge"));
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    // The merge shows field names, but the IF compares the active record's group (1).
    EXPECT_EQ(contentText(), u"Le 15/03/2023\r\u00abNom\u00bb\rvendredi\r");
    put(merge, u"ViewMailMergeFieldCodes", false);
    EXPECT_EQ(contentText(), u"Le 15/03/2023\rKERVADEC\rvendredi\r");
    put(object(get(merge, u"DataSource")), u"ActiveRecord", std::int32_t{-8});
    EXPECT_EQ(contentText(), u"Le 15/03/2023\rFOUCAL\rsamedi\r");

    auto fields = object(get(active(), u"Fields"));
    EXPECT_EQ(number(get(fields, u"Count")), 4);  // the nested MERGEFIELD counts
    EXPECT_EQ(text(get(object(call(fields, u"Item", {std::int32_t{2}})), u"Code")),
              u" MERGEFIELD Nom ");
    EXPECT_EQ(number(call(fields, u"Update")), 0);
    EXPECT_EQ(text(get(object(get(object(call(fields, u"Item", {std::int32_t{2}})), u"Result")),
                       u"Text")),
              u"FOUCAL");
}

TEST_F(RenderingTest, GoToBookmarkAndMarkupPutsEditTheStory) {
    writeFile(u"Agence.doc", documentJson(R"(["[e01>Agence<e01]", "[s01>codeville", "<s01]Fin"])"));
    open(u"Agence.doc");
    auto selection = object(get(app, u"Selection"));
    call(selection, u"GoTo", {std::int32_t{-1}, Variant::missing(), Variant::missing(), u"s01"});
    EXPECT_EQ(number(get(selection, u"Start")), 7);
    EXPECT_EQ(errorOf([&] {
                  call(selection, u"GoTo",
                       {std::int32_t{-1}, Variant::missing(), Variant::missing(), u"zz"});
              }),
              5101);

    auto bookmarks = object(get(active(), u"Bookmarks"));
    auto s01 = object(get(object(call(bookmarks, u"Item", {u"s01"})), u"Range"));
    put(s01, u"Markup", u"{ MERGEFIELD CpVille }\\r");
    EXPECT_EQ(contentText(), u"Agence\r\u00abCpVille\u00bb\rFin\r");
    // The bookmark spans what replaced its content.
    // Arguments given to a property without parameters go to its value's default member, as
    // in Bookmarks("S01").
    auto again = object(get(object(get(active(), u"Bookmarks", {u"S01"})), u"Range"));
    EXPECT_EQ(text(get(again, u"Markup")), u"[s01>{ MERGEFIELD CpVille }\\r<s01]");

    put(selection, u"Markup", u"[t01>ici<t01] ");
    EXPECT_TRUE(vb::cBool(call(bookmarks, u"Exists", {u"t01"})));
    EXPECT_EQ(errorOf([&] { put(s01, u"Markup", u"{ pas fermé"); }), 5);
    EXPECT_FALSE(vb::cBool(get(active(), u"Saved")));
}

TEST_F(RenderingTest, ParagraphsAndSectionsCountTheirMarks) {
    writeFile(u"A.doc", documentJson(R"(["un\\vdeux", "trois\\f", "quatre"])"));
    open(u"A.doc");
    auto paragraphs = object(get(active(), u"Paragraphs"));
    EXPECT_EQ(number(get(paragraphs, u"Count")), 3);
    EXPECT_EQ(text(get(object(get(object(call(paragraphs, u"Item", {std::int32_t{2}})), u"Range")),
                       u"Text")),
              u"trois\f");
    EXPECT_EQ(number(get(object(get(active(), u"Sections")), u"Count")), 2);
    EXPECT_EQ(errorOf([&] { call(paragraphs, u"Item", {std::int32_t{4}}); }), 5941);
}

}  // namespace
}  // namespace k72645::sim::testing
