// Registering and unregistering the component as the player's installer does: regsvr32 run
// silently in its own process; the result is its exit code (0xFFFFFFFF when it cannot start).
#pragma once

#include <windows.h>

#include <string>

namespace k72645::windows_test {

inline DWORD runRegsvr32(const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe /s " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 0xFFFFFFFF;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

}  // namespace k72645::windows_test
