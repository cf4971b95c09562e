// Any bytes given to the database reader either read or raise error 5922 naming the file; what
// reads writes back to text that reads to the same database.
#include <cstddef>
#include <cstdint>
#include <string>

#include "automation/com_error.h"
#include "sim/data/database.h"

using k72645::ComError;
using k72645::sim::Database;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Database database;
    try {
        database = k72645::sim::parseDatabase(bytes, u"Fuzz.mdb");
    } catch (const ComError& error) {
        if (error.number() != 5922 || !error.description().starts_with(u"Fuzz.mdb, line ")) {
            __builtin_trap();
        }
        return 0;
    }
    const std::string written = k72645::sim::serializeDatabase(database);
    Database again;
    try {
        again = k72645::sim::parseDatabase(written, u"Fuzz.mdb");
    } catch (const ComError&) {
        __builtin_trap();
    }
    if (again.table != database.table || again.fields != database.fields ||
        again.records != database.records || k72645::sim::serializeDatabase(again) != written) {
        __builtin_trap();
    }
    return 0;
}
