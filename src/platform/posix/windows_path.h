// Windows path rules on a POSIX file system: "\" and "/" both separate names, and an existing
// file or folder is found whatever the case of each of its names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k72645::posix {

// A path as the engine writes it, split into its names (empty names are dropped, so "a\\b"
// and "a\b\" name the same folder).
struct WindowsPath {
    bool valid = true;  // false when the path holds a character no file name can hold (NUL)
    bool absolute = false;
    std::vector<std::u16string> names;
    bool endsWithSeparator = false;
};

WindowsPath splitWindowsPath(std::u16string_view path);

// The native path of the folder a path starts from: "/" or ".".
std::string nativeRoot(const WindowsPath& path);
std::string joinNative(const std::string& folder, const std::string& name);

// The on-disk name of the entry of `folder` called `name`: the exact name when it exists,
// otherwise the first (in byte order) whose lower-cased name equals the lower-cased `name`.
std::optional<std::string> findEntry(const std::string& folder, const std::u16string& name);

// Where a path leads on disk.
struct ResolvedPath {
    bool folderFound = false;  // every name but the last leads to an existing folder
    std::string folder;        // native path of that folder (when found)
    std::string native;        // the existing entry, or the folder + the last name as given
    bool exists = false;       // the last name was found in the folder
};

// Resolves every name but the last as an existing folder, then looks the last name up.
// A path without names (the root, an empty path) resolves to its root folder when valid.
ResolvedPath resolvePath(std::u16string_view path);

}  // namespace k72645::posix
