// The files under a few folders, each with a signature of its content, size and time, so that
// two snapshots tell which files appeared, went or changed. Sub-folders given as left out are
// not read.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace k72645::simulation {

using FileSnapshot = std::map<std::string, std::string>;  // path -> signature

FileSnapshot snapshotOf(const std::vector<std::filesystem::path>& roots,
                        const std::vector<std::filesystem::path>& leftOut);

// "added X", "removed X", "changed X" for each difference, in path order.
std::vector<std::string> differences(const FileSnapshot& before, const FileSnapshot& after);

}  // namespace k72645::simulation
