#include "simulation_run.h"

#include <iostream>
#include <random>
#include <sstream>

namespace k72645::simulation {

namespace {

constexpr int kFirstExercise = 501;
constexpr int kExerciseCount = 18;
constexpr int kShrinkBudget = 400;  // replays

// The player's next call, or the learner's next action.
ScriptStep drawStep(std::mt19937_64& draws, const LearnerActions& learner, std::int32_t& exercise,
                    std::string& kind) {
    ScriptStep step;
    const auto pick = draws() % 100;
    if (pick < 12) {
        exercise = kFirstExercise + static_cast<std::int32_t>(draws() % kExerciseCount);
        step.statements = {
            "Err.Clear", "folder = Deliver(" + std::to_string(exercise) + ")",
            "Module.InitQuestion " + std::to_string(exercise) + ", folder, app, hwnd"};
    } else if (pick < 32) {
        step.statements = {"Err.Clear", "Module.TestePoint"};
    } else if (pick < 44) {
        static const char* const kReads[] = {
            "general = Module.ErreurGenerale", "verdict = Module.CauseErreur",
            "Set complement = Module.Complement", "remark = Module.BravoNuance"};
        step.statements = {"Err.Clear", kReads[draws() % 4]};
    } else if (pick < 50) {
        step.statements = {"Err.Clear", "Module.Fermer"};
        exercise = 0;
    } else if (pick < 54) {
        step.statements = {"Err.Clear", "Module.Quitter app, hwnd"};
        exercise = 0;
    } else {
        step.statements = learner.draw(draws, exercise, kind);
        return step;
    }
    kind = playerCallName(playerCallOf(step));
    return step;
}

ScriptStep closingStep(const char* statement) {
    return ScriptStep{{"Err.Clear", statement}, {}};
}

// Plays one step with the invariants around it, and counts what it covered.
// A random step keeps the faults that fired during it; a replayed step keeps those it arms.
std::optional<Violation> play(SimulationWorld& world, Invariants& invariants, ScriptStep& step,
                              const std::string& kind, bool random, Coverage& coverage) {
    world.faults().mark();
    invariants.before(step);
    const StepOutcome outcome = world.run(step);
    if (random)
        step.faults = world.faults().sinceMark();
    ++coverage.steps;
    const PlayerCall call = playerCallOf(step);
    if (call == PlayerCall::None) {
        ++coverage.learnerActions[kind];
    } else {
        ++coverage.playerCalls[playerCallName(call)];
        coverage.callsRaised += outcome.errNumber != 0 ? 1 : 0;
    }
    return invariants.after(step, outcome);
}

void finishCoverage(SimulationWorld& world, Invariants& invariants, Coverage& coverage) {
    ++coverage.runs;
    coverage.wordCalls += world.faults().wordCalls();
    coverage.fileOperations += world.faults().fileOperations();
    for (const auto& [kind, count] : world.faults().injectedByKind())
        coverage.faults[kind] += count;
    for (const auto& [name, count] : invariants.checked())
        coverage.invariants[name] += count;
}

}  // namespace

void Coverage::add(const Coverage& other) {
    runs += other.runs;
    steps += other.steps;
    wordCalls += other.wordCalls;
    fileOperations += other.fileOperations;
    callsRaised += other.callsRaised;
    for (const auto& [k, v] : other.playerCalls)
        playerCalls[k] += v;
    for (const auto& [k, v] : other.learnerActions)
        learnerActions[k] += v;
    for (const auto& [k, v] : other.faults)
        faults[k] += v;
    for (const auto& [k, v] : other.invariants)
        invariants[k] += v;
}

std::string Coverage::report() const {
    std::ostringstream out;
    auto table = [&out](const char* title, const std::map<std::string, std::int64_t>& counts) {
        std::int64_t total = 0;
        for (const auto& [name, count] : counts)
            total += count;
        out << title << ": " << total << "\n";
        for (const auto& [name, count] : counts)
            out << "  " << name << ": " << count << "\n";
    };
    out << "runs: " << runs << ", steps: " << steps << "\n";
    table("player calls", playerCalls);
    out << "  of which raised: " << callsRaised << "\n";
    table("learner actions", learnerActions);
    out << "Word calls: " << wordCalls << ", file operations: " << fileOperations << "\n";
    table("faults injected", faults);
    table("invariant checks", invariants);
    return out.str();
}

RunResult runSeed(Setup& setup, const RunOptions& options) {
    RunResult result;
    SimulationWorld world(setup.courseFolder);
    Invariants invariants(world, setup.decoys);
    world.faults().startRandom(options.seed, options.wordCallRate, options.fileRate);
    std::mt19937_64 draws(options.seed);
    std::int32_t exercise = 0;
    for (int i = 0; i < options.steps + 2 && !result.violation; ++i) {
        std::string kind;
        ScriptStep step;
        // Every run ends as the player ends: the exercise closed, then Word given up.
        if (i == options.steps) {
            step = closingStep("Module.Fermer");
            kind = "Fermer";
        } else if (i == options.steps + 1) {
            step = closingStep("Module.Quitter app, hwnd");
            kind = "Quitter";
        } else {
            step = drawStep(draws, setup.learner, exercise, kind);
        }
        const std::int64_t wordCalls = world.faults().wordCalls();
        const std::int64_t fileOperations = world.faults().fileOperations();
        result.violation = play(world, invariants, step, kind, true, result.coverage);
        if (options.trace) {
            std::cout << "step " << i + 1 << ": " << step.statements.back() << " ("
                      << world.faults().wordCalls() - wordCalls << " Word calls, "
                      << world.faults().fileOperations() - fileOperations << " file operations)\n";
            for (const auto& fault : step.faults)
                std::cout << "  " << armingStatement(fault) << "\n";
        }
        result.script.push_back(std::move(step));
    }
    finishCoverage(world, invariants, result.coverage);
    return result;
}

RunResult replay(Setup& setup, const std::vector<ScriptStep>& script) {
    RunResult result;
    SimulationWorld world(setup.courseFolder);
    Invariants invariants(world, setup.decoys);
    for (const ScriptStep& original : script) {
        ScriptStep step = original;
        const PlayerCall call = playerCallOf(step);
        const std::string kind = call == PlayerCall::None ? "replayed" : playerCallName(call);
        result.violation = play(world, invariants, step, kind, false, result.coverage);
        result.script.push_back(std::move(step));
        if (result.violation)
            break;
    }
    finishCoverage(world, invariants, result.coverage);
    return result;
}

std::vector<ScriptStep> shrink(Setup& setup, std::vector<ScriptStep> script,
                               const std::string& invariant) {
    // Half the replays for the steps, the rest for the faults.
    int budget = kShrinkBudget / 2;
    auto stillFails = [&](const std::vector<ScriptStep>& candidate, std::vector<ScriptStep>& kept) {
        if (budget-- <= 0)
            return false;
        RunResult again = replay(setup, candidate);
        if (!again.violation || again.violation->invariant != invariant)
            return false;
        // Only the faults that fired stay armed; the steps after the failing one go.
        kept = candidate;
        kept.resize(again.script.size());
        return true;
    };
    // Drop runs of steps, halving their length, then single steps; the failing step stays.
    for (std::size_t length = script.size() / 2; length >= 1; length /= 2) {
        for (std::size_t start = 0; start + length < script.size();) {
            std::vector<ScriptStep> candidate(script.begin(), script.begin() + start);
            candidate.insert(candidate.end(), script.begin() + start + length, script.end());
            std::vector<ScriptStep> kept;
            if (stillFails(candidate, kept))
                script = std::move(kept);
            else
                start += length;
        }
    }
    // Then each fault alone.
    budget += kShrinkBudget / 2;
    for (std::size_t s = 0; s < script.size(); ++s) {
        for (std::size_t f = 0; f < script[s].faults.size();) {
            std::vector<ScriptStep> candidate = script;
            candidate[s].faults.erase(candidate[s].faults.begin() + static_cast<long>(f));
            std::vector<ScriptStep> kept;
            if (stillFails(candidate, kept))
                script = std::move(kept);
            else
                ++f;
        }
    }
    return script;
}

}  // namespace k72645::simulation
