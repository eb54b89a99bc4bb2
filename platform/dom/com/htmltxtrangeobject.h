// The text range object: IHTMLTxtRange over a CTextRange of a body.
#pragma once

#include <memory>

#include "platform/com/comobject.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"
#include "platform/dom/textrange.h"

class CHTMLTxtRangeObject : public CComObjectRootEx<CComSingleThreadModel>,
                            public CNoTypeInfoDispatch<IHTMLTxtRange> {
public:
    BEGIN_COM_MAP(CHTMLTxtRangeObject)
    COM_INTERFACE_ENTRY(IHTMLTxtRange)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    CHTMLTxtRangeObject() = default;
    CHTMLTxtRangeObject(const CHTMLTxtRangeObject&) = delete;
    CHTMLTxtRangeObject& operator=(const CHTMLTxtRangeObject&) = delete;
    void Init(std::unique_ptr<CTextRange> pRange) { m_pRange = std::move(pRange); }

    STDMETHOD(get_htmlText)(BSTR* p) override;
    STDMETHOD(get_text)(BSTR* p) override;
    STDMETHOD(duplicate)(IHTMLTxtRange** Duplicate) override;
    STDMETHOD(collapse)(VARIANT_BOOL Start) override;
    STDMETHOD(moveStart)(BSTR Unit, LONG Count, LONG* ActualCount) override;
    STDMETHOD(moveEnd)(BSTR Unit, LONG Count, LONG* ActualCount) override;
    // There is no selection to show; the range is left as it is.
    STDMETHOD(select)() override;
    STDMETHOD(pasteHTML)(BSTR html) override;
    STDMETHOD(findText)(BSTR String, LONG count, LONG Flags, VARIANT_BOOL* Success) override;

    // A new range object over pRange, with one reference for the caller.
    static HRESULT Create(std::unique_ptr<CTextRange> pRange, IHTMLTxtRange** ppRange);

private:
    std::unique_ptr<CTextRange> m_pRange;
};
