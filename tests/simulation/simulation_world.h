// One simulation's world: a fresh simulated world whose faults the runner draws or arms, a
// Module of the component on its ports (waits cost no time), the course's delivery, and an
// interpreter of the scenario language with the roots Module, Sim and Desktop, in which the
// steps run under On Error Resume Next.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "component/abstract_module_object.h"
#include "player/delivery.h"
#include "player/scenario_interpreter.h"
#include "sim/runtime/sim_world.h"
#include "simulation_script.h"

namespace k72645::simulation {

// How a step ended: the error it left in Err (0 when none), or a failure of the run itself
// (an exception that is no ComError, a name the runner got wrong).
struct StepOutcome {
    std::int32_t errNumber = 0;
    std::u16string errSource;
    std::u16string errDescription;
    std::string runFailure;
};

class SimulationWorld : private player::ScenarioHost {
public:
    explicit SimulationWorld(const std::filesystem::path& courseFolder);
    ~SimulationWorld() override;
    SimulationWorld(const SimulationWorld&) = delete;
    SimulationWorld& operator=(const SimulationWorld&) = delete;

    StepOutcome run(const ScriptStep& step);

    sim::SimWorld& world() { return *world_; }
    sim::FaultInjector& faults() { return *world_->faults(); }
    Module& module() { return module_->module(); }
    // A scenario variable's value as text ("" when unset).
    std::u16string variableText(const std::u16string& name) const;
    // The working folders delivered so far, each ending with its separator.
    const std::vector<std::u16string>& workingFolders() const { return delivered_; }

private:
    bool fileExists(const std::u16string& path) override;
    bool folderExists(const std::u16string& path) override;
    std::u16string deliver(std::int32_t exercise) override;
    void wait(std::int32_t) override {}
    DispatchPtr createObject(const std::u16string& progId) override;

    std::shared_ptr<sim::SimWorld> world_;
    Platform platform_;
    std::shared_ptr<AbstractModuleObject> module_;
    player::Delivery delivery_;
    std::vector<std::u16string> delivered_;
    std::unique_ptr<player::Interpreter> interpreter_;
};

}  // namespace k72645::simulation
