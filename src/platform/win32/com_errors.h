// COM errors and the component's ComError: VB's mapping between error numbers and HRESULTs, and
// the error information that travels with a failed call (IErrorInfo, EXCEPINFO).
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "automation/com_error.h"

namespace k72645::win32 {

// A VB error number n (1 to 65535) is the HRESULT 0x800A0000 | n (FACILITY_CONTROL); a number
// that is already a failure HRESULT stays as it is.
HRESULT hresultOf(std::int32_t number);
// The error number VB gives an HRESULT: the low word of a FACILITY_CONTROL failure, the
// HRESULT itself otherwise.
std::int32_t numberOf(HRESULT hr);

// The error reported by IDispatch::Invoke through DISP_E_EXCEPTION: wCode when set, else the
// scode as above. Frees the EXCEPINFO's strings.
ComError errorFromExcepInfo(EXCEPINFO& info);
// The error of a failed call that returned hr without EXCEPINFO: the thread's IErrorInfo when
// one is set, otherwise VB's error for the dispatch failures it knows (438, 13, 449, 450...).
ComError errorFromHresult(HRESULT hr);

// Records the error as the thread's IErrorInfo and returns its HRESULT.
HRESULT reportError(const ComError& error, const IID& iid);
// Fills an EXCEPINFO with the error (the caller then returns DISP_E_EXCEPTION).
void fillExcepInfo(const ComError& error, EXCEPINFO* info);

}  // namespace k72645::win32
