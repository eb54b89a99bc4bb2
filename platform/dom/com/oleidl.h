// The enumerators and the container interface of OLE and automation that the document model
// answers: IEnumVARIANT (collections), IEnumUnknown and IOleContainer (the objects embedded in a
// page, that is its frames).
#pragma once

#include "platform/com/unknown.h"
#include "platform/com/variant.h"
#include "platform/com/wtypes.h"

// Monikers and bind contexts are not offered; they appear only in ParseDisplayName's signature.
struct IBindCtx;
struct IMoniker;

inline constexpr IID IID_IEnumUnknown = MakeGuid("{00000100-0000-0000-C000-000000000046}");
inline constexpr IID IID_IEnumVARIANT = MakeGuid("{00020404-0000-0000-C000-000000000046}");
inline constexpr IID IID_IParseDisplayName = MakeGuid("{0000011A-0000-0000-C000-000000000046}");
inline constexpr IID IID_IOleContainer = MakeGuid("{0000011B-0000-0000-C000-000000000046}");

// Next gives up to celt items and S_OK when it gave them all, S_FALSE when fewer were left.
struct IEnumUnknown : public IUnknown {
    STDMETHOD(Next)(ULONG celt, IUnknown** rgelt, ULONG* pceltFetched) PURE;
    STDMETHOD(Skip)(ULONG celt) PURE;
    STDMETHOD(Reset)() PURE;
    STDMETHOD(Clone)(IEnumUnknown** ppenum) PURE;
};

struct IEnumVARIANT : public IUnknown {
    STDMETHOD(Next)(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) PURE;
    STDMETHOD(Skip)(ULONG celt) PURE;
    STDMETHOD(Reset)() PURE;
    STDMETHOD(Clone)(IEnumVARIANT** ppEnum) PURE;
};

struct IParseDisplayName : public IUnknown {
    STDMETHOD(ParseDisplayName)
    (IBindCtx* pbc, LPOLESTR pszDisplayName, ULONG* pchEaten, IMoniker** ppmkOut) PURE;
};

// Which objects EnumObjects enumerates.
enum OLECONTF : DWORD {
    OLECONTF_EMBEDDINGS = 1,
    OLECONTF_LINKS = 2,
    OLECONTF_OTHERS = 4,
    OLECONTF_ONLYUSER = 8,
    OLECONTF_ONLYIFRUNNING = 16,
};

struct IOleContainer : public IParseDisplayName {
    STDMETHOD(EnumObjects)(DWORD grfFlags, IEnumUnknown** ppenum) PURE;
    STDMETHOD(LockContainer)(BOOL fLock) PURE;
};

template <>
constexpr const IID& UuidOf<IEnumUnknown>() {
    return IID_IEnumUnknown;
}
template <>
constexpr const IID& UuidOf<IEnumVARIANT>() {
    return IID_IEnumVARIANT;
}
template <>
constexpr const IID& UuidOf<IParseDisplayName>() {
    return IID_IParseDisplayName;
}
template <>
constexpr const IID& UuidOf<IOleContainer>() {
    return IID_IOleContainer;
}
