// Test helpers shared by the engine's tests: fresh working folders holding an exercise's
// delivered course files, a simulated world with a recording sleeper, short ways to call Word
// by name as a learner would, and a runtime whose Word objects can be told to refuse a member.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/text.h"
#include "errors/error_service.h"
#include "platform/thread_sleeper.h"
#include "sim/runtime/sim_world.h"
#include "support/com_error_expect.h"

namespace k72645 {

// Calls on an object held in a variant, as a learner's macro writes them.
inline Variant call(const Variant& object, std::u16string_view name, Arguments args = {}) {
    return call(toObject(object), name, std::move(args));
}
inline void put(const Variant& object, std::u16string_view name, Variant value,
                Arguments index = {}) {
    put(toObject(object), name, std::move(value), std::move(index));
}

}  // namespace k72645

namespace k72645::testing {

// A fresh temporary folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        native_ = std::filesystem::temp_directory_path() /
                  ("k72645-engine-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(native_);
        std::filesystem::create_directories(native_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(native_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(native_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& native() const { return native_; }
    // The folder as the engine writes it: ending with a separator.
    std::u16string path() const { return fromUtf8(native_.string()) + u"/"; }
    bool has(const std::string& name) const { return std::filesystem::exists(native_ / name); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(native_ / name) << text;
    }

private:
    std::filesystem::path native_;
};

// Copies the course's delivered files of an exercise ("07264501.doc", "17264502.doc"...) into
// the folder, under their delivered names; returns the folder as the player passes it.
inline std::u16string deliver(int exercise, const TempFolder& folder) {
    const std::string code = "7264" + std::to_string(exercise);
    for (const auto& entry : std::filesystem::directory_iterator(K72645_COURSE_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 8 && name.substr(1, 7) == code) {
            std::filesystem::copy_file(entry.path(), folder.native() / name);
        }
    }
    return folder.path();
}

inline Variant member(const Variant& object, std::u16string_view name, Arguments args = {}) {
    return get(toObject(object), name, std::move(args));
}

// A fresh simulated world per test; the Words it started are quit at the end.
class SimTest : public ::testing::Test {
protected:
    SimTest() { platform.sleeper = sleeper; }
    ~SimTest() override { world->quitAll(); }

    std::shared_ptr<sim::SimWorld> world = sim::SimWorld::create();
    Platform platform = world->platform();
    std::shared_ptr<RecordingSleeper> sleeper = std::make_shared<RecordingSleeper>();
    sim::SimDesktop& desktop = *world->desktop();
};

// Makes every object reached from the Words it hands out refuse one member with an error,
// when armed; counts the refusals.
struct Fault {
    std::u16string member;
    ComError error{-2147418111, u"Microsoft Word", u"Call was rejected by callee."};
    bool armed = false;
    int refusals = 0;
    // The refusal is a failure that is not a COM error (a fault of the automation layer).
    bool foreign = false;
    // When set, what happens once instead of the refusal (a call back into the component, as
    // Word's events make), before the call goes on.
    std::function<void()> instead = nullptr;
};

class FaultyDispatch : public Dispatch {
public:
    FaultyDispatch(DispatchPtr inner, std::shared_ptr<Fault> fault)
        : inner_(std::move(inner)), fault_(std::move(fault)) {}

    static DispatchPtr wrap(DispatchPtr inner, const std::shared_ptr<Fault>& fault) {
        if (!inner)
            return inner;
        return std::make_shared<FaultyDispatch>(std::move(inner), fault);
    }

    Variant invoke(std::u16string_view name, InvokeKind kind, Arguments& args) override {
        if (fault_->armed && equalsIgnoreCase(name, fault_->member) && fault_->instead) {
            fault_->armed = false;
            fault_->instead();
        } else if (fault_->armed && equalsIgnoreCase(name, fault_->member)) {
            ++fault_->refusals;
            if (fault_->foreign)
                throw std::runtime_error("refused");
            throw fault_->error;
        }
        Variant result = inner_->invoke(name, kind, args);
        if (result.isObject())
            return wrap(result.object(), fault_);
        return result;
    }
    const void* identity() const override { return inner_->identity(); }

private:
    DispatchPtr inner_;
    std::shared_ptr<Fault> fault_;
};

class FaultyRuntime : public ApplicationRuntime {
public:
    FaultyRuntime(std::shared_ptr<ApplicationRuntime> inner, std::shared_ptr<Fault> fault)
        : inner_(std::move(inner)), fault_(std::move(fault)) {}
    DispatchPtr createObject(const std::u16string& progId) override {
        return FaultyDispatch::wrap(inner_->createObject(progId), fault_);
    }
    DispatchPtr getRunningObject(const std::u16string& progId) override {
        return FaultyDispatch::wrap(inner_->getRunningObject(progId), fault_);
    }

private:
    std::shared_ptr<ApplicationRuntime> inner_;
    std::shared_ptr<Fault> fault_;
};

// A runtime on which attaching to the running Word is refused, as when Word's window is
// visible but Word is not registered as running; starting a Word may be refused too.
class AttachRefusingRuntime : public ApplicationRuntime {
public:
    explicit AttachRefusingRuntime(std::shared_ptr<ApplicationRuntime> inner)
        : inner_(std::move(inner)) {}
    DispatchPtr createObject(const std::u16string& progId) override {
        ++starts;
        if (refuseStart)
            throw ComError(429, u"K72645", u"ActiveX component can't create object");
        return inner_->createObject(progId);
    }
    DispatchPtr getRunningObject(const std::u16string&) override {
        ++attaches;
        throw ComError(-2147221021, u"K72645", u"Operation unavailable");
    }

    bool refuseStart = false;
    int starts = 0;
    int attaches = 0;

private:
    std::shared_ptr<ApplicationRuntime> inner_;
};

inline const std::u16string kLfCr = u"\n\r";

// The location message that raiseWithLocation builds.
inline std::u16string located(std::u16string_view className, std::u16string_view procedure,
                              std::u16string_view object) {
    return u"DLL K72645 - CLASSE " + std::u16string(className) + kLfCr + u" - SERVICE " +
           std::u16string(procedure) + u" - OBJET " + std::u16string(object);
}

}  // namespace k72645::testing
