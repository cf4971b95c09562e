// Word's MailMergeDataFields (the active record's values) and MailMergeFieldNames, with their
// items.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

using SourcePtr = std::shared_ptr<DataSource>;

// The position from 0 of a field given by position from 1 or by name.
std::size_t fieldPosition(const DataSource& source, const Variant& index) {
    const CollectionKey key = collectionKeyOf(index);
    const auto& fields = source.database().fields;
    if (key.position)
        return positionIn(*key.position, fields.size());
    if (auto found = source.database().fieldIndex(key.name))
        return *found;
    throw word_errors::collectionMember();
}

class DataFieldObject : public WordObject {
public:
    DataFieldObject(WordPtr instance, SourcePtr source, std::size_t position)
        : WordObject(std::move(instance)), source_(std::move(source)), position_(position) {
        readOnly(u"Name", [this] { return Variant(name()); });
        readWrite(
            u"Value", [this] { return Variant(source_->value(position_ + 1)); },
            [this](const Variant& v) { source_->setValue(position_ + 1, vb::cStr(v)); });
        readOnly(u"Index", [this] { return Variant(static_cast<std::int32_t>(position_ + 1)); });
        defaultMember(u"Value");
    }

private:
    std::u16string name() const {
        const auto& fields = source_->database().fields;
        if (position_ >= fields.size())
            throw word_errors::collectionMember();
        return fields[position_];
    }

    SourcePtr source_;
    std::size_t position_;
};

class FieldNameObject : public WordObject {
public:
    FieldNameObject(WordPtr instance, SourcePtr source, std::size_t position)
        : WordObject(std::move(instance)), source_(std::move(source)), position_(position) {
        readOnly(u"Name", [this] {
            const auto& fields = source_->database().fields;
            if (position_ >= fields.size())
                throw word_errors::collectionMember();
            return Variant(fields[position_]);
        });
        readOnly(u"Index", [this] { return Variant(static_cast<std::int32_t>(position_ + 1)); });
        defaultMember(u"Name");
    }

private:
    SourcePtr source_;
    std::size_t position_;
};

template <class Item>
class FieldCollectionObject : public WordObject {
public:
    FieldCollectionObject(WordPtr instance, SourcePtr source)
        : WordObject(std::move(instance)), source_(std::move(source)) {
        readOnly(u"Count", [this] {
            return Variant(static_cast<std::int32_t>(source_->database().fields.size()));
        });
        method(u"Item", [this](Arguments& args) {
            const std::size_t position = fieldPosition(*source_, requiredArgument(args, 0));
            return DispatchPtr(std::make_shared<Item>(wordPtr(), source_, position));
        });
        defaultMember(u"Item");
    }

private:
    SourcePtr source_;
};

}  // namespace

DispatchPtr makeDataFields(WordPtr word, SourcePtr source) {
    return std::make_shared<FieldCollectionObject<DataFieldObject>>(std::move(word),
                                                                    std::move(source));
}

DispatchPtr makeFieldNames(WordPtr word, SourcePtr source) {
    return std::make_shared<FieldCollectionObject<FieldNameObject>>(std::move(word),
                                                                    std::move(source));
}

}  // namespace k72645::sim
