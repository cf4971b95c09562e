// The keys that register a type library, written under a classes key as RegisterTypeLib writes
// them under HKEY_CLASSES_ROOT, so that a registration for the current user alone is complete:
// TypeLib\{library}\<major>.<minor> (the library's description, FLAGS, HELPDIR, and the file for
// this bitness under 0\win32 or 0\win64) and, for each of its automation interfaces,
// Interface\{iid} (its name, marshalled by the automation marshaler from the library).
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

#include "com/classes_key.h"

namespace k72645::com {

// The library's help folder as it is registered: the folder of its file, with its backslash.
std::wstring helpFolderOf(const std::wstring& path);

bool writeTypeLibraryKeys(const ClassesKey& classes, ITypeLib* library, const std::wstring& path);
// Removes this bitness's file entry; the library's other keys and its interfaces go with the
// last bitness registered.
void deleteTypeLibraryKeys(const ClassesKey& classes, ITypeLib* library);

}  // namespace k72645::com
