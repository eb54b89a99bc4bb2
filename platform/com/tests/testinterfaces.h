// The classes and the interface of the test module, known to the module and to the tests.
#pragma once

#include "platform/com/unknown.h"

// Aggregatable.
inline constexpr CLSID CLSID_TestCounter = MakeGuid("{5C0F6D3A-2B1E-4C7D-9A8B-1F2E3D4C5B6A}");
// Not aggregatable.
inline constexpr CLSID CLSID_TestSolitary = MakeGuid("{5C0F6D3B-2B1E-4C7D-9A8B-1F2E3D4C5B6A}");
// Registered for the module, which does not serve it.
inline constexpr CLSID CLSID_TestUnserved = MakeGuid("{5C0F6D3C-2B1E-4C7D-9A8B-1F2E3D4C5B6A}");

inline constexpr IID IID_ITestCounter = MakeGuid("{7E2D1A44-55C3-4B0A-8F19-2C6B7D8E9F01}");

struct ITestCounter : public IUnknown {
    STDMETHOD(Add)(LONG nAmount) PURE;
    STDMETHOD(GetTotal)(LONG* pnTotal) PURE;
};

template <>
constexpr const IID& UuidOf<ITestCounter>() {
    return IID_ITestCounter;
}
