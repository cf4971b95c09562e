// Counts every call that reaches the hosted Word's thread from another apartment, that is every
// round trip a client makes to Word's process: the calls on Word's objects (IDispatch), the
// questions and releases COM sends for the clients' proxies (IRemUnknown), the calls on the type
// information Word hands out (ITypeInfo) and any other. COM tells an apartment's message filter
// of each incoming call with its interface and method, whoever calls; it changes nothing else:
// every call is served, and outgoing calls wait and fail as they do without a filter.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <map>
#include <string>

namespace k72645::sim::win32host {

// The round trips counted so far, by kind: "Invoke", "GetIDsOfNames", "GetTypeInfo",
// "GetTypeInfoCount", "RemQueryInterface", "RemAddRef", "RemRelease", "ITypeInfo", "other".
using RoundTrips = std::map<std::string, long>;

class RoundTripCounter final : public IMessageFilter {
public:
    // Counts into `counts`, which the apartment's thread alone touches.
    explicit RoundTripCounter(RoundTrips& counts) : counts_(counts) {}

    // Registered as the calling thread's message filter for as long as it is alive (it is
    // neither counted nor destroyed through its references).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD type, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO call) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                              DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount,
                                           DWORD pendingType) override;

private:
    RoundTrips& counts_;
};

// The kind of round trip a call is, by its interface and method number.
std::string roundTripKind(REFIID iid, WORD method);

}  // namespace k72645::sim::win32host
