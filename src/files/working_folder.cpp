#include "files/working_folder.h"

#include <vector>

#include "automation/com_error.h"
#include "automation/text.h"

namespace k72645 {

namespace {

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool isDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// NUL, the control characters and the characters that Windows reserves in names.
bool isForbidden(char16_t c) {
    return c < 32 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*';
}

bool holdsOnlyPathCharacters(std::u16string_view path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isForbidden(path[i]))
            return false;
        // A colon only follows the drive letter.
        if (path[i] == u':' && !(i == 1 && isDriveLetter(path[0])))
            return false;
    }
    return true;
}

// "\\.\" and "\\?\" name devices or skip Windows' own path rules.
bool isDevicePath(std::u16string_view path) {
    return path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) &&
           (path[2] == u'.' || path[2] == u'?') && isSeparator(path[3]);
}

// The names of a path, without the drive; empty names (doubled separators) are dropped.
std::vector<std::u16string_view> namesOf(std::u16string_view path) {
    if (path.size() >= 2 && path[1] == u':')
        path.remove_prefix(2);
    std::vector<std::u16string_view> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || isSeparator(path[i])) {
            if (i > start)
                names.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

// Windows drops a name's trailing dots and spaces, and resolves "." and "..": such a path
// names another folder than the one it spells.
bool isStableName(std::u16string_view name) {
    return name != u"." && name != u".." && name.back() != u'.' && name.back() != u' ';
}

// The form every folder the component uses must have before it is looked up on disk.
void checkFolderForm(FileSystem& files, const std::u16string& folder) {
    if (folder.empty() || !holdsOnlyPathCharacters(folder) || isDevicePath(folder) ||
        !files.isAbsolute(folder))
        throw errors::runtime(errors::kBadFileName);
    for (std::u16string_view name : namesOf(folder)) {
        if (!isStableName(name))
            throw errors::runtime(errors::kBadFileName);
    }
}

std::u16string lowerWithBackslashes(std::u16string_view view) {
    std::u16string path(view);
    for (char16_t& c : path) {
        if (c == u'/')
            c = u'\\';
    }
    return lcase(path);
}

// Both folders end with a separator: one holds the other when its name starts the other's.
bool holds(const std::u16string& outer, const std::u16string& inner) {
    return lowerWithBackslashes(inner).rfind(lowerWithBackslashes(outer), 0) == 0;
}

}  // namespace

std::u16string checkedWorkingFolder(FileSystem& files, const std::u16string& folder) {
    checkFolderForm(files, folder);
    if (!files.folderExists(folder))
        throw errors::runtime(errors::kPathNotFound);
    return files.canonicalFolder(folder);
}

std::u16string checkedTemplateFolder(FileSystem& files, const std::u16string& templatesFolder,
                                     std::u16string_view subfolder,
                                     const std::u16string& workingFolder) {
    checkFolderForm(files, templatesFolder);
    // The nearest existing folder is made canonical; the names below it are still to be
    // created, and are kept as they are spelled.
    std::vector<std::u16string> missing;
    std::u16string existing = templatesFolder;
    while (!files.folderExists(existing)) {
        const std::vector<std::u16string_view> names = namesOf(existing);
        if (names.empty())
            throw errors::runtime(errors::kPathNotFound);
        const auto cut = static_cast<std::size_t>(names.back().data() - existing.data());
        missing.emplace_back(names.back());
        existing.resize(cut);
    }
    std::u16string folder = files.canonicalFolder(existing);
    const char16_t separator = folder.back();
    for (auto name = missing.rbegin(); name != missing.rend(); ++name)
        folder.append(*name).push_back(separator);
    folder.append(subfolder).push_back(separator);
    if (files.isLink(folder.substr(0, folder.size() - 1)))
        throw errors::runtime(errors::kPathFileAccessError);
    if (holds(folder, workingFolder) || holds(workingFolder, folder))
        throw errors::runtime(errors::kPathFileAccessError);
    return folder;
}

bool sameFullName(std::u16string_view a, std::u16string_view b) {
    return lowerWithBackslashes(a) == lowerWithBackslashes(b);
}

bool isPlainFileName(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u"..")
        return false;
    for (char16_t c : name) {
        if (isSeparator(c) || c == u':' || isForbidden(c))
            return false;
    }
    return true;
}

}  // namespace k72645
