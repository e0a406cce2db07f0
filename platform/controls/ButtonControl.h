#pragma once
// The state behind one BUTTON window and its painting (internal).

#include "rtl/WinTypes.h"

struct ButtonState {
  WPARAM check = 0;        // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
  bool pushed = false;     // drawn pressed (mouse held on it, Space down, BM_SETSTATE)
  bool focused = false;
  bool tracking = false;   // the mouse was pressed on it and is captured
  bool spaceDown = false;
  HFONT font = nullptr;
  HANDLE image = nullptr;  // BM_SETIMAGE
  UINT imageType = 0;
  // Kept alive while a message runs; freed after WM_NCDESTROY once the last one has returned.
  int busy = 0;
  bool destroyed = false;
};

void PaintButton(HWND window, const ButtonState& state, HDC dc);
// An owner-drawn button's owner redraws only what a focus change alters, at once.
void PaintOwnerDrawnFocus(HWND window, const ButtonState& state);
