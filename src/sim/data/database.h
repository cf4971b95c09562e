// A simulated database (.mdb): one table of text fields, kept in a JSON text file (see
// docs/file-formats.md).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k72645::sim {

struct Database {
    std::u16string table;                              // the one table's name
    std::vector<std::u16string> fields;                // field names, in order
    std::vector<std::vector<std::u16string>> records;  // one value per field
    // Goes up by one at every change of the fields or records, so that the data sources
    // sharing this database notice the change: DataSource does it itself; code that changes
    // the database directly must call touch().
    std::uint64_t revision = 0;

    // The position (from 0) of a field, by name without regard to case.
    std::optional<std::size_t> fieldIndex(std::u16string_view name) const;
    void touch() { ++revision; }
};

// Reads a database file's bytes. A malformed or truncated file raises a ComError (number
// 5922, "Word was unable to open the data source.") whose description names the file and the
// line: "<fileName>, line N: <what is wrong>".
Database parseDatabase(const std::string& bytes, std::u16string_view fileName);
// Readable UTF-8 JSON, one record per line, that parseDatabase reads back.
std::string serializeDatabase(const Database& database);

}  // namespace k72645::sim
