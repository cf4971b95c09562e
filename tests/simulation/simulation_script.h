// A simulation run written down: its steps, each a few statements of the scenario language
// (a player call or a learner action) with the faults that fired during it. Printed as a
// scenario, every fault is armed on the line before its step, so the file replays the run
// exactly, with the runner or with `k72645 run`.
#pragma once

#include <string>
#include <vector>

#include "sim/faults/fault_injector.h"

namespace k72645::simulation {

struct ScriptStep {
    std::vector<std::string> statements;  // UTF-8, one statement each
    std::vector<sim::InjectedFault> faults;
};

// The player's calls a step can make, told apart by the member it calls on Module.
enum class PlayerCall { None, InitQuestion, TestePoint, Fermer, Quitter, VerdictRead };
PlayerCall playerCallOf(const ScriptStep& step);
const char* playerCallName(PlayerCall call);

// A line without its leading and trailing blanks (spaces, tabs, carriage returns).
std::string trimmed(const std::string& line);

// The statements that start every run: errors are trapped, the player holds no Word yet.
const std::vector<std::string>& preamble();

// The statement that arms a fault for the step it precedes.
std::string armingStatement(const sim::InjectedFault& fault);

// The scenario: `header` lines as comments, the preamble, then each step as a block of its
// own (its arming statements first), blocks separated by a blank line, then `trailer` lines.
std::string scenarioText(const std::vector<std::string>& header,
                         const std::vector<ScriptStep>& steps,
                         const std::vector<std::string>& trailer);

// A scenario written by scenarioText read back into steps: the preamble block is dropped and
// the arming statements stay in their step's statements. Comments and Assert lines are left out.
std::vector<ScriptStep> stepsOfScenario(const std::string& text);

}  // namespace k72645::simulation
