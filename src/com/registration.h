// Registration of the component: its type library and its public classes (in-process server,
// threading model Apartment, ProgID "K72645.<class>"). The server registers machine-wide under
// HKEY_CLASSES_ROOT (DllRegisterServer, which needs an administrator) or for the current user
// alone under HKEY_CURRENT_USER\Software\Classes, which COM reads first (DllInstall "user").
// Unregistration removes exactly what the same registration writes.
#pragma once

#include <windows.h>

namespace k72645::com {

HRESULT registerServer();
HRESULT unregisterServer();
HRESULT registerServerForUser();
HRESULT unregisterServerForUser();

}  // namespace k72645::com
