// The in-process server's own state: its module handle, and the counts of live objects and of
// LockServer locks that DllCanUnloadNow answers from.
#pragma once

#include <windows.h>

#include <string>

namespace k72645::com {

void setModuleHandle(HINSTANCE module);
HINSTANCE moduleHandle();
// The full path of the component's DLL.
std::wstring modulePath();

void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
bool canUnload();

}  // namespace k72645::com
