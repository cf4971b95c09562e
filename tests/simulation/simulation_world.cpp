#include "simulation_world.h"

#include "automation/text.h"
#include "automation/vb.h"
#include "player/desktop_root.h"
#include "player/scenario_failure.h"
#include "player/scenario_parser.h"
#include "player/scenario_syntax_error.h"

namespace k72645::simulation {

namespace {

// Waits cost no time: a run plays many thousands of calls, and the simulated Word's files
// keep their modification times apart by themselves.
class NoWait : public Sleeper {
public:
    void sleep(std::int32_t) override {}
};

// A fixed clock, so that the fields showing today's date give the same text in every run.
constexpr double kFixedDate = 46362.5;  // 6 December 2026, noon

}  // namespace

SimulationWorld::SimulationWorld(const std::filesystem::path& courseFolder)
    : world_(sim::SimWorld::create()), delivery_(courseFolder) {
    world_->setClock([] { return kFixedDate; });
    platform_ = world_->platform();
    platform_.sleeper = std::make_shared<NoWait>();
    module_ = createAbstractModule(platform_);
    interpreter_ = std::make_unique<player::Interpreter>(static_cast<player::ScenarioHost&>(*this));
    interpreter_->addRoot(u"Module", module_);
    interpreter_->addRoot(u"Sim", world_->simRoot());
    interpreter_->addRoot(u"Desktop", player::DesktopRoot::create(world_->desktop()));
    ScriptStep start;
    start.statements = preamble();
    run(start);
}

SimulationWorld::~SimulationWorld() {
    interpreter_.reset();
    world_->quitAll();
    delivery_.removeFolders();
}

StepOutcome SimulationWorld::run(const ScriptStep& step) {
    StepOutcome outcome;
    std::vector<std::string> lines;
    for (const auto& fault : step.faults)
        lines.push_back(armingStatement(fault));
    lines.insert(lines.end(), step.statements.begin(), step.statements.end());
    for (const std::string& line : lines) {
        try {
            const player::Program program = player::parseScenario(fromUtf8(line));
            for (const player::Statement& statement : program.statements)
                interpreter_->execute(statement);
        } catch (const player::ScenarioSyntaxError& e) {
            outcome.runFailure = "syntax error in \"" + line + "\": expected " + e.expected();
            return outcome;
        } catch (const player::ScenarioFailure& e) {
            outcome.runFailure = "\"" + line + "\": " + e.what();
            return outcome;
        } catch (const ComError& e) {
            outcome.runFailure = "\"" + line + "\" raised outside On Error: " + e.what();
            return outcome;
        } catch (const std::exception& e) {
            outcome.runFailure = "\"" + line + "\" let an exception out: " + e.what();
            return outcome;
        }
    }
    const player::ErrObject& err = interpreter_->err();
    outcome.errNumber = err.number();
    outcome.errSource = err.source();
    outcome.errDescription = err.description();
    return outcome;
}

std::u16string SimulationWorld::variableText(const std::u16string& name) const {
    const auto value = interpreter_->variable(name);
    if (!value || value->isObject() || value->isEmpty())
        return u"";
    try {
        return vb::cStr(*value);
    } catch (const ComError&) {
        return u"";
    }
}

bool SimulationWorld::fileExists(const std::u16string& path) {
    const sim::FaultInjector::Pause pause(faults());
    return platform_.files->fileExists(path);
}

bool SimulationWorld::folderExists(const std::u16string& path) {
    const sim::FaultInjector::Pause pause(faults());
    return platform_.files->folderExists(path);
}

std::u16string SimulationWorld::deliver(std::int32_t exercise) {
    delivered_.push_back(delivery_.deliver(exercise));
    return delivered_.back();
}

DispatchPtr SimulationWorld::createObject(const std::u16string& progId) {
    return platform_.runtime->createObject(progId);
}

}  // namespace k72645::simulation
