// Late-bound automation: an object whose members are reached by name, as IDispatch does.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "automation/com_error.h"
#include "automation/variant.h"

namespace k72645 {

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// One positional argument. A by-reference argument may be written back by the callee: after
// the call its value is what the callee left in it.
struct Argument {
    Variant value;
    bool byRef = false;

    Argument() = default;
    template <class T>
    requires(!std::is_same_v<std::decay_t<T>, Argument>) Argument(T&& v)
        : value(std::forward<T>(v)) {}
    static Argument ref(Variant v) {
        Argument a(std::move(v));
        a.byRef = true;
        return a;
    }
};
using Arguments = std::vector<Argument>;

class Dispatch {
public:
    virtual ~Dispatch() = default;

    // Invokes a member by name (matched without regard to case). The empty name is the
    // object's default member (DISPID_VALUE). For a property put the value is the last
    // argument. A member that does not exist raises error 438.
    virtual Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) = 0;

    // What makes two references the same object (VB's Is). Wrappers of a foreign object
    // return the foreign identity.
    virtual const void* identity() const { return this; }

    // Told by a caller that knows which type of its application's objects this one is (the
    // typed Word layer, for what its members return), named by a key of the caller's own: an
    // object that would ask its application for its type may take the type it learnt for that
    // key from another object instead. Others ignore it.
    virtual void expectType(const std::type_info& key) { (void)key; }

    // The names of the members the object has, in lower case, for a COM server that must map
    // a member identifier back to its name; empty for an object that cannot list them.
    virtual std::vector<std::u16string> memberNames() const { return {}; }
};

// Calls as VB writes them. Each raises error 91 on a null object.
Variant get(const DispatchPtr& object, std::u16string_view member, Arguments args = {});
Variant call(const DispatchPtr& object, std::u16string_view member, Arguments args = {});
// Calls with the caller's argument list, so by-reference arguments come back in it.
Variant callWith(const DispatchPtr& object, std::u16string_view member, Arguments& args);
void put(const DispatchPtr& object, std::u16string_view member, Variant value,
         Arguments index = {});

// The object held by a variant: error 91 when it is Nothing, 13 when it is no object.
DispatchPtr toObject(const Variant& value);
// VB's Is: both Nothing, or the same object.
bool sameObject(const DispatchPtr& a, const DispatchPtr& b);

// The argument at a position, or Missing when it was not given.
const Variant& argumentAt(const Arguments& args, std::size_t index);
// The argument at a position; raises error 449 when it was not given or left out.
const Variant& requiredArgument(const Arguments& args, std::size_t index);

}  // namespace k72645
