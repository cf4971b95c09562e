#include "sim/data/query.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>

#include "automation/text.h"

namespace k72645::sim {
namespace {

enum class TokenKind {
    Word,
    QuotedName,
    Text,
    Star,
    Operator,
    OpenParenthesis,
    CloseParenthesis,
    Comma,
    End,
    Invalid
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::u16string text;  // a word or name as written (without its quotes), a text's value, an
                          // operator
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
        if (c == u'(')
            return single(TokenKind::OpenParenthesis);
        if (c == u')')
            return single(TokenKind::CloseParenthesis);
        if (c == u',')
            return single(TokenKind::Comma);
        if (c == u'=' || c == u'<' || c == u'>')
            return comparisonOperator();
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

    // = < > <= >= <>
    Token comparisonOperator() {
        const std::size_t start = pos_++;
        if (text_[start] == u'<' && pos_ < text_.size() &&
            (text_[pos_] == u'=' || text_[pos_] == u'>'))
            ++pos_;
        else if (text_[start] == u'>' && pos_ < text_.size() && text_[pos_] == u'=')
            ++pos_;
        return {TokenKind::Operator, std::u16string(text_.substr(start, pos_ - start))};
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

constexpr std::array<std::u16string_view, 13> kKeywords = {
    u"select", u"from", u"where", u"and", u"or",  u"not", u"like",
    u"is",     u"null", u"order", u"by",  u"asc", u"desc"};

bool isKeyword(const Token& token, std::u16string_view keyword) {
    return token.kind == TokenKind::Word && equalsIgnoreCase(token.text, keyword);
}

// A bare word that reads as a number: digits with at most one decimal point, an optional sign.
bool isNumber(std::u16string_view word) {
    std::size_t i = !word.empty() && (word[0] == u'-' || word[0] == u'+') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; i < word.size(); ++i) {
        if (word[i] >= u'0' && word[i] <= u'9') {
            digits = true;
        } else if (word[i] == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

std::optional<Comparison> comparisonOf(std::u16string_view op) {
    if (op == u"=")
        return Comparison::Equal;
    if (op == u"<>")
        return Comparison::NotEqual;
    if (op == u"<")
        return Comparison::Less;
    if (op == u">")
        return Comparison::Greater;
    if (op == u"<=")
        return Comparison::LessOrEqual;
    if (op == u">=")
        return Comparison::GreaterOrEqual;
    return std::nullopt;
}

Condition negated(Condition condition) {
    Condition result;
    result.kind = Condition::Kind::Not;
    result.operands.push_back(std::move(condition));
    return result;
}

class QueryParser {
public:
    explicit QueryParser(std::u16string_view text) : tokens_(text) { advance(); }

    std::optional<Query> parse() {
        Query query;
        if (current_.kind == TokenKind::End)
            return query;
        if (!accept(u"select") || !accept(TokenKind::Star) || !accept(u"from") || !name())
            return std::nullopt;
        if (accept(u"where")) {
            query.where = anyOf();
            if (!query.where)
                return std::nullopt;
        }
        if (accept(u"order")) {
            if (!accept(u"by"))
                return std::nullopt;
            do {
                auto field = name();
                if (!field)
                    return std::nullopt;
                const bool descending = accept(u"desc");
                if (!descending)
                    accept(u"asc");
                query.orderBy.push_back({std::move(*field), descending});
            } while (accept(TokenKind::Comma));
        }
        if (current_.kind != TokenKind::End)
            return std::nullopt;
        return query;
    }

private:
    // Parentheses and NOT nest at most this deep: a deeper text is refused, not followed to the
    // end of the stack.
    static constexpr int kDeepest = 64;

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

    // condition {OR condition}
    std::optional<Condition> anyOf() { return joined(u"or", Condition::Kind::Any); }

    // test {AND test}
    std::optional<Condition> allOf() { return joined(u"and", Condition::Kind::All); }

    std::optional<Condition> joined(std::u16string_view keyword, Condition::Kind kind) {
        Condition joined;
        joined.kind = kind;
        do {
            auto operand = kind == Condition::Kind::Any ? allOf() : factor();
            if (!operand)
                return std::nullopt;
            joined.operands.push_back(std::move(*operand));
        } while (accept(keyword));
        if (joined.operands.size() == 1)
            return std::move(joined.operands.front());
        return joined;
    }

    // NOT factor | ( condition ) | test
    std::optional<Condition> factor() {
        if (depth_ >= kDeepest)
            return std::nullopt;
        ++depth_;
        std::optional<Condition> result;
        if (accept(u"not")) {
            if (auto operand = factor())
                result = negated(std::move(*operand));
        } else if (accept(TokenKind::OpenParenthesis)) {
            result = anyOf();
            if (result && !accept(TokenKind::CloseParenthesis))
                result.reset();
        } else {
            result = test();
        }
        --depth_;
        return result;
    }

    // field op value | field [NOT] LIKE 'pattern' | field IS [NOT] NULL
    std::optional<Condition> test() {
        auto field = name();
        if (!field)
            return std::nullopt;
        Condition test;
        test.field = std::move(*field);
        if (accept(u"is")) {
            const bool negative = accept(u"not");
            if (!accept(u"null"))
                return std::nullopt;
            test.comparison = Comparison::IsNull;
            return negative ? negated(std::move(test)) : test;
        }
        const bool negative = accept(u"not");
        if (accept(u"like")) {
            if (current_.kind != TokenKind::Text)
                return std::nullopt;
            test.comparison = Comparison::Like;
            test.value = std::move(current_.text);
            advance();
            return negative ? negated(std::move(test)) : test;
        }
        if (negative || current_.kind != TokenKind::Operator)
            return std::nullopt;
        test.comparison = *comparisonOf(current_.text);
        advance();
        const bool number = current_.kind == TokenKind::Word && isNumber(current_.text);
        if (!number && current_.kind != TokenKind::Text)
            return std::nullopt;
        test.value = std::move(current_.text);
        advance();
        return test;
    }

    // A table or field name: bracketed, backquoted, or a bare word that is neither a keyword nor
    // a number.
    std::optional<std::u16string> name() {
        if (current_.kind == TokenKind::Word) {
            if (isNumber(current_.text))
                return std::nullopt;
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
    int depth_ = 0;
};

}  // namespace

std::optional<Query> parseQuery(std::u16string_view text) {
    return QueryParser(text).parse();
}

namespace {

std::optional<double> numberIn(std::u16string_view text) {
    if (!isNumber(text))
        return std::nullopt;
    return std::strtod(toUtf8(text).c_str(), nullptr);
}

// -1, 0 or 1: as numbers when both read as numbers, otherwise as texts without regard to case.
int compare(std::u16string_view left, std::u16string_view right) {
    const auto leftNumber = numberIn(left);
    const auto rightNumber = numberIn(right);
    if (leftNumber && rightNumber)
        return *leftNumber < *rightNumber ? -1 : (*leftNumber > *rightNumber ? 1 : 0);
    const std::u16string a = lcase(left);
    const std::u16string b = lcase(right);
    return a < b ? -1 : (a > b ? 1 : 0);
}

// % stands for any run of characters, _ for one; the rest compares without regard to case.
bool matchesPattern(std::u16string_view text, std::u16string_view pattern) {
    const std::u16string value = lcase(text);
    const std::u16string wanted = lcase(pattern);
    // The classic walk with one point to come back to after the last %.
    std::size_t t = 0, p = 0, starAt = std::u16string::npos, resumeAt = 0;
    while (t < value.size()) {
        if (p < wanted.size() && (wanted[p] == u'_' || wanted[p] == value[t])) {
            ++t;
            ++p;
        } else if (p < wanted.size() && wanted[p] == u'%') {
            starAt = p++;
            resumeAt = t;
        } else if (starAt != std::u16string::npos) {
            p = starAt + 1;
            t = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < wanted.size() && wanted[p] == u'%')
        ++p;
    return p == wanted.size();
}

using FieldsOfTests = std::map<const Condition*, std::size_t>;

// Finds the field of every test in the database; false when one is missing.
bool resolveFields(const Condition& condition, const Database& database, FieldsOfTests& fields) {
    if (condition.kind == Condition::Kind::Test) {
        const auto field = database.fieldIndex(condition.field);
        if (!field)
            return false;
        fields[&condition] = *field;
        return true;
    }
    return std::all_of(
        condition.operands.begin(), condition.operands.end(),
        [&](const Condition& operand) { return resolveFields(operand, database, fields); });
}

bool holds(const Condition& condition, const FieldsOfTests& fields,
           const std::vector<std::u16string>& record) {
    const auto holdsFor = [&](const Condition& operand) { return holds(operand, fields, record); };
    switch (condition.kind) {
        case Condition::Kind::All:
            return std::all_of(condition.operands.begin(), condition.operands.end(), holdsFor);
        case Condition::Kind::Any:
            return std::any_of(condition.operands.begin(), condition.operands.end(), holdsFor);
        case Condition::Kind::Not:
            return !holdsFor(condition.operands.front());
        case Condition::Kind::Test:
            break;
    }
    const std::size_t field = fields.at(&condition);
    // A short record lacks the field: its value is NULL, as an empty one is.
    const std::u16string_view value =
        field < record.size() ? std::u16string_view(record[field]) : std::u16string_view();
    if (condition.comparison == Comparison::IsNull)
        return value.empty();
    if (value.empty())
        return false;  // NULL satisfies no comparison
    const std::u16string_view wanted = condition.value;
    switch (condition.comparison) {
        case Comparison::Equal:
            return compare(value, wanted) == 0;
        case Comparison::NotEqual:
            return compare(value, wanted) != 0;
        case Comparison::Less:
            return compare(value, wanted) < 0;
        case Comparison::Greater:
            return compare(value, wanted) > 0;
        case Comparison::LessOrEqual:
            return compare(value, wanted) <= 0;
        case Comparison::GreaterOrEqual:
            return compare(value, wanted) >= 0;
        case Comparison::Like:
            return matchesPattern(value, wanted);
        case Comparison::IsNull:
            break;
    }
    return false;
}

}  // namespace

std::optional<std::vector<std::size_t>> runQuery(const Query& query, const Database& database) {
    FieldsOfTests fields;
    if (query.where && !resolveFields(*query.where, database, fields))
        return std::nullopt;
    std::vector<std::size_t> sortFields;
    for (const SortKey& key : query.orderBy) {
        const auto field = database.fieldIndex(key.field);
        if (!field)
            return std::nullopt;
        sortFields.push_back(*field);
    }

    std::vector<std::size_t> selected;
    for (std::size_t r = 0; r < database.records.size(); ++r) {
        if (!query.where || holds(*query.where, fields, database.records[r]))
            selected.push_back(r);
    }
    if (sortFields.empty())
        return selected;

    // Sort keys read once; a record without the field (a short record) sorts as "".
    const auto keyOf = [&](std::size_t record, std::size_t k) {
        const auto& values = database.records[record];
        return sortFields[k] < values.size() ? std::u16string_view(values[sortFields[k]])
                                             : std::u16string_view();
    };
    std::stable_sort(selected.begin(), selected.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t k = 0; k < sortFields.size(); ++k) {
            const int order = compare(keyOf(a, k), keyOf(b, k));
            if (order != 0)
                return query.orderBy[k].descending ? order > 0 : order < 0;
        }
        return false;
    });
    return selected;
}

}  // namespace k72645::sim
