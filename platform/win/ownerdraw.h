// COwnerDraw: routes the owner-draw requests of a control to its class.
//
// A control class T derives from COwnerDraw<T> and defines what it draws by members of its own:
//   void DrawItem(LPDRAWITEMSTRUCT), void MeasureItem(LPMEASUREITEMSTRUCT),
//   int CompareItem(LPCOMPAREITEMSTRUCT), void DeleteItem(LPDELETEITEMSTRUCT).
// As the owner of owner-drawn controls, T chains the map (CHAIN_MSG_MAP(COwnerDraw<T>)) to handle
// WM_DRAWITEM and the like; as an owner-drawn control whose parent reflects notifications, it
// chains alternative map 1 (CHAIN_MSG_MAP_ALT(COwnerDraw<T>, 1)) to handle OCM_DRAWITEM and the
// like. A member that T does not define leaves the request unhandled, except MeasureItem, whose
// default gives an item the height of a line of the dialog font.
#pragma once

#include "platform/win/messagemap.h"
#include "platform/win/winuser.h"

template <class T>
class COwnerDraw {
public:
    // The height of a line of text in the 8 point dialog font.
    static constexpr UINT kDefaultItemHeight = 13;

    BEGIN_MSG_MAP(COwnerDraw<T>)
    MESSAGE_HANDLER(WM_DRAWITEM, OnDrawItem)
    MESSAGE_HANDLER(WM_MEASUREITEM, OnMeasureItem)
    MESSAGE_HANDLER(WM_COMPAREITEM, OnCompareItem)
    MESSAGE_HANDLER(WM_DELETEITEM, OnDeleteItem)
    ALT_MSG_MAP(1)
    MESSAGE_HANDLER(OCM_DRAWITEM, OnDrawItem)
    MESSAGE_HANDLER(OCM_MEASUREITEM, OnMeasureItem)
    MESSAGE_HANDLER(OCM_COMPAREITEM, OnCompareItem)
    MESSAGE_HANDLER(OCM_DELETEITEM, OnDeleteItem)
    END_MSG_MAP()

    LRESULT OnDrawItem(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
        m_bHandledOD = true;
        static_cast<T*>(this)->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        bHandled = m_bHandledOD ? TRUE : FALSE;
        return TRUE;
    }
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
        m_bHandledOD = true;
        static_cast<T*>(this)->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        bHandled = m_bHandledOD ? TRUE : FALSE;
        return TRUE;
    }
    LRESULT OnCompareItem(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
        m_bHandledOD = true;
        int result =
            static_cast<T*>(this)->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        bHandled = m_bHandledOD ? TRUE : FALSE;
        return result;
    }
    LRESULT OnDeleteItem(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
        m_bHandledOD = true;
        static_cast<T*>(this)->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        bHandled = m_bHandledOD ? TRUE : FALSE;
        return TRUE;
    }

    void DrawItem(LPDRAWITEMSTRUCT) { m_bHandledOD = false; }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
        lpMeasureItemStruct->itemHeight = kDefaultItemHeight;
    }
    int CompareItem(LPCOMPAREITEMSTRUCT) {
        m_bHandledOD = false;
        return 0;
    }
    void DeleteItem(LPDELETEITEMSTRUCT) { m_bHandledOD = false; }

private:
    bool m_bHandledOD = false;
};
