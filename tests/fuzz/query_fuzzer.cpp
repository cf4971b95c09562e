// Any text given as a query either parses or is refused; a parsed query runs on a small
// database, and the data source then holds its invariants through a walk driven by the input.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "automation/com_error.h"
#include "automation/text.h"
#include "sim/data/data_source.h"
#include "sim/data/query.h"

using namespace k72645;
using namespace k72645::sim;

namespace {

std::shared_ptr<Database> smallDatabase() {
    auto database = std::make_shared<Database>();
    database->table = u"Clients";
    database->fields = {u"Civilite", u"Nom", u"Groupe"};
    database->records = {{u"Madame", u"FOUCAL", u"2"},
                         {u"Monsieur", u"BOIN", u"1"},
                         {u"madame", u"MARTEL", u"1"},
                         {u"Mademoiselle", u"a'b", u""},
                         {u"Monsieur", u"KERVADEC", u"1"}};
    return database;
}

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void checkInvariants(const DataSource& source) {
    const std::int32_t count = source.recordCount();
    check(count >= 0 && count <= static_cast<std::int32_t>(source.database().records.size()));
    check(source.activeRecord() >= 0 && source.activeRecord() <= count);
    check(source.mergeRecords().size() <= static_cast<std::size_t>(count));
    check(!source.included() || source.activeRecord() >= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text =
        fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto query = parseQuery(text);
    auto database = smallDatabase();
    DataSource source(u"Clients.mdb", database);
    DataSource other(u"clients.mdb", database);
    std::optional<std::vector<std::size_t>> selected;
    if (query) {
        selected = runQuery(*query, *database);
        if (selected) {
            check(selected->size() <= database->records.size());
        }
    }
    try {
        source.setQueryString(text);
        check(selected.has_value());
        check(source.recordCount() == static_cast<std::int32_t>(selected->size()));
    } catch (const ComError& error) {
        check(error.number() == 5922 && !selected);
        check(source.queryString() == u"SELECT * FROM `Clients`");
    }
    // Every input byte is also a step of a walk over the records.
    for (std::size_t i = 0; i < size; ++i) {
        try {
            switch (data[i] % 9) {
                case 0:
                    source.setActiveRecord(kFirstRecord);
                    break;
                case 1:
                    source.setActiveRecord(kLastRecord);
                    break;
                case 2:
                    source.setActiveRecord(kNextRecord);
                    break;
                case 3:
                    source.setActiveRecord(kPreviousRecord);
                    break;
                case 4:
                    source.setIncluded(!source.included());
                    break;
                case 5:
                    source.setActiveRecord(data[i] / 9 % 8);
                    break;
                case 6:
                    other.addRecord({u"Madame", u"AJOUT"});
                    break;
                case 7:
                    source.setValue(data[i] / 9 % 4, u"madame");
                    break;
                default:
                    source.setFirstRecord(data[i] / 9 % 4);
                    source.setLastRecord(data[i] / 36 % 8);
                    break;
            }
        } catch (const ComError& error) {
            check(error.number() == 5852 || error.number() == 5853 || error.number() == 5941);
        }
        checkInvariants(source);
        checkInvariants(other);
        if (database->records.size() > 64)
            break;
    }
    return 0;
}
