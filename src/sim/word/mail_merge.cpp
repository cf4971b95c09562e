#include "sim/word/mail_merge.h"

#include "automation/text.h"
#include "sim/word/word_errors.h"

namespace k72645::sim {

namespace {

std::u16string keywordOf(const Story& story, const FieldSpan& field) {
    const std::u16string code = trim(story.fieldCode(field));
    return code.substr(0, code.find(u' '));
}

bool isNextField(const Story& story, const FieldSpan& field) {
    return equalsIgnoreCase(keywordOf(story, field), u"NEXT");
}

// The fields a merge resolves; any other field goes into the merged document as a field.
}  // namespace

bool isMergeField(const Story& story, const FieldSpan& field) {
    const std::u16string keyword = keywordOf(story, field);
    for (const char16_t* merge :
         {u"MERGEFIELD", u"IF", u"NEXT", u"NEXTIF", u"SKIPIF", u"MERGEREC", u"MERGESEQ"}) {
        if (equalsIgnoreCase(keyword, merge))
            return true;
    }
    return false;
}

namespace {

// [start, end) merged: merge fields of the top level give their results, other fields stay
// fields (with their code as it stands), the text between is copied.
std::u16string mergeSpan(const Story& story, std::size_t start, std::size_t end,
                         const RenderContext& context) {
    std::u16string merged;
    std::size_t at = start;
    for (const FieldSpan& field : story.fields(start, end)) {
        if (field.begin < at)
            continue;  // nested in a field already merged or kept
        merged += story.render(at, field.begin, context);
        if (isMergeField(story, field)) {
            merged += story.render(field.begin, field.end + 1, context);
        } else {
            merged += story.characters().substr(field.begin, field.end + 1 - field.begin);
        }
        at = field.end + 1;
    }
    merged += story.render(at, end, context);
    return merged;
}

// The spans between the NEXT fields of the story's top level, up to (not including) the final
// paragraph mark. Each span takes one record.
std::vector<std::pair<std::size_t, std::size_t>> recordSpans(const Story& story) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    const std::size_t end = story.length() - 1;
    std::size_t start = 0;
    std::size_t topLevelEnd = 0;
    for (const FieldSpan& field : story.allFields()) {
        if (field.begin < topLevelEnd)
            continue;  // nested in a field already seen
        topLevelEnd = field.end + 1;
        if (isNextField(story, field) && field.end < end) {
            spans.emplace_back(start, field.begin);
            start = field.end + 1;
        }
    }
    spans.emplace_back(start, end);
    return spans;
}

std::u16string nextFieldCharacters() {
    std::u16string next;
    next += kFieldBegin;
    next += u" NEXT ";
    next += kFieldSeparator;
    next += kFieldEnd;
    return next;
}

}  // namespace

Story mergeStory(const DocumentModel& main, const DataSource& source, Edition edition, double now) {
    const auto records = source.mergeRecords();
    if (records.empty())
        throw word_errors::noRecordsToMerge();
    // The merge updates the fields it copies, those never updated in the main document too.
    Story story = main.story();
    story.updateFields(0, story.length());
    const auto spans = recordSpans(story);
    const Database& database = source.database();

    RenderContext context = renderContextFor(main, edition, now);
    context.showFieldCodes = false;
    std::u16string merged;
    std::size_t next = 0;
    while (next < records.size()) {
        for (const auto& [start, end] : spans) {
            const std::vector<std::u16string>* record =
                next < records.size() ? &records[next] : nullptr;
            ++next;
            context.mergeValue = [&database, record](std::u16string_view field) {
                auto index = database.fieldIndex(field);
                if (!record || !index || *index >= record->size())
                    return std::optional<std::u16string>(std::u16string());
                return std::optional<std::u16string>((*record)[*index]);
            };
            merged += mergeSpan(story, start, end, context);
        }
        merged += kSectionBreak;
    }
    merged += kParagraphMark;
    return Story(ParsedMarkup{merged, {}});
}

void propagateLabel(DocumentModel& labels) {
    const Story& story = labels.story();
    const std::size_t count = story.paragraphCount() / kParagraphsPerLabel;
    if (count < 2)
        return;
    const std::size_t firstEnd = story.paragraphRange(kParagraphsPerLabel).second;
    std::size_t firstStart = 0;
    // A first label that itself begins with NEXT is copied without it.
    for (const FieldSpan& field : story.fields(0, firstEnd)) {
        if (field.begin == 0 && isNextField(story, field))
            firstStart = field.end + 1;
        break;
    }
    const std::u16string copy =
        nextFieldCharacters() + story.characters().substr(firstStart, firstEnd - firstStart);
    Story& edited = labels.edit();
    for (std::size_t label = count; label >= 2; --label) {
        const std::size_t start =
            edited.paragraphRange((label - 1) * kParagraphsPerLabel + 1).first;
        const std::size_t end = edited.paragraphRange(label * kParagraphsPerLabel).second;
        if (end == edited.length() && !copy.empty()) {
            // The story's final paragraph mark stays: it closes the copy.
            edited.replace(start, end - 1, std::u16string_view(copy).substr(0, copy.size() - 1));
        } else {
            edited.replace(start, end, copy);
        }
    }
}

}  // namespace k72645::sim
