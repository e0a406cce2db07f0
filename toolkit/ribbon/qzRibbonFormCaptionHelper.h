#pragma once
// How a form describes its frame to the ribbon that draws its caption and borders.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "vcl/Forms.h"

// Compared and copied as a whole.
struct TqzFormFrameInfo {
  bool IsActive = false;
  TRect WindowRect{0, 0, 0, 0};  // the window's rectangle moved to the origin
  TFormBorderStyle FormBorderStyle = bsNone;
  HWND Wnd = nullptr;
  Byte SizeState = 0;  // 0 normal, 1 minimized, 2 maximized
  TFormStyle FormStyle = fsNormal;
  bool NoGlassFrame = false;

  friend bool operator==(const TqzFormFrameInfo&, const TqzFormFrameInfo&) = default;
};
