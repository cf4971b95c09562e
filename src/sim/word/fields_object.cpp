// Word's Fields collection (of a document or a range) and Field object.
#include "automation/text.h"
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

// Word's WdFieldType values of the fields the simulator computes.
std::int32_t fieldTypeOf(std::u16string_view code) {
    const std::u16string trimmed = trim(code);
    const std::u16string word = lcase(trimmed.substr(0, trimmed.find(u' ')));
    if (word == u"mergefield")
        return 59;
    if (word == u"if")
        return 7;
    if (word == u"date")
        return 31;
    if (word == u"time")
        return 32;
    if (word == u"page")
        return 33;
    if (word == u"fillin")
        return 39;
    if (word == u"next")
        return 41;
    return -1;  // wdFieldEmpty
}

// Updates the fields of [start, end); the document changes only when one had no result.
void updateFields(DocumentModel& document, std::size_t start, std::size_t end) {
    const std::size_t length = document.story().length();
    Story updated = document.story();
    if (updated.updateFields(std::min(start, length), std::min(end, length)))
        document.edit() = std::move(updated);
}

class FieldsObject : public WordObject {
public:
    FieldsObject(WordPtr instance, DocumentPtr document, std::size_t start, std::size_t end)
        : WordObject(std::move(instance)),
          document_(std::move(document)),
          start_(start),
          end_(end) {
        readOnly(u"Count", [this] { return Variant(static_cast<std::int32_t>(fields().size())); });
        method(u"Item", [this](Arguments& args) {
            const auto all = fields();
            const std::int32_t index = vb::cLng(requiredArgument(args, 0));
            return makeField(wordPtr(), document_, all[positionIn(index, all.size())]);
        });
        // As F9 on the range: every field gets a result, computed when read from then on.
        // Returns 0: no field failed to update.
        method(u"Update", [this](Arguments&) {
            updateFields(*document_, start_, end_);
            return Variant(std::int32_t{0});
        });
        defaultMember(u"Item");
    }

private:
    std::vector<FieldSpan> fields() const {
        const std::size_t length = document_->story().length();
        return document_->story().fields(std::min(start_, length), std::min(end_, length));
    }

    DocumentPtr document_;
    std::size_t start_;
    std::size_t end_;
};

class FieldObject : public WordObject {
public:
    FieldObject(WordPtr instance, DocumentPtr document, FieldSpan field)
        : WordObject(std::move(instance)), document_(std::move(document)), field_(field) {
        readOnly(u"Code", [this] {
            return makeRange(wordPtr(), document_, field_.begin + 1, field_.separator);
        });
        readOnly(u"Result", [this] { return makeFieldResult(wordPtr(), document_, field_); });
        readOnly(u"Type",
                 [this] { return Variant(fieldTypeOf(document_->story().fieldCode(field_))); });
        method(u"Update", [this](Arguments&) {
            updateFields(*document_, field_.begin, field_.end + 1);
            if (!field_.hasResult()) {
                field_.separator = field_.end;  // the separator now stands where the end stood
                ++field_.end;
            }
            return wordBool(true);
        });
        defaultMember(u"Code");
    }

private:
    DocumentPtr document_;
    FieldSpan field_;
};

class FieldResultObject : public WordObject {
public:
    FieldResultObject(WordPtr instance, DocumentPtr document, FieldSpan field)
        : WordObject(std::move(instance)), document_(std::move(document)), field_(field) {
        readOnly(u"Text", [this] {
            return Variant(
                document_->story().fieldResult(field_, word().renderContext(*document_)));
        });
        // A field without a result has an empty one, at its end.
        readOnly(u"Start", [this] {
            return Variant(
                static_cast<std::int32_t>(field_.hasResult() ? field_.separator + 1 : field_.end));
        });
        readOnly(u"End", [this] { return Variant(static_cast<std::int32_t>(field_.end)); });
        defaultMember(u"Text");
    }

private:
    DocumentPtr document_;
    FieldSpan field_;
};

}  // namespace

DispatchPtr makeFields(WordPtr word, DocumentPtr document, std::size_t start, std::size_t end) {
    return std::make_shared<FieldsObject>(std::move(word), std::move(document), start, end);
}

DispatchPtr makeField(WordPtr word, DocumentPtr document, FieldSpan field) {
    return std::make_shared<FieldObject>(std::move(word), std::move(document), field);
}

DispatchPtr makeFieldResult(WordPtr word, DocumentPtr document, FieldSpan field) {
    return std::make_shared<FieldResultObject>(std::move(word), std::move(document), field);
}

}  // namespace k72645::sim
