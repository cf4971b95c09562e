// The world one scenario runs in: its roots (Module, Sim, Desktop), what its functions reach,
// and the clean-up when it ends. Each scenario gets a fresh one from a WorldFactory.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/dispatch.h"
#include "player/scenario_host.h"

namespace k72645::player {

class ScenarioWorld {
public:
    virtual ~ScenarioWorld() = default;
    virtual std::vector<std::pair<std::u16string, DispatchPtr>> roots() = 0;
    virtual ScenarioHost& host() = 0;
    // Quits every Word and removes the working folders delivered; called once at the end.
    virtual void finish() = 0;
};

using WorldFactory = std::function<std::unique_ptr<ScenarioWorld>()>;

}  // namespace k72645::player
