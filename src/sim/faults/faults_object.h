// The scenarios' Sim.Faults: arms the world's faults so that a scenario replays a failure
// found by simulation testing exactly.
//   Sim.Faults.Inject kind, place[, number]  the place-th counted call of the kind's channel
//       from now fails: "WordError" (Word's error `number`), "WordDies", "Dialog",
//       "BlockingDialog" on Word's calls, "FileRefused" (error `number`) on file operations
//   Sim.Faults.Clear                          drops the armed faults not yet fired
//   Sim.Faults.Count                          how many faults have fired in this world
#pragma once

#include <memory>

#include "automation/automation_object.h"
#include "sim/faults/fault_injector.h"

namespace k72645::sim {

class FaultsObject : public AutomationObject {
public:
    explicit FaultsObject(std::shared_ptr<FaultInjector> faults);

private:
    std::shared_ptr<FaultInjector> faults_;
};

}  // namespace k72645::sim
