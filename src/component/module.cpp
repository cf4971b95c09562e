#include "component/module.h"

#include "automation/vb.h"

namespace k72645 {

Module::Module() : Module(makeDefaultPlatform()) {}

Module::Module(Platform platform) : word_(std::move(platform)) {}

// The verdict properties forward to the exercise by name; without an exercise, or when it
// refuses the call, the dispatch error reaches the player unchanged.
bool Module::BravoNuance() {
    return vb::cBool(get(QuestionCourante_, u"BravoNuance"));
}

std::u16string Module::CauseErreur() {
    if (ErreurGenerale_)
        return MessageErreur_;
    return vb::cStr(get(QuestionCourante_, u"CauseErreur"));
}

DispatchPtr Module::Complement() {
    const Variant list = get(QuestionCourante_, u"ComplementInfo");
    return list.isObject() ? list.object() : toObject(list);
}

void Module::Fermer() {
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
