#include "player/delivery.h"

#include <cstdlib>
#include <system_error>

#include "automation/com_error.h"
#include "automation/text.h"
#include "exercises/exercise_catalog.h"
#include "player/exercise_listing.h"

namespace k72645::player {

namespace fs = std::filesystem;

bool isDeliveredFileOf(const std::string& fileName, std::int32_t exercise) {
    const std::string code = "7264" + std::to_string(exercise);
    return fileName.size() >= 2 + code.size() && fileName.compare(1, code.size(), code) == 0 &&
           fileName[1 + code.size()] == '.';
}

Delivery::Delivery(fs::path courseFolder) : course_(std::move(courseFolder)) {}

Delivery::~Delivery() {
    removeFolders();
    if (!root_.empty()) {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
}

const fs::path& Delivery::root() {
    if (root_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "k72645-run-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw ComError(errors::kPathFileAccessError, u"Deliver",
                           u"Cannot create the temporary folder " + fromUtf8(pattern));
        }
        root_ = pattern;
    }
    return root_;
}

std::u16string Delivery::deliver(std::int32_t exercise) {
    if (!findExercise(exercise)) {
        throw ComError(errors::kInvalidCall, u"Deliver",
                       u"No exercise " + fromUtf8(std::to_string(exercise)) + u" in the chapter (" +
                           fromUtf8(exerciseRange()) + u")");
    }
    std::error_code ec;
    if (!fs::is_directory(course_, ec)) {
        throw ComError(errors::kPathNotFound, u"Deliver",
                       u"Course folder not found: " + fromUtf8(course_.string()));
    }
    fs::path folder = root() / (std::to_string(exercise) + "-" + std::to_string(next_++));
    fs::create_directories(folder, ec);
    if (ec) {
        throw ComError(errors::kPathFileAccessError, u"Deliver",
                       u"Cannot create " + fromUtf8(folder.string()));
    }
    folders_.push_back(folder);
    for (const auto& entry : fs::directory_iterator(course_, ec)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || !isDeliveredFileOf(name, exercise))
            continue;
        fs::copy_file(entry.path(), folder / name, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            throw ComError(errors::kPathFileAccessError, u"Deliver",
                           u"Cannot copy " + fromUtf8(name) + u": " + fromUtf8(ec.message()));
        }
    }
    return fromUtf8((folder / "").string());
}

void Delivery::removeFolders() {
    for (const auto& folder : folders_) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    folders_.clear();
}

}  // namespace k72645::player
