#include "player/scenario_lexer.h"

#include "automation/text.h"
#include "player/scenario_syntax_error.h"

namespace k72645::player {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
// Letters of names: ASCII letters and every non-ASCII character that is not a no-break
// space, so that accented French names read as names.
bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c != 0xFEFF);
}
bool isNameChar(char16_t c) {
    return isLetter(c) || isDigit(c) || c == u'_';
}

std::string quoted(char16_t c) {
    if (c < 0x20 || c == 0x7F)
        return "character " + std::to_string(static_cast<int>(c));
    return "'" + toUtf8(std::u16string(1, c)) + "'";
}

class Lexer {
public:
    Lexer(std::u16string_view source, int firstLine) : src_(source), line_(firstLine) {
        if (!src_.empty() && src_[0] == 0xFEFF)
            src_.remove_prefix(1);
    }

    std::vector<Token> run() {
        while (pos_ < src_.size()) {
            char16_t c = src_[pos_];
            if (isBlank(c)) {
                advance();
            } else if (c == u'\n') {
                endStatement();
                newLine();
            } else if (c == u'\'') {
                while (pos_ < src_.size() && src_[pos_] != u'\n')
                    advance();
            } else if (c == u'_' && !isContinuationAt(pos_)) {
                throw ScenarioSyntaxError(line_, column_, "a statement", quoted(c));
            } else if (c == u'_') {
                continueLine();
            } else if (isLetter(c)) {
                readName();
            } else if (isDigit(c)) {
                readNumber();
            } else if (c == u'"') {
                readString();
            } else {
                readOperator(c);
            }
        }
        endStatement();
        tokens_.push_back(Token{TokenKind::EndOfInput, {}, line_, column_, column_});
        return std::move(tokens_);
    }

private:
    void advance() {
        ++pos_;
        ++column_;
    }
    void newLine() {
        ++pos_;
        ++line_;
        column_ = 1;
    }
    void push(TokenKind kind, std::u16string text, int column) {
        tokens_.push_back(Token{kind, std::move(text), line_, column, column_});
    }
    // A statement ends at the end of a line that holds one; blank lines add nothing.
    void endStatement() {
        if (!tokens_.empty() && tokens_.back().kind != TokenKind::EndOfStatement) {
            push(TokenKind::EndOfStatement, {}, column_);
        }
    }

    // " _" continues a line when only blanks follow it on that line.
    bool isContinuationAt(std::size_t at) const {
        if (at == 0 || !isBlank(src_[at - 1]))
            return false;
        for (std::size_t i = at + 1; i < src_.size() && src_[i] != u'\n'; ++i) {
            if (!isBlank(src_[i]))
                return false;
        }
        return true;
    }
    void continueLine() {
        while (pos_ < src_.size() && src_[pos_] != u'\n')
            advance();
        if (pos_ < src_.size())
            newLine();
    }

    void readName() {
        int start = column_;
        std::size_t from = pos_;
        while (pos_ < src_.size() && isNameChar(src_[pos_]))
            advance();
        push(TokenKind::Name, std::u16string(src_.substr(from, pos_ - from)), start);
    }

    void readNumber() {
        int start = column_;
        std::size_t from = pos_;
        while (pos_ < src_.size() && isDigit(src_[pos_]))
            advance();
        TokenKind kind = TokenKind::Integer;
        if (pos_ + 1 < src_.size() && src_[pos_] == u'.' && isDigit(src_[pos_ + 1])) {
            kind = TokenKind::Decimal;
            advance();
            while (pos_ < src_.size() && isDigit(src_[pos_]))
                advance();
        }
        push(kind, std::u16string(src_.substr(from, pos_ - from)), start);
    }

    void readString() {
        int startLine = line_;
        int start = column_;
        advance();
        std::u16string text;
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == u'\n') {
                throw ScenarioSyntaxError(startLine, start, "'\"' to close the string",
                                          "end of line");
            }
            char16_t c = src_[pos_];
            advance();
            if (c == u'"') {
                if (pos_ < src_.size() && src_[pos_] == u'"') {
                    advance();
                } else {
                    break;
                }
            }
            text += c;
        }
        push(TokenKind::String, std::move(text), start);
    }

    void readOperator(char16_t c) {
        int start = column_;
        TokenKind kind;
        switch (c) {
            case u'=':
                kind = TokenKind::Equal;
                break;
            case u'&':
                kind = TokenKind::Ampersand;
                break;
            case u'-':
                kind = TokenKind::Minus;
                break;
            case u'(':
                kind = TokenKind::LeftParen;
                break;
            case u')':
                kind = TokenKind::RightParen;
                break;
            case u',':
                kind = TokenKind::Comma;
                break;
            case u'.':
                kind = TokenKind::Dot;
                break;
            case u'?':
                kind = TokenKind::Question;
                break;
            case u'<':
                advance();
                if (pos_ >= src_.size() || src_[pos_] != u'>') {
                    throw ScenarioSyntaxError(
                        line_, column_, "'>' after '<'",
                        pos_ < src_.size() ? quoted(src_[pos_]) : "end of input");
                }
                kind = TokenKind::NotEqual;
                break;
            default:
                throw ScenarioSyntaxError(line_, column_, "a statement or an expression",
                                          quoted(c));
        }
        advance();
        push(kind, {}, start);
    }

    std::u16string_view src_;
    std::size_t pos_ = 0;
    int line_;
    int column_ = 1;
    std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> tokenize(std::u16string_view source, int firstLine) {
    return Lexer(source, firstLine).run();
}

std::string describeToken(const Token& token) {
    switch (token.kind) {
        case TokenKind::Name:
            return "'" + toUtf8(token.text) + "'";
        case TokenKind::Integer:
        case TokenKind::Decimal:
            return "number " + toUtf8(token.text);
        case TokenKind::String:
            return "string \"" + toUtf8(token.text) + "\"";
        case TokenKind::Equal:
            return "'='";
        case TokenKind::NotEqual:
            return "'<>'";
        case TokenKind::Ampersand:
            return "'&'";
        case TokenKind::Minus:
            return "'-'";
        case TokenKind::LeftParen:
            return "'('";
        case TokenKind::RightParen:
            return "')'";
        case TokenKind::Comma:
            return "','";
        case TokenKind::Dot:
            return "'.'";
        case TokenKind::Question:
            return "'?'";
        case TokenKind::EndOfStatement:
            return "end of line";
        case TokenKind::EndOfInput:
            return "end of input";
    }
    return "token";
}

}  // namespace k72645::player
