// TMouse: the cursor position and capture as the framework's Mouse object reports them.

#include "vcl/Controls.h"

TAVREN_CLASS_IMPL(TMouse)

TPoint TMouse::GetCursorPos() const {
  POINT p;
  ::GetCursorPos(&p);
  return p;
}

void TMouse::SetCursorPos(const TPoint& Value) { ::SetCursorPos(Value.X, Value.Y); }

void TMouse::SetCapture(HWND Value) {
  if (Value)
    ::SetCapture(Value);
  else
    ReleaseCapture();
}
