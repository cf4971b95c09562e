// Writing markup: see Story::toMarkup in story.h.
#include <algorithm>

#include "sim/story/markup_syntax.h"
#include "sim/story/story.h"

namespace k72645::sim {

namespace {

// A bookmark marker to write before the character at position.
struct Marker {
    std::size_t position;
    int order;  // ends of bookmarks first, then empty ones, then starts
    std::u16string text;
};

std::vector<Marker> markersFor(const std::vector<BookmarkSpan>& bookmarks, std::size_t start,
                               std::size_t end) {
    std::vector<Marker> markers;
    for (const BookmarkSpan& b : bookmarks) {
        if (b.start < start || b.end > end)
            continue;
        const std::u16string open = u"[" + b.name + u">";
        const std::u16string close = u"<" + b.name + u"]";
        if (b.start == b.end) {
            markers.push_back({b.start, 1, open + close});
        } else {
            markers.push_back({b.start, 2, open});
            markers.push_back({b.end, 0, close});
        }
    }
    std::stable_sort(markers.begin(), markers.end(), [](const Marker& a, const Marker& b) {
        return a.position != b.position ? a.position < b.position : a.order < b.order;
    });
    return markers;
}

// Text characters that may need a backslash, depending on what follows them in the output.
bool mayNeedEscape(char16_t c) {
    return c == u'\\' || c == u'[' || c == u'<';
}

// The written markup, before the context-dependent escapes; literal[k] tells whether out[k]
// is a character of the text (as opposed to markup syntax).
struct Draft {
    std::u16string out;
    std::vector<bool> literal;

    void syntax(std::u16string_view s) {
        out += s;
        literal.resize(out.size(), false);
    }
    void text(char16_t c) {
        switch (c) {
            case kParagraphMark:
                return syntax(u"\\r");
            case kLineBreak:
                return syntax(u"\\v");
            case kSectionBreak:
                return syntax(u"\\f");
            case u'{':
                return syntax(u"\\{");
            case u'}':
                return syntax(u"\\}");
            default:
                out += c;
                literal.push_back(true);
        }
    }

    // A backslash is escaped when what follows it would make an escape; "[" and "<" when
    // what follows would make a bookmark marker.
    std::u16string finish() const {
        const std::size_t n = out.size();
        std::vector<bool> escape(n, false);
        for (std::size_t k = n; k-- > 0;) {
            if (!literal[k] || !mayNeedEscape(out[k]))
                continue;
            if (out[k] == u'\\') {
                const char16_t next = k + 1 < n ? (escape[k + 1] ? u'\\' : out[k + 1]) : 0;
                escape[k] = next != 0 && markup::escapedChar(next) != 0;
            } else {
                const char16_t closer = out[k] == u'[' ? u'>' : u']';
                escape[k] = markup::bookmarkMarkerLength(out, k, out[k], closer) != 0;
            }
        }
        std::u16string result;
        result.reserve(n + n / 8);
        for (std::size_t k = 0; k < n; ++k) {
            if (escape[k])
                result += u'\\';
            result += out[k];
        }
        return result;
    }
};

}  // namespace

std::u16string Story::toMarkup(std::size_t start, std::size_t end) const {
    ensureIndex();
    end = std::min(end, text_.size());
    start = std::min(start, end);
    const std::vector<Marker> markers = markersFor(bookmarks_, start, end);
    std::size_t nextMarker = 0;
    auto writeMarkersUpTo = [&](Draft& draft, std::size_t position) {
        while (nextMarker < markers.size() && markers[nextMarker].position <= position) {
            draft.syntax(markers[nextMarker++].text);
        }
    };

    Draft draft;
    std::vector<const FieldSpan*> open;  // fields wholly inside the range, being written
    std::size_t i = start;
    while (i < end) {
        writeMarkersUpTo(draft, i);
        if (!open.empty() && i == open.back()->separator) {
            // A stored result is not written: it is computed when read.
            draft.syntax(u"}");
            i = open.back()->end + 1;
            open.pop_back();
            continue;
        }
        const char16_t c = text_[i];
        if (c == kFieldBegin) {
            const FieldSpan* field = fieldBeginningAt(i);
            if (field && field->end < end) {
                draft.syntax(u"{");
                open.push_back(field);
            }
        } else if (c != kFieldSeparator && c != kFieldEnd) {
            draft.text(c);
        }
        // Field characters of fields the range cuts are left out: alone they are no field.
        ++i;
    }
    writeMarkersUpTo(draft, end);
    return draft.finish();
}

}  // namespace k72645::sim
