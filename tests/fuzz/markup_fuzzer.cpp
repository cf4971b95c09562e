// libFuzzer target for the story's markup and editing: any input is parsed; a story built from
// parsed markup must render both ways, write markup that reads back to the same characters
// and bookmarks, and keep well-formed fields and bookmarks through edits driven by the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "sim/story/story.h"

using namespace k72645;
using namespace k72645::sim;

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Reads bytes from the end of the input, so that edits do not just replay the markup.
class ByteSource {
public:
    ByteSource(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}
    bool empty() const { return left_ == 0; }
    std::uint8_t next() { return left_ ? data_[--left_] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t left_;
};

std::u16string editText(ByteSource& bytes) {
    static constexpr char16_t kAlphabet[] = {u'a', u' ', 13,    11,   12,   19,   20,   21,
                                             u'{', u'}', u'\\', u'[', u'<', u'>', u']', u'"'};
    std::u16string text;
    const std::size_t length = bytes.next() % 6;
    for (std::size_t k = 0; k < length; ++k)
        text += kAlphabet[bytes.next() % std::size(kAlphabet)];
    return text;
}

void checkWellFormed(const Story& story) {
    const std::u16string& text = story.characters();
    check(!text.empty() && text.back() == kParagraphMark);
    std::size_t begins = 0;
    std::size_t marks = 0;
    for (char16_t c : text) {
        begins += c == kFieldBegin;
        marks += c == kParagraphMark || c == kSectionBreak;
    }
    const auto fields = story.allFields();
    check(fields.size() == begins);
    for (const FieldSpan& f : fields) {
        // A field is 19 code 20 21, or 19 code 21 while it has no result yet.
        check(f.begin < f.separator && f.separator <= f.end && f.end < text.size());
        check(text[f.begin] == kFieldBegin && text[f.end] == kFieldEnd);
        if (f.hasResult())
            check(f.separator + 1 == f.end && text[f.separator] == kFieldSeparator);
    }
    check(story.paragraphCount() == marks);
    for (const BookmarkSpan& b : story.bookmarks()) {
        check(b.start <= b.end && b.end <= text.size());
        for (std::size_t p : {b.start, b.end}) {
            // Never inside a field's result.
            check(!(p > 0 && p < text.size() && text[p - 1] == kFieldSeparator));
        }
    }
}

// Markup does not keep that a field has no result yet: such a field reads back as one whose
// result is still to be computed, with its separator. The story's text is compared in that form,
// and bookmark positions only when no field lacks its result (the separators move them).
std::u16string withSeparators(const Story& story, bool& allHaveResults) {
    std::u16string text = story.characters();
    auto fields = story.allFields();
    std::sort(fields.begin(), fields.end(),
              [](const FieldSpan& a, const FieldSpan& b) { return a.end > b.end; });
    allHaveResults = true;
    for (const FieldSpan& f : fields) {
        if (!f.hasResult()) {
            text.insert(f.end, 1, kFieldSeparator);
            allHaveResults = false;
        }
    }
    return text;
}

void checkRoundTrip(const Story& story) {
    const std::u16string markup = story.toMarkup(0, story.length());
    auto reread = parseMarkup(markup);
    check(std::holds_alternative<ParsedMarkup>(reread));
    const Story again(std::get<ParsedMarkup>(reread));
    bool allHaveResults = true;
    check(again.characters() == withSeparators(story, allHaveResults));
    const auto before = story.bookmarks();
    const auto after = again.bookmarks();
    check(before.size() == after.size());
    for (std::size_t k = 0; k < before.size(); ++k) {
        check(before[k].name == after[k].name);
        check(!allHaveResults ||
              (before[k].start == after[k].start && before[k].end == after[k].end));
    }
}

void renderBothWays(const Story& story, ByteSource& bytes) {
    RenderContext context;
    context.now = (bytes.next() - 128) * 1000.0 + bytes.next() / 7.0;
    context.englishEdition = bytes.next() & 1;
    context.mergeValue = [](std::u16string_view name) -> std::optional<std::u16string> {
        if (name.size() % 2)
            return std::u16string(name) + u"!";
        return std::nullopt;
    };
    const std::size_t a = bytes.next() % (story.length() + 2);
    const std::size_t b = bytes.next() % (story.length() + 2);
    for (bool codes : {false, true}) {
        context.showFieldCodes = codes;
        (void)story.render(0, story.length(), context);
        (void)story.render(a, b, context);
        // A range's markup must parse, whatever fields it cuts.
        check(std::holds_alternative<ParsedMarkup>(parseMarkup(story.toMarkup(a, b))));
    }
    for (const FieldSpan& f : story.fields(std::min(a, b), std::max(a, b))) {
        (void)story.fieldResult(f, context);
    }
}

void edit(Story& story, ByteSource& bytes) {
    const std::size_t a = bytes.next() % (story.length() + 2);
    const std::size_t b = bytes.next() % (story.length() + 2);
    const std::u16string name = bytes.next() % 2 ? u"b" : u"B2";
    switch (bytes.next() % 6) {
        case 0:
            story.insert(a, editText(bytes));
            break;
        case 1:
            story.erase(a, b);
            break;
        case 2:
            story.replace(a, b, editText(bytes));
            break;
        case 3:
            story.addBookmark(name, a, b);
            break;
        case 4:
            story.removeBookmark(name);
            break;
        default: {
            auto parsed = parseMarkup(u"[n>" + editText(bytes) + u"<n]");
            if (auto* content = std::get_if<ParsedMarkup>(&parsed)) {
                story.replaceWithMarkup(a, b, *content);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string markup =
        fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    auto parsed = parseMarkup(markup);
    if (const auto* error = std::get_if<MarkupError>(&parsed)) {
        check(error->line >= 1 && error->column >= 1 && !error->message.empty());
        return 0;
    }
    Story story(std::get<ParsedMarkup>(parsed));
    ByteSource bytes(data, size);
    checkWellFormed(story);
    renderBothWays(story, bytes);
    checkRoundTrip(story);
    for (int k = 0; k < 6 && !bytes.empty(); ++k) {
        edit(story, bytes);
        checkWellFormed(story);
        checkRoundTrip(story);
    }
    renderBothWays(story, bytes);
    return 0;
}
