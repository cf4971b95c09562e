// Creating the exercise object of an exercise number of the catalog; any other number creates
// no object.
#pragma once

#include <cstdint>

#include "automation/dispatch.h"
#include "exercises/exercise_frame.h"

namespace k72645 {

DispatchPtr createExercise(std::int32_t number, const ExerciseServices& services);
// True when the catalog has an exercise of that number.
bool exerciseExists(std::int32_t number);

}  // namespace k72645
