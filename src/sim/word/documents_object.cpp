// Word's Documents collection: most recently opened first.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class DocumentsObject : public WordObject {
public:
    explicit DocumentsObject(WordPtr instance) : WordObject(std::move(instance)) {
        readOnly(u"Count",
                 [this] { return Variant(static_cast<std::int32_t>(word().documents().size())); });
        readOnly(u"Application", [this] { return makeApplication(wordPtr()); });
        method(u"Item", [this](Arguments& args) {
            return makeDocument(wordPtr(), find(requiredArgument(args, 0)));
        });
        method(u"Open", [this](Arguments& args) {
            return makeDocument(wordPtr(), word().open(vb::cStr(requiredArgument(args, 0))));
        });
        method(u"Add", [this](Arguments& args) {
            const std::u16string templateName = optionalText(args, 0);
            // The template is found first, so that a missing one adds no document.
            std::shared_ptr<TemplateModel> attached;
            if (!templateName.empty())
                attached = word().resources().templateAt(word().resolvePath(templateName));
            auto document = word().add();
            if (attached) {
                document->attachTemplate(attached);
                document->setSaved(true);
            }
            return makeDocument(wordPtr(), document);
        });
        method(u"Close", [this](Arguments& args) {
            const SaveChoice choice = saveChoiceOf(optionalLong(args, 0, kPromptToSaveChanges));
            const auto documents = word().documents();
            for (const auto& document : documents)
                word().close(document, choice);
            return Variant();
        });
        defaultMember(u"Item");
    }

private:
    DocumentPtr find(const Variant& index) {
        const CollectionKey key = collectionKeyOf(index);
        const auto& documents = word().documents();
        if (key.position)
            return documents[positionIn(*key.position, documents.size())];
        if (auto document = word().findDocument(key.name))
            return document;
        throw word_errors::collectionMember();
    }
};

}  // namespace

DispatchPtr makeDocuments(WordPtr word) {
    return std::make_shared<DocumentsObject>(std::move(word));
}

}  // namespace k72645::sim
