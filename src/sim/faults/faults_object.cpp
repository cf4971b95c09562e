#include "sim/faults/faults_object.h"

#include "automation/vb.h"

namespace k72645::sim {

FaultsObject::FaultsObject(std::shared_ptr<FaultInjector> faults) : faults_(std::move(faults)) {
    method(u"Inject", [this](Arguments& args) {
        const auto kind = faultKindNamed(vb::cStr(requiredArgument(args, 0)));
        const std::int32_t place = vb::cLng(requiredArgument(args, 1));
        if (!kind || place < 1)
            throw errors::invalidCall();
        Fault fault{*kind, 0};
        if (*kind == FaultKind::WordError || *kind == FaultKind::FileRefused)
            fault.number = vb::cLng(requiredArgument(args, 2));
        faults_->arm(place, fault);
        return Variant();
    });
    method(u"Clear", [this](Arguments&) {
        faults_->clearArmed();
        return Variant();
    });
    property(u"Count", [this](Arguments&) {
        return Variant(static_cast<std::int32_t>(faults_->injected()));
    });
}

}  // namespace k72645::sim
