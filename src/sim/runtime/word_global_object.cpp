#include "sim/runtime/word_global_object.h"

#include "sim/runtime/sim_world.h"

namespace k72645::sim {

DispatchPtr WordGlobalObject::boundWord() {
    if (!word_) {
        auto world = world_.lock();
        word_ = world ? world->runningWord() : nullptr;
    }
    return word_;
}

Variant WordGlobalObject::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    const DispatchPtr word = boundWord();
    if (!word)
        throw errors::runtime(errors::kCannotCreateObject);
    return word->invoke(member, kind, args);
}

std::vector<std::u16string> WordGlobalObject::memberNames() const {
    if (word_)
        return word_->memberNames();
    auto world = world_.lock();
    DispatchPtr word = world ? world->runningWord() : nullptr;
    return word ? word->memberNames() : std::vector<std::u16string>{};
}

}  // namespace k72645::sim
