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
using testing::member;

class WorkingFilesTest : public testing::SimTest {
protected:
    WorkingFilesTest() {
        word = world->startWord();
        std::filesystem::create_directories(templates.native());
    }
    WorkingFilePlaces places(int exercise) {
        return {createExercise(exercise, {platform.files, platform.sleeper, platform.runtime}),
                word, folder.path(), templates.path()};
    }
    Variant documents() { return member(word, u"Documents"); }
    std::int32_t count(const Variant& collection) { return vb::cLng(member(collection, u"Count")); }

    DispatchPtr word;
    testing::TempFolder folder;
    testing::TempFolder templates;
    FileSystem& files = *platform.files;
};

TEST_F(WorkingFilesTest, DeliveredFilesMoveToTheirWorkingNamesAndFolders) {
    testing::deliver(503, folder);
    files.setReadOnly(folder.path() + u"07264503.doc", true);
    Nettoyage(files, places(503));  // nothing to clean yet
    Renomme(files, places(503));
    EXPECT_TRUE(folder.has("Agence.doc"));
    EXPECT_FALSE(folder.has("07264503.doc"));
    EXPECT_FALSE(files.isReadOnly(folder.path() + u"Agence.doc"));
    EXPECT_TRUE(templates.has("Lettre ORB.dot"));
    EXPECT_FALSE(folder.has("07264503.dot"));
}

TEST_F(WorkingFilesTest, AnOpenDocumentOfAnotherCaseIsClosedBeforeItsFileIsDeleted) {
    folder.write("AGENCE.DOC", R"({"k72645": "document", "story": ["ancien"]})");
    call(toObject(documents()), u"Open", {folder.path() + u"AGENCE.DOC"});
    call(toObject(documents()), u"Add");
    Nettoyage(files, places(505));
    EXPECT_EQ(count(documents()), 1);
    EXPECT_FALSE(folder.has("AGENCE.DOC"));
}

TEST_F(WorkingFilesTest, ATemplateHeldAsAnAddInAndAnAttachmentIsReleasedAndDeleted) {
    testing::deliver(503, folder);
    std::filesystem::copy_file(folder.native() / "07264503.dot",
                               templates.native() / "Lettre ORB.dot");
    const std::u16string old = templates.path() + u"Lettre ORB.dot";
    call(toObject(member(word, u"AddIns")), u"Add", {old, true});
    const Variant letter = call(toObject(documents()), u"Open", {folder.path() + u"07264503.doc"});
    put(toObject(letter), u"AttachedTemplate", old);

    Nettoyage(files, places(503));
    EXPECT_EQ(count(member(word, u"AddIns")), 0);
    EXPECT_NE(vb::cStr(member(member(letter, u"AttachedTemplate"), u"Name")), u"Lettre ORB.dot");
    EXPECT_FALSE(templates.has("Lettre ORB.dot"));
}

TEST_F(WorkingFilesTest, ARecordWithoutDeliveryIsSkippedByRenommeButCleanedByNettoyage) {
    folder.write("Adresses.mdb", "old");
    Nettoyage(files, places(517));
    EXPECT_FALSE(folder.has("Adresses.mdb"));
    EXPECT_NO_THROW(Renomme(files, places(517)));
}

TEST_F(WorkingFilesTest, AMissingDeliveryStopsRenommeAfterTheRecordsBeforeIt) {
    testing::deliver(502, folder);
    std::filesystem::remove(folder.native() / "17264502.doc");
    const ComError e = testing::failureOf([&] { Renomme(files, places(502)); });
    EXPECT_EQ(e.number(), errors::kFileNotFound);
    EXPECT_EQ(e.source().rfind(located(u"Module", u"Renomme", u""), 0), 0u);
    EXPECT_TRUE(folder.has("Insertion.doc"));
    EXPECT_TRUE(folder.has("07264502.dot"));  // the record after it was not reached
}

TEST_F(WorkingFilesTest, WithoutAnExerciseNettoyageFailsLocated) {
    WorkingFilePlaces none = places(505);
    none.exercise = nullptr;
    const ComError e = testing::failureOf([&] { Nettoyage(files, none); });
    EXPECT_EQ(e.number(), errors::kObjectNotSet);
    EXPECT_EQ(e.source().rfind(located(u"Module", u"Nettoyage", u""), 0), 0u);
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
        return WorkingFilePlaces{std::make_shared<ListedExercise>(list), word,
                                 working.path() + u"sub/", templates.path()};
    };
    for (const std::u16string dest : {u"..\\Victime.doc", u"../Victime.doc", u"..", u""}) {
        const WorkingFilePlaces places = placesFor(u"07264501.doc", dest);
        const ComError cleaning = testing::failureOf([&] { Nettoyage(files, places); });
        EXPECT_EQ(cleaning.number(), 52);
        EXPECT_EQ(cleaning.source().rfind(located(u"Module", u"Nettoyage", u""), 0), 0u);
        const ComError moving = testing::failureOf([&] { Renomme(files, places); });
        EXPECT_EQ(moving.number(), 52);
        EXPECT_EQ(moving.source().rfind(located(u"Module", u"Renomme", u""), 0), 0u);
    }
    EXPECT_EQ(testing::failureOf([&] {
                  Renomme(files, placesFor(u"..\\Victime.doc", u"L.doc"));
              }).number(),
              52);
    EXPECT_TRUE(working.has("Victime.doc"));
    EXPECT_TRUE(working.has("sub/07264501.doc"));
}

}  // namespace
}  // namespace k72645
