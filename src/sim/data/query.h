// The query of a merge data source: SELECT * FROM <table> [WHERE <field> = '<text>' [AND ...]]
// [ORDER BY <field> [ASC|DESC]]. Keywords ignore case; field and table names may be written
// bare, in brackets or in backquotes; a quote inside a text is doubled ('').
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/data/database.h"

namespace k72645::sim {

struct Condition {
    std::u16string field;
    std::u16string value;
};

struct Query {
    std::vector<Condition> where;  // all must hold; values compare without regard to case
    std::optional<std::u16string> orderBy;
    bool descending = false;
};

// nullopt when the text is not a query of that form. The empty text is every record.
std::optional<Query> parseQuery(std::u16string_view text);

// The positions (from 0) of the database's records that the query selects, in its order
// (file order when there is no ORDER BY; a stable sort otherwise, values compared without
// regard to case). nullopt when the query names a field the database lacks.
std::optional<std::vector<std::size_t>> runQuery(const Query& query, const Database& database);

}  // namespace k72645::sim
