#include <gtest/gtest.h>

#include "automation/text.h"
#include "sim/data/query.h"
#include "sim_data/course_list.h"

namespace k72645::sim {
namespace {

// The surnames (field 2) of the records a query text selects, or {"<invalid>"}.
std::vector<std::u16string> surnames(std::u16string_view text) {
    const Database database = testing::baseList();
    const auto query = parseQuery(text);
    if (!query)
        return {u"<not a query>"};
    const auto selected = runQuery(*query, database);
    if (!selected)
        return {u"<invalid>"};
    std::vector<std::u16string> names;
    for (std::size_t record : *selected)
        names.push_back(database.records[record][1]);
    return names;
}

using Names = std::vector<std::u16string>;
TEST(Query, RefusesAnythingElse) {
    for (std::u16string_view text : {u"SELECT",
                                     u"SELECT *",
                                     u"SELECT * FROM",
                                     u"SELECT Nom FROM Clients",
                                     u"DELETE * FROM Clients",
                                     u"SELECT * FROM Clients;",
                                     u"SELECT * FROM Clients WHERE",
                                     u"SELECT * FROM Clients WHERE Civilite = Madame",
                                     u"SELECT * FROM Clients WHERE Civilite",
                                     u"SELECT * FROM Clients WHERE Civilite = 'Madame",
                                     u"SELECT * FROM Clients WHERE "
                                     u"Civilite = 'a' AND",
                                     u"SELECT * FROM Clients WHERE Civilite = 'a' OR Nom = 'b'",
                                     u"SELECT * FROM Clients WHERE Civilite <> 'a'",
                                     u"SELECT * FROM Clients ORDER Nom",
                                     u"SELECT * FROM Clients ORDER BY",
                                     u"SELECT * FROM Clients ORDER BY Nom, Prenom",
                                     u"SELECT * FROM Clients ORDER BY Nom ASC DESC",
                                     u"SELECT * FROM [Clients",
                                     u"SELECT * FROM []",
                                     u"SELECT * FROM ``",
                                     u"SELECT * FROM where",
                                     u"SELECT * FROM Clients WHERE ((Civilite = 'a'))",
                                     u"garbage",
                                     u"'SELECT * FROM t'"}) {
        EXPECT_FALSE(parseQuery(text)) << toUtf8(text);
    }
    // A field the database lacks makes a query of the right form invalid.
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Ville = 'Brest'"), (Names{u"<invalid>"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients ORDER BY Ville"), (Names{u"<invalid>"}));
    // Keywords are names in brackets.
    EXPECT_TRUE(parseQuery(u"SELECT * FROM [where] ORDER BY [order]"));
}

}  // namespace
}  // namespace k72645::sim
