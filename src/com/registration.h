// Registration of the component: its type library and its public classes (in-process server,
// threading model Apartment, ProgID "K72645.<class>"). Unregistration removes exactly that.
#pragma once

#include <windows.h>

namespace k72645::com {

HRESULT registerServer();
HRESULT unregisterServer();

}  // namespace k72645::com
