// The application runtime of the simulated world: "Word.application.11" starts or attaches a
// simulated Word, "Word.Global" gives Word's global object. Other classes are not installed.
#pragma once

#include <memory>

#include "platform/application_runtime.h"

namespace k72645::sim {

class SimWorld;

class SimRuntime : public ApplicationRuntime {
public:
    explicit SimRuntime(std::shared_ptr<SimWorld> world) : world_(std::move(world)) {}

    // 429 for a class that is not installed, or Word when it is not.
    DispatchPtr createObject(const std::u16string& progId) override;
    // 429 when no Word runs.
    DispatchPtr getRunningObject(const std::u16string& progId) override;

private:
    std::shared_ptr<SimWorld> world_;
};

}  // namespace k72645::sim
