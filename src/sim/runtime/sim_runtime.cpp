#include "sim/runtime/sim_runtime.h"

#include "automation/text.h"
#include "sim/runtime/sim_world.h"

namespace k72645::sim {

namespace {
bool isWordApplication(const std::u16string& progId) {
    return equalsIgnoreCase(progId, u"Word.Application.11") ||
           equalsIgnoreCase(progId, u"Word.Application");
}

ComError cannotCreate() {
    return errors::runtime(errors::kCannotCreateObject);
}
}  // namespace

DispatchPtr SimRuntime::createObject(const std::u16string& progId) {
    if (isWordApplication(progId))
        return world_->startWord();
    if (equalsIgnoreCase(progId, u"Word.Global")) {
        if (!world_->wordInstalled())
            throw cannotCreate();
        return world_->wordGlobal();
    }
    throw cannotCreate();
}

DispatchPtr SimRuntime::getRunningObject(const std::u16string& progId) {
    if (!isWordApplication(progId))
        throw cannotCreate();
    if (auto word = world_->runningWord())
        return word;
    throw cannotCreate();
}

}  // namespace k72645::sim
