// The control of a Word server's world, for the test player that drives the component against
// Word in its own process: it starts a fresh world (its Sim object for the scenario), ends it,
// names the server's process, and reports the calls the server's Words received. Its class
// ("K72645.SimulatedWord.World") is served by the same executable as Word's classes, so that
// creating it starts a Word server of its own; the server lives while a control is held.
#pragma once

#include <windows.h>

#include <atomic>

#include "automation/automation_object.h"
#include "sim/win32host/word_host.h"

namespace k72645::sim::win32host {

// {5A7E3C21-9D4B-4C8F-B2E6-71D03A9F4E58}
inline constexpr CLSID kWorldControlClsid = {
    0x5a7e3c21, 0x9d4b, 0x4c8f, {0xb2, 0xe6, 0x71, 0xd0, 0x3a, 0x9f, 0x4e, 0x58}};
inline constexpr const wchar_t* kWorldControlProgId = L"K72645.SimulatedWord.World";

// Members, all called from the server's main thread:
//   StartWorld(userFolder) -> Sim   a fresh world whose user folder is the one named
//   EndWorld                        quits every Word of the world and closes its windows
//   ProcessId                       the server's process
//   ComponentInvokes, ComponentNameLookups, PlayerInvokes, PlayerNameLookups
//                                   the calls counted since the server started
//   ComponentInvokeSeconds          the time Word spent inside the component's Invoke calls
//   ComponentLookupsByMember        one line per member: type TAB member TAB count
//   ComponentObjects                Word's objects handed out in answers to the component
//   RoundTrips                      every call that reached Word's thread from another
//                                   apartment, whoever made it: one line per kind (Invoke,
//                                   RemRelease...): kind TAB count
class WorldControl : public AutomationObject {
public:
    // `held` counts the controls alive, which keep the server running.
    WorldControl(WordHost& host, std::atomic<int>& held);
    ~WorldControl() override;

private:
    WordHost& host_;
    std::atomic<int>& held_;
};

}  // namespace k72645::sim::win32host
