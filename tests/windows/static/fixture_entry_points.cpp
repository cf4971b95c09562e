// A DLL built only to prove that the static checks of the component's DLL fail when they should:
// the component's four entry points, exported as the compiler decorates them by default, and
// (in the build that links the C++ runtime dynamically) importing the MinGW runtime DLLs.
#include <windows.h>

#include <string>

namespace {
std::string lastCall;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    lastCall = "DllCanUnloadNow";
    return S_FALSE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID, REFIID, void** object) {
    lastCall = "DllGetClassObject";
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    lastCall = "DllRegisterServer";
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    lastCall = "DllUnregisterServer";
    return S_OK;
}
