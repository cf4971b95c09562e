#include "player/verdict_recorder.h"

#include "automation/text.h"
#include "automation/vb.h"

namespace k72645::player {

Variant VerdictRecorder::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    const bool check = equalsIgnoreCase(member, u"TestePoint");
    if (check) {
        ++checks_;
        verdict_.reset();
    }
    Variant result = module_->invoke(member, kind, args);
    if (checks_ > 0 && kind != InvokeKind::PropertyPut &&
        equalsIgnoreCase(member, u"CauseErreur")) {
        try {
            verdict_ = vb::cStr(result);
        } catch (const ComError&) {
            verdict_.reset();
        }
    }
    return result;
}

}  // namespace k72645::player
