#include <gtest/gtest.h>

#include "sim/data/data_source.h"
#include "sim_data/course_list.h"
#include "support/com_error_expect.h"

namespace k72645::sim {
namespace {

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

using Names = std::vector<std::u16string>;

TEST(DataSource, ARejectedQueryLeavesTheSourceAsItWas) {
    DataSource source(u"Clients.mdb", testing::sharedBaseList());
    source.setQueryString(u"SELECT * FROM Clients ORDER BY Prenom DESC");
    source.setActiveRecord(3);
    source.setIncluded(false);
    for (std::u16string_view text : {u"SELECT * FROM Clients WHERE Ville = 'Brest'", u"nonsense"})
        EXPECT_COM_ERROR(source.setQueryString(text), 5922);
    EXPECT_EQ(source.queryString(), u"SELECT * FROM Clients ORDER BY Prenom DESC");
    EXPECT_EQ(source.recordCount(), 6);
    EXPECT_EQ(source.value(2), u"TOLRE");

    // Exercise 515: a query on Civilite.
    source.setQueryString(u"SELECT * FROM `Clients` WHERE `Civilite` = 'madame'");
    EXPECT_EQ(walk(source), (Names{u"FOUCAL", u"MARTEL", u"LUCANI"}));
}

}  // namespace
}  // namespace k72645::sim
