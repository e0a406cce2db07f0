// The ribbon form: its side of the caption the ribbon draws.

#include "toolkit/ribbon/qzRibbonForm.h"

#include "gdi/Drawing.h"
#include "gdi/SysMetrics.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "user/Painting.h"
#include "user/PopupMenus.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzRibbonForm)

TAVREN_MESSAGE_TABLE(TqzRibbonForm, MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize), MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest),
                     MESSAGE_HANDLER(WM_NCLBUTTONDOWN, WMNCLButtonDown), MESSAGE_HANDLER(WM_NCLBUTTONUP, WMNCLButtonUp),
                     MESSAGE_HANDLER(WM_NCRBUTTONUP, WMNCRButtonUp), MESSAGE_HANDLER(WM_SIZE, WMFrameChanged),
                     MESSAGE_HANDLER(WM_ACTIVATE, WMFrameChanged))

TqzCustomRibbon* TqzRibbonForm::Ribbon() const {
  for (Integer i = 0; i < GetComponentCount(); ++i)
    if (auto* ribbon = dynamic_cast<TqzCustomRibbon*>(GetComponents(i))) return ribbon;
  return nullptr;
}

void TqzRibbonForm::SetCaptionHelper(TqzRibbonFormCaptionHelper* AHelper) {
  if (AHelper == FCaptionHelper) return;
  FCaptionHelper = AHelper;
  FRibbonCaption = AHelper != nullptr;
  FGlassFrameTop = -1;
  if (IsDestroying()) {
    FRibbonCaption = false;
    return;
  }
  UpdateFrameInfo();
  if (!HandleAllocated()) return;
  // A skin controller of the form refreshes its frame state when told who paints the frame now.
  if (NonClientChangedMessage != 0) SendMessage(GetHandle(), NonClientChangedMessage, FRibbonCaption ? 1 : 0, 0);
  SetWindowRgn(GetHandle(), nullptr, false);
  if (DwmCompositionEnabled() && !FRibbonCaption) ExtendGlassFrame(0);
  SetWindowPos(GetHandle(), nullptr, 0, 0, GetWidth(), GetHeight(),
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  if (IsWindowVisible(GetHandle()))
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  UpdateBorderIcons();
}

void TqzRibbonForm::UpdateFrameInfo() {
  if (!FRibbonCaption || IsDestroying() || !FCaptionHelper) return;
  TqzFormFrameInfo info;
  if (HandleAllocated()) {
    info.Wnd = GetHandle();
    TRect r;
    if (GetWindowRect(GetHandle(), &r)) info.WindowRect = TRect{0, 0, r.Width(), r.Height()};
    info.SizeState = IsIconic(GetHandle()) ? 1 : IsZoomed(GetHandle()) ? 2 : 0;
  }
  info.IsActive = GetActive();
  info.FormBorderStyle = GetBorderStyle();
  info.FormStyle = GetFormStyle();
  info.NoGlassFrame = FNoGlassFrame;
  FCaptionHelper->SetFrameInfo(info);
}

void TqzRibbonForm::UpdateBorderIcons() {
  if (!FRibbonCaption || !FCaptionHelper) return;
  // The ribbon's caption offers the standard system menu, whatever was made of the form's own.
  if (HandleAllocated() && !UsesGlassFrame(FCaptionHelper->GetFrameInfo())) GetSystemMenu(GetHandle(), TRUE);
  FCaptionHelper->SetBorderIcons(GetBorderIcons());
}

void TqzRibbonForm::ExtendGlassFrame(Integer ATop) {
  if (ATop == FGlassFrameTop) return;
  if (FGlassFrameTop < ATop && HandleAllocated()) {
    TRect band{FFillGlassFromLeft ? 0 : 100, std::max(FGlassFrameTop, 0), GetWidth(), ATop};
    if (band.Left < band.Right && band.Top < band.Bottom) {
      HDC dc = GetWindowDC(GetHandle());
      FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      ReleaseDC(GetHandle(), dc);
    }
  }
  FGlassFrameTop = ATop;
  MARGINS margins{0, 0, ATop, 0};
  if (HandleAllocated()) DwmExtendFrameIntoClientArea(GetHandle(), &margins);
}

void TqzRibbonForm::KeyDown(Word& Key, TShiftState Shift) {
  if (TqzCustomRibbon* ribbon = Ribbon()) ribbon->FormKeyDown(Key, Shift);
  if (Key != 0) inherited::KeyDown(Key, Shift);
}

// The standard caption gives its rows to the client area, where the ribbon draws the caption.
void TqzRibbonForm::WMNCCalcSize(TMessage& Message) {
  InheritedMessage(Message);
  if (!FRibbonCaption || !HandleAllocated() || IsIconic(GetHandle())) return;
  RECT* client = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                : reinterpret_cast<RECT*>(Message.LParam);
  client->Top -= GetSystemMetrics(SM_CYCAPTION);
}

void TqzRibbonForm::WMNCHitTest(TMessage& Message) {
  InheritedMessage(Message);
  if (!FRibbonCaption || !FCaptionHelper) return;
  const TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  // The caption strip is the ribbon's, whatever the standard frame would have had there.
  if (FCaptionHelper->IsCaptionPoint(p.X, p.Y)) FCaptionHelper->NCHitTest(Message);
}

void TqzRibbonForm::WMNCLButtonDown(TMessage& Message) {
  const TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  if (FRibbonCaption && FCaptionHelper && FCaptionHelper->CaptionMouseDown(p, mbLeft)) return;
  InheritedMessage(Message);
}

void TqzRibbonForm::WMNCLButtonUp(TMessage& Message) {
  const TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  if (FRibbonCaption && FCaptionHelper && FCaptionHelper->CaptionMouseUp(p, mbLeft)) return;
  InheritedMessage(Message);
}

void TqzRibbonForm::WMNCRButtonUp(TMessage& Message) {
  const TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  if (FRibbonCaption && FCaptionHelper && FCaptionHelper->CaptionMouseUp(p, mbRight)) return;
  InheritedMessage(Message);
}

void TqzRibbonForm::WMFrameChanged(TMessage& Message) {
  InheritedMessage(Message);
  UpdateFrameInfo();
}
