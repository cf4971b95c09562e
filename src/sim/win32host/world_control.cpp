#include "sim/win32host/world_control.h"

#include "automation/text.h"
#include "automation/vb.h"
#include "platform/win32/com_variant.h"

namespace k72645::sim::win32host {

WorldControl::WorldControl(WordHost& host, std::atomic<int>& held) : host_(host), held_(held) {
    ++held_;
    method(u"StartWorld", [this](Arguments& args) {
        IDispatch* sim = host_.startWorld(vb::cStr(requiredArgument(args, 0)));
        DispatchPtr engine = win32::dispatchFromCom(sim);
        sim->Release();
        return Variant(engine);
    });
    method(u"EndWorld", [this](Arguments&) {
        host_.endWorld();
        return Variant();
    });
    property(u"ProcessId",
             [](Arguments&) { return Variant(static_cast<std::int32_t>(GetCurrentProcessId())); });
    const auto count = [this](long CallCounts::*field) {
        return [this, field](Arguments&) {
            return Variant(static_cast<std::int32_t>(host_.counts().*field));
        };
    };
    property(u"ComponentInvokes", count(&CallCounts::componentInvokes));
    property(u"ComponentNameLookups", count(&CallCounts::componentNameLookups));
    property(u"PlayerInvokes", count(&CallCounts::playerInvokes));
    property(u"PlayerNameLookups", count(&CallCounts::playerNameLookups));
    property(u"ComponentObjects", count(&CallCounts::componentObjects));
    property(u"RoundTrips", [this](Arguments&) {
        std::u16string lines;
        for (const auto& [kind, times] : host_.counts().roundTrips)
            lines += fromUtf8(kind) + u"\t" + fromUtf8(std::to_string(times)) + u"\n";
        return Variant(lines);
    });
    property(u"ComponentInvokeSeconds",
             [this](Arguments&) { return Variant(host_.counts().componentInvokeSeconds); });
    property(u"ComponentLookupsByMember", [this](Arguments&) {
        std::u16string lines;
        for (const auto& [member, times] : host_.counts().componentLookupsByMember)
            lines += fromUtf8(member.first) + u"\t" + member.second + u"\t" +
                     fromUtf8(std::to_string(times)) + u"\n";
        return Variant(lines);
    });
}

WorldControl::~WorldControl() {
    --held_;
}

}  // namespace k72645::sim::win32host
