#include <gtest/gtest.h>

#include "automation/com_error.h"
#include "automation/text.h"
#include "sim/data/database.h"
#include "sim_data/course_list.h"

namespace k72645::sim {
namespace {

// The description of the error that reading the text raises ("" when it reads).
std::string loadError(const std::string& text) {
    try {
        parseDatabase(text, u"Clients.mdb");
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), 5922);
        return toUtf8(error.description());
    }
    return "";
}

std::string withLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\n";
    return text;
}

TEST(DatabaseFile, NamesTheLineOfASyntaxErrorAndOfACutShortFile) {
    const std::string good = serializeDatabase(testing::baseList());
    EXPECT_EQ(loadError(good), "");
    // Lines 1 to 5 are the header; the third record, on line 8, loses its quotes.
    std::string broken = good;
    broken.replace(broken.find("\"MARTEL\""), 8, "MARTEL");
    EXPECT_EQ(loadError(broken), "Clients.mdb, line 8: the file is not valid JSON");

    EXPECT_EQ(loadError(good.substr(0, good.find("TOLRE"))),
              "Clients.mdb, line 9: the file is cut short");
    EXPECT_EQ(loadError(""), "Clients.mdb, line 1: the file is cut short");
    EXPECT_EQ(loadError("{\"k72645\": \"database\"} x"),
              "Clients.mdb, line 1: the file is not valid JSON");
    EXPECT_EQ(loadError("{\n\"a\": 1e999}"),
              "Clients.mdb, line 1: the file holds a number out of range");
    EXPECT_EQ(loadError("{\"a\": \"\xC3\x28\"}"),
              "Clients.mdb, line 1: the file is not valid JSON");
}

TEST(DatabaseFile, NamesTheLineOfAShapeError) {
    EXPECT_EQ(loadError("\n[1, 2]"), "Clients.mdb, line 2: the file does not hold a JSON object");
    EXPECT_EQ(loadError(withLines({"{", "\"k72645\": \"document\",", "\"table\": \"C\"}"})),
              "Clients.mdb, line 2: \"k72645\" must be \"database\"");
    EXPECT_EQ(loadError(withLines({"{", "\"table\": \"C\"}"})),
              "Clients.mdb, line 1: \"k72645\" must be \"database\"");

    const char* header = "{\"k72645\": \"database\", \"table\": \"C\", \"fields\": [\"A\", \"B\"],";
    EXPECT_EQ(loadError(withLines({header, "\"records\": {}}"})),
              "Clients.mdb, line 2: \"records\" must be an array of records");
    EXPECT_EQ(loadError(withLines({header, "\"records\": [", "[\"a\", \"b\"],", "\"ab\"]}"})),
              "Clients.mdb, line 4: record 2 must be an array of texts");
    EXPECT_EQ(loadError(withLines({header, "\"records\": [", "[\"a\", \"b\"],", "[\"a\"]]}"})),
              "Clients.mdb, line 4: record 2 has 1 values for 2 fields");
    EXPECT_EQ(loadError(withLines({header, "\"records\": [[\"a\",", "null]]}"})),
              "Clients.mdb, line 3: record 1, value 2 must be a text");
}

TEST(DatabaseFile, WritesOneRecordPerLineAndReadsItBack) {
    Database database = testing::baseList();
    database.records[0][3] = u"quote \" backslash \\ tab \t cr \r emoji \U0001F600";
    const std::string text = serializeDatabase(database);
    // Header lines, then one line per record.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5 + 7 + 2);
    EXPECT_NE(text.find("\"Bâtiment B\""), std::string::npos);  // readable, not escaped
    const Database back = parseDatabase(text, u"Clients.mdb");
    EXPECT_EQ(back.table, database.table);
    EXPECT_EQ(back.fields, database.fields);
    EXPECT_EQ(back.records, database.records);

    database.records.clear();
    EXPECT_EQ(parseDatabase(serializeDatabase(database), u"x.mdb").records.size(), 0u);
}

}  // namespace
}  // namespace k72645::sim
