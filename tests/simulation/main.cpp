// The simulation runner: plays seeded random sequences of the player's calls and the learner's
// actions on the simulated Word under injected faults, checks the invariants after every step,
// and prints a failing seed as a small scenario that replays it exactly.
//
//   k72645_simulation --seeds 100 --steps 60         a bounded run (the test suite's)
//   k72645_simulation --seeds 2500 --steps 50        a long run (about 100,000 steps)
//   k72645_simulation --replay failure.scn           one scenario, with the invariants
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "simulation_run.h"

using namespace k72645::simulation;

namespace {

std::vector<std::string> describeFailure(std::uint64_t seed, const RunOptions& options,
                                         const Violation& violation) {
    return {"Found by simulation testing: seed " + std::to_string(seed) + ", " +
                std::to_string(options.steps) + " steps, shrunk.",
            "Broken: " + violation.invariant, "What the runner saw: " + violation.detail,
            "Replay it with the invariants: k72645_simulation --replay <this file>"};
}

int replayFile(Setup& setup, const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << "\n";
        return 2;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const RunResult result = replay(setup, stepsOfScenario(text.str()));
    std::cout << result.coverage.report();
    if (result.violation) {
        std::cout << file << ": step " << result.script.size() << " breaks \""
                  << result.violation->invariant << "\": " << result.violation->detail << "\n";
        return 1;
    }
    std::cout << file << ": every invariant held\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Simulation testing of the component on the simulated Word, with faults"};
    std::uint64_t firstSeed = 1;
    int seeds = 40;
    RunOptions options;
    std::string replayPath;
    std::string outFolder = ".";
    std::vector<std::string> leftOut;
    int shrinkLimit = 5;
    app.add_option("--first-seed", firstSeed, "the first seed");
    app.add_option("--seeds", seeds, "how many seeds, from the first");
    app.add_option("--steps", options.steps, "steps per seed (then Fermer and Quitter)");
    app.add_option("--word-fault-rate", options.wordCallRate, "chance of a fault per Word call");
    app.add_option("--file-fault-rate", options.fileRate, "chance of a fault per file operation");
    app.add_option("--shrink-limit", shrinkLimit,
                   "failing seeds shrunk and written (the others are only named)");
    app.add_flag("--trace", options.trace, "print each step, its calls and its faults");
    app.add_option("--replay", replayPath, "replay one scenario with the invariants");
    app.add_option("--out", outFolder, "where failing seeds are written as scenarios");
    app.add_option("--leave-out", leftOut,
                   "SEED=WHY: a seed not run, named in the output with its reason");
    CLI11_PARSE(app, argc, argv);

    Setup setup{K72645_COURSE_DIR,
                LearnerActions(std::filesystem::path(K72645_COURSE_DIR) / "scenarios"), Decoys()};
    const std::filesystem::path replayFrom =
        replayPath.empty() ? std::filesystem::path() : std::filesystem::absolute(replayPath);
    const std::filesystem::path outTo = std::filesystem::absolute(outFolder);
    // A path that goes astray relative to the current folder lands among the decoys.
    std::filesystem::current_path(setup.decoys.root() / "current");
    if (!replayPath.empty())
        return replayFile(setup, replayFrom.string());

    std::map<std::uint64_t, std::string> skipped;
    for (const std::string& entry : leftOut) {
        const auto equals = entry.find('=');
        try {
            skipped[std::stoull(entry.substr(0, equals))] =
                equals == std::string::npos ? "no reason given" : entry.substr(equals + 1);
        } catch (const std::exception&) {
            std::cerr << "--leave-out " << entry << ": not SEED=WHY\n";
            return 2;
        }
    }
    Coverage coverage;
    int failed = 0;
    for (std::uint64_t seed = firstSeed; seed < firstSeed + static_cast<std::uint64_t>(seeds);
         ++seed) {
        options.seed = seed;
        const RunResult result = runSeed(setup, options);
        coverage.add(result.coverage);
        // A seed left out is still played, so that its output shows what it breaks now, or
        // that it breaks nothing any more and can come off the list; it never fails the run.
        if (skipped.count(seed)) {
            std::cout << "seed " << seed << " LEFT OUT, known to break an invariant ("
                      << skipped[seed] << "): ";
            if (result.violation)
                std::cout << "it still breaks \"" << result.violation->invariant << "\"\n";
            else
                std::cout << "it now holds every invariant, take it off the list\n";
            continue;
        }
        if (!result.violation)
            continue;
        ++failed;
        const Violation& violation = *result.violation;
        std::cout << "seed " << seed << " FAILED at step " << result.script.size() << ": "
                  << violation.invariant << ": " << violation.detail << "\n";
        if (failed > shrinkLimit)
            continue;
        const RunResult again = replay(setup, result.script);
        if (!again.violation || again.violation->invariant != violation.invariant) {
            std::cout << "  the replay of seed " << seed << " did not fail the same way\n";
            continue;
        }
        const auto shrunk = shrink(setup, result.script, violation.invariant);
        const RunResult last = replay(setup, shrunk);
        const Violation& shown = last.violation ? *last.violation : violation;
        const std::string text = scenarioText(describeFailure(seed, options, shown), shrunk, {});
        const auto file =
            std::filesystem::path(outFolder) / ("simulation-seed-" + std::to_string(seed) + ".scn");
        std::ofstream(file, std::ios::binary) << text;
        std::cout << "  shrunk from " << result.script.size() << " to " << shrunk.size()
                  << " steps, written to " << file.string() << ":\n"
                  << text << "\n";
    }
    std::cout << coverage.report();
    std::cout << (failed == 0 ? "every invariant held" : std::to_string(failed) + " seeds failed")
              << " over " << coverage.runs - static_cast<std::int64_t>(skipped.size()) << " seeds";
    if (!skipped.empty())
        std::cout << "; " << skipped.size() << " more seeds LEFT OUT, listed above";
    std::cout << "\n";
    return failed == 0 ? 0 : 1;
}
