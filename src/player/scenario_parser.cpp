#include "player/scenario_parser.h"

#include <algorithm>
#include <cstdlib>

#include "automation/text.h"
#include "player/scenario_lexer.h"
#include "player/scenario_syntax_error.h"

namespace k72645::player {

namespace {

// Words that are never names of variables.
bool isReserved(std::u16string_view name) {
    static const std::u16string words[] = {u"not", u"is",   u"true",   u"false", u"nothing",
                                           u"set", u"call", u"assert", u"on"};
    const std::u16string lower = lcase(name);
    return std::find(std::begin(words), std::end(words), lower) != std::end(words);
}

std::vector<std::u16string_view> splitLines(std::u16string_view source) {
    if (!source.empty() && source[0] == 0xFEFF)
        source.remove_prefix(1);
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = source.find(u'\n', start);
        std::u16string_view line =
            source.substr(start, end == std::u16string_view::npos ? end : end - start);
        lines.push_back(line);
        if (end == std::u16string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// Integer literals are Integer when they fit 16 bits, else Long, else Double, as in VBA.
Variant integerLiteral(std::u16string_view digits, bool negative) {
    std::string ascii(digits.begin(), digits.end());
    double magnitude = std::strtod(ascii.c_str(), nullptr);
    double value = negative ? -magnitude : magnitude;
    if (value >= -32768.0 && value <= 32767.0)
        return Variant(static_cast<std::int16_t>(value));
    if (value >= -2147483648.0 && value <= 2147483647.0) {
        return Variant(static_cast<std::int32_t>(value));
    }
    return Variant(value);
}

Variant decimalLiteral(std::u16string_view digits, bool negative) {
    std::string ascii(digits.begin(), digits.end());
    double value = std::strtod(ascii.c_str(), nullptr);
    return Variant(negative ? -value : value);
}

class Parser {
public:
    Parser(std::vector<Token> tokens, std::u16string_view source, int firstLine)
        : tokens_(std::move(tokens)), lines_(splitLines(source)), firstLine_(firstLine) {}

    Program program(bool interactive) {
        Program result;
        while (peek().kind != TokenKind::EndOfInput) {
            result.statements.push_back(interactive ? interactiveStatement() : statement());
        }
        return result;
    }

private:
    // ---- tokens ----
    const Token& peek(std::size_t ahead = 0) const {
        return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
    }
    const Token& next() {
        const Token& t = peek();
        if (pos_ < tokens_.size() - 1)
            ++pos_;
        return t;
    }
    bool at(TokenKind kind) const { return peek().kind == kind; }
    bool atWord(std::u16string_view word) const {
        return at(TokenKind::Name) && equalsIgnoreCase(peek().text, word);
    }
    bool atEnd() const { return at(TokenKind::EndOfStatement) || at(TokenKind::EndOfInput); }
    [[noreturn]] void fail(const std::string& expected) const {
        throw ScenarioSyntaxError(peek().line, peek().column, expected, describeToken(peek()));
    }
    const Token& expect(TokenKind kind, const std::string& expected) {
        if (!at(kind))
            fail(expected);
        return next();
    }
    void expectWord(std::u16string_view word) {
        if (!atWord(word))
            fail("'" + toUtf8(word) + "'");
        next();
    }
    void expectEnd() {
        if (!atEnd())
            fail("end of line");
        if (at(TokenKind::EndOfStatement))
            next();
    }

    // ---- statements ----
    Statement interactiveStatement() {
        std::size_t start = pos_;
        if (at(TokenKind::Question)) {
            next();
            Statement s = begin(Statement::Kind::Print, start);
            s.value = expression();
            return end(std::move(s), start);
        }
        try {
            return statement();
        } catch (const ScenarioSyntaxError&) {
            // An expression alone prints its value; if it is none, the statement's error
            // is the one to show.
            pos_ = start;
            try {
                Statement s = begin(Statement::Kind::Print, start);
                s.value = expression();
                return end(std::move(s), start);
            } catch (const ScenarioSyntaxError&) {
            }
            pos_ = start;
            return statement();
        }
    }

    Statement statement() {
        std::size_t start = pos_;
        if (atWord(u"Set")) {
            next();
            Statement s = begin(Statement::Kind::Assign, start);
            s.target = path();
            expect(TokenKind::Equal, "'='");
            s.value = expression();
            return end(std::move(s), start);
        }
        if (atWord(u"Call")) {
            next();
            Statement s = begin(Statement::Kind::Call, start);
            s.target = path();
            return end(std::move(s), start);
        }
        if (atWord(u"Assert")) {
            next();
            Statement s = begin(Statement::Kind::Assert, start);
            s.value = expression();
            return end(std::move(s), start);
        }
        if (atWord(u"On"))
            return onError(start);
        if (atShow())
            return show(start);
        if (!at(TokenKind::Name) || isReserved(peek().text))
            fail("a statement");

        ExprPtr target = path();
        if (at(TokenKind::Equal)) {
            next();
            Statement s = begin(Statement::Kind::Assign, start);
            s.target = std::move(target);
            s.value = expression();
            return end(std::move(s), start);
        }
        Statement s = begin(Statement::Kind::Call, start);
        if (!atEnd()) {
            // target.Method a, b: the arguments without parentheses.
            if (target->kind == Expr::Kind::Call)
                fail("end of line");
            ExprPtr call = node(Expr::Kind::Call, *target);
            call->left = std::move(target);
            call->args = arguments(TokenKind::EndOfStatement);
            target = finish(std::move(call));
        }
        s.target = std::move(target);
        return end(std::move(s), start);
    }

    // "Show" or "Show Documents" alone on its line; otherwise Show is a name like any other.
    bool atShow() const {
        if (!atWord(u"Show"))
            return false;
        auto ends = [this](std::size_t ahead) {
            const TokenKind kind = peek(ahead).kind;
            return kind == TokenKind::EndOfStatement || kind == TokenKind::EndOfInput;
        };
        return ends(1) || (peek(1).kind == TokenKind::Name &&
                           equalsIgnoreCase(peek(1).text, u"Documents") && ends(2));
    }

    Statement show(std::size_t start) {
        next();
        Statement s = begin(Statement::Kind::Show, start);
        if (atWord(u"Documents")) {
            next();
            s.documents = true;
        }
        return end(std::move(s), start);
    }

    Statement onError(std::size_t start) {
        next();
        expectWord(u"Error");
        if (atWord(u"Resume")) {
            next();
            expectWord(u"Next");
            return end(begin(Statement::Kind::OnErrorResumeNext, start), start);
        }
        if (atWord(u"GoTo")) {
            next();
            if (!at(TokenKind::Integer) ||
                std::u16string_view(peek().text).find_first_not_of(u'0') !=
                    std::u16string_view::npos) {
                fail("0");
            }
            next();
            return end(begin(Statement::Kind::OnErrorGoTo0, start), start);
        }
        fail("'Resume Next' or 'GoTo 0'");
    }

    Statement begin(Statement::Kind kind, std::size_t start) const {
        Statement s;
        s.kind = kind;
        s.line = tokens_[start].line;
        return s;
    }

    Statement end(Statement s, std::size_t start) {
        std::size_t last = pos_;  // one past the statement's last token
        expectEnd();
        s.text = sourceText(start, last);
        return s;
    }

    // The statement as written: on each line, from its first token to its last.
    std::u16string sourceText(std::size_t from, std::size_t to) const {
        std::u16string text;
        std::size_t i = from;
        while (i < to) {
            int line = tokens_[i].line;
            std::size_t j = i;
            while (j + 1 < to && tokens_[j + 1].line == line)
                ++j;
            std::size_t index = static_cast<std::size_t>(line - firstLine_);
            if (index < lines_.size()) {
                std::u16string_view source = lines_[index];
                std::size_t a = static_cast<std::size_t>(tokens_[i].column - 1);
                std::size_t b = static_cast<std::size_t>(tokens_[j].endColumn - 1);
                if (a <= b && b <= source.size()) {
                    if (!text.empty())
                        text += u' ';
                    text += source.substr(a, b - a);
                }
            }
            i = j + 1;
        }
        return text;
    }

    // ---- expressions ----
    ExprPtr node(Expr::Kind kind, const Token& at) const {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->line = at.line;
        e->column = at.column;
        return e;
    }
    ExprPtr node(Expr::Kind kind, const Expr& at) const {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->line = at.line;
        e->column = at.column;
        return e;
    }

    // Records the depth of a new node and refuses trees deeper than the limit, so that
    // evaluating and destroying them stays within the stack.
    ExprPtr finish(ExprPtr e) {
        int depth = 0;
        auto deeper = [&depth](const ExprPtr& child) {
            if (child)
                depth = std::max(depth, child->depth);
        };
        deeper(e->left);
        deeper(e->right);
        for (const auto& a : e->args)
            deeper(a);
        e->depth = depth + 1;
        if (e->depth > kMaxExpressionDepth)
            tooDeep(*e);
        return e;
    }
    [[noreturn]] static void tooDeep(const Expr& at) {
        throw ScenarioSyntaxError(at.line, at.column, "a simpler expression",
                                  "an expression nested too deeply");
    }

    // Bounds the parser's own recursion (parentheses, Not, minus) before any node exists.
    class Nesting {
    public:
        explicit Nesting(Parser& p) : p_(p) {
            if (++p_.nesting_ > kMaxExpressionDepth) {
                --p_.nesting_;
                throw ScenarioSyntaxError(p.peek().line, p.peek().column, "a simpler expression",
                                          "an expression nested too deeply");
            }
        }
        ~Nesting() { --p_.nesting_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& p_;
    };

    // A member path that a statement starts with: a name, then .Member and (args).
    ExprPtr path() {
        const Token& t = peek();
        if (!at(TokenKind::Name) || isReserved(t.text))
            fail("a name");
        ExprPtr e = node(Expr::Kind::Name, t);
        e->name = next().text;
        return suffixes(finish(std::move(e)));
    }

    ExprPtr suffixes(ExprPtr e) {
        for (;;) {
            if (at(TokenKind::Dot)) {
                next();
                const Token& name = expect(TokenKind::Name, "a member name after '.'");
                ExprPtr member = node(Expr::Kind::Member, name);
                member->name = name.text;
                member->left = std::move(e);
                e = finish(std::move(member));
            } else if (at(TokenKind::LeftParen)) {
                ExprPtr call = node(Expr::Kind::Call, peek());
                next();
                call->left = std::move(e);
                call->args = arguments(TokenKind::RightParen);
                expect(TokenKind::RightParen, "')'");
                e = finish(std::move(call));
            } else {
                return e;
            }
        }
    }

    // Positional arguments up to the closing token (not consumed); an empty position is an
    // omitted argument.
    std::vector<ExprPtr> arguments(TokenKind closing) {
        std::vector<ExprPtr> args;
        auto closes = [&] { return at(closing) || atEnd(); };
        if (closes())
            return args;
        for (;;) {
            if (at(TokenKind::Comma) || closes()) {
                args.push_back(nullptr);
            } else {
                args.push_back(expression());
            }
            if (!at(TokenKind::Comma))
                break;
            next();
            if (closes()) {
                args.push_back(nullptr);
                break;
            }
        }
        if (!at(closing))
            fail(closing == TokenKind::RightParen ? "',' or ')'" : "',' or end of line");
        return args;
    }

    // Not binds loosest, then the comparisons, then &, then unary minus.
    ExprPtr expression() {
        Nesting guard(*this);
        if (atWord(u"Not")) {
            ExprPtr e = node(Expr::Kind::Not, next());
            e->left = expression();
            return finish(std::move(e));
        }
        return comparison();
    }

    ExprPtr comparison() {
        ExprPtr e = concatenation();
        for (;;) {
            Expr::Kind kind;
            if (at(TokenKind::Equal)) {
                kind = Expr::Kind::Equal;
            } else if (at(TokenKind::NotEqual)) {
                kind = Expr::Kind::NotEqual;
            } else if (atWord(u"Is")) {
                kind = Expr::Kind::Is;
            } else {
                return e;
            }
            ExprPtr op = node(kind, next());
            op->left = std::move(e);
            op->right = concatenation();
            e = finish(std::move(op));
        }
    }

    ExprPtr concatenation() {
        ExprPtr e = unary();
        while (at(TokenKind::Ampersand)) {
            ExprPtr op = node(Expr::Kind::Concat, next());
            op->left = std::move(e);
            op->right = unary();
            e = finish(std::move(op));
        }
        return e;
    }

    ExprPtr unary() {
        if (!at(TokenKind::Minus))
            return postfix();
        Nesting guard(*this);
        const Token& minus = next();
        if (at(TokenKind::Integer) || at(TokenKind::Decimal)) {
            ExprPtr e = node(Expr::Kind::Literal, minus);
            const Token& number = next();
            e->value = number.kind == TokenKind::Integer ? integerLiteral(number.text, true)
                                                         : decimalLiteral(number.text, true);
            return suffixes(finish(std::move(e)));
        }
        ExprPtr e = node(Expr::Kind::Negate, minus);
        e->left = unary();
        return finish(std::move(e));
    }

    ExprPtr postfix() { return suffixes(primary()); }

    ExprPtr primary() {
        const Token& t = peek();
        switch (t.kind) {
            case TokenKind::Integer:
            case TokenKind::Decimal: {
                ExprPtr e = node(Expr::Kind::Literal, t);
                e->value = t.kind == TokenKind::Integer ? integerLiteral(t.text, false)
                                                        : decimalLiteral(t.text, false);
                next();
                return finish(std::move(e));
            }
            case TokenKind::String: {
                ExprPtr e = node(Expr::Kind::Literal, t);
                e->value = Variant(t.text);
                next();
                return finish(std::move(e));
            }
            case TokenKind::LeftParen: {
                next();
                ExprPtr e = expression();
                expect(TokenKind::RightParen, "')'");
                e->parenthesized = true;
                return e;
            }
            case TokenKind::Name:
                return namePrimary();
            default:
                fail("an expression");
        }
    }

    ExprPtr namePrimary() {
        const Token& t = peek();
        ExprPtr e = node(Expr::Kind::Literal, t);
        if (equalsIgnoreCase(t.text, u"True")) {
            e->value = Variant(true);
        } else if (equalsIgnoreCase(t.text, u"False")) {
            e->value = Variant(false);
        } else if (equalsIgnoreCase(t.text, u"Nothing")) {
            e->value = Variant::nothing();
        } else if (equalsIgnoreCase(t.text, u"Not")) {
            // Not as an operand (a = Not b) takes everything to its right, as in VBA.
            return expression();
        } else if (isReserved(t.text)) {
            fail("an expression");
        } else {
            e->kind = Expr::Kind::Name;
            e->name = t.text;
        }
        next();
        return finish(std::move(e));
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::vector<std::u16string_view> lines_;
    int firstLine_;
    int nesting_ = 0;
};

}  // namespace

Program parseScenario(std::u16string_view source) {
    return Parser(tokenize(source), source, 1).program(false);
}

Program parseInteractive(std::u16string_view text, int line) {
    return Parser(tokenize(text, line), text, line).program(true);
}

}  // namespace k72645::player
