// The set of ports an engine runs on. Which world a default-constructed component uses is
// decided when it is built: makeDefaultPlatform() is defined by the world linked in (the
// simulated Word outside Windows, Win32 and COM on Windows).
#pragma once

#include <memory>

#include "platform/application_runtime.h"
#include "platform/desktop.h"
#include "platform/file_system.h"

namespace k72645 {

struct Platform {
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<Desktop> desktop;
    std::shared_ptr<ApplicationRuntime> runtime;
    std::shared_ptr<Sleeper> sleeper;
};

Platform makeDefaultPlatform();

}  // namespace k72645
