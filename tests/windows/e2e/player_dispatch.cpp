#include "tests/windows/e2e/player_dispatch.h"

#include <oleauto.h>

#include <cstring>
#include <vector>

#include "automation/text.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_variant.h"
#include "sim/win32host/hosted_dispatch.h"

namespace k72645::e2e {

namespace {
struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const {
        return std::memcmp(&a, &b, sizeof(GUID)) < 0;
    }
};
std::map<GUID, std::map<std::u16string, DISPID>, GuidLess> resolvedByType;

// A value coming back: objects become PlayerDispatch objects.
Variant playerValue(const VARIANT& value) {
    const VARIANT* v = &value;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT))
        v = V_VARIANTREF(v);
    if (V_VT(v) == VT_DISPATCH)
        return Variant(PlayerDispatch::wrap(V_DISPATCH(v)));
    if (V_VT(v) == (VT_BYREF | VT_DISPATCH))
        return Variant(PlayerDispatch::wrap(*V_DISPATCHREF(v)));
    return win32::fromVariant(*v);
}

// A value going out: the player's objects travel as the COM objects they wrap.
void toPlayerVariant(const Variant& value, VARIANT* out) {
    VariantInit(out);
    if (!value.isObject()) {
        win32::toVariant(value, out);
        return;
    }
    V_VT(out) = VT_DISPATCH;
    if (auto* player = dynamic_cast<PlayerDispatch*>(value.object().get())) {
        V_DISPATCH(out) = player->com();
        V_DISPATCH(out)->AddRef();
    } else {
        V_DISPATCH(out) = win32::comFromDispatch(value.object());
    }
}

struct ByRefSlot {
    VARIANT value;
    VARTYPE type;
};

VARTYPE byRefTypeOf(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Boolean:
            return VT_BOOL;
        // A whole number travels by reference as a Long: the component's by-reference numbers
        // (the window handle of InitQuestion and Quitter) are Longs.
        case Variant::Type::Integer:
        case Variant::Type::Long:
            return VT_I4;
        case Variant::Type::Double:
            return VT_R8;
        case Variant::Type::Date:
            return VT_DATE;
        case Variant::Type::String:
            return VT_BSTR;
        case Variant::Type::Object:
            return VT_DISPATCH;
        default:
            return VT_VARIANT;
    }
}
}  // namespace

DispatchPtr PlayerDispatch::wrap(IDispatch* object) {
    if (!object)
        return nullptr;
    return std::shared_ptr<PlayerDispatch>(new PlayerDispatch(object));
}

PlayerDispatch::PlayerDispatch(IDispatch* object) : object_(object) {
    object_->AddRef();
    object_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity_));
    UINT count = 0;
    ITypeInfo* info = nullptr;
    if (SUCCEEDED(object_->GetTypeInfoCount(&count)) && count > 0 &&
        SUCCEEDED(object_->GetTypeInfo(0, sim::win32host::kPlayerLocale, &info)) && info) {
        TYPEATTR* attributes = nullptr;
        if (SUCCEEDED(info->GetTypeAttr(&attributes)) && attributes) {
            type_ = attributes->guid;
            typed_ = !IsEqualGUID(type_, GUID_NULL);
            info->ReleaseTypeAttr(attributes);
        }
        info->Release();
    }
}

PlayerDispatch::~PlayerDispatch() {
    if (identity_)
        identity_->Release();
    object_->Release();
}

DISPID PlayerDispatch::dispatchIdOf(std::u16string_view member) {
    if (member.empty())
        return DISPID_VALUE;
    const std::u16string key = lcase(member);
    auto& names = typed_ ? resolvedByType[type_] : ownNames_;
    if (auto found = names.find(key); found != names.end())
        return found->second;
    std::u16string name(member);
    LPOLESTR list[] = {reinterpret_cast<LPOLESTR>(name.data())};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr =
        object_->GetIDsOfNames(IID_NULL, list, 1, sim::win32host::kPlayerLocale, &id);
    if (FAILED(hr))
        throw win32::errorFromHresult(hr == DISP_E_UNKNOWNNAME ? DISP_E_MEMBERNOTFOUND : hr);
    names.emplace(key, id);
    return id;
}

Variant PlayerDispatch::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    const DISPID id = dispatchIdOf(member);
    const std::size_t count = args.size();
    std::vector<VARIANT> arguments(count);
    std::vector<ByRefSlot> slots(count);
    for (std::size_t i = 0; i < count; ++i) {
        VARIANT& arg = arguments[count - 1 - i];
        if (args[i].byRef && !args[i].value.isMissing()) {
            slots[i].type = byRefTypeOf(args[i].value);
            toPlayerVariant(args[i].value, &slots[i].value);
            if (slots[i].type == VT_I4 && V_VT(&slots[i].value) == VT_I2) {
                const LONG widened = V_I2(&slots[i].value);
                V_VT(&slots[i].value) = VT_I4;
                V_I4(&slots[i].value) = widened;
            }
            VariantInit(&arg);
            if (slots[i].type == VT_VARIANT) {
                V_VT(&arg) = VT_BYREF | VT_VARIANT;
                V_VARIANTREF(&arg) = &slots[i].value;
            } else {
                V_VT(&arg) = static_cast<VARTYPE>(VT_BYREF | slots[i].type);
                V_BYREF(&arg) = &slots[i].value.lVal;  // every member starts where lVal does
            }
        } else {
            slots[i].type = VT_EMPTY;
            VariantInit(&slots[i].value);
            toPlayerVariant(args[i].value, &arg);
        }
    }
    const auto release = [&] {
        for (std::size_t i = 0; i < count; ++i) {
            if (slots[i].type == VT_EMPTY)
                VariantClear(&arguments[count - 1 - i]);
            else
                VariantClear(&slots[i].value);
        }
    };

    DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(count), 0};
    DISPID putId = DISPID_PROPERTYPUT;
    WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    if (kind == InvokeKind::PropertyPut) {
        flags = DISPATCH_PROPERTYPUT;
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT hr = object_->Invoke(
        id, IID_NULL, sim::win32host::kPlayerLocale, flags, &parameters,
        kind == InvokeKind::PropertyPut ? nullptr : &result, &exception, &argumentError);
    if (FAILED(hr)) {
        // What the callee left in the by-reference arguments is kept, as VB keeps it.
        for (std::size_t i = 0; i < count; ++i)
            if (slots[i].type != VT_EMPTY)
                args[i].value = playerValue(arguments[count - 1 - i]);
        release();
        VariantClear(&result);
        if (hr == DISP_E_EXCEPTION)
            throw win32::errorFromExcepInfo(exception);
        throw win32::errorFromHresult(hr);
    }
    try {
        for (std::size_t i = 0; i < count; ++i)
            if (slots[i].type != VT_EMPTY)
                args[i].value = playerValue(arguments[count - 1 - i]);
        Variant value = playerValue(result);
        release();
        VariantClear(&result);
        return value;
    } catch (...) {
        release();
        VariantClear(&result);
        throw;
    }
}

}  // namespace k72645::e2e
