// The scenarios' Sim object: RunningWord (Nothing when none), WordInstalled, Edition (for the
// Words started from now on), WordCount, KillWord, which ends the running Word's process
// without warning (5 when no Word runs), and Faults, the world's injected faults (see
// sim/faults/faults_object.h).
#pragma once

#include <memory>

#include "automation/automation_object.h"

namespace k72645::sim {

class SimWorld;

class SimRootObject : public AutomationObject {
public:
    explicit SimRootObject(std::weak_ptr<SimWorld> owner);

private:
    std::shared_ptr<SimWorld> world() const;

    std::weak_ptr<SimWorld> world_;
};

}  // namespace k72645::sim
