#include "platform/browser/browsercontrol.h"

#include <utility>

#include "platform/browser/webbrowser.h"

namespace {

// Browsers belong to the thread that made them, as its windows do; so does this switch.
thread_local std::optional<int> t_nextNavigationHold;

}  // namespace

bool CBrowserControl::HoldBusy(IUnknown* pBrowser, int nReleaseAfterPolls) {
    CWebBrowser* pObject = GetWebBrowserObject(pBrowser);
    if (pObject == nullptr) {
        return false;
    }
    pObject->HoldBusy(nReleaseAfterPolls);
    return true;
}

bool CBrowserControl::ReleaseBusy(IUnknown* pBrowser) {
    CWebBrowser* pObject = GetWebBrowserObject(pBrowser);
    return pObject != nullptr && pObject->ReleaseBusy();
}

bool CBrowserControl::IsHeld(IUnknown* pBrowser) {
    CWebBrowser* pObject = GetWebBrowserObject(pBrowser);
    return pObject != nullptr && pObject->IsHeld();
}

void CBrowserControl::HoldNextNavigation(int nReleaseAfterPolls) {
    t_nextNavigationHold = nReleaseAfterPolls;
}

void CBrowserControl::CancelNextNavigationHold() {
    t_nextNavigationHold.reset();
}

std::optional<int> CBrowserControl::TakeNextNavigationHold() {
    return std::exchange(t_nextNavigationHold, std::nullopt);
}
