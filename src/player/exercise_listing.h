// The player's listing of the chapter's exercises.
#pragma once

#include <ostream>

namespace k72645::player {

void printExerciseList(std::ostream& out);

}  // namespace k72645::player
