// Inside platform/ui: the one table of the keys the program reads, each
// virtual key beside its names in SDL (which reads X11's keys) and in
// xkbcommon (which reads the Wayland compositor's). A key missing here is
// one the program does not read: 0.
//
// Letters are the letter printed on the key in the player's layout, whatever
// the modifiers: 'Z' is the key a German keyboard has where an English one has
// 'Y', and Shift+A is still 'A'. The keypad's keys are theirs with or
// without Num Lock, as SDL reads them on X11.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"

UINT AfxVirtualKeyOfSdl(int32_t nSdlKey);
UINT AfxVirtualKeyOfXkb(uint32_t nKeysym);
// The SDL key of nVirtKey (bKeypad: the keypad's, where it has one), 0 for
// none: what tests put into SDL's queue as a user's key.
int32_t AfxSdlKeyOf(UINT nVirtKey, BOOL bKeypad);
