// The catalog that the exercise files declare, read back through the objects the factory makes.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "automation/text.h"
#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_catalog.h"
#include "exercises/exercise_declaration.h"
#include "exercises/exercise_factory.h"

namespace k72645 {
namespace {

using testing::member;

class CatalogTest : public testing::SimTest {
protected:
    DispatchPtr create(int exercise) {
        return createExercise(exercise, {platform.files, platform.sleeper, platform.runtime});
    }
};

// The catalog is what the files declare: each exercise's number names its class, its class
// identity (when it has one) reads as a CLSID, and its object starts with the declared files
// and no verdict. Numbers outside the catalog make no object.
TEST_F(CatalogTest, EachDeclaredExerciseStartsWithItsFilesAndNoVerdict) {
    const auto& catalog = exerciseCatalog();
    ASSERT_FALSE(catalog.empty());
    EXPECT_EQ(create(catalog.front()->number - 1), nullptr);
    EXPECT_EQ(create(catalog.back()->number + 1), nullptr);
    const std::regex clsid(R"(\{[0-9A-F]{8}-([0-9A-F]{4}-){3}[0-9A-F]{12}\})");
    std::int32_t previous = 0;
    for (const ExerciseDeclaration* declared : catalog) {
        const int exercise = declared->number;
        EXPECT_LT(previous, exercise);
        previous = exercise;
        EXPECT_EQ(toUtf8(declared->className), "Question0" + std::to_string(exercise));
        EXPECT_TRUE(declared->classId.empty() || std::regex_match(toUtf8(declared->classId), clsid))
            << exercise;
        const DispatchPtr question = create(exercise);
        ASSERT_NE(question, nullptr) << exercise;
        EXPECT_EQ(std::dynamic_pointer_cast<ExerciseFrame>(question)->className(),
                  declared->className);
        EXPECT_EQ(get(question, u"CauseErreur"), Variant(u"")) << exercise;
        EXPECT_EQ(get(question, u"BravoNuance"), Variant(false)) << exercise;
        EXPECT_EQ(get(question, u"PathDossierParDefaut"), Variant(u"")) << exercise;
        EXPECT_TRUE(get(question, u"ComplementInfo").isNothing()) << exercise;
        EXPECT_EQ(vb::cLng(call(get(question, u"FichiersDeTravail"), u"count")),
                  static_cast<std::int32_t>(declared->workingFiles.size()))
            << exercise;
    }
    // The first record names the document that InitQuestion activates; 517's is not delivered.
    const Variant first = member(get(create(517), u"FichiersDeTravail"), u"Item", {1});
    EXPECT_EQ(vb::cStr(member(first, u"NomSource")), u"");
    EXPECT_EQ(vb::cStr(member(first, u"NomDest")), u"Adresses.mdb");
}

}  // namespace
}  // namespace k72645
