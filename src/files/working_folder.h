// The working folder the player passes to InitQuestion, checked before any file is touched: every
// full name the component builds is this folder followed by an exercise's working or delivered
// name, so a folder that is not a plain, existing, absolute folder would reach other files.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace k72645 {

// The folder, ending with a separator (the one its name uses is added when it has none). Raises 52
// "Bad file name or number" when it is empty, relative, or holds a character no Windows path can
// hold (NUL and the other control characters, < > " | ? *, a colon other than a drive's), and 76
// "Path not found" when no such folder exists.
std::u16string checkedWorkingFolder(FileSystem& files, const std::u16string& folder);

// True for a name that stays inside the folder it is appended to: not empty, not "." or "..",
// without separators and without characters a file name cannot hold.
bool isPlainFileName(std::u16string_view name);

}  // namespace k72645
