#pragma once
// The keyboard layout: the platform's one layout is US English. What a key types, and which key
// types a character.

#include "rtl/WinTypes.h"

constexpr UINT MAPVK_VK_TO_VSC = 0;
constexpr UINT MAPVK_VSC_TO_VK = 1;
constexpr UINT MAPVK_VK_TO_CHAR = 2;

// Mode MAPVK_VK_TO_CHAR: the unshifted character of a key (letters upper-case), 0 when the key
// types none. The US layout has no dead keys, so bit 31 is never set. Other modes answer 0.
UINT MapVirtualKeyA(UINT code, UINT mapType);
inline UINT MapVirtualKey(UINT code, UINT mapType) { return MapVirtualKeyA(code, mapType); }

// The key and shift state that type a character: the key in the low byte, in the high byte 1 for
// Shift and 2 for Ctrl; -1 when no key types it.
SHORT VkKeyScanA(char ch);
inline SHORT VkKeyScan(char ch) { return VkKeyScanA(ch); }

// The character a key types with the given keyboard state (256 bytes, top bit = down, bit 0 of
// VK_CAPITAL = Caps Lock on): 1 with the character in *chars, 0 when the key types none or the
// scan code says the key is up.
int ToAscii(UINT virtualKey, UINT scanCode, const BYTE* keyState, WORD* chars, UINT flags);

// What a key types on the US layout; 0 for none.
uint32_t UsLayoutCharacter(UINT virtualKey, bool shift, bool capsLock, bool ctrl);
