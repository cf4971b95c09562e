// The common frame of the component's COM objects: reference counting (counted as live objects
// of the server), QueryInterface for IUnknown, IDispatch, the interface and the class's default
// interface, IDispatch over the interface's type information, and error reporting. A member runs
// its body through guarded(): no exception leaves it; a failure is the HRESULT of its error's
// number with the thread's IErrorInfo set, and through IDispatch::Invoke the same error fills the
// EXCEPINFO. Every member that runs goes through guarded().
#pragma once

#include <oaidl.h>
#include <oleauto.h>
#include <windows.h>

#include <atomic>
#include <optional>

#include "automation/com_error.h"
#include "com/server_state.h"
#include "com/type_library.h"
#include "com/variant_references.h"
#include "errors/error_service.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/engine_dispatch.h"
#include "platform/win32/foreign_dispatch.h"

namespace k72645::com {

template <class Interface, const IID& Iid, const IID& DefaultIid>
class DualObject : public Interface, public ISupportErrorInfo {
public:
    DualObject(const DualObject&) = delete;
    DualObject& operator=(const DualObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, Iid) || IsEqualIID(iid, DefaultIid)) {
            *out = static_cast<Interface*>(this);
        } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        // Typed even while its library cannot be loaded: GetTypeInfo then says why.
        return win32::giveTypeInfoCount(true, count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        return win32::giveTypeInfo(typeInfo(), index, info, TYPE_E_CANTLOADLIBRARY);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        ITypeInfo* own = typeInfo();
        return own ? DispGetIDsOfNames(own, names, count, ids) : TYPE_E_CANTLOADLIBRARY;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        // The interface identifier is reserved and must be IID_NULL.
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* own = typeInfo();
        if (!own)
            return TYPE_E_CANTLOADLIBRARY;
        // The object's state is read after the member returns: the object stays alive until
        // then, even when the caller (or code the member ran) releases its last reference.
        AddRef();
        struct ReleaseAtEnd {
            DualObject* self;
            ~ReleaseAtEnd() { self->Release(); }
        } releaseAtEnd{this};
        return win32::atComEntryPoint([&] {
            lastError_.reset();
            VariantReferences references;
            const HRESULT lent = references.lend(own, id, flags, parameters, argumentError);
            if (FAILED(lent))
                return lent;
            const unsigned entered = membersEntered_;
            const HRESULT hr = DispInvoke(static_cast<Interface*>(this), own, id, flags, parameters,
                                          result, exception, argumentError);
            // A call refused before any member ran (the wrong number of arguments, a type
            // that does not convert) leaves the caller's variables as they were.
            references.giveBack(membersEntered_ != entered);
            if (!lastError_)
                return hr;
            // The member failed: the caller gets its error whatever the type information made
            // of it.
            if (exception) {
                SysFreeString(exception->bstrSource);
                SysFreeString(exception->bstrDescription);
                SysFreeString(exception->bstrHelpFile);
                win32::fillExcepInfo(*lastError_, exception);
            }
            lastError_.reset();
            return DISP_E_EXCEPTION;
        });
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return IsEqualIID(iid, Iid) || IsEqualIID(iid, DefaultIid) ? S_OK : S_FALSE;
    }

protected:
    DualObject() { objectCreated(); }
    virtual ~DualObject() {
        if (typeInfo_)
            typeInfo_->Release();
        // What the object held of Word (its members are gone by now) goes back at once.
        win32::ForeignCalls::component()->releaseDeferred();
        objectDestroyed();
    }

    // The object stays alive until the member returns, even when the caller or code called
    // back meanwhile releases its last reference. When the member returns, the references to
    // Word's objects that the call let go are given back.
    template <class Body>
    HRESULT guarded(Body&& body) {
        ++membersEntered_;
        AddRef();
        struct ReleaseAtEnd {
            DualObject* self;
            ~ReleaseAtEnd() {
                win32::ForeignCalls::component()->releaseDeferred();
                self->Release();
            }
        } releaseAtEnd{this};
        try {
            body();
            // A call made meanwhile from inside this one (and refused) leaves no error here.
            lastError_.reset();
            return S_OK;
        } catch (...) {
            // Keeping the error needs memory too: without it, the call fails as COM's
            // out-of-memory, with no error information.
            lastError_.reset();
            return win32::atComEntryPoint([&] {
                lastError_ = currentError();
                return win32::reportError(*lastError_, Iid);
            });
        }
    }

private:
    ITypeInfo* typeInfo() {
        if (!typeInfo_)
            playerTypeInfo(Iid, &typeInfo_);
        return typeInfo_;
    }

    std::atomic<ULONG> references_{1};
    ITypeInfo* typeInfo_ = nullptr;
    std::optional<ComError> lastError_;
    // Members entered through guarded(), to tell a call that ran from one refused before it.
    unsigned membersEntered_ = 0;
};

}  // namespace k72645::com
