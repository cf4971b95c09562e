#include "sim/word/word_object.h"

#include "automation/vb.h"
#include "sim/faults/fault_injector.h"
#include "sim/word/word_errors.h"

namespace k72645::sim {

void WordObject::beforeInvoke(std::u16string_view member) {
    if (FaultInjector* faults = word_->faults())
        faults->beforeWordCall(*word_, member);
    word_->checkCallable();
}

ComError WordObject::memberNotFound(std::u16string_view) const {
    return word_errors::memberNotFound();
}

namespace {

// A property without parameters that is given arguments hands them to the default member of
// its value, as Word's automation does: Bookmarks("s01") is Bookmarks.Item("s01").
Variant withArguments(const Variant& value, Arguments& args) {
    if (args.empty())
        return value;
    if (!value.isObject()) {
        throw ComError(450, u"Microsoft Word",
                       u"Wrong number of arguments or invalid property assignment");
    }
    return toObject(value)->invoke(u"", InvokeKind::PropertyGet, args);
}

}  // namespace

void WordObject::readOnly(std::u16string name, std::function<Variant()> getter) {
    property(std::move(name), [getter = std::move(getter)](Arguments& args) {
        return withArguments(getter(), args);
    });
}

void WordObject::readWrite(std::u16string name, std::function<Variant()> getter,
                           std::function<void(const Variant&)> setter) {
    property(
        std::move(name),
        [getter = std::move(getter)](Arguments& args) { return withArguments(getter(), args); },
        [setter = std::move(setter)](Arguments&, const Variant& value) { setter(value); });
}

CollectionKey collectionKeyOf(const Variant& index) {
    const Variant value = vb::valueOf(index);
    if (value.isMissing())
        throw errors::argumentNotOptional();
    if (value.isString()) {
        return CollectionKey{std::nullopt, value.string()};
    }
    return CollectionKey{vb::cLng(value), {}};
}

std::size_t positionIn(std::int32_t position, std::size_t count) {
    if (position < 1 || static_cast<std::size_t>(position) > count)
        throw word_errors::collectionMember();
    return static_cast<std::size_t>(position - 1);
}

bool optionalBool(const Arguments& args, std::size_t index, bool fallback) {
    const Variant& value = argumentAt(args, index);
    return value.isMissing() ? fallback : vb::cBool(value);
}

std::int32_t optionalLong(const Arguments& args, std::size_t index, std::int32_t fallback) {
    const Variant& value = argumentAt(args, index);
    return value.isMissing() ? fallback : vb::cLng(value);
}

std::u16string optionalText(const Arguments& args, std::size_t index) {
    const Variant& value = argumentAt(args, index);
    return value.isMissing() ? std::u16string() : vb::cStr(value);
}

}  // namespace k72645::sim
