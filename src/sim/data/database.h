// A simulated database (.mdb): one table of text fields, kept in a JSON text file (see
// docs/file-formats.md).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace k72645::sim {

struct Database {
    std::u16string table;                          // the one table's name
    std::vector<std::u16string> fields;            // field names, in order
    std::vector<std::vector<std::u16string>> records;  // one value per field

    // The position (from 0) of a field, by name without regard to case.
    std::optional<std::size_t> fieldIndex(std::u16string_view name) const;
};

// Reads a database file's bytes. A malformed or truncated file raises a ComError (number
// 5922, "Word was unable to open the data source.") whose description names the file and the
// line: "<fileName>, line N: <what is wrong>".
Database parseDatabase(const std::string& bytes, std::u16string_view fileName);
std::string serializeDatabase(const Database& database);

}  // namespace k72645::sim
