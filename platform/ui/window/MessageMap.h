// Message maps in the framework's manner: each class that handles messages
// lists, in order, which message goes to which handler; a message no entry of
// the class takes is looked up in its base class's map, and what no map takes
// goes to DefWindowProc. Each entry holds a small function that unpacks the
// message's parameters for the handler, so a handler with the wrong signature
// does not compile.
//
//     class CMyDlg : public CDialog {
//         ...
//         afx_msg void OnPaint();
//         DECLARE_MESSAGE_MAP()
//     };
//     BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//         ON_WM_PAINT()
//     END_MESSAGE_MAP()
//
// Left out: reflected notifications, update-command UI, ranges of messages.
#pragma once

#include "platform/ui/window/Wnd.h"
#include "platform/ui/window/IconImage.h"
#include "platform/ui/window/WinUser.h"

#define afx_msg

typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;   // WM_COMMAND: the notification code
    UINT nID;     // WM_COMMAND: the first command or control identifier
    UINT nLastID; // WM_COMMAND: the last one
    AFX_PMSGTHUNK pfn; // null ends the map
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The CWnd of window hWnd, or nullptr (no window, or none of ours).
CWnd* AfxWndFromHandle(HWND hWnd);

// The entry of pMap's chain that takes the message, or nullptr.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT message, WPARAM wParam);

#define DECLARE_MESSAGE_MAP()                                                                                          \
public:                                                                                                                \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef baseClass TheBaseClass;                                                                                \
        static_assert(sizeof(ThisClass*) > 0, "an empty map names its class too");                                    \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {0, 0, 0, 0, nullptr}                                                                                              \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// An entry for message msg whose thunk runs body with p (the object), w and l.
#define AFX_MSG_ENTRY(msg, code, id, lastId, body)                                                                     \
    {msg, code, id, lastId,                                                                                            \
     [](CCmdTarget* pTarget, WPARAM w, LPARAM l) -> LRESULT {                                                          \
         ThisClass* p = static_cast<ThisClass*>(pTarget);                                                              \
         (void)p;                                                                                                      \
         (void)w;                                                                                                      \
         (void)l;                                                                                                      \
         body                                                                                                          \
     }},

// Commands and control notifications.
#define ON_COMMAND(id, memberFxn) AFX_MSG_ENTRY(WM_COMMAND, BN_CLICKED, id, id, p->memberFxn(); return 0;)
#define ON_BN_CLICKED(id, memberFxn) AFX_MSG_ENTRY(WM_COMMAND, BN_CLICKED, id, id, p->memberFxn(); return 0;)

// Window messages, each with the handler name and arguments the framework gives it.
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, 0, p->OnPaint(); return 0;)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, 0, 0, 0, p->OnTimer(UINT_PTR(w)); return 0;)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, 0, 0, 0, p->OnSysCommand(UINT(w), l); return 0;)
#define ON_WM_QUERYDRAGICON() AFX_MSG_ENTRY(WM_QUERYDRAGICON, 0, 0, 0, return LRESULT(p->OnQueryDragIcon());)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, 0, 0, 0, p->OnClose(); return 0;)
#define ON_WM_MOUSEMOVE()                                                                                              \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, 0, 0, 0, p->OnMouseMove(UINT(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))); return 0;)
#define ON_WM_LBUTTONDOWN()                                                                                            \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, 0, 0, 0, p->OnLButtonDown(UINT(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));      \
                  return 0;)
#define ON_WM_LBUTTONUP()                                                                                              \
    AFX_MSG_ENTRY(WM_LBUTTONUP, 0, 0, 0, p->OnLButtonUp(UINT(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))); return 0;)
#define ON_WM_KEYDOWN()                                                                                                \
    AFX_MSG_ENTRY(WM_KEYDOWN, 0, 0, 0, p->OnKeyDown(UINT(w), UINT(LOWORD(uintptr_t(l))), UINT(HIWORD(uintptr_t(l))));  \
                  return 0;)
#define ON_WM_SYSKEYDOWN()                                                                                             \
    AFX_MSG_ENTRY(WM_SYSKEYDOWN, 0, 0, 0,                                                                             \
                  p->OnSysKeyDown(UINT(w), UINT(LOWORD(uintptr_t(l))), UINT(HIWORD(uintptr_t(l)))); return 0;)
#define ON_WM_ACTIVATE()                                                                                               \
    AFX_MSG_ENTRY(WM_ACTIVATE, 0, 0, 0,                                                                               \
                  p->OnActivate(UINT(LOWORD(w)), AfxWndFromHandle(HWND(l)), BOOL(HIWORD(w))); return 0;)
#define ON_WM_SIZE()                                                                                                   \
    AFX_MSG_ENTRY(WM_SIZE, 0, 0, 0, p->OnSize(UINT(w), int(LOWORD(uintptr_t(l))), int(HIWORD(uintptr_t(l))));        \
                  return 0;)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, 0,                                                                             \
                  return LRESULT(p->OnMouseWheel(UINT(GET_KEYSTATE_WPARAM(w)), GET_WHEEL_DELTA_WPARAM(w),             \
                                                 CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))));)
#define ON_WM_INPUT_DEVICE_CHANGE()                                                                                    \
    AFX_MSG_ENTRY(WM_INPUT_DEVICE_CHANGE, 0, 0, 0, p->OnInputDeviceChange((unsigned short)(w), (void*)(l)); return 0;)
