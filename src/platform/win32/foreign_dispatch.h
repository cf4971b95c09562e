// The engine's view of a foreign automation object (Word's objects and any other IDispatch):
// members are called by name. Each member name is resolved once with GetIDsOfNames for each
// type of object (the GUID of its type information; an object without type information keeps
// its own names), then called with Invoke. An object whose caller says which type it expects
// (expectType) asks for its type information only when no object expected as that type has
// told it yet: each question costs a round trip to the object's process.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "automation/dispatch.h"
#include "platform/win32/com_variant.h"

namespace k72645::win32 {

class ForeignDispatch;

// One caller's calls on foreign objects: the locale it passes to GetIDsOfNames and Invoke, the
// dispatch identifiers it has resolved by type, and its objects: every object its calls return
// is wrapped with the same ForeignCalls (an engine object of the component comes back as itself).
class ForeignCalls final : public ObjectMapping, public std::enable_shared_from_this<ForeignCalls> {
public:
    static std::shared_ptr<ForeignCalls> create(LCID locale);
    // The component's own calls, under the user's locale, shared by all its objects for the
    // life of the process so that each name is resolved once per type.
    static const std::shared_ptr<ForeignCalls>& component();

    LCID locale() const { return locale_; }
    // The identifier resolved earlier for a lower-cased member of a type, or DISPID_UNKNOWN.
    DISPID resolved(const GUID& type, const std::u16string& member) const;
    void remember(const GUID& type, const std::u16string& member, DISPID id) const;

    DispatchPtr engineOf(IDispatch* object) const override;
    IDispatch* comOf(const DispatchPtr& object) const override;

    // Gives back a reference the caller's objects held. The component's calls put it off to
    // the end of the component's current call (releaseDeferred), so that an object fetched
    // again meanwhile reuses its proxy, and its type is known from its type information's
    // proxy: each saves a round trip to Word's process. Other callers release at once.
    void release(IUnknown* object) const;
    // Gives back the references put off on the calling thread.
    void releaseDeferred() const;
    // The type of an object (by its identity) or of a type information object, learnt on the
    // calling thread since the references were last given back; false when not known.
    bool knownType(IUnknown* identity, GUID* type) const;
    bool knownType(ITypeInfo* info, GUID* type) const;
    // Keeps the type of an object and of its type information, whose reference it takes over.
    void keepType(IUnknown* identity, ITypeInfo* info, const GUID& type) const;
    // The type learnt for objects a caller expects under a key (expectType), for the life of
    // the calls: false when none has been learnt.
    bool typeExpectedAs(const std::type_info& key, GUID* type) const;
    void learnTypeExpectedAs(const std::type_info& key, const GUID& type) const;

private:
    ForeignCalls(LCID locale, bool deferReleases)
        : locale_(locale), deferReleases_(deferReleases) {}
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const;
    };
    // What one thread holds until the end of the component's call.
    struct Held {
        std::vector<IUnknown*> objects;
        std::map<ITypeInfo*, GUID> types;
        // Identities are held by their wrappers, then by `objects`, until given back.
        std::map<IUnknown*, GUID> typesOfObjects;
    };

    LCID locale_;
    bool deferReleases_;
    mutable std::mutex mutex_;  // the component's calls may come from more than one thread
    mutable std::map<GUID, std::map<std::u16string, DISPID>, GuidLess> resolvedByType_;
    mutable std::map<DWORD, Held> heldByThread_;
    mutable std::map<std::type_index, GUID> typesByKey_;
};

class ForeignDispatch : public Dispatch {
public:
    // Holds its own reference to the object; null gives nullptr (Nothing).
    static std::shared_ptr<ForeignDispatch> wrap(IDispatch* object,
                                                 std::shared_ptr<const ForeignCalls> calls);
    ~ForeignDispatch() override;
    ForeignDispatch(const ForeignDispatch&) = delete;
    ForeignDispatch& operator=(const ForeignDispatch&) = delete;

    // Method and property get are called as VB calls them (DISPATCH_METHOD |
    // DISPATCH_PROPERTYGET); a put is DISPATCH_PROPERTYPUT with its value as the named argument
    // DISPID_PROPERTYPUT. An argument left out travels as DISP_E_PARAMNOTFOUND. A by-reference
    // argument travels by reference (a whole number as a Long) and comes back with what the
    // object left in it, whether the call succeeded or failed.
    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override;
    const void* identity() const override { return identity_; }
    void expectType(const std::type_info& key) override;

    IDispatch* com() const { return object_; }

private:
    ForeignDispatch(IDispatch* object, std::shared_ptr<const ForeignCalls> calls);
    DISPID dispatchIdOf(std::u16string_view member);
    void learnType();
    void askType();

    IDispatch* object_;
    std::shared_ptr<const ForeignCalls> calls_;
    IUnknown* identity_ = nullptr;
    bool typeKnown_ = false;
    bool typed_ = false;
    GUID type_{};
    const std::type_info* expected_ = nullptr;   // the caller's key for the type, if it gave one
    std::map<std::u16string, DISPID> ownNames_;  // for an object without type information
};

}  // namespace k72645::win32
