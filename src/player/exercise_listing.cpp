#include "player/exercise_listing.h"

#include "automation/text.h"
#include "exercises/exercise_catalog.h"

namespace k72645::player {

void printExerciseList(std::ostream& out) {
    for (const auto& info : exerciseCatalog()) {
        out << info.number << "  " << toUtf8(info.className) << "  " << toUtf8(info.title) << "\n";
    }
}

}  // namespace k72645::player
