// Splits scenario text into tokens: names, numbers, strings, operators and ends of statement.
// Comments (' outside strings) and blank lines vanish; a line ending in " _" goes on with the
// next one, so a statement can span several lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace k72645::player {

enum class TokenKind {
    Name,        // a variable, root, function, member or keyword
    Integer,     // digits only
    Decimal,     // digits, a point and digits
    String,      // text is the literal's value, "" already made one quote
    Equal,       // =
    NotEqual,    // <>
    Ampersand,   // &
    Minus,       // -
    LeftParen,   // (
    RightParen,  // )
    Comma,       // ,
    Dot,         // .
    Question,    // ? (the interactive player's "print" prefix)
    EndOfStatement,
    EndOfInput,
};

struct Token {
    TokenKind kind;
    std::u16string text;  // the name, the digits or the string's value
    int line = 0;         // from 1
    int column = 0;       // from 1, in UTF-16 code units
    int endColumn = 0;    // the column just after the token
};

// Reads the whole text; raises ScenarioSyntaxError on a character that starts no token or a
// string left open. The tokens end with EndOfInput; each statement ends with EndOfStatement.
std::vector<Token> tokenize(std::u16string_view source, int firstLine = 1);

// How a token reads in an error message: "name 'x'", "string", "end of line"...
std::string describeToken(const Token& token);

}  // namespace k72645::player
