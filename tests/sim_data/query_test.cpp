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
const Names kFileOrder = {u"KERVADEC", u"FOUCAL",  u"MARTEL", u"TOLRE",
                          u"BOIN",     u"MORLAUX", u"LUCANI"};

TEST(Query, EveryRecordInFileOrderForTheEmptyTextAndAnyTableName) {
    EXPECT_EQ(surnames(u""), kFileOrder);
    EXPECT_EQ(surnames(u"  "), kFileOrder);
    EXPECT_EQ(surnames(u"SELECT * FROM `Clients`"), kFileOrder);
    EXPECT_EQ(surnames(u"select*from [Some Other Table]"), kFileOrder);
    EXPECT_EQ(surnames(u"Select * From C:\\cours\\Clients.mdb"), kFileOrder);
}

TEST(Query, WhereComparesWithoutRegardToCaseAndJoinsWithAnd) {
    const Names madames = {u"FOUCAL", u"MARTEL", u"LUCANI"};
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Civilite = 'Madame'"), madames);
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE [CIVILITE]='madame'"), madames);
    EXPECT_EQ(surnames(u"select * from clients where `civilite` = 'MADAME' and Groupe = '1'"),
              (Names{u"MARTEL", u"LUCANI"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Prenom = 'CLÉMENCE'"), (Names{u"LUCANI"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Nom = 'L''UCANI'"), Names{});
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Civilite = 'Mademoiselle'"), Names{});
}

TEST(Query, QuotesInsideATextAreDoubled) {
    const auto query = parseQuery(u"SELECT * FROM t WHERE a = 'l''été' AND b = '' AND c = ''''");
    ASSERT_TRUE(query);
    ASSERT_EQ(query->where.size(), 3u);
    EXPECT_EQ(query->where[0].field, u"a");
    EXPECT_EQ(query->where[0].value, u"l'été");
    EXPECT_EQ(query->where[1].value, u"");
    EXPECT_EQ(query->where[2].value, u"'");
}

TEST(Query, OrderBySortsStablyWithoutRegardToCase) {
    // The course's base list by first name is the order exercise 513 expects.
    EXPECT_EQ(surnames(u"SELECT * FROM `Clients` ORDER BY `Prenom`"),
              (Names{u"KERVADEC", u"FOUCAL", u"LUCANI", u"MARTEL", u"TOLRE", u"BOIN", u"MORLAUX"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients ORDER BY Prenom ASC"),
              surnames(u"SELECT * FROM Clients ORDER BY prenom"));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients ORDER BY Prenom desc"),
              (Names{u"MORLAUX", u"BOIN", u"TOLRE", u"MARTEL", u"LUCANI", u"FOUCAL", u"KERVADEC"}));
    // Equal keys keep file order, in both directions.
    EXPECT_EQ(surnames(u"SELECT * FROM Clients ORDER BY Groupe"),
              (Names{u"KERVADEC", u"MARTEL", u"BOIN", u"LUCANI", u"FOUCAL", u"TOLRE", u"MORLAUX"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients ORDER BY Groupe DESC"),
              (Names{u"FOUCAL", u"TOLRE", u"MORLAUX", u"KERVADEC", u"MARTEL", u"BOIN", u"LUCANI"}));
    EXPECT_EQ(surnames(u"SELECT * FROM Clients WHERE Civilite='madame' ORDER BY Nom"),
              (Names{u"FOUCAL", u"LUCANI", u"MARTEL"}));

    Database mixed;
    mixed.table = u"t";
    mixed.fields = {u"n"};
    mixed.records = {{u"b"}, {u"A"}, {u"a"}, {u"B"}};
    const auto order = runQuery(*parseQuery(u"SELECT * FROM t ORDER BY n"), mixed);
    EXPECT_EQ(*order, (std::vector<std::size_t>{1, 2, 0, 3}));
}

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
