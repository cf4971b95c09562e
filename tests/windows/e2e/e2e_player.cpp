// The component end to end on Windows: plays the course's scenario files as the e-learning
// player and the learner would, through real COM and real windows. The component is the
// registered k72645.dll ("K72645.Module", created by ProgID and driven through IDispatch) in this
// process; Word is the simulated Word's local server (k72645_word_server.exe, registered as Word
// registers itself), in a process of its own for each scenario, started through the world's
// control. After each scenario that process must end by itself. The server counts the calls it
// gets: the component must resolve each member name once per type of object over the whole run,
// and the bench file gives, per group, the calls to Word, the time per check, and the ratio of
// the component's time per Word call to a bare cross-process call.
// Usage: k72645_e2e_player <k72645.dll> <course folder> [--bench FILE] <.scn files or folders>
#include <windows.h>

#include "automation/com_error.h"
#include "automation/dispatch.h"
#include "automation/text.h"
#include "platform/win32/com_text.h"
#include "platform/win32/foreign_dispatch.h"
#include "platform/win32/win32_file_system.h"
#include "player/run_report.h"
#include "player/scenario_runner.h"
#include "player/scenario_world.h"
#include "sim/win32host/world_control.h"
#include "tests/windows/e2e/call_timer.h"
#include "tests/windows/e2e/check_costs.h"
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
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace k72645;

namespace {

using k72645::windows_test::runRegsvr32;

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

// The player's calls go under its own locale, so that Word's server counts them apart from the
// component's.
using PlayerCalls = std::shared_ptr<const win32::ForeignCalls>;

DispatchPtr createByClsid(const CLSID& clsid, DWORD context, const PlayerCalls& calls) {
    IDispatch* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, context, IID_IDispatch,
                                reinterpret_cast<void**>(&object))) ||
        !object)
        throw errors::runtime(errors::kCannotCreateObject);
    DispatchPtr result = win32::ForeignDispatch::wrap(object, calls);
    object->Release();
    return result;
}

DispatchPtr createByProgId(const std::u16string& progId, DWORD context, const PlayerCalls& calls) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(win32::wide(progId), &clsid)))
        throw errors::runtime(errors::kCannotCreateObject);
    return createByClsid(clsid, context, calls);
}

struct RunRecord {
    e2e::GroupCost* group = nullptr;  // the group of the scenario playing
    // The server processes started for the scenario playing, to be seen ending.
    std::vector<HANDLE> servers;
    std::map<std::pair<std::string, std::u16string>, long> componentLookupsByMember;
};

// A new Word server process, through its world's control. Under Wine a new process now and then
// fails to start at all ("failed to map the shared user data"); that start is tried again, at
// most twice, and said.
DispatchPtr startServer(const PlayerCalls& calls) {
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            return createByClsid(sim::win32host::kWorldControlClsid, CLSCTX_LOCAL_SERVER, calls);
        } catch (const ComError&) {
            if (attempt == kAttempts)
                throw;
            std::cout << "note  Word's server did not start (attempt " << attempt
                      << "); starting it again" << std::endl;
        }
    }
}

// One scenario's world, served by a Word server process of its own: the world's control starts
// the process, its Sim object is the scenario's, a new Module of the registered component plays
// against it, and the desktop is the real one (Word's windows belong to the server's process).
class ServedScenarioWorld : public player::ScenarioWorld, private player::ScenarioHost {
public:
    ServedScenarioWorld(Delivery& delivery, fs::path userFolder, PlayerCalls calls,
                        RunRecord& record)
        : delivery_(delivery),
          userFolder_(std::move(userFolder)),
          calls_(std::move(calls)),
          record_(record) {
        control_ = startServer(calls_);
        const auto process = static_cast<DWORD>(get(control_, u"ProcessId").long32());
        if (HANDLE server = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process))
            record_.servers.push_back(server);
        if (process == GetCurrentProcessId())
            throw std::runtime_error("Word's server runs in the player's process");
        sim_ = toObject(call(control_, u"StartWorld", {Variant(userFolder_.u16string())}));
        module_ = std::make_shared<e2e::TimedModule>(
            createByProgId(u"K72645.Module", CLSCTX_INPROC_SERVER, calls_), control_,
            e2e::BareCalls(sim_), record_.group);
        desktop_ = std::make_shared<e2e::User32DesktopRoot>(process);
    }

    std::vector<std::pair<std::u16string, DispatchPtr>> roots() override {
        return {{u"Module", module_}, {u"Sim", sim_}, {u"Desktop", desktop_}};
    }
    player::ScenarioHost& host() override { return *this; }
    void finish() override {
        call(control_, u"EndWorld");
        const sim::win32host::CallCounts counts = e2e::readCounts(control_, true);
        e2e::GroupCost& cost = *record_.group;
        cost.addCallCounts(counts);
        for (const auto& [member, count] : counts.componentLookupsByMember)
            record_.componentLookupsByMember[member] += count;
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

    Delivery& delivery_;
    fs::path userFolder_;
    PlayerCalls calls_;
    RunRecord& record_;
    win32::Win32FileSystem files_;
    DispatchPtr control_;
    DispatchPtr module_;
    DispatchPtr sim_;
    DispatchPtr desktop_;
};

// Once the scenario has let its world go, every Word server it started must end by itself
// (within a few seconds); one that does not is a Word left behind, ended here.
bool serversEnded(RunRecord& record) {
    constexpr DWORD kEndMs = 10000;
    bool ended = true;
    for (HANDLE server : record.servers) {
        if (WaitForSingleObject(server, kEndMs) != WAIT_OBJECT_0) {
            ended = false;
            TerminateProcess(server, 1);
            WaitForSingleObject(server, kEndMs);
        }
        CloseHandle(server);
    }
    record.servers.clear();
    return ended;
}

// The time of a bare cross-process call to a Word of the server: one property read (Visible),
// through the raw IDispatch, identifier resolved beforehand; the mean over many reads. Then
// what a new object costs.
e2e::BareCosts bareCosts(const fs::path& userFolder, RunRecord& record, const PlayerCalls& calls) {
    constexpr int kReads = 2000;
    e2e::BareCosts costs;
    {
        DispatchPtr control = startServer(calls);
        const auto process = static_cast<DWORD>(get(control, u"ProcessId").long32());
        if (HANDLE server = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process))
            record.servers.push_back(server);
        call(control, u"StartWorld", {Variant(userFolder.u16string())});
        IDispatch* word = nullptr;
        if (FAILED(CoCreateInstance(sim::win32host::kWordApplicationClsid, nullptr,
                                    CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                    reinterpret_cast<void**>(&word))) ||
            !word)
            throw std::runtime_error("cannot start Word for the bare call");
        costs.call = e2e::timeBareReads(word, e2e::idOf(word, L"Visible"), kReads) / kReads;
        costs.object = e2e::timeNewObjects(word);
        word->Release();
        call(control, u"EndWorld");
    }
    std::error_code ignored;
    fs::remove_all(userFolder, ignored);
    return costs;
}

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
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path root = fs::path(temp) / ("k72645-e2e-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root);
    Delivery delivery(course, root / "work");
    int worldNumber = 0;
    RunRecord record;
    const PlayerCalls calls = win32::ForeignCalls::create(sim::win32host::kPlayerLocale);
    const player::WorldFactory worlds = [&]() -> std::unique_ptr<player::ScenarioWorld> {
        return std::make_unique<ServedScenarioWorld>(
            delivery, root / ("user-" + std::to_string(++worldNumber)), calls, record);
    };

    std::vector<player::ScenarioOutcome> outcomes;
    std::map<std::string, e2e::GroupCost> costs;
    for (const auto& file : files) {
        const auto started = std::chrono::steady_clock::now();
        e2e::GroupCost& cost = costs[groupOf(file)];
        record.group = &cost;
        outcomes.push_back(player::runScenarioFile(file, worlds));
        if (!serversEnded(record) && outcomes.back().passed) {
            outcomes.back().passed = false;
            outcomes.back().reason = "a Word server process was still running after the scenario";
        }
        std::cout << player::reportLine(outcomes.back()) << std::endl;
        ++cost.scenarios;
        cost.seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    // Each member name is resolved once per type of Word object over the whole run, whatever
    // the number of Word processes the run went through.
    int lookupFaults = 0;
    long lookups = 0;
    for (const auto& [member, count] : record.componentLookupsByMember) {
        lookups += count;
        if (count > 1) {
            ++lookupFaults;
            std::cout << "FAIL  GetIDsOfNames called " << count << " times for "
                      << toUtf8(member.second) << " of " << member.first << std::endl;
        }
    }
    std::cout << "component: " << lookups << " GetIDsOfNames for "
              << record.componentLookupsByMember.size() << " members of Word's types" << std::endl;

    e2e::BareCosts bare;
    try {
        bare = bareCosts(root / "bare", record, calls);
    } catch (const std::exception& failure) {
        std::cout << "FAIL  the bare call could not be measured: " << failure.what() << std::endl;
        ++lookupFaults;
    }
    if (!serversEnded(record)) {
        std::cout << "FAIL  the bare call's Word server was still running" << std::endl;
        ++lookupFaults;
    }

    std::ofstream bench;
    if (!benchFile.empty())
        bench.open(benchFile);
    std::ostream& out = bench.is_open() ? static_cast<std::ostream&>(bench) : std::cout;
    e2e::writeBench(out, costs, bare);
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
    e2e::CallTimer::install();
    int status = 2;
    const std::wstring quoted = L"\"" + dll.wstring() + L"\"";
    if (runRegsvr32(quoted) != 0) {
        std::fprintf(stderr, "cannot register %ls\n", dll.c_str());
    } else {
        try {
            status = play(course, benchFile, scenarioFiles(arguments));
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "end-to-end run failed: %s\n", failure.what());
        }
    }
    runRegsvr32(L"/u " + quoted);
    CoUninitialize();
    return status;
}
