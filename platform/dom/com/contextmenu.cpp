#include "platform/dom/com/contextmenu.h"

#include <utility>

#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/variant.h"
#include "platform/dom/asciicase.h"
#include "platform/dom/com/contextmenurecorder.h"
#include "platform/dom/com/createcomobject.h"
#include "platform/dom/com/htmldocumentobject.h"
#include "platform/dom/com/htmlelementobject.h"
#include "platform/dom/com/htmleventobject.h"

namespace {

bool IsWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Reads a run of white space at nPosition; true when there was at least one character.
bool SkipWhiteSpace(std::u16string_view code, size_t& nPosition) {
    size_t nStart = nPosition;
    while (nPosition < code.size() && IsWhiteSpace(code[nPosition])) {
        ++nPosition;
    }
    return nPosition > nStart;
}

bool SkipKeyword(std::u16string_view code, size_t& nPosition, std::u16string_view keyword) {
    if (!EqualsIgnoringAsciiCase(code.substr(nPosition, keyword.size()), keyword)) {
        return false;
    }
    nPosition += keyword.size();
    return true;
}

// Inline handlers run from the element outwards; any of them may cancel the default action.
void RunInlineHandlers(CElement& element, CHTMLEventObject& event) {
    for (CElement* pElement = &element; pElement != nullptr;
         pElement = pElement->GetParentElement()) {
        const std::u16string* pCode = pElement->FindAttribute(u"oncontextmenu");
        if (pCode != nullptr && IsInlineReturnFalse(*pCode)) {
            event.CancelDefault();
        }
    }
}

// Invokes the document's handler with the event as the window's current event; true when the
// handler's result cancels the default action.
bool RunDocumentHandler(CHTMLDocumentObject& documentObject, CHTMLEventObject& event) {
    // Held for the call: the handler may replace itself meanwhile.
    CComPtr<IDispatch> pHandler = documentObject.GetContextMenuHandler();
    if (!pHandler) {
        return false;
    }
    CComPtr<IHTMLEventObj> pPrevious = documentObject.ExchangeCurrentEvent(&event);
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    CComVariant varResult;
    pHandler->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                     &varResult, nullptr, nullptr);
    documentObject.ExchangeCurrentEvent(std::move(pPrevious));
    return varResult.vt == VT_BOOL && varResult.boolVal == VARIANT_FALSE;
}

}  // namespace

bool IsInlineReturnFalse(std::u16string_view code) {
    size_t nPosition = 0;
    SkipWhiteSpace(code, nPosition);
    if (!SkipKeyword(code, nPosition, u"return") || !SkipWhiteSpace(code, nPosition) ||
        !SkipKeyword(code, nPosition, u"false")) {
        return false;
    }
    SkipWhiteSpace(code, nPosition);
    if (nPosition < code.size() && code[nPosition] == u';') {
        ++nPosition;
        SkipWhiteSpace(code, nPosition);
    }
    return nPosition == code.size();
}

HRESULT RaiseContextMenu(IHTMLElement* pElement, bool* pbBrowserMenuShown) {
    if (pbBrowserMenuShown != nullptr) {
        *pbBrowserMenuShown = false;
    }
    CHTMLElementObject* pElementObject = GetHTMLElementObject(pElement);
    if (pElementObject == nullptr) {
        return E_INVALIDARG;
    }
    CHTMLDocumentObject& documentObject = pElementObject->GetDocumentObject();
    CElement& element = pElementObject->GetElement();
    if (element.GetOwnerDocument() != &documentObject.GetDocument()) {
        return E_INVALIDARG;
    }

    CComPtr<CHTMLEventObject> pEvent;
    HRESULT hr = CreateComObject(pEvent);
    if (FAILED(hr)) {
        return hr;
    }
    pEvent->Init(pElementObject, u"contextmenu");
    RunInlineHandlers(element, *pEvent);
    bool bHandlerCancelled = RunDocumentHandler(documentObject, *pEvent);

    bool bShown = !bHandlerCancelled && !pEvent->IsDefaultCancelled();
    CContextMenuRecorder::Get().Record(
        {documentObject.GetDocument().GetUrl(), element.GetTagName(), element.GetId(), bShown});
    if (pbBrowserMenuShown != nullptr) {
        *pbBrowserMenuShown = bShown;
    }
    return S_OK;
}
