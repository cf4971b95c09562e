#include <gtest/gtest.h>

#include "automation/vb.h"
#include "component/abstract_module_object.h"
#include "component/test_support.h"

namespace k72645 {
namespace {

using testing::failureOf;
using testing::located;

class AbstractModuleTest : public testing::SimTest {
protected:
    std::shared_ptr<AbstractModuleObject> player = createAbstractModule(platform);
    DispatchPtr module = player;
    testing::TempFolder folder;
};

TEST_F(AbstractModuleTest, ANewModuleHasNoVerdictToGive) {
    EXPECT_EQ(get(module, u"ErreurGenerale"), Variant(false));
    for (const char16_t* name : {u"CauseErreur", u"BravoNuance", u"Complement"}) {
        EXPECT_EQ(failureOf([&] { get(module, name); }).number(), errors::kObjectNotSet);
    }
}

TEST_F(AbstractModuleTest, InitQuestionAndQuitterWriteBackTheirByReferenceArguments) {
    Arguments init{std::int32_t{505}, testing::deliver(505, folder), Argument::ref(nullptr),
                   Argument::ref(std::int32_t{-1})};
    callWith(module, u"InitQuestion", init);
    ASSERT_TRUE(init[2].value.isObject());
    EXPECT_TRUE(sameObject(init[2].value.object(), world->runningWord()));
    EXPECT_EQ(init[3].value.long32(), desktop.findWindow(u"OPUSAPP", kAnyTitle));
    EXPECT_TRUE(get(module, u"Complement").isNothing());  // before the first check

    call(module, u"TestePoint");
    EXPECT_EQ(get(module, u"ErreurGenerale"), Variant(false));  // the exercise's check ran
    EXPECT_EQ(vb::cLng(call(toObject(get(module, u"Complement")), u"count")), 0);

    Arguments quit{Argument::ref(init[2].value), Argument::ref(init[3].value)};
    callWith(module, u"Quitter", quit);
    EXPECT_TRUE(quit[0].value.isNothing());
    EXPECT_EQ(quit[1].value.long32(), 0);
}

TEST_F(AbstractModuleTest, APrepareFailureReachesThePlayerLocatedByTheExerciseOnly) {
    auto fault = std::make_shared<testing::Fault>();
    fault->member = u"Open";
    fault->error = ComError(5174, u"Microsoft Word", u"Fichier introuvable");
    fault->armed = true;
    platform.runtime = std::make_shared<testing::FaultyRuntime>(platform.runtime, fault);
    const DispatchPtr faulty = createAbstractModule(platform);
    Arguments init{std::int32_t{501}, testing::deliver(501, folder), Argument::ref(nullptr),
                   Argument::ref(std::int32_t{-1})};
    const ComError e = failureOf([&] { callWith(faulty, u"InitQuestion", init); });
    EXPECT_EQ(e.number(), 5174);
    EXPECT_EQ(e.description(), u"Fichier introuvable");
    EXPECT_EQ(e.source(), located(u"Question0501", u"Prepare", u"Microsoft Word"));
    // Word was started all the same, and the player holds it.
    EXPECT_TRUE(init[2].value.isObject());
}

TEST_F(AbstractModuleTest, MissingArgumentsLeaveAsAComError) {
    Arguments none;
    EXPECT_EQ(failureOf([&] { callWith(module, u"InitQuestion", none); }).number(),
              errors::kArgumentNotOptional);
}

}  // namespace
}  // namespace k72645
