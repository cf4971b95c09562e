#include "platform/posix/windows_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "automation/text.h"

namespace k72645::posix {

namespace {

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool entryExists(const std::string& native) {
    struct stat info {};
    return ::lstat(native.c_str(), &info) == 0;
}

bool isFolder(const std::string& native) {
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

WindowsPath splitWindowsPath(std::u16string_view path) {
    WindowsPath result;
    if (path.find(u'\0') != std::u16string_view::npos) {
        result.valid = false;
        return result;
    }
    result.absolute = !path.empty() && isSeparator(path.front());
    result.endsWithSeparator = !path.empty() && isSeparator(path.back());
    std::u16string name;
    for (char16_t c : path) {
        if (!isSeparator(c)) {
            name += c;
        } else if (!name.empty()) {
            result.names.push_back(std::move(name));
            name.clear();
        }
    }
    if (!name.empty())
        result.names.push_back(std::move(name));
    return result;
}

std::string nativeRoot(const WindowsPath& path) {
    return path.absolute ? "/" : ".";
}

std::string joinNative(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::optional<std::string> findEntry(const std::string& folder, const std::u16string& name) {
    const std::string exact = toUtf8(name);
    if (entryExists(joinNative(folder, exact)))
        return exact;

    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return std::nullopt;
    const std::u16string wanted = lcase(name);
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (candidate == "." || candidate == "..")
            continue;
        if (lcase(fromUtf8(candidate)) != wanted)
            continue;
        if (!found || candidate < *found)
            found = candidate;
    }
    return found;
}

ResolvedPath resolvePath(std::u16string_view path) {
    ResolvedPath result;
    const WindowsPath split = splitWindowsPath(path);
    if (!split.valid || (split.names.empty() && !split.absolute))
        return result;

    std::string current = nativeRoot(split);
    if (split.names.empty()) {
        result.folderFound = true;
        result.folder = current;
        result.native = current;
        result.exists = true;
        return result;
    }
    for (std::size_t i = 0; i + 1 < split.names.size(); ++i) {
        const auto entry = findEntry(current, split.names[i]);
        if (!entry)
            return result;
        current = joinNative(current, *entry);
        if (!isFolder(current))
            return result;
    }
    result.folderFound = true;
    result.folder = current;
    const auto last = findEntry(current, split.names.back());
    result.exists = last.has_value();
    result.native = joinNative(current, last ? *last : toUtf8(split.names.back()));
    return result;
}

}  // namespace k72645::posix
