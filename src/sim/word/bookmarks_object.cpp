// Word's Bookmarks collection (in the order of their names) and Bookmark object.
#include "automation/vb.h"
#include "sim/word/word_automation.h"
#include "sim/word/word_errors.h"
#include "sim/word/word_object.h"

namespace k72645::sim {

namespace {

bool isLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

// A bookmark name: 1 to 40 letters, digits and underscores, not starting with a digit (a
// leading underscore makes a hidden bookmark).
bool isBookmarkName(std::u16string_view name) {
    if (name.empty() || name.size() > 40 || (name[0] >= u'0' && name[0] <= u'9'))
        return false;
    for (char16_t c : name) {
        if (!isLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_')
            return false;
    }
    return true;
}

class BookmarksObject : public WordObject {
public:
    BookmarksObject(WordPtr instance, DocumentPtr document)
        : WordObject(std::move(instance)), document_(std::move(document)) {
        readOnly(u"Count", [this] {
            return Variant(static_cast<std::int32_t>(document_->story().bookmarks().size()));
        });
        method(u"Item", [this](Arguments& args) {
            const CollectionKey key = collectionKeyOf(requiredArgument(args, 0));
            if (key.position) {
                const auto all = document_->story().bookmarks();
                return makeBookmark(wordPtr(), document_,
                                    all[positionIn(*key.position, all.size())].name);
            }
            const auto found = document_->story().bookmark(key.name);
            if (!found)
                throw word_errors::collectionMember();
            return makeBookmark(wordPtr(), document_, found->name);
        });
        method(u"Exists", [this](Arguments& args) {
            return wordBool(
                document_->story().bookmark(vb::cStr(requiredArgument(args, 0))).has_value());
        });
        method(u"Add", [this](Arguments& args) {
            const std::u16string name = vb::cStr(requiredArgument(args, 0));
            if (!isBookmarkName(name))
                throw word_errors::badBookmarkName();
            auto span = rangeSpanOf(argumentAt(args, 1));
            if (argumentAt(args, 1).isMissing()) {
                span = RangeSpan{document_, document_->selectionStart(), document_->selectionEnd()};
            }
            if (!span || span->document != document_)
                throw errors::typeMismatch();
            document_->edit().addBookmark(name, span->start, span->end);
            return makeBookmark(wordPtr(), document_, name);
        });
        defaultMember(u"Item");
    }

private:
    DocumentPtr document_;
};

class BookmarkObject : public WordObject {
public:
    BookmarkObject(WordPtr instance, DocumentPtr document, std::u16string name)
        : WordObject(std::move(instance)), document_(std::move(document)), name_(std::move(name)) {
        readOnly(u"Name", [this] { return Variant(current().name); });
        readOnly(u"Range", [this] {
            const BookmarkSpan span = current();
            return makeRange(wordPtr(), document_, span.start, span.end);
        });
        readOnly(u"Start", [this] { return Variant(static_cast<std::int32_t>(current().start)); });
        readOnly(u"End", [this] { return Variant(static_cast<std::int32_t>(current().end)); });
        readOnly(u"Empty", [this] {
            const BookmarkSpan span = current();
            return wordBool(span.start == span.end);
        });
        method(u"Delete", [this](Arguments&) {
            current();
            document_->edit().removeBookmark(name_);
            return Variant();
        });
        defaultMember(u"Name");
    }

private:
    // The bookmark as it is now; 5941 once it has been deleted.
    BookmarkSpan current() const {
        auto found = document_->story().bookmark(name_);
        if (!found)
            throw word_errors::collectionMember();
        return *found;
    }

    DocumentPtr document_;
    std::u16string name_;
};

}  // namespace

DispatchPtr makeBookmarks(WordPtr word, DocumentPtr document) {
    return std::make_shared<BookmarksObject>(std::move(word), std::move(document));
}

DispatchPtr makeBookmark(WordPtr word, DocumentPtr document, std::u16string name) {
    return std::make_shared<BookmarkObject>(std::move(word), std::move(document), std::move(name));
}

}  // namespace k72645::sim
