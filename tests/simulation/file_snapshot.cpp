#include "file_snapshot.h"

#include <fstream>
#include <functional>
#include <sstream>

namespace k72645::simulation {

namespace {

bool isUnder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const std::string p = path.lexically_normal().string();
    const std::string f = folder.lexically_normal().string();
    return p == f || p.rfind(f + "/", 0) == 0;
}

std::string signatureOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(file, ec);
    return std::to_string(bytes.str().size()) + ":" +
           std::to_string(std::hash<std::string>{}(bytes.str())) + ":" +
           std::to_string(time.time_since_epoch().count());
}

}  // namespace

FileSnapshot snapshotOf(const std::vector<std::filesystem::path>& roots,
                        const std::vector<std::filesystem::path>& leftOut) {
    FileSnapshot snapshot;
    for (const auto& root : roots) {
        std::error_code ec;
        auto it = std::filesystem::recursive_directory_iterator(root, ec);
        for (; !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            const auto& path = it->path();
            bool skipped = false;
            for (const auto& folder : leftOut)
                skipped = skipped || isUnder(path, folder);
            if (skipped) {
                if (it->is_directory(ec))
                    it.disable_recursion_pending();
                continue;
            }
            if (it->is_directory(ec))
                snapshot[path.string() + "/"] = "folder";
            else
                snapshot[path.string()] = signatureOf(path);
        }
    }
    return snapshot;
}

std::vector<std::string> differences(const FileSnapshot& before, const FileSnapshot& after) {
    std::vector<std::string> found;
    for (const auto& [path, signature] : before) {
        const auto now = after.find(path);
        if (now == after.end())
            found.push_back("removed " + path);
        else if (now->second != signature)
            found.push_back("changed " + path);
    }
    for (const auto& [path, signature] : after) {
        if (!before.count(path))
            found.push_back("added " + path);
    }
    return found;
}

}  // namespace k72645::simulation
