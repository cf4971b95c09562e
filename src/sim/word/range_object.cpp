// Word's Range object: a place [start, end) in a document's story.
#include <algorithm>

#include "automation/vb.h"
#include "sim/word/markup_input.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class RangeObject : public WordObject, public CoversStory {
public:
    RangeObject(WordPtr instance, DocumentPtr document, std::size_t start, std::size_t end)
        : WordObject(std::move(instance)),
          document_(std::move(document)),
          start_(start),
          end_(end) {
        property(
            u"Text", [this](Arguments&) { return Variant(renderedText(word(), coveredSpan())); },
            [this](Arguments&, const Variant& v) { replace(vb::cStr(v)); });
        readWrite(
            u"Start", [this] { return Variant(static_cast<std::int32_t>(coveredSpan().start)); },
            [this](const Variant& v) {
                start_ = static_cast<std::size_t>(std::max(0, vb::cLng(v)));
                end_ = std::max(start_, end_);
            });
        readWrite(
            u"End", [this] { return Variant(static_cast<std::int32_t>(coveredSpan().end)); },
            [this](const Variant& v) {
                end_ = static_cast<std::size_t>(std::max(0, vb::cLng(v)));
                start_ = std::min(start_, end_);
            });
        readOnly(u"Fields", [this] {
            const RangeSpan span = coveredSpan();
            return makeFields(wordPtr(), document_, span.start, span.end);
        });
        readOnly(u"Document", [this] { return makeDocument(wordPtr(), document_); });
        readOnly(u"Application", [this] { return makeApplication(wordPtr()); });
        // The range grows to hold the new text, except that a range which is a whole
        // bookmark does not grow by InsertAfter (nor does the bookmark: the text goes after it).
        method(u"InsertAfter", [this](Arguments& args) {
            const std::u16string text = vb::cStr(requiredArgument(args, 0));
            const RangeSpan span = coveredSpan();
            const bool isBookmark = isWholeBookmark(span);
            const StoryRange placed = document_->edit().insert(span.end, text);
            start_ = span.start;
            end_ = isBookmark ? span.end : span.end + (placed.second - placed.first);
            return Variant();
        });
        method(u"InsertBefore", [this](Arguments& args) {
            const std::u16string text = vb::cStr(requiredArgument(args, 0));
            const RangeSpan span = coveredSpan();
            const StoryRange placed = document_->edit().insert(span.start, text);
            start_ = span.start;
            end_ = span.end + (placed.second - placed.first);
            return Variant();
        });
        // Markup puts fields as Insert > Field does (with a result); TypedMarkup as the learner
        // typing them between field braces (Ctrl+F9): no result until updated (F9,
        // Fields.Update). Both read the same.
        for (const bool typed : {false, true}) {
            property(
                typed ? u"TypedMarkup" : u"Markup",
                [this](Arguments&) {
                    const RangeSpan span = coveredSpan();
                    return Variant(document_->story().toMarkup(span.start, span.end));
                },
                [this, typed](Arguments&, const Variant& v) {
                    ParsedMarkup content = parseMarkupArgument(vb::cStr(v));
                    if (typed)
                        content = withoutFieldResults(std::move(content));
                    const RangeSpan span = coveredSpan();
                    const std::size_t before = document_->story().length();
                    document_->edit().replaceWithMarkup(span.start, span.end, content);
                    start_ = span.start;
                    end_ = span.end + document_->story().length() - before;
                });
        }
        defaultMember(u"Text");
    }

    RangeSpan coveredSpan() const override {
        const std::size_t length = document_->story().length();
        const std::size_t end = std::min(end_, length);
        return RangeSpan{document_, std::min(start_, end), end};
    }

private:
    bool isWholeBookmark(const RangeSpan& span) const {
        for (const BookmarkSpan& b : document_->story().bookmarks()) {
            if (b.start == span.start && b.end == span.end)
                return true;
        }
        return false;
    }

    void replace(const std::u16string& text) {
        const RangeSpan span = coveredSpan();
        const std::size_t before = document_->story().length();
        document_->edit().replace(span.start, span.end, text);
        start_ = span.start;
        end_ = span.end + document_->story().length() - before;
    }

    DocumentPtr document_;
    std::size_t start_;
    std::size_t end_;
};

}  // namespace

DispatchPtr makeRange(WordPtr word, DocumentPtr document, std::size_t start, std::size_t end) {
    return std::make_shared<RangeObject>(std::move(word), std::move(document), start, end);
}

std::optional<RangeSpan> rangeSpanOf(const Variant& value) {
    if (!value.isObject() || !value.object())
        return std::nullopt;
    if (auto* covers = dynamic_cast<const CoversStory*>(value.object().get()))
        return covers->coveredSpan();
    return std::nullopt;
}

std::u16string renderedText(WordInstance& word, const RangeSpan& span) {
    return span.document->story().render(span.start, span.end, word.renderContext(*span.document));
}

}  // namespace k72645::sim
