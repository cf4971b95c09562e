// Values across the COM boundary: the engine's Variant and OLE's VARIANT, and objects both ways
// (a foreign IDispatch becomes a ForeignDispatch, an engine object crossing out becomes a
// NativeDispatch; each is unwrapped again when it comes back).
#pragma once

#include <oaidl.h>
#include <windows.h>

#include "automation/variant.h"

namespace k72645::win32 {

// The engine's value of a VARIANT (by-reference VARIANTs are read through). VT_ERROR with
// DISP_E_PARAMNOTFOUND is an argument left out. A type the engine has no value for raises the
// type-mismatch error.
Variant fromVariant(const VARIANT& value);
// Writes the value into a VARIANT that holds nothing (VariantInit'ed or cleared).
void toVariant(const Variant& value, VARIANT* out);

// The engine's object for a COM object (Nothing for null).
DispatchPtr dispatchFromCom(IDispatch* object);
// The COM object for an engine object, with a reference for the caller (null for Nothing).
IDispatch* comFromDispatch(const DispatchPtr& object);

}  // namespace k72645::win32
