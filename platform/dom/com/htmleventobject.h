// An event as a handler sees it: where it happened, its name, and the return value through which
// a handler cancels the default action.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/com/variant.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"

class CHTMLEventObject : public CComObjectRootEx<CComSingleThreadModel>,
                         public CNoTypeInfoDispatch<IHTMLEventObj> {
public:
    BEGIN_COM_MAP(CHTMLEventObject)
    COM_INTERFACE_ENTRY(IHTMLEventObj)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    CHTMLEventObject() = default;
    CHTMLEventObject(const CHTMLEventObject&) = delete;
    CHTMLEventObject& operator=(const CHTMLEventObject&) = delete;
    void Init(IHTMLElement* pSource, std::u16string_view type);

    STDMETHOD(get_srcElement)(IHTMLElement** p) override;
    STDMETHOD(put_returnValue)(VARIANT v) override;
    STDMETHOD(get_returnValue)(VARIANT* p) override;
    STDMETHOD(get_type)(BSTR* p) override;

    // True once a handler set the return value to false.
    bool IsDefaultCancelled() const;
    void CancelDefault();

private:
    CComPtr<IHTMLElement> m_pSource;
    std::u16string m_strType;
    // VT_EMPTY until a handler sets it.
    CComVariant m_varReturnValue;
};
