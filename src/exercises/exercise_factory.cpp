#include "exercises/exercise_factory.h"

#include "exercises/exercise_catalog.h"

namespace k72645 {

DispatchPtr createExercise(std::int32_t number, const ExerciseServices& services) {
    const ExerciseDeclaration* declaration = findExercise(number);
    if (!declaration)
        return nullptr;
    return declaration->make(*declaration, services);
}

bool exerciseExists(std::int32_t number) {
    return findExercise(number) != nullptr;
}

}  // namespace k72645
