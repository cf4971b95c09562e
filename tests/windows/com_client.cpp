// End-to-end check of the COM server as the player meets it, run under Wine for each bitness:
// registration with regsvr32, creation of "K72645.Module" by ProgID, the classes that must not
// be creatable, a new Module's verdict properties through its vtable and through
// IDispatch::Invoke, and unregistration. Usage: k72645_com_client <path of k72645.dll>.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/windows/player_client.h"
#include "tests/windows/regsvr32.h"

namespace {

using k72645::windows_test::AbstractModule;
using k72645::windows_test::check;
using k72645::windows_test::failures;
using k72645::windows_test::kIidAbstractModule;
using k72645::windows_test::text;

const wchar_t* kModuleClsid = L"{0F7E45E9-DDBF-427E-BF4F-6D16B39DD984}";
const wchar_t* kLibraryKey = L"TypeLib\\{3C4C331A-2AE5-49EB-9BDC-3F7B2AA15A31}";
constexpr HRESULT kObjectNotSet = static_cast<HRESULT>(0x800A005B);  // VB error 91

using k72645::windows_test::runRegsvr32;

bool keyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

std::wstring keyValue(const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return L"";
    return buffer;
}

HRESULT createByProgId(const wchar_t* progId, IUnknown** object) {
    CLSID clsid{};
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                            reinterpret_cast<void**>(object));
}

void checkRegistration(const std::wstring& dll) {
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kModuleClsid;
    check(keyValue(L"K72645.Module\\CLSID", nullptr) == kModuleClsid,
          "ProgID K72645.Module names the Module class");
    check(_wcsicmp(keyValue(clsidKey + L"\\InprocServer32", nullptr).c_str(), dll.c_str()) == 0,
          "Module's in-process server is the DLL");
    check(keyValue(clsidKey + L"\\InprocServer32", L"ThreadingModel") == L"Apartment",
          "threading model Apartment");
    check(keyExists(L"K72645.FichiersDeTravail") && keyExists(L"K72645.Question0513"),
          "the public classes have their ProgIDs");
    check(!keyExists(L"K72645.Question0514") && !keyExists(L"K72645.Question0518"),
          "the private exercise classes are not registered");
    check(keyExists(kLibraryKey), "the type library is registered");
}

void checkNotCreatable() {
    static const wchar_t* const progIds[] = {L"K72645.FichiersDeTravail", L"K72645.ComplementInfo",
                                             L"K72645.Question0501"};
    for (const wchar_t* progId : progIds) {
        IUnknown* object = nullptr;
        const HRESULT hr = createByProgId(progId, &object);
        if (object)
            object->Release();
        char what[128];
        std::snprintf(what, sizeof what, "%ls cannot be created (0x%08lX)", progId,
                      static_cast<unsigned long>(hr));
        check(hr == CLASS_E_CLASSNOTAVAILABLE, what);
    }
}

// A new Module through its vtable: ErreurGenerale is False, CauseErreur raises error 91 with
// its source and description in the thread's error information. Returns that source.
std::wstring checkVtable(AbstractModule* module) {
    VARIANT_BOOL general = VARIANT_TRUE;
    check(module->get_ErreurGenerale(&general) == S_OK && general == VARIANT_FALSE,
          "vtable: ErreurGenerale is False");

    ISupportErrorInfo* support = nullptr;
    check(SUCCEEDED(
              module->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
              support->InterfaceSupportsErrorInfo(kIidAbstractModule) == S_OK,
          "vtable: AbstractModule supports error information");
    if (support)
        support->Release();

    BSTR code = nullptr;
    const HRESULT hr = module->get_CauseErreur(&code);
    SysFreeString(code);
    check(hr == kObjectNotSet, "vtable: CauseErreur fails with error 91 (0x800A005B)");
    IErrorInfo* info = nullptr;
    std::wstring source;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR s = nullptr, d = nullptr;
        info->GetSource(&s);
        info->GetDescription(&d);
        source = text(s);
        check(!source.empty(), "vtable: the error has a source");
        check(text(d) == L"Object variable or With block variable not set",
              "vtable: the error has VB's description");
        SysFreeString(s);
        SysFreeString(d);
        info->Release();
    } else {
        check(false, "vtable: the error information is set");
    }
    return source;
}

void checkDispatch(AbstractModule* module, const std::wstring& source) {
    IDispatch* dispatch = nullptr;
    module->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    check(dispatch != nullptr, "IDispatch is answered");
    if (!dispatch)
        return;

    DISPID ids[2] = {};
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"ErreurGenerale"),
                        const_cast<LPOLESTR>(L"causeerreur")};
    const bool found =
        dispatch->GetIDsOfNames(IID_NULL, &names[0], 1, LOCALE_USER_DEFAULT, &ids[0]) == S_OK &&
        dispatch->GetIDsOfNames(IID_NULL, &names[1], 1, LOCALE_USER_DEFAULT, &ids[1]) == S_OK;
    check(found, "IDispatch: the members are found by name, whatever their case");

    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    HRESULT hr = dispatch->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                  &none, &result, &exception, nullptr);
    check(hr == S_OK && V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_FALSE,
          "IDispatch: ErreurGenerale is False");
    VariantClear(&result);

    hr = dispatch->Invoke(ids[1], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                          &result, &exception, nullptr);
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    check(hr == DISP_E_EXCEPTION, "IDispatch: CauseErreur fails with DISP_E_EXCEPTION");
    check(exception.scode == kObjectNotSet || exception.wCode == 91,
          "IDispatch: EXCEPINFO carries error 91");
    check(!source.empty() && text(exception.bstrSource) == source,
          "IDispatch: EXCEPINFO carries the error's source");
    check(text(exception.bstrDescription) == L"Object variable or With block variable not set",
          "IDispatch: EXCEPINFO carries the description");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);
    dispatch->Release();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring dll;
    if (!k72645::windows_test::dllArgument(argc, argv, "k72645_com_client", dll))
        return 2;
    const std::wstring quoted = L"\"" + dll + L"\"";

    check(runRegsvr32(quoted) == 0, "regsvr32 registers the DLL");
    checkRegistration(dll);

    CoInitialize(nullptr);
    IUnknown* object = nullptr;
    check(createByProgId(L"K72645.Module", &object) == S_OK && object,
          "K72645.Module is created by ProgID");
    AbstractModule* module = nullptr;
    if (object) {
        object->QueryInterface(kIidAbstractModule, reinterpret_cast<void**>(&module));
        object->Release();
    }
    check(module != nullptr, "Module answers AbstractModule");
    checkNotCreatable();
    if (module) {
        const std::wstring source = checkVtable(module);
        checkDispatch(module, source);
        module->Release();
    }
    CoUninitialize();

    check(runRegsvr32(L"/u " + quoted) == 0, "regsvr32 /u unregisters the DLL");
    check(!keyExists(L"K72645.Module") && !keyExists(L"K72645.Question0501") &&
              !keyExists(std::wstring(L"CLSID\\") + kModuleClsid) && !keyExists(kLibraryKey),
          "unregistering removes the ProgIDs, the classes and the type library");

    std::printf("%s: %d failure(s)\n", failures ? "FAILED" : "PASSED", failures);
    return failures ? 1 : 0;
}
