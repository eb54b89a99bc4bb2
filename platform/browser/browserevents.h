// Firing the events of DWebBrowserEvents2, with the arguments in the form the platform passes
// them (see exdisp.h): last argument first, VARIANT* arguments as VT_BYREF | VT_VARIANT, the
// cancel flag as VT_BYREF | VT_BOOL.
#pragma once

#include <string_view>
#include <vector>

#include "platform/browser/exdisp.h"
#include "platform/com/comptr.h"
#include "platform/com/connectionpoint.h"
#include "platform/com/variant.h"

// The optional arguments of a navigation, as the caller gave them (VT_EMPTY when left out).
struct SNavigationArguments {
    CComVariant flags;
    CComVariant targetFrameName;
    CComVariant postData;
    CComVariant headers;
};

// Each event goes to every connection point given, in order. The points are held (a reference
// to a connection point is one to its browser), so that a sink that lets go of a browser during
// an event cannot pull the next point from under the event.
class CBrowserEvents {
public:
    explicit CBrowserEvents(const std::vector<CConnectionPoint*>& vecPoints);

    // True when a sink set the cancel flag.
    bool BeforeNavigate2(IDispatch* pDisp, std::u16string_view url,
                         const SNavigationArguments& arguments);
    void NavigateComplete2(IDispatch* pDisp, std::u16string_view url);
    void DocumentComplete(IDispatch* pDisp, std::u16string_view url);
    void DownloadBegin();
    void DownloadComplete();
    void OnQuit();

private:
    void Fire(DISPID dispid, DISPPARAMS* pParams);
    // An event whose arguments are the browser and the address.
    void FireWithAddress(DISPID dispid, IDispatch* pDisp, std::u16string_view url);

    std::vector<CComPtr<IConnectionPoint>> m_vecPoints;
};
