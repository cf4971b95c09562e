// A COM class object served by the simulated Word's host: its references are not counted (it
// lives as long as its owner), and each instance is made by the function given.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <functional>
#include <utility>

namespace k72645::sim::win32host {

class ClassObject : public IClassFactory {
public:
    explicit ClassObject(std::function<HRESULT(REFIID, void**)> create)
        : create_(std::move(create)) {}
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
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return create_(iid, out);
    }

private:
    std::function<HRESULT(REFIID, void**)> create_;
};

}  // namespace k72645::sim::win32host
