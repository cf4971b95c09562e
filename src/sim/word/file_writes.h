// Writing a file so that the change is visible to a comparison of modification times made to
// the second: the new time is at least one second after the time the file had.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace k72645::sim {

void writeFileAdvancingTime(FileSystem& files, const std::u16string& path,
                            const std::string& bytes);

}  // namespace k72645::sim
