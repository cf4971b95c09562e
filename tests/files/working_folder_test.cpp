// The two folders the component works in are checked and made canonical before anything is
// recorded or touched: a form that Windows would read as another folder is refused, and the
// template folder may never be the working folder, lie inside it or hold it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "automation/text.h"
#include "files/working_folder.h"
#include "platform/posix/posix_file_system.h"
#include "support/com_error_expect.h"

namespace k72645 {
namespace {

namespace fs = std::filesystem;

class WorkingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "k72645-folders-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = fs::canonical(pattern);
        fs::create_directories(root_ / "Travail");
        fs::create_directories(root_ / "Modèles");
    }
    void TearDown() override { fs::remove_all(root_); }
    std::u16string path(std::u16string_view tail) const {
        return fromUtf8(root_.string()) + u"/" + std::u16string(tail);
    }

    fs::path root_;
    PosixFileSystem files_;
};

TEST_F(WorkingFolderTest, AWorkingFolderIsUsedInItsCanonicalFormOrRefused) {
    EXPECT_EQ(checkedWorkingFolder(files_, path(u"travail")), path(u"Travail/"));
    EXPECT_EQ(checkedWorkingFolder(files_, path(u"Travail\\\\")), path(u"Travail/"));
    // Names Windows would drop or resolve: another folder than the one spelled.
    for (const std::u16string name :
         {u"Travail.", u"Travail ", u"Travail\\.", u"Travail\\..", u"Travail\\..\\Travail"})
        EXPECT_COM_ERROR(checkedWorkingFolder(files_, path(name)), 52) << toUtf8(name);
    EXPECT_COM_ERROR(checkedWorkingFolder(files_, u"\\\\.\\C:\\Travail\\"), 52);
    EXPECT_COM_ERROR(checkedWorkingFolder(files_, u"\\\\?\\C:\\Travail\\"), 52);
    fs::create_directory_symlink(root_ / "Travail", root_ / "Lien");
    EXPECT_COM_ERROR(checkedWorkingFolder(files_, path(u"Lien")), 75);
}

TEST_F(WorkingFolderTest, TheTemplateFolderIsCheckedAndKeptApartFromTheWorkingFolder) {
    const std::u16string working = path(u"Travail/");
    // Word's folder may not exist yet: the missing names are kept as spelled.
    EXPECT_EQ(checkedTemplateFolder(files_, path(u"MODÈLES"), u"ORB Modèles", working),
              path(u"Modèles/ORB Modèles/"));
    EXPECT_EQ(checkedTemplateFolder(files_, path(u"Modèles\\Neuf\\"), u"ORB Modèles", working),
              path(u"Modèles/Neuf/ORB Modèles/"));
    for (const std::u16string bad : {u"", u"Modèles", u"C:Modèles"})
        EXPECT_COM_ERROR(checkedTemplateFolder(files_, bad, u"ORB Modèles", working), 52)
            << toUtf8(bad);
    // Inside the working folder, the working folder itself, or around it.
    EXPECT_COM_ERROR(checkedTemplateFolder(files_, path(u"travail"), u"ORB Modèles", working), 75);
    fs::create_directories(root_ / "Travail" / "ORB Modèles");
    EXPECT_COM_ERROR(checkedTemplateFolder(files_, path(u"Travail"), u"ORB Modèles",
                                           path(u"Travail/ORB Modèles/")),
                     75);
    EXPECT_COM_ERROR(checkedTemplateFolder(files_, fromUtf8(root_.parent_path().string()),
                                           root_.filename().u16string(), working),
                     75);
    // The template folder itself a link.
    fs::create_directory_symlink(root_ / "Travail", root_ / "Modèles" / "ORB Modèles");
    EXPECT_COM_ERROR(checkedTemplateFolder(files_, path(u"Modèles"), u"ORB Modèles", working), 75);
}

}  // namespace
}  // namespace k72645
