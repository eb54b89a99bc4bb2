// An IEnumUnknown over a fixed list of objects: the objects embedded in a page.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/oleidl.h"

class CUnknownEnumerator : public CComObjectRootEx<CComSingleThreadModel>, public IEnumUnknown {
public:
    BEGIN_COM_MAP(CUnknownEnumerator)
    COM_INTERFACE_ENTRY(IEnumUnknown)
    END_COM_MAP()

    CUnknownEnumerator() = default;
    CUnknownEnumerator(const CUnknownEnumerator&) = delete;
    CUnknownEnumerator& operator=(const CUnknownEnumerator&) = delete;
    void Init(std::vector<CComPtr<IUnknown>> objects, size_t nPosition = 0);

    STDMETHOD(Next)(ULONG celt, IUnknown** rgelt, ULONG* pceltFetched) override;
    STDMETHOD(Skip)(ULONG celt) override;
    STDMETHOD(Reset)() override;
    STDMETHOD(Clone)(IEnumUnknown** ppenum) override;

private:
    std::vector<CComPtr<IUnknown>> m_vecObjects;
    size_t m_nPosition = 0;
};
