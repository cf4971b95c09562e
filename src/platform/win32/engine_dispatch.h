// An engine object handed to a COM client as an IDispatch. Member names get dispatch identifiers
// made from the names themselves; Invoke calls the engine object by name, writes into the
// by-reference arguments what the engine left in them (after a failure too, as a VB object leaves
// its writes in the caller's variables) and returns a failure as DISP_E_EXCEPTION with its
// EXCEPINFO. A call the engine saw rejected (RPC_E_CALL_REJECTED, a busy application) is returned
// as that HRESULT, as COM does.
//
// What differs between the objects served this way is the Bridge, held by each object:
//   MemberNames& names();                   where dispatch identifiers live (per object or type)
//   ITypeInfo* typeInfo();                  the object's type information, or null
//   const ObjectMapping& objects() const;   how objects cross, both ways
//   void lookedUp(LCID, const std::u16string& name);  told of each GetIDsOfNames
//   void invoked(LCID);                     told of each Invoke
//   void afterCall();                       runs after each call of the engine object
//   void released(const DispatchPtr&);      the COM object is going away
//   static void afterObjectGone();          runs once the COM object (and its hold) has gone
//   static const IID& privateIid();         answered by QueryInterface to find the engine object
//   static constexpr bool kCountsConnections;   whether the object answers IExternalConnection
//   void connected(const DispatchPtr&, bool);   a client connected (true) or let go (false)
// Nothing in it assumes the client lives in the same process.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "automation/dispatch.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_variant.h"

namespace k72645::win32 {

// Dispatch identifiers for member names. A name's identifier is made from the name alone (a hash
// of its lower-cased text, moved to the next free value on the rare clash within one type), so
// that every process serving the same type gives the same identifiers, as Word's fixed
// identifiers are: a client may keep what it resolved from one server process for the next.
class MemberNames {
public:
    // The identifier of a lower-cased name, given the first time it is asked for.
    DISPID idOf(const std::u16string& name);
    // The name of an identifier, or nullptr for one never given out.
    const std::u16string* nameOf(DISPID id) const;
    // Gives identifiers to the names of an object's members, so that an identifier resolved by
    // another process maps back to its name.
    void learn(const std::vector<std::u16string>& names);

private:
    std::unordered_map<DISPID, std::u16string> names_;
    std::unordered_map<std::u16string, DISPID> ids_;
};

// GetIDsOfNames over the names: the first name resolved, the others (parameter names) unknown.
HRESULT lookUpNames(MemberNames& known, LPOLESTR* names, UINT count, DISPID* ids,
                    std::u16string* first);

// IDispatch::GetTypeInfoCount: 1 for an object with type information, 0 for one without.
HRESULT giveTypeInfoCount(bool typed, UINT* count);
// IDispatch::GetTypeInfo over an object's own type information: a new reference to it at index 0,
// `missing` when the object has none.
HRESULT giveTypeInfo(ITypeInfo* own, UINT index, ITypeInfo** info, HRESULT missing);

// Calls an engine object with the arguments of an IDispatch::Invoke.
HRESULT invokeEngine(const DispatchPtr& object, std::u16string_view member, WORD flags,
                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                     const ObjectMapping& objects);

template <class Bridge>
class EngineDispatch final : public IDispatch {
public:
    // A new COM object over the engine object, with one reference for the caller.
    static EngineDispatch* create(DispatchPtr object, Bridge bridge = {}) {
        return new EngineDispatch(std::move(object), std::move(bridge));
    }
    // The engine object behind one of these objects, or nothing for any other COM object. The
    // caller holds a reference to the object. This process's objects are found in a table of
    // them: asking a proxy would cost a round trip to its process for an answer known here.
    static DispatchPtr engineObjectOf(IDispatch* object) {
        const std::lock_guard lock(live().mutex);
        if (!object || !live().objects.count(object))
            return nullptr;
        return static_cast<EngineDispatch*>(object)->object_;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, Bridge::privateIid())) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        if (Bridge::kCountsConnections && IsEqualIID(iid, IID_IExternalConnection)) {
            *out = static_cast<IExternalConnection*>(&connections_);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            {
                const std::lock_guard lock(live().mutex);
                live().objects.erase(static_cast<IDispatch*>(this));
            }
            bridge_.released(object_);
            delete this;
            // The engine object may have gone with this one, and what it held with it.
            Bridge::afterObjectGone();
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return giveTypeInfoCount(bridge_.typeInfo() != nullptr, count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        return giveTypeInfo(bridge_.typeInfo(), index, info, DISP_E_BADINDEX);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return atComEntryPoint([&] {
            std::u16string name;
            const HRESULT hr = lookUpNames(bridge_.names(), names, count, ids, &name);
            if (hr != E_INVALIDARG)
                bridge_.lookedUp(locale, name);
            return hr;
        });
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT*) override {
        // The object stays alive until the call has ended, even when the caller (or code the
        // call ran) releases its last reference meanwhile.
        AddRef();
        struct ReleaseAtEnd {
            EngineDispatch* self;
            ~ReleaseAtEnd() { self->Release(); }
        } releaseAtEnd{this};
        return atComEntryPoint([&] {
            bridge_.invoked(locale);
            // The interface identifier is reserved and must be IID_NULL.
            if (!IsEqualIID(iid, IID_NULL))
                return DISP_E_UNKNOWNINTERFACE;
            std::u16string member;
            if (id != DISPID_VALUE) {
                const std::u16string* name = bridge_.names().nameOf(id);
                if (!name) {
                    bridge_.names().learn(object_->memberNames());
                    name = bridge_.names().nameOf(id);
                }
                if (!name)
                    return DISP_E_MEMBERNOTFOUND;
                member = *name;
            }
            const HRESULT hr = invokeEngine(object_, member, flags, parameters, result, exception,
                                            bridge_.objects());
            bridge_.afterCall();
            return hr;
        });
    }

private:
    // Told by COM's stub of each client that connects and lets go: strong connections are the
    // clients' proxies (a table-weak registration, as in the running object table, is not one),
    // so that a server can end what its last client let go, as local servers do.
    class Connections final : public IExternalConnection {
    public:
        explicit Connections(EngineDispatch& owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            return owner_.QueryInterface(iid, out);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
        // These answer a count, not an HRESULT: a bridge that runs out of memory while it
        // follows the connections leaves them uncounted.
        DWORD STDMETHODCALLTYPE AddConnection(DWORD kind, DWORD) override {
            if (kind & EXTCONN_STRONG)
                atComEntryPoint([&] {
                    owner_.bridge_.connected(owner_.object_, true);
                    return S_OK;
                });
            return ++strong_;
        }
        DWORD STDMETHODCALLTYPE ReleaseConnection(DWORD kind, DWORD, BOOL) override {
            if (kind & EXTCONN_STRONG)
                atComEntryPoint([&] {
                    owner_.bridge_.connected(owner_.object_, false);
                    return S_OK;
                });
            return strong_ > 0 ? --strong_ : 0;
        }

    private:
        EngineDispatch& owner_;
        DWORD strong_ = 0;
    };

    EngineDispatch(DispatchPtr object, Bridge bridge)
        : object_(std::move(object)), bridge_(std::move(bridge)) {
        const std::lock_guard lock(live().mutex);
        live().objects.insert(static_cast<IDispatch*>(this));
    }
    ~EngineDispatch() = default;

    // The objects of this kind alive in the process. Never destroyed, so that an object
    // released late in the process's end still finds it.
    struct Live {
        std::mutex mutex;
        std::unordered_set<const IDispatch*> objects;
    };
    static Live& live() {
        static Live* const table = new Live;
        return *table;
    }

    std::atomic<ULONG> references_{1};
    DispatchPtr object_;
    Bridge bridge_;
    Connections connections_{*this};
};

// The component's engine objects handed out: names per object, no type information, objects
// mapped as the component maps them, nothing counted. When a call ends, or an object has gone
// (with the Word objects it held), the references to Word's objects put off are given back.
struct PlainBridge {
    MemberNames names_;

    MemberNames& names() { return names_; }
    ITypeInfo* typeInfo() { return nullptr; }
    const ObjectMapping& objects() const { return componentObjects(); }
    void lookedUp(LCID, const std::u16string&) {}
    void invoked(LCID) {}
    void afterCall();
    void released(const DispatchPtr&) {}
    static void afterObjectGone();
    static const IID& privateIid();
    static constexpr bool kCountsConnections = false;
    void connected(const DispatchPtr&, bool) {}
};

using NativeDispatch = EngineDispatch<PlainBridge>;

}  // namespace k72645::win32
