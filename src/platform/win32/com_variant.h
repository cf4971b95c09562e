// Values across the COM boundary: the engine's Variant and OLE's VARIANT, and objects both ways
// (a foreign IDispatch becomes a ForeignDispatch, an engine object crossing out becomes a
// NativeDispatch; each is unwrapped again when it comes back). A bridge that maps objects its own
// way (the hosted Word's identities, a client's own calls) passes its ObjectMapping.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include "automation/variant.h"

namespace k72645::win32 {

// How objects cross: a COM object coming in becomes an engine object, an engine object going
// out becomes a COM object with a reference for the caller (null for Nothing both ways).
class ObjectMapping {
public:
    virtual DispatchPtr engineOf(IDispatch* object) const = 0;
    virtual IDispatch* comOf(const DispatchPtr& object) const = 0;

protected:
    ~ObjectMapping() = default;
};

// The component's own mapping: dispatchFromCom and comFromDispatch below.
const ObjectMapping& componentObjects();

// The engine's value of a VARIANT (by-reference VARIANTs are read through). VT_ERROR with
// DISP_E_PARAMNOTFOUND is an argument left out. A type the engine has no value for raises the
// type-mismatch error.
Variant fromVariant(const VARIANT& value, const ObjectMapping& objects = componentObjects());
// Writes the value into a VARIANT that holds nothing (VariantInit'ed or cleared).
void toVariant(const Variant& value, VARIANT* out,
               const ObjectMapping& objects = componentObjects());

// The engine's object for a COM object (Nothing for null): the engine object behind one of the
// component's NativeDispatch objects, otherwise a ForeignDispatch making the component's calls.
DispatchPtr dispatchFromCom(IDispatch* object);
// The COM object for an engine object, with a reference for the caller (null for Nothing).
IDispatch* comFromDispatch(const DispatchPtr& object);

// By-reference arguments. The VARIANT that a by-reference argument finally stands for: a
// reference to a VARIANT that holds another reference is followed to its end, as a variable
// passed on by reference is still the caller's variable. The result is either a plain VARIANT
// (a by-reference VARIANT's target, written whole) or a typed reference (written through its
// pointer); null when a reference on the way is null or the chain does not end.
VARIANT* referenceTarget(VARIANT* arg);
// Converts `value` in place to what the target can hold (anything for a plain VARIANT, the
// referenced type otherwise); on failure `value` is unchanged and nothing may be written.
HRESULT prepareWrite(const VARIANT* target, VARIANT& value);
// Stores a prepared value into the target, releasing what the target held; the target takes
// the value over and `value` is left empty.
void commitWrite(VARIANT* target, VARIANT& value);

}  // namespace k72645::win32
