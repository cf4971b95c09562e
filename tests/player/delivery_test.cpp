#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "automation/text.h"
#include "player/delivery.h"
#include "support/com_error_expect.h"

namespace k72645::player {
namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& name)
        : path(fs::temp_directory_path() / ("k72645-player-test-" + name)) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TemporaryFolder() { fs::remove_all(path); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
    }
    fs::path path;
};

TEST(Delivery, RefusesWhatItCannotDeliverAndRemovesWhatItDelivered) {
    TemporaryFolder course("course");
    course.write("07264506.doc", "letter");
    fs::path delivered;
    {
        Delivery delivery(course.path);
        EXPECT_COM_ERROR(delivery.deliver(500), 5);
        delivered = toUtf8(delivery.deliver(506));
        EXPECT_TRUE(fs::exists(delivered / "07264506.doc"));
    }
    EXPECT_FALSE(fs::exists(delivered.parent_path()));  // the run's temporary root goes too
    Delivery missing(course.path / "nowhere");
    EXPECT_COM_ERROR(missing.deliver(506), 76);
}

}  // namespace
}  // namespace k72645::player
