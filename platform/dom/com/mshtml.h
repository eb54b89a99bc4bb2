// The HTML document interfaces: the document, its elements and body, the all-collection, text
// ranges, the window and its event. Each is a dual interface (it derives from IDispatch); the
// declarations hold the members the system calls and their near neighbours, in the platform's
// order. Strings are BSTR (UTF-16); a null BSTR is the empty string.
#pragma once

#include "platform/com/dispatch.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"
#include "platform/com/wtypes.h"
#include "platform/dom/com/oleidl.h"

struct IHTMLDocument2;
struct IHTMLElement;
struct IHTMLElementCollection;
struct IHTMLEventObj;
struct IHTMLTxtRange;
struct IHTMLWindow2;

inline constexpr IID IID_IHTMLDocument2 = MakeGuid("{332C4425-26CB-11D0-B483-00C04FD90119}");
inline constexpr IID IID_IHTMLDocument3 = MakeGuid("{3050F485-98B5-11CF-BB82-00AA00BDCE0B}");
inline constexpr IID IID_IHTMLElement = MakeGuid("{3050F1FF-98B5-11CF-BB82-00AA00BDCE0B}");
inline constexpr IID IID_IHTMLBodyElement = MakeGuid("{3050F1D8-98B5-11CF-BB82-00AA00BDCE0B}");
inline constexpr IID IID_IHTMLElementCollection =
    MakeGuid("{3050F21F-98B5-11CF-BB82-00AA00BDCE0B}");
inline constexpr IID IID_IHTMLTxtRange = MakeGuid("{3050F220-98B5-11CF-BB82-00AA00BDCE0B}");
inline constexpr IID IID_IHTMLWindow2 = MakeGuid("{332C4427-26CB-11D0-B483-00C04FD90119}");
inline constexpr IID IID_IHTMLEventObj = MakeGuid("{3050F32D-98B5-11CF-BB82-00AA00BDCE0B}");

// getAttribute / setAttribute / removeAttribute flags: the name's letter case counts.
constexpr LONG HTML_ATTRIBUTE_CASE_SENSITIVE = 1;

struct IHTMLDocument2 : public IDispatch {
    STDMETHOD(get_all)(IHTMLElementCollection** p) PURE;
    // The BODY or FRAMESET element; null while there is none.
    STDMETHOD(get_body)(IHTMLElement** p) PURE;
    STDMETHOD(get_title)(BSTR* p) PURE;
    STDMETHOD(get_URL)(BSTR* p) PURE;
    STDMETHOD(get_charset)(BSTR* p) PURE;
    STDMETHOD(get_parentWindow)(IHTMLWindow2** p) PURE;
};

struct IHTMLDocument3 : public IDispatch {
    STDMETHOD(get_documentElement)(IHTMLElement** p) PURE;
    // A VT_DISPATCH handler, invoked with dispatch id 0 when the event fires, or VT_NULL / VT_EMPTY
    // to remove it.
    STDMETHOD(put_oncontextmenu)(VARIANT v) PURE;
    STDMETHOD(get_oncontextmenu)(VARIANT* p) PURE;
    STDMETHOD(getElementById)(BSTR v, IHTMLElement** pel) PURE;
};

struct IHTMLElement : public IDispatch {
    STDMETHOD(setAttribute)(BSTR strAttributeName, VARIANT AttributeValue, LONG lFlags) PURE;
    // A missing attribute gives VT_NULL.
    STDMETHOD(getAttribute)(BSTR strAttributeName, LONG lFlags, VARIANT* AttributeValue) PURE;
    STDMETHOD(removeAttribute)(BSTR strAttributeName, LONG lFlags, VARIANT_BOOL* pfSuccess) PURE;
    STDMETHOD(get_id)(BSTR* p) PURE;
    // Upper case for HTML elements ("SPAN").
    STDMETHOD(get_tagName)(BSTR* p) PURE;
    STDMETHOD(get_parentElement)(IHTMLElement** p) PURE;
    STDMETHOD(get_document)(IDispatch** p) PURE;
    STDMETHOD(get_innerHTML)(BSTR* p) PURE;
    STDMETHOD(get_innerText)(BSTR* p) PURE;
    STDMETHOD(get_outerHTML)(BSTR* p) PURE;
    // Replaces the element by the text.
    STDMETHOD(put_outerText)(BSTR v) PURE;
};

struct IHTMLBodyElement : public IDispatch {
    STDMETHOD(createTextRange)(IHTMLTxtRange** range) PURE;
};

struct IHTMLElementCollection : public IDispatch {
    STDMETHOD(get_length)(LONG* p) PURE;
    // An enumerator answering IEnumVARIANT.
    STDMETHOD(get__newEnum)(IUnknown** p) PURE;
    // name: a VT_I4 position, or a VT_BSTR id or name (index then picks among the elements that
    // carry it).
    STDMETHOD(item)(VARIANT name, VARIANT index, IDispatch** pdisp) PURE;
};

struct IHTMLTxtRange : public IDispatch {
    STDMETHOD(get_htmlText)(BSTR* p) PURE;
    STDMETHOD(get_text)(BSTR* p) PURE;
    STDMETHOD(duplicate)(IHTMLTxtRange** Duplicate) PURE;
    STDMETHOD(collapse)(VARIANT_BOOL Start) PURE;
    // Units "character" and "textedit" (any letter case).
    STDMETHOD(moveStart)(BSTR Unit, LONG Count, LONG* ActualCount) PURE;
    STDMETHOD(moveEnd)(BSTR Unit, LONG Count, LONG* ActualCount) PURE;
    STDMETHOD(select)() PURE;
    STDMETHOD(pasteHTML)(BSTR html) PURE;
    STDMETHOD(findText)(BSTR String, LONG count, LONG Flags, VARIANT_BOOL* Success) PURE;
};

struct IHTMLWindow2 : public IDispatch {
    // The event being dispatched in the window, or null.
    STDMETHOD(get_event)(IHTMLEventObj** p) PURE;
    STDMETHOD(get_document)(IHTMLDocument2** p) PURE;
};

struct IHTMLEventObj : public IDispatch {
    STDMETHOD(get_srcElement)(IHTMLElement** p) PURE;
    // VT_BOOL false cancels the event's default action.
    STDMETHOD(put_returnValue)(VARIANT v) PURE;
    STDMETHOD(get_returnValue)(VARIANT* p) PURE;
    // The event's name without "on" ("contextmenu").
    STDMETHOD(get_type)(BSTR* p) PURE;
};

template <>
constexpr const IID& UuidOf<IHTMLDocument2>() {
    return IID_IHTMLDocument2;
}
template <>
constexpr const IID& UuidOf<IHTMLDocument3>() {
    return IID_IHTMLDocument3;
}
template <>
constexpr const IID& UuidOf<IHTMLElement>() {
    return IID_IHTMLElement;
}
template <>
constexpr const IID& UuidOf<IHTMLBodyElement>() {
    return IID_IHTMLBodyElement;
}
template <>
constexpr const IID& UuidOf<IHTMLElementCollection>() {
    return IID_IHTMLElementCollection;
}
template <>
constexpr const IID& UuidOf<IHTMLTxtRange>() {
    return IID_IHTMLTxtRange;
}
template <>
constexpr const IID& UuidOf<IHTMLWindow2>() {
    return IID_IHTMLWindow2;
}
template <>
constexpr const IID& UuidOf<IHTMLEventObj>() {
    return IID_IHTMLEventObj;
}
