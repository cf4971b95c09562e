// The course's delivered files: every file loads in the simulated Word, and each holds the facts
// that the exercises' checks and the course's scenarios rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "sim/data/database.h"
#include "sim/data/query.h"
#include "sim/word/document_file.h"

namespace k72645::sim {
namespace {

namespace fs = std::filesystem;

std::string readCourseFile(const std::string& name) {
    std::ifstream in(fs::path(K72645_COURSE_DIR) / name, std::ios::binary);
    EXPECT_TRUE(in) << name << " is missing from the course";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

DocumentFile document(const std::string& name) {
    return parseDocumentFile(readCourseFile(name), fromUtf8(name));
}

Database database(const std::string& name) {
    return parseDatabase(readCourseFile(name), fromUtf8(name));
}

std::u16string bookmarkText(const Story& story, std::u16string_view name) {
    auto mark = story.bookmark(name);
    EXPECT_TRUE(mark.has_value()) << toUtf8(name);
    if (!mark)
        return u"";
    return story.characters().substr(mark->start, mark->end - mark->start);
}

std::u16string codeOf(const Story& story, const FieldSpan& field) {
    return lcase(trim(story.fieldCode(field)));
}

std::vector<std::u16string> column(const Database& db, std::size_t field) {
    std::vector<std::u16string> values;
    for (const auto& record : db.records)
        values.push_back(record[field]);
    return values;
}

const std::vector<std::u16string> kFields = {u"Civilite", u"Nom",     u"Prenom", u"Adresse1",
                                             u"Adresse2", u"CpVille", u"Groupe"};
const std::vector<std::u16string> kBaseNames = {u"KERVADEC", u"FOUCAL",  u"MARTEL", u"TOLRE",
                                                u"BOIN",     u"MORLAUX", u"LUCANI"};

TEST(CourseFiles, EveryDeliveredFileLoads) {
    int loaded = 0;
    for (const auto& entry : fs::directory_iterator(K72645_COURSE_DIR)) {
        if (!entry.is_regular_file())
            continue;
        const auto name = entry.path().filename().string();
        const auto extension = entry.path().extension().string();
        SCOPED_TRACE(name);
        if (extension == ".mdb") {
            EXPECT_NO_THROW(database(name));
        } else if (extension == ".doc" || extension == ".dot") {
            DocumentFile file = document(name);
            EXPECT_FALSE(file.hasPassword);
            EXPECT_EQ(file.kind == DocumentFile::Kind::Template, extension == ".dot");
        } else {
            continue;
        }
        ++loaded;
    }
    EXPECT_GE(loaded, 33);  // the files of exercises 501 to 518 at the least
}

TEST(CourseFiles, LetterTemplatesHoldTheirAutoTextEntries) {
    for (const char* name : {"07264501.dot", "07264502.dot", "07264503.dot", "07264504.dot"}) {
        SCOPED_TRACE(name);
        DocumentFile file = document(name);
        auto find = [&](std::u16string_view entry) {
            return std::find_if(file.autoText.begin(), file.autoText.end(),
                                [&](const AutoTextValue& v) { return lcase(v.name) == entry; });
        };
        ASSERT_NE(find(u"cdt"), file.autoText.end());
        EXPECT_EQ(find(u"cdt")->value, u"Cordialement");
        ASSERT_NE(find(u"le"), file.autoText.end());
        EXPECT_EQ(find(u"le")->value, u"Nantes, le ");
        // 503 teaches inserting "vr", which the learner made in 501.
        if (std::string(name) == "07264503.dot") {
            ASSERT_NE(find(u"vr"), file.autoText.end());
            EXPECT_EQ(find(u"vr")->value, u"Voyages et r\u00EAves");
        } else {
            EXPECT_EQ(find(u"vr"), file.autoText.end());
        }
    }
}

TEST(CourseFiles, DocumentsOfTheFirstExercisesHoldTheirBookmarks) {
    DocumentFile insertion = document("07264501.doc");
    EXPECT_TRUE(insertion.attachedTemplate.empty());
    EXPECT_FALSE(bookmarkText(insertion.story, u"e01").empty());

    EXPECT_TRUE(document("07264502.doc").story.bookmark(u"e01").has_value());
    EXPECT_TRUE(document("17264502.doc").story.bookmark(u"e02").has_value());
    EXPECT_TRUE(document("07264504.doc").story.bookmark(u"e01").has_value());

    // The learner inserts at the empty t01, at the start of s01 which holds the line break
    // that follows, on a line of its own.
    Story agence503 = document("07264503.doc").story;
    auto s01 = agence503.bookmark(u"s01");
    auto t01 = agence503.bookmark(u"t01");
    ASSERT_TRUE(s01 && t01);
    EXPECT_EQ(bookmarkText(agence503, u"s01"), u"\v");
    EXPECT_EQ(t01->start, t01->end);
    EXPECT_EQ(s01->start, t01->start);
    EXPECT_EQ(agence503.characters()[s01->start - 1], kParagraphMark);
    EXPECT_EQ(agence503.characters()[s01->end], kParagraphMark);
    EXPECT_TRUE(agence503.bookmark(u"e01").has_value());

    Story agence505 = document("07264505.doc").story;
    EXPECT_EQ(bookmarkText(agence505, u"s01"), u"Nantes, le \r");
    EXPECT_TRUE(agence505.bookmark(u"e01").has_value());

    Story badge = document("07264516.doc").story;
    EXPECT_TRUE(badge.bookmark(u"e01").has_value());
    EXPECT_TRUE(badge.allFields().empty());
}

TEST(CourseFiles, MergeLettersUseTheDatabaseFieldsAndOneDate) {
    for (int exercise : {506, 507, 508, 509, 510, 511, 512, 513, 514, 515}) {
        const std::string name = "07264" + std::to_string(exercise) + ".doc";
        SCOPED_TRACE(name);
        DocumentFile letter = document(name);
        EXPECT_EQ(letter.mailMerge.mainDocumentType, -1);
        EXPECT_TRUE(letter.mailMerge.dataSource.empty());
        EXPECT_TRUE(letter.story.bookmark(u"e01").has_value());
        int dates = 0;
        int mergeFields = 0;
        for (const auto& field : letter.story.allFields()) {
            std::u16string code = codeOf(letter.story, field);
            if (code.rfind(u"date", 0) == 0)
                ++dates;
            if (code.rfind(u"mergefield ", 0) == 0) {
                ++mergeFields;
                std::u16string fieldName = trim(code.substr(11));
                EXPECT_TRUE(std::any_of(kFields.begin(), kFields.end(), [&](const auto& f) {
                    return lcase(f) == fieldName;
                })) << toUtf8(fieldName);
            }
        }
        EXPECT_EQ(dates, 1);
        EXPECT_GT(mergeFields, 0);
    }
    EXPECT_EQ(bookmarkText(document("07264507.doc").story, u"s01"), u"codeville\r");

    Story agence514 = document("07264514.doc").story;
    EXPECT_EQ(bookmarkText(agence514, u"s01"), u"les  \u00e0");
    auto s01 = agence514.bookmark(u"s01");
    auto t01 = agence514.bookmark(u"t01");
    ASSERT_TRUE(s01 && t01);
    EXPECT_EQ(t01->start, t01->end);
    EXPECT_EQ(t01->start, s01->start + 4);  // between the two spaces
}

TEST(CourseFiles, LabelsSheetHoldsFourteenEmptyLabels) {
    Story labels = document("07264518.doc").story;
    EXPECT_EQ(labels.paragraphCount(), 84u);
    auto e01 = labels.bookmark(u"e01");
    ASSERT_TRUE(e01);
    EXPECT_EQ(e01->start, 0u);
    EXPECT_EQ(e01->end, 0u);
    auto fields = labels.allFields();
    EXPECT_EQ(fields.size(), 13u);
    for (std::size_t label = 2; label <= 14; ++label) {
        auto [start, end] = labels.paragraphRange((label - 1) * 6 + 1);
        auto inLabel = labels.fields(start, end);
        ASSERT_EQ(inLabel.size(), 1u) << label;
        EXPECT_EQ(inLabel[0].begin, start);
        EXPECT_EQ(codeOf(labels, inLabel[0]), u"next");
    }
}

TEST(CourseFiles, DatabasesHoldTheirRecordLists) {
    for (int exercise : {506, 507, 508, 509, 513, 514, 515}) {
        SCOPED_TRACE(exercise);
        Database clients = database("07264" + std::to_string(exercise) + ".mdb");
        EXPECT_EQ(clients.table, u"Clients");
        EXPECT_EQ(clients.fields, kFields);
        EXPECT_EQ(column(clients, 1), kBaseNames);
        const auto titles = column(clients, 0);
        EXPECT_EQ(std::count(titles.begin(), titles.end(), u"Madame"), 3);
    }
    Database adding = database("07264510.mdb");
    EXPECT_EQ(column(adding, 1),
              (std::vector<std::u16string>{u"KERVADEC", u"FOUCAL", u"MARTEL", u"TOLRE", u"BOIN",
                                           u"MORLAUX", u"FABREGUE"}));
    Database correcting = database("07264511.mdb");
    EXPECT_EQ(column(correcting, 1),
              (std::vector<std::u16string>{u"KERVADEC", u"FOUCAL", u"MARTEL", u"TOLRE", u"BOIN",
                                           u"FABREGUE", u"MORLEAU", u"LUCANI"}));
    Database leavingOut = database("07264512.mdb");
    ASSERT_EQ(leavingOut.records.size(), 8u);
    EXPECT_EQ(leavingOut.records.back()[0], u"Mademoiselle");
    EXPECT_EQ(leavingOut.records.back()[1], u"FABREGUE");

    Database labels = database("07264518.mdb");
    EXPECT_EQ(labels.table, u"Adresses");
    EXPECT_EQ(labels.fields,
              (std::vector<std::u16string>{u"titre", u"prénom", u"nom", u"adresse_ligne_1",
                                           u"adresse_ligne_2", u"cpvil"}));
    EXPECT_EQ(labels.records.size(), 3u);
}

TEST(CourseFiles, SortByFirstNameGivesTheOrderTheSortExerciseExpects) {
    Database clients = database("07264513.mdb");
    auto query = parseQuery(u"SELECT * FROM Clients ORDER BY Prenom");
    ASSERT_TRUE(query.has_value());
    auto order = runQuery(*query, clients);
    ASSERT_TRUE(order.has_value());
    std::vector<std::u16string> names;
    for (std::size_t position : *order)
        names.push_back(clients.records[position][1]);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"KERVADEC", u"FOUCAL", u"LUCANI", u"MARTEL",
                                                  u"TOLRE", u"BOIN", u"MORLAUX"}));
}

}  // namespace
}  // namespace k72645::sim
