// Word's Selection: the selection of the active document's window.
#include "automation/vb.h"
#include "sim/word/markup_input.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

constexpr std::int32_t kGoToBookmark = -1;
constexpr std::int32_t kCharacterUnit = 1;

class SelectionObject : public WordObject, public CoversStory {
public:
    explicit SelectionObject(WordPtr instance) : WordObject(std::move(instance)) {
        property(
            u"Text", [this](Arguments&) { return Variant(renderedText(word(), coveredSpan())); },
            [this](Arguments&, const Variant& v) { typeText(vb::cStr(v)); });
        readOnly(u"Start",
                 [this] { return Variant(static_cast<std::int32_t>(coveredSpan().start)); });
        readOnly(u"End", [this] { return Variant(static_cast<std::int32_t>(coveredSpan().end)); });
        readOnly(u"Fields", [this] {
            const RangeSpan span = coveredSpan();
            return makeFields(wordPtr(), span.document, span.start, span.end);
        });
        readOnly(u"Range", [this] {
            const RangeSpan span = coveredSpan();
            return makeRange(wordPtr(), span.document, span.start, span.end);
        });
        method(u"GoTo", [this](Arguments& args) { return goTo(args); });
        method(u"Delete", [this](Arguments& args) { return deleteText(args); });
        method(u"TypeText", [this](Arguments& args) {
            typeText(vb::cStr(requiredArgument(args, 0)));
            return Variant();
        });
        // Markup puts fields as Insert > Field does (with a result); TypedMarkup as the learner
        // typing them between field braces (Ctrl+F9): no result until updated. Both read the
        // same; the insertion point ends up after what was put.
        for (const bool typed : {false, true}) {
            property(
                typed ? u"TypedMarkup" : u"Markup",
                [this](Arguments&) {
                    const RangeSpan span = coveredSpan();
                    return Variant(span.document->story().toMarkup(span.start, span.end));
                },
                [this, typed](Arguments&, const Variant& v) {
                    ParsedMarkup content = parseMarkupArgument(vb::cStr(v));
                    if (typed)
                        content = withoutFieldResults(std::move(content));
                    const RangeSpan span = coveredSpan();
                    const std::size_t before = span.document->story().length();
                    span.document->edit().replaceWithMarkup(span.start, span.end, content);
                    const std::size_t after = span.end + span.document->story().length() - before;
                    span.document->select(after, after);
                });
        }
        defaultMember(u"Text");
    }

    RangeSpan coveredSpan() const override {
        auto document = word().requireActiveDocument();
        return RangeSpan{document, document->selectionStart(), document->selectionEnd()};
    }

private:
    Variant goTo(Arguments& args) {
        const std::int32_t what = optionalLong(args, 0, 1);
        auto document = word().requireActiveDocument();
        if (what != kGoToBookmark)
            throw word_errors::invalidArgument();
        const auto bookmark = document->story().bookmark(optionalText(args, 3));
        if (!bookmark)
            throw word_errors::unknownBookmark();
        document->select(bookmark->start, bookmark->start);
        return makeRange(wordPtr(), document, bookmark->start, bookmark->start);
    }

    // Delete([Unit], [Count]): the selection, or Count characters after the insertion point,
    // as the learner pressing Delete. Only characters (Unit 1) are known; returns the number
    // of characters deleted.
    Variant deleteText(Arguments& args) {
        if (optionalLong(args, 0, kCharacterUnit) != kCharacterUnit)
            throw word_errors::invalidArgument();
        const std::int32_t count = optionalLong(args, 1, 1);
        const RangeSpan span = coveredSpan();
        std::size_t end = span.end;
        if (span.start == span.end && count > 0)
            end = span.start + static_cast<std::size_t>(count);
        const StoryRange erased = span.document->edit().erase(span.start, end);
        span.document->select(erased.first, erased.first);
        return Variant(static_cast<std::int32_t>(erased.second - erased.first));
    }

    // Replaces the selection with the text; the insertion point follows it.
    void typeText(const std::u16string& text) {
        const RangeSpan span = coveredSpan();
        const std::size_t before = span.document->story().length();
        span.document->edit().replace(span.start, span.end, text);
        const std::size_t after = span.end + span.document->story().length() - before;
        span.document->select(after, after);
    }
};

}  // namespace

DispatchPtr makeSelection(WordPtr word) {
    return std::make_shared<SelectionObject>(std::move(word));
}

}  // namespace k72645::sim
