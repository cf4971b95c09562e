// The class factory of Module, the one class a client may create.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <atomic>

namespace k72645::com {

class ModuleFactory final : public IClassFactory {
public:
    // A new factory with one reference for the caller; null when memory ran out.
    static IClassFactory* create() noexcept;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ModuleFactory();
    ~ModuleFactory();
    std::atomic<ULONG> references_{1};
};

}  // namespace k72645::com
