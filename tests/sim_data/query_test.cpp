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
                                     u"SELECT * FROM Clients ORDER Nom",
                                     u"SELECT * FROM Clients ORDER BY",
                                     u"SELECT * FROM Clients ORDER BY Nom ASC DESC",
                                     u"SELECT * FROM [Clients",
                                     u"SELECT * FROM []",
                                     u"SELECT * FROM ``",
                                     u"SELECT * FROM where",
                                     u"SELECT * FROM Clients WHERE ((Civilite = 'a')",
                                     u"SELECT * FROM Clients WHERE Civilite = 'a')",
                                     u"SELECT * FROM Clients WHERE NOT",
                                     u"SELECT * FROM Clients WHERE Nom LIKE 3",
                                     u"SELECT * FROM Clients WHERE Nom IS 'a'",
                                     u"SELECT * FROM Clients WHERE Nom NOT = 'a'",
                                     u"SELECT * FROM Clients WHERE Nom => 'a'",
                                     u"SELECT * FROM Clients WHERE 2 = Groupe",
                                     u"SELECT * FROM Clients ORDER BY Nom,",
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

// Word writes its Filter and Sort dialog's choices with backquoted names, every test in
// parentheses, OR between lines, and ASC or DESC after each sort field.
TEST(Query, TakesWordsOwnForm) {
    EXPECT_EQ(
        surnames(u"SELECT * FROM `Clients` WHERE ((`Civilite` = 'madame')) ORDER BY `Nom` ASC"),
        (Names{u"FOUCAL", u"LUCANI", u"MARTEL"}));
    EXPECT_EQ(surnames(u"SELECT * FROM `Clients` WHERE ((`Groupe` = 2) AND (`CpVille` LIKE '49%')) "
                       u"OR (`Nom` = 'BOIN')"),
              (Names{u"FOUCAL", u"BOIN"}));
    EXPECT_EQ(surnames(u"SELECT * FROM `Clients` WHERE (`Civilite` <> 'Monsieur') ORDER BY "
                       u"`CpVille` DESC, `Nom`"),
              (Names{u"FOUCAL", u"LUCANI", u"MARTEL"}));
    // Numbers compare as numbers, texts as texts; NOT, IS NULL and the one-character wildcard.
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Groupe >= 2 AND NOT Prenom LIKE '_ric'"),
              (Names{u"FOUCAL", u"MORLAUX"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Adresse2 IS NOT NULL"), (Names{u"MARTEL"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Adresse2 IS NULL AND Nom < 'C'"),
              (Names{u"BOIN"}));
    // Nesting deeper than a dialog ever writes is refused, not followed down the stack.
    EXPECT_FALSE(parseQuery(u"SELECT * FROM t WHERE " + std::u16string(100000, u'(') + u"a = 1"));
}

}  // namespace
}  // namespace k72645::sim
