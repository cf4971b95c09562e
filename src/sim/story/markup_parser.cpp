// Reading markup: see parseMarkup in story.h.
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "automation/text.h"
#include "sim/story/markup_syntax.h"
#include "sim/story/story.h"

namespace k72645::sim {

namespace {

struct OpenMark {
    std::size_t at;  // position in the markup, for error messages
    std::u16string name;
    std::size_t start = 0;
};

class MarkupReader {
public:
    explicit MarkupReader(std::u16string_view markup) : in_(markup) {}

    std::variant<ParsedMarkup, MarkupError> read() {
        std::size_t i = 0;
        while (i < in_.size() && !error_)
            i = step(i);
        if (error_)
            return *error_;
        if (!fields_.empty()) {
            return errorAt(
                fields_.back(),
                "expected \"}\" to close the field opened here before the end of the text");
        }
        if (!open_.empty()) {
            const OpenMark& first = open_.begin()->second;
            return errorAt(first.at, "expected \"<" + toUtf8(first.name) +
                                         "]\" to end the bookmark opened here before the "
                                         "end of the text");
        }
        return std::move(out_);
    }

private:
    std::size_t step(std::size_t i) {
        const char16_t c = in_[i];
        switch (c) {
            case u'\\': {
                const char16_t escaped = i + 1 < in_.size() ? markup::escapedChar(in_[i + 1]) : 0;
                out_.characters += escaped ? escaped : c;
                return escaped ? i + 2 : i + 1;
            }
            case u'{':
                fields_.push_back(i);
                out_.characters += kFieldBegin;
                return i + 1;
            case u'}':
                if (fields_.empty()) {
                    fail(i,
                         "expected text or \"{\": this \"}\" closes no field (write \\} for a "
                         "brace in text)");
                    return i + 1;
                }
                fields_.pop_back();
                out_.characters += kFieldSeparator;
                out_.characters += kFieldEnd;
                return i + 1;
            case u'[':
                if (std::size_t n = markup::bookmarkMarkerLength(in_, i, u'[', u'>')) {
                    startBookmark(i, in_.substr(i + 1, n - 2));
                    return i + n;
                }
                break;
            case u'<':
                if (std::size_t n = markup::bookmarkMarkerLength(in_, i, u'<', u']')) {
                    endBookmark(i, in_.substr(i + 1, n - 2));
                    return i + n;
                }
                break;
            case kFieldBegin:
            case kFieldSeparator:
            case kFieldEnd:
                fail(i,
                     "expected text: field characters (19 to 21) cannot be written as they are; "
                     "write a field as { code }");
                return i + 1;
            default:
                break;
        }
        out_.characters += c;
        return i + 1;
    }

    void startBookmark(std::size_t at, std::u16string_view name) {
        std::u16string key = lcase(name);
        if (marked_.contains(key)) {
            fail(at, "expected a new bookmark name: \"" + toUtf8(name) + "\" is already marked");
            return;
        }
        marked_.insert(key);
        openByName_[std::move(key)] = opened_;
        open_[opened_++] = {at, std::u16string(name), out_.characters.size()};
    }

    void endBookmark(std::size_t at, std::u16string_view name) {
        const auto found = openByName_.find(lcase(name));
        if (found == openByName_.end()) {
            fail(at, "expected \"[" + toUtf8(name) + ">\" before \"<" + toUtf8(name) +
                         "]\": the bookmark ends before it starts");
            return;
        }
        const auto it = open_.find(found->second);
        out_.bookmarks.push_back({it->second.name, it->second.start, out_.characters.size()});
        open_.erase(it);
        openByName_.erase(found);
    }

    void fail(std::size_t at, std::string message) { error_ = errorAt(at, std::move(message)); }

    // Lines end with LF, CR or CR LF; columns count UTF-16 code units from 1.
    MarkupError errorAt(std::size_t at, std::string message) const {
        MarkupError e{1, 1, std::move(message)};
        for (std::size_t k = 0; k < at && k < in_.size(); ++k) {
            const bool crlf = in_[k] == u'\r' && k + 1 < in_.size() && in_[k + 1] == u'\n';
            if ((in_[k] == u'\n' || in_[k] == u'\r') && !crlf) {
                ++e.line;
                e.column = 1;
            } else if (!crlf) {
                ++e.column;
            }
        }
        return e;
    }

    std::u16string_view in_;
    ParsedMarkup out_;
    std::vector<std::size_t> fields_;  // markup positions of the "{" still open
    // The bookmarks still open, in the order they were opened, and where to find each by its
    // lower-cased name; every name marked so far, lower-cased (a name marks one bookmark).
    std::map<std::size_t, OpenMark> open_;
    std::unordered_map<std::u16string, std::size_t> openByName_;
    std::size_t opened_ = 0;
    std::unordered_set<std::u16string> marked_;
    std::optional<MarkupError> error_;
};

}  // namespace

std::variant<ParsedMarkup, MarkupError> parseMarkup(std::u16string_view markup) {
    return MarkupReader(markup).read();
}

}  // namespace k72645::sim
