// The query of a merge data source, in the form Word writes from its Filter and Sort dialog and
// accepts from QueryString:
//   SELECT * FROM <table> [WHERE <condition>] [ORDER BY <field> [ASC|DESC] {, <field> [ASC|DESC]}]
// A condition joins tests with AND and OR (AND binds closer), NOT and parentheses; a test is
// <field> = <> < > <= >= <value>, <field> [NOT] LIKE '<pattern>' or <field> IS [NOT] NULL. A
// value is a text in quotes ('' for a quote inside) or a number. Keywords ignore case; field and
// table names may be written bare, in brackets or in backquotes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/data/database.h"

namespace k72645::sim {

enum class Comparison { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, Like, IsNull };

struct Condition {
    enum class Kind { Test, All, Any, Not };
    Kind kind = Kind::Test;
    // A test: the field, how it compares and the value (a LIKE pattern; nothing for IS NULL).
    std::u16string field;
    Comparison comparison = Comparison::Equal;
    std::u16string value;
    // All (AND), Any (OR): two or more; Not: one.
    std::vector<Condition> operands;
};

struct SortKey {
    std::u16string field;
    bool descending = false;
};

struct Query {
    std::optional<Condition> where;
    std::vector<SortKey> orderBy;
};

// nullopt when the text is not a query of that form. The empty text is every record.
std::optional<Query> parseQuery(std::u16string_view text);

// The positions (from 0) of the database's records that the query selects, in its order (file
// order when there is no ORDER BY; a stable sort otherwise). Texts compare without regard to
// case, and as numbers when both sides read as numbers; an empty value is NULL. A LIKE pattern
// takes % for any run of characters and _ for one. nullopt when the query names a field the
// database lacks.
std::optional<std::vector<std::size_t>> runQuery(const Query& query, const Database& database);

}  // namespace k72645::sim
