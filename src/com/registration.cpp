#include "com/registration.h"

#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "com/com_ids.h"
#include "com/public_classes.h"
#include "com/server_state.h"
#include "com/type_library.h"

namespace k72645::com {

namespace {
std::wstring text(const GUID& guid) {
    wchar_t buffer[40] = {};
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

std::wstring progIdOf(const PublicClass& c) {
    return std::wstring(L"K72645.") + c.name;
}

bool setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

// Deletes a key of HKEY_CLASSES_ROOT with everything under it; a missing key is no failure.
void deleteTree(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    for (;;) {
        wchar_t child[256];
        DWORD length = 256;
        if (RegEnumKeyExW(handle, 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::wstring before = child;
        deleteTree(key + L"\\" + before);
        // A child that could not be deleted would be enumerated forever.
        length = 256;
        if (RegEnumKeyExW(handle, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
                ERROR_SUCCESS &&
            before == child)
            break;
    }
    RegCloseKey(handle);
    RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
}

bool registerClass(const PublicClass& c, const std::wstring& path) {
    const std::wstring progId = progIdOf(c);
    const std::wstring clsid = text(c.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    return setValue(key, nullptr, progId) && setValue(key + L"\\InprocServer32", nullptr, path) &&
           setValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
           setValue(key + L"\\ProgID", nullptr, progId) &&
           setValue(key + L"\\VERSION", nullptr, L"1.0") &&
           setValue(key + L"\\TypeLib", nullptr, text(kLibraryId)) &&
           setValue(progId, nullptr, progId) && setValue(progId + L"\\CLSID", nullptr, clsid);
}

void unregisterClass(const PublicClass& c) {
    deleteTree(L"CLSID\\" + text(c.clsid));
    deleteTree(progIdOf(c));
}

SYSKIND ownSyskind() {
    return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
}
}  // namespace

HRESULT registerServer() {
    const std::wstring path = modulePath();
    const auto classes = publicClasses();
    if (!classes)
        return SELFREG_E_CLASS;
    ITypeLib* library = nullptr;
    HRESULT hr = loadComponentLibrary(&library);
    if (FAILED(hr))
        return hr;
    hr = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
    library->Release();
    if (FAILED(hr))
        return hr;
    for (const PublicClass& c : *classes) {
        if (!registerClass(c, path)) {
            unregisterServer();
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT unregisterServer() {
    if (const auto classes = publicClasses()) {
        for (const PublicClass& c : *classes)
            unregisterClass(c);
    }
    const HRESULT hr =
        UnRegisterTypeLib(kLibraryId, kLibraryMajor, kLibraryMinor, LANG_NEUTRAL, ownSyskind());
    // A library that is not registered is already what unregistering asks for.
    return SUCCEEDED(hr) || hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_CANTLOADLIBRARY ? S_OK : hr;
}

}  // namespace k72645::com
