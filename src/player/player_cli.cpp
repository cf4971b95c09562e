#include "player/player_cli.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>

#include "player/demo.h"
#include "player/exercise_listing.h"
#include "player/play_session.h"
#include "player/run_report.h"
#include "player/simulated_world.h"

namespace k72645::player {

namespace {

struct Settings {
    std::vector<std::string> files;
    std::string junit;
    std::string course = defaultCourseFolder().string();
    int exercise = 0;
    bool show = false;
};

int writeJUnitFile(const std::string& path, const std::vector<ScenarioOutcome>& outcomes) {
    if (path.empty())
        return 0;
    std::ofstream out(path, std::ios::binary);
    writeJUnit(out, outcomes);
    out.close();
    if (!out) {
        std::cerr << "k72645: cannot write the JUnit report " << path << "\n";
        return 1;
    }
    return 0;
}

int runCommand(const Settings& s) {
    const WorldFactory worlds = simulatedWorldFactory(s.course);
    const bool colours = isatty(STDOUT_FILENO) != 0;
    std::vector<ScenarioOutcome> outcomes;
    for (const auto& file : s.files) {
        outcomes.push_back(runScenarioFile(file, worlds));
        writeOutcome(std::cout, outcomes.back(), colours);
        std::cout.flush();
    }
    std::cout << summaryLine(outcomes) << "\n";
    int junit = writeJUnitFile(s.junit, outcomes);
    return exitStatus(outcomes) != 0 ? exitStatus(outcomes) : junit;
}

int playCommand(const Settings& s) {
    PlayOptions options;
    options.exercise = s.exercise;
    options.prompt = isatty(STDIN_FILENO) != 0;
    options.colours = isatty(STDOUT_FILENO) != 0;
    options.show = s.show;
    return playExercise(options, simulatedWorldFactory(s.course), std::cin, std::cout);
}

int demoCommand(const Settings& s) {
    const std::filesystem::path folder = std::filesystem::path(s.course) / "scenarios";
    std::vector<DemoCase> cases = findDemoCases(folder);
    if (cases.empty()) {
        std::cerr << "k72645: no scenario (.scn) in " << folder.string() << "\n";
        return 1;
    }
    DemoOptions options;
    options.progress = isatty(STDOUT_FILENO) != 0;
    return runDemo(cases, simulatedWorldFactory(s.course), options, std::cout);
}

}  // namespace

int runCli(int argc, char** argv) {
    CLI::App app{
        "k72645: the exercise-checking component of the Word 2003 mail-merge chapter "
        "(exercises " +
        exerciseRange() + "),\nplayed on the simulated Word."};
    app.set_version_flag("--version", std::string("k72645 ") + K72645_VERSION);
    app.footer(
        "Examples:\n"
        "  k72645 demo                      run the course's scenarios and show their verdicts\n"
        "  k72645 run course/scenarios/*.scn --junit report.xml\n"
        "  k72645 play 507                  try exercise 507 by hand\n"
        "  k72645 list                      the chapter's exercises");
    app.require_subcommand(0, 1);
    Settings s;

    app.add_subcommand("list", "List the chapter's exercises")->footer("Example:\n  k72645 list");

    CLI::App* run = app.add_subcommand(
        "run", "Run scenario files, each in a fresh simulated world; exit 0 only when all pass");
    run->add_option("files", s.files, "Scenario files (.scn)")->required();
    run->add_option("--junit", s.junit, "Also write a JUnit XML report to this file");
    run->add_option("--course", s.course, "The course folder the files are delivered from");
    run->footer(
        "Prints one line per scenario, then \"N passed, N failed\". Under a failing scenario's\n"
        "line, Word's active document at the failure; under any scenario, what its Show\n"
        "statements showed.\n"
        "Example:\n  k72645 run course/scenarios/507-merge-field.scn --junit report.xml");

    CLI::App* play = app.add_subcommand(
        "play", "Start an exercise and play it statement by statement from standard input");
    play->add_option("exercise", s.exercise, "The exercise number (" + exerciseRange() + ")")
        ->required()
        ->check(CLI::IsMember(exerciseNumbers()));
    play->add_option("--course", s.course, "The course folder the files are delivered from");
    play->add_flag("--show", s.show, "Show Word's active document after each check");
    play->footer(
        "Each line is a scenario statement; the variables folder, app and hwnd hold the\n"
        "exercise's folder, Word and Word's window. After Module.TestePoint the verdict is\n"
        "printed; an expression alone (or \"? expr\") prints its value; Show prints the active\n"
        "document as the learner sees it, Show Documents the documents open. At the end of\n"
        "input the exercise is closed (Fermer) and Word released (Quitter).\n"
        "Example:\n"
        "  printf '%s\\n' 'app.ActiveDocument.Name' 'Module.TestePoint' | k72645 play 506");

    CLI::App* demo =
        app.add_subcommand("demo", "Run the course's scenarios and show the verdicts in a table");
    demo->add_option("--course", s.course, "The course folder (its scenarios/ are run)");
    demo->footer("Example:\n  k72645 demo");

    CLI11_PARSE(app, argc, argv);

    if (app.got_subcommand(run))
        return runCommand(s);
    if (app.got_subcommand(play))
        return playCommand(s);
    if (app.got_subcommand(demo))
        return demoCommand(s);
    if (app.got_subcommand("list")) {
        printExerciseList(std::cout);
        return 0;
    }
    std::cout << app.help();
    return 0;
}

}  // namespace k72645::player
