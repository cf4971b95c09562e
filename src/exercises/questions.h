// The chapter's eighteen exercise classes, Question0501 to Question0518, each made by its own
// function; the factory picks one by exercise number.
#pragma once

#include <memory>

#include "exercises/exercise_frame.h"

namespace k72645 {

std::shared_ptr<ExerciseFrame> makeQuestion0501(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0502(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0503(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0504(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0505(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0506(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0507(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0508(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0509(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0510(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0511(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0512(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0513(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0514(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0515(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0516(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0517(ExerciseServices services);
std::shared_ptr<ExerciseFrame> makeQuestion0518(ExerciseServices services);

}  // namespace k72645
