// Word's Paragraphs collection, Paragraph object and Sections collection.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

class ParagraphObject : public WordObject {
public:
    ParagraphObject(WordPtr instance, DocumentPtr document, std::size_t start, std::size_t end)
        : WordObject(std::move(instance)),
          document_(std::move(document)),
          start_(start),
          end_(end) {
        readOnly(u"Range", [this] { return makeRange(wordPtr(), document_, start_, end_); });
    }

private:
    DocumentPtr document_;
    std::size_t start_;
    std::size_t end_;
};

class ParagraphsObject : public WordObject {
public:
    ParagraphsObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readOnly(u"Count", [this] {
            return Variant(static_cast<std::int32_t>(document_->story().paragraphCount()));
        });
        method(u"Item", [this](Arguments& args) {
            const std::int32_t index = vb::cLng(requiredArgument(args, 0));
            const Story& story = document_->story();
            const std::size_t k = positionIn(index, story.paragraphCount()) + 1;
            const auto [start, end] = story.paragraphRange(k);
            return DispatchPtr(std::make_shared<ParagraphObject>(wordPtr(), document_, start, end));
        });
        defaultMember(u"Item");
    }

private:
    DocumentPtr document_;
};

class SectionsObject : public WordObject {
public:
    SectionsObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readOnly(u"Count", [this] {
            return Variant(static_cast<std::int32_t>(document_->story().sectionCount()));
        });
    }

private:
    DocumentPtr document_;
};

}  // namespace

DispatchPtr makeParagraphs(WordPtr word, DocumentPtr document) {
    return std::make_shared<ParagraphsObject>(std::move(word), std::move(document));
}

DispatchPtr makeSections(WordPtr word, DocumentPtr document) {
    return std::make_shared<SectionsObject>(std::move(word), std::move(document));
}

}  // namespace k72645::sim
