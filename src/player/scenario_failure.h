// A failure that On Error Resume Next never traps: a failed Assert, a name that is not
// defined, an assignment to a root or a function. It always ends the scenario.
#pragma once

#include <stdexcept>
#include <string>

namespace k72645::player {

class ScenarioFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace k72645::player
