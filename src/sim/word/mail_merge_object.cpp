// Word's MailMerge object of a document.
#include <algorithm>

#include "automation/text.h"
#include "automation/vb.h"
#include "sim/word/mail_merge.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

// The comma-separated names of a header record, trimmed: at least one, none empty, no two
// alike (case ignored).
std::vector<std::u16string> headerFields(const std::u16string& header) {
    std::vector<std::u16string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = header.find(u',', start);
        std::u16string name = trim(std::u16string_view(header).substr(
            start, comma == std::u16string::npos ? std::u16string::npos : comma - start));
        if (name.empty())
            throw word_errors::invalidArgument();
        for (const auto& seen : fields) {
            if (equalsIgnoreCase(seen, name))
                throw word_errors::invalidArgument();
        }
        fields.push_back(std::move(name));
        if (comma == std::u16string::npos)
            return fields;
        start = comma + 1;
    }
}

class MailMergeObject : public WordObject {
public:
    MailMergeObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readWrite(
            u"MainDocumentType", [this] { return Variant(document_->merge().mainDocumentType); },
            [this](const Variant& v) { setMainDocumentType(vb::cLng(v)); });
        readOnly(u"State", [this] { return Variant(document_->merge().state()); });
        readOnly(u"DataSource", [this] { return makeMailMergeDataSource(wordPtr(), document_); });
        readWrite(
            u"ViewMailMergeFieldCodes",
            [this] { return wordBool(mainDocumentMerge().viewFieldCodes); },
            [this](const Variant& v) {
                mainDocumentMerge().viewFieldCodes = vb::cBool(v);
                // Switching the view updates the merge fields, those never updated too.
                const std::vector<FieldSpan> fields = document_->story().allFields();
                if (std::any_of(fields.begin(), fields.end(),
                                [](const FieldSpan& f) { return !f.hasResult(); })) {
                    Story& story = document_->edit();
                    story.updateFields(0, story.length(), [&story](const FieldSpan& f) {
                        return isMergeField(story, f);
                    });
                }
            });
        method(u"OpenDataSource", [this](Arguments& args) {
            // Word names a data source by its full path, however it was given.
            const std::u16string fullName = word().resolvePath(vb::cStr(requiredArgument(args, 0)));
            auto source = word().resources().attachDataSource(fullName, fullName);
            MergeSettings& merge = document_->editMerge();
            merge.dataSource = std::move(source);
            becomeMainDocument(merge);
            return Variant();
        });
        method(u"OpenHeaderSource", [this](Arguments& args) {
            const std::u16string name = vb::cStr(requiredArgument(args, 0));
            const std::u16string fullName = word().resolvePath(name);
            if (!word().files().fileExists(fullName))
                throw word_errors::fileNotFound(fullName);
            MergeSettings& merge = document_->editMerge();
            merge.headerSource = name;
            becomeMainDocument(merge);
            return Variant();
        });
        method(u"CreateDataSource", [this](Arguments& args) {
            const std::u16string fullName = word().resolvePath(vb::cStr(requiredArgument(args, 0)));
            auto fields = headerFields(vb::cStr(requiredArgument(args, 3)));
            // An Office Address List (the .mdb the New Address List dialog makes) names its
            // fields with their spaces made underscores.
            if (lcase(std::u16string_view(fullName).substr(
                    fullName.size() >= 4 ? fullName.size() - 4 : 0)) == u".mdb") {
                for (std::u16string& field : fields)
                    std::replace(field.begin(), field.end(), u' ', u'_');
            }
            auto source =
                word().resources().createDataSource(fullName, fullName, std::move(fields));
            MergeSettings& merge = document_->editMerge();
            merge.dataSource = std::move(source);
            becomeMainDocument(merge);
            return Variant();
        });
        method(u"Execute", [this](Arguments&) {
            const MergeSettings& merge = document_->merge();
            if (merge.mainDocumentType == kNotAMergeDocument)
                throw word_errors::notMainDocument();
            if (!merge.dataSource)
                throw word_errors::noDataSource();
            word().addMerged(
                mergeStory(*document_, *merge.dataSource, word().edition(), word().now()),
                merge.mainDocumentType);
            return Variant();
        });
        method(u"PropagateLabel", [this](Arguments&) {
            if (document_->merge().mainDocumentType != kMailingLabels)
                throw word_errors::notMainDocument();
            propagateLabel(*document_);
            return Variant();
        });
    }

private:
    // The merge settings of a main document; 4605 for a document that is not one.
    MergeSettings& mainDocumentMerge() {
        if (document_->merge().mainDocumentType == kNotAMergeDocument)
            throw word_errors::notMainDocument();
        return document_->merge();
    }

    void setMainDocumentType(std::int32_t type) {
        if (type < kNotAMergeDocument || type > kFax)
            throw word_errors::valueOutOfRange();
        MergeSettings& merge = document_->editMerge();
        merge.mainDocumentType = type;
        if (type == kNotAMergeDocument)
            merge.detach();
    }

    static void becomeMainDocument(MergeSettings& merge) {
        if (merge.mainDocumentType == kNotAMergeDocument)
            merge.mainDocumentType = kFormLetters;
    }

    DocumentPtr document_;
};

}  // namespace

DispatchPtr makeMailMerge(WordPtr word, DocumentPtr document) {
    return std::make_shared<MailMergeObject>(std::move(word), std::move(document));
}

}  // namespace k72645::sim
