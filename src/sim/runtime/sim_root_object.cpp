#include "sim/runtime/sim_root_object.h"

#include "automation/vb.h"
#include "sim/faults/faults_object.h"
#include "sim/runtime/sim_world.h"

namespace k72645::sim {

SimRootObject::SimRootObject(std::weak_ptr<SimWorld> owner) : world_(std::move(owner)) {
    property(u"RunningWord", [this](Arguments&) { return Variant(world()->runningWord()); });
    property(
        u"WordInstalled", [this](Arguments&) { return Variant(world()->wordInstalled()); },
        [this](Arguments&, const Variant& v) { world()->setWordInstalled(vb::cBool(v)); });
    property(
        u"Edition", [this](Arguments&) { return Variant(world()->edition()); },
        [this](Arguments&, const Variant& v) { world()->setEdition(vb::cStr(v)); });
    // The learner's Word process dies under the component (killed, or crashed).
    method(u"KillWord", [this](Arguments&) {
        if (!world()->killRunningWord())
            throw errors::invalidCall();
        return Variant();
    });
    property(u"WordCount", [this](Arguments&) {
        return Variant(static_cast<std::int32_t>(world()->wordCount()));
    });
    property(u"Faults", [this](Arguments&) {
        return Variant(DispatchPtr(std::make_shared<FaultsObject>(world()->faults())));
    });
}

std::shared_ptr<SimWorld> SimRootObject::world() const {
    auto world = world_.lock();
    if (!world)
        throw errors::objectNotSet();
    return world;
}

}  // namespace k72645::sim
