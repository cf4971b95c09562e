#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "player/delivery.h"
#include "player/demo.h"
#include "scenario_test_objects.h"
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

TEST(Demo, PrintsTheTableAndTheTotals) {
    TemporaryFolder scenarios("demo");
    scenarios.write("507-merge-field.scn",
                    "' Expect: pass\nModule.TestePoint\nAssert Module.CauseErreur = \"\"\n");
    scenarios.write("507-field-missing.scn",
                    "' Expect: B\nModule.TestePoint\nAssert Module.CauseErreur = \"B\"\n");
    scenarios.write("module-no-exercise.scn", "Assert 1 = 1\n");
    scenarios.write("notes.txt", "not a scenario");
    std::vector<DemoCase> cases = findDemoCases(scenarios.path);
    ASSERT_EQ(cases.size(), 3u);
    EXPECT_EQ(cases[0].exercise, "507");
    EXPECT_EQ(cases[0].name, "field-missing");
    EXPECT_EQ(cases[2].exercise, "module");
    EXPECT_EQ(cases[2].name, "no-exercise");

    WorldFactory worlds = []() -> std::unique_ptr<ScenarioWorld> {
        return std::make_unique<testing::FakeWorld>();
    };
    std::ostringstream out;
    EXPECT_EQ(runDemo(cases, worlds, DemoOptions{}, out), 1);
    const std::string expected =
        "Exercise  Case           Expected  Got       Result\n"
        "507       field-missing  \"B\"       \"\"        FAIL\n"
        "507       merge-field    \"\"        \"\"        pass\n"
        "module    no-exercise    -         -         pass\n"
        "\n"
        "FAIL  " +
        (scenarios.path / "507-field-missing.scn").string() +
        ":3: Assert Module.CauseErreur = \"B\": Assert failed: left side is \"\", right side "
        "is \"B\"\n"
        "2 passed, 1 failed\n";
    EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace k72645::player
