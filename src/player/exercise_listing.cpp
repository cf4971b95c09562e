#include "player/exercise_listing.h"

#include "automation/text.h"
#include "exercises/exercise_catalog.h"

namespace k72645::player {

void printExerciseList(std::ostream& out) {
    for (const ExerciseDeclaration* exercise : exerciseCatalog()) {
        out << exercise->number << "  " << toUtf8(exercise->className) << "  "
            << toUtf8(exercise->title) << "\n";
    }
}

std::string exerciseRange() {
    const auto& catalog = exerciseCatalog();
    return std::to_string(catalog.front()->number) + " to " +
           std::to_string(catalog.back()->number);
}

std::vector<std::int32_t> exerciseNumbers() {
    std::vector<std::int32_t> numbers;
    for (const ExerciseDeclaration* exercise : exerciseCatalog())
        numbers.push_back(exercise->number);
    return numbers;
}

}  // namespace k72645::player
