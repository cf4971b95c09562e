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

}  // namespace k72645
