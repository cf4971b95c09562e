#include "com/type_library.h"

#include <oleauto.h>

#include <string>

#include "com/server_state.h"

namespace k72645::com {

namespace {
HRESULT loadResource(int resource, ITypeLib** library) {
    std::wstring path = modulePath();
    if (resource != 1)
        path += L"\\" + std::to_wstring(resource);
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
}
}  // namespace

HRESULT loadComponentLibrary(ITypeLib** library) {
    return loadResource(1, library);
}

HRESULT playerTypeInfo(const IID& iid, ITypeInfo** info) {
    *info = nullptr;
    ITypeLib* library = nullptr;
    HRESULT hr = loadResource(2, &library);
    if (FAILED(hr))
        return hr;
    hr = library->GetTypeInfoOfGuid(iid, info);
    library->Release();
    return hr;
}

}  // namespace k72645::com
