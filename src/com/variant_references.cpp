#include "com/variant_references.h"

#include <oleauto.h>

#include "platform/win32/com_variant.h"

namespace k72645::com {

namespace {

// The type of parameter `index` of the member `id` invoked with `flags`, or nullptr.
const TYPEDESC* parameterType(ITypeInfo* info, DISPID id, WORD flags, UINT index, FUNCDESC** held) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)))
        return nullptr;
    const UINT count = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function)))
            continue;
        if (function->memid == id && (function->invkind & flags) &&
            index < static_cast<UINT>(function->cParams)) {
            *held = function;
            return &function->lprgelemdescParam[index].tdesc;
        }
        info->ReleaseFuncDesc(function);
    }
    return nullptr;
}

}  // namespace

HRESULT VariantReferences::lend(ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* parameters,
                                UINT* argumentError) {
    if (!parameters || parameters->cNamedArgs > 0)
        return S_OK;
    const UINT count = parameters->cArgs;
    lent_.reserve(count);
    for (UINT position = 0; position < count; ++position) {
        // The arguments come last first.
        VARIANT* slot = &parameters->rgvarg[count - 1 - position];
        if (V_VT(slot) != (VT_BYREF | VT_VARIANT))
            continue;
        FUNCDESC* function = nullptr;
        const TYPEDESC* type = parameterType(info, id, flags, position, &function);
        if (!type)
            continue;
        const bool byReference = type->vt == VT_PTR;
        const VARTYPE wanted = byReference ? type->lptdesc->vt : type->vt;
        info->ReleaseFuncDesc(function);
        if (wanted == VT_VARIANT || wanted == VT_USERDEFINED || wanted == VT_PTR)
            continue;  // the member takes the VARIANT itself, or a type this cannot lend
        // The caller's variable at the end of its references; a null reference names none, and
        // the member is lent a value made from Empty that goes nowhere.
        VARIANT* callers = win32::referenceTarget(slot);
        VARIANT empty;
        VariantInit(&empty);
        auto entry =
            std::make_unique<Lent>(Lent{slot, V_VARIANTREF(slot), callers, {}, byReference});
        VariantInit(&entry->value);
        if (FAILED(VariantChangeType(&entry->value, callers ? callers : &empty, 0, wanted))) {
            giveBack(false);
            if (argumentError)
                *argumentError = count - 1 - position;
            return DISP_E_TYPEMISMATCH;
        }
        Lent& lent = *entry;
        lent_.push_back(std::move(entry));  // room reserved: cannot fail
        if (byReference) {
            V_VT(slot) = VT_BYREF | wanted;
            V_BYREF(slot) = &lent.value.llVal;  // the value's storage, whatever its type
        } else {
            *slot = lent.value;  // shallow: the lent value still owns what it holds
        }
    }
    return S_OK;
}

void VariantReferences::giveBack(bool writeBack) {
    for (auto& entry : lent_) {
        if (entry->givenBack)
            continue;
        entry->givenBack = true;
        if (writeBack && entry->byReference && entry->variable &&
            SUCCEEDED(win32::prepareWrite(entry->variable, entry->value)))
            win32::commitWrite(entry->variable, entry->value);  // the caller now owns it
        V_VT(entry->slot) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(entry->slot) = entry->reference;
    }
}

VariantReferences::~VariantReferences() {
    // Arguments lent when the call ended early are put back as the caller gave them.
    giveBack(false);
    for (auto& entry : lent_)
        VariantClear(&entry->value);
}

}  // namespace k72645::com
