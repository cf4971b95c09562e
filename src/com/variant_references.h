// Arguments passed as references to a VARIANT where the member takes a reference to its own type.
// Scripting hosts (VBScript, PowerShell, late-bound Python) pass every variable given by
// reference that way, while the type information's [in, out] parameters want, say, a reference
// to a Long. For the length of one Invoke each such argument is lent a value of the parameter's
// own type, converted from the caller's; afterwards what the member left there is written back
// into the caller's variable (through a VARIANT that itself holds a reference, to that
// reference's target), as a by-reference call writes into the caller's variable. A VARIANT
// reference given for a parameter taken by value is passed as the value it refers to.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <memory>
#include <vector>

namespace k72645::com {

class VariantReferences {
public:
    VariantReferences() = default;
    VariantReferences(const VariantReferences&) = delete;
    VariantReferences& operator=(const VariantReferences&) = delete;
    ~VariantReferences();

    // Rewrites the arguments of member `id` in place; a value that cannot take the parameter's
    // type fails with DISP_E_TYPEMISMATCH and its position in argumentError.
    HRESULT lend(ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* parameters,
                 UINT* argumentError);
    // Writes what the member left in each lent value back into the caller's VARIANT (unless
    // writeBack is false), and puts the caller's arguments back as they were given.
    void giveBack(bool writeBack = true);

private:
    struct Lent {
        VARIANT* slot;       // the argument in the caller's DISPPARAMS
        VARIANT* reference;  // the VARIANT the caller's reference points to
        VARIANT* variable;   // the caller's variable at the end of its references, or null
        VARIANT value;       // the value lent for the call
        bool byReference;    // the parameter is [in, out]: write back
        bool givenBack = false;
    };
    std::vector<std::unique_ptr<Lent>> lent_;
};

}  // namespace k72645::com
