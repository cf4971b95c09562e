#include "player/scenario_values.h"

#include "automation/dispatch.h"
#include "automation/text.h"
#include "automation/vb.h"

namespace k72645::player {

namespace {
ComError objectRequired() {
    return ComError(424, u"Scenario", u"Object required");
}
}  // namespace

Variant concatenate(const Variant& a, const Variant& b) {
    return Variant(vb::cStr(a) + vb::cStr(b));
}

Variant isSameObject(const Variant& a, const Variant& b) {
    if (!a.isObject() || !b.isObject())
        throw objectRequired();
    return Variant(sameObject(a.object(), b.object()));
}

Variant logicalNot(const Variant& raw) {
    Variant value = vb::valueOf(raw);
    switch (value.type()) {
        case Variant::Type::Boolean:
            return Variant(!value.boolean());
        case Variant::Type::Empty:
            return Variant(static_cast<std::int16_t>(-1));
        case Variant::Type::Integer:
            return Variant(static_cast<std::int16_t>(~value.integer()));
        case Variant::Type::String: {
            const std::u16string text = trim(value.string());
            if (equalsIgnoreCase(text, u"True") || equalsIgnoreCase(text, u"False")) {
                return Variant(!vb::cBool(value));
            }
            return Variant(static_cast<std::int32_t>(~vb::cLng(value)));
        }
        default:
            return Variant(static_cast<std::int32_t>(~vb::cLng(value)));
    }
}

Variant negate(const Variant& raw) {
    Variant value = vb::valueOf(raw);
    switch (value.type()) {
        case Variant::Type::Empty:
            return Variant(static_cast<std::int16_t>(0));
        case Variant::Type::Boolean:
            return Variant(static_cast<std::int16_t>(value.boolean() ? 1 : 0));
        case Variant::Type::Integer:
            if (value.integer() == INT16_MIN)
                throw errors::overflow();
            return Variant(static_cast<std::int16_t>(-value.integer()));
        case Variant::Type::Long:
            if (value.long32() == INT32_MIN)
                throw errors::overflow();
            return Variant(static_cast<std::int32_t>(-value.long32()));
        default:
            return Variant(-vb::cDbl(value));
    }
}

bool isTrue(const Variant& value) {
    return vb::cBool(value);
}

std::string describeValue(const Variant& value) {
    if (value.isNothing())
        return "Nothing";
    if (value.isObject()) {
        try {
            return "an object whose value is " + toUtf8(vb::describe(vb::valueOf(value)));
        } catch (const ComError&) {
            return "an object";
        }
    }
    try {
        return toUtf8(vb::describe(value));
    } catch (const ComError&) {
        return toUtf8(value.typeName());
    }
}

}  // namespace k72645::player
