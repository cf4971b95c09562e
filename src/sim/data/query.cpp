#include "sim/data/query.h"

#include <algorithm>
#include <array>

#include "automation/text.h"

namespace k72645::sim {
namespace {

enum class TokenKind { Word, QuotedName, Text, Star, Equals, End, Invalid };

struct Token {
    TokenKind kind = TokenKind::End;
    std::u16string text;  // a word or name as written (without its quotes), a text's value
};

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Characters that end a bare word.
bool isDelimiter(char16_t c) {
    return isSpace(c) ||
           std::u16string_view(u"=*'[]`(),;<>!\"").find(c) != std::u16string_view::npos;
}

class Tokenizer {
public:
    explicit Tokenizer(std::u16string_view text) : text_(text) {}

    Token next() {
        while (pos_ < text_.size() && isSpace(text_[pos_]))
            ++pos_;
        if (pos_ >= text_.size())
            return {TokenKind::End, {}};
        const char16_t c = text_[pos_];
        if (c == u'*')
            return single(TokenKind::Star);
        if (c == u'=')
            return single(TokenKind::Equals);
        if (c == u'[')
            return quotedName(u']');
        if (c == u'`')
            return quotedName(u'`');
        if (c == u'\'')
            return quotedText();
        if (isDelimiter(c))
            return {TokenKind::Invalid, {}};
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isDelimiter(text_[pos_]))
            ++pos_;
        return {TokenKind::Word, std::u16string(text_.substr(start, pos_ - start))};
    }

private:
    Token single(TokenKind kind) {
        ++pos_;
        return {kind, {}};
    }

    // [name] or `name`: anything but the closing character, at least one character.
    Token quotedName(char16_t close) {
        const std::size_t start = ++pos_;
        const std::size_t end = text_.find(close, start);
        if (end == std::u16string_view::npos || end == start)
            return {TokenKind::Invalid, {}};
        pos_ = end + 1;
        return {TokenKind::QuotedName, std::u16string(text_.substr(start, end - start))};
    }

    // 'text', where '' stands for one quote.
    Token quotedText() {
        std::u16string value;
        ++pos_;
        while (pos_ < text_.size()) {
            const char16_t c = text_[pos_++];
            if (c != u'\'') {
                value += c;
            } else if (pos_ < text_.size() && text_[pos_] == u'\'') {
                value += u'\'';
                ++pos_;
            } else {
                return {TokenKind::Text, std::move(value)};
            }
        }
        return {TokenKind::Invalid, {}};
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
};

constexpr std::array<std::u16string_view, 8> kKeywords = {u"select", u"from", u"where", u"and",
                                                          u"order",  u"by",   u"asc",   u"desc"};

bool isKeyword(const Token& token, std::u16string_view keyword) {
    return token.kind == TokenKind::Word && equalsIgnoreCase(token.text, keyword);
}

class QueryParser {
public:
    explicit QueryParser(std::u16string_view text) : tokens_(text) { advance(); }

    std::optional<Query> parse() {
        Query query;
        if (current_.kind == TokenKind::End)
            return query;
        if (!accept(u"select") || !accept(TokenKind::Star) || !accept(u"from") || !name()) {
            return std::nullopt;
        }
        if (accept(u"where")) {
            do {
                auto field = name();
                if (!field || current_.kind != TokenKind::Equals)
                    return std::nullopt;
                advance();
                if (current_.kind != TokenKind::Text)
                    return std::nullopt;
                query.where.push_back({std::move(*field), current_.text});
                advance();
            } while (accept(u"and"));
        }
        if (accept(u"order")) {
            if (!accept(u"by"))
                return std::nullopt;
            query.orderBy = name();
            if (!query.orderBy)
                return std::nullopt;
            if (accept(u"desc")) {
                query.descending = true;
            } else {
                accept(u"asc");
            }
        }
        if (current_.kind != TokenKind::End)
            return std::nullopt;
        return query;
    }

private:
    void advance() { current_ = tokens_.next(); }

    bool accept(std::u16string_view keyword) {
        if (!isKeyword(current_, keyword))
            return false;
        advance();
        return true;
    }

    bool accept(TokenKind kind) {
        if (current_.kind != kind)
            return false;
        advance();
        return true;
    }

    // A table or field name: bracketed, backquoted, or a bare word that is not a keyword.
    std::optional<std::u16string> name() {
        if (current_.kind == TokenKind::Word) {
            for (auto keyword : kKeywords) {
                if (equalsIgnoreCase(current_.text, keyword))
                    return std::nullopt;
            }
        } else if (current_.kind != TokenKind::QuotedName) {
            return std::nullopt;
        }
        std::u16string result = std::move(current_.text);
        advance();
        return result;
    }

    Tokenizer tokens_;
    Token current_;
};

}  // namespace

std::optional<Query> parseQuery(std::u16string_view text) {
    return QueryParser(text).parse();
}

std::optional<std::vector<std::size_t>> runQuery(const Query& query, const Database& database) {
    std::vector<std::pair<std::size_t, std::u16string>> conditions;  // field, lower-cased value
    for (const auto& condition : query.where) {
        const auto field = database.fieldIndex(condition.field);
        if (!field)
            return std::nullopt;
        conditions.emplace_back(*field, lcase(condition.value));
    }
    std::optional<std::size_t> sortField;
    if (query.orderBy) {
        sortField = database.fieldIndex(*query.orderBy);
        if (!sortField)
            return std::nullopt;
    }

    std::vector<std::size_t> selected;
    for (std::size_t r = 0; r < database.records.size(); ++r) {
        const auto& record = database.records[r];
        const bool matches = std::all_of(conditions.begin(), conditions.end(), [&](const auto& c) {
            return c.first < record.size() && lcase(record[c.first]) == c.second;
        });
        if (matches)
            selected.push_back(r);
    }
    if (!sortField)
        return selected;

    // Sort keys computed once; records without the field (a short record) sort as "".
    std::vector<std::pair<std::u16string, std::size_t>> keyed;
    keyed.reserve(selected.size());
    for (std::size_t r : selected) {
        const auto& record = database.records[r];
        keyed.emplace_back(*sortField < record.size() ? lcase(record[*sortField]) : u"", r);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        return query.descending ? b.first < a.first : a.first < b.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        selected[i] = keyed[i].second;
    return selected;
}

}  // namespace k72645::sim
