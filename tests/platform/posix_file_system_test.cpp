#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/com_error.h"
#include "automation/text.h"
#include "support/com_error_expect.h"

namespace k72645 {
namespace {

namespace fs = std::filesystem;

// Each test works in a fresh temporary folder, named in the engine's style with backslashes.
class PosixFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "k72645-fs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }

    // The engine's path of a name in the temporary folder: "<root>\" + name.
    std::u16string path(std::u16string_view name) const {
        return fromUtf8(root_.string()) + u"\\" + std::u16string(name);
    }
    fs::path native(const char* utf8Name) const { return root_ / utf8Name; }
    void create(const char* utf8Name, const std::string& bytes = "content") const {
        fs::create_directories((root_ / utf8Name).parent_path());
        std::ofstream(root_ / utf8Name, std::ios::binary) << bytes;
    }
    std::string contents(const char* utf8Name) const {
        std::ifstream in(root_ / utf8Name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    mode_t modeOf(const char* utf8Name) const {
        struct stat info {};
        EXPECT_EQ(::stat(native(utf8Name).c_str(), &info), 0);
        return info.st_mode;
    }

    fs::path root_;
    PosixFileSystem files_;
};

TEST_F(PosixFileSystemTest, ReadOnlyFilesAreProtectedUntilMadeNormal) {
    create("07264501.dot", "template");
    files_.setReadOnly(path(u"07264501.dot"), true);
    EXPECT_TRUE(files_.isReadOnly(path(u"07264501.DOT")));
    EXPECT_EQ(modeOf("07264501.dot") & 0222, 0u);
    // Refused even though the folder is writable (and even for root).
    EXPECT_COM_ERROR(files_.deleteFile(path(u"07264501.dot")), 70);
    EXPECT_COM_ERROR(files_.writeFile(path(u"07264501.dot"), "x"), 70);
    EXPECT_COM_ERROR(files_.copyFile(path(u"07264501.dot"), path(u"07264501.dot")), 70);
    EXPECT_EQ(contents("07264501.dot"), "template");

    files_.moveFile(path(u"07264501.dot"), path(u"Lettre ORB.dot"));
    EXPECT_TRUE(files_.isReadOnly(path(u"Lettre ORB.dot")));
    files_.setNormalAttributes(path(u"lettre orb.dot"));
    EXPECT_FALSE(files_.isReadOnly(path(u"Lettre ORB.dot")));
    EXPECT_NE(modeOf("Lettre ORB.dot") & S_IWUSR, 0u);
    files_.deleteFile(path(u"Lettre ORB.dot"));
    EXPECT_FALSE(fs::exists(native("Lettre ORB.dot")));
}

// A folder has one form for comparisons: the names as the disk spells them, links on the way
// resolved, one separator between names. A link itself is not taken for a folder.
TEST_F(PosixFileSystemTest, FoldersAreMadeCanonicalAndLinksAreTold) {
    fs::create_directories(native("Travail/Sous"));
    create("Travail/Agence.doc");
    fs::create_directory_symlink(native("Travail"), native("Lien"));
    fs::create_symlink(native("Travail/Agence.doc"), native("Travail/Lien.doc"));
    const std::u16string canonical = fromUtf8(fs::canonical(root_).string()) + u"/Travail/";

    EXPECT_EQ(files_.canonicalFolder(path(u"travail\\\\")), canonical);
    EXPECT_EQ(files_.canonicalFolder(path(u"Lien\\SOUS")), canonical + u"Sous/");
    EXPECT_COM_ERROR(files_.canonicalFolder(path(u"Lien")), 75);
    EXPECT_COM_ERROR(files_.canonicalFolder(path(u"Absent")), 76);
    EXPECT_COM_ERROR(files_.canonicalFolder(path(u"Travail\\Agence.doc")), 76);

    EXPECT_TRUE(files_.isLink(path(u"lien")));
    EXPECT_TRUE(files_.isLink(path(u"Travail\\Lien.doc")));
    EXPECT_FALSE(files_.isLink(path(u"Travail")));
    EXPECT_FALSE(files_.isLink(path(u"Travail\\Agence.doc")));
    EXPECT_FALSE(files_.isLink(path(u"Absent")));
}

TEST_F(PosixFileSystemTest, MoveNeverReplacesAnotherFile) {
    create("07264502.doc", "delivered");
    create("Agence.doc", "old");
    EXPECT_COM_ERROR(files_.moveFile(path(u"07264502.doc"), path(u"Agence.doc")), 58);
    EXPECT_COM_ERROR(files_.moveFile(path(u"07264502.doc"), path(u"AGENCE.DOC")), 58);
    EXPECT_EQ(contents("07264502.doc"), "delivered");
    EXPECT_EQ(contents("Agence.doc"), "old");

    fs::create_directory(native("Sub"));
    EXPECT_COM_ERROR(files_.moveFile(path(u"07264502.doc"), path(u"sub")), 58);

    // A change of case of the file's own name is a rename.
    files_.moveFile(path(u"agence.doc"), path(u"AGENCE.doc"));
    EXPECT_EQ(contents("AGENCE.doc"), "old");
    EXPECT_FALSE(fs::exists(native("Agence.doc")));
    files_.moveFile(path(u"AGENCE.doc"), path(u"AGENCE.doc"));
    EXPECT_EQ(contents("AGENCE.doc"), "old");
}

TEST_F(PosixFileSystemTest, MissingSourcesAndFoldersRaiseVbErrors) {
    create("here.doc");
    EXPECT_COM_ERROR(files_.moveFile(path(u"gone.doc"), path(u"x.doc")), 53);
    EXPECT_COM_ERROR(files_.moveFile(path(u"here.doc"), path(u"No Folder\\x.doc")), 76);
    EXPECT_COM_ERROR(files_.copyFile(path(u"gone.doc"), path(u"x.doc")), 53);
    EXPECT_COM_ERROR(files_.copyFile(path(u"here.doc"), path(u"No Folder\\x.doc")), 76);
    EXPECT_COM_ERROR(files_.writeFile(path(u"No Folder\\x.doc"), "x"), 76);
    EXPECT_COM_ERROR(files_.deleteFile(path(u"gone.doc")), 53);
    EXPECT_COM_ERROR(files_.readFile(path(u"gone.doc")), 53);
    EXPECT_COM_ERROR(files_.setNormalAttributes(path(u"gone.doc")), 53);
    EXPECT_COM_ERROR(files_.modificationTime(path(u"gone.doc")), 53);
    EXPECT_TRUE(fs::exists(native("here.doc")));
}

TEST_F(PosixFileSystemTest, EmptyFolderNameNeverMeansTheCurrentFolder) {
    create("sentinel.txt");
    const fs::path previous = fs::current_path();
    fs::current_path(root_);
    EXPECT_COM_ERROR(files_.removeFolder(u""), 76);
    EXPECT_COM_ERROR(files_.canonicalFolder(u""), 76);
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(native("sentinel.txt")));
}

TEST_F(PosixFileSystemTest, MovesAcrossFileSystemsKeepingContentModeAndTime) {
    struct stat tmpInfo {};
    struct stat shmInfo {};
    if (::stat("/dev/shm", &shmInfo) != 0 || ::stat(root_.c_str(), &tmpInfo) != 0 ||
        tmpInfo.st_dev == shmInfo.st_dev)
        GTEST_SKIP() << "needs /dev/shm on another file system";
    std::string pattern = "/dev/shm/k72645-fs-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path other = pattern;
    std::ofstream(other / "07264501.dot", std::ios::binary) << "from elsewhere";
    PosixFileSystem files;
    const std::u16string source = fromUtf8(pattern) + u"\\07264501.DOT";
    files.setModificationTime(source, 1'200'000'009);
    files.setReadOnly(source, true);

    create("Taken.dot", "kept");
    EXPECT_COM_ERROR(files.moveFile(source, path(u"taken.dot")), 58);
    files.moveFile(source, path(u"ORB.dot"));
    EXPECT_FALSE(fs::exists(other / "07264501.dot"));
    EXPECT_EQ(contents("ORB.dot"), "from elsewhere");
    EXPECT_EQ(files.modificationTime(path(u"ORB.dot")), 1'200'000'009);
    EXPECT_TRUE(files.isReadOnly(path(u"ORB.dot")));
    fs::remove_all(other);
}

}  // namespace
}  // namespace k72645
