#include "toolkit/inspector/JyFlyoutControl.h"

#include "gdi/Gdi.h"
#include "user/User.h"

TAVREN_CLASS_IMPL(TJyFlyoutControl)
TAVREN_CLASS_IMPL(TRollShadow)

TAVREN_MESSAGE_TABLE(TJyFlyoutControl, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TJyFlyoutControl::TJyFlyoutControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csNoDesignVisible);
  FVisible = false;
  BringToFront();
}

void TJyFlyoutControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style | WS_POPUP) & ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TJyFlyoutControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TRollShadow::CreateShape() {
  const TPoint upper[] = {{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}};
  const TPoint lower[] = {{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}};
  HRGN region = CreatePolygonRgn(upper, 5, WINDING);
  HRGN second = CreatePolygonRgn(lower, 5, WINDING);
  HRGN dot = CreateEllipticRgn(5, 9, 10, 14);
  CombineRgn(region, region, second, RGN_OR);
  CombineRgn(region, region, dot, RGN_OR);
  DeleteObject(second);
  DeleteObject(dot);
  // The window takes the region over.
  SetWindowRgn(GetHandle(), region, TRUE);
}

void TRollShadow::ShowAt(TPoint P) {
  CreateShape();
  FLastPoint = P;
  SetBounds(P.X - 7, P.Y - 11, 32, 32);
}

void TRollShadow::Paint() {
  GetCanvas()->GetBrush()->SetColor(clGrayText);
  GetCanvas()->FillRect(GetClientRect());
}
