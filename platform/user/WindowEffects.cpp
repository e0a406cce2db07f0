#include "user/WindowEffects.h"

#include "user/Backend.h"
#include "user/Painting.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

BOOL AnimateWindow(HWND window, DWORD, DWORD flags) {
  if (!IsWindow(window)) return FALSE;
  bool visible = (GetWindowLong(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (flags & AW_HIDE) {
    if (!visible) return FALSE;
    ShowWindow(window, SW_HIDE);
    return TRUE;
  }
  if (visible) return FALSE;
  ShowWindow(window, (flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNA);
  UpdateWindow(window);
  return TRUE;
}

BOOL MessageBeep(UINT) {
  CurrentDisplayBackend().Beep();
  return TRUE;
}
