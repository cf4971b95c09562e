#include <gtest/gtest.h>

#include "automation/text.h"
#include "player/scenario_failure.h"
#include "player/scenario_interpreter.h"
#include "player/scenario_parser.h"
#include "scenario_test_objects.h"

namespace k72645::player {
namespace {

using testing::FakeModule;
using testing::Items;
using testing::RecordingHost;

class ScenarioInterpreter : public ::testing::Test {
protected:
    ScenarioInterpreter() : interpreter(host) {
        interpreter.addRoot(u"Module", module);
        interpreter.addRoot(u"Bag", bag);
    }

    // Runs every statement of the text.
    void run(const std::string& text) {
        program_ = parseScenario(fromUtf8(text));
        for (const auto& s : program_.statements)
            interpreter.execute(s);
    }
    Variant eval(const std::string& expression) {
        Program p = parseScenario(fromUtf8("tmp = " + expression));
        interpreter.execute(p.statements.at(0));
        return *interpreter.variable(u"tmp");
    }
    std::string failureOf(const std::string& text) {
        try {
            run(text);
        } catch (const ScenarioFailure& e) {
            return e.what();
        }
        return "(no failure)";
    }
    std::int32_t errorOf(const std::string& text) {
        try {
            run(text);
        } catch (const ComError& e) {
            return e.number();
        }
        return 0;
    }

    RecordingHost host;
    std::shared_ptr<FakeModule> module = FakeModule::create();
    std::shared_ptr<Items> bag = Items::create();
    Interpreter interpreter;

private:
    Program program_;
};

TEST_F(ScenarioInterpreter, BareVariablesGoByReferenceAndComeBack) {
    run("Set app = Nothing\nhwnd = -1\nfolder = Deliver(507)\n"
        "Module.InitQuestion 507, folder, app, hwnd");
    EXPECT_EQ(module->calls.at(0), u"InitQuestion 507 /work/507/");
    EXPECT_EQ(*interpreter.variable(u"HWND"), Variant(std::int32_t{4242}));
    EXPECT_TRUE(interpreter.variable(u"app")->object() == module->application);
    // A variable not yet set goes as Empty and is created by the call.
    run("Module.Quitter app2, h2");
    EXPECT_TRUE(interpreter.variable(u"app2")->isNothing());
    // Anything but a bare variable goes by value: the variable is left alone.
    run("Module.InitQuestion 501, \"f\", (app), hwnd & \"\"");
    EXPECT_TRUE(interpreter.variable(u"app")->object() == module->application);
    EXPECT_EQ(*interpreter.variable(u"hwnd"), Variant(std::int32_t{4242}));
}

TEST_F(ScenarioInterpreter, MembersDefaultMembersAndPuts) {
    run("Bag.Item(\"a\") = 1\nBag(\"b\") = \"two\"\nx = Bag(\"a\")\ny = bag.item(\"b\")");
    EXPECT_EQ(*interpreter.variable(u"x"), Variant(std::int16_t{1}));
    EXPECT_EQ(errorOf("z = Bag(\"nope\")"), 5941);
    EXPECT_EQ(eval("Bag.Count"), Variant(std::int32_t{2}));
    EXPECT_EQ(errorOf("Bag.Missing = 1"), 438);
    EXPECT_EQ(errorOf("s = \"text\"\nt = s.Length"), 424);
    EXPECT_EQ(errorOf("Set o = Nothing\nt = o.Name"), 91);
}

TEST_F(ScenarioInterpreter, ComparesAndConcatenatesAsVba) {
    EXPECT_EQ(eval("1 = \"1\""), Variant(true));
    EXPECT_EQ(eval("True = -1"), Variant(true));
    EXPECT_EQ(eval("\"a\" = \"A\""), Variant(false));
    EXPECT_EQ(eval("\"\" <> \"\""), Variant(false));
    EXPECT_EQ(eval("1.5 = \"1.5\""), Variant(true));
    EXPECT_EQ(eval("\"x\" & 1 & True & -2.5"), Variant(u"x1True-2.5"));
    EXPECT_EQ(eval("Not True"), Variant(false));
    EXPECT_EQ(eval("Not 0"), Variant(std::int16_t{-1}));
    EXPECT_EQ(eval("Not Module Is Bag"), Variant(true));
    EXPECT_EQ(eval("Bag Is bag"), Variant(true));
    EXPECT_EQ(eval("Nothing Is Nothing"), Variant(true));
    EXPECT_EQ(eval("-(32767)"), Variant(std::int16_t{-32767}));
    EXPECT_EQ(errorOf("x = 1 = \"one\""), 13);
    EXPECT_EQ(errorOf("x = 1 Is Nothing"), 424);
    EXPECT_EQ(errorOf("x = -(-32768)"), 6);
}

TEST_F(ScenarioInterpreter, Functions) {
    EXPECT_EQ(eval("Chr(160)"), Variant(u"\u00A0"));
    EXPECT_EQ(eval("Chr(171) & Chr(187)"), Variant(u"\u00AB\u00BB"));
    EXPECT_EQ(eval("Len(\"abc\")"), Variant(std::int32_t{3}));
    EXPECT_EQ(eval("LCase(\"ÉA\") & UCase(\"éa\")"), Variant(u"\u00E9a\u00C9A"));
    EXPECT_EQ(eval("Left(\"abcdef\", 2) & Mid(\"abcdef\", 3) & Mid(\"abcdef\", 2, 1)"),
              Variant(u"abcdefb"));
    EXPECT_EQ(eval("InStr(\"abcabc\", \"c\")"), Variant(std::int32_t{3}));
    EXPECT_EQ(eval("InStr(4, \"abcabc\", \"c\")"), Variant(std::int32_t{6}));
    EXPECT_EQ(eval("CStr(12)"), Variant(u"12"));
    host.files.push_back(u"/work/a.doc");
    EXPECT_EQ(eval("FileExists(\"/work/a.doc\") = Not FileExists(\"/work/b.doc\")"), Variant(true));
    EXPECT_EQ(eval("FolderExists(\"/work/\")"), Variant(true));
    run("Wait 250\nWait(10)");
    EXPECT_EQ(host.waits, (std::vector<std::int32_t>{250, 10}));
    EXPECT_TRUE(eval("CreateObject(\"Word.application.11\")").object() == host.created);
    EXPECT_EQ(errorOf("x = CreateObject(\"Excel.Application\")"), 429);
    EXPECT_EQ(errorOf("x = Chr(300)"), 5);
    EXPECT_EQ(errorOf("x = Mid(\"a\", 0)"), 5);
    EXPECT_EQ(errorOf("x = Left(\"a\")"), 449);
    EXPECT_EQ(errorOf("x = Len(\"a\", 2)"), 450);
}

TEST_F(ScenarioInterpreter, OnErrorResumeNextSetsErrAndGoTo0ClearsIt) {
    EXPECT_EQ(errorOf("Bag.Missing"), 438);  // fails the scenario by default
    run("On Error Resume Next\n"
        "Bag.Missing\n"
        "n = Err.Number\n"
        "x = 1\n"  // a statement that succeeds leaves Err as it was
        "m = Err.Number & \" \" & Err.Description\n");
    EXPECT_EQ(*interpreter.variable(u"n"), Variant(std::int32_t{438}));
    EXPECT_EQ(*interpreter.variable(u"m"),
              Variant(u"438 Object doesn't support this property or method"));
    run("Err.Clear\nn = Err.Number\nErr.Raise 5\nm = Err.Number");
    EXPECT_EQ(*interpreter.variable(u"n"), Variant(std::int32_t{0}));
    EXPECT_EQ(*interpreter.variable(u"m"), Variant(std::int32_t{5}));
    run("On Error GoTo 0");
    EXPECT_EQ(interpreter.err().number(), 0);
    EXPECT_FALSE(interpreter.resumingNext());
    EXPECT_EQ(errorOf("Err.Raise 1004, \"Src\", \"Custom\""), 1004);
}

TEST_F(ScenarioInterpreter, AssertsShowBothSidesAndAreNeverTrapped) {
    EXPECT_NO_THROW(run("Assert 1 = 1\nAssert \"a\" <> \"b\"\nAssert Bag Is Bag\nAssert 5"));
    EXPECT_EQ(failureOf("Assert Module.CauseErreur = \"A\""),
              "Assert failed: left side is \"\", right side is \"A\"");
    EXPECT_EQ(failureOf("x = 2\nAssert x <> 2"), "Assert failed: left side is 2, right side is 2");
    EXPECT_EQ(failureOf("Assert Bag Is Nothing"),
              "Assert failed: left side is an object, right side is Nothing");
    EXPECT_EQ(failureOf("Assert Not True"), "Assert failed: the expression is False");
    // Under On Error Resume Next a failed Assert still fails, and so does an Assert that
    // could not be evaluated.
    EXPECT_EQ(failureOf("On Error Resume Next\nAssert 1 = 2"),
              "Assert failed: left side is 1, right side is 2");
    EXPECT_EQ(errorOf("Assert Bag.Missing = 1"), 438);
}

TEST_F(ScenarioInterpreter, NamesMustBeDefinedAndRootsCannotBeAssigned) {
    EXPECT_EQ(failureOf("Assert hwdn = 0"),
              "'hwdn' is not defined: no variable, root object or function has that name");
    EXPECT_EQ(failureOf("On Error Resume Next\nx = undefined1"),
              "'undefined1' is not defined: no variable, root object or function has that name");
    EXPECT_EQ(failureOf("module = 1"),
              "'module' is a root object or a function and cannot be assigned");
    EXPECT_EQ(failureOf("Len = 1"), "'Len' is a root object or a function and cannot be assigned");
    EXPECT_EQ(failureOf("Err = 1"), "'Err' is a root object or a function and cannot be assigned");
    run("X = 1\nx = x & \"b\"");
    EXPECT_EQ(*interpreter.variable(u"x"), Variant(u"1b"));
}

}  // namespace
}  // namespace k72645::player
