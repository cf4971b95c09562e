#include "platform/win32/foreign_dispatch.h"

#include <cstring>
#include <vector>

#include "automation/text.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_text.h"
#include "platform/win32/engine_dispatch.h"

namespace k72645::win32 {

namespace {
// One by-reference argument: the value lives here during the call.
struct ByRefSlot {
    VARIANT value;
    VARTYPE type;
};

// A whole number travels by reference as a Long: the by-reference numbers of the component's
// interfaces and of Word's are Longs, a typed member refuses a reference to an Integer where it
// takes a reference to a Long, and widening loses nothing.
VARTYPE byRefTypeOf(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Boolean:
            return VT_BOOL;
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

// Puts the value in the slot and points arg at it, typed as the value is (a Variant holder
// otherwise).
void lend(const Variant& value, const ObjectMapping& objects, ByRefSlot& slot, VARIANT* arg) {
    slot.type = byRefTypeOf(value);
    if (value.type() == Variant::Type::Integer)
        toVariant(Variant(static_cast<std::int32_t>(value.integer())), &slot.value);
    else
        toVariant(value, &slot.value, objects);
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

bool ForeignCalls::GuidLess::operator()(const GUID& a, const GUID& b) const {
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

std::shared_ptr<ForeignCalls> ForeignCalls::create(LCID locale) {
    return std::shared_ptr<ForeignCalls>(new ForeignCalls(locale, false));
}

const std::shared_ptr<ForeignCalls>& ForeignCalls::component() {
    // Never destroyed: references still held when the process ends are left to it, since the
    // apartments they belong to are gone by then.
    static const auto* const calls =
        new std::shared_ptr<ForeignCalls>(new ForeignCalls(LOCALE_USER_DEFAULT, true));
    return *calls;
}

void ForeignCalls::release(IUnknown* object) const {
    if (!object)
        return;
    if (deferReleases_) {
        const std::lock_guard lock(mutex_);
        heldByThread_[GetCurrentThreadId()].objects.push_back(object);
        return;
    }
    object->Release();
}

void ForeignCalls::releaseDeferred() const {
    Held held;
    {
        const std::lock_guard lock(mutex_);
        const auto found = heldByThread_.find(GetCurrentThreadId());
        if (found == heldByThread_.end())
            return;
        held = std::move(found->second);
        heldByThread_.erase(found);
        // An object wrapped on one thread and let go on another: no thread may keep the type
        // of an identity given back here.
        for (auto& [thread, other] : heldByThread_)
            for (IUnknown* object : held.objects)
                other.typesOfObjects.erase(object);
    }
    // Released outside the lock: a release may serve calls coming back into the component.
    for (IUnknown* object : held.objects)
        object->Release();
    for (const auto& [info, type] : held.types)
        info->Release();
}

namespace {
template <class Key>
bool findType(const std::map<Key*, GUID>& types, Key* key, GUID* type) {
    const auto found = types.find(key);
    if (found == types.end())
        return false;
    *type = found->second;
    return true;
}
}  // namespace

bool ForeignCalls::knownType(IUnknown* identity, GUID* type) const {
    const std::lock_guard lock(mutex_);
    const auto held = heldByThread_.find(GetCurrentThreadId());
    return held != heldByThread_.end() && findType(held->second.typesOfObjects, identity, type);
}

bool ForeignCalls::knownType(ITypeInfo* info, GUID* type) const {
    const std::lock_guard lock(mutex_);
    const auto held = heldByThread_.find(GetCurrentThreadId());
    return held != heldByThread_.end() && findType(held->second.types, info, type);
}

void ForeignCalls::keepType(IUnknown* identity, ITypeInfo* info, const GUID& type) const {
    if (deferReleases_) {
        const std::lock_guard lock(mutex_);
        Held& held = heldByThread_[GetCurrentThreadId()];
        if (identity)
            held.typesOfObjects.emplace(identity, type);
        if (held.types.emplace(info, type).second)
            return;
    }
    info->Release();
}

bool ForeignCalls::typeExpectedAs(const std::type_info& key, GUID* type) const {
    const std::lock_guard lock(mutex_);
    const auto found = typesByKey_.find(key);
    if (found == typesByKey_.end())
        return false;
    *type = found->second;
    return true;
}

void ForeignCalls::learnTypeExpectedAs(const std::type_info& key, const GUID& type) const {
    const std::lock_guard lock(mutex_);
    typesByKey_.emplace(key, type);
}

DISPID ForeignCalls::resolved(const GUID& type, const std::u16string& member) const {
    const std::lock_guard lock(mutex_);
    const auto names = resolvedByType_.find(type);
    if (names == resolvedByType_.end())
        return DISPID_UNKNOWN;
    const auto found = names->second.find(member);
    return found == names->second.end() ? DISPID_UNKNOWN : found->second;
}

void ForeignCalls::remember(const GUID& type, const std::u16string& member, DISPID id) const {
    const std::lock_guard lock(mutex_);
    resolvedByType_[type].emplace(member, id);
}

DispatchPtr ForeignCalls::engineOf(IDispatch* object) const {
    if (DispatchPtr native = NativeDispatch::engineObjectOf(object))
        return native;
    return ForeignDispatch::wrap(object, shared_from_this());
}

IDispatch* ForeignCalls::comOf(const DispatchPtr& object) const {
    return comFromDispatch(object);
}

std::shared_ptr<ForeignDispatch> ForeignDispatch::wrap(IDispatch* object,
                                                       std::shared_ptr<const ForeignCalls> calls) {
    if (!object)
        return nullptr;
    return std::shared_ptr<ForeignDispatch>(new ForeignDispatch(object, std::move(calls)));
}

ForeignDispatch::ForeignDispatch(IDispatch* object, std::shared_ptr<const ForeignCalls> calls)
    : object_(object), calls_(std::move(calls)) {
    object_->AddRef();
    object_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity_));
}

void ForeignDispatch::expectType(const std::type_info& key) {
    if (!typeKnown_)
        expected_ = &key;
}

// The object's type is asked for when a first member is called, not when the object arrives:
// many objects are only passed on or compared, and each question to another process costs a
// round trip. An object expected as a type whose identifier an earlier object gave is taken
// to be of it without asking.
void ForeignDispatch::learnType() {
    typeKnown_ = true;
    if (expected_ && calls_->typeExpectedAs(*expected_, &type_)) {
        typed_ = true;
        return;
    }
    askType();
    if (expected_ && typed_)
        calls_->learnTypeExpectedAs(*expected_, type_);
}

// GetTypeInfo alone answers whether the object has type information.
void ForeignDispatch::askType() {
    if (identity_ && calls_->knownType(identity_, &type_)) {
        typed_ = !IsEqualGUID(type_, GUID_NULL);
        return;
    }
    ITypeInfo* info = nullptr;
    if (FAILED(object_->GetTypeInfo(0, calls_->locale(), &info)) || !info)
        return;
    // The same type information arrives as the same proxy while one is held.
    if (calls_->knownType(info, &type_)) {
        typed_ = !IsEqualGUID(type_, GUID_NULL);
        calls_->keepType(identity_, info, type_);
        return;
    }
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes)) && attributes) {
        type_ = attributes->guid;
        typed_ = !IsEqualGUID(type_, GUID_NULL);
        info->ReleaseTypeAttr(attributes);
    }
    calls_->keepType(identity_, info, type_);
}

ForeignDispatch::~ForeignDispatch() {
    calls_->release(identity_);
    calls_->release(object_);
}

DISPID ForeignDispatch::dispatchIdOf(std::u16string_view member) {
    if (member.empty())
        return DISPID_VALUE;
    const std::u16string key = lcase(member);
    if (!typeKnown_)
        learnType();
    if (typed_) {
        if (const DISPID known = calls_->resolved(type_, key); known != DISPID_UNKNOWN)
            return known;
    } else if (auto found = ownNames_.find(key); found != ownNames_.end()) {
        return found->second;
    }
    std::u16string name(member);
    LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(name.data())};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, calls_->locale(), &id);
    if (FAILED(hr))
        throw errorFromHresult(hr == DISP_E_UNKNOWNNAME ? DISP_E_MEMBERNOTFOUND : hr, object_);
    if (typed_)
        calls_->remember(type_, key, id);
    else
        ownNames_.emplace(key, id);
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
            lend(args[i].value, *calls_, slots[i], &arg);
        } else {
            slots[i].type = VT_EMPTY;
            VariantInit(&slots[i].value);
            toVariant(args[i].value, &arg, *calls_);
        }
    }
    VARIANT result;
    VariantInit(&result);
    const auto release = [&] {
        for (std::size_t i = 0; i < count; ++i) {
            if (slots[i].type == VT_EMPTY)
                VariantClear(&arguments[count - 1 - i]);
            else
                VariantClear(&slots[i].value);
        }
        VariantClear(&result);
    };

    DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(count), 0};
    DISPID putId = DISPID_PROPERTYPUT;
    WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    if (kind == InvokeKind::PropertyPut) {
        flags = DISPATCH_PROPERTYPUT;
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }

    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, calls_->locale(), flags, &parameters,
                                       kind == InvokeKind::PropertyPut ? nullptr : &result,
                                       &exception, &argumentError);
    // What the object left in the by-reference arguments goes back to the caller, all or none,
    // even when the call failed: COM leaves them valid either way, and VB reads its variables as
    // the callee left them.
    std::vector<Variant> written(count);
    bool readable = true;
    try {
        for (std::size_t i = 0; i < count; ++i)
            if (slots[i].type != VT_EMPTY)
                written[i] = fromVariant(arguments[count - 1 - i], *calls_);
    } catch (...) {
        if (SUCCEEDED(hr)) {
            release();
            throw;
        }
        readable = false;  // the call's own error is the one reported
    }
    if (readable)
        for (std::size_t i = 0; i < count; ++i)
            if (slots[i].type != VT_EMPTY)
                args[i].value = std::move(written[i]);
    if (FAILED(hr)) {
        release();
        if (hr == DISP_E_EXCEPTION)
            throw errorFromExcepInfo(exception);
        throw errorFromHresult(hr, object_);
    }
    try {
        Variant value = fromVariant(result, *calls_);
        release();
        return value;
    } catch (...) {
        release();
        throw;
    }
}

}  // namespace k72645::win32
