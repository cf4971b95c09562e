// The entry points of the in-process server, exported undecorated (k72645.def): the four of
// every in-process server, and DllInstall for the registration of the current user alone.
#include <objbase.h>
#include <windows.h>

#include "com/class_factory.h"
#include "com/com_ids.h"
#include "com/dll_install.h"
#include "com/registration.h"
#include "com/server_state.h"
#include "platform/win32/com_errors.h"

using namespace k72645::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        setModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kClsidModule))
        return CLASS_E_CLASSNOTAVAILABLE;
    IClassFactory* factory = ModuleFactory::create();
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

STDAPI DllCanUnloadNow() {
    return canUnload() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return k72645::win32::atComEntryPoint([] { return registerServer(); });
}

STDAPI DllUnregisterServer() {
    return k72645::win32::atComEntryPoint([] { return unregisterServer(); });
}

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    return dllInstall(install != FALSE, commandLine);
}
