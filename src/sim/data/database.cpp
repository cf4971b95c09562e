#include "sim/data/database.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>

#include "automation/text.h"
#include "sim/data/data_errors.h"
#include "sim/data/json_lines.h"

namespace k72645::sim {

std::optional<std::size_t> Database::fieldIndex(std::u16string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (equalsIgnoreCase(fields[i], name))
            return i;
    }
    return std::nullopt;
}

namespace {

using nlohmann::json;

// Containers below the top object that the shape checks look into: "records", a record.
constexpr std::size_t kLocatedDepth = 3;

class DatabaseReader {
public:
    DatabaseReader(const std::string& bytes, std::u16string_view fileName)
        : bytes_(bytes), fileName_(fileName) {}

    Database read() {
        json document;
        try {
            document = json::parse(bytes_);
        } catch (const json::parse_error& error) {
            const bool cutShort = error.byte > bytes_.size();
            fail(lineOfByte(error.byte),
                 cutShort ? "the file is cut short" : "the file is not valid JSON");
        } catch (const json::exception&) {
            // A number too large for a double: the reader gives no position.
            fail(1, "the file holds a number out of range");
        }
        lines_ = locateJsonLines(bytes_, kLocatedDepth);
        if (!document.is_object())
            fail(lines_.line, "the file does not hold a JSON object");

        Database database;
        const json* kind = member(document, "k72645");
        if (kind == nullptr || !kind->is_string() || kind->get<std::string>() != "database") {
            fail(lineOf("k72645"), "\"k72645\" must be \"database\"");
        }
        const json* table = member(document, "table");
        if (table == nullptr || !table->is_string() || table->get<std::string>().empty()) {
            fail(lineOf("table"), "\"table\" must be a non-empty string");
        }
        database.table = fromUtf8(table->get<std::string>());
        database.fields = readFields(member(document, "fields"));
        database.records = readRecords(member(document, "records"), database.fields.size());
        return database;
    }

private:
    std::vector<std::u16string> readFields(const json* fields) {
        if (fields == nullptr || !fields->is_array()) {
            fail(lineOf("fields"), "\"fields\" must be an array of field names");
        }
        if (fields->empty())
            fail(lineOf("fields"), "\"fields\" must name at least one field");
        const JsonLines& fieldLines = located("fields");
        std::vector<std::u16string> names;
        std::set<std::u16string> seen;  // lower-cased
        for (std::size_t i = 0; i < fields->size(); ++i) {
            const json& name = (*fields)[i];
            const std::size_t line = fieldLines.item(i).line;
            if (!name.is_string() || name.get<std::string>().empty()) {
                fail(line, "each field name must be a non-empty string");
            }
            std::u16string text = fromUtf8(name.get<std::string>());
            if (!seen.insert(lcase(text)).second) {
                fail(line, "the field \"" + name.get<std::string>() + "\" appears twice");
            }
            names.push_back(std::move(text));
        }
        return names;
    }

    std::vector<std::vector<std::u16string>> readRecords(const json* records,
                                                         std::size_t fieldCount) {
        if (records == nullptr || !records->is_array()) {
            fail(lineOf("records"), "\"records\" must be an array of records");
        }
        const JsonLines& recordLines = located("records");
        std::vector<std::vector<std::u16string>> result;
        result.reserve(records->size());
        for (std::size_t r = 0; r < records->size(); ++r) {
            const json& record = (*records)[r];
            const JsonLines& valueLines = recordLines.item(r);
            const std::string which = "record " + std::to_string(r + 1);
            if (!record.is_array())
                fail(valueLines.line, which + " must be an array of texts");
            if (record.size() != fieldCount) {
                fail(valueLines.line, which + " has " + std::to_string(record.size()) +
                                          " values for " + std::to_string(fieldCount) + " fields");
            }
            std::vector<std::u16string> values;
            values.reserve(fieldCount);
            for (std::size_t v = 0; v < record.size(); ++v) {
                if (!record[v].is_string()) {
                    fail(valueLines.item(v).line,
                         which + ", value " + std::to_string(v + 1) + " must be a text");
                }
                values.push_back(fromUtf8(record[v].get<std::string>()));
            }
            result.push_back(std::move(values));
        }
        return result;
    }

    static const json* member(const json& object, const char* key) {
        const auto it = object.find(key);
        return it == object.end() ? nullptr : &*it;
    }

    // The located member, or the top object when it is missing.
    const JsonLines& located(std::string_view key) const {
        const JsonLines* found = lines_.member(key);
        return found != nullptr ? *found : lines_;
    }
    std::size_t lineOf(std::string_view key) const { return located(key).line; }

    // The line of the byte at a 1-based position (the last line for a position past the end).
    std::size_t lineOfByte(std::size_t position) const {
        const std::size_t end = std::min(position > 0 ? position - 1 : 0, bytes_.size());
        return 1 + static_cast<std::size_t>(std::count(bytes_.begin(), bytes_.begin() + end, '\n'));
    }

    [[noreturn]] void fail(std::size_t line, const std::string& what) const {
        throw data_errors::malformedDatabase(std::u16string(fileName_) + u", line " +
                                             fromUtf8(std::to_string(line)) + u": " +
                                             fromUtf8(what));
    }

    const std::string& bytes_;
    std::u16string_view fileName_;
    JsonLines lines_;
};

std::string jsonText(std::u16string_view text) {
    return json(toUtf8(text)).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string jsonList(const std::vector<std::u16string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += jsonText(texts[i]);
    }
    return out + "]";
}

}  // namespace

Database parseDatabase(const std::string& bytes, std::u16string_view fileName) {
    return DatabaseReader(bytes, fileName).read();
}

std::string serializeDatabase(const Database& database) {
    std::string out = "{\n  \"k72645\": \"database\",\n  \"table\": " + jsonText(database.table) +
                      ",\n  \"fields\": " + jsonList(database.fields) + ",\n  \"records\": [";
    for (std::size_t r = 0; r < database.records.size(); ++r) {
        out += r == 0 ? "\n    " : ",\n    ";
        out += jsonList(database.records[r]);
    }
    out += database.records.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

}  // namespace k72645::sim
