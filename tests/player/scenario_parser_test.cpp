#include <gtest/gtest.h>

#include <functional>

#include "automation/text.h"
#include "player/scenario_lexer.h"
#include "player/scenario_parser.h"
#include "player/scenario_syntax_error.h"

namespace k72645::player {
namespace {

Program parse(const std::string& utf8) {
    return parseScenario(fromUtf8(utf8));
}

// The tree of an expression in prefix form, to check how operators bind.
std::string shape(const Expr& e) {
    auto sub = [](const ExprPtr& p) { return p ? shape(*p) : std::string("_"); };
    switch (e.kind) {
        case Expr::Kind::Literal:
            return e.value.isNothing() ? "Nothing" : toUtf8(e.value.typeName());
        case Expr::Kind::Name:
            return toUtf8(e.name);
        case Expr::Kind::Member:
            return sub(e.left) + "." + toUtf8(e.name);
        case Expr::Kind::Call: {
            std::string s = sub(e.left) + "(";
            for (std::size_t i = 0; i < e.args.size(); ++i)
                s += (i ? "," : "") + sub(e.args[i]);
            return s + ")";
        }
        case Expr::Kind::Not:
            return "Not[" + sub(e.left) + "]";
        case Expr::Kind::Negate:
            return "Neg[" + sub(e.left) + "]";
        case Expr::Kind::Concat:
            return "&[" + sub(e.left) + " " + sub(e.right) + "]";
        case Expr::Kind::Equal:
            return "=[" + sub(e.left) + " " + sub(e.right) + "]";
        case Expr::Kind::NotEqual:
            return "<>[" + sub(e.left) + " " + sub(e.right) + "]";
        case Expr::Kind::Is:
            return "Is[" + sub(e.left) + " " + sub(e.right) + "]";
    }
    return "?";
}

std::string valueShape(const std::string& statement) {
    Program p = parse(statement);
    EXPECT_EQ(p.statements.size(), 1u);
    return shape(*p.statements.at(0).value);
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

TEST(ScenarioParser, ReadsEveryStatementForm) {
    Program p = parse(
        "x = 1\n"
        "Set app = Nothing\n"
        "app.Visible = True\n"
        "doc.Bookmarks(\"s01\").Range.Text = \"a\"\n"
        "Module.InitQuestion 507, folder, app, hwnd\n"
        "Module.TestePoint\n"
        "doc.Close(0)\n"
        "Call doc.Close(0)\n"
        "Assert x = 1\n"
        "On Error Resume Next\n"
        "on error goto 0\n"
        "Err.Clear\n");
    using K = Statement::Kind;
    std::vector<K> kinds;
    for (const auto& s : p.statements)
        kinds.push_back(s.kind);
    EXPECT_EQ(kinds,
              (std::vector<K>{K::Assign, K::Assign, K::Assign, K::Assign, K::Call, K::Call, K::Call,
                              K::Call, K::Assert, K::OnErrorResumeNext, K::OnErrorGoTo0, K::Call}));
    EXPECT_EQ(shape(*p.statements[3].target), "doc.Bookmarks(String).Range.Text");
    EXPECT_EQ(shape(*p.statements[4].target), "Module.InitQuestion(Integer,folder,app,hwnd)");
    EXPECT_EQ(shape(*p.statements[5].target), "Module.TestePoint");
    EXPECT_EQ(shape(*p.statements[7].target), "doc.Close(Integer)");
    EXPECT_EQ(p.statements[4].line, 5);
}

TEST(ScenarioParser, OmittedArgumentsKeepTheirPositions) {
    Program p = parse("m.CreateDataSource f, , , \"a, b\"\nx = f(, 1, )\ny = g()");
    EXPECT_EQ(shape(*p.statements[0].target), "m.CreateDataSource(f,_,_,String)");
    EXPECT_EQ(shape(*p.statements[1].value), "f(_,Integer,_)");
    EXPECT_EQ(shape(*p.statements[2].value), "g()");
}

TEST(ScenarioParser, OperatorsBindAsInVba) {
    EXPECT_EQ(valueShape("Assert Not a Is b"), "Not[Is[a b]]");
    EXPECT_EQ(valueShape("Assert Not a = b & c"), "Not[=[a &[b c]]]");
    EXPECT_EQ(valueShape("Assert a & b = c & d"), "=[&[a b] &[c d]]");
    EXPECT_EQ(valueShape("Assert a = Not b"), "=[a Not[b]]");
    EXPECT_EQ(valueShape("Assert (a = b) <> c"), "<>[=[a b] c]");
    EXPECT_EQ(valueShape("Assert x Is Nothing"), "Is[x Nothing]");
    EXPECT_EQ(valueShape("Assert -x = -1"), "=[Neg[x] Integer]");
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

TEST(ScenarioParser, StringsCommentsAndContinuations) {
    Program p = parse(
        "\xEF\xBB\xBF' a header comment\n"
        "\n"
        "x = \"say \"\"hi\"\" 'not a comment'\" ' a comment\r\n"
        "Module.InitQuestion 507, _\n"
        "    folder, _  \n"
        "    app\n"
        "y = \"\xC3\xA9t\xC3\xA9\"\n");
    ASSERT_EQ(p.statements.size(), 3u);
    EXPECT_EQ(p.statements[0].value->value, Variant(u"say \"hi\" 'not a comment'"));
    EXPECT_EQ(p.statements[0].line, 3);
    EXPECT_EQ(toUtf8(p.statements[0].text), "x = \"say \"\"hi\"\" 'not a comment'\"");
    EXPECT_EQ(shape(*p.statements[1].target), "Module.InitQuestion(Integer,folder,app)");
    EXPECT_EQ(p.statements[1].line, 4);
    EXPECT_EQ(toUtf8(p.statements[1].text), "Module.InitQuestion 507, folder, app");
    EXPECT_EQ(p.statements[2].value->value, Variant(u"\u00E9t\u00E9"));
    EXPECT_EQ(p.statements[2].line, 7);
}

TEST(ScenarioParser, KeywordsAndNamesIgnoreCaseAndMembersMayBeKeywords) {
    Program p = parse("SET x = TRUE\nassert NOT x IS nothing\nr.Next.End = 1");
    EXPECT_EQ(p.statements[0].value->value, Variant(true));
    EXPECT_EQ(shape(*p.statements[1].value), "Not[Is[x Nothing]]");
    EXPECT_EQ(shape(*p.statements[2].target), "r.Next.End");
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

TEST(ScenarioParser, InteractiveEntriesPrintExpressions) {
    Program p = parseInteractive(u"? 1 & 2", 4);
    ASSERT_EQ(p.statements.size(), 1u);
    EXPECT_EQ(p.statements[0].kind, Statement::Kind::Print);
    EXPECT_EQ(p.statements[0].line, 4);
    EXPECT_EQ(parseInteractive(u"Len(\"ab\") & \"x\"", 1).statements[0].kind,
              Statement::Kind::Print);
    EXPECT_EQ(parseInteractive(u"x = 1", 1).statements[0].kind, Statement::Kind::Assign);
    EXPECT_EQ(parseInteractive(u"app.Visible", 1).statements[0].kind, Statement::Kind::Call);
    // Neither a statement nor an expression: the statement's error is shown.
    try {
        parseInteractive(u"x = (1", 1);
        ADD_FAILURE();
    } catch (const ScenarioSyntaxError& e) {
        EXPECT_EQ(e.expected(), "')'");
    }
}

}  // namespace
}  // namespace k72645::player
