// The common base of the ribbon's dock sites.

#include "toolkit/ribbon/qzRibbonDockControl.h"

#include "toolkit/bars/qzBar.h"
#include "user/WindowPos.h"

TAVREN_CLASS_IMPL(TqzCustomRibbonDockControl)

void TqzCustomRibbonDockControl::UpdateBars() {
  RepaintBars();
  Invalidate();
}

void TqzCustomRibbonDockControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      // A double click means something to the site only in the designer.
      if (!GetBarManager() || !GetBarManager()->IsDesigning()) {
        Message.Result = 0;
        return;
      }
      break;
    case CM_VISIBLECHANGED:
      // The window goes out of sight before the layout hears of it.
      if (!Message.WParam && HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
      inherited::WndProc(Message);
      VisibleChanged();
      return;
    default:
      break;
  }
  inherited::WndProc(Message);
}
