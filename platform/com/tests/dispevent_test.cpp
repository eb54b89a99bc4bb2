#include "platform/com/dispeventimpl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/comobject.h"
#include "platform/com/connectionpoint.h"
#include "platform/com/tests/testobjects.h"

namespace {

inline constexpr IID DIID_TestEvents = MakeGuid("{3A4B5C6D-0001-4E5F-8A9B-0C1D2E3F4A5B}");
inline constexpr IID DIID_OtherEvents = MakeGuid("{3A4B5C6D-0002-4E5F-8A9B-0C1D2E3F4A5B}");

constexpr DISPID kNavigate = 250;
constexpr DISPID kValues = 7;
constexpr DISPID kDone = 104;
constexpr DISPID kFailing = 8;

// An event source with two event interfaces.
class CTestSource : public CComObjectRootEx<CComSingleThreadModel>,
                    public IConnectionPointContainerImpl {
public:
    CTestSource()
        : m_events(static_cast<IConnectionPointContainer*>(this), DIID_TestEvents),
          m_otherEvents(static_cast<IConnectionPointContainer*>(this), DIID_OtherEvents) {
        AddConnectionPoint(m_events);
        AddConnectionPoint(m_otherEvents);
    }

    BEGIN_COM_MAP(CTestSource)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    END_COM_MAP()

    void FinalRelease() { ++s_nDestroyed; }

    CConnectionPoint m_events;
    CConnectionPoint m_otherEvents;
    static inline int s_nDestroyed = 0;
};

CComPtr<IUnknown> MakeSource(CTestSource** ppSource) {
    CComObject<CTestSource>* pSource = nullptr;
    CComObject<CTestSource>::CreateInstance(&pSource);
    *ppSource = pSource;
    return CComPtr<IUnknown>(pSource->GetUnknown());
}

// Sink 0 follows the test events, sink 1 the other events; both have an event 104.
class CTestSink : public IDispEventImpl<0, CTestSink, &DIID_TestEvents>,
                  public IDispEventImpl<1, CTestSink, &DIID_OtherEvents> {
public:
    using CTestEvents = IDispEventImpl<0, CTestSink, &DIID_TestEvents>;
    using COtherEvents = IDispEventImpl<1, CTestSink, &DIID_OtherEvents>;

    BEGIN_SINK_MAP(CTestSink)
    SINK_ENTRY_EX(0, DIID_TestEvents, kNavigate, OnNavigate)
    SINK_ENTRY_EX(0, DIID_TestEvents, kValues, OnValues)
    SINK_ENTRY_EX(0, DIID_TestEvents, kDone, OnDone)
    SINK_ENTRY_EX(0, DIID_TestEvents, kFailing, OnFailing)
    SINK_ENTRY_EX(1, DIID_OtherEvents, kDone, OnOtherDone)
    END_SINK_MAP()

    void STDMETHODCALLTYPE OnNavigate(IDispatch* pDisp, VARIANT* pvarUrl, VARIANT_BOOL* pbCancel) {
        m_pLastDisp = pDisp;
        m_strLastUrl = pvarUrl->vt == VT_BSTR ? pvarUrl->bstrVal : u"?";
        *pbCancel = VARIANT_TRUE;
        m_vecCalls.push_back("navigate");
    }
    void STDMETHODCALLTYPE OnValues(LONG nNumber, BSTR bstrText, VARIANT_BOOL bFlag) {
        m_vecCalls.push_back("values " + std::to_string(nNumber) + " " +
                             std::string(bstrText, bstrText + SysStringLen(bstrText)) +
                             (bFlag == VARIANT_TRUE ? " true" : " false"));
    }
    void STDMETHODCALLTYPE OnDone() { m_vecCalls.push_back("done"); }
    HRESULT STDMETHODCALLTYPE OnFailing() { return E_FAIL; }
    void STDMETHODCALLTYPE OnOtherDone() { m_vecCalls.push_back("other done"); }

    IDispatch* m_pLastDisp = nullptr;
    std::u16string m_strLastUrl;
    std::vector<std::string> m_vecCalls;
};

VARIANT MakeVariant(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

HRESULT InvokeSink(IDispatch* pSink, DISPID dispid, std::vector<VARIANT>& args,
                   UINT* puArgErr = nullptr) {
    DISPPARAMS params = {args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return pSink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                         nullptr, puArgErr);
}

class DispEventTest : public ::testing::Test {
protected:
    void SetUp() override { m_pSourceUnk = MakeSource(&m_pSource); }

    CTestSource* m_pSource = nullptr;
    CComPtr<IUnknown> m_pSourceUnk;
    CTestSink m_sink;
};

TEST_F(DispEventTest, HandlersReceiveArgumentsInDeclarationOrder) {
    ASSERT_EQ(m_sink.CTestEvents::DispEventAdvise(m_pSourceUnk), S_OK);
    CComBSTR text(u"word");
    std::vector<VARIANT> args = {MakeVariant(VT_BOOL), MakeVariant(VT_BSTR), MakeVariant(VT_I4)};
    args[0].boolVal = VARIANT_TRUE;
    args[1].bstrVal = text;
    args[2].lVal = 42;
    DISPPARAMS params = {args.data(), nullptr, 3, 0};
    m_pSource->m_events.Fire(kValues, &params);
    EXPECT_EQ(m_sink.m_vecCalls, std::vector<std::string>{"values 42 word true"});
}

TEST_F(DispEventTest, ByReferenceArgumentsReachTheSource) {
    ASSERT_EQ(m_sink.CTestEvents::DispEventAdvise(m_pSourceUnk), S_OK);
    CRecordingDispatch browser;
    CComVariant url(u"http://example.org/");
    VARIANT_BOOL cancel = VARIANT_FALSE;
    std::vector<VARIANT> args = {MakeVariant(VT_BYREF | VT_BOOL),
                                 MakeVariant(VT_BYREF | VT_VARIANT), MakeVariant(VT_DISPATCH)};
    args[0].pboolVal = &cancel;
    args[1].pvarVal = &url;
    args[2].pdispVal = &browser;
    DISPPARAMS params = {args.data(), nullptr, 3, 0};
    m_pSource->m_events.Fire(kNavigate, &params);
    EXPECT_EQ(m_sink.m_pLastDisp, &browser);
    EXPECT_EQ(m_sink.m_strLastUrl, u"http://example.org/");
    EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST_F(DispEventTest, RoutesBySinkAndDispatchId) {
    ASSERT_EQ(m_sink.CTestEvents::DispEventAdvise(m_pSourceUnk), S_OK);
    ASSERT_EQ(m_sink.COtherEvents::DispEventAdvise(m_pSourceUnk), S_OK);
    m_pSource->m_events.Fire(kDone, nullptr);
    m_pSource->m_otherEvents.Fire(kDone, nullptr);
    m_pSource->m_events.Fire(999, nullptr);
    EXPECT_EQ(m_sink.m_vecCalls, (std::vector<std::string>{"done", "other done"}));
}

TEST_F(DispEventTest, MismatchedArgumentsAreRefusedBeforeTheCall) {
    IDispatch* pSink = static_cast<CTestSink::CTestEvents*>(&m_sink);
    std::vector<VARIANT> two = {MakeVariant(VT_BOOL), MakeVariant(VT_I4)};
    EXPECT_EQ(InvokeSink(pSink, kValues, two), DISP_E_BADPARAMCOUNT);

    struct {
        VARTYPE types[3];
        UINT badIndex;
    } cases[] = {
        {{VT_BOOL, VT_BSTR, VT_BSTR}, 2},
        {{VT_BOOL, VT_I4, VT_I4}, 1},
        {{VT_I4, VT_BSTR, VT_I4}, 0},
    };
    for (const auto& c : cases) {
        std::vector<VARIANT> args = {MakeVariant(c.types[0]), MakeVariant(c.types[1]),
                                     MakeVariant(c.types[2])};
        UINT badIndex = 99;
        EXPECT_EQ(InvokeSink(pSink, kValues, args, &badIndex), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(badIndex, c.badIndex);
    }
    std::vector<VARIANT> none;
    EXPECT_EQ(InvokeSink(pSink, kFailing, none), E_FAIL);
    EXPECT_EQ(InvokeSink(pSink, 12345, none), S_OK);
    EXPECT_TRUE(m_sink.m_vecCalls.empty());
}

TEST_F(DispEventTest, UnadviseStopsTheEvents) {
    ASSERT_EQ(m_sink.CTestEvents::DispEventAdvise(m_pSourceUnk), S_OK);
    EXPECT_NE(m_sink.CTestEvents::m_dwEventCookie, 0u);
    EXPECT_EQ(m_pSource->m_events.GetConnectionCount(), 1u);
    ASSERT_EQ(m_sink.CTestEvents::DispEventUnadvise(m_pSourceUnk), S_OK);
    EXPECT_EQ(m_pSource->m_events.GetConnectionCount(), 0u);
    m_pSource->m_events.Fire(kDone, nullptr);
    EXPECT_TRUE(m_sink.m_vecCalls.empty());
    EXPECT_EQ(m_sink.CTestEvents::DispEventUnadvise(m_pSourceUnk), CONNECT_E_NOCONNECTION);
}

TEST_F(DispEventTest, DestroyedSinkDisconnectsItself) {
    {
        CTestSink sink;
        ASSERT_EQ(sink.CTestEvents::DispEventAdvise(m_pSourceUnk), S_OK);
        EXPECT_EQ(m_pSource->m_events.GetConnectionCount(), 1u);
    }
    EXPECT_EQ(m_pSource->m_events.GetConnectionCount(), 0u);
    m_pSource->m_events.Fire(kDone, nullptr);
}

TEST_F(DispEventTest, AdvisingAgainFollowsTheNewSource) {
    CTestSource* pOther = nullptr;
    CComPtr<IUnknown> pOtherUnk = MakeSource(&pOther);
    ASSERT_EQ(m_sink.CTestEvents::DispEventAdvise(m_pSourceUnk), S_OK);
    ASSERT_EQ(m_sink.CTestEvents::DispEventAdvise(pOtherUnk), S_OK);
    EXPECT_EQ(m_pSource->m_events.GetConnectionCount(), 0u);
    EXPECT_EQ(pOther->m_events.GetConnectionCount(), 1u);
    pOther->m_events.Fire(kDone, nullptr);
    EXPECT_EQ(m_sink.m_vecCalls, std::vector<std::string>{"done"});
    ASSERT_EQ(m_sink.CTestEvents::DispEventUnadvise(pOtherUnk), S_OK);
}

TEST_F(DispEventTest, AdviseNeedsAContainerWithThatInterface) {
    CRecordingDispatch notASource;
    EXPECT_EQ(m_sink.CTestEvents::DispEventAdvise(&notASource), E_NOINTERFACE);
    CComQIPtr<IConnectionPointContainer> pContainer(m_pSourceUnk);
    IConnectionPoint* pPoint = reinterpret_cast<IConnectionPoint*>(&notASource);
    EXPECT_EQ(pContainer->FindConnectionPoint(IID_IDispatch, &pPoint), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(pPoint, nullptr);
}

TEST(ConnectionPointTest, HoldsSinksAndFiresInConnectionOrder) {
    CTestSource* pSource = nullptr;
    CComPtr<IUnknown> pSourceUnk = MakeSource(&pSource);
    CRecordingDispatch first(DIID_TestEvents);
    CRecordingDispatch second(DIID_TestEvents);
    CRecordingDispatch wrongKind(DIID_OtherEvents);

    DWORD dwFirst = 0;
    DWORD dwSecond = 0;
    DWORD dwWrong = 99;
    ASSERT_EQ(AtlAdvise(pSourceUnk, &first, DIID_TestEvents, &dwFirst), S_OK);
    ASSERT_EQ(AtlAdvise(pSourceUnk, &second, DIID_TestEvents, &dwSecond), S_OK);
    EXPECT_EQ(AtlAdvise(pSourceUnk, &wrongKind, DIID_TestEvents, &dwWrong),
              CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(dwWrong, 0u);
    EXPECT_NE(dwFirst, dwSecond);
    EXPECT_EQ(first.m_nRefs, 1);
    EXPECT_EQ(wrongKind.m_nRefs, 0);

    // A sink that disconnects another during the event: everyone connected at the start hears it.
    std::vector<int> order;
    first.m_onInvoke = [&] {
        order.push_back(1);
        EXPECT_EQ(AtlUnadvise(pSourceUnk, DIID_TestEvents, dwSecond), S_OK);
    };
    second.m_onInvoke = [&] { order.push_back(2); };
    pSource->m_events.Fire(kDone, nullptr);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(second.m_nRefs, 0);

    first.m_onInvoke = nullptr;
    pSource->m_events.Fire(kDone, nullptr);
    EXPECT_EQ(second.m_vecDispids.size(), 1u);
    EXPECT_EQ(first.m_vecDispids.size(), 2u);
    EXPECT_EQ(AtlUnadvise(pSourceUnk, DIID_TestEvents, dwFirst), S_OK);
    EXPECT_EQ(first.m_nRefs, 0);
    EXPECT_EQ(AtlUnadvise(pSourceUnk, DIID_TestEvents, dwFirst), CONNECT_E_NOCONNECTION);
}

TEST(ConnectionPointTest, ConnectionPointKeepsItsSourceAlive) {
    CTestSource::s_nDestroyed = 0;
    CComPtr<IConnectionPoint> pPoint;
    {
        CTestSource* pSource = nullptr;
        CComPtr<IUnknown> pSourceUnk = MakeSource(&pSource);
        CComQIPtr<IConnectionPointContainer> pContainer(pSourceUnk);
        ASSERT_EQ(pContainer->FindConnectionPoint(DIID_OtherEvents, &pPoint), S_OK);
    }
    EXPECT_EQ(CTestSource::s_nDestroyed, 0);
    IID iid = {};
    EXPECT_EQ(pPoint->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, DIID_OtherEvents);
    CComPtr<IConnectionPointContainer> pContainer;
    EXPECT_EQ(pPoint->GetConnectionPointContainer(&pContainer), S_OK);
    EXPECT_NE(pContainer, nullptr);
    pContainer.Release();
    pPoint.Release();
    EXPECT_EQ(CTestSource::s_nDestroyed, 1);
}

}  // namespace
