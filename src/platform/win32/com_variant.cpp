#include "platform/win32/com_variant.h"

#include "platform/win32/com_text.h"
#include "platform/win32/engine_dispatch.h"
#include "platform/win32/foreign_dispatch.h"

namespace k72645::win32 {

namespace {
Variant byConversion(const VARIANT& value, VARTYPE type, const ObjectMapping& objects) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, type)))
        throw errors::typeMismatch();
    Variant result = fromVariant(converted, objects);
    VariantClear(&converted);
    return result;
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
    if (V_VT(&value) == (VT_BYREF | VT_VARIANT))
        return V_VARIANTREF(&value) ? fromVariant(*V_VARIANTREF(&value), objects) : Variant();
    if (V_VT(&value) & VT_BYREF) {
        VARIANT copy;
        VariantInit(&copy);
        if (FAILED(VariantCopyInd(&copy, const_cast<VARIANT*>(&value))))
            throw errors::typeMismatch();
        Variant result = fromVariant(copy, objects);
        VariantClear(&copy);
        return result;
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
            DispatchPtr object = objects.engineOf(dispatch);
            dispatch->Release();
            return Variant(object);
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

}  // namespace k72645::win32
