// New browser windows through the browser application class, and the record kept of them.
#include <gtest/gtest.h>

#include "platform/browser/browserclassfactory.h"
#include "platform/browser/browserwindows.h"
#include "platform/browser/tests/browsertest.h"

namespace {

class BrowserWindows : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        CBrowserWindows::Get().Clear();
        ASSERT_EQ(RegisterBrowserClassObjects(&m_dwRegister), S_OK);
    }
    void TearDown() override {
        CBrowserWindows::Get().Clear();
        BrowserTest::TearDown();
    }

    CComPtr<IWebBrowser2> Open() {
        CComPtr<IWebBrowser2> pBrowser;
        EXPECT_EQ(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER,
                                   IID_IWebBrowser2, reinterpret_cast<void**>(&pBrowser)),
                  S_OK);
        return pBrowser;
    }

    static HWND WindowOf(IWebBrowser2* pBrowser) {
        SHANDLE_PTR hwnd = 0;
        EXPECT_EQ(pBrowser->get_HWND(&hwnd), S_OK);
        return reinterpret_cast<HWND>(hwnd);
    }

    DWORD m_dwRegister = 0;
};

TEST_F(BrowserWindows, OpensAHiddenWindowAndRecordsWhatIsDoneToIt) {
    CComPtr<IWebBrowser2> pBrowser = Open();
    ASSERT_TRUE(pBrowser);
    HWND hwnd = WindowOf(pBrowser);
    ASSERT_TRUE(::IsWindow(hwnd));
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    CRecordingSink sink;
    ASSERT_EQ(sink.DispEventAdvise(pBrowser), S_OK);
    std::string page = Write("service.html", "<p>Service</p>");

    EXPECT_EQ(pBrowser->put_AddressBar(VARIANT_FALSE), S_OK);
    EXPECT_EQ(pBrowser->put_StatusBar(VARIANT_TRUE), S_OK);
    EXPECT_EQ(pBrowser->put_MenuBar(VARIANT_TRUE), S_OK);
    EXPECT_EQ(pBrowser->put_Height(600), S_OK);
    EXPECT_EQ(pBrowser->put_Width(500), S_OK);
    EXPECT_EQ(pBrowser->put_Visible(VARIANT_TRUE), S_OK);
    EXPECT_EQ(NavigateTo(pBrowser, page), S_OK);

    EXPECT_TRUE(::IsWindowVisible(hwnd));
    RECT rect{};
    ASSERT_TRUE(::GetWindowRect(hwnd, &rect));
    EXPECT_EQ(rect.right - rect.left, 500);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    std::vector<SBrowserWindowRecord> windows = CBrowserWindows::Get().List();
    ASSERT_EQ(windows.size(), 1u);
    const SBrowserWindowRecord& record = windows[0];
    EXPECT_EQ(record.hwnd, hwnd);
    EXPECT_TRUE(record.visible);
    EXPECT_FALSE(record.addressBar);
    EXPECT_TRUE(record.statusBar);
    EXPECT_TRUE(record.menuBar);
    EXPECT_EQ(record.width, 500);
    EXPECT_EQ(record.height, 600);
    EXPECT_EQ(record.navigations, std::vector<std::string>{page});
    EXPECT_EQ(record.operations,
              (std::vector<std::string>{"put_AddressBar(FALSE)", "put_StatusBar(TRUE)",
                                        "put_MenuBar(TRUE)", "put_Height(600)", "put_Width(500)",
                                        "put_Visible(TRUE)", "Navigate(" + page + ")"}));
    EXPECT_FALSE(record.quit);

    ASSERT_EQ(pBrowser->Quit(), S_OK);
    EXPECT_EQ(sink.m_vecEvents.back().dispid, DISPID_ONQUIT);
    EXPECT_FALSE(::IsWindow(hwnd));
    SBrowserWindowRecord quit = CBrowserWindows::Get().Find(record.id);
    EXPECT_TRUE(quit.quit);
    EXPECT_TRUE(quit.closed);
    EXPECT_EQ(quit.operations.back(), "Quit()");
    EXPECT_EQ(NavigateTo(pBrowser, page), E_FAIL);
    EXPECT_EQ(pBrowser->put_Visible(VARIANT_TRUE), E_FAIL);
    EXPECT_EQ(CBrowserWindows::Get().Find(record.id).navigations.size(), 1u);
}

TEST_F(BrowserWindows, KeepsThePageUntilTheSinksHaveHeardOfTheQuit) {
    CComPtr<IWebBrowser2> pBrowser = Open();
    ASSERT_EQ(NavigateTo(pBrowser, Write("a.html", "<p>Still here</p>")), S_OK);
    CRecordingSink sink;
    ASSERT_EQ(sink.DispEventAdvise(pBrowser), S_OK);
    std::string textAtQuit;
    sink.m_fnReact = [&](const SRecordedEvent& event, VARIANT_BOOL*) {
        if (event.dispid == DISPID_ONQUIT) {
            textAtQuit = BodyText(DocumentOf(pBrowser));
            EXPECT_EQ(pBrowser->Quit(), S_OK);
        }
    };

    ASSERT_EQ(pBrowser->Quit(), S_OK);
    EXPECT_EQ(textAtQuit, "Still here");
    EXPECT_FALSE(DocumentOf(pBrowser));
    EXPECT_EQ(sink.m_vecEvents.size(), 1u) << "OnQuit comes once";
}

TEST_F(BrowserWindows, ClosingTheWindowQuitsAndReleasingItClosesTheWindow) {
    CComPtr<IWebBrowser2> pClosed = Open();
    CComPtr<IWebBrowser2> pReleased = Open();
    HWND hwndClosed = WindowOf(pClosed);
    HWND hwndReleased = WindowOf(pReleased);
    CRecordingSink sink;
    ASSERT_EQ(sink.DispEventAdvise(pClosed), S_OK);

    ::SendMessageA(hwndClosed, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwndClosed));
    ASSERT_EQ(sink.m_vecEvents.size(), 1u);
    EXPECT_EQ(sink.m_vecEvents[0].dispid, DISPID_ONQUIT);
    sink.DispEventUnadvise(pClosed);
    pReleased.Release();
    EXPECT_FALSE(::IsWindow(hwndReleased));

    std::vector<SBrowserWindowRecord> windows = CBrowserWindows::Get().List();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1].id, windows[0].id + 1);
    EXPECT_TRUE(windows[0].quit);
    EXPECT_TRUE(windows[0].closed);
    EXPECT_FALSE(windows[1].quit);
    EXPECT_TRUE(windows[1].closed);
}

TEST_F(BrowserWindows, ListsOnlyTheWindowsOfTheApplicationClass) {
    CComPtr<IWebBrowser2> pHost = NewBrowser();
    ASSERT_TRUE(::IsWindow(WindowOf(pHost)));
    EXPECT_TRUE(CBrowserWindows::Get().List().empty());

    CComPtr<IUnknown> pOuter;
    ASSERT_EQ(pHost->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pOuter)), S_OK);
    CComPtr<IUnknown> pInner;
    EXPECT_EQ(CoCreateInstance(CLSID_InternetExplorer, pOuter, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&pInner)),
              CLASS_E_NOAGGREGATION);
    ASSERT_EQ(CoRevokeClassObject(m_dwRegister), S_OK);
    CComPtr<IWebBrowser2> pNone;
    EXPECT_EQ(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER,
                               IID_IWebBrowser2, reinterpret_cast<void**>(&pNone)),
              REGDB_E_CLASSNOTREG);
    EXPECT_TRUE(CBrowserWindows::Get().List().empty());
}

TEST_F(BrowserWindows, RefusesANegativeSize) {
    CComPtr<IWebBrowser2> pBrowser = Open();
    LONG nWidth = 0;
    ASSERT_EQ(pBrowser->get_Width(&nWidth), S_OK);
    EXPECT_GT(nWidth, 0);
    EXPECT_EQ(pBrowser->put_Width(-1), E_INVALIDARG);
    EXPECT_EQ(pBrowser->put_Height(-5), E_INVALIDARG);
    LONG nAfter = 0;
    ASSERT_EQ(pBrowser->get_Width(&nAfter), S_OK);
    EXPECT_EQ(nAfter, nWidth);
    EXPECT_TRUE(CBrowserWindows::Get().List().at(0).operations.empty());
}

}  // namespace
