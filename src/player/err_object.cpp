#include "player/err_object.h"

#include "automation/vb.h"

namespace k72645::player {

std::shared_ptr<ErrObject> ErrObject::create() {
    return std::shared_ptr<ErrObject>(new ErrObject());
}

ErrObject::ErrObject() {
    property(
        u"Number", [this](Arguments&) { return Variant(number_); },
        [this](Arguments&, const Variant& v) { number_ = vb::cLng(v); });
    property(
        u"Source", [this](Arguments&) { return Variant(source_); },
        [this](Arguments&, const Variant& v) { source_ = vb::cStr(v); });
    property(
        u"Description", [this](Arguments&) { return Variant(description_); },
        [this](Arguments&, const Variant& v) { description_ = vb::cStr(v); });
    method(u"Clear", [this](Arguments&) {
        clear();
        return Variant();
    });
    // Err.Raise number[, source[, description]]: the description defaults to VB's own.
    method(u"Raise", [](Arguments& args) -> Variant {
        std::int32_t number = vb::cLng(requiredArgument(args, 0));
        const Variant& source = argumentAt(args, 1);
        const Variant& description = argumentAt(args, 2);
        throw ComError(
            number, source.isMissing() ? u"Scenario" : vb::cStr(source),
            description.isMissing() ? errors::descriptionOf(number) : vb::cStr(description));
    });
    defaultMember(u"Number");
}

void ErrObject::set(const ComError& error) {
    number_ = error.number();
    source_ = error.source();
    description_ = error.description();
}

void ErrObject::clear() {
    number_ = 0;
    source_.clear();
    description_.clear();
}

}  // namespace k72645::player
