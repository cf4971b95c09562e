#include "sim/data/json_lines.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace k72645::sim {

const JsonLines* JsonLines::member(std::string_view key) const {
    for (std::size_t i = std::min(keys.size(), items.size()); i > 0; --i) {
        if (keys[i - 1] == key)
            return &items[i - 1];
    }
    return nullptr;
}

const JsonLines& JsonLines::item(std::size_t index) const {
    return index < items.size() ? items[index] : *this;
}

namespace {

class Locator {
public:
    explicit Locator(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;  // a UTF-8 byte order mark
    }

    JsonLines element(std::size_t depth) {
        skipSpace();
        JsonLines node;
        node.line = lineAt(pos_);
        if (atEnd())
            return node;
        const char open = text_[pos_];
        if (depth == 0 || (open != '{' && open != '[')) {
            skipValue();
            return node;
        }
        ++pos_;
        const char close = open == '{' ? '}' : ']';
        while (true) {
            skipSpace();
            if (atEnd())
                break;
            if (text_[pos_] == close) {
                ++pos_;
                break;
            }
            const std::size_t before = pos_;
            if (open == '{') {
                std::string key = readKey();
                skipSpace();
                if (!atEnd() && text_[pos_] == ':')
                    ++pos_;
                node.keys.push_back(std::move(key));
                node.items.push_back(element(depth - 1));
            } else {
                node.items.push_back(element(depth - 1));
            }
            skipSpace();
            if (!atEnd() && text_[pos_] == ',')
                ++pos_;
            if (pos_ == before)
                break;  // not JSON: stop rather than loop
        }
        return node;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    void skipSpace() {
        while (!atEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' ||
                            text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    void skipString() {
        ++pos_;  // the opening quote
        while (!atEnd()) {
            const char c = text_[pos_];
            if (c == '\\') {
                pos_ += 2;
            } else {
                ++pos_;
                if (c == '"')
                    return;
            }
        }
        pos_ = text_.size();
    }

    // A value, containers included, without recursion.
    void skipValue() {
        std::size_t nesting = 0;
        do {
            skipSpace();
            if (atEnd())
                return;
            const char c = text_[pos_];
            if (c == '"') {
                skipString();
            } else if (c == '[' || c == '{') {
                ++nesting;
                ++pos_;
            } else if (c == ']' || c == '}') {
                if (nesting == 0)
                    return;
                --nesting;
                ++pos_;
            } else if (c == ',' || c == ':') {
                if (nesting == 0)
                    return;
                ++pos_;
            } else {
                while (!atEnd() && std::string_view(" \t\r\n,:]}").find(text_[pos_]) ==
                                       std::string_view::npos) {
                    ++pos_;
                }
            }
        } while (nesting > 0);
    }

    // An object's key, decoded as the JSON reader decodes it ("" when it is not a string).
    std::string readKey() {
        const std::size_t start = pos_;
        if (atEnd() || text_[pos_] != '"') {
            skipValue();
            return {};
        }
        skipString();
        const auto parsed = nlohmann::json::parse(text_.substr(start, pos_ - start), nullptr,
                                                  /*allow_exceptions=*/false);
        return parsed.is_string() ? parsed.get<std::string>() : std::string();
    }

    // Lines are asked for in increasing positions: count from the last answer.
    std::size_t lineAt(std::size_t position) {
        if (position < countedTo_) {
            countedTo_ = 0;
            line_ = 1;
        }
        for (; countedTo_ < position && countedTo_ < text_.size(); ++countedTo_) {
            if (text_[countedTo_] == '\n')
                ++line_;
        }
        return line_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t countedTo_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

JsonLines locateJsonLines(std::string_view text, std::size_t depth) {
    return Locator(text).element(depth);
}

}  // namespace k72645::sim
