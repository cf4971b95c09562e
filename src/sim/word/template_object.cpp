// Word's Template object, its AutoTextEntries collection and AutoTextEntry object.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

using TemplatePtr = std::shared_ptr<TemplateModel>;

class TemplateObject : public WordObject {
public:
    TemplateObject(WordPtr instance, TemplatePtr model)
        : WordObject(std::move(instance)), model_(std::move(model)) {
        readOnly(u"Name", [this] { return Variant(model_->name()); });
        readOnly(u"FullName", [this] { return Variant(model_->fullName()); });
        readOnly(u"Path", [this] { return Variant(model_->path()); });
        readOnly(u"AutoTextEntries", [this] { return makeAutoTextEntries(wordPtr(), model_); });
        method(u"Save", [this](Arguments&) {
            word().resources().saveTemplate(*model_);
            return Variant();
        });
        readWrite(
            u"Saved", [this] { return wordBool(model_->saved()); },
            [this](const Variant& v) { model_->setSaved(vb::cBool(v)); });
        defaultMember(u"Name");
    }

    const void* identity() const override { return model_.get(); }

private:
    TemplatePtr model_;
};

class AutoTextEntryObject : public WordObject {
public:
    AutoTextEntryObject(WordPtr instance, TemplatePtr model, std::u16string name)
        : WordObject(std::move(instance)), model_(std::move(model)), name_(std::move(name)) {
        readOnly(u"Name", [this] { return Variant(entry().name); });
        readWrite(
            u"Value", [this] { return Variant(entry().value); },
            [this](const Variant& v) { model_->setAutoText(entry().name, vb::cStr(v)); });
        method(u"Delete", [this](Arguments&) {
            model_->removeAutoText(entry().name);
            return Variant();
        });
        method(u"Insert", [this](Arguments& args) { return insert(requiredArgument(args, 0)); });
        defaultMember(u"Name");
    }

private:
    // Insert(Where[, RichText]): the entry's text replaces the range Where, as typing it would
    // (entries hold plain text, so RichText changes nothing); returns the range of the new
    // text. A selection that was the range Where ends up after the entry, as after F3.
    Variant insert(const Variant& where) {
        const std::u16string text = entry().value;
        const auto span = rangeSpanOf(where);
        if (!span)
            throw errors::typeMismatch();
        DocumentModel& document = *span->document;
        const bool selected =
            document.selectionStart() == span->start && document.selectionEnd() == span->end;
        const StoryRange placed = document.edit().replace(span->start, span->end, text);
        if (selected)
            document.select(placed.second, placed.second);
        return makeRange(wordPtr(), span->document, placed.first, placed.second);
    }

    // The entry as it is now; 5941 once it has been deleted.
    const AutoTextValue& entry() const {
        auto at = model_->findAutoText(name_);
        if (!at)
            throw word_errors::collectionMember();
        return model_->autoText()[*at];
    }

    TemplatePtr model_;
    std::u16string name_;
};

class AutoTextEntriesObject : public WordObject {
public:
    AutoTextEntriesObject(WordPtr instance, TemplatePtr model)
        : WordObject(std::move(instance)), model_(std::move(model)) {
        readOnly(u"Count",
                 [this] { return Variant(static_cast<std::int32_t>(model_->autoText().size())); });
        method(u"Item", [this](Arguments& args) {
            const CollectionKey key = collectionKeyOf(requiredArgument(args, 0));
            std::u16string name;
            if (key.position) {
                name =
                    model_->autoText()[positionIn(*key.position, model_->autoText().size())].name;
            } else {
                auto at = model_->findAutoText(key.name);
                if (!at)
                    throw word_errors::collectionMember();
                name = model_->autoText()[*at].name;
            }
            return entry(name);
        });
        method(u"Add", [this](Arguments& args) {
            const std::u16string name = vb::cStr(requiredArgument(args, 0));
            const Variant& value = requiredArgument(args, 1);
            if (name.empty())
                throw word_errors::invalidArgument();
            std::u16string text;
            if (auto span = rangeSpanOf(value)) {
                text = renderedText(word(), *span);
            } else {
                text = vb::cStr(value);
            }
            model_->setAutoText(name, std::move(text));
            return entry(name);
        });
        defaultMember(u"Item");
    }

private:
    DispatchPtr entry(const std::u16string& name) {
        return std::make_shared<AutoTextEntryObject>(wordPtr(), model_, name);
    }

    TemplatePtr model_;
};

}  // namespace

DispatchPtr makeTemplate(WordPtr word, TemplatePtr model) {
    return std::make_shared<TemplateObject>(std::move(word), std::move(model));
}

DispatchPtr makeAutoTextEntries(WordPtr word, TemplatePtr model) {
    return std::make_shared<AutoTextEntriesObject>(std::move(word), std::move(model));
}

}  // namespace k72645::sim
