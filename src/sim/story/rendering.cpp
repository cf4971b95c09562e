// What Word shows for a range of the story: Story::render and Story::fieldResult.
#include <algorithm>

#include "sim/story/field_evaluation.h"
#include "sim/story/story.h"

namespace k72645::sim {

namespace {

// A field nested deeper than this in other fields' codes shows "" as a result, so that
// evaluation never exhausts the stack.
constexpr int kMaxFieldDepth = 64;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == kParagraphMark || c == kLineBreak ||
           c == kSectionBreak || c == u'\n';
}

}  // namespace

std::u16string Story::render(std::size_t start, std::size_t end,
                             const RenderContext& context) const {
    end = std::min(end, text_.size());
    start = std::min(start, end);
    return context.showFieldCodes ? renderCodes(start, end) : renderResults(start, end, context, 0);
}

std::u16string Story::fieldResult(const FieldSpan& field, const RenderContext& context) const {
    const FieldSpan* stored = fieldBeginningAt(field.begin);
    if (!stored || !stored->hasResult())
        return {};
    return evaluate(*stored, context, 0);
}

// Fields wholly inside the range show 19 + code + 21, nested ones the same way, so this is a
// single walk whatever the depth. The separator of a field the range cuts is not shown; its
// other field characters are.
std::u16string Story::renderCodes(std::size_t start, std::size_t end) const {
    std::u16string out;
    out.reserve(end - start);
    std::vector<const FieldSpan*> open;
    std::size_t i = start;
    while (i < end) {
        if (!open.empty() && i == open.back()->separator) {
            out += kFieldEnd;
            i = open.back()->end + 1;
            open.pop_back();
            continue;
        }
        const char16_t c = text_[i];
        if (c == kFieldBegin) {
            const FieldSpan* field = fieldBeginningAt(i);
            if (field && field->end < end)
                open.push_back(field);
        }
        if (c != kFieldSeparator)
            out += c;
        ++i;
    }
    return out;
}

std::u16string Story::renderResults(std::size_t start, std::size_t end,
                                    const RenderContext& context, int depth) const {
    std::u16string out;
    out.reserve(end - start);
    std::size_t i = start;
    while (i < end) {
        const char16_t c = text_[i];
        if (c == kFieldBegin) {
            const FieldSpan* field = fieldBeginningAt(i);
            if (field && field->end < end) {
                // A field never updated shows nothing. Fields nested in a code are evaluated
                // with the field that holds them, whatever their own state.
                if (field->hasResult())
                    out += evaluate(*field, context, depth);
                i = field->end + 1;
                continue;
            }
        }
        if (c != kFieldSeparator)
            out += c;
        ++i;
    }
    return out;
}

namespace {

// The context of a field nested in another field's code: its merge fields take the active
// record's value whatever the view, since the outer field (an IF) compares that value.
RenderContext nestedContext(const RenderContext& context) {
    if (!context.recordValue)
        return context;
    RenderContext inner = context;
    inner.mergeValue = context.recordValue;
    return inner;
}

}  // namespace

// Cuts the code into words (a nested field stands as its result inside a word) and computes
// the result from them. In a quoted text \" and \\ stand for " and \.
std::u16string Story::evaluate(const FieldSpan& field, const RenderContext& context,
                               int depth) const {
    if (depth > kMaxFieldDepth)
        return {};
    const std::size_t codeEnd = field.separator;
    std::vector<FieldWord> words;
    std::size_t i = field.begin + 1;
    // Appends the character (or nested field) at i to the word and moves past it.
    auto take = [&](FieldWord& word) {
        const char16_t c = text_[i];
        if (c == kFieldBegin) {
            const FieldSpan* nested = fieldBeginningAt(i);
            if (nested && nested->end < codeEnd) {
                word.text += evaluate(*nested, nestedContext(context), depth + 1);
                i = nested->end + 1;
                return;
            }
        }
        if (c != kFieldSeparator && c != kFieldEnd)
            word.text += c;
        ++i;
    };
    while (i < codeEnd) {
        if (isBlank(text_[i])) {
            ++i;
            continue;
        }
        FieldWord word;
        if (text_[i] == u'"') {
            word.quoted = true;
            ++i;
            while (i < codeEnd && text_[i] != u'"') {
                if (text_[i] == u'\\' && i + 1 < codeEnd &&
                    (text_[i + 1] == u'"' || text_[i + 1] == u'\\')) {
                    word.text += text_[i + 1];
                    i += 2;
                } else {
                    take(word);
                }
            }
            ++i;  // the closing quotation mark
        } else {
            while (i < codeEnd && !isBlank(text_[i]) && text_[i] != u'"')
                take(word);
        }
        words.push_back(std::move(word));
    }
    return evaluateFieldWords(words, context);
}

}  // namespace k72645::sim
