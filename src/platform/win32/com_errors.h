// COM errors and the component's ComError: VB's mapping between error numbers and HRESULTs, and
// the error information that travels with a failed call (IErrorInfo, EXCEPINFO).
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>
#include <new>
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
// The error of a call of `object` that failed with hr without EXCEPINFO: the thread's IErrorInfo
// when the object says (ISupportErrorInfo) that its IDispatch sets one, otherwise VB's error for
// the dispatch failures it knows (438, 13, 449, 450, 462...). An error object left on the thread
// by an earlier call is never taken for this one's, and is discarded. A server that has gone
// sets none: its failures are never asked about.
ComError errorFromHresult(HRESULT hr, IUnknown* object);

// Records the error as the thread's IErrorInfo and returns its HRESULT.
HRESULT reportError(const ComError& error, const IID& iid);
// Fills an EXCEPINFO with the error (the caller then returns DISP_E_EXCEPTION).
void fillExcepInfo(const ComError& error, EXCEPINFO* info);

// Runs the body of one of COM's entry points, which returns an HRESULT: no C++ exception may
// cross into COM's caller. Memory running out (even while an error is being reported) fails
// the call as E_OUTOFMEMORY; any other exception that the body did not turn into an HRESULT
// as E_UNEXPECTED.
template <class Body>
HRESULT atComEntryPoint(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace k72645::win32
