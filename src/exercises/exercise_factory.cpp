#include "exercises/exercise_factory.h"

#include <array>

#include "exercises/exercise_catalog.h"
#include "exercises/questions.h"

namespace k72645 {

namespace {
using Maker = std::shared_ptr<ExerciseFrame> (*)(ExerciseServices);

// In exercise order, from 501.
constexpr std::array<Maker, kLastExercise - kFirstExercise + 1> kMakers = {
    makeQuestion0501, makeQuestion0502, makeQuestion0503, makeQuestion0504, makeQuestion0505,
    makeQuestion0506, makeQuestion0507, makeQuestion0508, makeQuestion0509, makeQuestion0510,
    makeQuestion0511, makeQuestion0512, makeQuestion0513, makeQuestion0514, makeQuestion0515,
    makeQuestion0516, makeQuestion0517, makeQuestion0518,
};
}  // namespace

DispatchPtr createExercise(std::int32_t number, const ExerciseServices& services) {
    if (number < kFirstExercise || number > kLastExercise)
        return nullptr;
    return kMakers[static_cast<std::size_t>(number - kFirstExercise)](services);
}

}  // namespace k72645
