// Outside Windows a default-constructed component runs on a fresh simulated world, kept alive
// by the ports it hands out.
#include "platform/platform.h"
#include "sim/runtime/sim_world.h"

namespace k72645 {

Platform makeDefaultPlatform() {
    return sim::SimWorld::create()->platform();
}

}  // namespace k72645
