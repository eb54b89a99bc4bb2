// The UI driver's hold: a page that is still loading, seen by the polling loops of the system, and
// Stop.
#include <gtest/gtest.h>

#include "platform/browser/browserclassfactory.h"
#include "platform/browser/browsercontrol.h"
#include "platform/browser/tests/browsertest.h"

namespace {

class BrowserHoldBusy : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        m_pBrowser = NewBrowser();
        ASSERT_TRUE(m_pBrowser);
        m_strFirst = Write("first.html", "<p>First</p>");
        m_strSecond = Write("second.html", "<p>Second</p>");
        ASSERT_EQ(NavigateTo(m_pBrowser, m_strFirst), S_OK);
        ASSERT_EQ(m_sink.DispEventAdvise(m_pBrowser), S_OK);
    }
    void TearDown() override {
        CBrowserControl::CancelNextNavigationHold();
        m_sink.DispEventUnadvise(m_pBrowser);
        m_sink.m_vecEvents.clear();
        m_pBrowser.Release();
        BrowserTest::TearDown();
    }

    std::vector<std::string> Events() { return m_sink.Describe(Labels(m_pBrowser), m_strPrefix); }

    CComPtr<IWebBrowser2> m_pBrowser;
    CRecordingSink m_sink;
    std::string m_strFirst;
    std::string m_strSecond;
};

TEST_F(BrowserHoldBusy, KeepsThePageLoadingUntilReleased) {
    ASSERT_TRUE(CBrowserControl::HoldBusy(m_pBrowser));
    CComPtr<IDispatch> pFirst = DocumentOf(m_pBrowser);
    ASSERT_EQ(NavigateTo(m_pBrowser, m_strSecond), S_OK);

    EXPECT_TRUE(IsBusy(m_pBrowser));
    EXPECT_TRUE(IsBusy(m_pBrowser));
    EXPECT_EQ(DocumentOf(m_pBrowser).p, pFirst.p);
    EXPECT_EQ(LocationOf(m_pBrowser), m_strFirst);
    READYSTATE state = READYSTATE_COMPLETE;
    m_pBrowser->get_ReadyState(&state);
    EXPECT_EQ(state, READYSTATE_LOADING);
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"BeforeNavigate2 top second.html", "DownloadBegin"}));

    ASSERT_TRUE(CBrowserControl::ReleaseBusy(m_pBrowser));
    EXPECT_FALSE(IsBusy(m_pBrowser));
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "Second");
    EXPECT_EQ(Events(), (std::vector<std::string>{
                            "BeforeNavigate2 top second.html",
                            "DownloadBegin",
                            "NavigateComplete2 top second.html",
                            "DocumentComplete top second.html",
                            "DownloadComplete",
                        }));
    EXPECT_FALSE(CBrowserControl::ReleaseBusy(m_pBrowser));
}

TEST_F(BrowserHoldBusy, EndsForAPollingLoopAfterTheGivenNumberOfPolls) {
    ASSERT_TRUE(CBrowserControl::HoldBusy(m_pBrowser, 5));
    ASSERT_EQ(NavigateTo(m_pBrowser, m_strSecond), S_OK);

    int nPolls = 0;
    while (IsBusy(m_pBrowser) && nPolls < 100) {
        ++nPolls;
    }
    EXPECT_EQ(nPolls, 5);
    EXPECT_FALSE(CBrowserControl::IsHeld(m_pBrowser));
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "Second");
    EXPECT_EQ(Events().back(), "DownloadComplete");
}

TEST_F(BrowserHoldBusy, HoldsAnIdleBrowserWithoutFiringAnything) {
    ASSERT_TRUE(CBrowserControl::HoldBusy(m_pBrowser));
    EXPECT_TRUE(IsBusy(m_pBrowser));
    ASSERT_TRUE(CBrowserControl::ReleaseBusy(m_pBrowser));
    EXPECT_FALSE(IsBusy(m_pBrowser));
    EXPECT_TRUE(m_sink.m_vecEvents.empty());
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "First");
}

TEST_F(BrowserHoldBusy, StopDropsTheWaitingNavigation) {
    ASSERT_TRUE(CBrowserControl::HoldBusy(m_pBrowser));
    ASSERT_EQ(NavigateTo(m_pBrowser, m_strSecond), S_OK);

    ASSERT_EQ(m_pBrowser->Stop(), S_OK);
    EXPECT_FALSE(IsBusy(m_pBrowser));
    EXPECT_FALSE(CBrowserControl::ReleaseBusy(m_pBrowser));
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "First");
    EXPECT_EQ(LocationOf(m_pBrowser), m_strFirst);
    READYSTATE state = READYSTATE_LOADING;
    m_pBrowser->get_ReadyState(&state);
    EXPECT_EQ(state, READYSTATE_COMPLETE);
    EXPECT_EQ(Events(), (std::vector<std::string>{"BeforeNavigate2 top second.html",
                                                  "DownloadBegin", "DownloadComplete"}));
}

TEST_F(BrowserHoldBusy, ANewNavigationReplacesTheWaitingOne) {
    std::string third = Write("third.html", "<p>Third</p>");
    ASSERT_TRUE(CBrowserControl::HoldBusy(m_pBrowser));
    ASSERT_EQ(NavigateTo(m_pBrowser, m_strSecond), S_OK);
    ASSERT_EQ(NavigateTo(m_pBrowser, third), S_OK);
    EXPECT_TRUE(IsBusy(m_pBrowser));

    ASSERT_TRUE(CBrowserControl::ReleaseBusy(m_pBrowser));
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "Third");
    EXPECT_EQ(Events(), (std::vector<std::string>{
                            "BeforeNavigate2 top second.html",
                            "DownloadBegin",
                            "BeforeNavigate2 top third.html",
                            "DownloadComplete",
                            "DownloadBegin",
                            "NavigateComplete2 top third.html",
                            "DocumentComplete top third.html",
                            "DownloadComplete",
                        }));
}

// A hidden browser that the system creates, navigates and polls at once, as a fetch does.
TEST_F(BrowserHoldBusy, HoldsTheNextNavigationOfABrowserTheTestCannotReach) {
    ASSERT_EQ(RegisterBrowserClassObjects(), S_OK);
    std::string onto = Write("fetched.onto", "Person\tperson\r\n");
    CBrowserControl::HoldNextNavigation(3);

    CComPtr<IWebBrowser2> pHidden;
    ASSERT_EQ(pHidden.CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER), S_OK);
    ASSERT_EQ(pHidden->put_Visible(VARIANT_FALSE), S_OK);
    ASSERT_EQ(NavigateTo(pHidden, onto), S_OK);
    int nPolls = 0;
    while (IsBusy(pHidden) && nPolls < 100) {
        ++nPolls;
    }
    EXPECT_EQ(nPolls, 3);
    std::string text = BodyText(DocumentOf(pHidden));
    std::erase(text, '\r');
    EXPECT_EQ(text, "Person\tperson\n");

    // The hold served one navigation: the next completes at once.
    ASSERT_EQ(NavigateTo(pHidden, m_strSecond), S_OK);
    EXPECT_FALSE(IsBusy(pHidden));
    EXPECT_EQ(pHidden->Quit(), S_OK);
}

}  // namespace
