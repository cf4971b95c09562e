// A database attached to a main document as its merge data source: the query, which records
// are included, the active record, and the span of records a merge takes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/data/database.h"
#include "sim/data/query.h"

namespace k72645::sim {

// Word's ActiveRecord moves. Word has two sets of constants: -6 to -9 by the data source's
// records, -2 to -5 by the records of the merge; the simulator has one list for both, and
// -1 (no active record) leaves the active record where it is.
inline constexpr std::int32_t kNoActiveRecord = -1;
inline constexpr std::int32_t kMergeNextRecord = -2;
inline constexpr std::int32_t kMergePreviousRecord = -3;
inline constexpr std::int32_t kMergeFirstRecord = -4;
inline constexpr std::int32_t kMergeLastRecord = -5;
inline constexpr std::int32_t kFirstRecord = -6;
inline constexpr std::int32_t kLastRecord = -7;
inline constexpr std::int32_t kNextRecord = -8;
inline constexpr std::int32_t kPreviousRecord = -9;
// LastRecord set to this means the last record, whatever their count.
inline constexpr std::int32_t kDefaultLastRecord = -16;

class DataSource {
public:
    // name: the file name exactly as given when attached. The database is shared with every
    // other source attached to the same file. The query starts as "SELECT * FROM `<table>`",
    // every record included, the first record active, FirstRecord 1 and LastRecord the count.
    DataSource(std::u16string name, std::shared_ptr<Database> database);

    const std::u16string& name() const { return name_; }
    const Database& database() const { return *database_; }

    const std::u16string& queryString() const { return query_; }
    // Raises ComError 5922 ("Word was unable to open the data source.") for a text that is
    // not a query, leaving the query unchanged. Every record becomes included again and the
    // first record active.
    void setQueryString(std::u16string_view text);

    // Records after the query and inclusion.
    std::int32_t recordCount() const;
    // The active record's position among the included records, from 1 (0 when there are none;
    // an excluded active record gives the position of the included record before it).
    std::int32_t activeRecord() const;
    // -6, -7, -8, -9 or a position from 1; moves stop at the ends and skip excluded
    // records; any other value, or a position beyond the records, raises ComError 5853
    // ("Invalid parameter.").
    void setActiveRecord(std::int32_t value);

    // Inclusion of the active record. Excluding it leaves it active until the next move.
    // false when no record is active; setting it then raises ComError 5852.
    bool included() const;
    void setIncluded(bool included);

    // The span Execute merges, as positions among the included records. LastRecord follows
    // the record count (records added, query changed) until it is set.
    std::int32_t firstRecord() const { return first_; }
    std::int32_t lastRecord() const;
    void setFirstRecord(std::int32_t value) { first_ = value; }
    void setLastRecord(std::int32_t value);

    // The active record's value of a field, by position from 1 or by name (without regard to
    // case): ComError 5941 for a field that does not exist; "" when no record is active.
    std::u16string value(std::size_t fieldPosition) const;
    std::u16string valueByName(std::u16string_view field) const;
    // Changes the active record's value and calls the write hook. ComError 5941 for a field
    // that does not exist, 5852 ("Requested object is not available.") when no record is
    // active.
    void setValue(std::size_t fieldPosition, std::u16string value);
    // Appends a record (missing values empty, extra values refused with 5853), makes it
    // active (when the query selects it) and calls the write hook.
    void addRecord(std::vector<std::u16string> values);

    // Each record the merge takes, in order: the included records from FirstRecord to
    // LastRecord (positions among the included records), as values by field.
    std::vector<std::vector<std::u16string>> mergeRecords() const;

    // Called after every change of the database's content, to write the file at once.
    void onWrite(std::function<void(const Database&)> hook) { writeHook_ = std::move(hook); }

private:
    // Brings the view up to date with the shared database when its revision has moved on:
    // the query runs again; exclusions and the active record are kept (by record).
    void sync() const;
    void rebuildView() const;
    void moveToIncluded(std::size_t from) const;
    void setActive(std::size_t viewPosition) const;
    std::optional<std::size_t> nextIncluded(std::size_t from) const;
    std::optional<std::size_t> previousIncluded(std::size_t before) const;
    std::optional<std::size_t> activeRecordIndex() const;
    void written() const;

    std::u16string name_;
    std::shared_ptr<Database> database_;
    std::u16string query_;
    Query parsedQuery_;
    std::int32_t first_ = 1;
    std::int32_t last_ = 0;
    bool lastSet_ = false;
    std::function<void(const Database&)> writeHook_;

    // The view, rebuilt lazily from the shared database.
    mutable std::uint64_t seenRevision_ = 0;
    mutable std::vector<std::size_t> view_;         // database record positions, in query order
    mutable std::vector<bool> excluded_;            // by database record position
    mutable std::size_t includedCount_ = 0;         // included records in view_
    mutable std::optional<std::size_t> active_;     // position in view_
    mutable std::size_t includedBeforeActive_ = 0;  // included records in view_ before active_
};

}  // namespace k72645::sim
