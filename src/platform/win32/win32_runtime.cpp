#include "platform/win32/win32_runtime.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"

namespace k72645::win32 {

namespace {
CLSID classOf(const std::u16string& progId) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(wide(progId), &clsid)))
        throw errors::runtime(errors::kCannotCreateObject);
    return clsid;
}

DispatchPtr adopt(IUnknown* object) {
    IDispatch* dispatch = nullptr;
    const HRESULT hr = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    object->Release();
    if (FAILED(hr) || !dispatch)
        throw errors::runtime(errors::kCannotCreateObject);
    DispatchPtr result = dispatchFromCom(dispatch);
    dispatch->Release();
    return result;
}
}  // namespace

DispatchPtr Win32Runtime::createObject(const std::u16string& progId) {
    const CLSID clsid = classOf(progId);
    IUnknown* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                IID_IUnknown, reinterpret_cast<void**>(&object))) ||
        !object)
        throw errors::runtime(errors::kCannotCreateObject);
    return adopt(object);
}

DispatchPtr Win32Runtime::getRunningObject(const std::u16string& progId) {
    const CLSID clsid = classOf(progId);
    IUnknown* object = nullptr;
    if (FAILED(GetActiveObject(clsid, nullptr, &object)) || !object)
        throw errors::runtime(errors::kCannotCreateObject);
    return adopt(object);
}

void Win32Sleeper::sleep(std::int32_t milliseconds) {
    ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

}  // namespace k72645::win32
