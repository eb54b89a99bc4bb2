#include "platform/dom/com/htmltxtrangeobject.h"

#include <optional>
#include <utility>

#include "platform/dom/com/bstrtext.h"
#include "platform/dom/com/createcomobject.h"

namespace {

HRESULT MoveResult(std::optional<long> moved, LONG* ActualCount) {
    if (ActualCount != nullptr) {
        *ActualCount = static_cast<LONG>(moved.value_or(0));
    }
    return moved ? S_OK : E_INVALIDARG;
}

}  // namespace

HRESULT CHTMLTxtRangeObject::Create(std::unique_ptr<CTextRange> pRange, IHTMLTxtRange** ppRange) {
    if (ppRange == nullptr) {
        return E_POINTER;
    }
    *ppRange = nullptr;
    if (!pRange) {
        return E_FAIL;
    }
    CComPtr<CHTMLTxtRangeObject> pObject;
    HRESULT hr = CreateComObject(pObject);
    if (FAILED(hr)) {
        return hr;
    }
    pObject->Init(std::move(pRange));
    *ppRange = pObject.Detach();
    return S_OK;
}

STDMETHODIMP CHTMLTxtRangeObject::get_htmlText(BSTR* p) {
    return ReturnBstr(m_pRange->GetHtmlText(), p);
}

STDMETHODIMP CHTMLTxtRangeObject::get_text(BSTR* p) {
    return ReturnBstr(m_pRange->GetText(), p);
}

STDMETHODIMP CHTMLTxtRangeObject::duplicate(IHTMLTxtRange** Duplicate) {
    return Create(m_pRange->Duplicate(), Duplicate);
}

STDMETHODIMP CHTMLTxtRangeObject::collapse(VARIANT_BOOL Start) {
    m_pRange->Collapse(Start != VARIANT_FALSE);
    return S_OK;
}

STDMETHODIMP CHTMLTxtRangeObject::moveStart(BSTR Unit, LONG Count, LONG* ActualCount) {
    return MoveResult(m_pRange->MoveStart(BstrView(Unit), Count), ActualCount);
}

STDMETHODIMP CHTMLTxtRangeObject::moveEnd(BSTR Unit, LONG Count, LONG* ActualCount) {
    return MoveResult(m_pRange->MoveEnd(BstrView(Unit), Count), ActualCount);
}

STDMETHODIMP CHTMLTxtRangeObject::select() {
    return S_OK;
}

STDMETHODIMP CHTMLTxtRangeObject::pasteHTML(BSTR html) {
    return m_pRange->PasteHtml(BstrView(html)) ? S_OK : E_FAIL;
}

STDMETHODIMP CHTMLTxtRangeObject::findText(BSTR String, LONG count, LONG Flags,
                                           VARIANT_BOOL* Success) {
    if (Success == nullptr) {
        return E_POINTER;
    }
    bool bFound = m_pRange->FindText(BstrView(String), count, Flags);
    *Success = bFound ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}
