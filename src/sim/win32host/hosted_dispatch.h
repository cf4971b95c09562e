// The hosted Word's objects as COM objects: each engine object of the simulator crosses out as
// an IDispatch with type information (one type per kind of object, so that a client resolves
// each member name once per type), dispatch identifiers shared by every object of a type, one
// COM identity per simulated object (the same document gives the same IUnknown each time), and
// errors as EXCEPINFO with Word's numbers. Every call is counted by member and by caller: the
// player's own calls carry kPlayerLocale, every other call is the component's.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/dispatch.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/engine_dispatch.h"
#include "sim/win32host/round_trip_counter.h"

namespace k72645::sim {
class WordInstance;
}

namespace k72645::sim::win32host {

// The locale the scenario player passes to GetIDsOfNames and Invoke, so that its calls are told
// apart from the component's.
inline constexpr LCID kPlayerLocale = 0x0809;

struct CallCounts {
    long componentInvokes = 0;
    long componentNameLookups = 0;
    long playerInvokes = 0;
    long playerNameLookups = 0;
    // The time Word spent inside the component's Invoke calls (from the call's arrival in the
    // server to its answer), in seconds.
    double componentInvokeSeconds = 0;
    // The component's GetIDsOfNames calls by type and lower-cased member name.
    std::map<std::pair<std::string, std::u16string>, long> componentLookupsByMember;
    // Word's objects handed out in the answers to the component's calls.
    long componentObjects = 0;
    // Every call that reached Word's thread from another apartment, the player's and the
    // component's, by kind (RoundTripCounter).
    RoundTrips roundTrips;
};

class HostedObjects;

// What each hosted COM object holds of its world: its type's names and type information, the
// world's counts and identities, and its objects mapped to the hosted ones.
struct HostedBridge {
    std::shared_ptr<HostedObjects> world;
    std::string type;

    win32::MemberNames& names();
    ITypeInfo* typeInfo();
    const win32::ObjectMapping& objects() const;
    void lookedUp(LCID locale, const std::u16string& name);
    void invoked(LCID locale);
    void afterCall();
    void released(const DispatchPtr& object);
    static void afterObjectGone() {}
    static const IID& privateIid();
    // Clients' connections to a Word's objects are counted per Word.
    static constexpr bool kCountsConnections = true;
    void connected(const DispatchPtr& object, bool connecting);
};

using HostedDispatch = win32::EngineDispatch<HostedBridge>;

// What the objects of one hosted world share: their types, their identities, the counts, and
// what runs after each call (the host follows the running Words).
class HostedObjects : public std::enable_shared_from_this<HostedObjects>,
                      public win32::ObjectMapping {
public:
    static std::shared_ptr<HostedObjects> create(std::function<void()> afterCall);
    ~HostedObjects();

    // The COM object for an engine object, with a reference for the caller (null for Nothing).
    IDispatch* comOf(const DispatchPtr& object) const override;
    // The engine object behind one of the hosted COM objects, or a foreign object's wrapper.
    DispatchPtr engineOf(IDispatch* object) const override;

    CallCounts& counts() { return counts_; }
    // Cuts the objects of killed Words off from their clients, as their process's death does:
    // every later call through a client's proxy fails with RPC_E_DISCONNECTED.
    void disconnectObjectsOfKilledWords();
    // The Words whose clients have all let go of their objects since the last time asked (each
    // had a client before); the host decides what becomes of them.
    std::vector<std::shared_ptr<WordInstance>> takeWordsLetGo();

private:
    friend struct HostedBridge;
    struct Type {
        GUID guid{};
        ITypeInfo* info = nullptr;
        win32::MemberNames names;
    };
    explicit HostedObjects(std::function<void()> afterCall) : afterCall_(std::move(afterCall)) {}
    Type& typeOf(const std::string& key);

    std::function<void()> afterCall_;
    ICreateTypeLib2* library_ = nullptr;
    std::map<std::string, Type> types_;
    // One COM identity per simulated object, for as long as a client holds it.
    mutable std::map<std::pair<std::string, const void*>, HostedDispatch*> live_;
    // Mutable: objects are counted as they cross out (comOf).
    mutable CallCounts counts_;
    // Clients' strong connections to the objects of each Word.
    std::map<const WordInstance*, long> connections_;
    std::vector<std::weak_ptr<WordInstance>> letGo_;
    // When the component's call being served arrived (0: none, or the player's).
    LARGE_INTEGER callStarted_{};
};

}  // namespace k72645::sim::win32host
