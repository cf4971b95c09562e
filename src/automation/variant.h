// A VB/COM variant: the values that travel through late-bound automation calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace k72645 {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

struct Null {
    bool operator==(const Null&) const = default;
};
// An optional argument left out (VT_ERROR with DISP_E_PARAMNOTFOUND in COM).
struct Missing {
    bool operator==(const Missing&) const = default;
};
// An OLE automation date: days since 30 December 1899, the fraction being the time of day.
struct Date {
    double serial = 0;
    bool operator==(const Date&) const = default;
};

class Variant {
public:
    enum class Type { Empty, Null, Boolean, Integer, Long, Double, Date, String, Object, Missing };

    Variant() = default;
    Variant(bool value) : v_(value) {}
    Variant(std::int16_t value) : v_(value) {}
    Variant(std::int32_t value) : v_(value) {}
    Variant(double value) : v_(value) {}
    Variant(Date value) : v_(value) {}
    Variant(Null value) : v_(value) {}
    Variant(Missing value) : v_(value) {}
    Variant(std::u16string value) : v_(std::move(value)) {}
    Variant(std::u16string_view value) : v_(std::u16string(value)) {}
    Variant(const char16_t* value) : v_(std::u16string(value)) {}
    Variant(DispatchPtr value) : v_(std::move(value)) {}
    template <class T>
    requires std::is_base_of_v<Dispatch, T> Variant(std::shared_ptr<T> value)
        : v_(DispatchPtr(std::move(value))) {}
    Variant(std::nullptr_t) : v_(DispatchPtr()) {}
    // A narrow string literal would silently become a Boolean: refuse it.
    Variant(const char*) = delete;

    static Variant nothing() { return Variant(DispatchPtr()); }
    static Variant missing() { return Variant(Missing{}); }

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isMissing() const { return type() == Type::Missing; }
    bool isObject() const { return type() == Type::Object; }
    bool isString() const { return type() == Type::String; }
    bool isNumeric() const;  // Boolean, Integer, Long, Double, Date
    // An object variable that holds no object.
    bool isNothing() const { return isObject() && !object(); }

    // Raw access; each raises the type-mismatch error (13) when the variant holds another type.
    bool boolean() const;
    std::int16_t integer() const;
    std::int32_t long32() const;
    double dbl() const;
    Date date() const;
    const std::u16string& string() const;
    const DispatchPtr& object() const;

    // The name VB's TypeName gives the value ("Empty", "Integer", "String", "Nothing"...).
    std::u16string typeName() const;

    // Same type and same value (objects: the same object). For tests and diagnostics.
    bool operator==(const Variant& other) const;

private:
    std::variant<std::monostate, Null, bool, std::int16_t, std::int32_t, double, Date,
                 std::u16string, DispatchPtr, Missing>
        v_;
};

}  // namespace k72645
