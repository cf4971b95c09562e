#include "sim/data/data_source.h"

#include <limits>
#include <stdexcept>

#include "sim/data/data_errors.h"

namespace k72645::sim {
namespace {

std::int32_t toCount(std::size_t count) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::min(count, kMax));
}

}  // namespace

DataSource::DataSource(std::u16string name, std::shared_ptr<Database> database)
    : name_(std::move(name)), database_(std::move(database)) {
    if (!database_)
        throw std::invalid_argument("DataSource needs a database");
    query_ = u"SELECT * FROM `" + database_->table + u"`";
    rebuildView();
    moveToIncluded(0);
}

void DataSource::setQueryString(std::u16string_view text) {
    auto parsed = parseQuery(text);
    if (!parsed || !runQuery(*parsed, *database_))
        throw data_errors::unableToOpenDataSource();
    query_ = std::u16string(text);
    parsedQuery_ = std::move(*parsed);
    excluded_.assign(database_->records.size(), false);
    active_.reset();
    rebuildView();
    moveToIncluded(0);
}

std::int32_t DataSource::recordCount() const {
    sync();
    return toCount(includedCount_);
}

std::int32_t DataSource::activeRecord() const {
    sync();
    if (!active_)
        return 0;
    const bool activeIncluded = !excluded_[view_[*active_]];
    return toCount(includedBeforeActive_ + (activeIncluded ? 1 : 0));
}

void DataSource::setActiveRecord(std::int32_t value) {
    sync();
    switch (value) {
        case kNoActiveRecord:
            return;
        case kMergeNextRecord:
            value = kNextRecord;
            break;
        case kMergePreviousRecord:
            value = kPreviousRecord;
            break;
        case kMergeFirstRecord:
            value = kFirstRecord;
            break;
        case kMergeLastRecord:
            value = kLastRecord;
            break;
        default:
            break;
    }
    switch (value) {
        case kFirstRecord:
            moveToIncluded(0);
            return;
        case kLastRecord:
            if (auto last = previousIncluded(view_.size()))
                moveToIncluded(*last);
            return;
        case kNextRecord:
            if (active_) {
                if (auto next = nextIncluded(*active_ + 1))
                    moveToIncluded(*next);
            }
            return;
        case kPreviousRecord:
            if (active_) {
                if (auto previous = previousIncluded(*active_))
                    moveToIncluded(*previous);
            }
            return;
        default:
            break;
    }
    if (value < 1 || static_cast<std::size_t>(value) > includedCount_) {
        throw data_errors::invalidParameter();
    }
    const auto wanted = static_cast<std::size_t>(value);
    if (includedCount_ == view_.size()) {
        setActive(wanted - 1);  // nothing excluded: the position is the view's
        return;
    }
    std::size_t seen = 0;
    for (std::size_t i = 0; i < view_.size(); ++i) {
        if (!excluded_[view_[i]] && ++seen == wanted) {
            setActive(i);
            return;
        }
    }
}

bool DataSource::included() const {
    sync();
    return active_ && !excluded_[view_[*active_]];
}

void DataSource::setIncluded(bool include) {
    sync();
    if (!active_)
        throw data_errors::objectNotAvailable();
    const std::size_t record = view_[*active_];
    if (excluded_[record] == !include)
        return;
    excluded_[record] = !include;
    if (include) {
        ++includedCount_;
    } else {
        --includedCount_;
    }
}

std::int32_t DataSource::lastRecord() const {
    return lastSet_ ? last_ : recordCount();
}

void DataSource::setLastRecord(std::int32_t value) {
    last_ = value;
    lastSet_ = value != kDefaultLastRecord;
}

std::u16string DataSource::value(std::size_t fieldPosition) const {
    sync();
    if (fieldPosition < 1 || fieldPosition > database_->fields.size()) {
        throw data_errors::noSuchMember();
    }
    const auto record = activeRecordIndex();
    if (!record)
        return {};
    const auto& values = database_->records[*record];
    return fieldPosition <= values.size() ? values[fieldPosition - 1] : std::u16string();
}

std::u16string DataSource::valueByName(std::u16string_view field) const {
    const auto index = database_->fieldIndex(field);
    if (!index)
        throw data_errors::noSuchMember();
    return value(*index + 1);
}

void DataSource::setValue(std::size_t fieldPosition, std::u16string value) {
    sync();
    const std::size_t fieldCount = database_->fields.size();
    if (fieldPosition < 1 || fieldPosition > fieldCount)
        throw data_errors::noSuchMember();
    const auto record = activeRecordIndex();
    if (!record)
        throw data_errors::objectNotAvailable();
    auto& values = database_->records[*record];
    values.resize(std::max(values.size(), fieldCount));
    values[fieldPosition - 1] = std::move(value);
    database_->touch();
    sync();
    written();
}

void DataSource::addRecord(std::vector<std::u16string> values) {
    sync();
    if (values.size() > database_->fields.size())
        throw data_errors::invalidParameter();
    values.resize(database_->fields.size());
    const std::size_t added = database_->records.size();
    database_->records.push_back(std::move(values));
    database_->touch();
    sync();
    for (std::size_t i = view_.size(); i > 0; --i) {
        if (view_[i - 1] == added) {
            setActive(i - 1);
            break;
        }
    }
    written();
}

std::vector<std::vector<std::u16string>> DataSource::mergeRecords() const {
    sync();
    const std::int64_t first = std::max<std::int64_t>(first_, 1);
    const std::int64_t last = std::min<std::int64_t>(lastRecord(), toCount(includedCount_));
    std::vector<std::vector<std::u16string>> result;
    std::int64_t position = 0;
    for (std::size_t record : view_) {
        if (excluded_[record])
            continue;
        ++position;
        if (position > last)
            break;
        if (position >= first)
            result.push_back(database_->records[record]);
    }
    return result;
}

void DataSource::written() const {
    if (writeHook_)
        writeHook_(*database_);
}

void DataSource::sync() const {
    if (seenRevision_ == database_->revision)
        return;
    const auto active = activeRecordIndex();
    rebuildView();
    active_.reset();
    if (active) {
        for (std::size_t i = 0; i < view_.size(); ++i) {
            if (view_[i] == *active) {
                setActive(i);  // the same record, even when it is excluded
                return;
            }
        }
    }
    moveToIncluded(0);
}

// Runs the query again over the database as it is now. The query was valid when it was set;
// should it no longer be (a field gone), every record is shown in file order.
void DataSource::rebuildView() const {
    seenRevision_ = database_->revision;
    auto selected = runQuery(parsedQuery_, *database_);
    if (selected) {
        view_ = std::move(*selected);
    } else {
        view_.resize(database_->records.size());
        for (std::size_t i = 0; i < view_.size(); ++i)
            view_[i] = i;
    }
    // Records are only ever appended; fewer records means the content was replaced, and the
    // exclusions no longer name the same records.
    if (database_->records.size() < excluded_.size())
        excluded_.clear();
    excluded_.resize(database_->records.size(), false);
    includedCount_ = 0;
    for (std::size_t record : view_) {
        if (!excluded_[record])
            ++includedCount_;
    }
}

// Makes the first included record at or after a view position active. When there is none, the
// active record stays; without one, the last included record, or the first record when every
// record is excluded, becomes active.
void DataSource::moveToIncluded(std::size_t from) const {
    if (auto next = nextIncluded(from)) {
        setActive(*next);
    } else if (active_ && *active_ < view_.size()) {
        return;
    } else if (auto previous = previousIncluded(view_.size())) {
        setActive(*previous);
    } else if (!view_.empty()) {
        setActive(0);
    } else {
        active_.reset();
        includedBeforeActive_ = 0;
    }
}

void DataSource::setActive(std::size_t target) const {
    // Count the included records before the target from where the active record is, so that
    // walking record by record stays linear.
    std::size_t before = 0;
    if (active_ && *active_ <= target) {
        before = includedBeforeActive_;
        for (std::size_t i = *active_; i < target; ++i) {
            if (!excluded_[view_[i]])
                ++before;
        }
    } else if (active_ && *active_ - target <= target) {
        before = includedBeforeActive_;
        for (std::size_t i = target; i < *active_; ++i) {
            if (!excluded_[view_[i]])
                --before;
        }
    } else {
        for (std::size_t i = 0; i < target; ++i) {
            if (!excluded_[view_[i]])
                ++before;
        }
    }
    includedBeforeActive_ = before;
    active_ = target;
}

std::optional<std::size_t> DataSource::nextIncluded(std::size_t from) const {
    for (std::size_t i = from; i < view_.size(); ++i) {
        if (!excluded_[view_[i]])
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> DataSource::previousIncluded(std::size_t before) const {
    for (std::size_t i = std::min(before, view_.size()); i > 0; --i) {
        if (!excluded_[view_[i - 1]])
            return i - 1;
    }
    return std::nullopt;
}

std::optional<std::size_t> DataSource::activeRecordIndex() const {
    if (!active_ || *active_ >= view_.size())
        return std::nullopt;
    return view_[*active_];
}

}  // namespace k72645::sim
