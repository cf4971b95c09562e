#include "platform/win32/native_dispatch.h"

#include "automation/text.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"

namespace k72645::win32 {

namespace {
// Private identity of a NativeDispatch, answered by QueryInterface to find the engine object.
// {6B1D0C6E-4F0A-4C55-9E48-0F6B7E3A4D21}
const IID kNativeDispatchIid = {
    0x6b1d0c6e, 0x4f0a, 0x4c55, {0x9e, 0x48, 0x0f, 0x6b, 0x7e, 0x3a, 0x4d, 0x21}};

// Writes a by-reference argument back from the engine's value.
void writeBack(VARIANT& arg, const Variant& value) {
    if (!(V_VT(&arg) & VT_BYREF))
        return;
    if (V_VT(&arg) == (VT_BYREF | VT_VARIANT)) {
        VariantClear(V_VARIANTREF(&arg));
        toVariant(value, V_VARIANTREF(&arg));
        return;
    }
    VARIANT fresh;
    toVariant(value, &fresh);
    VARIANT converted;
    VariantInit(&converted);
    const VARTYPE target = V_VT(&arg) & ~VT_BYREF;
    if (SUCCEEDED(VariantChangeType(&converted, &fresh, 0, target))) {
        switch (target) {
            case VT_BSTR:
                SysFreeString(*V_BSTRREF(&arg));
                *V_BSTRREF(&arg) = V_BSTR(&converted);
                V_VT(&converted) = VT_EMPTY;  // the BSTR now belongs to the caller
                break;
            case VT_DISPATCH:
                if (*V_DISPATCHREF(&arg))
                    (*V_DISPATCHREF(&arg))->Release();
                *V_DISPATCHREF(&arg) = V_DISPATCH(&converted);
                V_VT(&converted) = VT_EMPTY;
                break;
            case VT_I4:
                *V_I4REF(&arg) = V_I4(&converted);
                break;
            case VT_I2:
                *V_I2REF(&arg) = V_I2(&converted);
                break;
            case VT_BOOL:
                *V_BOOLREF(&arg) = V_BOOL(&converted);
                break;
            case VT_R8:
                *V_R8REF(&arg) = V_R8(&converted);
                break;
            default:
                break;
        }
    }
    VariantClear(&converted);
    VariantClear(&fresh);
}
}  // namespace

HRESULT invokeEngine(const DispatchPtr& object, std::u16string_view member, WORD flags,
                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception) {
    try {
        const UINT count = parameters ? parameters->cArgs : 0;
        const UINT named = parameters ? parameters->cNamedArgs : 0;
        const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        if (named > (put ? 1u : 0u))
            return DISP_E_NONAMEDARGS;
        Arguments args;
        args.reserve(count);
        for (UINT i = 0; i < count; ++i) {
            VARIANT& arg = parameters->rgvarg[count - 1 - i];
            Argument a(fromVariant(arg));
            a.byRef = (V_VT(&arg) & VT_BYREF) != 0;
            args.push_back(std::move(a));
        }
        const InvokeKind kind = put                              ? InvokeKind::PropertyPut
                                : (flags & DISPATCH_METHOD) != 0 ? InvokeKind::Method
                                                                 : InvokeKind::PropertyGet;
        Variant value = object->invoke(member, kind, args);
        for (UINT i = 0; i < count; ++i)
            if (args[i].byRef)
                writeBack(parameters->rgvarg[count - 1 - i], args[i].value);
        if (result) {
            VariantClear(result);
            toVariant(value, result);
        }
        return S_OK;
    } catch (const ComError& error) {
        fillExcepInfo(error, exception);
        return DISP_E_EXCEPTION;
    } catch (...) {
        fillExcepInfo(errors::runtime(errors::kInternalError), exception);
        return DISP_E_EXCEPTION;
    }
}

IDispatch* NativeDispatch::create(DispatchPtr object) {
    return new NativeDispatch(std::move(object));
}

DispatchPtr NativeDispatch::engineObjectOf(IDispatch* object) {
    NativeDispatch* native = nullptr;
    if (object &&
        SUCCEEDED(object->QueryInterface(kNativeDispatchIid, reinterpret_cast<void**>(&native))) &&
        native) {
        DispatchPtr engine = native->object_;
        native->Release();
        return engine;
    }
    return nullptr;
}

NativeDispatch::NativeDispatch(DispatchPtr object) : object_(std::move(object)) {}

HRESULT NativeDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, kNativeDispatchIid)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG NativeDispatch::AddRef() {
    return ++references_;
}

ULONG NativeDispatch::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT NativeDispatch::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT NativeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT NativeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    const std::u16string name = lcase(fromWide(names[0]));
    DISPID id = 0;
    for (std::size_t i = 0; i < names_.size() && id == 0; ++i)
        if (names_[i] == name)
            id = static_cast<DISPID>(i + 1);
    if (id == 0) {
        names_.push_back(name);
        id = static_cast<DISPID>(names_.size());
    }
    ids[0] = id;
    for (UINT i = 1; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT NativeDispatch::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                               VARIANT* result, EXCEPINFO* exception, UINT*) {
    // The interface identifier is reserved and must be IID_NULL.
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    std::u16string member;
    if (id != DISPID_VALUE) {
        if (id < 1 || static_cast<std::size_t>(id) > names_.size())
            return DISP_E_MEMBERNOTFOUND;
        member = names_[static_cast<std::size_t>(id) - 1];
    }
    return invokeEngine(object_, member, flags, parameters, result, exception);
}

}  // namespace k72645::win32
