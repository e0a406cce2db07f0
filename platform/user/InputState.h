#pragma once
// The input state of the user-interface thread (internal): key states, the cursor, capture,
// double-click memory, mouse tracking and the characters typed.

#include <atomic>
#include <cstdint>

#include "rtl/WinTypes.h"

struct InputState {
  BYTE syncKeys[256] = {};   // as of the last input message retrieved
  BYTE asyncKeys[256] = {};  // as the devices say now
  std::atomic<int> cursorX{0};
  std::atomic<int> cursorY{0};  // read by PostMessage from any thread
  HWND capture = nullptr;
  UINT doubleClickTime = 500;

  // The last button press, to make the next one a double click.
  UINT lastClickMessage = 0;
  HWND lastClickWindow = nullptr;
  DWORD lastClickTime = 0;
  POINT lastClickPoint;

  // TrackMouseEvent
  HWND trackWindow = nullptr;
  DWORD trackFlags = 0;  // TME_LEAVE, TME_HOVER, TME_NONCLIENT
  DWORD hoverTime = 400;
  uint64_t hoverDue = UINT64_MAX;
  POINT hoverPoint;

  // Characters typed by key-downs, found again by TranslateMessage through the scan-code field
  // of the key message (this system has no keyboard layout to look them up in).
  uint32_t characters[256] = {};
  BYTE nextCharacterSlot = 1;
};

InputState& Input();
// Updates the key state array for a key going down or up (generic and left/right codes).
void ApplyKeyToState(BYTE* keys, UINT virtualKey, bool down);
// The generic virtual key (VK_SHIFT for VK_LSHIFT...).
UINT GenericKey(UINT virtualKey);
// Posts WM_MOUSELEAVE (or WM_NCMOUSELEAVE) when the mouse is no longer where tracking watches.
void UpdateMouseTracking(HWND window, bool client, POINT screenPoint);
