#include "com/type_library_keys.h"

#include <objbase.h>
#include <oleauto.h>

#include <vector>

namespace k72645::com {

namespace {
// The automation marshalers: PSOAInterface for dual and automation-compatible interfaces,
// PSDispatch for pure dispatch interfaces.
constexpr wchar_t kAutomationMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kDispatchMarshaler[] = L"{00020420-0000-0000-C000-000000000046}";

std::wstring text(const GUID& guid) {
    wchar_t buffer[40] = {};
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

std::wstring takeString(BSTR value) {
    std::wstring result = value ? value : L"";
    SysFreeString(value);
    return result;
}

struct LibraryIdentity {
    std::wstring key;      // TypeLib\{id}\major.minor
    std::wstring id;       // {id}
    std::wstring version;  // major.minor
};

bool identityOf(ITypeLib* library, LibraryIdentity& identity) {
    TLIBATTR* attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes)))
        return false;
    identity.id = text(attributes->guid);
    identity.version = std::to_wstring(attributes->wMajorVerNum) + L"." +
                       std::to_wstring(attributes->wMinorVerNum);
    library->ReleaseTLibAttr(attributes);
    identity.key = L"TypeLib\\" + identity.id + L"\\" + identity.version;
    return true;
}

struct AutomationInterface {
    std::wstring iid;
    std::wstring name;
    const wchar_t* marshaler;
};

std::vector<AutomationInterface> automationInterfaces(ITypeLib* library) {
    std::vector<AutomationInterface> found;
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ITypeInfo* info = nullptr;
        if (FAILED(library->GetTypeInfo(i, &info)))
            continue;
        TYPEATTR* attributes = nullptr;
        if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
            const bool dual = (attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0;
            const bool automation = (attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) != 0;
            const bool dispatch = attributes->typekind == TKIND_DISPATCH;
            if (dispatch || (attributes->typekind == TKIND_INTERFACE && automation)) {
                BSTR name = nullptr;
                library->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
                found.push_back({text(attributes->guid), takeString(name),
                                 dispatch && !dual ? kDispatchMarshaler : kAutomationMarshaler});
            }
            info->ReleaseTypeAttr(attributes);
        }
        info->Release();
    }
    return found;
}

const wchar_t* ownPlatform() {
    return sizeof(void*) == 8 ? L"win64" : L"win32";
}

}  // namespace

std::wstring helpFolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool writeTypeLibraryKeys(const ClassesKey& classes, ITypeLib* library, const std::wstring& path) {
    LibraryIdentity identity;
    if (!identityOf(library, identity))
        return false;
    BSTR name = nullptr;
    BSTR description = nullptr;
    library->GetDocumentation(-1, &name, &description, nullptr, nullptr);
    std::wstring title = takeString(description);
    if (title.empty())
        title = takeString(name);
    else
        SysFreeString(name);
    bool written = classes.setValue(identity.key, nullptr, title) &&
                   classes.setValue(identity.key + L"\\FLAGS", nullptr, L"0") &&
                   classes.setValue(identity.key + L"\\HELPDIR", nullptr, helpFolderOf(path)) &&
                   classes.setValue(identity.key + L"\\0\\" + ownPlatform(), nullptr, path);
    for (const AutomationInterface& i : automationInterfaces(library)) {
        const std::wstring key = L"Interface\\" + i.iid;
        written = written && classes.setValue(key, nullptr, i.name) &&
                  classes.setValue(key + L"\\ProxyStubClsid", nullptr, i.marshaler) &&
                  classes.setValue(key + L"\\ProxyStubClsid32", nullptr, i.marshaler) &&
                  classes.setValue(key + L"\\TypeLib", nullptr, identity.id) &&
                  classes.setValue(key + L"\\TypeLib", L"Version", identity.version);
    }
    return written;
}

void deleteTypeLibraryKeys(const ClassesKey& classes, ITypeLib* library) {
    LibraryIdentity identity;
    if (!identityOf(library, identity))
        return;
    classes.deleteTree(identity.key + L"\\0\\" + ownPlatform());
    classes.deleteIfEmpty(identity.key + L"\\0");
    // The other bitness's file is still registered: the shared keys stay for it.
    if (classes.exists(identity.key + L"\\0"))
        return;
    for (const AutomationInterface& i : automationInterfaces(library))
        classes.deleteTree(L"Interface\\" + i.iid);
    classes.deleteTree(identity.key);
    classes.deleteIfEmpty(L"TypeLib\\" + identity.id);
}

}  // namespace k72645::com
