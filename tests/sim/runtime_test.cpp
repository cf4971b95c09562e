// Starting, attaching and quitting simulated Words through the application runtime.
#include "platform/posix/posix_file_system.h"
#include "sim_test_support.h"

namespace k72645::sim::testing {
namespace {

TEST(SimRuntimeTest, TheRunningObjectIsTheLastWordStillRunning) {
    auto world = SimWorld::create();
    auto runtime = world->platform().runtime;
    EXPECT_EQ(errorOf([&] { runtime->GetRunningObject(u"Word.application.11"); }), 429);
    auto first = runtime->CreateObject(u"WORD.APPLICATION.11");
    auto second = runtime->CreateObject(u"Word.application.11");
    EXPECT_EQ(world->wordCount(), 2);
    EXPECT_TRUE(sameObject(runtime->GetRunningObject(u"Word.application.11"), second));
    call(second, u"Quit");
    EXPECT_TRUE(sameObject(runtime->GetRunningObject(u"Word.application.11"), first));
    EXPECT_EQ(errorOf([&] { runtime->CreateObject(u"Excel.Application"); }), 429);

    world->setWordInstalled(false);
    EXPECT_EQ(errorOf([&] { runtime->CreateObject(u"Word.application.11"); }), 429);
}

TEST(SimRuntimeTest, QuitMakesEveryObjectOfThatWordRaise462) {
    auto world = SimWorld::create();
    auto app = world->startWord();
    auto documents = object(get(app, u"Documents"));
    auto document = object(call(documents, u"Add"));
    auto range = object(get(document, u"Content"));
    auto bars = object(get(app, u"CommandBars"));
    call(app, u"Quit", {std::int32_t{0}});
    for (const auto& earlier : {app, documents, document, range, bars})
        EXPECT_EQ(errorOf([&] { get(earlier, u"Count"); }), 462);
    EXPECT_EQ(errorOf([&] { get(range, u"Text"); }), 462);
}

TEST(SimRuntimeTest, WordGlobalAnswersForTheRunningWord) {
    auto world = SimWorld::create();
    auto runtime = world->platform().runtime;
    auto global = runtime->CreateObject(u"Word.Global");
    EXPECT_EQ(errorOf([&] { get(global, u"Documents"); }), 429);
    auto app = runtime->CreateObject(u"Word.application.11");
    call(object(get(app, u"Documents")), u"Add");
    EXPECT_EQ(text(get(object(get(global, u"ActiveDocument")), u"Name")), u"Document1");
    EXPECT_TRUE(sameObject(object(get(global, u"Application")), app));
}

TEST(SimRuntimeTest, SimRootAndWorldsAreIndependent) {
    auto one = SimWorld::create();
    auto two = SimWorld::create();
    EXPECT_NE(one->userFolder(), two->userFolder());
    auto root = one->simRoot();
    EXPECT_TRUE(get(root, u"RunningWord").isNothing());
    one->startWord();
    EXPECT_EQ(number(get(root, u"WordCount")), 1);
    EXPECT_EQ(two->wordCount(), 0);
    put(root, u"Edition", u"EN");
    EXPECT_EQ(text(get(root, u"Edition")), u"en");
    EXPECT_EQ(errorOf([&] { put(root, u"Edition", u"de"); }), 5);
    put(root, u"WordInstalled", false);
    EXPECT_FALSE(one->wordInstalled());
    one->quitAll();
    EXPECT_EQ(number(get(root, u"WordCount")), 0);
}

TEST(SimRuntimeTest, TemporaryUserFolderGoesWithTheWorldAndPortsKeepItAlive) {
    std::u16string folder;
    std::shared_ptr<FileSystem> files;
    {
        auto platform = makeDefaultPlatform();
        auto app = platform.runtime->CreateObject(u"Word.application.11");
        folder = text(get(object(get(app, u"Options")), u"DefaultFilePath", {std::int32_t{0}}));
        files = platform.files;
    }
    EXPECT_TRUE(files->folderExists(folder));  // the file port alone keeps the world
    files.reset();
    PosixFileSystem check;
    EXPECT_FALSE(check.folderExists(folder));
}

}  // namespace
}  // namespace k72645::sim::testing
