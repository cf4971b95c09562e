// Word's MailMergeDataSource: the data source attached to a document, looked up at each call
// (5852 for every member but Name and QueryString while none is attached).
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class DataSourceObject : public WordObject {
public:
    DataSourceObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readOnly(u"Name", [this] {
            const auto& source = document_->merge().dataSource;
            return Variant(source ? source->name() : std::u16string());
        });
        readWrite(
            u"QueryString",
            [this] {
                const auto& source = document_->merge().dataSource;
                return Variant(source ? source->queryString() : std::u16string());
            },
            [this](const Variant& v) {
                source().setQueryString(vb::cStr(v));
                document_->setSaved(false);
            });
        readOnly(u"RecordCount", [this] { return Variant(source().recordCount()); });
        readWrite(
            u"ActiveRecord", [this] { return Variant(source().activeRecord()); },
            [this](const Variant& v) { source().setActiveRecord(vb::cLng(v)); });
        readWrite(
            u"FirstRecord", [this] { return Variant(source().firstRecord()); },
            [this](const Variant& v) { source().setFirstRecord(vb::cLng(v)); });
        readWrite(
            u"LastRecord", [this] { return Variant(source().lastRecord()); },
            [this](const Variant& v) { source().setLastRecord(vb::cLng(v)); });
        readWrite(
            u"Included", [this] { return wordBool(source().included()); },
            [this](const Variant& v) { source().setIncluded(vb::cBool(v)); });
        readOnly(u"DataFields", [this] { return makeDataFields(wordPtr(), sourcePtr()); });
        readOnly(u"FieldNames", [this] { return makeFieldNames(wordPtr(), sourcePtr()); });
        method(u"AddRecord", [this](Arguments& args) {
            std::vector<std::u16string> values;
            for (const Argument& arg : args)
                values.push_back(arg.value.isMissing() ? std::u16string() : vb::cStr(arg.value));
            source().addRecord(std::move(values));
            return Variant();
        });
        defaultMember(u"Name");
    }

private:
    const std::shared_ptr<DataSource>& sourcePtr() const {
        const auto& source = document_->merge().dataSource;
        if (!source)
            throw word_errors::noDataSource();
        return source;
    }
    DataSource& source() const { return *sourcePtr(); }

    DocumentPtr document_;
};

}  // namespace

DispatchPtr makeMailMergeDataSource(WordPtr word, DocumentPtr document) {
    return std::make_shared<DataSourceObject>(std::move(word), std::move(document));
}

}  // namespace k72645::sim
