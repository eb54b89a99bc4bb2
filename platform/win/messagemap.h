// Message maps: a window implementation lists the messages it handles between BEGIN_MSG_MAP and
// END_MSG_MAP, and the macros build its ProcessWindowMessage from the list.
//
// Each handler macro matches a message and calls a member function; the function may set
// bHandled to FALSE to let the message go on down the map (and, at the end, to the default
// handling). ALT_MSG_MAP starts an alternative map that a contained window or a chaining class
// selects by its number; CHAIN_MSG_MAP hands the message to a base class's map.
//
// Handler signatures:
//   MESSAGE_HANDLER:  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
//   COMMAND_*:        LRESULT OnCommand(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled)
//   NOTIFY_*:         LRESULT OnNotify(int idCtrl, LPNMHDR pnmh, BOOL& bHandled)
#pragma once

#include "platform/win/winuser.h"

class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& lResult, DWORD dwMsgMapID = 0) = 0;
    virtual ~CMessageMap() = default;
};

#define BEGIN_MSG_MAP(theClass)                                                   \
public:                                                                           \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, \
                              LRESULT& lResult, DWORD dwMsgMapID = 0) {           \
        BOOL bHandled = TRUE;                                                     \
        static_cast<void>(hWnd);                                                  \
        static_cast<void>(uMsg);                                                  \
        static_cast<void>(wParam);                                                \
        static_cast<void>(lParam);                                                \
        static_cast<void>(lResult);                                               \
        static_cast<void>(bHandled);                                              \
        switch (dwMsgMapID) {                                                     \
            case 0:

#define ALT_MSG_MAP(msgMapID) \
    break;                    \
    case msgMapID:

#define END_MSG_MAP() \
    break;            \
    default:          \
        break;        \
        }             \
        return FALSE; \
        }

#define MESSAGE_HANDLER(msg, func)                      \
    if (uMsg == (msg)) {                                \
        bHandled = TRUE;                                \
        lResult = func(uMsg, wParam, lParam, bHandled); \
        if (bHandled) {                                 \
            return TRUE;                                \
        }                                               \
    }

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)  \
    if (uMsg >= (msgFirst) && uMsg <= (msgLast)) {      \
        bHandled = TRUE;                                \
        lResult = func(uMsg, wParam, lParam, bHandled); \
        if (bHandled) {                                 \
            return TRUE;                                \
        }                                               \
    }

#define MESSAGE_COMMAND_CALL(func)                                                                \
    {                                                                                             \
        bHandled = TRUE;                                                                          \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled) {                                                                           \
            return TRUE;                                                                          \
        }                                                                                         \
    }

#define COMMAND_HANDLER(id, code, func)                                           \
    if (uMsg == WM_COMMAND && (id) == LOWORD(wParam) && (code) == HIWORD(wParam)) \
    MESSAGE_COMMAND_CALL(func)

#define COMMAND_ID_HANDLER(id, func)                  \
    if (uMsg == WM_COMMAND && (id) == LOWORD(wParam)) \
    MESSAGE_COMMAND_CALL(func)

#define COMMAND_CODE_HANDLER(code, func)                \
    if (uMsg == WM_COMMAND && (code) == HIWORD(wParam)) \
    MESSAGE_COMMAND_CALL(func)

#define COMMAND_RANGE_HANDLER(idFirst, idLast, func)                                     \
    if (uMsg == WM_COMMAND && LOWORD(wParam) >= (idFirst) && LOWORD(wParam) <= (idLast)) \
    MESSAGE_COMMAND_CALL(func)

#define MESSAGE_NOTIFY_CALL(func)                                                              \
    {                                                                                          \
        bHandled = TRUE;                                                                       \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam), bHandled); \
        if (bHandled) {                                                                        \
            return TRUE;                                                                       \
        }                                                                                      \
    }

#define NOTIFY_HANDLER(id, cd, func)                                              \
    if (uMsg == WM_NOTIFY && (id) == reinterpret_cast<LPNMHDR>(lParam)->idFrom && \
        (cd) == reinterpret_cast<LPNMHDR>(lParam)->code)                          \
    MESSAGE_NOTIFY_CALL(func)

#define NOTIFY_ID_HANDLER(id, func)                                             \
    if (uMsg == WM_NOTIFY && (id) == reinterpret_cast<LPNMHDR>(lParam)->idFrom) \
    MESSAGE_NOTIFY_CALL(func)

#define NOTIFY_CODE_HANDLER(cd, func)                                         \
    if (uMsg == WM_NOTIFY && (cd) == reinterpret_cast<LPNMHDR>(lParam)->code) \
    MESSAGE_NOTIFY_CALL(func)

#define NOTIFY_RANGE_HANDLER(idFirst, idLast, func)                                    \
    if (uMsg == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->idFrom >= (idFirst) && \
        reinterpret_cast<LPNMHDR>(lParam)->idFrom <= (idLast))                         \
    MESSAGE_NOTIFY_CALL(func)

// Handlers of the messages a parent reflects back to this control (see REFLECT_NOTIFICATIONS).
#define REFLECTED_COMMAND_HANDLER(id, code, func)                                  \
    if (uMsg == OCM_COMMAND && (id) == LOWORD(wParam) && (code) == HIWORD(wParam)) \
    MESSAGE_COMMAND_CALL(func)

#define REFLECTED_COMMAND_CODE_HANDLER(code, func)       \
    if (uMsg == OCM_COMMAND && (code) == HIWORD(wParam)) \
    MESSAGE_COMMAND_CALL(func)

#define REFLECTED_NOTIFY_CODE_HANDLER(cd, func)                                \
    if (uMsg == OCM_NOTIFY && (cd) == reinterpret_cast<LPNMHDR>(lParam)->code) \
    MESSAGE_NOTIFY_CALL(func)

#define CHAIN_MSG_MAP(theChainClass)                                                    \
    {                                                                                   \
        if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) { \
            return TRUE;                                                                \
        }                                                                               \
    }

#define CHAIN_MSG_MAP_ALT(theChainClass, msgMapID)                                                \
    {                                                                                             \
        if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, msgMapID)) { \
            return TRUE;                                                                          \
        }                                                                                         \
    }

#define CHAIN_MSG_MAP_MEMBER(theChainMember)                                              \
    {                                                                                     \
        if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) { \
            return TRUE;                                                                  \
        }                                                                                 \
    }

#define CHAIN_MSG_MAP_ALT_MEMBER(theChainMember, msgMapID)                              \
    {                                                                                   \
        if ((theChainMember)                                                            \
                .ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, msgMapID)) { \
            return TRUE;                                                                \
        }                                                                               \
    }

// Sends the notifications of this window's children back to the child that sent each, as the
// OCM_ message (OCM__BASE + the message).
#define REFLECT_NOTIFICATIONS()                                               \
    {                                                                         \
        bHandled = TRUE;                                                      \
        lResult = this->ReflectNotifications(uMsg, wParam, lParam, bHandled); \
        if (bHandled) {                                                       \
            return TRUE;                                                      \
        }                                                                     \
    }

// Passes the notifications that this window gets from its children on to its own parent.
#define FORWARD_NOTIFICATIONS()                                               \
    {                                                                         \
        bHandled = TRUE;                                                      \
        lResult = this->ForwardNotifications(uMsg, wParam, lParam, bHandled); \
        if (bHandled) {                                                       \
            return TRUE;                                                      \
        }                                                                     \
    }

// Gives reflected messages that nothing handled the default handling of the original message.
#define DEFAULT_REFLECTION_HANDLER()                                           \
    if (this->DefaultReflectionHandler(hWnd, uMsg, wParam, lParam, lResult)) { \
        return TRUE;                                                           \
    }
