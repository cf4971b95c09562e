// The player's listing of the chapter's exercises.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace k72645::player {

void printExerciseList(std::ostream& out);
// The chapter's first and last exercise numbers, as "501 to 518".
std::string exerciseRange();
std::vector<std::int32_t> exerciseNumbers();

}  // namespace k72645::player
