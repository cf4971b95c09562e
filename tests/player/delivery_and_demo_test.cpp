#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/text.h"
#include "player/delivery.h"
#include "player/demo.h"
#include "scenario_test_objects.h"

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

TEST(Delivery, CopiesTheExercisesFilesIntoAFreshFolderAndRemovesIt) {
    TemporaryFolder course("course");
    for (const char* name : {"07264506.doc", "07264506.mdb", "17264502.doc", "07264502.dot",
                             "07264506", "072645060.doc", "x7264506.txt", "notes.txt"}) {
        course.write(name, name);
    }
    fs::path first;
    {
        Delivery delivery(course.path);
        const std::string folder = toUtf8(delivery.deliver(506));
        ASSERT_EQ(folder.back(), '/');
        first = folder;
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(first)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names,
                  (std::vector<std::string>{"07264506.doc", "07264506.mdb", "x7264506.txt"}));
        // Each delivery is a fresh folder; 517 delivers nothing.
        const fs::path second = toUtf8(delivery.deliver(506));
        EXPECT_NE(second, first);
        const fs::path empty = toUtf8(delivery.deliver(517));
        EXPECT_TRUE(fs::is_empty(empty));
        const fs::path letter = toUtf8(delivery.deliver(502));
        EXPECT_TRUE(fs::exists(letter / "17264502.doc"));
        EXPECT_TRUE(fs::exists(letter / "07264502.dot"));

        try {
            delivery.deliver(500);
            ADD_FAILURE();
        } catch (const ComError& e) {
            EXPECT_EQ(e.number(), 5);
        }
        delivery.removeFolders();
        EXPECT_FALSE(fs::exists(first));
        EXPECT_FALSE(fs::exists(second));
        first = toUtf8(delivery.deliver(506));
        EXPECT_TRUE(fs::exists(first));
    }
    // The run's temporary root goes with the delivery.
    EXPECT_FALSE(fs::exists(first.parent_path()));

    Delivery missing(course.path / "nowhere");
    try {
        missing.deliver(506);
        ADD_FAILURE();
    } catch (const ComError& e) {
        EXPECT_EQ(e.number(), 76);
    }
}

TEST(Demo, ReadsTheExpectedVerdictFromTheHeader) {
    EXPECT_EQ(expectedVerdict("' Expect: A\nx = 1"), "A");
    EXPECT_EQ(expectedVerdict("\n'  a title\n'expect:   \"%AL\"  \r\nx = 1"), "%AL");
    EXPECT_EQ(expectedVerdict("' Expect: pass\n"), "");
    EXPECT_EQ(expectedVerdict("' Expect: \"\"\n"), "");
    EXPECT_EQ(expectedVerdict("x = 1\n' Expect: A\n"), std::nullopt);
    EXPECT_EQ(expectedVerdict("' nothing said\n"), std::nullopt);
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
