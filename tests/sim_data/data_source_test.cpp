#include <gtest/gtest.h>

#include "automation/com_error.h"
#include "sim/data/data_source.h"
#include "sim_data/course_list.h"

namespace k72645::sim {
namespace {

std::int32_t errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const ComError& error) {
        return error.number();
    }
    return 0;
}

// The surnames of the records a walk from the first record to the end visits.
std::vector<std::u16string> walk(DataSource& source) {
    std::vector<std::u16string> names;
    source.setActiveRecord(kFirstRecord);
    for (std::int32_t i = 0; i < source.recordCount(); ++i) {
        names.push_back(source.value(2));
        source.setActiveRecord(kNextRecord);
    }
    return names;
}

std::vector<std::u16string> mergedSurnames(const DataSource& source) {
    std::vector<std::u16string> names;
    for (const auto& record : source.mergeRecords())
        names.push_back(record[1]);
    return names;
}

using Names = std::vector<std::u16string>;

TEST(DataSource, StartsOnTheFirstOfAllRecords) {
    DataSource source(u"C:\\cours\\Clients.mdb", testing::sharedBaseList());
    EXPECT_EQ(source.name(), u"C:\\cours\\Clients.mdb");
    EXPECT_EQ(source.queryString(), u"SELECT * FROM `Clients`");
    EXPECT_EQ(source.recordCount(), 7);
    EXPECT_EQ(source.activeRecord(), 1);
    EXPECT_EQ(source.firstRecord(), 1);
    EXPECT_EQ(source.lastRecord(), 7);
    EXPECT_TRUE(source.included());
    EXPECT_EQ(source.value(2), u"KERVADEC");
}

TEST(DataSource, MovesStopAtBothEnds) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.setActiveRecord(kPreviousRecord);
    EXPECT_EQ(source.activeRecord(), 1);
    source.setActiveRecord(kLastRecord);
    EXPECT_EQ(source.activeRecord(), 7);
    EXPECT_EQ(source.value(2), u"LUCANI");
    source.setActiveRecord(kNextRecord);
    EXPECT_EQ(source.activeRecord(), 7);
    source.setActiveRecord(kPreviousRecord);
    EXPECT_EQ(source.value(2), u"MORLAUX");
    source.setActiveRecord(3);
    EXPECT_EQ(source.value(2), u"MARTEL");
    source.setActiveRecord(kFirstRecord);
    EXPECT_EQ(source.activeRecord(), 1);
    EXPECT_EQ(errorNumber([&] { source.setActiveRecord(8); }), 5853);
    EXPECT_EQ(errorNumber([&] { source.setActiveRecord(0); }), 5853);
    EXPECT_EQ(errorNumber([&] { source.setActiveRecord(-10); }), 5853);
    EXPECT_EQ(source.activeRecord(), 1);
}

TEST(DataSource, ValuesByPositionAndByName) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.setActiveRecord(3);
    EXPECT_EQ(source.value(5), u"Bâtiment B");
    EXPECT_EQ(source.valueByName(u"cpville"), u"44000 Nantes");
    EXPECT_EQ(errorNumber([&] { source.value(0); }), 5941);
    EXPECT_EQ(errorNumber([&] { source.value(8); }), 5941);
    EXPECT_EQ(errorNumber([&] { source.valueByName(u"Ville"); }), 5941);
    EXPECT_EQ(errorNumber([&] { source.setValue(8, u"x"); }), 5941);

    // A query that selects nothing leaves no record active.
    source.setQueryString(u"SELECT * FROM Clients WHERE Nom = 'DUPONT'");
    EXPECT_EQ(source.recordCount(), 0);
    EXPECT_EQ(source.activeRecord(), 0);
    EXPECT_EQ(source.value(2), u"");
    EXPECT_FALSE(source.included());
    source.setActiveRecord(kNextRecord);
    source.setActiveRecord(kLastRecord);
    EXPECT_EQ(errorNumber([&] { source.setValue(2, u"x"); }), 5852);
    EXPECT_EQ(errorNumber([&] { source.setIncluded(false); }), 5852);
    EXPECT_TRUE(source.mergeRecords().empty());
}

TEST(DataSource, ExcludedRecordsAreNotCountedMovedToOrMerged) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.setActiveRecord(2);
    source.setIncluded(false);
    EXPECT_FALSE(source.included());
    EXPECT_EQ(source.value(2), u"FOUCAL");  // still active until the next move
    EXPECT_EQ(source.activeRecord(), 1);
    EXPECT_EQ(source.recordCount(), 6);
    source.setActiveRecord(kLastRecord);
    source.setIncluded(false);
    source.setIncluded(false);  // twice changes nothing
    source.setActiveRecord(kFirstRecord);
    source.setIncluded(false);
    EXPECT_EQ(source.recordCount(), 4);

    source.setActiveRecord(kFirstRecord);
    EXPECT_EQ(source.value(2), u"MARTEL");
    EXPECT_EQ(source.activeRecord(), 1);
    source.setActiveRecord(kLastRecord);
    EXPECT_EQ(source.value(2), u"MORLAUX");
    EXPECT_EQ(source.activeRecord(), 4);
    source.setActiveRecord(2);
    EXPECT_EQ(source.value(2), u"TOLRE");
    EXPECT_EQ(walk(source), (Names{u"MARTEL", u"TOLRE", u"BOIN", u"MORLAUX"}));
    EXPECT_EQ(source.value(2), u"MORLAUX");  // the walk stops at the last included record
    EXPECT_EQ(mergedSurnames(source), (Names{u"MARTEL", u"TOLRE", u"BOIN", u"MORLAUX"}));

    source.setActiveRecord(kPreviousRecord);
    source.setActiveRecord(kPreviousRecord);
    source.setActiveRecord(kPreviousRecord);
    source.setActiveRecord(kPreviousRecord);
    EXPECT_EQ(source.value(2), u"MARTEL");
    EXPECT_EQ(source.activeRecord(), 1);

    // Taking a record back in counts it again; a new query includes every record.
    source.setActiveRecord(kFirstRecord);
    source.setActiveRecord(kNextRecord);
    source.setIncluded(false);
    source.setIncluded(true);
    EXPECT_EQ(source.recordCount(), 4);
    source.setQueryString(u"SELECT * FROM Clients");
    EXPECT_EQ(source.recordCount(), 7);
    EXPECT_EQ(source.value(2), u"KERVADEC");
}

TEST(DataSource, FirstAndLastRecordBoundTheMerge) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.setFirstRecord(2);
    source.setLastRecord(4);
    EXPECT_EQ(mergedSurnames(source), (Names{u"FOUCAL", u"MARTEL", u"TOLRE"}));
    source.setActiveRecord(3);
    source.setIncluded(false);  // positions count included records only
    EXPECT_EQ(mergedSurnames(source), (Names{u"FOUCAL", u"TOLRE", u"BOIN"}));
    source.setLastRecord(100);
    source.setFirstRecord(-3);
    EXPECT_EQ(mergedSurnames(source).size(), 6u);
    source.setFirstRecord(5);
    source.setLastRecord(4);
    EXPECT_TRUE(source.mergeRecords().empty());
}

TEST(DataSource, LastRecordFollowsTheCountUntilSet) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.addRecord({u"Madame", u"NOUVEAU"});
    EXPECT_EQ(source.lastRecord(), 8);
    EXPECT_EQ(mergedSurnames(source).back(), u"NOUVEAU");
    source.setQueryString(u"SELECT * FROM Clients WHERE Civilite = 'Madame'");
    EXPECT_EQ(source.lastRecord(), 4);
    source.setLastRecord(2);
    source.setQueryString(u"");
    EXPECT_EQ(source.lastRecord(), 2);
}

TEST(DataSource, AddingAndCorrectingRecordsWritesAtOnce) {
    auto database = testing::sharedBaseList();
    DataSource source(u"Clients.mdb", database);
    std::vector<std::size_t> writes;
    source.onWrite([&](const Database& written) { writes.push_back(written.records.size()); });

    // Exercise 510: the learner adds a record; the check reads the count and the last record.
    source.addRecord({u"Madame", u"DURAND", u"Anne", u"1 rue Haute", u"", u"44000 Nantes"});
    EXPECT_EQ(writes, (std::vector<std::size_t>{8}));
    EXPECT_EQ(source.recordCount(), 8);
    EXPECT_EQ(source.activeRecord(), 8);
    source.setActiveRecord(kFirstRecord);
    source.setActiveRecord(kLastRecord);
    EXPECT_EQ(source.value(2), u"DURAND");
    EXPECT_EQ(source.value(7), u"");  // missing values are empty
    EXPECT_EQ(database->records.back().size(), 7u);
    EXPECT_EQ(errorNumber([&] { source.addRecord(std::vector<std::u16string>(8, u"x")); }), 5853);
    EXPECT_EQ(database->records.size(), 8u);

    // Exercise 511: field 2 of the next-to-last record is corrected.
    source.setActiveRecord(kPreviousRecord);
    source.setValue(2, u"Morlaux");
    EXPECT_EQ(writes.size(), 2u);
    EXPECT_EQ(database->records[6][1], u"Morlaux");
    EXPECT_EQ(source.value(2), u"Morlaux");
    EXPECT_EQ(source.activeRecord(), 7);

    // A record added that the query does not select is written but not shown.
    source.setQueryString(u"SELECT * FROM Clients WHERE Civilite = 'Madame'");
    source.setActiveRecord(2);
    source.addRecord({u"Monsieur", u"AUTRE"});
    EXPECT_EQ(database->records.size(), 9u);
    EXPECT_EQ(source.recordCount(), 4);
    EXPECT_EQ(source.value(2), u"MARTEL");
}

TEST(DataSource, ARejectedQueryLeavesTheSourceAsItWas) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.setQueryString(u"SELECT * FROM Clients ORDER BY Prenom DESC");
    source.setActiveRecord(3);
    source.setIncluded(false);
    for (std::u16string_view text : {u"SELECT * FROM Clients WHERE Ville = 'Brest'", u"nonsense"}) {
        try {
            source.setQueryString(text);
            ADD_FAILURE() << "accepted";
        } catch (const ComError& error) {
            EXPECT_EQ(error.number(), 5922);
            EXPECT_EQ(error.description(), u"Word was unable to open the data source.");
        }
    }
    EXPECT_EQ(source.queryString(), u"SELECT * FROM Clients ORDER BY Prenom DESC");
    EXPECT_EQ(source.recordCount(), 6);
    EXPECT_EQ(source.value(2), u"TOLRE");

    // Exercise 515: a query on Civilite.
    source.setQueryString(u"SELECT * FROM `Clients` WHERE `Civilite` = 'madame'");
    EXPECT_EQ(walk(source), (Names{u"FOUCAL", u"MARTEL", u"LUCANI"}));
}

TEST(DataSource, SourcesSharingADatabaseSeeEachOthersChanges) {
    auto database = testing::sharedBaseList();
    DataSource letter(u"Clients.mdb", database);
    DataSource labels(u"clients.MDB", database);
    labels.setQueryString(u"SELECT * FROM Clients ORDER BY Nom");
    labels.setActiveRecord(3);  // KERVADEC
    letter.setActiveRecord(2);
    letter.setIncluded(false);

    letter.addRecord({u"Madame", u"ABEL"});
    EXPECT_EQ(labels.recordCount(), 8);
    EXPECT_EQ(labels.value(2), u"KERVADEC");  // still the same record, now fourth
    EXPECT_EQ(labels.activeRecord(), 4);
    labels.setActiveRecord(kFirstRecord);
    EXPECT_EQ(labels.value(2), u"ABEL");

    labels.setValue(2, u"ZOLA");
    EXPECT_EQ(letter.recordCount(), 7);  // its exclusion is kept
    letter.setActiveRecord(kLastRecord);
    EXPECT_EQ(letter.value(2), u"ZOLA");
    EXPECT_EQ(letter.activeRecord(), 7);
    EXPECT_EQ(labels.value(2), u"ZOLA");
    EXPECT_EQ(labels.activeRecord(), 8);  // re-sorted, the record stays active

    // A change made directly on the database, announced with touch().
    database->records[0][1] = u"AAA";
    database->touch();
    EXPECT_EQ(labels.activeRecord(), 8);
    labels.setActiveRecord(kFirstRecord);
    EXPECT_EQ(labels.value(2), u"AAA");

    // Content replaced by a shorter list: old exclusions do not carry over to other records.
    const auto revision = database->revision;
    *database = testing::baseList();
    database->records.resize(2);
    database->revision = revision + 1;
    EXPECT_EQ(letter.recordCount(), 2);
    EXPECT_EQ(letter.activeRecord(), 1);
}

TEST(DataSource, WalksTenThousandRecordsInLinearTime) {
    auto database = std::make_shared<Database>();
    database->table = u"Big";
    database->fields = {u"Nom"};
    for (int i = 0; i < 40000; ++i)
        database->records.push_back({std::u16string(1, u'a')});
    DataSource source(u"Big.mdb", database);
    for (int i = 0; i < 40000; ++i) {
        if (i % 3 == 0)
            source.setIncluded(false);
        source.setActiveRecord(kNextRecord);
    }
    EXPECT_EQ(source.recordCount(), 26666);  // beyond 16 bits
    source.setActiveRecord(kFirstRecord);
    std::int32_t visited = 1;
    std::int32_t last = 0;
    while (source.activeRecord() != last) {
        last = source.activeRecord();
        source.setActiveRecord(kNextRecord);
        ++visited;
        (void)source.value(1);
    }
    EXPECT_EQ(last, 26666);
    EXPECT_EQ(visited, 26667);
}

}  // namespace
}  // namespace k72645::sim
