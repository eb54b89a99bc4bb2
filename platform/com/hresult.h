// Result codes of COM operations.
//
// A failure code has its top bit set, so FAILED() tests the sign of the 32-bit code. To print a
// code as the platform does ("%08lx"), pass HResultBits(hr).
#pragma once

#include <cstdint>

#include "platform/win/windef.h"

namespace hresult_detail {

constexpr HRESULT FromBits(std::uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

}  // namespace hresult_detail

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

// General failures.
constexpr HRESULT E_NOTIMPL = hresult_detail::FromBits(0x80004001u);
constexpr HRESULT E_NOINTERFACE = hresult_detail::FromBits(0x80004002u);
constexpr HRESULT E_POINTER = hresult_detail::FromBits(0x80004003u);
constexpr HRESULT E_FAIL = hresult_detail::FromBits(0x80004005u);
constexpr HRESULT E_UNEXPECTED = hresult_detail::FromBits(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = hresult_detail::FromBits(0x80070005u);
constexpr HRESULT E_HANDLE = hresult_detail::FromBits(0x80070006u);
constexpr HRESULT E_OUTOFMEMORY = hresult_detail::FromBits(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = hresult_detail::FromBits(0x80070057u);

// Class objects and object creation.
constexpr HRESULT CLASS_E_NOAGGREGATION = hresult_detail::FromBits(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hresult_detail::FromBits(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = hresult_detail::FromBits(0x80040154u);
constexpr HRESULT CO_E_NOTINITIALIZED = hresult_detail::FromBits(0x800401F0u);
constexpr HRESULT CO_E_CLASSSTRING = hresult_detail::FromBits(0x800401F3u);
constexpr HRESULT CO_E_ERRORINDLL = hresult_detail::FromBits(0x800401F9u);
constexpr HRESULT RPC_E_CHANGED_MODE = hresult_detail::FromBits(0x80010106u);

// Automation.
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hresult_detail::FromBits(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = hresult_detail::FromBits(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = hresult_detail::FromBits(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = hresult_detail::FromBits(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = hresult_detail::FromBits(0x80020006u);
constexpr HRESULT DISP_E_BADVARTYPE = hresult_detail::FromBits(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = hresult_detail::FromBits(0x80020009u);
constexpr HRESULT DISP_E_BADPARAMCOUNT = hresult_detail::FromBits(0x8002000Eu);

// Connection points.
constexpr HRESULT CONNECT_E_NOCONNECTION = hresult_detail::FromBits(0x80040200u);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = hresult_detail::FromBits(0x80040202u);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

// A system error code (GetLastError, the registry's results) as a failure code; zero and
// negative values pass unchanged.
constexpr HRESULT HRESULT_FROM_WIN32(long code) {
    return code <= 0 ? static_cast<HRESULT>(code)
                     : hresult_detail::FromBits((static_cast<std::uint32_t>(code) & 0xFFFFu) |
                                                0x80070000u);
}

// The code's 32 bits, for "%08lx".
constexpr unsigned long HResultBits(HRESULT hr) {
    return static_cast<std::uint32_t>(hr);
}
