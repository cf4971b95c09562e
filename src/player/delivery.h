// Delivers an exercise's files as the e-learning player does: a fresh working folder holding
// every file of the course folder named "?7264NNN.*" for exercise NNN. Folders live under one
// temporary root per run; the root and everything in it go when the Delivery is destroyed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace k72645::player {

class Delivery {
public:
    explicit Delivery(std::filesystem::path courseFolder);
    ~Delivery();
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

    // The working folder, ending with its separator. Raises ComError 5 for a number outside
    // the chapter, 76 when the course folder is missing, 75 when a copy fails.
    std::u16string deliver(std::int32_t exercise);
    // Removes the working folders delivered so far (what the runner does after a scenario).
    void removeFolders();

    const std::filesystem::path& courseFolder() const { return course_; }

private:
    const std::filesystem::path& root();

    std::filesystem::path course_;
    std::filesystem::path root_;
    std::vector<std::filesystem::path> folders_;
    int next_ = 1;
};

// Whether a file name is one of the delivered files of an exercise ("?7264NNN.*").
bool isDeliveredFileOf(const std::string& fileName, std::int32_t exercise);

}  // namespace k72645::player
