#include <gtest/gtest.h>

#include <filesystem>

#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_factory.h"
#include "platform/posix/posix_file_system.h"

namespace k72645 {
namespace {

using testing::located;
using testing::member;

// The POSIX file system, recording the folder-wide deletions asked of it.
class RecordingFileSystem : public PosixFileSystem {
public:
    void deleteFilesIn(const std::u16string& folder) override {
        deletions.push_back(folder);
        PosixFileSystem::deleteFilesIn(folder);
    }
    void removeFolder(const std::u16string& folder) override {
        deletions.push_back(folder);
        PosixFileSystem::removeFolder(folder);
    }
    std::vector<std::u16string> deletions;
};

class PrepareTest : public testing::SimTest {
protected:
    PrepareTest() {
        word = world->startWord();
        std::filesystem::create_directories(templates.native());
    }
    // The exercise with its files put in place as the Module would.
    DispatchPtr placed(int exercise) {
        const DispatchPtr question =
            createExercise(exercise, {files, platform.sleeper, platform.runtime});
        testing::deliver(exercise, folder);
        const Variant list = get(question, u"FichiersDeTravail");
        for (std::int32_t i = 1; i <= vb::cLng(call(toObject(list), u"count")); ++i) {
            const Variant record = member(list, u"Item", {i});
            const std::u16string source = vb::cStr(member(record, u"NomSource"));
            if (source.empty())
                continue;
            const bool isTemplate = vb::cBool(member(record, u"Modele"));
            const std::u16string target =
                (isTemplate ? templates : folder).path() + vb::cStr(member(record, u"NomDest"));
            ignoringErrors([&] { files->deleteFile(target); });  // an earlier exercise's copy
            files->moveFile(folder.path() + source, target);
        }
        return question;
    }
    DispatchPtr prepared(int exercise, bool withTemplates = true) {
        const DispatchPtr question = placed(exercise);
        Arguments args{Argument::ref(word), folder.path()};
        if (withTemplates)
            args.emplace_back(templates.path());
        callWith(question, u"Prepare", args);
        return question;
    }
    Variant activeDocument() { return member(word, u"ActiveDocument"); }
    Variant mailMerge() { return member(activeDocument(), u"MailMerge"); }
    std::int32_t documentCount() { return vb::cLng(member(member(word, u"Documents"), u"Count")); }

    std::shared_ptr<RecordingFileSystem> files = std::make_shared<RecordingFileSystem>();
    DispatchPtr word;
    testing::TempFolder folder;
    testing::TempFolder templates;
};

TEST_F(PrepareTest, TheInsertionPointWaitsAtTheBookmarkT01) {
    for (int exercise : {503, 514}) {
        prepared(exercise);
        const Variant t01 =
            member(member(member(activeDocument(), u"Bookmarks"), u"Item", {u"t01"}), u"Range");
        EXPECT_EQ(vb::cLng(member(member(word, u"Selection"), u"Start")),
                  vb::cLng(member(t01, u"Start")))
            << exercise;
        call(toObject(member(word, u"Documents")), u"Close", {std::int32_t{0}});
    }
}

TEST_F(PrepareTest, MergeExercisesStartAsMainDocumentsWithTheirDataSource) {
    for (int exercise : {506, 507, 508, 509, 510, 511, 512, 513, 514, 515, 518}) {
        prepared(exercise);
        const std::int32_t type = exercise == 518 ? 1 : exercise == 506 ? -1 : 0;
        EXPECT_EQ(vb::cLng(member(mailMerge(), u"MainDocumentType")), type) << exercise;
        if (exercise != 506) {
            const std::u16string source = exercise == 518 ? u"adresses.mdb" : u"clients.mdb";
            EXPECT_EQ(lcase(vb::cStr(member(member(mailMerge(), u"DataSource"), u"Name"))),
                      lcase(folder.path()) + source)
                << exercise;
        }
        call(member(word, u"Documents"), u"Close", {std::int32_t{0}});
    }
}

TEST_F(PrepareTest, Exercise514HidesFieldCodes) {
    // The letter already open with field codes shown: Prepare finds it and hides them.
    const DispatchPtr question = placed(514);
    call(toObject(member(word, u"Documents")), u"Open", {folder.path() + u"Agence.doc"});
    const auto fieldCodes = [&] {
        return member(member(member(word, u"ActiveWindow"), u"View"), u"ShowFieldCodes");
    };
    put(toObject(member(member(word, u"ActiveWindow"), u"View")), u"ShowFieldCodes", true);
    Arguments args{Argument::ref(word), folder.path(), templates.path()};
    callWith(question, u"Prepare", args);
    EXPECT_FALSE(vb::cBool(fieldCodes()));
}

TEST_F(PrepareTest, AFailureIsLocatedByTheExerciseAndPrepare) {
    const DispatchPtr question = createExercise(506, {files, platform.sleeper, platform.runtime});
    Arguments args{Argument::ref(word), folder.path(), templates.path()};
    const ComError e = testing::failureOf([&] { callWith(question, u"Prepare", args); });
    EXPECT_EQ(e.number(), 5174);  // Agence.doc is not in the working folder
    EXPECT_EQ(e.source(), located(u"Question0506", u"Prepare", u"Microsoft Word"));
}

TEST_F(PrepareTest, FermerRemovesAFullTemplateFolderAndToleratesItsAbsence) {
    const DispatchPtr question = prepared(504);
    templates.write("Autre.dot", "x");
    call(toObject(member(word, u"Documents")), u"Close", {std::int32_t{0}});
    call(question, u"Fermer");
    EXPECT_FALSE(std::filesystem::exists(templates.native()));
    EXPECT_NO_THROW(call(question, u"Fermer"));
}

TEST_F(PrepareTest, WithoutATemplateFolderFermerDeletesNothing) {
    const DispatchPtr question = prepared(505, false);
    EXPECT_EQ(get(question, u"PathDossierParDefaut"), Variant(folder.path()));
    call(question, u"Fermer");
    EXPECT_TRUE(files->deletions.empty());
}

TEST_F(PrepareTest, MergedDocumentsAreClosedWhileTheyComeFirst) {
    const DispatchPtr question = prepared(508);
    call(toObject(mailMerge()), u"Execute");
    call(toObject(member(member(word, u"Documents"), u"Item", {u"Agence.doc"})), u"Activate");
    call(toObject(mailMerge()), u"Execute");
    ASSERT_EQ(documentCount(), 3);  // Lettres2, Lettres1, Agence.doc
    call(question, u"Fermer");
    EXPECT_EQ(documentCount(), 1);
    EXPECT_EQ(vb::cStr(member(member(member(word, u"Documents"), u"Item", {1}), u"Name")),
              u"Agence.doc");
}

TEST_F(PrepareTest, AMergedDocumentBehindTheLetterIsLeftOpen) {
    const DispatchPtr question = prepared(515);
    call(toObject(mailMerge()), u"Execute");
    // The letter closed and opened again comes first in the collection.
    call(toObject(member(member(word, u"Documents"), u"Item", {u"Agence.doc"})), u"Close",
         {std::int32_t{0}});
    call(toObject(member(word, u"Documents")), u"Open", {folder.path() + u"Agence.doc"});
    call(question, u"Fermer");
    EXPECT_EQ(documentCount(), 2);
}

TEST_F(PrepareTest, ClosingMergedDocumentsOfAGoneWordIsSilent) {
    const DispatchPtr question = prepared(518);
    call(word, u"Quit", {std::int32_t{0}});
    EXPECT_NO_THROW(call(question, u"Fermer"));
    EXPECT_EQ(vb::cLng(call(toObject(get(question, u"FichiersDeTravail")), u"count")), 0);
}

}  // namespace
}  // namespace k72645
