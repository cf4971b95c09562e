// `k72645 play N`: the player and the learner at the keyboard. The exercise starts in a fresh
// world (its files delivered, InitQuestion called with the variables folder, app and hwnd),
// then each line read is run as a scenario statement; after each Module.TestePoint the verdict
// is printed as the player would read it (with Word's active document under it, --show), an
// expression prints its value and Show what Word shows. At the end of the input the exercise
// is closed (Fermer) and Word released (Quitter).
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

#include "player/scenario_world.h"

namespace k72645::player {

struct PlayOptions {
    std::int32_t exercise = 0;
    bool prompt = false;   // show "> " before each line (a person at a terminal)
    bool show = false;     // Word's active document after each check
    bool colours = false;  // the output is a terminal
};

// Returns 0 when every statement ran without failure, 1 otherwise.
int playExercise(const PlayOptions& options, const WorldFactory& worlds, std::istream& in,
                 std::ostream& out);

}  // namespace k72645::player
