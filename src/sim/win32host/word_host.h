// The simulated Word hosted as a real COM server in this process: a thread of its own (a
// single-threaded apartment whose message loop serves the COM calls and the windows), the
// class objects of "Word.application.11" and "Word.Global" registered for CreateObject, and
// the most recently started Word that still runs registered as the active object for GetObject.
// Each world the host runs is fresh: real files in a user folder of its own, real windows.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "sim/win32host/hosted_dispatch.h"

namespace k72645::sim::win32host {

// Word 2003's class: what "Word.application.11" names.
// {000209FF-0000-0000-C000-000000000046}
inline constexpr CLSID kWordApplicationClsid = {
    0x000209ff, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Word's global object: what "Word.Global" names.
// {000209F0-0000-0000-C000-000000000046}
inline constexpr CLSID kWordGlobalClsid = {
    0x000209f0, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class WordHost {
public:
    // Starts the host's thread and registers the class object; throws std::runtime_error when
    // the host cannot start. The calling thread must be in a single-threaded apartment.
    WordHost();
    ~WordHost();
    WordHost(const WordHost&) = delete;
    WordHost& operator=(const WordHost&) = delete;

    // Quits the world running (if any) and starts a fresh one whose user folder is the one
    // named. Returns the new world's Sim object for the calling apartment (one reference).
    IDispatch* startWorld(const std::u16string& userFolder);
    // Quits every Word of the current world, closes its windows and forgets it.
    void endWorld();
    // The calls counted since the host started.
    CallCounts counts();
    // The Words running in the current world, and how many Words clients started since the
    // host started.
    struct WordCounts {
        int running = 0;
        int started = 0;
    };
    WordCounts wordCounts();

    // The LockServer count of the server's process, kept by each of its class objects: a
    // client's lock keeps the server running.
    std::atomic<int>& serverLocks() { return locks_; }
    // Withdraws Word's classes from new clients when nothing holds the server: no Word of the
    // world running, no lock, and othersIdle() (asked on the host's thread) true. Looked at and
    // withdrawn on the host's thread, which serves the activations, so that none comes in
    // between. True when withdrawn.
    bool withdrawIfIdle(const std::function<bool()>& othersIdle);
    // Offers Word's classes again after withdrawIfIdle: a client reached the server meanwhile.
    void serveAgain();

private:
    struct State;
    // Runs the task on the host's thread and waits for it, serving the caller's apartment.
    void onHostThread(const std::function<void()>& task);
    static DWORD WINAPI threadMain(void* state);

    std::atomic<int> locks_{0};
    std::unique_ptr<State> state_;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

}  // namespace k72645::sim::win32host
