// Simulation runs: a seed drives a random sequence of the player's calls and the learner's
// actions under random faults, with the invariants checked after every step; a script (the
// steps and the faults that fired) replays such a run exactly, with its faults armed; a
// failing script is shrunk to the fewest steps and faults that still break the same invariant.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "invariants.h"
#include "learner_actions.h"
#include "simulation_script.h"

namespace k72645::simulation {

struct Setup {
    std::filesystem::path courseFolder;
    LearnerActions learner;
    Decoys decoys;
};

struct RunOptions {
    std::uint64_t seed = 1;
    int steps = 60;
    double wordCallRate = 0.004;  // per Word call
    double fileRate = 0.01;       // per file operation
    bool trace = false;           // prints each step, the calls it made and the faults fired
};

// What runs covered, summed over runs.
struct Coverage {
    std::int64_t runs = 0;
    std::int64_t steps = 0;
    std::map<std::string, std::int64_t> playerCalls;
    std::map<std::string, std::int64_t> learnerActions;
    std::int64_t wordCalls = 0;
    std::int64_t fileOperations = 0;
    std::map<std::string, std::int64_t> faults;
    std::map<std::string, std::int64_t> invariants;
    std::int64_t callsRaised = 0;

    void add(const Coverage& other);
    std::string report() const;
};

struct RunResult {
    std::vector<ScriptStep> script;  // the steps played, up to the failing one
    std::optional<Violation> violation;
    Coverage coverage;
};

RunResult runSeed(Setup& setup, const RunOptions& options);
// Replays the steps with their faults armed; stops at the first violation.
RunResult replay(Setup& setup, const std::vector<ScriptStep>& script);
// The smallest script found that still breaks `invariant`, by dropping steps and faults.
std::vector<ScriptStep> shrink(Setup& setup, std::vector<ScriptStep> script,
                               const std::string& invariant);

}  // namespace k72645::simulation
