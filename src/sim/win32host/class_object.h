// A COM class object served by the simulated Word's host: its references are not counted (it
// lives as long as its owner), and each instance is made by the function given. LockServer
// counts its locks in the server's count, which keeps the server running while it is above
// zero; an unlock without a lock is ignored.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <utility>

#include "platform/win32/com_errors.h"

namespace k72645::sim::win32host {

class ClassObject : public IClassFactory {
public:
    ClassObject(std::function<HRESULT(REFIID, void**)> create, std::atomic<int>& locks)
        : create_(std::move(create)), locks_(locks) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ++locks_;
            return S_OK;
        }
        int current = locks_.load();
        while (current > 0 && !locks_.compare_exchange_weak(current, current - 1)) {
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return k72645::win32::atComEntryPoint([&] { return create_(iid, out); });
    }

private:
    std::function<HRESULT(REFIID, void**)> create_;
    std::atomic<int>& locks_;
};

}  // namespace k72645::sim::win32host
