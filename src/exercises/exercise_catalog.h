// The chapter's exercises, from their declarations, in number order.
#pragma once

#include <cstdint>
#include <vector>

#include "exercises/exercise_declaration.h"

namespace k72645 {

const std::vector<const ExerciseDeclaration*>& exerciseCatalog();
// The exercise of that number, or null for a number the chapter does not have.
const ExerciseDeclaration* findExercise(std::int32_t number);

}  // namespace k72645
