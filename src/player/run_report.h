// What `k72645 run` tells: one line per scenario, then "N passed, N failed" alone on the last
// line; and the same outcomes as a JUnit XML report.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "player/scenario_runner.h"

namespace k72645::player {

// "pass  file" or "FAIL  file:line: statement: reason".
std::string reportLine(const ScenarioOutcome& outcome);
std::string summaryLine(const std::vector<ScenarioOutcome>& outcomes);
void writeReport(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes);
void writeJUnit(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes);

int failedCount(const std::vector<ScenarioOutcome>& outcomes);
// The exit status: 0 only when none failed.
int exitStatus(const std::vector<ScenarioOutcome>& outcomes);

}  // namespace k72645::player
