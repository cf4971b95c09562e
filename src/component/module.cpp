#include "component/module.h"

#include "automation/vb.h"
#include "errors/error_service.h"

namespace k72645 {

Module::Module() : Module(makeDefaultPlatform()) {}

Module::Module(Platform platform) : word_(std::move(platform)) {}

Module::CallScope::CallScope(Module& module, std::u16string_view member) : module_(module) {
    if (module.callRunning_) {
        RemonteErreur(ComError(errors::kInvalidCall, u"K72645",
                               u"Another call of this Module is running; this call is refused"),
                      u"Module", member);
    }
    module.callRunning_ = true;
    exercise_ = module.QuestionCourante_;
}

Module::CallScope::~CallScope() {
    module_.callRunning_ = false;
}

// The verdict properties forward to the exercise by name; without an exercise, or when it
// refuses the call, the dispatch error reaches the player unchanged.
bool Module::BravoNuance() {
    const CallScope scope(*this, u"BravoNuance");
    return vb::cBool(get(QuestionCourante_, u"BravoNuance"));
}

std::u16string Module::CauseErreur() {
    const CallScope scope(*this, u"CauseErreur");
    if (ErreurGenerale_)
        return MessageErreur_;
    return vb::cStr(get(QuestionCourante_, u"CauseErreur"));
}

DispatchPtr Module::Complement() {
    const CallScope scope(*this, u"Complement");
    const Variant list = get(QuestionCourante_, u"ComplementInfo");
    return list.isObject() ? list.object() : toObject(list);
}

void Module::Fermer() {
    const CallScope scope(*this, u"Fermer");
    closeExercise();
}

bool Module::adoptReplacedWord(const DispatchPtr& held) {
    if (!word_.AppWord || sameObject(word_.AppWord, held))
        return false;
    WordLance_ = word_.wordStarted;
    wordOwedToPlayer_ = word_.wordStarted;
    return true;
}

void Module::handBackWord(DispatchPtr& ioApplication, std::int32_t& ioHandleLogiciel) {
    if (!wordOwedToPlayer_)
        return;
    ioApplication = word_.AppWord;
    ioHandleLogiciel = word_.HandleWord;
    wordOwedToPlayer_ = false;
}

}  // namespace k72645
