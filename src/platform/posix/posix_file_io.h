// The POSIX calls behind the file-system port, with their failures turned into VB's errors.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace k72645::posix {

// Raises VB's error `number` ("File not found", "Permission denied"...).
[[noreturn]] void raise(std::int32_t number);

// VB's error for a failed system call: `missing` when an entry was not there, 70 when access
// was refused, 75 otherwise.
std::int32_t errorFor(int systemError, std::int32_t missing);

// Windows' read-only attribute is the owner's write permission.
inline bool readOnlyMode(mode_t mode) {
    return (mode & S_IWUSR) == 0;
}

// Writes a whole file through a fresh file beside the target, then renames it over the target,
// so a failed write never leaves the target half-written. `mode` is applied when given;
// otherwise a new file gets the process's default permissions.
void replaceFileContents(const std::string& folder, const std::string& target,
                         std::string_view bytes, const mode_t* mode);

// Copies `from` over `to` the same way, keeping the source's permissions and modification time.
void replaceWithCopy(const std::string& folder, const std::string& from, const std::string& to);

// Copies `from` to `to`, which must not exist yet, keeping the source's permissions and
// modification time (a move between file systems). A partial copy is removed on failure.
void copyToNewFile(const std::string& from, const std::string& to);

std::string readWholeFile(const std::string& native);

}  // namespace k72645::posix
