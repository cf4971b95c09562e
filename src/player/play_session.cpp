#include "player/play_session.h"

#include <memory>
#include <string>

#include "automation/text.h"
#include "automation/vb.h"
#include "player/scenario_failure.h"
#include "player/scenario_interpreter.h"
#include "player/scenario_parser.h"
#include "player/scenario_runner.h"
#include "player/scenario_syntax_error.h"
#include "player/scenario_values.h"
#include "player/terminal_text.h"
#include "player/verdict_recorder.h"

namespace k72645::player {

namespace {

bool endsWithContinuation(const std::string& line) {
    std::size_t end = line.find_last_not_of(" \t\r");
    return end != std::string::npos && end > 0 && line[end] == '_' &&
           (line[end - 1] == ' ' || line[end - 1] == '\t');
}

class PlaySession {
public:
    PlaySession(const PlayOptions& options, ScenarioWorld& world, std::ostream& out)
        : options_(options), out_(out), host_(world.host()), interpreter_(world.host()) {
        interpreter_.onShow([this](const Statement&, const std::string& view) { printView(view); });
        for (auto& [name, object] : world.roots()) {
            if (equalsIgnoreCase(name, u"Module") && object) {
                module_ = object;
                recorder_ = std::make_shared<VerdictRecorder>(object);
                object = recorder_;
            }
            interpreter_.addRoot(name, object);
        }
    }

    void start() {
        const std::string n = std::to_string(options_.exercise);
        run("folder = Deliver(" + n +
                ")\nSet app = Nothing\nhwnd = -1\n"
                "Module.InitQuestion " +
                n + ", folder, app, hwnd",
            0);
        out_ << "Exercise " << n << " started";
        if (auto folder = interpreter_.variable(u"folder"); folder && folder->isString()) {
            out_ << " in " << toUtf8(folder->string());
        }
        out_ << "; the variables folder, app and hwnd hold its folder, Word and Word's window.\n";
    }

    void play(std::istream& in) {
        std::string line;
        int lineNumber = 0;
        for (;;) {
            if (options_.prompt)
                out_ << "> " << std::flush;
            if (!std::getline(in, line))
                break;
            int first = ++lineNumber;
            std::string entry = line;
            while (endsWithContinuation(line)) {
                if (options_.prompt)
                    out_ << "... " << std::flush;
                if (!std::getline(in, line))
                    break;
                ++lineNumber;
                entry += "\n" + line;
            }
            run(entry, first);
        }
        if (options_.prompt)
            out_ << "\n";
    }

    void end() {
        run("Module.Fermer\nModule.Quitter app, hwnd", 0);
        out_ << "Exercise closed and Word released.\n";
    }

    bool anyFailed() const { return failed_; }

private:
    // Runs one entry; reports a failure and goes on with the next entry.
    void run(const std::string& text, int line) {
        Program program;
        try {
            program = parseInteractive(fromUtf8(text), line > 0 ? line : 1);
        } catch (const ScenarioSyntaxError& e) {
            report("syntax error at column " + std::to_string(e.column()) + ": expected " +
                   e.expected() + ", found " + e.found());
            return;
        }
        for (const Statement& s : program.statements)
            runStatement(s);
    }

    void runStatement(const Statement& s) {
        const int checksBefore = recorder_ ? recorder_->checks() : 0;
        try {
            Variant value = interpreter_.execute(s);
            if (s.kind == Statement::Kind::Print ||
                (s.kind == Statement::Kind::Call && !value.isEmpty())) {
                out_ << describeValue(value) << "\n";
            }
        } catch (const ComError& e) {
            report(describeError(e));
        } catch (const ScenarioFailure& e) {
            report(oneLine(e.what()));
        } catch (const std::exception& e) {
            report("internal error: " + oneLine(e.what()));
        }
        if (recorder_ && recorder_->checks() != checksBefore) {
            printVerdict();
            if (options_.show)
                printView(host_.showWord(WordView::ActiveDocument));
        }
    }

    void printView(const std::string& view) { out_ << forReader(view, options_.colours); }

    void report(const std::string& message) {
        failed_ = true;
        out_ << "! " << message << "\n";
    }

    // What the player reads after a check.
    void printVerdict() {
        show("ErreurGenerale", [&] { return describeValue(get(module_, u"ErreurGenerale")); });
        show("CauseErreur", [&] {
            Variant cause = get(recorder_, u"CauseErreur");
            return describeValue(cause);
        });
        try {
            Variant complement = get(module_, u"Complement");
            if (complement.isNothing()) {
                out_ << "Complement = Nothing\n";
                return;
            }
            DispatchPtr lines = toObject(complement);
            std::int32_t count = vb::cLng(call(lines, u"count"));
            out_ << "Complement: " << count << (count == 1 ? " line\n" : " lines\n");
            for (std::int32_t i = 1; i <= count; ++i) {
                out_ << "  " << toUtf8(vb::cStr(get(lines, u"item", {Variant(i)}))) << "\n";
            }
        } catch (const ComError& e) {
            out_ << "Complement: " << describeError(e) << "\n";
        }
    }

    template <class Read>
    void show(const char* name, Read read) {
        try {
            out_ << name << " = " << read() << "\n";
        } catch (const ComError& e) {
            out_ << name << ": " << describeError(e) << "\n";
        }
    }

    const PlayOptions& options_;
    std::ostream& out_;
    ScenarioHost& host_;
    Interpreter interpreter_;
    DispatchPtr module_;
    std::shared_ptr<VerdictRecorder> recorder_;
    bool failed_ = false;
};

}  // namespace

int playExercise(const PlayOptions& options, const WorldFactory& worlds, std::istream& in,
                 std::ostream& out) {
    std::unique_ptr<ScenarioWorld> world = worlds();
    int status = 0;
    {
        PlaySession session(options, *world, out);
        session.start();
        session.play(in);
        session.end();
        status = session.anyFailed() ? 1 : 0;
    }
    try {
        world->finish();
    } catch (const std::exception& e) {
        out << "! clean-up failed: " << oneLine(e.what()) << "\n";
        status = 1;
    }
    return status;
}

}  // namespace k72645::player
