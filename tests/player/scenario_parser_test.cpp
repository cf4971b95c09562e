#include <gtest/gtest.h>

#include "automation/text.h"
#include "player/scenario_lexer.h"
#include "player/scenario_parser.h"
#include "player/scenario_syntax_error.h"

namespace k72645::player {
namespace {

Program parse(const std::string& utf8) {
    return parseScenario(fromUtf8(utf8));
}

ScenarioSyntaxError syntaxErrorOf(const std::string& text) {
    try {
        parse(text);
    } catch (const ScenarioSyntaxError& e) {
        return e;
    }
    ADD_FAILURE() << "no syntax error in: " << text;
    return ScenarioSyntaxError(0, 0, "", "");
}

TEST(ScenarioParser, IntegerLiteralsAreIntegerUpTo16BitsThenLong) {
    auto literal = [](const std::string& text) {
        return parse("x = " + text).statements.at(0).value->value;
    };
    EXPECT_EQ(literal("32767"), Variant(std::int16_t{32767}));
    EXPECT_EQ(literal("-32768"), Variant(std::int16_t{-32768}));
    EXPECT_EQ(literal("32768"), Variant(std::int32_t{32768}));
    EXPECT_EQ(literal("-1"), Variant(std::int16_t{-1}));
    EXPECT_EQ(literal("2147483648"), Variant(2147483648.0));
    EXPECT_EQ(literal("0.5"), Variant(0.5));
    EXPECT_EQ(literal("-2.25"), Variant(-2.25));
}

TEST(ScenarioParser, SyntaxErrorsNameLineColumnAndWhatWasExpected) {
    auto e = syntaxErrorOf("x = 1\nAssert f(1, 2\n");
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(e.column(), 14);
    EXPECT_EQ(e.expected(), "',' or ')'");
    EXPECT_EQ(e.found(), "end of line");

    e = syntaxErrorOf("x = \"open");
    EXPECT_EQ(e.line(), 1);
    EXPECT_EQ(e.column(), 5);
    EXPECT_EQ(e.expected(), "'\"' to close the string");

    e = syntaxErrorOf("On Error GoTo 10");
    EXPECT_EQ(e.expected(), "0");
    e = syntaxErrorOf("On Error Resume");
    EXPECT_EQ(e.expected(), "'Next'");
    e = syntaxErrorOf("Assert a < b");
    EXPECT_EQ(e.column(), 11);
    EXPECT_EQ(e.expected(), "'>' after '<'");
    e = syntaxErrorOf("x = 1 2");
    EXPECT_EQ(e.expected(), "end of line");
    EXPECT_EQ(e.found(), "number 2");
    e = syntaxErrorOf("Set = 3");
    EXPECT_EQ(e.expected(), "a name");
    e = syntaxErrorOf("x = a.");
    EXPECT_EQ(e.expected(), "a member name after '.'");
    e = syntaxErrorOf("x = 1 _ 2");
    EXPECT_EQ(e.column(), 7);
    e = syntaxErrorOf("? x");
    EXPECT_EQ(e.expected(), "a statement");
    e = syntaxErrorOf("Not = 1");
    EXPECT_EQ(e.expected(), "a statement");
    e = syntaxErrorOf("x = #");
    EXPECT_EQ(e.found(), "'#'");
}

TEST(ScenarioParser, DeepNestingIsASyntaxErrorNotACrash) {
    const int n = kMaxExpressionDepth + 10;
    EXPECT_EQ(syntaxErrorOf("x = " + std::string(n, '(') + "1" + std::string(n, ')')).found(),
              "an expression nested too deeply");
    std::string chain = "x = a";
    for (int i = 0; i < 5000; ++i)
        chain += " & a";
    EXPECT_EQ(syntaxErrorOf(chain).found(), "an expression nested too deeply");
    std::string nots = "x = ";
    for (int i = 0; i < 5000; ++i)
        nots += "Not ";
    EXPECT_EQ(syntaxErrorOf(nots + "a").found(), "an expression nested too deeply");
    EXPECT_NO_THROW(parse("x = " + std::string(50, '(') + "1" + std::string(50, ')')));
}

}  // namespace
}  // namespace k72645::player
