// The simulated Word in a process of its own, a COM local server as Word is. "/RegServer"
// registers its classes for the machine as Word's setup does (Word.Application and
// Word.Application.11, Word.Global and Word.Global.11, with this executable under
// LocalServer32, and Word's type library), "/UnregServer" removes them. Started by COM
// ("/Automation" or "-Embedding"), it serves one world of simulated Words, with its windows in this
// process, and ends when the last of its Words has gone (quit, or its clients let it go), no
// client holds a LockServer lock and no test player holds the world's control, or when no client
// has asked for anything within a minute of its start. It stops taking new clients before it
// ends; one that reached it meanwhile keeps it running. The world's control
// ("K72645.SimulatedWord.World") lets a test player start a fresh world in a server of its own and
// read the calls its Words received.
#include <objbase.h>
#include <windows.h>

#include <atomic>
#include <cwchar>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/win32/engine_dispatch.h"
#include "sim/win32host/class_object.h"
#include "sim/win32host/server/word_type_library.h"
#include "sim/win32host/word_host.h"
#include "sim/win32host/world_control.h"

namespace {

using k72645::sim::win32host::kWordApplicationClsid;
using k72645::sim::win32host::kWordGlobalClsid;
using k72645::sim::win32host::kWorldControlClsid;
using k72645::sim::win32host::kWorldControlProgId;

struct ServerClass {
    const CLSID* classId;
    const wchar_t* name;
    const wchar_t* progId;
    const wchar_t* versionIndependentProgId;
    bool typeLibrary;  // described by Word's type library
};

const ServerClass kClasses[] = {
    {&kWordApplicationClsid, L"Microsoft Word Application", L"Word.Application.11",
     L"Word.Application", true},
    {&kWordGlobalClsid, L"Microsoft Word Global", L"Word.Global.11", L"Word.Global", true},
    {&kWorldControlClsid, L"Simulated Word's world", L"K72645.SimulatedWord.World.1",
     kWorldControlProgId, false},
};

constexpr DWORD kIdleLimitMs = 60000;
constexpr DWORD kPollMs = 200;
// How long a server whose classes are withdrawn still serves the clients that took a class
// object just before.
constexpr DWORD kLastCallersMs = 500;

// Serves the main thread's calls and messages for about the time given.
void serveMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    DWORD left = milliseconds;
    while (true) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds)
            return;
        left = milliseconds - spent;
    }
}

bool setValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, path.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

std::wstring guidText(const CLSID& id) {
    wchar_t text[64] = {};
    StringFromGUID2(id, text, 64);
    return text;
}

std::wstring executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Word's type library, beside this executable.
std::wstring typeLibraryPath() {
    std::wstring path = executablePath();
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"k72645_word.tlb";
}

int registerServer() {
    const std::wstring command = L"\"" + executablePath() + L"\" /Automation";
    bool written = true;
    for (const ServerClass& c : kClasses) {
        const std::wstring clsid = guidText(*c.classId);
        const std::wstring classKey = L"CLSID\\" + clsid;
        written =
            written && setValue(classKey, nullptr, c.name) &&
            setValue(classKey + L"\\LocalServer32", nullptr, command) &&
            setValue(classKey + L"\\ProgID", nullptr, c.progId) &&
            setValue(classKey + L"\\VersionIndependentProgID", nullptr,
                     c.versionIndependentProgId) &&
            setValue(std::wstring(c.progId) + L"\\CLSID", nullptr, clsid) &&
            setValue(std::wstring(c.versionIndependentProgId) + L"\\CLSID", nullptr, clsid) &&
            setValue(std::wstring(c.versionIndependentProgId) + L"\\CurVer", nullptr, c.progId);
        if (c.typeLibrary)
            written = written && setValue(classKey + L"\\TypeLib", nullptr,
                                          guidText(k72645::sim::win32host::kWordLibraryId));
    }
    // Word's type library, written next to this executable.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const HRESULT hr = k72645::sim::win32host::registerWordTypeLibrary(typeLibraryPath());
    CoUninitialize();
    return written && SUCCEEDED(hr) ? 0 : 1;
}

int unregisterServer() {
    for (const ServerClass& c : kClasses) {
        for (const std::wstring& path : {L"CLSID\\" + guidText(*c.classId), std::wstring(c.progId),
                                         std::wstring(c.versionIndependentProgId)}) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
        }
    }
    k72645::sim::win32host::unregisterWordTypeLibrary();
    DeleteFileW(typeLibraryPath().c_str());
    return 0;
}

std::u16string userFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder = std::wstring(temp) + L"k72645-word\\";
    return std::u16string(folder.begin(), folder.end());
}

int serve() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    int status = 0;
    try {
        k72645::sim::win32host::WordHost host;
        host.startWorld(userFolder())->Release();
        std::atomic<int> held{0};
        std::atomic<int>& locks = host.serverLocks();
        // Each instance of the control's class is a new control of this server's world.
        k72645::sim::win32host::ClassObject controls(
            [&host, &held](REFIID iid, void** out) {
                IDispatch* control = k72645::win32::NativeDispatch::create(
                    std::make_shared<k72645::sim::win32host::WorldControl>(host, held));
                const HRESULT hr = control->QueryInterface(iid, out);
                control->Release();
                return hr;
            },
            locks);
        DWORD controlCookie = 0;
        const auto offerControl = [&] {
            if (FAILED(CoRegisterClassObject(kWorldControlClsid, &controls, CLSCTX_LOCAL_SERVER,
                                             REGCLS_MULTIPLEUSE, &controlCookie)))
                throw std::runtime_error("cannot register the world's control");
        };
        offerControl();
        const DWORD started = GetTickCount();
        bool served = false;
        while (true) {
            serveMessagesFor(kPollMs);
            const auto words = host.wordCounts();
            // A Word may have come and gone between two looks.
            served = served || words.started > 0 || held > 0 || locks > 0;
            const bool idle = served ? words.running == 0 && held == 0 && locks == 0
                                     : GetTickCount() - started > kIdleLimitMs;
            if (!idle)
                continue;
            // No new client may reach the server while it ends: its classes are withdrawn first,
            // Word's on the host's thread, which serves Word's activations, after a last look
            // there. A client that took a class object just before may still call it: it is
            // served for a moment, and when it started a Word or took a lock meanwhile, the
            // server goes on.
            CoLockObjectExternal(&controls, TRUE, FALSE);
            CoRevokeClassObject(controlCookie);
            if (host.withdrawIfIdle([&held] { return held == 0; })) {
                serveMessagesFor(kLastCallersMs);
                if (host.wordCounts().started == words.started && held == 0 && locks == 0)
                    break;
                host.serveAgain();
            }
            CoLockObjectExternal(&controls, FALSE, FALSE);
            offerControl();
        }
        host.endWorld();
    } catch (...) {
        status = 1;
    }
    CoUninitialize();
    return status;
}

bool isSwitch(const wchar_t* argument, const wchar_t* name) {
    return (argument[0] == L'/' || argument[0] == L'-') && _wcsicmp(argument + 1, name) == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && isSwitch(argv[1], L"RegServer"))
        return registerServer();
    if (argc > 1 && isSwitch(argv[1], L"UnregServer"))
        return unregisterServer();
    return serve();
}
