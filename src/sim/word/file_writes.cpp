#include "sim/word/file_writes.h"

#include <optional>

namespace k72645::sim {

void writeFileAdvancingTime(FileSystem& files, const std::u16string& path,
                            const std::string& bytes) {
    std::optional<std::int64_t> before;
    if (files.fileExists(path))
        before = files.modificationTime(path);
    files.writeFile(path, bytes);
    if (before && files.modificationTime(path) <= *before)
        files.setModificationTime(path, *before + 1);
}

}  // namespace k72645::sim
