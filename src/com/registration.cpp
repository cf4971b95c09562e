#include "com/registration.h"

#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "com/classes_key.h"
#include "com/com_ids.h"
#include "com/public_classes.h"
#include "com/server_state.h"
#include "com/type_library.h"
#include "com/type_library_keys.h"

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

bool registerClass(const ClassesKey& classes, const PublicClass& c, const std::wstring& path) {
    const std::wstring progId = progIdOf(c);
    const std::wstring clsid = text(c.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    return classes.setValue(key, nullptr, progId) &&
           classes.setValue(key + L"\\InprocServer32", nullptr, path) &&
           classes.setValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
           classes.setValue(key + L"\\ProgID", nullptr, progId) &&
           classes.setValue(key + L"\\VERSION", nullptr, L"1.0") &&
           classes.setValue(key + L"\\TypeLib", nullptr, text(kLibraryId)) &&
           classes.setValue(progId, nullptr, progId) &&
           classes.setValue(progId + L"\\CLSID", nullptr, clsid);
}

void unregisterClass(const ClassesKey& classes, const PublicClass& c) {
    classes.deleteTree(L"CLSID\\" + text(c.clsid));
    classes.deleteTree(progIdOf(c));
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
    std::wstring helpFolder = helpFolderOf(path);
    hr = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), helpFolder.data());
    library->Release();
    if (FAILED(hr))
        return hr;
    for (const PublicClass& c : *classes) {
        if (!registerClass(ClassesKey::machine(), c, path)) {
            unregisterServer();
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT unregisterServer() {
    if (const auto classes = publicClasses()) {
        for (const PublicClass& c : *classes)
            unregisterClass(ClassesKey::machine(), c);
    }
    // A library that is not registered is already what unregistering asks for (Wine's
    // UnRegisterTypeLib refuses it with E_INVALIDARG).
    const std::wstring version =
        std::to_wstring(kLibraryMajor) + L"." + std::to_wstring(kLibraryMinor);
    if (!ClassesKey::machine().exists(L"TypeLib\\" + text(kLibraryId) + L"\\" + version))
        return S_OK;
    const HRESULT hr =
        UnRegisterTypeLib(kLibraryId, kLibraryMajor, kLibraryMinor, LANG_NEUTRAL, ownSyskind());
    return SUCCEEDED(hr) || hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_CANTLOADLIBRARY ? S_OK : hr;
}

// The type library's keys are written by the component itself: RegisterTypeLib writes under
// HKEY_CLASSES_ROOT, which is the machine's for an administrator and needs one otherwise.
HRESULT registerServerForUser() {
    const ClassesKey user = ClassesKey::currentUser();
    const std::wstring path = modulePath();
    const auto classes = publicClasses();
    if (!classes)
        return SELFREG_E_CLASS;
    ITypeLib* library = nullptr;
    const HRESULT hr = loadComponentLibrary(&library);
    if (FAILED(hr))
        return hr;
    const bool libraryWritten = writeTypeLibraryKeys(user, library, path);
    library->Release();
    if (!libraryWritten) {
        unregisterServerForUser();
        return SELFREG_E_TYPELIB;
    }
    for (const PublicClass& c : *classes) {
        if (!registerClass(user, c, path)) {
            unregisterServerForUser();
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT unregisterServerForUser() {
    const ClassesKey user = ClassesKey::currentUser();
    if (const auto classes = publicClasses()) {
        for (const PublicClass& c : *classes)
            unregisterClass(user, c);
    }
    ITypeLib* library = nullptr;
    const HRESULT hr = loadComponentLibrary(&library);
    if (FAILED(hr))
        return hr;
    deleteTypeLibraryKeys(user, library);
    library->Release();
    return S_OK;
}

}  // namespace k72645::com
