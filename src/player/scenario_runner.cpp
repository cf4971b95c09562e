#include "player/scenario_runner.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "player/scenario_failure.h"
#include "player/scenario_interpreter.h"
#include "player/scenario_parser.h"
#include "player/scenario_syntax_error.h"
#include "player/verdict_recorder.h"

namespace k72645::player {

std::string oneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n'))
                ++i;
            out += " / ";
        } else {
            out += c;
        }
    }
    return out;
}

std::string describeError(const ComError& error) {
    std::u16string description = error.description();
    if (description.empty())
        description = errors::descriptionOf(error.number());
    return "error " + std::to_string(error.number()) + " (" + oneLine(toUtf8(error.source())) +
           "): " + oneLine(toUtf8(description));
}

std::string ScenarioOutcome::failureLine() const {
    std::string where = file;
    if (line > 0)
        where += ":" + std::to_string(line);
    if (column > 0)
        where += ":" + std::to_string(column);
    if (!statement.empty())
        where += ": " + statement;
    return where + ": " + reason;
}

namespace {

// What Word shows when a statement fails; a view that cannot be read says why.
std::string viewAtFailure(ScenarioHost& host) {
    try {
        return host.showWord(WordView::ActiveDocument);
    } catch (const std::exception& e) {
        const auto* error = dynamic_cast<const ComError*>(&e);
        return "Word's document cannot be shown: " +
               (error ? describeError(*error) : oneLine(e.what())) + "\n";
    }
}

// Runs the statements; the first failure not trapped ends the run.
void runStatements(const Program& program, Interpreter& interpreter, ScenarioHost& host,
                   ScenarioOutcome& outcome) {
    interpreter.onShow([&outcome](const Statement& s, const std::string& view) {
        outcome.shown += "line " + std::to_string(s.line) + ": " + toUtf8(s.text) + "\n" + view;
    });
    for (const Statement& s : program.statements) {
        auto failAt = [&](const std::string& reason) {
            outcome.line = s.line;
            outcome.statement = oneLine(toUtf8(s.text));
            outcome.reason = reason;
            outcome.documentView = viewAtFailure(host);
        };
        try {
            interpreter.execute(s);
        } catch (const ComError& e) {
            failAt(describeError(e));
            return;
        } catch (const ScenarioFailure& e) {
            failAt(oneLine(e.what()));
            return;
        } catch (const std::exception& e) {
            failAt("internal error: " + oneLine(e.what()));
            return;
        }
    }
    outcome.passed = true;
}

void runInWorld(const Program& program, const WorldFactory& worlds, ScenarioOutcome& outcome) {
    std::unique_ptr<ScenarioWorld> world;
    try {
        world = worlds();
    } catch (const std::exception& e) {
        outcome.reason = "the simulated world could not start: " + oneLine(e.what());
        return;
    }
    std::shared_ptr<VerdictRecorder> recorder;
    {
        Interpreter interpreter(world->host());
        for (auto& [name, object] : world->roots()) {
            if (equalsIgnoreCase(name, u"Module") && object) {
                recorder = std::make_shared<VerdictRecorder>(object);
                object = recorder;
            }
            interpreter.addRoot(name, object);
        }
        runStatements(program, interpreter, world->host(), outcome);
    }
    if (recorder)
        outcome.verdict = recorder->verdict();
    try {
        world->finish();
    } catch (const std::exception& e) {
        if (outcome.passed) {
            outcome.passed = false;
            outcome.reason = "clean-up at the end failed: " + oneLine(e.what());
        }
    }
}

}  // namespace

ScenarioOutcome runScenarioText(const std::string& name, const std::string& utf8Text,
                                const WorldFactory& worlds) {
    const auto started = std::chrono::steady_clock::now();
    ScenarioOutcome outcome;
    outcome.file = name;
    try {
        Program program = parseScenario(fromUtf8(utf8Text));
        runInWorld(program, worlds, outcome);
    } catch (const ScenarioSyntaxError& e) {
        outcome.line = e.line();
        outcome.column = e.column();
        outcome.reason = "syntax error: expected " + e.expected() + ", found " + e.found();
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return outcome;
}

ScenarioOutcome runScenarioFile(const std::filesystem::path& file, const WorldFactory& worlds) {
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(file, ec))
        in.open(file, std::ios::binary);
    if (!in.is_open()) {
        ScenarioOutcome outcome;
        outcome.file = file.string();
        outcome.reason = "cannot read the file";
        return outcome;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return runScenarioText(file.string(), text.str(), worlds);
}

}  // namespace k72645::player
