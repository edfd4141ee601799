// Messages and the per-thread message drain. Linux threads have no message
// queues of their own, so the drain that a worker thread runs finds nothing.
#pragma once

#include "platform/core/Types.h"

struct CWindowHandle;
typedef CWindowHandle* HWND;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

inline BOOL PeekMessageA(MSG*, HWND, UINT, UINT, UINT) { return FALSE; }
inline BOOL TranslateMessage(const MSG*) { return FALSE; }
inline LRESULT DispatchMessageA(const MSG*) { return 0; }
