// The engine's view of a foreign automation object (Word's objects and any other IDispatch):
// members are called by name. Each member name is resolved once with GetIDsOfNames for each
// type of object (the GUID of its type information; an object without type information keeps
// its own names), then called with Invoke.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace k72645::win32 {

class ForeignDispatch : public Dispatch {
public:
    // Holds its own reference to the object.
    static std::shared_ptr<ForeignDispatch> wrap(IDispatch* object);
    ~ForeignDispatch() override;
    ForeignDispatch(const ForeignDispatch&) = delete;
    ForeignDispatch& operator=(const ForeignDispatch&) = delete;

    // Method and property get are called as VB calls them (DISPATCH_METHOD |
    // DISPATCH_PROPERTYGET); a put is DISPATCH_PROPERTYPUT with its value as the named argument
    // DISPID_PROPERTYPUT. An argument left out travels as DISP_E_PARAMNOTFOUND; a by-reference
    // argument travels by reference and comes back with what the object left in it.
    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;
    const void* identity() const override { return identity_; }

    IDispatch* com() const { return object_; }

private:
    explicit ForeignDispatch(IDispatch* object);
    DISPID dispatchIdOf(std::u16string_view member);

    IDispatch* object_;
    IUnknown* identity_ = nullptr;
    bool typed_ = false;
    GUID type_{};
    std::map<std::u16string, DISPID> ownNames_;  // for an object without type information
};

}  // namespace k72645::win32
