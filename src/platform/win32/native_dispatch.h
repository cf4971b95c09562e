// An engine object handed to a COM client as an IDispatch: member names get dispatch
// identifiers as they are asked for, and Invoke calls the engine object by name. By-reference
// arguments are written back; a failure is returned as DISP_E_EXCEPTION with its EXCEPINFO.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace k72645::win32 {

class NativeDispatch : public IDispatch {
public:
    // A new COM object over the engine object, with one reference for the caller.
    static IDispatch* create(DispatchPtr object);
    // The engine object behind a NativeDispatch, or nothing for any other COM object.
    static DispatchPtr engineObjectOf(IDispatch* object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

private:
    explicit NativeDispatch(DispatchPtr object);
    virtual ~NativeDispatch() = default;

    std::atomic<ULONG> references_{1};
    DispatchPtr object_;
    std::vector<std::u16string> names_;  // dispatch identifier n is names_[n - 1]
};

// Calls an engine object with the arguments of an IDispatch::Invoke (shared by every COM object
// of the component that dispatches to the engine by name).
HRESULT invokeEngine(const DispatchPtr& object, std::u16string_view member, WORD flags,
                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception);

}  // namespace k72645::win32
