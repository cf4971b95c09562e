#include "files/working_folder.h"

#include "automation/com_error.h"

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

}  // namespace

std::u16string checkedWorkingFolder(FileSystem& files, const std::u16string& folder) {
    if (folder.empty() || !holdsOnlyPathCharacters(folder) || !files.isAbsolute(folder))
        throw errors::runtime(errors::kBadFileName);
    if (!files.folderExists(folder))
        throw errors::runtime(errors::kPathNotFound);
    if (isSeparator(folder.back()))
        return folder;
    // The separator the folder's name already uses.
    const std::size_t last = folder.find_last_of(u"\\/");
    return folder + (last == std::u16string::npos ? u'\\' : folder[last]);
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
