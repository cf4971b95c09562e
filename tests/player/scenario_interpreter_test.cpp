#include <gtest/gtest.h>

#include "automation/text.h"
#include "player/scenario_failure.h"
#include "player/scenario_interpreter.h"
#include "player/scenario_parser.h"
#include "scenario_test_objects.h"
#include "support/com_error_expect.h"

namespace k72645::player {
namespace {

using testing::FakeModule;
using testing::RecordingHost;

class ScenarioInterpreter : public ::testing::Test {
protected:
    ScenarioInterpreter() : interpreter(host) { interpreter.addRoot(u"Module", module); }

    // Runs every statement of the text.
    void run(const std::string& text) {
        program_ = parseScenario(fromUtf8(text));
        for (const auto& s : program_.statements)
            interpreter.execute(s);
    }
    std::string failureOf(const std::string& text) {
        try {
            run(text);
        } catch (const ScenarioFailure& e) {
            return e.what();
        }
        return "(no failure)";
    }
    RecordingHost host;
    std::shared_ptr<FakeModule> module = FakeModule::create();
    Interpreter interpreter;

private:
    Program program_;
};

TEST_F(ScenarioInterpreter, AssertsShowBothSidesAndAreNeverTrapped) {
    EXPECT_NO_THROW(run("Assert 1 = 1\nAssert \"a\" <> \"b\"\nAssert Module Is Module\nAssert 5"));
    EXPECT_EQ(failureOf("Assert Module.CauseErreur = \"A\""),
              "Assert failed: left side is \"\", right side is \"A\"");
    EXPECT_EQ(failureOf("x = 2\nAssert x <> 2"), "Assert failed: left side is 2, right side is 2");
    EXPECT_EQ(failureOf("Assert Module Is Nothing"),
              "Assert failed: left side is an object, right side is Nothing");
    EXPECT_EQ(failureOf("Assert Not True"), "Assert failed: the expression is False");
    // Under On Error Resume Next a failed Assert still fails, and so does an Assert that
    // could not be evaluated.
    EXPECT_EQ(failureOf("On Error Resume Next\nAssert 1 = 2"),
              "Assert failed: left side is 1, right side is 2");
    EXPECT_COM_ERROR(run("Assert Module.Missing = 1"), 438);
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
