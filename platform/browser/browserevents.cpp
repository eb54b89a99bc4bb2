#include "platform/browser/browserevents.h"

#include <iterator>
#include <string>

namespace {

VARIANT ByRef(VARIANT* pTarget) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BYREF | VT_VARIANT;
    arg.pvarVal = pTarget;
    return arg;
}

VARIANT Dispatch(IDispatch* pDisp) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_DISPATCH;
    arg.pdispVal = pDisp;
    return arg;
}

CComVariant Address(std::u16string_view url) {
    return CComVariant(std::u16string(url).c_str());
}

}  // namespace

CBrowserEvents::CBrowserEvents(const std::vector<CConnectionPoint*>& vecPoints)
    : m_vecPoints(vecPoints.begin(), vecPoints.end()) {}

bool CBrowserEvents::BeforeNavigate2(IDispatch* pDisp, std::u16string_view url,
                                     const SNavigationArguments& arguments) {
    // Copies: a sink may change what the references point at.
    CComVariant varUrl = Address(url);
    CComVariant varFlags = arguments.flags;
    CComVariant varTarget = arguments.targetFrameName;
    CComVariant varPostData = arguments.postData;
    CComVariant varHeaders = arguments.headers;
    VARIANT_BOOL bCancel = VARIANT_FALSE;

    VARIANT cancel;
    VariantInit(&cancel);
    cancel.vt = VT_BYREF | VT_BOOL;
    cancel.pboolVal = &bCancel;
    VARIANT args[] = {cancel,           ByRef(&varHeaders), ByRef(&varPostData), ByRef(&varTarget),
                      ByRef(&varFlags), ByRef(&varUrl),     Dispatch(pDisp)};
    DISPPARAMS params = {args, nullptr, static_cast<UINT>(std::size(args)), 0};
    Fire(DISPID_BEFORENAVIGATE2, &params);
    return bCancel != VARIANT_FALSE;
}

void CBrowserEvents::NavigateComplete2(IDispatch* pDisp, std::u16string_view url) {
    FireWithAddress(DISPID_NAVIGATECOMPLETE2, pDisp, url);
}

void CBrowserEvents::DocumentComplete(IDispatch* pDisp, std::u16string_view url) {
    FireWithAddress(DISPID_DOCUMENTCOMPLETE, pDisp, url);
}

void CBrowserEvents::DownloadBegin() {
    Fire(DISPID_DOWNLOADBEGIN, nullptr);
}

void CBrowserEvents::DownloadComplete() {
    Fire(DISPID_DOWNLOADCOMPLETE, nullptr);
}

void CBrowserEvents::OnQuit() {
    Fire(DISPID_ONQUIT, nullptr);
}

void CBrowserEvents::FireWithAddress(DISPID dispid, IDispatch* pDisp, std::u16string_view url) {
    CComVariant varUrl = Address(url);
    VARIANT args[] = {ByRef(&varUrl), Dispatch(pDisp)};
    DISPPARAMS params = {args, nullptr, static_cast<UINT>(std::size(args)), 0};
    Fire(dispid, &params);
}

void CBrowserEvents::Fire(DISPID dispid, DISPPARAMS* pParams) {
    for (const CComPtr<IConnectionPoint>& pPoint : m_vecPoints) {
        static_cast<CConnectionPoint*>(pPoint.p)->Fire(dispid, pParams);
    }
}
