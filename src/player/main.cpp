// k72645: the player of the exercise-checking component on the simulated Word.
#include <CLI/CLI.hpp>
#include <iostream>

#include "player/exercise_listing.h"

int main(int argc, char** argv) {
    CLI::App app{"k72645: plays the mail-merge chapter's exercises on the simulated Word"};
    app.set_version_flag("--version", std::string("k72645 ") + K72645_VERSION);
    app.require_subcommand(0, 1);
    app.add_subcommand("list", "List the chapter's exercises");
    CLI11_PARSE(app, argc, argv);
    std::cout << "k72645 " << K72645_VERSION << "\n";
    k72645::player::printExerciseList(std::cout);
    return 0;
}
