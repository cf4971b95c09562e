#include "platform/win32/com_variant.h"

#include <cstring>

#include "platform/win32/com_text.h"
#include "platform/win32/engine_dispatch.h"
#include "platform/win32/foreign_dispatch.h"

namespace k72645::win32 {

namespace {
// Frees a VARIANT on every way out of a scope.
struct ClearedAtEnd {
    VARIANT& value;
    ~ClearedAtEnd() { VariantClear(&value); }
};

// References a caller may chain before the chain is taken for a loop.
constexpr int kLongestReferenceChain = 16;

// Bytes a by-reference scalar of the type takes.
std::size_t scalarSize(VARTYPE type) {
    switch (type) {
        case VT_I1:
        case VT_UI1:
            return 1;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            return 2;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
        case VT_ERROR:
            return 4;
        case VT_I8:
        case VT_UI8:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
            return 8;
        default:
            return 0;
    }
}

Variant byConversion(const VARIANT& value, VARTYPE type, const ObjectMapping& objects) {
    VARIANT converted;
    VariantInit(&converted);
    const ClearedAtEnd clear{converted};
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, type)))
        throw errors::typeMismatch();
    return fromVariant(converted, objects);
}

class ComponentObjects final : public ObjectMapping {
public:
    DispatchPtr engineOf(IDispatch* object) const override { return dispatchFromCom(object); }
    IDispatch* comOf(const DispatchPtr& object) const override { return comFromDispatch(object); }
};
}  // namespace

const ObjectMapping& componentObjects() {
    static const ComponentObjects objects;
    return objects;
}

Variant fromVariant(const VARIANT& value, const ObjectMapping& objects) {
    if (V_VT(&value) & VT_BYREF) {
        // A null reference names no variable: it reads as Empty.
        const VARIANT* target = referenceTarget(const_cast<VARIANT*>(&value));
        if (!target)
            return Variant();
        if (!(V_VT(target) & VT_BYREF))
            return fromVariant(*target, objects);
        VARIANT copy;
        VariantInit(&copy);
        // Cleared also when the copy holds a type the engine refuses.
        const ClearedAtEnd clear{copy};
        if (FAILED(VariantCopyInd(&copy, const_cast<VARIANT*>(target))))
            throw errors::typeMismatch();
        return fromVariant(copy, objects);
    }
    switch (V_VT(&value)) {
        case VT_EMPTY:
            return Variant();
        case VT_NULL:
            return Variant(Null{});
        case VT_BOOL:
            return Variant(V_BOOL(&value) != VARIANT_FALSE);
        case VT_I2:
            return Variant(static_cast<std::int16_t>(V_I2(&value)));
        case VT_UI1:
            return Variant(static_cast<std::int16_t>(V_UI1(&value)));
        case VT_I1:
            return Variant(static_cast<std::int16_t>(V_I1(&value)));
        case VT_I4:
            return Variant(static_cast<std::int32_t>(V_I4(&value)));
        case VT_INT:
            return Variant(static_cast<std::int32_t>(V_INT(&value)));
        case VT_UI2:
            return Variant(static_cast<std::int32_t>(V_UI2(&value)));
        case VT_R8:
            return Variant(V_R8(&value));
        case VT_R4:
            return Variant(static_cast<double>(V_R4(&value)));
        case VT_DATE:
            return Variant(Date{V_DATE(&value)});
        case VT_BSTR:
            return Variant(fromBstr(V_BSTR(&value)));
        case VT_DISPATCH:
            return Variant(objects.engineOf(V_DISPATCH(&value)));
        case VT_UNKNOWN: {
            IUnknown* unknown = V_UNKNOWN(&value);
            if (!unknown)
                return Variant::nothing();
            IDispatch* dispatch = nullptr;
            if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
                throw errors::typeMismatch();
            struct ReleasedAtEnd {
                IDispatch* object;
                ~ReleasedAtEnd() { object->Release(); }
            } release{dispatch};
            return Variant(objects.engineOf(dispatch));
        }
        case VT_ERROR:
            if (V_ERROR(&value) == DISP_E_PARAMNOTFOUND)
                return Variant::missing();
            return Variant(static_cast<std::int32_t>(V_ERROR(&value)));
        case VT_UI4:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
        case VT_CY:
        case VT_DECIMAL:
            return byConversion(value, VT_R8, objects);
        default:
            throw errors::typeMismatch();
    }
}

void toVariant(const Variant& value, VARIANT* out, const ObjectMapping& objects) {
    VariantInit(out);
    switch (value.type()) {
        case Variant::Type::Empty:
            break;
        case Variant::Type::Null:
            V_VT(out) = VT_NULL;
            break;
        case Variant::Type::Boolean:
            V_VT(out) = VT_BOOL;
            V_BOOL(out) = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case Variant::Type::Integer:
            V_VT(out) = VT_I2;
            V_I2(out) = value.integer();
            break;
        case Variant::Type::Long:
            V_VT(out) = VT_I4;
            V_I4(out) = value.long32();
            break;
        case Variant::Type::Double:
            V_VT(out) = VT_R8;
            V_R8(out) = value.dbl();
            break;
        case Variant::Type::Date:
            V_VT(out) = VT_DATE;
            V_DATE(out) = value.date().serial;
            break;
        case Variant::Type::String:
            V_VT(out) = VT_BSTR;
            V_BSTR(out) = toBstr(value.string());
            break;
        case Variant::Type::Object:
            V_VT(out) = VT_DISPATCH;
            V_DISPATCH(out) = objects.comOf(value.object());
            break;
        case Variant::Type::Missing:
            V_VT(out) = VT_ERROR;
            V_ERROR(out) = DISP_E_PARAMNOTFOUND;
            break;
    }
}

DispatchPtr dispatchFromCom(IDispatch* object) {
    if (!object)
        return nullptr;
    if (DispatchPtr native = NativeDispatch::engineObjectOf(object))
        return native;
    return ForeignDispatch::wrap(object, ForeignCalls::component());
}

IDispatch* comFromDispatch(const DispatchPtr& object) {
    if (!object)
        return nullptr;
    if (auto* foreign = dynamic_cast<ForeignDispatch*>(object.get())) {
        IDispatch* com = foreign->com();
        com->AddRef();
        return com;
    }
    return NativeDispatch::create(object);
}

VARIANT* referenceTarget(VARIANT* arg) {
    VARIANT* at = arg;
    for (int hops = 0; V_VT(at) == (VT_BYREF | VT_VARIANT); ++hops) {
        if (!V_VARIANTREF(at) || hops == kLongestReferenceChain)
            return nullptr;
        at = V_VARIANTREF(at);
    }
    if ((V_VT(at) & VT_BYREF) && !V_BYREF(at))
        return nullptr;
    return at;
}

HRESULT prepareWrite(const VARIANT* target, VARIANT& value) {
    if (!(V_VT(target) & VT_BYREF))
        return S_OK;
    const VARTYPE type = V_VT(target) & ~VT_BYREF;
    if (type != VT_BSTR && type != VT_DISPATCH && type != VT_UNKNOWN && type != VT_DECIMAL &&
        scalarSize(type) == 0)
        return DISP_E_TYPEMISMATCH;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, &value, 0, type);
    if (FAILED(hr))
        return hr;
    VariantClear(&value);
    value = converted;
    return S_OK;
}

void commitWrite(VARIANT* target, VARIANT& value) {
    const VARTYPE type = V_VT(target) & ~VT_BYREF;
    if (!(V_VT(target) & VT_BYREF)) {
        VariantClear(target);
        *target = value;
    } else if (type == VT_BSTR) {
        SysFreeString(*V_BSTRREF(target));
        *V_BSTRREF(target) = V_BSTR(&value);
    } else if (type == VT_DISPATCH || type == VT_UNKNOWN) {
        if (*V_UNKNOWNREF(target))
            (*V_UNKNOWNREF(target))->Release();
        *V_UNKNOWNREF(target) = V_UNKNOWN(&value);
    } else if (type == VT_DECIMAL) {
        *V_DECIMALREF(target) = V_DECIMAL(&value);
    } else {
        std::memcpy(V_BYREF(target), &V_UI1(&value), scalarSize(type));
    }
    VariantInit(&value);
}

}  // namespace k72645::win32
