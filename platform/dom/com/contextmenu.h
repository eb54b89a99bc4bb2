// Context-menu events: a right-click on an element of a page, as the UI driver raises it.
#pragma once

#include <string_view>

#include "platform/com/hresult.h"
#include "platform/dom/com/mshtml.h"

// Raises the event on the element. Inline oncontextmenu handlers of the element and its ancestors
// run first (the page has no script engine: "return false;" is the one handler understood), then
// the handler installed on the element's document with put_oncontextmenu is invoked with dispatch
// id 0 (DISPATCH_METHOD, no arguments); meanwhile the event is the current event of the document's
// window. The browser's own menu is shown unless an inline handler returned false, a handler set
// the event's returnValue to false or the document's handler gave VT_BOOL false as its result.
// The outcome goes to *pbBrowserMenuShown (when given) and to CContextMenuRecorder.
// E_INVALIDARG for an element that is not an element object or no longer in its document.
HRESULT RaiseContextMenu(IHTMLElement* pElement, bool* pbBrowserMenuShown);

// Whether inline handler code is "return false" (letter case and white space free, with or
// without a closing semicolon).
bool IsInlineReturnFalse(std::u16string_view code);
