// Templates and their AutoText entries, add-ins, options and command bars.
#include "sim/word/document_file.h"
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

class TemplatesTest : public WordTest {
protected:
    void SetUp() override {
        WordTest::SetUp();
        writeFile(u"Lettre ORB.dot", R"({"k72645": "template", "story": [""],
            "autoText": [{"name": "cdt", "value": "Cordialement"}, {"name": "le", "value": "Nantes, le "}]})");
        writeFile(u"Insertion.doc", documentJson(R"(["[e01>Voyages et rêves<e01]"])"));
    }
    DispatchPtr entries(const DispatchPtr& document) {
        return object(get(object(get(document, u"AttachedTemplate")), u"AutoTextEntries"));
    }
};

TEST_F(TemplatesTest, AttachedTemplateIsSharedAndSavedWithItsEntries) {
    auto document = open(u"Insertion.doc");
    EXPECT_EQ(text(get(document, u"AttachedTemplate")), u"Normal.dot");
    put(document, u"AttachedTemplate", folder + u"Lettre ORB.dot");
    EXPECT_FALSE(vb::cBool(get(document, u"Saved")));
    EXPECT_EQ(text(get(document, u"AttachedTemplate")), u"Lettre ORB.dot");
    EXPECT_EQ(errorOf([&] { put(document, u"AttachedTemplate", folder + u"Absent.dot"); }), 5151);

    auto list = entries(document);
    EXPECT_EQ(number(get(list, u"Count")), 2);
    EXPECT_EQ(text(get(object(call(list, u"Item", {u"LE"})), u"Value")), u"Nantes, le ");
    auto bookmark = object(call(object(get(document, u"Bookmarks")), u"Item", {u"e01"}));
    call(list, u"Add", {u"vr", get(bookmark, u"Range")});
    call(object(call(list, u"Item", {u"cdt"})), u"Delete");
    EXPECT_EQ(errorOf([&] { call(list, u"Item", {u"cdt"}); }), 5941);

    // The template opened as a document is the same template, with the change.
    auto opened = open(u"Lettre ORB.dot");
    EXPECT_TRUE(sameObject(object(get(opened, u"AttachedTemplate")),
                           object(get(document, u"AttachedTemplate"))));
    EXPECT_EQ(text(get(object(call(entries(opened), u"Item", {u"vr"})), u"Value")),
              u"Voyages et rêves");

    auto attached = object(get(document, u"AttachedTemplate"));
    EXPECT_FALSE(vb::cBool(get(attached, u"Saved")));
    call(attached, u"Save");
    const DocumentFile file = parseDocumentFile(readFile(u"Lettre ORB.dot"), u"Lettre ORB.dot");
    ASSERT_EQ(file.autoText.size(), 2u);
    EXPECT_EQ(file.autoText[0].name, u"le");
    EXPECT_EQ(file.autoText[1].name, u"vr");

    put(document, u"AttachedTemplate", u"");
    EXPECT_EQ(text(get(document, u"AttachedTemplate")), u"Normal.dot");
    EXPECT_EQ(text(get(object(get(app, u"NormalTemplate")), u"FullName")),
              world->userFolder() + u"/Templates/Normal.dot");
}

TEST_F(TemplatesTest, AddInsAreNamedAfterTheirFileAndCanBeRemoved) {
    auto addIns = object(get(app, u"AddIns"));
    call(addIns, u"Add", {folder + u"Lettre ORB.dot", true});
    EXPECT_EQ(number(get(addIns, u"Count")), 1);
    auto addIn = object(call(addIns, u"Item", {std::int32_t{1}}));
    EXPECT_EQ(text(get(addIn, u"Name")), u"Lettre ORB.dot");
    call(addIn, u"Delete");
    EXPECT_EQ(number(get(addIns, u"Count")), 0);
    EXPECT_EQ(errorOf([&] { call(addIns, u"Add", {folder + u"Absent.dot"}); }), 5174);
}

TEST_F(TemplatesTest, OptionsFoldersAndTheCurrentFolder) {
    auto options = object(get(app, u"Options"));
    EXPECT_EQ(text(get(options, u"DefaultFilePath", {std::int32_t{0}})),
              world->userFolder() + u"/Documents");
    EXPECT_EQ(text(get(options, u"DefaultFilePath", {std::int32_t{2}})),
              world->userFolder() + u"/Templates");
    call(app, u"ChangeFileOpenDirectory", {world->userFolder() + u"\\templates\\"});
    EXPECT_EQ(text(get(options, u"DefaultFilePath", {std::int32_t{14}})),
              world->userFolder() + u"\\templates");
    EXPECT_EQ(errorOf([&] { call(app, u"ChangeFileOpenDirectory", {folder + u"Absent"}); }), 5);

    // Relative names are found in the current folder.
    call(app, u"ChangeFileOpenDirectory", {folder});
    EXPECT_EQ(text(get(object(call(documents(), u"Open", {u"Insertion.doc"})), u"Name")),
              u"Insertion.doc");

    put(options, u"DefaultFilePath", folder + u"modeles\\", {std::int32_t{2}});
    EXPECT_EQ(text(get(options, u"DefaultFilePath", {std::int32_t{2}})), folder + u"modeles");
}

TEST_F(TemplatesTest, CommandBarsByNameWithoutRegardToCase) {
    auto bars = object(get(app, u"CommandBars"));
    auto formatting = object(call(bars, u"Item", {u"formatting"}));
    EXPECT_EQ(text(get(formatting, u"Name")), u"Formatting");
    put(formatting, u"Position", std::int32_t{4});
    EXPECT_EQ(number(get(object(call(bars, u"Item", {u"FORMATTING"})), u"Position")), 4);
    EXPECT_EQ(errorOf([&] { call(bars, u"Item", {u"Menu Bar"}); }), 5);
    put(bars, u"DisplayTooltips", false);
    // Word's user settings outlive one Word.
    call(app, u"Quit");
    auto next = world->startWord();
    EXPECT_FALSE(vb::cBool(get(object(get(next, u"CommandBars")), u"DisplayTooltips")));
}

}  // namespace
}  // namespace k72645::sim::testing
