// `k72645 demo`: runs the course's scenarios and shows, for each, the exercise, the case, the
// verdict it expects, the verdict the component gave, and whether the scenario passed; then
// the totals. Scenario files are named "<exercise>-<case>.scn" and may say the verdict they
// expect in a header comment "' Expect: <code>" ("" or pass for a passing case).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "player/scenario_runner.h"

namespace k72645::player {

struct DemoCase {
    std::filesystem::path file;
    std::string exercise;                 // "507", "module", "sim"...
    std::string name;                     // the case
    std::optional<std::string> expected;  // the verdict code expected ("" for a pass)
};

// The scenarios of a folder, in the order of their names.
std::vector<DemoCase> findDemoCases(const std::filesystem::path& folder);
// The "' Expect:" header of a scenario, among the comments before its first statement.
std::optional<std::string> expectedVerdict(const std::string& utf8Text);
DemoCase demoCaseOf(const std::filesystem::path& file);

struct DemoOptions {
    bool progress = false;  // a progress line while running (stdout is a terminal)
};

// Runs every case and prints the table; returns the exit status (0 when none failed).
int runDemo(const std::vector<DemoCase>& cases, const WorldFactory& worlds,
            const DemoOptions& options, std::ostream& out);

}  // namespace k72645::player
