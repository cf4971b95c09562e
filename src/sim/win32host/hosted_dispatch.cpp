#include "sim/win32host/hosted_dispatch.h"

#include <oleauto.h>

#include <typeinfo>

#include "automation/text.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/foreign_dispatch.h"

namespace k72645::sim::win32host {

namespace {
// Private identity of a hosted object, answered by QueryInterface in the host's apartment.
// {3E0C9B52-7A4D-4F1E-8C61-2B9D5F7A0E13}
const IID kHostedDispatchIid = {
    0x3e0c9b52, 0x7a4d, 0x4f1e, {0x8c, 0x61, 0x2b, 0x9d, 0x5f, 0x7a, 0x0e, 0x13}};
// {8D2F6A41-0B7C-4E95-A3D8-5C1E9F04B726}
const GUID kHostLibraryGuid = {
    0x8d2f6a41, 0x0b7c, 0x4e95, {0xa3, 0xd8, 0x5c, 0x1e, 0x9f, 0x04, 0xb7, 0x26}};

// A stable GUID for a kind of object: two FNV-1a hashes of its type's name.
GUID guidOf(const std::string& key) {
    auto hash = [&key](unsigned long long seed) {
        unsigned long long h = seed;
        for (unsigned char c : key) {
            h ^= c;
            h *= 1099511628211ull;
        }
        return h;
    };
    const unsigned long long high = hash(14695981039346656037ull);
    const unsigned long long low = hash(0x6b72363435ull);
    GUID guid{};
    guid.Data1 = static_cast<unsigned long>(high >> 32);
    guid.Data2 = static_cast<unsigned short>(high >> 16);
    guid.Data3 = static_cast<unsigned short>((high & 0x0FFF) | 0x4000);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<unsigned char>(low >> (8 * i));
    guid.Data4[0] = static_cast<unsigned char>((guid.Data4[0] & 0x3F) | 0x80);
    return guid;
}

// A value coming in: hosted objects go back to their engine objects.
Variant valueOf(const VARIANT& value) {
    const VARIANT* v = &value;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT))
        v = V_VARIANTREF(v);
    IDispatch* object = nullptr;
    if (V_VT(v) == VT_DISPATCH)
        object = V_DISPATCH(v);
    else if (V_VT(v) == (VT_BYREF | VT_DISPATCH))
        object = *V_DISPATCHREF(v);
    else
        return win32::fromVariant(*v);
    if (!object)
        return Variant::nothing();
    if (DispatchPtr engine = HostedObjects::engineOf(object))
        return Variant(engine);
    return Variant(win32::dispatchFromCom(object));
}

std::string typeKeyOf(const DispatchPtr& object) {
    const Dispatch& engine = *object;
    return typeid(engine).name();
}
}  // namespace

std::shared_ptr<HostedObjects> HostedObjects::create(std::function<void()> afterCall) {
    return std::shared_ptr<HostedObjects>(new HostedObjects(std::move(afterCall)));
}

HostedObjects::~HostedObjects() {
    for (auto& [key, type] : types_)
        if (type.info)
            type.info->Release();
    if (library_)
        library_->Release();
}

HostedObjects::Type& HostedObjects::typeOf(const std::string& key) {
    auto [found, added] = types_.try_emplace(key);
    Type& type = found->second;
    if (!added)
        return type;
    type.guid = guidOf(key);
    if (!library_) {
        const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
        if (SUCCEEDED(CreateTypeLib2(kind, L"k72645-hosted-word.tlb", &library_)) && library_)
            library_->SetGuid(kHostLibraryGuid);
    }
    if (library_) {
        const std::wstring name = L"HostedType" + std::to_wstring(types_.size());
        ICreateTypeInfo* create = nullptr;
        if (SUCCEEDED(library_->CreateTypeInfo(const_cast<LPOLESTR>(name.c_str()), TKIND_DISPATCH,
                                               &create)) &&
            create) {
            create->SetGuid(type.guid);
            create->LayOut();
            create->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&type.info));
            create->Release();
        }
    }
    return type;
}

IDispatch* HostedObjects::comOf(const DispatchPtr& object) {
    if (!object)
        return nullptr;
    if (dynamic_cast<win32::ForeignDispatch*>(object.get()))
        return win32::comFromDispatch(object);
    std::string type = typeKeyOf(object);
    const std::pair<std::string, const void*> key{type, object->identity()};
    if (auto found = live_.find(key); found != live_.end()) {
        found->second->AddRef();
        return found->second;
    }
    auto* created = new HostedDispatch(shared_from_this(), object, std::move(type));
    live_.emplace(key, created);
    return created;
}

DispatchPtr HostedObjects::engineOf(IDispatch* object) {
    HostedDispatch* hosted = nullptr;
    if (object &&
        SUCCEEDED(object->QueryInterface(kHostedDispatchIid, reinterpret_cast<void**>(&hosted))) &&
        hosted) {
        DispatchPtr engine = hosted->object_;
        hosted->Release();
        return engine;
    }
    return nullptr;
}

HostedDispatch::HostedDispatch(std::shared_ptr<HostedObjects> objects, DispatchPtr object,
                               std::string type)
    : objects_(std::move(objects)), object_(std::move(object)), type_(std::move(type)) {
    objects_->typeOf(type_);
}

HRESULT HostedDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, kHostedDispatchIid)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG HostedDispatch::AddRef() {
    return ++references_;
}

ULONG HostedDispatch::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        objects_->forget({type_, object_->identity()});
        delete this;
    }
    return left;
}

HRESULT HostedDispatch::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = objects_->typeOf(type_).info ? 1 : 0;
    return S_OK;
}

HRESULT HostedDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = objects_->typeOf(type_).info;
    if (index != 0 || !*info)
        return DISP_E_BADINDEX;
    (*info)->AddRef();
    return S_OK;
}

HRESULT HostedDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                                      DISPID* ids) {
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    const std::u16string name = lcase(win32::fromWide(names[0]));
    CallCounts& counts = objects_->counts();
    if (locale == kPlayerLocale) {
        ++counts.playerNameLookups;
    } else {
        ++counts.componentNameLookups;
        ++counts.componentLookupsByMember[{type_, name}];
    }
    auto& known = objects_->typeOf(type_).names;
    DISPID id = 0;
    for (std::size_t i = 0; i < known.size() && id == 0; ++i)
        if (known[i] == name)
            id = static_cast<DISPID>(i + 1);
    if (id == 0) {
        known.push_back(name);
        id = static_cast<DISPID>(known.size());
    }
    ids[0] = id;
    for (UINT i = 1; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT HostedDispatch::Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                               VARIANT* result, EXCEPINFO* exception, UINT*) {
    CallCounts& counts = objects_->counts();
    ++(locale == kPlayerLocale ? counts.playerInvokes : counts.componentInvokes);
    std::u16string member;
    if (id != DISPID_VALUE) {
        const auto& known = objects_->typeOf(type_).names;
        if (id < 1 || static_cast<std::size_t>(id) > known.size())
            return DISP_E_MEMBERNOTFOUND;
        member = known[static_cast<std::size_t>(id) - 1];
    }
    // Whatever the call did to the running Words, the host follows it before answering.
    struct After {
        HostedObjects& objects;
        ~After() { objects.afterCall(); }
    } after{*objects_};
    try {
        const UINT count = parameters ? parameters->cArgs : 0;
        const UINT named = parameters ? parameters->cNamedArgs : 0;
        const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        if (named > (put ? 1u : 0u))
            return DISP_E_NONAMEDARGS;
        Arguments args;
        args.reserve(count);
        for (UINT i = 0; i < count; ++i) {
            const VARIANT& arg = parameters->rgvarg[count - 1 - i];
            Argument a(valueOf(arg));
            a.byRef = (V_VT(&arg) & VT_BYREF) != 0;
            args.push_back(std::move(a));
        }
        const InvokeKind kind = put                              ? InvokeKind::PropertyPut
                                : (flags & DISPATCH_METHOD) != 0 ? InvokeKind::Method
                                                                 : InvokeKind::PropertyGet;
        Variant value = object_->invoke(member, kind, args);
        if (result) {
            VariantClear(result);
            if (value.isObject()) {
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = objects_->comOf(value.object());
            } else {
                win32::toVariant(value, result);
            }
        }
        return S_OK;
    } catch (const ComError& error) {
        // A Word busy with a modal dialog rejects the call itself, as COM does, without
        // exception information.
        if (error.number() == static_cast<std::int32_t>(RPC_E_CALL_REJECTED))
            return RPC_E_CALL_REJECTED;
        win32::fillExcepInfo(error, exception);
        return DISP_E_EXCEPTION;
    } catch (...) {
        win32::fillExcepInfo(errors::runtime(errors::kInternalError), exception);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace k72645::sim::win32host
