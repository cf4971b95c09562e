#include "sim/win32host/round_trip_counter.h"

#include <oaidl.h>

namespace k72645::sim::win32host {

namespace {
// COM's own interface for the questions and releases of remote clients' proxies, and its
// successor. {00000131-0000-0000-C000-000000000046}, {00000143-0000-0000-C000-000000000046}
const IID kRemUnknown = {0x00000131, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kRemUnknown2 = {0x00000143, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
}  // namespace

std::string roundTripKind(REFIID iid, WORD method) {
    // Methods are numbered in the interface's table, IUnknown's three first.
    if (IsEqualIID(iid, IID_IDispatch)) {
        switch (method) {
            case 3:
                return "GetTypeInfoCount";
            case 4:
                return "GetTypeInfo";
            case 5:
                return "GetIDsOfNames";
            case 6:
                return "Invoke";
            default:
                return "other";
        }
    }
    if (IsEqualIID(iid, kRemUnknown) || IsEqualIID(iid, kRemUnknown2)) {
        switch (method) {
            case 3:
            case 6:  // RemQueryInterface2
                return "RemQueryInterface";
            case 4:
                return "RemAddRef";
            case 5:
                return "RemRelease";
            default:
                return "other";
        }
    }
    if (IsEqualIID(iid, IID_ITypeInfo))
        return "ITypeInfo";
    return "other";
}

HRESULT RoundTripCounter::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
        *out = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

DWORD RoundTripCounter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO call) {
    if (call)
        ++counts_[roundTripKind(call->iid, call->wMethod)];
    return SERVERCALL_ISHANDLED;
}

// A rejected call is not tried again, as without a filter.
DWORD RoundTripCounter::RetryRejectedCall(HTASK, DWORD, DWORD) {
    return static_cast<DWORD>(-1);
}

DWORD RoundTripCounter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}

}  // namespace k72645::sim::win32host
