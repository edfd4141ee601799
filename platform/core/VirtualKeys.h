// The keys and mouse buttons as the framework's code names them: virtual
// keys, the key state mouse messages carry and one wheel notch. Values are
// the original platform's. They are here, below every room of the window
// system, because the display systems already speak them: a key arrives as
// its virtual key whichever system read it.
#pragma once

// Mouse-message key state (wParam).
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// One notch of the wheel.
#define WHEEL_DELTA 120

// Virtual keys. A game controller's buttons arrive as keys too, by their
// standard names: A, B, Start (menu), Back (view), the pad's and the left
// stick's up and down.
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_UP 0x26
#define VK_DOWN 0x28
#define VK_F1 0x70
#define VK_NUMPAD0 0x60
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_F4 0x73
#define VK_F11 0x7A
#define VK_OEM_PLUS 0xBB
#define VK_OEM_MINUS 0xBD
#define VK_GAMEPAD_A 0xC3
#define VK_GAMEPAD_B 0xC4
#define VK_GAMEPAD_DPAD_UP 0xCB
#define VK_GAMEPAD_DPAD_DOWN 0xCC
#define VK_GAMEPAD_MENU 0xCF
#define VK_GAMEPAD_VIEW 0xD0
#define VK_GAMEPAD_LEFT_THUMBSTICK_UP 0xD3
#define VK_GAMEPAD_LEFT_THUMBSTICK_DOWN 0xD4
