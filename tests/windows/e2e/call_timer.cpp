#include "tests/windows/e2e/call_timer.h"

#include <chrono>
#include <vector>

namespace k72645::e2e {

namespace {
// The hook's extension identifier: it adds no data to the calls, only watches them.
constexpr GUID kCallTimerExtension = {
    0x6b1e0c52, 0x93a4, 0x4f0e, {0x8d, 0x21, 0x5c, 0x7a, 0x19, 0x3e, 0x44, 0x0b}};

using Clock = std::chrono::steady_clock;

// Calls go out from the player's one apartment thread; a call made while another waits (a
// message handled during the wait) nests, so the starts are kept as a stack.
std::vector<Clock::time_point> started;
CallTime timed;

class Hook final : public IChannelHook {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IChannelHook) {
            *object = static_cast<IChannelHook*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The hook lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    void STDMETHODCALLTYPE ClientGetSize(REFGUID, REFIID, ULONG* size) override {
        *size = 0;
        started.push_back(Clock::now());
    }
    void STDMETHODCALLTYPE ClientFillBuffer(REFGUID, REFIID, ULONG* size, void*) override {
        *size = 0;
    }
    void STDMETHODCALLTYPE ClientNotify(REFGUID, REFIID, ULONG, void*, DWORD, HRESULT) override {
        if (started.empty())
            return;
        timed.seconds += std::chrono::duration<double>(Clock::now() - started.back()).count();
        ++timed.calls;
        started.pop_back();
    }
    void STDMETHODCALLTYPE ServerNotify(REFGUID, REFIID, ULONG, void*, DWORD) override {}
    void STDMETHODCALLTYPE ServerGetSize(REFGUID, REFIID, HRESULT, ULONG* size) override {
        *size = 0;
    }
    void STDMETHODCALLTYPE ServerFillBuffer(REFGUID, REFIID, ULONG* size, void*, HRESULT) override {
        *size = 0;
    }
};

Hook hook;
}  // namespace

void CallTimer::install() {
    static const bool installed = SUCCEEDED(CoRegisterChannelHook(kCallTimerExtension, &hook));
    (void)installed;
}

CallTime CallTimer::total() {
    return timed;
}

}  // namespace k72645::e2e
