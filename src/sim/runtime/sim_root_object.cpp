#include "sim/runtime/sim_root_object.h"

#include "automation/text.h"
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

    // The learner's PC: Explorer's "Hide extensions for known file types" (False by default
    // here) and Word's SQL security check (on, as Word 2003 ships).
    property(
        u"HideExtensions", [this](Arguments&) { return Variant(world()->hideExtensions()); },
        [this](Arguments&, const Variant& v) { world()->setHideExtensions(vb::cBool(v)); });
    property(
        u"SqlSecurityCheck", [this](Arguments&) { return Variant(world()->sqlSecurityCheck()); },
        [this](Arguments&, const Variant& v) { world()->setSqlSecurityCheck(vb::cBool(v)); });
    // The learner's answer to Word's prompt to save a changed template: "Yes" or "No" (5 for
    // another answer, or when no such prompt waits). Cancelling is closing the prompt.
    method(u"AnswerTemplatePrompt", [this](Arguments& args) {
        const std::u16string answer = lcase(vb::cStr(requiredArgument(args, 0)));
        if ((answer != u"yes" && answer != u"no") ||
            !world()->answerTemplatePrompt(answer == u"yes"))
            throw errors::invalidCall();
        return Variant();
    });
}

std::shared_ptr<SimWorld> SimRootObject::world() const {
    auto world = world_.lock();
    if (!world)
        throw errors::objectNotSet();
    return world;
}

}  // namespace k72645::sim
