#include "sim/story/story.h"

#include <algorithm>
#include <tuple>

#include "automation/text.h"
#include "sim/story/field_structure.h"

namespace k72645::sim {

namespace {

bool nameLess(const BookmarkSpan& a, const BookmarkSpan& b) {
    const std::u16string la = lcase(a.name);
    const std::u16string lb = lcase(b.name);
    return la != lb ? la < lb : a.name < b.name;
}

}  // namespace

Story::Story() : text_(1, kParagraphMark) {}

Story::Story(const ParsedMarkup& content) {
    WellFormedText wellFormed = makeFieldsWellFormed(content.characters);
    text_ = std::move(wellFormed.text);
    if (text_.empty() || text_.back() != kParagraphMark)
        text_ += kParagraphMark;
    for (const BookmarkSpan& b : content.bookmarks) {
        const std::size_t last = content.characters.size();
        addBookmark(b.name, wellFormed.positions[std::min(b.start, last)],
                    wellFormed.positions[std::min(b.end, last)]);
    }
}

void Story::changed() {
    indexed_ = false;
}

void Story::ensureIndex() const {
    if (indexed_)
        return;
    paragraphEnds_.clear();
    sectionBreaks_ = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == kParagraphMark || text_[i] == kSectionBreak)
            paragraphEnds_.push_back(i);
        if (text_[i] == kSectionBreak)
            ++sectionBreaks_;
    }
    fields_ = scanFields(text_);
    indexed_ = true;
}

const FieldSpan* Story::fieldBeginningAt(std::size_t position) const {
    ensureIndex();
    auto it = std::lower_bound(fields_.begin(), fields_.end(), position,
                               [](const FieldSpan& f, std::size_t p) { return f.begin < p; });
    return (it != fields_.end() && it->begin == position) ? &*it : nullptr;
}

// Stored results are always empty, so a position inside a result is the one just before a
// field's 21 that follows its 20.
std::size_t Story::outsideFieldResults(std::size_t position) const {
    if (position > 0 && position < text_.size() && text_[position] == kFieldEnd &&
        text_[position - 1] == kFieldSeparator) {
        return position + 1;
    }
    return position;
}

StoryRange Story::widenToWholeFields(std::size_t start, std::size_t end) const {
    ensureIndex();
    // A field is cut when the range holds some but not all of its three field characters.
    // Widening to one field can cut an enclosing one, so repeat until nothing is cut; fields
    // nest, so each round only grows the range outwards.
    bool widened = true;
    while (widened && start < end) {
        widened = false;
        for (const FieldSpan& f : fields_) {
            if (f.begin >= end)
                break;
            if (f.end < start)
                continue;
            const bool beginIn = f.begin >= start;
            const bool endIn = f.end < end;
            const bool separatorIn = f.separator >= start && f.separator < end;
            if ((beginIn || endIn || separatorIn) && !(beginIn && endIn)) {
                start = std::min(start, f.begin);
                end = std::max(end, f.end + 1);
                widened = true;
            }
        }
    }
    return {start, end};
}

StoryRange Story::erase(std::size_t start, std::size_t end) {
    const std::size_t last = text_.size() - 1;
    start = std::min(start, last);
    end = std::clamp(end, start, last);
    if (start == end)
        return {start, start};
    std::tie(start, end) = widenToWholeFields(start, end);
    end = std::min(end, last);
    edit(start, end, u"", false);
    return {start, end};
}

StoryRange Story::insert(std::size_t position, std::u16string_view text) {
    return edit(position, position, text, false);
}

StoryRange Story::replace(std::size_t start, std::size_t end, std::u16string_view text) {
    return edit(start, end, text, false);
}

StoryRange Story::edit(std::size_t start, std::size_t end, std::u16string_view text,
                       bool keepWholeBookmarks) {
    WellFormedText added = makeFieldsWellFormed(text);
    const std::size_t last = text_.size() - 1;  // the final paragraph mark stays
    start = std::min(start, last);
    end = std::clamp(end, start, last);
    if (start < end) {
        std::tie(start, end) = widenToWholeFields(start, end);
        end = std::min(end, last);
    }
    const std::size_t removed = end - start;
    text_.erase(start, removed);
    changed();
    const std::size_t p = outsideFieldResults(start);
    const std::size_t n = added.text.size();
    std::vector<BookmarkSpan> kept;
    for (BookmarkSpan b : bookmarks_) {
        const bool whole = b.start == start && b.end == end;
        const bool encloses =
            removed > 0 && b.start <= start && end <= b.end && (!whole || keepWholeBookmarks);
        const bool covered =
            b.start < b.end ? start <= b.start && b.end <= end : start < b.start && b.start < end;
        if (covered && !encloses)
            continue;  // all of its text is deleted: so is the bookmark
        // Cut at its start, it keeps what remains and the new text stays before it.
        const bool cutAtStart = start < b.start && b.start < end;
        auto shift = [&](std::size_t q) {
            if (q <= start)
                return q;
            return q >= end ? q - removed : start;
        };
        b.start = shift(b.start);
        b.end = shift(b.end);
        // The new text goes inside a bookmark that starts at or before it and ends after it,
        // or that enclosed the replaced text; an empty bookmark at p stays before it.
        if (b.start > p || cutAtStart) {
            b.start += n;
            b.end += n;
        } else if (b.end > p || (encloses && b.end == p)) {
            b.end += n;
        }
        kept.push_back(std::move(b));
    }
    if (kept.size() != bookmarks_.size()) {
        // Bookmarks whose text went are gone: the others stand at new places in the list.
        bookmarkIndex_.clear();
        for (std::size_t i = 0; i < kept.size(); ++i)
            bookmarkIndex_[lcase(kept[i].name)] = i;
    }
    bookmarks_ = std::move(kept);
    text_.insert(p, added.text);
    changed();
    return {p, p + n};
}

StoryRange Story::replaceWithMarkup(std::size_t start, std::size_t end,
                                    const ParsedMarkup& content) {
    const StoryRange placed = edit(start, end, content.characters, true);
    // Where the replace put the text; the markup's own positions go through the same
    // rewriting of field characters.
    const WellFormedText added = makeFieldsWellFormed(content.characters);
    for (const BookmarkSpan& b : content.bookmarks) {
        const std::size_t s = added.positions[std::min(b.start, content.characters.size())];
        const std::size_t e = added.positions[std::min(b.end, content.characters.size())];
        addBookmark(b.name, placed.first + s, placed.first + e);
    }
    return placed;
}

std::vector<BookmarkSpan> Story::bookmarks() const {
    std::vector<BookmarkSpan> sorted = bookmarks_;
    std::sort(sorted.begin(), sorted.end(), nameLess);
    return sorted;
}

std::optional<BookmarkSpan> Story::bookmark(std::u16string_view name) const {
    const auto found = bookmarkIndex_.find(lcase(name));
    if (found == bookmarkIndex_.end())
        return std::nullopt;
    return bookmarks_[found->second];
}

void Story::addBookmark(std::u16string_view name, std::size_t start, std::size_t end) {
    start = outsideFieldResults(std::min(start, text_.size()));
    end = outsideFieldResults(std::min(end, text_.size()));
    if (start > end)
        std::swap(start, end);
    removeBookmark(name);
    bookmarks_.push_back({std::u16string(name), start, end});
    bookmarkIndex_[lcase(name)] = bookmarks_.size() - 1;
}

bool Story::removeBookmark(std::u16string_view name) {
    const auto found = bookmarkIndex_.find(lcase(name));
    if (found == bookmarkIndex_.end())
        return false;
    const std::size_t removed = found->second;
    bookmarkIndex_.erase(found);
    bookmarks_.erase(bookmarks_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (auto& [key, index] : bookmarkIndex_) {
        if (index > removed)
            --index;
    }
    return true;
}

std::vector<FieldSpan> Story::fields(std::size_t start, std::size_t end) const {
    ensureIndex();
    std::vector<FieldSpan> found;
    auto it = std::lower_bound(fields_.begin(), fields_.end(), start,
                               [](const FieldSpan& f, std::size_t p) { return f.begin < p; });
    for (; it != fields_.end() && it->begin < end; ++it) {
        if (it->end < end)
            found.push_back(*it);
    }
    return found;
}

bool Story::updateFields(std::size_t start, std::size_t end,
                         const std::function<bool(const FieldSpan&)>& which) {
    std::vector<std::size_t> ends;
    for (const FieldSpan& field : fields(start, end)) {
        if (!field.hasResult() && (!which || which(field)))
            ends.push_back(field.end);
    }
    // A separator goes just before each field's end (bookmarks that hold the end follow it),
    // from the last end back, so that the positions before it stay right.
    std::sort(ends.begin(), ends.end());
    for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
        const std::size_t at = *it;
        text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(at), kFieldSeparator);
        for (BookmarkSpan& b : bookmarks_) {
            b.start += b.start > at ? 1 : 0;
            b.end += b.end > at ? 1 : 0;
        }
    }
    if (!ends.empty())
        changed();
    return !ends.empty();
}

std::u16string Story::fieldCode(const FieldSpan& field) const {
    if (field.separator > text_.size() || field.begin >= field.separator)
        return {};
    return text_.substr(field.begin + 1, field.separator - field.begin - 1);
}

std::size_t Story::paragraphCount() const {
    ensureIndex();
    return paragraphEnds_.size();
}

StoryRange Story::paragraphRange(std::size_t k) const {
    ensureIndex();
    if (k == 0 || k > paragraphEnds_.size())
        return {text_.size(), text_.size()};
    const std::size_t start = k == 1 ? 0 : paragraphEnds_[k - 2] + 1;
    return {start, paragraphEnds_[k - 1] + 1};
}

std::size_t Story::paragraphAt(std::size_t position) const {
    ensureIndex();
    auto it = std::lower_bound(paragraphEnds_.begin(), paragraphEnds_.end(), position);
    if (it == paragraphEnds_.end())
        return paragraphEnds_.size();
    return static_cast<std::size_t>(it - paragraphEnds_.begin()) + 1;
}

std::size_t Story::sectionCount() const {
    ensureIndex();
    return sectionBreaks_ + 1;
}

}  // namespace k72645::sim
