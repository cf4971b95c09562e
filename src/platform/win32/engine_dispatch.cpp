#include "platform/win32/engine_dispatch.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>

#include "automation/text.h"
#include "platform/win32/com_errors.h"
#include "platform/win32/com_text.h"
#include "platform/win32/foreign_dispatch.h"

namespace k72645::win32 {

namespace {
// What goes back into one by-reference argument: the engine's value in the caller's type.
struct WriteBack {
    VARIANT* target = nullptr;
    VARIANT value;

    WriteBack() { VariantInit(&value); }
    ~WriteBack() { VariantClear(&value); }
    WriteBack(const WriteBack&) = delete;
    WriteBack& operator=(const WriteBack&) = delete;

    // Converts the engine's value; fails (nothing written) when the caller's variable cannot
    // hold it.
    HRESULT prepare(VARIANT* variable, const Variant& engineValue, const ObjectMapping& objects) {
        target = variable;
        toVariant(engineValue, &value, objects);
        return prepareWrite(target, value);
    }
    // Puts the converted value into the caller's variable, which now owns it.
    void commit() { commitWrite(target, value); }
};

HRESULT failWith(const ComError& error, EXCEPINFO* exception) {
    // A busy application rejects the call itself, as COM does, without exception information.
    if (error.number() == static_cast<std::int32_t>(RPC_E_CALL_REJECTED))
        return RPC_E_CALL_REJECTED;
    fillExcepInfo(error, exception);
    return DISP_E_EXCEPTION;
}
}  // namespace

DISPID MemberNames::idOf(const std::u16string& name) {
    if (auto known = ids_.find(name); known != ids_.end())
        return known->second;
    // FNV-1a over the UTF-16 units, folded into the positive identifiers (0 is the default
    // member's, negative ones are reserved).
    std::uint32_t hash = 2166136261u;
    for (char16_t unit : name) {
        hash ^= unit;
        hash *= 16777619u;
    }
    constexpr std::uint32_t kSpan = 0x7FFFFFFEu;
    std::uint32_t slot = hash % kSpan;
    while (names_.count(static_cast<DISPID>(slot + 1)))
        slot = (slot + 1) % kSpan;
    const auto id = static_cast<DISPID>(slot + 1);
    names_.emplace(id, name);
    ids_.emplace(name, id);
    return id;
}

const std::u16string* MemberNames::nameOf(DISPID id) const {
    auto found = names_.find(id);
    return found == names_.end() ? nullptr : &found->second;
}

void MemberNames::learn(const std::vector<std::u16string>& names) {
    for (const auto& name : names)
        idOf(name);
}

HRESULT lookUpNames(MemberNames& known, LPOLESTR* names, UINT count, DISPID* ids,
                    std::u16string* first) {
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    *first = lcase(fromWide(names[0]));
    ids[0] = known.idOf(*first);
    for (UINT i = 1; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT giveTypeInfoCount(bool typed, UINT* count) {
    if (!count)
        return E_POINTER;
    *count = typed ? 1 : 0;
    return S_OK;
}

HRESULT giveTypeInfo(ITypeInfo* own, UINT index, ITypeInfo** info, HRESULT missing) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    if (!own)
        return missing;
    own->AddRef();
    *info = own;
    return S_OK;
}

namespace {
// The error of whatever the engine object raised.
ComError currentEngineError() {
    try {
        throw;
    } catch (const ComError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return errors::runtime(errors::kOutOfMemory);
    } catch (...) {
        return errors::runtime(errors::kInternalError);
    }
}

// Writes what the engine left in the by-reference arguments into the caller's variables, all or
// none: a value one of them cannot hold is an overflow (or a type mismatch) and writes nothing.
std::optional<ComError> writeBack(const Arguments& args, DISPPARAMS* parameters,
                                  const ObjectMapping& objects) {
    const UINT count = static_cast<UINT>(args.size());
    std::vector<std::unique_ptr<WriteBack>> writes;
    for (UINT i = 0; i < count; ++i) {
        if (!args[i].byRef)
            continue;
        // A null reference names no variable: nothing goes back.
        VARIANT* variable = referenceTarget(&parameters->rgvarg[count - 1 - i]);
        if (!variable)
            continue;
        auto write = std::make_unique<WriteBack>();
        const HRESULT hr = write->prepare(variable, args[i].value, objects);
        if (FAILED(hr))
            return errors::runtime(hr == DISP_E_OVERFLOW ? errors::kOverflow
                                                         : errors::kTypeMismatch);
        writes.push_back(std::move(write));
    }
    for (auto& write : writes)
        write->commit();
    return std::nullopt;
}
}  // namespace

namespace {
HRESULT invokeEngineObject(const DispatchPtr& object, std::u16string_view member, WORD flags,
                           DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                           const ObjectMapping& objects) {
    const UINT count = parameters ? parameters->cArgs : 0;
    const UINT named = parameters ? parameters->cNamedArgs : 0;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (named > (put ? 1u : 0u))
        return DISP_E_NONAMEDARGS;
    if (count > 0 && !parameters->rgvarg)
        return E_INVALIDARG;
    const InvokeKind kind = put                              ? InvokeKind::PropertyPut
                            : (flags & DISPATCH_METHOD) != 0 ? InvokeKind::Method
                                                             : InvokeKind::PropertyGet;
    Arguments args;
    Variant value;
    std::optional<ComError> failure;
    try {
        args.reserve(count);
        for (UINT i = 0; i < count; ++i) {
            const VARIANT& arg = parameters->rgvarg[count - 1 - i];
            Argument a(fromVariant(arg, objects));
            a.byRef = (V_VT(&arg) & VT_BYREF) != 0;
            args.push_back(std::move(a));
        }
    } catch (...) {
        return failWith(currentEngineError(), exception);
    }
    try {
        value = object->invoke(member, kind, args);
    } catch (...) {
        failure = currentEngineError();
    }
    try {
        // The caller's variables hold what the engine left in them, even when the call failed:
        // a caller reads its by-reference variables as the callee left them.
        if (std::optional<ComError> unwritable = writeBack(args, parameters, objects);
            unwritable && !failure)
            failure = std::move(unwritable);
        if (failure)
            return failWith(*failure, exception);
        if (result) {
            VariantClear(result);
            toVariant(value, result, objects);
        }
        return S_OK;
    } catch (...) {
        return failWith(currentEngineError(), exception);
    }
}
}  // namespace

HRESULT invokeEngine(const DispatchPtr& object, std::u16string_view member, WORD flags,
                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                     const ObjectMapping& objects) {
    // Reporting an error needs memory too: when even that fails, the call fails as COM's
    // out-of-memory.
    return atComEntryPoint([&] {
        return invokeEngineObject(object, member, flags, parameters, result, exception, objects);
    });
}

void PlainBridge::afterCall() {
    ForeignCalls::component()->releaseDeferred();
}

void PlainBridge::afterObjectGone() {
    ForeignCalls::component()->releaseDeferred();
}

const IID& PlainBridge::privateIid() {
    // {6B1D0C6E-4F0A-4C55-9E48-0F6B7E3A4D21}
    static const IID iid = {
        0x6b1d0c6e, 0x4f0a, 0x4c55, {0x9e, 0x48, 0x0f, 0x6b, 0x7e, 0x3a, 0x4d, 0x21}};
    return iid;
}

}  // namespace k72645::win32
