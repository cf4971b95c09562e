#include "automation/variant.h"

#include "automation/com_error.h"
#include "automation/dispatch.h"

namespace k72645 {

bool Variant::isNumeric() const {
    switch (type()) {
        case Type::Boolean:
        case Type::Integer:
        case Type::Long:
        case Type::Double:
        case Type::Date:
            return true;
        default:
            return false;
    }
}

namespace {
template <class T, class V>
const T& access(const V& v) {
    if (const T* p = std::get_if<T>(&v))
        return *p;
    throw errors::typeMismatch();
}
}  // namespace

bool Variant::boolean() const {
    return access<bool>(v_);
}
std::int16_t Variant::integer() const {
    return access<std::int16_t>(v_);
}
std::int32_t Variant::long32() const {
    return access<std::int32_t>(v_);
}
double Variant::dbl() const {
    return access<double>(v_);
}
Date Variant::date() const {
    return access<Date>(v_);
}
const std::u16string& Variant::string() const {
    return access<std::u16string>(v_);
}
const DispatchPtr& Variant::object() const {
    return access<DispatchPtr>(v_);
}

std::u16string Variant::typeName() const {
    switch (type()) {
        case Type::Empty:
            return u"Empty";
        case Type::Null:
            return u"Null";
        case Type::Boolean:
            return u"Boolean";
        case Type::Integer:
            return u"Integer";
        case Type::Long:
            return u"Long";
        case Type::Double:
            return u"Double";
        case Type::Date:
            return u"Date";
        case Type::String:
            return u"String";
        case Type::Object:
            return object() ? u"Object" : u"Nothing";
        case Type::Missing:
            return u"Error";
    }
    return u"Unknown";
}

bool Variant::operator==(const Variant& other) const {
    if (type() != other.type())
        return false;
    if (isObject())
        return sameObject(object(), other.object());
    return v_ == other.v_;
}

}  // namespace k72645
