#include "automation/dispatch.h"

namespace k72645 {

namespace {
const Dispatch& checked(const DispatchPtr& object) {
    if (!object)
        throw errors::objectNotSet();
    return *object;
}
}  // namespace

Variant get(const DispatchPtr& object, std::u16string_view member, Arguments args) {
    checked(object);
    return object->invoke(member, InvokeKind::PropertyGet, args);
}

Variant call(const DispatchPtr& object, std::u16string_view member, Arguments args) {
    checked(object);
    return object->invoke(member, InvokeKind::Method, args);
}

Variant callWith(const DispatchPtr& object, std::u16string_view member, Arguments& args) {
    checked(object);
    return object->invoke(member, InvokeKind::Method, args);
}

void put(const DispatchPtr& object, std::u16string_view member, Variant value, Arguments index) {
    checked(object);
    index.emplace_back(std::move(value));
    object->invoke(member, InvokeKind::PropertyPut, index);
}

DispatchPtr toObject(const Variant& value) {
    if (!value.isObject())
        throw errors::typeMismatch();
    if (!value.object())
        throw errors::objectNotSet();
    return value.object();
}

bool sameObject(const DispatchPtr& a, const DispatchPtr& b) {
    if (!a || !b)
        return !a && !b;
    return a->identity() == b->identity();
}

const Variant& argumentAt(const Arguments& args, std::size_t index) {
    static const Variant missing = Variant::missing();
    return index < args.size() ? args[index].value : missing;
}

const Variant& requiredArgument(const Arguments& args, std::size_t index) {
    const Variant& value = argumentAt(args, index);
    if (value.isMissing())
        throw errors::argumentNotOptional();
    return value;
}

}  // namespace k72645
