#include "com/classes_key.h"

namespace k72645::com {

ClassesKey ClassesKey::machine() {
    return ClassesKey(HKEY_CLASSES_ROOT, L"");
}

ClassesKey ClassesKey::currentUser() {
    return ClassesKey(HKEY_CURRENT_USER, L"Software\\Classes\\");
}

bool ClassesKey::setValue(const std::wstring& key, const wchar_t* name,
                          const std::wstring& value) const {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root_, (prefix_ + key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

void ClassesKey::deleteTree(const std::wstring& key) const {
    const std::wstring full = prefix_ + key;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root_, full.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
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
    RegDeleteKeyW(root_, full.c_str());
}

bool ClassesKey::exists(const std::wstring& key) const {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root_, (prefix_ + key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

void ClassesKey::deleteIfEmpty(const std::wstring& key) const {
    const std::wstring full = prefix_ + key;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root_, full.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    DWORD subkeys = 0;
    DWORD values = 0;
    const LONG result = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                         nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(handle);
    if (result == ERROR_SUCCESS && subkeys == 0 && values == 0)
        RegDeleteKeyW(root_, full.c_str());
}

}  // namespace k72645::com
