// Small stand-ins for the scenario tests: a Module-like object, an item collection with a
// default member, and a host that records what the functions ask of the world.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/automation_object.h"
#include "automation/vb.h"
#include "player/scenario_host.h"
#include "player/scenario_world.h"

namespace k72645::player::testing {

// Items by name through the default member; Count; an indexed property put.
class Items : public AutomationObject {
public:
    static std::shared_ptr<Items> create() { return std::shared_ptr<Items>(new Items()); }
    std::map<std::u16string, Variant> items;

private:
    Items() {
        property(
            u"Item",
            [this](Arguments& args) {
                auto it = items.find(vb::cStr(requiredArgument(args, 0)));
                if (it == items.end())
                    throw ComError(5941, u"Items", u"No such item");
                return it->second;
            },
            [this](Arguments& args, const Variant& v) {
                items[vb::cStr(requiredArgument(args, 0))] = v;
            });
        property(u"Count",
                 [this](Arguments&) { return Variant(static_cast<std::int32_t>(items.size())); });
        defaultMember(u"Item");
    }
};

// Enough of AbstractModule for the runner and the player: InitQuestion writes an
// application and a handle back; TestePoint sets the verdict the test chose.
class FakeModule : public AutomationObject {
public:
    static std::shared_ptr<FakeModule> create() {
        return std::shared_ptr<FakeModule>(new FakeModule());
    }
    std::u16string nextVerdict;
    std::u16string verdict;
    std::vector<std::u16string> calls;
    std::shared_ptr<Items> application = Items::create();

private:
    FakeModule() {
        method(u"InitQuestion", [this](Arguments& args) {
            calls.push_back(u"InitQuestion " + vb::cStr(requiredArgument(args, 0)) + u" " +
                            vb::cStr(requiredArgument(args, 1)));
            args.at(2).value = Variant(application);
            args.at(3).value = Variant(std::int32_t{4242});
            return Variant();
        });
        method(u"TestePoint", [this](Arguments&) {
            calls.push_back(u"TestePoint");
            verdict = nextVerdict;
            return Variant();
        });
        property(u"CauseErreur", [this](Arguments&) { return Variant(verdict); });
        property(u"ErreurGenerale", [](Arguments&) { return Variant(false); });
        property(u"Complement", [](Arguments&) { return Variant::nothing(); });
        method(u"Fermer", [this](Arguments&) {
            calls.push_back(u"Fermer");
            return Variant();
        });
        method(u"Quitter", [this](Arguments& args) {
            calls.push_back(u"Quitter");
            args.at(0).value = Variant::nothing();
            args.at(1).value = Variant(std::int32_t{0});
            return Variant();
        });
    }
};

class RecordingHost : public ScenarioHost {
public:
    std::vector<std::u16string> files;
    std::vector<std::int32_t> waits;
    std::vector<std::int32_t> delivered;
    DispatchPtr created = Items::create();
    bool viewFails = false;  // showWord raises 462

    bool fileExists(const std::u16string& path) override {
        return std::find(files.begin(), files.end(), path) != files.end();
    }
    bool folderExists(const std::u16string& path) override { return path == u"/work/"; }
    std::u16string deliver(std::int32_t exercise) override {
        delivered.push_back(exercise);
        return u"/work/" + vb::cStr(Variant(exercise)) + u"/";
    }
    void wait(std::int32_t ms) override { waits.push_back(ms); }
    DispatchPtr createObject(const std::u16string& progId) override {
        if (progId != u"Word.application.11") {
            throw ComError(429, u"Runtime", u"ActiveX component can't create object");
        }
        return created;
    }
    std::string showWord(WordView view) override {
        if (viewFails)
            throw ComError(462, u"Word", u"Word is gone");
        return ScenarioHost::showWord(view);
    }
};

// A world of a FakeModule and a RecordingHost; counts how often it was finished.
class FakeWorld : public ScenarioWorld {
public:
    std::shared_ptr<FakeModule> module = FakeModule::create();
    RecordingHost recordingHost;
    int* finished = nullptr;

    std::vector<std::pair<std::u16string, DispatchPtr>> roots() override {
        return {{u"Module", module}};
    }
    ScenarioHost& host() override { return recordingHost; }
    void finish() override {
        if (finished)
            ++*finished;
    }
};

}  // namespace k72645::player::testing
