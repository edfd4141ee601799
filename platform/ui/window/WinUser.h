// The window system's numbers as the framework's code spells them: messages,
// system commands, styles, menu flags, system metrics and the small helpers
// that pack and unpack message parameters. Values are the original
// platform's, so templates and code read as they always did. No SDL here.
//
// Left out: every message, style and flag that this program does not use.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/VirtualKeys.h"

// Messages.
#define WM_NULL 0x0000
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_ERASEBKGND 0x0014
#define WM_ICONERASEBKGND 0x0027
#define WM_QUERYDRAGICON 0x0037
#define WM_SETICON 0x0080
#define WM_INPUT_DEVICE_CHANGE 0x00FE
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_SYSKEYDOWN 0x0104
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MOUSEWHEEL 0x020A

// WM_ACTIVATE's state (low word of wParam; the high word is "minimised").
#define WA_INACTIVE 0
#define WA_ACTIVE 1

// WM_INPUT_DEVICE_CHANGE's kind of change (wParam).
#define GIDC_ARRIVAL 1
#define GIDC_REMOVAL 2

// WM_SIZE's kind of change (wParam).
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1

// WM_KEYDOWN's flags (high word of lParam): the key was down already (auto-repeat).
#define KF_REPEAT 0x4000

// The state of a key as of the key message being handled: the high bit set
// while it is down. Only Ctrl, Shift and Alt (VK_MENU) are told.
typedef int16_t SHORT;
SHORT GetKeyState(int nVirtKey);

// System commands (WM_SYSCOMMAND wParam; the low four bits are the system's,
// which kSysCommandMask clears).
constexpr UINT kSysCommandMask = 0xFFF0;
#define SC_CLOSE 0xF060
#define SC_KEYMENU 0xF100

// Dialog commands and button notifications.
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
#define BN_CLICKED 0
#define ID_HELP 0xE146

// WM_SETICON.
#define ICON_SMALL 0
#define ICON_BIG 1

// Window styles.
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_SYSMENU 0x00080000u
#define WS_GROUP 0x00020000u
#define WS_TABSTOP 0x00010000u
#define WS_EX_APPWINDOW 0x00040000u

// Dialog styles.
#define DS_SETFONT 0x40u
#define DS_MODALFRAME 0x80u

// Button styles.
#define BS_PUSHBUTTON 0x0u
#define BS_DEFPUSHBUTTON 0x1u
#define BS_TYPEMASK 0xFu
#define BS_NOTIFY 0x4000u

// Static styles.
#define SS_LEFT 0x0u
#define SS_ICON 0x3u
#define SS_TYPEMASK 0x1Fu
#define SS_NOPREFIX 0x80u
#define SS_SUNKEN 0x1000u

// Menu flags.
#define MF_BYCOMMAND 0x0000u
#define MF_STRING 0x0000u
#define MF_ENABLED 0x0000u
#define MF_GRAYED 0x0001u
#define MF_DISABLED 0x0002u
#define MF_UNCHECKED 0x0000u
#define MF_CHECKED 0x0008u
#define MF_SEPARATOR 0x0800u
#define MF_BYPOSITION 0x0400u

// System metrics.
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXSMICON 49
#define SM_CYSMICON 50

// ShowWindow.
#define SW_HIDE 0
#define SW_SHOW 5

// Packing and unpacking of message parameters.
constexpr WORD LOWORD(uintptr_t l) { return WORD(l & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t l) { return WORD((l >> 16) & 0xFFFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(MAKELONG(lo, hi)); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
// Coordinates are signed 16-bit words in lParam.
constexpr int GET_X_LPARAM(LPARAM l) { return int(short(LOWORD(uintptr_t(l)))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int(short(HIWORD(uintptr_t(l)))); }
constexpr short GET_WHEEL_DELTA_WPARAM(WPARAM w) { return short(HIWORD(w)); }
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM w) { return LOWORD(w); }
