#include <gtest/gtest.h>

#include <filesystem>

#include "automation/automation_object.h"
#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_factory.h"
#include "files/file_lists.h"
#include "files/working_files.h"

namespace k72645 {
namespace {

using testing::located;

class WorkingFilesTest : public testing::SimTest {
protected:
    WorkingFilesTest() {
        word = world->startWord();
        std::filesystem::create_directories(templates.native());
    }
    WorkingFilePlaces places(int exercise) {
        return {createExercise(exercise, {platform.files, platform.sleeper, platform.runtime}),
                word,
                folder.path(),
                templates.path(),
                {}};
    }

    DispatchPtr word;
    testing::TempFolder folder;
    testing::TempFolder templates;
    FileSystem& files = *platform.files;
};

TEST_F(WorkingFilesTest, AMissingDeliveryStopsRenommeAfterTheRecordsBeforeIt) {
    testing::deliver(502, folder);
    std::filesystem::remove(folder.native() / "17264502.doc");
    EXPECT_COM_ERROR(Renomme(files, places(502)), errors::kFileNotFound,
                     located(u"Module", u"Renomme", u""));
    EXPECT_TRUE(folder.has("Insertion.doc"));
    EXPECT_TRUE(folder.has("07264502.dot"));  // the record after it was not reached
}

TEST_F(WorkingFilesTest, WithoutAnExerciseNettoyageFailsLocated) {
    WorkingFilePlaces none = places(505);
    none.exercise = nullptr;
    EXPECT_COM_ERROR(Nettoyage(files, none), errors::kObjectNotSet,
                     located(u"Module", u"Nettoyage", u""));
}

// An exercise object that hands out the list it is given.
class ListedExercise : public AutomationObject {
public:
    explicit ListedExercise(std::shared_ptr<FichiersDeTravail> list) {
        property(u"FichiersDeTravail", [list](Arguments&) { return Variant(list); });
    }
};

// Every name of the list is a file of the folder it goes with: one that would reach the folder
// above, or the folder itself, is refused before anything is deleted or moved.
TEST_F(WorkingFilesTest, ANameThatWouldLeaveItsFolderIsRefused) {
    const testing::TempFolder working;
    std::filesystem::create_directories(working.native() / "sub");
    working.write("Victime.doc", "not the exercise's");
    working.write("sub/07264501.doc", "delivered");
    const auto placesFor = [&](std::u16string source, std::u16string dest) {
        auto list = FichiersDeTravail::create();
        list->add(std::move(source), std::move(dest), false);
        return WorkingFilePlaces{std::make_shared<ListedExercise>(list),
                                 word,
                                 working.path() + u"sub/",
                                 templates.path(),
                                 {}};
    };
    for (const std::u16string dest : {u"..\\Victime.doc", u"../Victime.doc", u"..", u""}) {
        const WorkingFilePlaces places = placesFor(u"07264501.doc", dest);
        EXPECT_COM_ERROR(Nettoyage(files, places), 52, located(u"Module", u"Nettoyage", u""));
        EXPECT_COM_ERROR(Renomme(files, places), 52, located(u"Module", u"Renomme", u""));
    }
    EXPECT_COM_ERROR(Renomme(files, placesFor(u"..\\Victime.doc", u"L.doc")), 52);
    EXPECT_TRUE(working.has("Victime.doc"));
    EXPECT_TRUE(working.has("sub/07264501.doc"));
}

// A delivered file that is a link is refused before it is moved: every save of the working file
// would otherwise write to the link's target, outside the folders. A working name left as a link
// is deleted as a link, never through it.
TEST_F(WorkingFilesTest, LinksAreNeverFollowed) {
    const testing::TempFolder outside;
    outside.write("Cible.doc", "the learner's own");
    testing::deliver(506, folder);
    std::filesystem::remove(folder.native() / "07264506.doc");
    std::filesystem::create_symlink(outside.native() / "Cible.doc",
                                    folder.native() / "07264506.doc");
    EXPECT_COM_ERROR(Renomme(files, places(506)), errors::kPathFileAccessError,
                     located(u"Module", u"Renomme", u""));
    EXPECT_FALSE(folder.has("Agence.doc"));

    std::filesystem::create_symlink(outside.native() / "Cible.doc", folder.native() / "Agence.doc");
    Nettoyage(files, places(506));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.native() / "Agence.doc"));
    EXPECT_TRUE(outside.has("Cible.doc"));
}

}  // namespace
}  // namespace k72645
