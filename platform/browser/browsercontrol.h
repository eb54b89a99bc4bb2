// What the UI driver does to browsers: holding one busy, as a page that is still loading, and
// letting it go. Tests and the host call it; the system never does.
//
// A held browser answers get_Busy with true. A navigation started on it meanwhile fires
// BeforeNavigate2 and DownloadBegin and then waits: its document is not shown and nothing more is
// fired until the hold ends, when it completes as a navigation does (NavigateComplete2, frames,
// DocumentComplete, DownloadComplete) before the call that ended the hold returns. Stop ends the
// hold and drops the waiting navigation; a new navigation replaces a waiting one.
//
// A hold may end by itself: with nReleaseAfterPolls N > 0 the browser answers get_Busy with true
// N times, and the next call ends the hold (completing the navigation) and answers false, so that a
// polling loop sees the page finish. With 0 it lasts until ReleaseBusy or Stop.
#pragma once

#include <optional>

#include "platform/com/unknown.h"

class CBrowserControl {
public:
    // Holds the browser (any interface of a browser object of this layer) busy, in place of any
    // earlier hold; false when it is not one.
    static bool HoldBusy(IUnknown* pBrowser, int nReleaseAfterPolls = 0);
    // Ends the hold, completing a waiting navigation; false when the browser was not held.
    static bool ReleaseBusy(IUnknown* pBrowser);
    static bool IsHeld(IUnknown* pBrowser);

    // Holds the next navigation that a browser of this thread starts with Navigate or Navigate2,
    // as HoldBusy would: for browsers that the system creates and navigates at once, such as a
    // hidden browser fetching a file. Only one such hold waits at a time; a later call replaces it.
    static void HoldNextNavigation(int nReleaseAfterPolls);
    static void CancelNextNavigationHold();
    // For the browser: the hold waiting for the next navigation, taken (so it serves one).
    static std::optional<int> TakeNextNavigationHold();
};
