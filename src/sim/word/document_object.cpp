// Word's Document object.
#include <algorithm>

#include "automation/text.h"
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class DocumentObject : public WordObject {
public:
    DocumentObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readOnly(u"Name", [this] { return Variant(document_->name()); });
        readOnly(u"FullName", [this] { return Variant(document_->fullName()); });
        readOnly(u"Path", [this] { return Variant(document_->path()); });
        readOnly(u"Application", [this] { return makeApplication(wordPtr()); });
        method(u"Activate", [this](Arguments&) {
            word().activate(open());
            return Variant();
        });
        method(u"Close", [this](Arguments& args) {
            word().close(open(), saveChoiceOf(optionalLong(args, 0, kPromptToSaveChanges)));
            return Variant();
        });
        method(u"Save", [this](Arguments&) {
            word().save(*open());
            return Variant();
        });
        method(u"SaveAs", [this](Arguments& args) {
            word().saveAs(*open(), vb::cStr(requiredArgument(args, 0)));
            return Variant();
        });
        readWrite(
            u"Saved", [this] { return wordBool(document_->saved()); },
            [this](const Variant& v) { document_->setSaved(vb::cBool(v)); });
        readOnly(u"Content", [this] {
            return makeRange(wordPtr(), document_, 0, document_->story().length());
        });
        method(u"Range", [this](Arguments& args) {
            const auto length = static_cast<std::int32_t>(document_->story().length());
            const std::int32_t start = std::clamp(optionalLong(args, 0, 0), 0, length);
            const std::int32_t end = std::clamp(optionalLong(args, 1, length), start, length);
            return makeRange(wordPtr(), document_, static_cast<std::size_t>(start),
                             static_cast<std::size_t>(end));
        });
        readOnly(u"Fields", [this] {
            return makeFields(wordPtr(), document_, 0, document_->story().length());
        });
        readOnly(u"Bookmarks", [this] { return makeBookmarks(wordPtr(), document_); });
        readOnly(u"Paragraphs", [this] { return makeParagraphs(wordPtr(), document_); });
        readOnly(u"Sections", [this] { return makeSections(wordPtr(), document_); });
        readOnly(u"MailMerge", [this] { return makeMailMerge(wordPtr(), document_); });
        readOnly(u"ActiveWindow", [this] { return makeWindow(wordPtr(), document_); });
        property(
            u"AttachedTemplate",
            [this](Arguments&) { return makeTemplate(wordPtr(), word().templateOf(*document_)); },
            [this](Arguments&, const Variant& v) { attachTemplate(vb::cStr(vb::valueOf(v))); });
        readWrite(
            u"HasPassword", [this] { return wordBool(document_->hasPassword); },
            [this](const Variant& v) { document_->hasPassword = vb::cBool(v); });
        readWrite(
            u"ShowSpellingErrors", [this] { return wordBool(document_->showSpellingErrors); },
            [this](const Variant& v) { document_->showSpellingErrors = vb::cBool(v); });
        readWrite(
            u"ShowGrammaticalErrors", [this] { return wordBool(document_->showGrammaticalErrors); },
            [this](const Variant& v) { document_->showGrammaticalErrors = vb::cBool(v); });
        defaultMember(u"Name");
    }

    const void* identity() const override { return document_.get(); }

private:
    // A document closed since this object was obtained is no longer in the collection.
    DocumentPtr open() const {
        const auto& documents = word().documents();
        if (std::find(documents.begin(), documents.end(), document_) == documents.end())
            throw word_errors::collectionMember();
        return document_;
    }

    void attachTemplate(const std::u16string& fullName) {
        if (fullName.empty()) {
            document_->attachTemplate(nullptr);
            return;
        }
        document_->attachTemplate(word().resources().templateAt(word().resolvePath(fullName)));
    }

    DocumentPtr document_;
};

}  // namespace

DispatchPtr makeDocument(WordPtr word, DocumentPtr document) {
    return std::make_shared<DocumentObject>(std::move(word), std::move(document));
}

}  // namespace k72645::sim
