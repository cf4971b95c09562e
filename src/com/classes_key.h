// Where COM classes are registered: HKEY_CLASSES_ROOT for the whole machine (what regsvr32
// writes), or HKEY_CURRENT_USER\Software\Classes for the current user alone, which COM reads
// first and which needs no administrator.
#pragma once

#include <windows.h>

#include <string>

namespace k72645::com {

class ClassesKey {
public:
    static ClassesKey machine();
    static ClassesKey currentUser();

    // Sets a string value (nullptr name: the key's default value), creating the key.
    bool setValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) const;
    // Deletes a key with everything under it; a missing key is no failure.
    void deleteTree(const std::wstring& key) const;
    bool exists(const std::wstring& key) const;
    // Deletes a key that holds neither subkeys nor values; otherwise leaves it.
    void deleteIfEmpty(const std::wstring& key) const;

private:
    ClassesKey(HKEY root, std::wstring prefix) : root_(root), prefix_(std::move(prefix)) {}

    HKEY root_;
    std::wstring prefix_;  // ends with a backslash, or is empty
};

}  // namespace k72645::com
