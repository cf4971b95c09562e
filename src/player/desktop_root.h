// The scenarios' Desktop: the simulated window system under the user32 names that scenarios
// use, so that a scenario looks at Word's windows as the component does. SendMessage takes
// only WM_CLOSE (16), the learner closing a window.
#pragma once

#include <memory>

#include "automation/automation_object.h"
#include "sim/desktop/sim_desktop.h"

namespace k72645::player {

class DesktopRoot : public AutomationObject {
public:
    static std::shared_ptr<DesktopRoot> create(std::shared_ptr<sim::SimDesktop> desktop);

private:
    explicit DesktopRoot(std::shared_ptr<sim::SimDesktop> desktop);

    std::shared_ptr<sim::SimDesktop> desktop_;
};

}  // namespace k72645::player
