// Word, or an event handler of the player, may call back into the Module while one of its calls
// runs. Such a call is refused with a located error and changes nothing; the running call ends
// as it would have without it.
#include <gtest/gtest.h>

#include "component/module.h"
#include "component/test_support.h"

namespace k72645 {
namespace {

using testing::located;

// What Word does, once, the next time one of its objects is asked for a property of that name.
struct CallBack {
    std::u16string property;
    std::function<void()> action;
};

class CallingBackDispatch : public Dispatch {
public:
    CallingBackDispatch(DispatchPtr inner, std::shared_ptr<CallBack> callBack)
        : inner_(std::move(inner)), callBack_(std::move(callBack)) {}

    static DispatchPtr wrap(DispatchPtr inner, const std::shared_ptr<CallBack>& callBack) {
        if (!inner)
            return inner;
        return std::make_shared<CallingBackDispatch>(std::move(inner), callBack);
    }

    Variant invoke(std::u16string_view name, InvokeKind kind, Arguments& args) override {
        if (kind == InvokeKind::PropertyGet && callBack_->action &&
            equalsIgnoreCase(name, callBack_->property)) {
            const std::function<void()> action = std::move(callBack_->action);
            callBack_->action = nullptr;
            action();
        }
        Variant result = inner_->invoke(name, kind, args);
        if (result.isObject())
            return wrap(result.object(), callBack_);
        return result;
    }
    const void* identity() const override { return inner_->identity(); }

private:
    DispatchPtr inner_;
    std::shared_ptr<CallBack> callBack_;
};

class CallingBackRuntime : public ApplicationRuntime {
public:
    CallingBackRuntime(std::shared_ptr<ApplicationRuntime> inner,
                       std::shared_ptr<CallBack> callBack)
        : inner_(std::move(inner)), callBack_(std::move(callBack)) {}
    DispatchPtr CreateObject(const std::u16string& progId) override {
        return CallingBackDispatch::wrap(inner_->CreateObject(progId), callBack_);
    }
    DispatchPtr GetObject(const std::u16string& progId) override {
        return CallingBackDispatch::wrap(inner_->GetObject(progId), callBack_);
    }

private:
    std::shared_ptr<ApplicationRuntime> inner_;
    std::shared_ptr<CallBack> callBack_;
};

Platform callingBack(Platform platform, const std::shared_ptr<CallBack>& callBack) {
    platform.runtime = std::make_shared<CallingBackRuntime>(platform.runtime, callBack);
    return platform;
}

class ReentryTest : public testing::SimTest {
protected:
    std::shared_ptr<CallBack> callBack = std::make_shared<CallBack>();
    Module module{callingBack(platform, callBack)};
    DispatchPtr app;
    std::int32_t hwnd = -1;
};

TEST_F(ReentryTest, CallsMadeFromInsideACheckAreRefusedAndTheCheckEnds) {
    testing::TempFolder folder;
    module.InitQuestion(501, testing::deliver(501, folder), app, hwnd);
    module.TestePoint();
    const std::u16string verdict = module.CauseErreur();

    testing::TempFolder beside;
    const std::u16string besideFolder = testing::deliver(502, beside);
    std::vector<std::pair<std::u16string, ComError>> refused;
    const auto attempt = [&](std::u16string member, const std::function<void()>& call) {
        try {
            call();
            ADD_FAILURE() << toUtf8(member) << " was served";
        } catch (const ComError& e) {
            refused.emplace_back(member, e);
        }
    };
    callBack->property = u"ActiveDocument";
    callBack->action = [&] {
        attempt(u"Fermer", [&] { module.Fermer(); });
        attempt(u"Quitter", [&] {
            DispatchPtr word = app;
            std::int32_t window = hwnd;
            module.Quitter(word, window);
        });
        attempt(u"InitQuestion", [&] {
            DispatchPtr word = app;
            std::int32_t window = hwnd;
            module.InitQuestion(502, besideFolder, word, window);
        });
        attempt(u"TestePoint", [&] { module.TestePoint(); });
        attempt(u"CauseErreur", [&] { module.CauseErreur(); });
        attempt(u"BravoNuance", [&] { module.BravoNuance(); });
        attempt(u"Complement", [&] { module.Complement(); });
    };
    module.TestePoint();

    ASSERT_EQ(refused.size(), 7u);
    for (const auto& [member, error] : refused) {
        EXPECT_EQ(error.number(), 5) << toUtf8(member);
        EXPECT_EQ(error.source(), located(u"Module", member, u"K72645")) << toUtf8(member);
        EXPECT_EQ(error.description(),
                  u"Another call of this Module is running; this call is refused");
    }
    // The check ran to its end on the exercise it started with, in the same Word.
    EXPECT_FALSE(module.ErreurGenerale());
    EXPECT_EQ(module.CauseErreur(), verdict);
    ASSERT_NE(module.QuestionCourante(), nullptr);
    EXPECT_EQ(world->wordCount(), 1);
    EXPECT_TRUE(folder.has("Insertion.doc"));
    EXPECT_TRUE(beside.has("07264502.doc"));
    EXPECT_TRUE(beside.has("17264502.doc"));
    // Calls made once the check has ended are served again.
    module.Fermer();
    EXPECT_EQ(module.QuestionCourante(), nullptr);
    EXPECT_FALSE(folder.has("Insertion.doc"));
}

}  // namespace
}  // namespace k72645
