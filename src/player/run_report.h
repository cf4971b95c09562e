// What `k72645 run` tells: one line per scenario, followed (indented) by what its Show
// statements showed and, when it failed, Word's active document at the failure; then
// "N passed, N failed" alone on the last line. The same outcomes as a JUnit XML report, where a
// failure's text holds the document.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "player/scenario_runner.h"

namespace k72645::player {

// "pass  file" or "FAIL  file:line: statement: reason".
std::string reportLine(const ScenarioOutcome& outcome);
std::string summaryLine(const std::vector<ScenarioOutcome>& outcomes);
// The report line and the lines under it; colours only when the reader shows them.
void writeOutcome(std::ostream& out, const ScenarioOutcome& outcome, bool colours);
void writeReport(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes);
void writeJUnit(std::ostream& out, const std::vector<ScenarioOutcome>& outcomes);

int failedCount(const std::vector<ScenarioOutcome>& outcomes);
// The exit status: 0 only when none failed.
int exitStatus(const std::vector<ScenarioOutcome>& outcomes);

}  // namespace k72645::player
