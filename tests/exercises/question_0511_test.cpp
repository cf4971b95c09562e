#include "exercises/exercise_fixture_late.h"

namespace k72645::testing::late {
namespace {

class Question0511Test : public LateExerciseTest {
protected:
    Question0511Test() { prepare(511); }
    std::u16string checkSurname(const std::u16string& surname) {
        setActiveRecord(7);  // MORLEAU, next to last
        setField(2, surname);
        setActiveRecord(1);
        return check();
    }
};

// Counts the objects made through the runtime: Word's global object is made once.
struct CountingRuntime : ApplicationRuntime {
    explicit CountingRuntime(std::shared_ptr<ApplicationRuntime> runtime) : inner(runtime) {}
    DispatchPtr CreateObject(const std::u16string& id) override {
        return ++made, inner->CreateObject(id);
    }
    DispatchPtr GetObject(const std::u16string& id) override { return inner->GetObject(id); }
    std::shared_ptr<ApplicationRuntime> inner;
    int made = 0;
};

TEST_F(Question0511Test, TheJudgedSurnameAndTheRecordCount) {
    EXPECT_EQ(check(), u"B");
    EXPECT_EQ(checkSurname(u"morleau"), u"B");
    EXPECT_EQ(checkSurname(u""), u"C");
    EXPECT_EQ(checkSurname(u"Morlot"), u"D");
    EXPECT_EQ(complement(), Lines{u" Morlot"});
    EXPECT_EQ(checkSurname(u"Morlaux"), u"");
    EXPECT_EQ(activeRecord(), 7);
    // A ninth record: the next-to-last is another client; seven records give A.
    call(dataSource(), u"AddRecord", {u"Monsieur", u"NOUVEAU"});
    EXPECT_EQ(check(), u"D");
    EXPECT_EQ(complement(), Lines{u" LUCANI"});
    exclude(9);
    exclude(1);
    EXPECT_EQ(check(), u"A");
    openDatabase(u"clients.MDB");
    EXPECT_EQ(check(), u"F");
}

TEST_F(Question0511Test, TheGlobalObjectIsMadeOnceAndItsFailureIsLocated) {
    auto runtime = std::make_shared<CountingRuntime>(platform.runtime);
    question = createExercise(511, {platform.files, platform.sleeper, runtime});
    Arguments args{Argument::ref(word), folder.path(), folder.path()};
    callWith(question, u"Prepare", args);
    EXPECT_EQ(checkSurname(u"MORLAUX"), u"");
    EXPECT_EQ(check(), u"");
    EXPECT_EQ(runtime->made, 1);
    // The global object is kept by its runtime: an exercise on another runtime makes its own,
    // which fails here.
    world->setWordInstalled(false);  // Word.Global cannot be made
    question = createExercise(511, {platform.files, platform.sleeper,
                                    std::make_shared<CountingRuntime>(platform.runtime)});
    callWith(question, u"Prepare", args);
    setActiveRecord(1);
    expectFailure(429, u"Question0511", u"K72645");
    EXPECT_EQ(activeRecord(), 7);
}

}  // namespace
}  // namespace k72645::testing::late
