// Failures that reach a host as automation errors: the HRESULT of the
// failure's number in the control facility, with an IErrorInfo that carries
// the number's description. No C++ exception leaves a COM method; Guarded
// turns each one into its HRESULT.
#pragma once

#include "runtime/failure.h"

#include <cstdint>
#include <new>

#include <oaidl.h>

namespace talmiron::com {

// 0x800A0000 + number, the HRESULT by which hosts know a numbered failure.
constexpr HRESULT FailureResult(std::int32_t number) noexcept {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<unsigned>(number) & 0xFFFF);
}

// Sets the thread's error information for the failure, raised by a member of
// the interface iid of the object named source, and returns its HRESULT.
HRESULT ReportFailure(const RuntimeFailure& failure, REFGUID iid, const wchar_t* source) noexcept;

// Clears the thread's error information, so that a failure without one does
// not leave a stale one of an earlier call to be read; returns failure.
HRESULT ReportPlainFailure(HRESULT failure) noexcept;

// Runs the body of a COM method and returns its HRESULT; a failure of the
// system becomes an automation error, a lack of memory E_OUTOFMEMORY, and
// anything else E_UNEXPECTED.
template <typename Body> HRESULT Guarded(REFGUID iid, const wchar_t* source, Body&& body) noexcept {
    try {
        return body();
    } catch (const RuntimeFailure& failure) {
        return ReportFailure(failure, iid, source);
    } catch (const std::bad_alloc&) {
        return ReportPlainFailure(E_OUTOFMEMORY);
    } catch (...) {
        return ReportPlainFailure(E_UNEXPECTED);
    }
}

// For IDispatch::Invoke: a member that failed with error information hands
// it to the caller in the EXCEPINFO and Invoke returns DISP_E_EXCEPTION, the
// way script engines learn the number and description. Without error
// information or without an EXCEPINFO, failure is returned as it is.
HRESULT FailureToException(HRESULT failure, EXCEPINFO* exception) noexcept;

} // namespace talmiron::com
