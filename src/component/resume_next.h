// Statements run with failures ignored, one by one, as the Module's stretches of "resume next"
// work. A condition that fails under that regime counts as met: execution goes on with the
// first statement of the guarded block, as it does after a failing If in those stretches.
#pragma once

#include <functional>

#include "errors/error_service.h"

namespace k72645 {

inline bool conditionResumingNext(const std::function<bool()>& condition) {
    bool met = true;
    ignoringErrors([&] { met = condition(); });
    return met;
}

}  // namespace k72645
