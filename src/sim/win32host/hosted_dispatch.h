// The hosted Word's objects as COM objects: each engine object of the simulator crosses out as
// an IDispatch with type information (one type per kind of object, so that a client resolves
// each member name once per type), dispatch identifiers shared by every object of a type, one
// COM identity per simulated object (the same document gives the same IUnknown each time), and
// errors as EXCEPINFO with Word's numbers. Every call is counted by member and by caller: the
// player's own calls carry kPlayerLocale, every other call is the component's.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/dispatch.h"

namespace k72645::sim::win32host {

// The locale the scenario player passes to GetIDsOfNames and Invoke, so that its calls are told
// apart from the component's.
inline constexpr LCID kPlayerLocale = 0x0809;

struct CallCounts {
    long componentInvokes = 0;
    long componentNameLookups = 0;
    long playerInvokes = 0;
    long playerNameLookups = 0;
    // The component's GetIDsOfNames calls by type and lower-cased member name.
    std::map<std::pair<std::string, std::u16string>, long> componentLookupsByMember;
};

class HostedDispatch;

// What the objects of one hosted world share: their types, their identities, the counts, and
// what runs after each call (the host follows the running Words).
class HostedObjects : public std::enable_shared_from_this<HostedObjects> {
public:
    static std::shared_ptr<HostedObjects> create(std::function<void()> afterCall);
    ~HostedObjects();

    // The COM object for an engine object, with a reference for the caller (null for Nothing).
    IDispatch* comOf(const DispatchPtr& object);
    // The engine object behind one of the hosted COM objects, or nullptr.
    static DispatchPtr engineOf(IDispatch* object);

    CallCounts& counts() { return counts_; }
    void afterCall() {
        if (afterCall_)
            afterCall_();
    }

private:
    friend class HostedDispatch;
    struct Type {
        GUID guid{};
        ITypeInfo* info = nullptr;
        std::vector<std::u16string> names;  // dispatch identifier n is names[n - 1]
    };
    explicit HostedObjects(std::function<void()> afterCall) : afterCall_(std::move(afterCall)) {}
    Type& typeOf(const std::string& key);
    void forget(const std::pair<std::string, const void*>& key) { live_.erase(key); }

    std::function<void()> afterCall_;
    ICreateTypeLib2* library_ = nullptr;
    std::map<std::string, Type> types_;
    std::map<std::pair<std::string, const void*>, HostedDispatch*> live_;
    CallCounts counts_;
};

class HostedDispatch : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

private:
    friend class HostedObjects;
    HostedDispatch(std::shared_ptr<HostedObjects> objects, DispatchPtr object, std::string type);
    virtual ~HostedDispatch() = default;

    std::atomic<ULONG> references_{1};
    std::shared_ptr<HostedObjects> objects_;
    DispatchPtr object_;
    std::string type_;
};

}  // namespace k72645::sim::win32host
