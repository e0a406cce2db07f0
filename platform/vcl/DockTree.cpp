#include "vcl/DockTree.h"

#include <algorithm>

#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "rtl/ColorIdents.h"
#include "vcl/Graphics.h"

TAVREN_CLASS_IMPL(TDockTree)

TDockTree::TDockTree(TWinControl* DockSite) : FDockSite(DockSite) {}
TDockTree::~TDockTree() = default;

void TDockTree::InsertControl(TControl* Control, TAlign InsertAt, TControl*) {
  if (FClients.empty()) FInRow = InsertAt == alLeft || InsertAt == alRight;
  if (std::find(FClients.begin(), FClients.end(), Control) != FClients.end()) return;
  // Left and top go before the others, right, bottom and none after them.
  if (InsertAt == alLeft || InsertAt == alTop)
    FClients.insert(FClients.begin(), Control);
  else
    FClients.push_back(Control);
  ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* Control) {
  auto it = std::find(FClients.begin(), FClients.end(), Control);
  if (it == FClients.end()) return;
  FClients.erase(it);
  ResetBounds(true);
}

void TDockTree::GetControlBounds(TControl* Control, TRect& CtlBounds) {
  CtlBounds = {};
  auto it = std::find(FClients.begin(), FClients.end(), Control);
  if (it == FClients.end()) return;
  TRect area = FDockSite->GetClientRect();
  FDockSite->AdjustClientRect(area);
  const Integer n = Integer(FClients.size()), i = Integer(it - FClients.begin());
  if (FInRow) {
    const Integer w = area.Width();
    CtlBounds = {area.Left + w * i / n, area.Top, area.Left + w * (i + 1) / n, area.Bottom};
  } else {
    const Integer h = area.Height();
    CtlBounds = {area.Left, area.Top + h * i / n, area.Right, area.Top + h * (i + 1) / n};
  }
}

void TDockTree::AdjustDockRect(TControl*, TRect& ARect) { ARect.Top += FGrabberSize; }

void TDockTree::ResetBounds(bool) {
  for (TControl* client : FClients) {
    TRect zone;
    GetControlBounds(client, zone);
    AdjustDockRect(client, zone);
    client->SetBounds(zone.Left, zone.Top, std::max(zone.Width(), 0), std::max(zone.Height(), 0));
  }
  FDockSite->Invalidate();
}

TRect TDockTree::CloseButtonRect(const TRect& Zone) {
  const Integer size = std::max(FGrabberSize - 2, 0);
  return {Zone.Right - size - 1, Zone.Top + 1, Zone.Right - 1, Zone.Top + 1 + size};
}

void TDockTree::PaintDockFrame(TCanvas* Canvas, TControl*, const TRect& ARect) {
  HDC dc = Canvas->GetHandle();
  const TRect close = CloseButtonRect(ARect);
  // Two etched bars across the grabber, then the close button.
  for (Integer k = 0; k < 2; ++k) {
    RECT bar{ARect.Left + 2, ARect.Top + 3 + k * 4, close.Left - 3, ARect.Top + 6 + k * 4};
    if (bar.Right > bar.Left) DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
  }
  RECT button = close;
  DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

void TDockTree::PaintSite(HDC DC) {
  TCanvas canvas;
  canvas.SetHandle(DC);
  for (TControl* client : FClients) {
    if (!client->GetVisible()) continue;
    TRect zone;
    GetControlBounds(client, zone);
    PaintDockFrame(&canvas, client, zone);
  }
  canvas.SetHandle(nullptr);
}

bool TDockTree::ClickAt(TPoint Pos) {
  for (TControl* client : FClients) {
    TRect zone;
    GetControlBounds(client, zone);
    TRect close = CloseButtonRect(zone);
    if (Pos.X >= close.Left && Pos.X < close.Right && Pos.Y >= close.Top && Pos.Y < close.Bottom) {
      client->SetVisible(false);
      FDockSite->Invalidate();
      return true;
    }
  }
  return false;
}

// ---- Floating host ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TCustomDockForm)
TAVREN_MESSAGE_TABLE(TCustomDockForm, MESSAGE_HANDLER(CM_CONTROLLISTCHANGE, CMControlListChange))

TCustomDockForm::TCustomDockForm(TComponent* AOwner) : TCustomForm(AOwner, 0) {
  SetBorderStyle(bsSizeToolWin);
  SetDockSite(true);
}

void TCustomDockForm::CMControlListChange(TMessage& Message) {
  InheritedMessage(Message);
  if (!Message.LParam && GetControlCount() <= 1 &&
      (GetControlCount() == 0 || GetControls(0) == reinterpret_cast<TControl*>(Message.WParam)))
    Release();
}
