// Result codes of COM operations.
//
// A failure code has its top bit set, so FAILED() tests the sign of the 32-bit code. To print a
// code as the platform does ("%08lx"), pass HResultBits(hr).
#pragma once

#include <cstdint>

#include "platform/win/windef.h"

namespace hresult_detail {

constexpr HRESULT FromBits(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

}  // namespace hresult_detail

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = hresult_detail::FromBits(0x80004001u);
constexpr HRESULT E_NOINTERFACE = hresult_detail::FromBits(0x80004002u);
constexpr HRESULT E_POINTER = hresult_detail::FromBits(0x80004003u);
constexpr HRESULT E_FAIL = hresult_detail::FromBits(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = hresult_detail::FromBits(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = hresult_detail::FromBits(0x80070057u);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

// The code's 32 bits, for "%08lx".
constexpr unsigned long HResultBits(HRESULT hr) {
    return static_cast<std::uint32_t>(hr);
}
