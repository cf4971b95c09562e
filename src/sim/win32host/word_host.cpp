#include "sim/win32host/word_host.h"

#include <objbase.h>
#include <oleauto.h>

#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "sim/runtime/sim_world.h"
#include "sim/win32host/class_object.h"
#include "sim/win32host/round_trip_counter.h"
#include "sim/win32host/win32_window_system.h"

namespace k72645::sim::win32host {

namespace {
struct Task {
    const std::function<void()>* run = nullptr;
    HANDLE done = nullptr;
    std::exception_ptr failure;
};

// Word.Global of whichever world the host runs: a client may keep it from one world to the
// next, as the component keeps it for the life of the process.
class CurrentGlobal : public Dispatch {
public:
    explicit CurrentGlobal(std::function<DispatchPtr()> global) : global_(std::move(global)) {}
    Variant invoke(std::u16string_view member, InvokeKind kind, Arguments& args) override {
        DispatchPtr global = global_();
        if (!global)
            throw errors::runtime(errors::kServerUnavailable);
        return global->invoke(member, kind, args);
    }
    std::vector<std::u16string> memberNames() const override {
        DispatchPtr global = global_();
        return global ? global->memberNames() : std::vector<std::u16string>{};
    }

private:
    std::function<DispatchPtr()> global_;
};
}  // namespace

struct WordHost::State {
    explicit State(std::atomic<int>& serverLocks) : locks(serverLocks) {}
    std::atomic<int>& locks;
    // Host thread only.
    std::shared_ptr<HostedObjects> objects;
    std::unique_ptr<RoundTripCounter> roundTrips;  // the thread's message filter
    std::shared_ptr<SimWorld> world;
    std::shared_ptr<Win32WindowSystem> windows;
    DWORD classCookie = 0;
    DWORD globalCookie = 0;
    std::unique_ptr<ClassObject> applicationClass;
    DispatchPtr global;
    std::unique_ptr<ClassObject> globalClass;
    DWORD activeCookie = 0;
    const void* activeIdentity = nullptr;
    int killedWords = 0;
    int wordsStarted = 0;
    // Start-up, between the threads.
    HANDLE ready = nullptr;
    HRESULT startResult = E_FAIL;
    // Work handed to the host's thread. It runs only from the thread's own loop, never from a
    // message loop COM runs while the thread waits on a call of its own (a thread message
    // would be lost there, and a task run there would cut into the call).
    std::mutex taskMutex;
    std::deque<Task*> tasks;
    bool stopping = false;
    HANDLE tasksReady = CreateEventW(nullptr, FALSE, FALSE, nullptr);

    // Runs the tasks handed over; false once the host is told to stop.
    bool runTasks() {
        while (true) {
            Task* task = nullptr;
            {
                const std::lock_guard lock(taskMutex);
                if (tasks.empty())
                    return !stopping;
                task = tasks.front();
                tasks.pop_front();
            }
            try {
                (*task->run)();
            } catch (...) {
                task->failure = std::current_exception();
            }
            SetEvent(task->done);
        }
    }

    // CreateObject("Word.application.11"): a new Word of the current world.
    HRESULT createApplication(REFIID iid, void** out) {
        if (!world)
            return CO_E_SERVER_EXEC_FAILURE;
        DispatchPtr application;
        try {
            application = world->startWord();
        } catch (...) {
            // Word not installed in this world.
            return REGDB_E_CLASSNOTREG;
        }
        ++wordsStarted;
        IDispatch* com = objects->comOf(application);
        const HRESULT hr = com->QueryInterface(iid, out);
        com->Release();
        followRunningWord();
        return hr;
    }

    // GetObject finds the most recently started Word that still runs; a killed Word's objects
    // are cut off from their clients; a Word that nobody sees and whose last client let it go
    // quits, as a Word started for automation does.
    void followRunningWord() {
        if (world && world->killedWords() != killedWords) {
            killedWords = world->killedWords();
            objects->disconnectObjectsOfKilledWords();
        }
        for (const auto& word : objects->takeWordsLetGo())
            if (word->running() && !word->visible())
                word->quit(SaveChoice::DoNotSave);
        DispatchPtr running = world ? world->runningWord() : nullptr;
        const void* identity = running ? running->identity() : nullptr;
        if (identity == activeIdentity)
            return;
        if (activeCookie) {
            RevokeActiveObject(activeCookie, nullptr);
            activeCookie = 0;
        }
        activeIdentity = identity;
        if (running) {
            IDispatch* com = objects->comOf(running);
            // Registered weakly, as the table's entry is no client: it keeps no Word running.
            if (FAILED(RegisterActiveObject(com, kWordApplicationClsid, ACTIVEOBJECT_WEAK,
                                            &activeCookie)))
                activeIdentity = nullptr;
            com->Release();
        }
    }

    HRESULT registerClasses() {
        HRESULT hr = CoRegisterClassObject(kWordApplicationClsid, applicationClass.get(),
                                           CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &classCookie);
        if (SUCCEEDED(hr))
            hr = CoRegisterClassObject(kWordGlobalClsid, globalClass.get(), CLSCTX_LOCAL_SERVER,
                                       REGCLS_MULTIPLEUSE, &globalCookie);
        return hr;
    }
    void revokeClasses() {
        for (DWORD* cookie : {&classCookie, &globalCookie}) {
            if (*cookie)
                CoRevokeClassObject(*cookie);
            *cookie = 0;
        }
    }
    // While withdrawn, the class objects stay connected for the clients that took one just
    // before: revoking alone would cut a client off between taking the class object and its
    // first call.
    void keepClassesConnected(bool keep) {
        for (ClassObject* object : {applicationClass.get(), globalClass.get()})
            CoLockObjectExternal(object, keep, FALSE);
    }

    void endWorld() {
        if (windows)
            windows->destroyAll();
        if (world)
            world->quitAll();
        world.reset();
        windows.reset();
        killedWords = 0;
        followRunningWord();
    }
};

WordHost::WordHost() : state_(std::make_unique<State>(locks_)) {
    state_->ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &WordHost::threadMain, state_.get(), 0, &threadId_);
    if (!thread_)
        throw std::runtime_error("cannot start the Word host's thread");
    HANDLE waits[] = {state_->ready, thread_};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    CloseHandle(state_->ready);
    state_->ready = nullptr;
    if (FAILED(state_->startResult)) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        throw std::runtime_error("cannot register Word's class object");
    }
}

WordHost::~WordHost() {
    {
        const std::lock_guard lock(state_->taskMutex);
        state_->stopping = true;
    }
    SetEvent(state_->tasksReady);
    DWORD index = 0;
    CoWaitForMultipleHandles(0, 30000, 1, &thread_, &index);
    CloseHandle(thread_);
    CloseHandle(state_->tasksReady);
}

DWORD WINAPI WordHost::threadMain(void* parameter) {
    State& state = *static_cast<State*>(parameter);
    MSG message;
    // The thread's message queue exists before anyone posts to it.
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    state.startResult = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(state.startResult)) {
        state.objects = HostedObjects::create([&state] { state.followRunningWord(); });
        state.roundTrips = std::make_unique<RoundTripCounter>(state.objects->counts().roundTrips);
        CoRegisterMessageFilter(state.roundTrips.get(), nullptr);
        state.applicationClass = std::make_unique<ClassObject>(
            [&state](REFIID iid, void** out) { return state.createApplication(iid, out); },
            state.locks);
        state.global = std::make_shared<CurrentGlobal>([&state]() -> DispatchPtr {
            return state.world ? state.world->wordGlobal() : nullptr;
        });
        state.globalClass = std::make_unique<ClassObject>(
            [&state](REFIID iid, void** out) {
                if (!state.world || !state.world->wordInstalled())
                    return REGDB_E_CLASSNOTREG;
                IDispatch* com = state.objects->comOf(state.global);
                const HRESULT hr = com->QueryInterface(iid, out);
                com->Release();
                return hr;
            },
            state.locks);
        state.startResult = state.registerClasses();
    }
    SetEvent(state.ready);
    if (FAILED(state.startResult))
        return 1;

    while (state.runTasks()) {
        // A key already queued is taken before the calls behind it: the learner's Escape
        // reaches the dialog before Word answers the next call, as in Word's own process.
        if (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
            PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            DispatchMessageW(&message);
            state.followRunningWord();
            continue;
        }
        MsgWaitForMultipleObjectsEx(1, &state.tasksReady, INFINITE, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }

    state.endWorld();
    state.revokeClasses();
    state.global.reset();
    CoRegisterMessageFilter(nullptr, nullptr);
    state.roundTrips.reset();
    state.objects.reset();
    CoUninitialize();
    return 0;
}

void WordHost::onHostThread(const std::function<void()>& run) {
    Task task;
    task.run = &run;
    task.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        const std::lock_guard lock(state_->taskMutex);
        state_->tasks.push_back(&task);
    }
    SetEvent(state_->tasksReady);
    DWORD index = 0;
    CoWaitForMultipleHandles(0, INFINITE, 1, &task.done, &index);
    CloseHandle(task.done);
    if (task.failure)
        std::rethrow_exception(task.failure);
}

IDispatch* WordHost::startWorld(const std::u16string& userFolder) {
    IStream* stream = nullptr;
    onHostThread([&] {
        State& state = *state_;
        state.endWorld();
        state.windows = std::make_shared<Win32WindowSystem>();
        SimWorldPorts ports;
        ports.files = std::make_shared<win32::Win32FileSystem>();
        ports.windows = state.windows;
        ports.desktop = std::make_shared<win32::Win32Desktop>();
        state.world = SimWorld::create(std::move(ports), userFolder);
        IDispatch* root = state.objects->comOf(state.world->simRoot());
        CoMarshalInterThreadInterfaceInStream(IID_IDispatch, root, &stream);
        root->Release();
    });
    IDispatch* root = nullptr;
    if (!stream || FAILED(CoGetInterfaceAndReleaseStream(stream, IID_IDispatch,
                                                         reinterpret_cast<void**>(&root))))
        throw std::runtime_error("cannot reach the hosted world");
    return root;
}

void WordHost::endWorld() {
    onHostThread([this] { state_->endWorld(); });
}

WordHost::WordCounts WordHost::wordCounts() {
    WordCounts counts;
    onHostThread([&] {
        counts.running = state_->world ? state_->world->wordCount() : 0;
        counts.started = state_->wordsStarted;
    });
    return counts;
}

bool WordHost::withdrawIfIdle(const std::function<bool()>& othersIdle) {
    bool withdrawn = false;
    onHostThread([&] {
        State& state = *state_;
        const int running = state.world ? state.world->wordCount() : 0;
        // A call waiting in the thread's queue may be a client's activation, which the
        // registration must still serve: the host looks again once it has been served.
        MSG waiting;
        if (running != 0 || state.locks > 0 || !othersIdle() ||
            PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE))
            return;
        state.keepClassesConnected(true);
        state.revokeClasses();
        withdrawn = true;
    });
    return withdrawn;
}

void WordHost::serveAgain() {
    onHostThread([this] {
        if (state_->classCookie)
            return;
        state_->keepClassesConnected(false);
        if (FAILED(state_->registerClasses()))
            throw std::runtime_error("cannot register Word's class object again");
    });
}

CallCounts WordHost::counts() {
    CallCounts counts;
    onHostThread([&] { counts = state_->objects->counts(); });
    return counts;
}

}  // namespace k72645::sim::win32host
