// The chapter's exercises: their numbers and the classes that check them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace k72645 {

inline constexpr std::int32_t kFirstExercise = 501;
inline constexpr std::int32_t kLastExercise = 518;

struct ExerciseInfo {
    std::int32_t number;
    std::u16string className;  // "Question0501"...
    std::u16string title;      // what the learner is taught, in French
};

const std::vector<ExerciseInfo>& exerciseCatalog();
// The exercise of that number, or nothing for a number outside 501 to 518.
std::optional<ExerciseInfo> findExercise(std::int32_t number);

}  // namespace k72645
