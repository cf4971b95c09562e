// Outside Windows a default-constructed component runs on the simulated world.
#include "platform/platform.h"

namespace k72645 {

Platform makeDefaultPlatform() { return Platform{}; }

}  // namespace k72645
