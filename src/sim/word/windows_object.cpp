// Word's Windows collection (one window per document, in the order of the documents), Window
// and View objects.
#include <algorithm>

#include "automation/text.h"
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class ViewObject : public WordObject {
public:
    ViewObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readWrite(
            u"ShowAll", [this] { return wordBool(document_->window.showAll); },
            [this](const Variant& v) { document_->window.showAll = vb::cBool(v); });
        readWrite(
            u"ShowFieldCodes", [this] { return wordBool(document_->window.showFieldCodes); },
            [this](const Variant& v) { document_->window.showFieldCodes = vb::cBool(v); });
    }

    const void* identity() const override { return &document_->window.showAll; }

private:
    DocumentPtr document_;
};

class WindowObject : public WordObject {
public:
    WindowObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readOnly(u"Caption", [this] { return Variant(word().shownName(*document_)); });
        readOnly(u"Document", [this] { return makeDocument(wordPtr(), document_); });
        readOnly(u"View", [this] { return makeView(wordPtr(), document_); });
        method(u"Activate", [this](Arguments&) {
            const auto& documents = word().documents();
            if (std::find(documents.begin(), documents.end(), document_) == documents.end())
                throw word_errors::collectionMember();
            word().activate(document_);
            return Variant();
        });
        readWrite(
            u"WindowState", [this] { return Variant(document_->window.windowState); },
            [this](const Variant& v) {
                const std::int32_t state = vb::cLng(v);
                if (state < 0 || state > 2)
                    throw word_errors::valueOutOfRange();
                document_->window.windowState = state;
            });
        readWrite(
            u"DisplayVerticalScrollBar",
            [this] { return wordBool(document_->window.displayVerticalScrollBar); },
            [this](const Variant& v) {
                document_->window.displayVerticalScrollBar = vb::cBool(v);
            });
        readWrite(
            u"DisplayScreenTips", [this] { return wordBool(document_->window.displayScreenTips); },
            [this](const Variant& v) { document_->window.displayScreenTips = vb::cBool(v); });
        readWrite(
            u"StyleAreaWidth", [this] { return Variant(document_->window.styleAreaWidth); },
            [this](const Variant& v) { document_->window.styleAreaWidth = vb::cDbl(v); });
        defaultMember(u"Caption");
    }

    const void* identity() const override { return &document_->window; }

private:
    DocumentPtr document_;
};

class WindowsObject : public WordObject {
public:
    explicit WindowsObject(WordPtr instance) : WordObject(std::move(instance)) {
        readOnly(u"Count",
                 [this] { return Variant(static_cast<std::int32_t>(word().documents().size())); });
        method(u"Item", [this](Arguments& args) {
            const CollectionKey key = collectionKeyOf(requiredArgument(args, 0));
            const auto& documents = word().documents();
            if (key.position)
                return makeWindow(wordPtr(),
                                  documents[positionIn(*key.position, documents.size())]);
            for (const auto& document : documents) {
                if (equalsIgnoreCase(document->name(), key.name) ||
                    equalsIgnoreCase(word().shownName(*document), key.name))
                    return makeWindow(wordPtr(), document);
            }
            throw word_errors::collectionMember();
        });
        defaultMember(u"Item");
    }
};

}  // namespace

DispatchPtr makeWindows(WordPtr word) {
    return std::make_shared<WindowsObject>(std::move(word));
}

DispatchPtr makeWindow(WordPtr word, DocumentPtr document) {
    return std::make_shared<WindowObject>(std::move(word), std::move(document));
}

DispatchPtr makeView(WordPtr word, DocumentPtr document) {
    return std::make_shared<ViewObject>(std::move(word), std::move(document));
}

}  // namespace k72645::sim
