#include "platform/win32/foreign_dispatch.h"

#include <cstring>
#include <vector>

#include "automation/text.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"

namespace k72645::win32 {

namespace {
struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const {
        return std::memcmp(&a, &b, sizeof(GUID)) < 0;
    }
};
// The dispatch identifiers resolved so far, by type and lower-cased member name. The player
// calls on one thread; the table belongs to it.
thread_local std::map<GUID, std::map<std::u16string, DISPID>, GuidLess> resolvedByType;

// One by-reference argument: the value lives here during the call.
struct ByRefSlot {
    VARIANT value;
    VARTYPE type;
};

VARTYPE byRefTypeOf(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Boolean:
            return VT_BOOL;
        case Variant::Type::Integer:
            return VT_I2;
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

// Points arg at the slot's value, typed as the value is (a Variant holder otherwise).
void pointAt(ByRefSlot& slot, VARIANT* arg) {
    VariantInit(arg);
    if (slot.type == VT_VARIANT) {
        V_VT(arg) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(arg) = &slot.value;
        return;
    }
    V_VT(arg) = static_cast<VARTYPE>(VT_BYREF | slot.type);
    V_BYREF(arg) = &slot.value.lVal;  // every scalar member starts where lVal does
}
}  // namespace

std::shared_ptr<ForeignDispatch> ForeignDispatch::wrap(IDispatch* object) {
    return std::shared_ptr<ForeignDispatch>(new ForeignDispatch(object));
}

ForeignDispatch::ForeignDispatch(IDispatch* object) : object_(object) {
    object_->AddRef();
    object_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity_));
    UINT count = 0;
    ITypeInfo* info = nullptr;
    if (SUCCEEDED(object_->GetTypeInfoCount(&count)) && count > 0 &&
        SUCCEEDED(object_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && info) {
        TYPEATTR* attributes = nullptr;
        if (SUCCEEDED(info->GetTypeAttr(&attributes)) && attributes) {
            type_ = attributes->guid;
            typed_ = !IsEqualGUID(type_, GUID_NULL);
            info->ReleaseTypeAttr(attributes);
        }
        info->Release();
    }
}

ForeignDispatch::~ForeignDispatch() {
    if (identity_)
        identity_->Release();
    object_->Release();
}

DISPID ForeignDispatch::dispatchIdOf(std::u16string_view member) {
    if (member.empty())
        return DISPID_VALUE;
    const std::u16string key = lcase(member);
    auto& names = typed_ ? resolvedByType[type_] : ownNames_;
    if (auto found = names.find(key); found != names.end())
        return found->second;
    std::u16string name(member);
    LPOLESTR names_[] = {reinterpret_cast<LPOLESTR>(name.data())};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names_, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw errorFromHresult(hr == DISP_E_UNKNOWNNAME ? DISP_E_MEMBERNOTFOUND : hr);
    names.emplace(key, id);
    return id;
}

Variant ForeignDispatch::invoke(std::u16string_view member, InvokeKind kind, Arguments& args) {
    const DISPID id = dispatchIdOf(member);

    // The arguments travel in reverse order; by-reference ones point into slots.
    const std::size_t count = args.size();
    std::vector<VARIANT> arguments(count);
    std::vector<ByRefSlot> slots(count);
    for (std::size_t i = 0; i < count; ++i) {
        VARIANT& arg = arguments[count - 1 - i];
        if (args[i].byRef && !args[i].value.isMissing()) {
            slots[i].type = byRefTypeOf(args[i].value);
            toVariant(args[i].value, &slots[i].value);
            pointAt(slots[i], &arg);
        } else {
            slots[i].type = VT_EMPTY;
            VariantInit(&slots[i].value);
            toVariant(args[i].value, &arg);
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
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                       kind == InvokeKind::PropertyPut ? nullptr : &result,
                                       &exception, &argumentError);
    if (FAILED(hr)) {
        release();
        VariantClear(&result);
        if (hr == DISP_E_EXCEPTION)
            throw errorFromExcepInfo(exception);
        throw errorFromHresult(hr);
    }

    // What the object left in the by-reference arguments goes back to the caller.
    try {
        for (std::size_t i = 0; i < count; ++i)
            if (slots[i].type != VT_EMPTY)
                args[i].value = fromVariant(arguments[count - 1 - i]);
        Variant value = fromVariant(result);
        release();
        VariantClear(&result);
        return value;
    } catch (...) {
        release();
        VariantClear(&result);
        throw;
    }
}

}  // namespace k72645::win32
