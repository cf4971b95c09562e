// The working folder the player passes to InitQuestion, checked before any file is touched: every
// full name the component builds is this folder followed by an exercise's working or delivered
// name, so a folder that is not a plain, existing, absolute folder would reach other files.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace k72645 {

// The folder in its canonical form (see FileSystem::canonicalFolder), ending with a separator.
// Raises 52 "Bad file name or number" when it is empty, relative, a device path (\\.\, \\?\),
// holds a character no Windows path can hold (NUL and the other control characters,
// < > " | ? *, a colon other than a drive's) or a name that Windows would change or resolve
// ("." and "..", a name ending with a dot or a space); 76 "Path not found" when no such folder
// exists; 75 "Path/File access error" when the folder is a link or a junction.
std::u16string checkedWorkingFolder(FileSystem& files, const std::u16string& folder);

// The exercise's template folder: the folder `templatesFolder` (Word's user templates folder, as
// Word reports it) followed by `subfolder`, in canonical form and ending with a separator. The
// user templates folder is checked as the working folder is, except that it need not exist yet
// (its missing folders are created later). Raises 75 when the template folder is a link or a
// junction, or when it is the working folder, lies inside it or holds it: the clean-up of one
// would then reach the files of the other.
std::u16string checkedTemplateFolder(FileSystem& files, const std::u16string& templatesFolder,
                                     std::u16string_view subfolder,
                                     const std::u16string& workingFolder);

// True when two full names name the same place as Windows reads them: letter case and the
// kind of separator do not matter.
bool sameFullName(std::u16string_view a, std::u16string_view b);

// True for a name that stays inside the folder it is appended to: not empty, not "." or "..",
// without separators and without characters a file name cannot hold.
bool isPlainFileName(std::u16string_view name);

}  // namespace k72645
