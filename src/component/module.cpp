#include "component/module.h"

#include "automation/vb.h"
#include "errors/error_service.h"

namespace k72645 {

Module::Module() : Module(makeDefaultPlatform()) {}

Module::Module(Platform platform) : word_(std::move(platform)) {}

namespace {
// The Module whose call runs on this thread, if any. Modules share Word: a second Module called
// from inside another's call (an event handler of the player run while Word is waited on) would
// change Word under the running call.
thread_local const Module* moduleRunningOnThread = nullptr;
}  // namespace

Module::CallScope::CallScope(Module& module, std::u16string_view member) : module_(module) {
    if (module.callRunning_) {
        raiseWithLocation(ComError(errors::kInvalidCall, u"K72645",
                                   u"Another call of this Module is running; this call is refused"),
                          u"Module", member);
    }
    if (moduleRunningOnThread) {
        raiseWithLocation(ComError(errors::kInvalidCall, u"K72645",
                                   u"A call of another Module is running; this call is refused"),
                          u"Module", member);
    }
    module.callRunning_ = true;
    moduleRunningOnThread = &module;
    exercise_ = module.currentExercise_;
}

Module::CallScope::~CallScope() {
    module_.callRunning_ = false;
    moduleRunningOnThread = nullptr;
}

// The verdict properties forward to the exercise by name; without an exercise, or when it
// refuses the call, the dispatch error reaches the player unchanged.
bool Module::BravoNuance() {
    const CallScope scope(*this, u"BravoNuance");
    return vb::cBool(get(currentExercise_, u"BravoNuance"));
}

std::u16string Module::CauseErreur() {
    const CallScope scope(*this, u"CauseErreur");
    if (generalError_)
        return generalErrorCode_;
    return vb::cStr(get(currentExercise_, u"CauseErreur"));
}

DispatchPtr Module::Complement() {
    const CallScope scope(*this, u"Complement");
    const Variant list = get(currentExercise_, u"ComplementInfo");
    return list.isObject() ? list.object() : toObject(list);
}

void Module::Fermer() {
    const CallScope scope(*this, u"Fermer");
    closeExercise();
    // The closing is complete; a working file that no clean-up could delete is reported, so
    // that the player does not take the folder for clean.
    if (!filesLeft_.empty())
        raiseWithLocation(errors::runtime(errors::kPathFileAccessError), u"Module", u"Fermer");
}

bool Module::adoptReplacedWord(const DispatchPtr& held, std::uint32_t heldProcess) {
    if (!word_.application || sameObject(word_.application, held))
        return false;
    if (ownsWord_ && held)
        replacedWords_.push_back({held, heldProcess});
    ownsWord_ = word_.wordStarted;
    wordOwedToPlayer_ = word_.wordStarted;
    return true;
}

void Module::handBackWord(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel) {
    if (!wordOwedToPlayer_)
        return;
    ioApplication = word_.application;
    ioHandleLogiciel = word_.mainWindow;
    wordOwedToPlayer_ = false;
}

}  // namespace k72645
