#include <gtest/gtest.h>

#include "automation/vb.h"
#include "component/test_support.h"
#include "exercises/exercise_factory.h"

namespace k72645 {
namespace {

using testing::member;

class ExerciseTest : public testing::SimTest {
protected:
    DispatchPtr create(int exercise) {
        return createExercise(exercise, {platform.files, platform.sleeper, platform.runtime});
    }
};

TEST_F(ExerciseTest, EachExerciseStartsWithItsFilesAndNoVerdict) {
    EXPECT_EQ(create(500), nullptr);
    EXPECT_EQ(create(519), nullptr);
    for (int exercise = 501; exercise <= 518; ++exercise) {
        const DispatchPtr question = create(exercise);
        ASSERT_NE(question, nullptr) << exercise;
        EXPECT_EQ(get(question, u"CauseErreur"), Variant(u"")) << exercise;
        EXPECT_EQ(get(question, u"BravoNuance"), Variant(false)) << exercise;
        EXPECT_EQ(get(question, u"PathDossierParDefaut"), Variant(u"")) << exercise;
        EXPECT_TRUE(get(question, u"ComplementInfo").isNothing()) << exercise;
        EXPECT_GT(vb::cLng(call(get(question, u"FichiersDeTravail"), u"count")), 0) << exercise;
    }
    // The first record names the document that InitQuestion activates; 517's is not delivered.
    const Variant first = member(get(create(517), u"FichiersDeTravail"), u"Item", {1});
    EXPECT_EQ(vb::cStr(member(first, u"NomSource")), u"");
    EXPECT_EQ(vb::cStr(member(first, u"NomDest")), u"Adresses.mdb");
}

TEST_F(ExerciseTest, FermerReleasesTheListsAndAFreshListIsEmpty) {
    const DispatchPtr question = create(506);
    call(question, u"Fermer");
    EXPECT_EQ(vb::cLng(call(toObject(get(question, u"FichiersDeTravail")), u"count")), 0);
    EXPECT_TRUE(get(question, u"ComplementInfo").isNothing());
}

// An exercise whose first check fails and whose later checks pass, to see the frame at work.
class FailingOnce : public ExerciseFrame {
public:
    explicit FailingOnce(ExerciseServices services)
        : ExerciseFrame(u"Question0599", std::move(services)) {}

protected:
    void runChecks() override {
        if (checks_++ == 0) {
            setVerdict(u"A");
            complement().add(u" premier");
        }
    }

private:
    int checks_ = 0;
};

TEST_F(ExerciseTest, EachCheckStartsWithAClearVerdictAndAFreshComplementList) {
    const DispatchPtr question = std::make_shared<FailingOnce>(
        ExerciseServices{platform.files, platform.sleeper, platform.runtime});
    call(question, u"TestePoint");
    EXPECT_EQ(get(question, u"CauseErreur"), Variant(u"A"));
    const Variant first = get(question, u"ComplementInfo");
    EXPECT_EQ(vb::cLng(call(toObject(first), u"count")), 1);

    call(question, u"TestePoint");
    EXPECT_EQ(get(question, u"CauseErreur"), Variant(u""));
    const Variant second = get(question, u"ComplementInfo");
    EXPECT_FALSE(sameObject(first.object(), second.object()));
    EXPECT_EQ(vb::cLng(call(toObject(second), u"count")), 0);
    EXPECT_EQ(get(question, u"BravoNuance"), Variant(false));
}

}  // namespace
}  // namespace k72645
