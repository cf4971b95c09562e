// The component end to end on Windows: plays the course's scenario files as the e-learning
// player and the learner would, through real COM and real windows. The component is the
// registered k72645.dll ("K72645.Module", created by ProgID and driven through IDispatch); the
// Word it starts and attaches is the simulated Word hosted in this process as a COM server
// ("Word.application.11") with real user32 windows. The hosted Word counts the calls it gets;
// the component must resolve each member name once per type of object over the whole run.
// Usage: k72645_e2e_player <k72645.dll> <course folder> [--bench FILE] <.scn files or folders>
#include <windows.h>

#include "automation/com_error.h"
#include "automation/text.h"
#include "platform/win32/com_text.h"
#include "platform/win32/foreign_dispatch.h"
#include "platform/win32/win32_file_system.h"
#include "player/run_report.h"
#include "player/scenario_runner.h"
#include "player/scenario_world.h"
#include "sim/win32host/word_host.h"
#include "tests/windows/e2e/user32_desktop_root.h"

#include "tests/windows/regsvr32.h"

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace k72645;

namespace {

const wchar_t* kWordProgId = L"Word.Application.11";
const wchar_t* kWordGlobalProgId = L"Word.Global";

using k72645::windows_test::runRegsvr32;

// "Word.application.11" and "Word.Global" name the hosted Word's classes, as Word's setup
// registers them.
bool registerProgId(const wchar_t* progId, const CLSID& classId) {
    wchar_t clsid[64] = {};
    StringFromGUID2(classId, clsid, 64);
    HKEY key = nullptr;
    const std::wstring path = std::wstring(progId) + L"\\CLSID";
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const auto bytes = static_cast<DWORD>((wcslen(clsid) + 1) * sizeof(wchar_t));
    const bool written =
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid), bytes) ==
        ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

void unregisterProgId(const wchar_t* progId) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (std::wstring(progId) + L"\\CLSID").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, progId);
}

// The player's delivery: a fresh working folder per call under one temporary root, holding
// the course files "?7264NNN.*" of exercise NNN.
class Delivery {
public:
    Delivery(fs::path course, fs::path root) : course_(std::move(course)), root_(std::move(root)) {}

    std::u16string deliver(std::int32_t exercise) {
        // The chapter's exercises are numbered 5NN; which of them exist is the component's
        // business (its InitQuestion refuses the others).
        if (exercise < 500 || exercise > 599)
            throw ComError(errors::kInvalidCall, u"Deliver", u"No such exercise in the chapter");
        const fs::path folder = root_ / (std::to_string(exercise) + "-" + std::to_string(next_++));
        std::error_code ec;
        fs::create_directories(folder, ec);
        folders_.push_back(folder);
        const std::string code = "7264" + std::to_string(exercise) + ".";
        for (const auto& entry : fs::directory_iterator(course_, ec)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && name.size() > code.size() &&
                name.compare(1, code.size(), code) == 0)
                fs::copy_file(entry.path(), folder / name, fs::copy_options::overwrite_existing,
                              ec);
            if (ec)
                throw ComError(errors::kPathFileAccessError, u"Deliver", fromUtf8(name));
        }
        return (folder / "").u16string();
    }

    void removeFolders() {
        for (const auto& folder : folders_) {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
        folders_.clear();
    }

private:
    fs::path course_;
    fs::path root_;
    std::vector<fs::path> folders_;
    int next_ = 1;
};

// The player's calls go under its own locale, so that the hosted Word counts them apart from the
// component's.
using PlayerCalls = std::shared_ptr<const win32::ForeignCalls>;

DispatchPtr createByProgId(const std::u16string& progId, DWORD context, const PlayerCalls& calls) {
    CLSID clsid{};
    IDispatch* object = nullptr;
    if (FAILED(CLSIDFromProgID(win32::wide(progId), &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, context, IID_IDispatch,
                                reinterpret_cast<void**>(&object))) ||
        !object)
        throw errors::runtime(errors::kCannotCreateObject);
    DispatchPtr result = win32::ForeignDispatch::wrap(object, calls);
    object->Release();
    return result;
}

// One scenario's world: a fresh hosted world, a new Module of the registered component, the
// real desktop.
class HostedScenarioWorld : public player::ScenarioWorld, private player::ScenarioHost {
public:
    HostedScenarioWorld(sim::win32host::WordHost& host, Delivery& delivery, fs::path userFolder,
                        PlayerCalls calls)
        : host_(host),
          delivery_(delivery),
          userFolder_(std::move(userFolder)),
          calls_(std::move(calls)) {
        IDispatch* sim = host_.startWorld(userFolder_.u16string());
        sim_ = win32::ForeignDispatch::wrap(sim, calls_);
        sim->Release();
        module_ = createByProgId(u"K72645.Module", CLSCTX_INPROC_SERVER, calls_);
        desktop_ = std::make_shared<e2e::User32DesktopRoot>();
    }

    std::vector<std::pair<std::u16string, DispatchPtr>> roots() override {
        return {{u"Module", module_}, {u"Sim", sim_}, {u"Desktop", desktop_}};
    }
    player::ScenarioHost& host() override { return *this; }
    void finish() override {
        host_.endWorld();
        delivery_.removeFolders();
        std::error_code ignored;
        fs::remove_all(userFolder_, ignored);
    }

private:
    bool fileExists(const std::u16string& path) override { return files_.fileExists(path); }
    bool folderExists(const std::u16string& path) override { return files_.folderExists(path); }
    std::u16string deliver(std::int32_t exercise) override { return delivery_.deliver(exercise); }
    void wait(std::int32_t milliseconds) override {
        ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
    }
    DispatchPtr createObject(const std::u16string& progId) override {
        return createByProgId(progId, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, calls_);
    }

    sim::win32host::WordHost& host_;
    Delivery& delivery_;
    fs::path userFolder_;
    PlayerCalls calls_;
    win32::Win32FileSystem files_;
    DispatchPtr module_;
    DispatchPtr sim_;
    DispatchPtr desktop_;
};

// What a group of scenarios cost in calls to the hosted Word.
struct GroupCost {
    int scenarios = 0;
    long componentInvokes = 0;
    long componentLookups = 0;
    long playerInvokes = 0;
    long playerLookups = 0;
    double seconds = 0;
};

// "507-merge-field.scn" belongs to 507; "module-blocking-dialog.scn" to "module".
std::string groupOf(const fs::path& file) {
    const std::string name = file.filename().string();
    return name.substr(0, std::min(name.find('-'), name.find('.')));
}

std::vector<fs::path> scenarioFiles(const std::vector<std::string>& arguments) {
    std::vector<fs::path> files;
    for (const auto& argument : arguments) {
        const fs::path given(argument);
        if (fs::is_directory(given)) {
            std::vector<fs::path> found;
            for (const auto& entry : fs::directory_iterator(given))
                if (entry.path().extension() == ".scn")
                    found.push_back(entry.path());
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else {
            files.push_back(given);
        }
    }
    return files;
}

int play(const fs::path& course, const std::string& benchFile, const std::vector<fs::path>& files) {
    sim::win32host::WordHost host;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / ("k72645-e2e-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root);
    Delivery delivery(course, root / "work");
    int worldNumber = 0;
    const PlayerCalls calls = win32::ForeignCalls::create(sim::win32host::kPlayerLocale);
    const player::WorldFactory worlds = [&]() -> std::unique_ptr<player::ScenarioWorld> {
        return std::make_unique<HostedScenarioWorld>(
            host, delivery, root / ("user-" + std::to_string(++worldNumber)), calls);
    };

    std::vector<player::ScenarioOutcome> outcomes;
    std::map<std::string, GroupCost> costs;
    sim::win32host::CallCounts before = host.counts();
    for (const auto& file : files) {
        const auto started = std::chrono::steady_clock::now();
        outcomes.push_back(player::runScenarioFile(file, worlds));
        std::cout << player::reportLine(outcomes.back()) << std::endl;
        const sim::win32host::CallCounts after = host.counts();
        GroupCost& cost = costs[groupOf(file)];
        ++cost.scenarios;
        cost.componentInvokes += after.componentInvokes - before.componentInvokes;
        cost.componentLookups += after.componentNameLookups - before.componentNameLookups;
        cost.playerInvokes += after.playerInvokes - before.playerInvokes;
        cost.playerLookups += after.playerNameLookups - before.playerNameLookups;
        cost.seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        before = after;
    }

    // Each member name is resolved once per type of Word object over the whole run.
    int lookupFaults = 0;
    for (const auto& [member, count] : before.componentLookupsByMember) {
        if (count > 1) {
            ++lookupFaults;
            std::cout << "FAIL  GetIDsOfNames called " << count << " times for "
                      << toUtf8(member.second) << " of " << member.first << std::endl;
        }
    }
    std::cout << "component: " << before.componentInvokes << " Invoke, "
              << before.componentNameLookups << " GetIDsOfNames for "
              << before.componentLookupsByMember.size() << " members of Word's types" << std::endl;

    std::ofstream bench;
    if (!benchFile.empty())
        bench.open(benchFile);
    std::ostream& out = bench.is_open() ? static_cast<std::ostream&>(bench) : std::cout;
    out << "group      scenarios  component-Invoke  component-GetIDsOfNames  player-Invoke  "
           "player-GetIDsOfNames  seconds\n";
    for (const auto& [group, cost] : costs) {
        char line[200];
        std::snprintf(line, sizeof line, "%-10s %9d %17ld %24ld %14ld %21ld %8.2f\n", group.c_str(),
                      cost.scenarios, cost.componentInvokes, cost.componentLookups,
                      cost.playerInvokes, cost.playerLookups, cost.seconds);
        out << line;
    }
    out.flush();

    std::error_code ignored;
    fs::remove_all(root, ignored);
    std::cout << player::summaryLine(outcomes) << std::endl;
    return player::failedCount(outcomes) == 0 && lookupFaults == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: k72645_e2e_player <k72645.dll> <course folder> [--bench FILE] "
                     "<.scn files or folders>\n");
        return 2;
    }
    const fs::path dll = fs::absolute(argv[1]);
    const fs::path course = fs::absolute(argv[2]);
    std::string benchFile;
    std::vector<std::string> arguments;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = fs::path(argv[i]).string();
        if (argument == "--bench" && i + 1 < argc)
            benchFile = fs::path(argv[++i]).string();
        else
            arguments.push_back(argument);
    }

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    int status = 2;
    const std::wstring quoted = L"\"" + dll.wstring() + L"\"";
    if (runRegsvr32(quoted) != 0) {
        std::fprintf(stderr, "cannot register %ls\n", dll.c_str());
    } else if (!registerProgId(kWordProgId, sim::win32host::kWordApplicationClsid) ||
               !registerProgId(kWordGlobalProgId, sim::win32host::kWordGlobalClsid)) {
        std::fprintf(stderr, "cannot register Word's classes\n");
    } else {
        try {
            status = play(course, benchFile, scenarioFiles(arguments));
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "end-to-end run failed: %s\n", failure.what());
        }
    }
    unregisterProgId(kWordProgId);
    unregisterProgId(kWordGlobalProgId);
    runRegsvr32(L"/u " + quoted);
    CoUninitialize();
    return status;
}
