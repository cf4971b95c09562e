#include "com/class_factory.h"

#include <new>

#include "com/module_object.h"
#include "com/server_state.h"

namespace k72645::com {

IClassFactory* ModuleFactory::create() noexcept {
    return new (std::nothrow) ModuleFactory();
}

ModuleFactory::ModuleFactory() {
    objectCreated();
}
ModuleFactory::~ModuleFactory() {
    objectDestroyed();
}

HRESULT ModuleFactory::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ModuleFactory::AddRef() {
    return ++references_;
}

ULONG ModuleFactory::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT ModuleFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    AbstractModule* module = nullptr;
    try {
        module = ModuleObject::create();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
    const HRESULT hr = module->QueryInterface(iid, out);
    module->Release();
    return hr;
}

HRESULT ModuleFactory::LockServer(BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

}  // namespace k72645::com
