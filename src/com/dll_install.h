// DllInstall as regsvr32 calls it: "regsvr32 /n /i:user k72645.dll" registers the component for
// the current user alone, "regsvr32 /u /n /i:user" removes that registration; without a command
// line it registers or removes machine-wide, as DllRegisterServer and DllUnregisterServer do.
// Any other command line is refused with E_INVALIDARG and changes nothing.
#pragma once

#include <windows.h>

namespace k72645::com {

HRESULT dllInstall(bool install, const wchar_t* commandLine);

}  // namespace k72645::com
