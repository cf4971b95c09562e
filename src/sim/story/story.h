// A document's story as the simulated Word stores it: one sequence of UTF-16 characters where
// 13 ends a paragraph, 11 is a manual line break, 12 is a section break (it also ends a
// paragraph) and a field is 19 + code + 20 + 21, fields nesting freely. A field's result is
// computed when read (its text is never stored), but only once the field has one: a field typed
// between field braces and never updated is 19 + code + 21 and shows nothing until updated. The
// story always ends with 13. Bookmarks are named [start, end) positions that follow the text as it
// is edited.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace k72645::sim {

inline constexpr char16_t kParagraphMark = 13;
inline constexpr char16_t kLineBreak = 11;
inline constexpr char16_t kSectionBreak = 12;
inline constexpr char16_t kFieldBegin = 19;
inline constexpr char16_t kFieldSeparator = 20;
inline constexpr char16_t kFieldEnd = 21;

struct BookmarkSpan {
    std::u16string name;
    std::size_t start = 0;
    std::size_t end = 0;
};

// A field's place in the story: positions of its begin (19), separator (20) and end (21)
// characters. Its code is (begin, separator); it spans [begin, end + 1). A field without a result
// has no separator: separator == end.
struct FieldSpan {
    std::size_t begin = 0;
    std::size_t separator = 0;
    std::size_t end = 0;
    bool hasResult() const { return separator != end; }
};

// What a field's result depends on, besides the story.
struct RenderContext {
    bool showFieldCodes = false;
    // The value of a merge field for the active record; nullopt shows «name» (field codes of
    // the merge shown, or no data source).
    std::function<std::optional<std::u16string>(std::u16string_view fieldName)> mergeValue;
    // The active record's value of a merge field whatever the view, for merge fields nested in
    // another field's code (an IF's operand compares the record's value); unset: as mergeValue.
    std::function<std::optional<std::u16string>(std::u16string_view fieldName)> recordValue;
    bool englishEdition = false;  // NEXT shows «Next Record» instead of «Enregistrement suivant»
    // Local date and time for DATE and TIME: an OLE date (days since 1899-12-30).
    double now = 0;
};

// A range of story positions, [first, second).
using StoryRange = std::pair<std::size_t, std::size_t>;

// Markup parsed into story characters and the bookmarks it marks (positions relative to the
// parsed text).
struct ParsedMarkup {
    std::u16string characters;
    std::vector<BookmarkSpan> bookmarks;
};

// A markup text that cannot be read: where and why (line and column from 1).
struct MarkupError {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string message;
};

// Markup: plain text, where "{" starts a field and "}" ends it (the characters between being
// the code as written, nesting allowed), "[name>" starts the bookmark name and "<name]" ends
// it, and the escapes \r \v \f \\ \{ \} \[ \<; a backslash before any other character stands
// for itself. Unbalanced braces, a bookmark ended before it starts or never ended, and
// characters 19 to 21 written raw are errors.
std::variant<ParsedMarkup, MarkupError> parseMarkup(std::u16string_view markup);

class Story {
public:
    Story();  // an empty document: one paragraph mark
    // A story from parsed markup; a missing final paragraph mark is added.
    explicit Story(const ParsedMarkup& content);

    const std::u16string& characters() const { return text_; }
    std::size_t length() const { return text_.size(); }

    // Editing. Text may hold balanced field characters. As in Word, text inserted at p goes
    // inside every non-empty bookmark with start <= p < end (at a bookmark's start it is
    // inside, at its end outside); an empty bookmark at p stays empty, before the text.
    // Deleting removes every bookmark whose text is all deleted (an empty one strictly inside
    // the deleted range too); a bookmark partly deleted keeps what remains. Replacing deletes
    // then inserts, except that a bookmark enclosing the replaced range (but not equal to it)
    // spans the new text. Positions are clamped to the story; the final paragraph mark is
    // never deleted. Editing that would break a field's structure (deleting half a field)
    // widens the range to whole fields.
    //
    // Inserted text is stored with well-formed fields: a field character without its partner
    // is dropped, a field closed without separator stays without a result, and a field's stored
    // result is dropped (results are computed). Text is never put inside a field's result: a
    // position there moves after the field. So the stored text may be shorter or longer than the
    // text given, and land elsewhere: insert, replace and replaceWithMarkup return where the new
    // text now stands; erase returns the range actually deleted (widened to whole fields).
    StoryRange insert(std::size_t position, std::u16string_view text);
    StoryRange replace(std::size_t start, std::size_t end, std::u16string_view text);
    StoryRange erase(std::size_t start, std::size_t end);
    // Replaces [start, end) with parsed markup and adds its bookmarks (a bookmark of the same
    // name is replaced). Unlike replace, a bookmark whose range is exactly [start, end) keeps
    // the new content: the learner's hand edits inside it.
    StoryRange replaceWithMarkup(std::size_t start, std::size_t end, const ParsedMarkup& content);

    // Bookmarks, in the order of their names (as Word lists them), compared without regard to
    // case. addBookmark clamps the positions to the story (and orders them); a position inside
    // a field's result moves after the field.
    std::vector<BookmarkSpan> bookmarks() const;
    std::optional<BookmarkSpan> bookmark(std::u16string_view name) const;
    void addBookmark(std::u16string_view name, std::size_t start, std::size_t end);
    bool removeBookmark(std::u16string_view name);

    // Every field whose begin character lies in [start, end) and whose end lies before end,
    // nested ones included, in the order of their begin characters.
    std::vector<FieldSpan> fields(std::size_t start, std::size_t end) const;
    std::vector<FieldSpan> allFields() const { return fields(0, text_.size()); }
    // The code of a field as stored (nested fields' characters included).
    std::u16string fieldCode(const FieldSpan& field) const;

    // The text Word shows for [start, end): fields show their results (nothing for a field
    // never updated), or 19 + code + 21
    // when field codes are shown (nested fields rendered the same way). Of a field the range
    // only cuts, the characters inside the range show as stored, but for its separator.
    std::u16string render(std::size_t start, std::size_t end, const RenderContext& context) const;
    // Updates the fields whose begin character lies in [start, end) (nested ones included), as
    // F9 or Fields.Update does: a field without a result gets one. Only the fields `which`
    // accepts, when given. True when one changed.
    bool updateFields(std::size_t start, std::size_t end,
                      const std::function<bool(const FieldSpan&)>& which = {});
    // A field's result ("" while it has none): MERGEFIELD, IF (= < > <> <= >=; numbers compared as
    // numbers when both operands read as numbers, otherwise texts exactly), DATE and TIME with \@
    // pictures, PAGE, FILLIN (\d default), NEXT; anything else "". Computed whatever showFieldCodes
    // says.
    std::u16string fieldResult(const FieldSpan& field, const RenderContext& context) const;

    // Paragraphs end with 13 or 12 (wherever they stand, field codes included); k from 1. The
    // range includes the closing mark; a k outside 1..paragraphCount() gives the empty range
    // at the end of the story.
    std::size_t paragraphCount() const;
    StoryRange paragraphRange(std::size_t k) const;
    // The paragraph (from 1) that holds the character at position (the last one past the end).
    std::size_t paragraphAt(std::size_t position) const;
    std::size_t sectionCount() const;  // number of 12 characters + 1

    // Markup for [start, end) that parseMarkup reads back to the same characters; bookmarks
    // wholly inside the range are written.
    std::u16string toMarkup(std::size_t start, std::size_t end) const;

private:
    void changed();
    void ensureIndex() const;
    // The field whose begin character is at position, from the cached field list.
    const FieldSpan* fieldBeginningAt(std::size_t position) const;
    std::size_t outsideFieldResults(std::size_t position) const;
    StoryRange widenToWholeFields(std::size_t start, std::size_t end) const;
    // Replaces [start, end) with text, moving the bookmarks as described above;
    // keepWholeBookmarks: a bookmark equal to the range keeps the new text instead of going.
    StoryRange edit(std::size_t start, std::size_t end, std::u16string_view text,
                    bool keepWholeBookmarks);
    std::u16string evaluate(const FieldSpan& field, const RenderContext& context, int depth) const;
    std::u16string renderCodes(std::size_t start, std::size_t end) const;
    std::u16string renderResults(std::size_t start, std::size_t end, const RenderContext& context,
                                 int depth) const;

    std::u16string text_;
    std::vector<BookmarkSpan> bookmarks_;  // in the order they were added
    // Where each bookmark stands in bookmarks_, by its lower-cased name, so that finding one
    // by name does not read them all.
    std::unordered_map<std::u16string, std::size_t> bookmarkIndex_;
    // Caches rebuilt on first use after a change, so that reading every paragraph or every
    // field of a long story stays linear.
    mutable bool indexed_ = false;
    mutable std::vector<std::size_t> paragraphEnds_;
    mutable std::vector<FieldSpan> fields_;  // in the order of their begin characters
    mutable std::size_t sectionBreaks_ = 0;
};

}  // namespace k72645::sim
