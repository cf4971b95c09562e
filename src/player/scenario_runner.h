// Runs scenario files, each in a fresh world, and tells how each ended.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "player/scenario_world.h"

namespace k72645::player {

struct ScenarioOutcome {
    std::string file;  // as named to the runner
    bool passed = false;
    int line = 0;                           // where it failed (0: not at a statement)
    int column = 0;                         // syntax errors only
    std::string statement;                  // the statement that failed, as written
    std::string reason;                     // why, in one line
    std::optional<std::u16string> verdict;  // CauseErreur read after the last TestePoint
    // What the scenario's Show statements showed, each after a line "line N: Show...".
    std::string shown;
    // Word's active document when a statement failed (or that no Word or no document is
    // open); "" when the scenario passed or never ran. Colours as in terminal_text.h.
    std::string documentView;
    double seconds = 0;

    // "file:line: statement: reason" (or "file:line:column: syntax error: ...").
    std::string failureLine() const;
};

ScenarioOutcome runScenarioFile(const std::filesystem::path& file, const WorldFactory& worlds);
ScenarioOutcome runScenarioText(const std::string& name, const std::string& utf8Text,
                                const WorldFactory& worlds);

// A failure's text on one line: line breaks (the error service's source holds some) become
// " / ".
std::string oneLine(const std::string& text);
// "error 438 (source): description", the description being VB's own when the error has none.
std::string describeError(const ComError& error);

}  // namespace k72645::player
