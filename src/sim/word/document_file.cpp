#include "sim/word/document_file.h"

#include <nlohmann/json.hpp>
#include <set>

#include "automation/text.h"
#include "sim/data/json_lines.h"
#include "sim/data/query.h"
#include "sim/word/word_errors.h"

namespace k72645::sim {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

// The top object, "story", "mailMerge" and "autoText" with their entries.
constexpr std::size_t kLocatedDepth = 3;

// Whether the markup unit starting at i is an escape (a backslash and the character after it).
bool escapeAt(std::u16string_view markup, std::size_t i) {
    return markup[i] == u'\\' && i + 1 < markup.size();
}

bool endsWithSectionBreak(std::u16string_view paragraph) {
    bool last = false;
    for (std::size_t i = 0; i < paragraph.size(); ++i) {
        if (escapeAt(paragraph, i)) {
            last = paragraph[i + 1] == u'f';
            ++i;
        } else {
            last = paragraph[i] == kSectionBreak;
        }
    }
    return last;
}

class DocumentReader {
public:
    DocumentReader(const std::string& bytes, std::u16string_view fileName)
        : bytes_(bytes), fileName_(fileName) {}

    DocumentFile read() {
        json document;
        try {
            document = json::parse(bytes_);
        } catch (const json::parse_error& error) {
            const bool cutShort = error.byte >= bytes_.size();
            fail(lineOfByte(error.byte),
                 cutShort ? "the file is cut short" : "the file is not valid JSON");
        } catch (const json::exception&) {
            fail(1, "the file holds a value out of range");
        }
        lines_ = locateJsonLines(bytes_, kLocatedDepth);
        if (!document.is_object())
            fail(lines_.line, "the file does not hold a JSON object");

        DocumentFile file;
        const json* kind = member(document, "k72645");
        const std::string kindText = kind && kind->is_string() ? kind->get<std::string>() : "";
        if (kindText == "template") {
            file.kind = DocumentFile::Kind::Template;
        } else if (kindText != "document") {
            fail(lineOf("k72645"), "\"k72645\" must be \"document\" or \"template\"");
        }
        file.story = readStory(member(document, "story"));
        file.attachedTemplate = optionalText(document, "attachedTemplate");
        if (const json* password = member(document, "hasPassword")) {
            if (!password->is_boolean())
                fail(lineOf("hasPassword"), "\"hasPassword\" must be true or false");
            file.hasPassword = password->get<bool>();
        }
        if (const json* merge = member(document, "mailMerge"))
            file.mailMerge = readMailMerge(*merge);
        if (const json* entries = member(document, "autoText")) {
            if (file.kind != DocumentFile::Kind::Template)
                fail(lineOf("autoText"), "only a template holds \"autoText\"");
            file.autoText = readAutoText(*entries);
        }
        return file;
    }

private:
    Story readStory(const json* story) {
        if (story == nullptr || !story->is_array())
            fail(lineOf("story"), "\"story\" must be an array of strings");
        const JsonLines& itemLines = located("story");
        std::vector<std::u16string> paragraphs;
        std::vector<std::size_t> starts;  // offset of each paragraph in the joined markup
        std::size_t offset = 0;
        for (std::size_t i = 0; i < story->size(); ++i) {
            const json& paragraph = (*story)[i];
            if (!paragraph.is_string())
                fail(itemLines.item(i).line, "\"story\" must be an array of strings");
            paragraphs.push_back(fromUtf8(paragraph.get<std::string>()));
            starts.push_back(offset);
            offset += paragraphs.back().size() + (endsWithSectionBreak(paragraphs.back()) ? 0 : 2);
        }
        const std::u16string markup = joinParagraphsMarkup(paragraphs);
        auto parsed = parseMarkup(markup);
        if (auto* error = std::get_if<MarkupError>(&parsed)) {
            const std::size_t at = offsetOf(markup, *error);
            std::size_t paragraph = 0;
            while (paragraph + 1 < starts.size() && starts[paragraph + 1] <= at)
                ++paragraph;
            fail(starts.empty() ? lineOf("story") : itemLines.item(paragraph).line,
                 "paragraph " + std::to_string(paragraph + 1) + ": " + error->message);
        }
        return Story(std::get<ParsedMarkup>(parsed));
    }

    MergeFileSettings readMailMerge(const json& merge) {
        if (!merge.is_object())
            fail(lineOf("mailMerge"), "\"mailMerge\" must be an object");
        MergeFileSettings settings;
        if (const json* type = member(merge, "mainDocumentType")) {
            if (!type->is_number_integer() || type->get<std::int64_t>() < -1 ||
                type->get<std::int64_t>() > 3) {
                fail(mergeLine("mainDocumentType"),
                     "\"mainDocumentType\" must be -1, 0, 1, 2 or 3");
            }
            settings.mainDocumentType = static_cast<std::int32_t>(type->get<std::int64_t>());
        }
        settings.dataSource = mergeText(merge, "dataSource");
        settings.headerSource = mergeText(merge, "headerSource");
        settings.query = mergeText(merge, "query");
        if (!parseQuery(settings.query))
            fail(mergeLine("query"), "\"query\" is not a query Word can run");
        return settings;
    }

    std::vector<AutoTextValue> readAutoText(const json& entries) {
        if (!entries.is_array())
            fail(lineOf("autoText"), "\"autoText\" must be an array of entries");
        const JsonLines& itemLines = located("autoText");
        std::vector<AutoTextValue> result;
        std::set<std::u16string> seen;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const json& entry = entries[i];
            const std::size_t line = itemLines.item(i).line;
            const json* name = entry.is_object() ? member(entry, "name") : nullptr;
            const json* value = entry.is_object() ? member(entry, "value") : nullptr;
            if (!name || !value || !name->is_string() || !value->is_string() ||
                name->get<std::string>().empty()) {
                fail(line, "each AutoText entry must have a \"name\" and a \"value\" text");
            }
            AutoTextValue item{fromUtf8(name->get<std::string>()),
                               fromUtf8(value->get<std::string>())};
            if (!seen.insert(lcase(item.name)).second)
                fail(line, "the AutoText entry \"" + name->get<std::string>() + "\" appears twice");
            result.push_back(std::move(item));
        }
        return result;
    }

    std::u16string optionalText(const json& object, const char* key) {
        const json* value = member(object, key);
        if (value == nullptr)
            return {};
        if (!value->is_string())
            fail(lineOf(key), mustBeString(key));
        return fromUtf8(value->get<std::string>());
    }

    std::u16string mergeText(const json& merge, const char* key) {
        const json* value = member(merge, key);
        if (value == nullptr)
            return {};
        if (!value->is_string())
            fail(mergeLine(key), mustBeString(key));
        return fromUtf8(value->get<std::string>());
    }

    static std::string mustBeString(const char* key) {
        std::string message = "\"";
        message.append(key).append("\" must be a string");
        return message;
    }

    // The offset in the markup of the line and column a markup error gives.
    static std::size_t offsetOf(std::u16string_view markup, const MarkupError& error) {
        std::size_t line = 1;
        std::size_t i = 0;
        for (; i < markup.size() && line < error.line; ++i) {
            if (markup[i] == u'\n')
                ++line;
        }
        return i + (error.column > 0 ? error.column - 1 : 0);
    }

    static const json* member(const json& object, const char* key) {
        auto it = object.find(key);
        return it == object.end() ? nullptr : &*it;
    }

    const JsonLines& located(const char* key) const {
        const JsonLines* found = lines_.member(key);
        return found ? *found : lines_;
    }

    std::size_t lineOf(const char* key) const { return located(key).line; }

    std::size_t mergeLine(const char* key) const {
        const JsonLines& merge = located("mailMerge");
        const JsonLines* found = merge.member(key);
        return found ? found->line : merge.line;
    }

    std::size_t lineOfByte(std::size_t byte) const {
        std::size_t line = 1;
        for (std::size_t i = 0; i < byte && i < bytes_.size(); ++i) {
            if (bytes_[i] == '\n')
                ++line;
        }
        return line;
    }

    [[noreturn]] void fail(std::size_t line, const std::string& what) const {
        throw word_errors::corruptFile(fileName_ + u", line " + fromUtf8(std::to_string(line)) +
                                       u": " + fromUtf8(what));
    }

    const std::string& bytes_;
    std::u16string fileName_;
    JsonLines lines_;
};

}  // namespace

std::u16string joinParagraphsMarkup(const std::vector<std::u16string>& paragraphs) {
    std::u16string markup;
    for (const auto& paragraph : paragraphs) {
        markup += paragraph;
        if (!endsWithSectionBreak(paragraph))
            markup += u"\\r";
    }
    return markup;
}

std::vector<std::u16string> storyParagraphsMarkup(const Story& story) {
    const std::u16string markup = story.toMarkup(0, story.length());
    std::vector<std::u16string> paragraphs(1);
    for (std::size_t i = 0; i < markup.size(); ++i) {
        if (escapeAt(markup, i) && (markup[i + 1] == u'r' || markup[i + 1] == u'f')) {
            if (markup[i + 1] == u'f')
                paragraphs.back() += u"\\f";
            paragraphs.emplace_back();
            ++i;
        } else if (markup[i] == kParagraphMark || markup[i] == kSectionBreak) {
            if (markup[i] == kSectionBreak)
                paragraphs.back() += u"\\f";
            paragraphs.emplace_back();
        } else {
            if (escapeAt(markup, i))
                paragraphs.back() += markup[i++];
            paragraphs.back() += markup[i];
        }
    }
    // What follows the final paragraph mark can only be the ends of bookmarks that hold it:
    // they close with the last paragraph.
    std::u16string trailing = std::move(paragraphs.back());
    paragraphs.pop_back();
    if (paragraphs.empty())
        paragraphs.emplace_back();
    paragraphs.back() += trailing;
    return paragraphs;
}

DocumentFile parseDocumentFile(const std::string& bytes, std::u16string_view fileName) {
    return DocumentReader(bytes, fileName).read();
}

std::string serializeDocumentFile(const DocumentFile& file) {
    const bool isTemplate = file.kind == DocumentFile::Kind::Template;
    ordered_json merge = {{"mainDocumentType", file.mailMerge.mainDocumentType},
                          {"dataSource", toUtf8(file.mailMerge.dataSource)},
                          {"headerSource", toUtf8(file.mailMerge.headerSource)},
                          {"query", toUtf8(file.mailMerge.query)}};
    std::string out = "{\n  \"k72645\": ";
    out += isTemplate ? "\"template\"" : "\"document\"";
    out += ",\n  \"story\": [";
    const auto paragraphs = storyParagraphsMarkup(file.story);
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        out += i == 0 ? "\n    " : ",\n    ";
        out += ordered_json(toUtf8(paragraphs[i])).dump();
    }
    out += "\n  ],\n  \"attachedTemplate\": " + ordered_json(toUtf8(file.attachedTemplate)).dump();
    out += ",\n  \"hasPassword\": ";
    out += file.hasPassword ? "true" : "false";
    out += ",\n  \"mailMerge\": " + merge.dump();
    if (isTemplate) {
        out += ",\n  \"autoText\": [";
        for (std::size_t i = 0; i < file.autoText.size(); ++i) {
            ordered_json entry = {{"name", toUtf8(file.autoText[i].name)},
                                  {"value", toUtf8(file.autoText[i].value)}};
            out += (i == 0 ? "\n    " : ",\n    ") + entry.dump();
        }
        out += file.autoText.empty() ? "]" : "\n  ]";
    }
    out += "\n}\n";
    return out;
}

}  // namespace k72645::sim
