// The type information the component's objects dispatch with, from the type libraries embedded
// in the DLL: resource 1 is the component's library, resource 2 its copy of the player's K00000.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace k72645::com {

// The component's own library (for registration); the caller releases it.
HRESULT loadComponentLibrary(ITypeLib** library);
// The type information of one of the player's interfaces, with a reference for the caller.
HRESULT playerTypeInfo(const IID& iid, ITypeInfo** info);

}  // namespace k72645::com
