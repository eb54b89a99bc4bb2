// Connection points: how an event source hands its events to the sinks connected to it.
//
// A source answers IConnectionPointContainer; FindConnectionPoint with the id of an event
// interface (a dispinterface) gives the IConnectionPoint where a sink connects with Advise and
// disconnects with Unadvise and the cookie Advise gave.
//
// A source built with these helpers derives from IConnectionPointContainerImpl, owns one
// CConnectionPoint per event interface and fires events through it:
//
//   class CSource : public CComObjectRootEx<CComSingleThreadModel>,
//                   public IConnectionPointContainerImpl {
//   public:
//       CSource() : m_events(static_cast<IConnectionPointContainer*>(this), DIID_Events) {
//           AddConnectionPoint(m_events);
//       }
//       BEGIN_COM_MAP(CSource)
//           COM_INTERFACE_ENTRY(IConnectionPointContainer)
//       END_COM_MAP()
//       CConnectionPoint m_events;
//   };
#pragma once

#include <cstddef>
#include <vector>

#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/hresult.h"
#include "platform/com/unknown.h"

// Enumeration of connections and connection points is not offered (see the E_NOTIMPL methods
// below); the interfaces appear only in the signatures.
struct IEnumConnections;
struct IEnumConnectionPoints;
struct IConnectionPointContainer;

inline constexpr IID IID_IConnectionPoint = MakeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");
inline constexpr IID IID_IConnectionPointContainer =
    MakeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");

struct IConnectionPoint : public IUnknown {
    STDMETHOD(GetConnectionInterface)(IID* pIID) PURE;
    STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** ppCPC) PURE;
    STDMETHOD(Advise)(IUnknown* pUnkSink, DWORD* pdwCookie) PURE;
    STDMETHOD(Unadvise)(DWORD dwCookie) PURE;
    STDMETHOD(EnumConnections)(IEnumConnections** ppEnum) PURE;
};

struct IConnectionPointContainer : public IUnknown {
    STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** ppEnum) PURE;
    STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint** ppCP) PURE;
};

template <>
constexpr const IID& UuidOf<IConnectionPoint>() {
    return IID_IConnectionPoint;
}
template <>
constexpr const IID& UuidOf<IConnectionPointContainer>() {
    return IID_IConnectionPointContainer;
}

// Connects pUnk to the connection point for iid of the source pUnkCP; the cookie goes to *pdw.
HRESULT AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, LPDWORD pdw);
HRESULT AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw);

// The connection point of one event interface, part of its source: its references are the
// source's. A sink must answer the event interface's id; the connection holds it as IDispatch
// until Unadvise or the source's end. Cookies start at 1.
class CConnectionPoint : public IConnectionPoint {
public:
    // pOwner is the source's IConnectionPointContainer, which outlives its connection points.
    CConnectionPoint(IConnectionPointContainer* pOwner, REFIID iid);
    CConnectionPoint(const CConnectionPoint&) = delete;
    CConnectionPoint& operator=(const CConnectionPoint&) = delete;
    ~CConnectionPoint() = default;

    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD(GetConnectionInterface)(IID* pIID) override;
    STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** ppCPC) override;
    // CONNECT_E_CANNOTCONNECT when the sink does not answer the event interface.
    STDMETHOD(Advise)(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    // CONNECT_E_NOCONNECTION for a cookie not connected here.
    STDMETHOD(Unadvise)(DWORD dwCookie) override;
    STDMETHOD(EnumConnections)(IEnumConnections** ppEnum) override;

    // Calls Invoke with the dispatch id and arguments on every sink connected when the event
    // starts, in the order they connected; a sink may disconnect itself or others meanwhile.
    // The sinks' results are not the source's concern.
    void Fire(DISPID dispid, DISPPARAMS* pParams);

    REFIID GetIID() const { return m_iid; }
    std::size_t GetConnectionCount() const { return m_vecSinks.size(); }

private:
    struct CConnection {
        DWORD dwCookie;
        CComPtr<IDispatch> pSink;
    };

    IConnectionPointContainer* m_pOwner;
    IID m_iid;
    DWORD m_dwNextCookie = 1;
    std::vector<CConnection> m_vecSinks;
};

// IConnectionPointContainer over the connection points a source adds in its constructor.
class IConnectionPointContainerImpl : public IConnectionPointContainer {
public:
    STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** ppEnum) override;
    // CONNECT_E_NOCONNECTION for an event interface the source does not have.
    STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint** ppCP) override;

protected:
    void AddConnectionPoint(CConnectionPoint& point) { m_vecPoints.push_back(&point); }

private:
    // Members of the source, which live as long as it.
    std::vector<CConnectionPoint*> m_vecPoints;
};
