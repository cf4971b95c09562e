// Reading and writing document and template files; faulty files are refused with the file and
// line named, and open nothing.
#include <gtest/gtest.h>

#include "automation/vb.h"
#include "sim/runtime/sim_world.h"
#include "sim/word/document_file.h"
#include "support/com_error_expect.h"

namespace k72645::sim {
namespace {

std::u16string errorText(const std::string& bytes) {
    try {
        parseDocumentFile(bytes, u"Agence.doc");
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), 5792);
        EXPECT_EQ(error.source(), u"Microsoft Word");
        return error.description();
    }
    return u"(no error)";
}

TEST(DocumentFileTest, FaultyFilesNameTheFileAndTheLine) {
    EXPECT_EQ(errorText("{\n  \"k72645\": \"document\",\n  \"story\": [\"a\""),
              u"Agence.doc, line 3: the file is cut short");
    EXPECT_EQ(errorText("{\n  \"k72645\": \"document\",\n  \"story\": \"abc\"\n}"),
              u"Agence.doc, line 3: \"story\" must be an array of strings");
    EXPECT_EQ(errorText("{\n\"k72645\": \"document\",\n\"story\": [\n\"ok\",\n7\n]}"),
              u"Agence.doc, line 5: \"story\" must be an array of strings");
    EXPECT_EQ(errorText("{\"k72645\": \"database\", \"story\": []}").substr(0, 20),
              u"Agence.doc, line 1: ");
    EXPECT_EQ(errorText("[1, 2]"), u"Agence.doc, line 1: the file does not hold a JSON object");
    // A markup fault names the line of its paragraph.
    const std::u16string markup =
        errorText("{\"k72645\": \"document\",\n\"story\": [\"a\",\n\"{ DATE\"]}");
    EXPECT_EQ(markup.substr(0, 32), u"Agence.doc, line 3: paragraph 2:");
    EXPECT_EQ(errorText("{\"k72645\": \"document\", \"story\": [],\n\"mailMerge\": "
                        "{\"mainDocumentType\": 9}}"),
              u"Agence.doc, line 2: \"mainDocumentType\" must be -1, 0, 1, 2 or 3");
    EXPECT_EQ(errorText("{\"k72645\": \"template\", \"story\": [], \"autoText\": [\n"
                        "{\"name\": \"le\", \"value\": \"a\"},\n{\"name\": \"LE\", \"value\": "
                        "\"b\"}]}"),
              u"Agence.doc, line 3: the AutoText entry \"LE\" appears twice");
    EXPECT_EQ(errorText(std::string("\xef\xbb\xbf{") + "\"x\": 1e999999}").substr(0, 19),
              u"Agence.doc, line 1:");
}

TEST(DocumentFileTest, WrittenFilesReadBackToTheSameDocument) {
    DocumentFile file;
    file.kind = DocumentFile::Kind::Template;
    auto parsed = parseMarkup(
        u"[s01>Nantes, le \\r<s01]{ IF { MERGEFIELD Groupe } = 1 \"a\\\\b\" \"\\{x\\}\" }\\f"
        u"[e01><e01]Suite\\vligne\\r");
    ASSERT_TRUE(std::holds_alternative<ParsedMarkup>(parsed));
    file.story = Story(std::get<ParsedMarkup>(parsed));
    file.attachedTemplate = u"C:\\Modèles\\Lettre.dot";
    file.hasPassword = true;
    file.mailMerge = {1, u"Clients.mdb", u"", u"SELECT * FROM `Clients`"};
    file.autoText = {{u"vr", u"Voyages et rêves\r"}};

    const DocumentFile back = parseDocumentFile(serializeDocumentFile(file), u"x.dot");
    EXPECT_EQ(back.kind, DocumentFile::Kind::Template);
    EXPECT_EQ(back.story.characters(), file.story.characters());
    ASSERT_EQ(back.story.bookmarks().size(), 2u);
    EXPECT_EQ(back.story.bookmark(u"s01")->end, file.story.bookmark(u"s01")->end);
    EXPECT_EQ(back.story.bookmark(u"e01")->start, file.story.bookmark(u"e01")->start);
    EXPECT_EQ(back.attachedTemplate, file.attachedTemplate);
    EXPECT_TRUE(back.hasPassword);
    EXPECT_EQ(back.mailMerge.mainDocumentType, 1);
    EXPECT_EQ(back.mailMerge.query, file.mailMerge.query);
    ASSERT_EQ(back.autoText.size(), 1u);
    EXPECT_EQ(back.autoText[0].value, u"Voyages et rêves\r");
}

TEST(DocumentFileTest, FaultyFileOpensNothingInWord) {
    auto world = SimWorld::create();
    auto app = world->startWord();
    const std::u16string path = world->userFolder() + u"/Documents/Agence.doc";
    world->files()->writeFile(path, "{\"k72645\": \"document\", \"story\": [\"[e01>a\"]}");
    auto documents = toObject(get(app, u"Documents"));
    EXPECT_COM_ERROR(call(documents, u"Open", {path}), 5792);
    EXPECT_EQ(vb::cLng(get(documents, u"Count")), 0);
}

}  // namespace
}  // namespace k72645::sim
