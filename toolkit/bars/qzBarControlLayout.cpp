// Bar window layout and painting: the layout info, the base layout pass that stacks links, and
// drawing the item controls clipped to their bounds before the background fills what is left.

#include "toolkit/bars/qzBarControl.h"

#include <algorithm>

#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"

TAVREN_CLASS_IMPL(TCustomqzBarControlViewInfo)

// ---- Layout info -------------------------------------------------------------------------------

void TCustomqzBarControlViewInfo::Clear() {
  FItemViewInfos.clear();
  FSeparators.clear();
}

Integer TCustomqzBarControlViewInfo::IndexOfItemControl(TqzBarItemControl* AControl) const {
  for (size_t i = 0; i < FItemViewInfos.size(); ++i)
    if (FItemViewInfos[i]->GetControl() == AControl) return static_cast<Integer>(i);
  return -1;
}

void TCustomqzBarControlViewInfo::RemoveControlInfo(TqzBarItemControlViewInfo* AInfo) {
  std::erase(FItemViewInfos, AInfo);
}

void TCustomqzBarControlViewInfo::SetSeparatorInfo(Integer AIndex, const TRect& R, Byte AKind) {
  FSeparators[AIndex].Bounds = R;
  FSeparators[AIndex].Kind = AKind;
}

Integer TCustomqzBarControlViewInfo::FindSeparatorOfControl(TqzBarItemControl* AControl) const {
  for (size_t i = 0; i < FSeparators.size(); ++i)
    if (FSeparators[i].Control == AControl) return static_cast<Integer>(i);
  return -1;
}

void TCustomqzBarControl::ForgetControl(TqzBarItemControl* AControl) {
  if (FViewInfo) FViewInfo->RemoveControlInfo(AControl->GetViewInfo());
  if (FCaptureControl == AControl) FCaptureControl = nullptr;
  TqzBarItemLink* link = AControl->GetLink();
  if (link && FCurrentLink == link) FCurrentLink = nullptr;
  if (link && FTrackedLink == link) FTrackedLink = nullptr;
}

// ---- Layout pass -------------------------------------------------------------------------------

void TCustomqzBarControl::CalcClientItemsRect() { FItemsRect = GetClientRect(); }

void TCustomqzBarControl::CalcLayout(Byte AKind, Integer AIndex) {
  FVisibleItemsRect = FItemsRect;
  AdjustVisibleItemsRect(FVisibleItemsRect);
  BeforeLayout();
  if (FItemLinks) FItemLinks->ClearItemRects();
  if (AKind == qzPaintMenu) {
    Integer bottom = 0;
    PlaceLinksFrom(AIndex, bottom);
  } else if (AKind == qzPaintHorizontal || AKind == qzPaintRotated) {
    PlaceControls();
    // The parts follow the rectangles where the placement left them (rows are centred last).
    if (FItemLinks)
      for (Integer i = 0; i < FItemLinks->GetVisibleLinkCount(); ++i)
        if (TqzBarItemControl* control = FItemLinks->GetVisibleLink(i)->GetControl()) control->CalcPartRects();
  }
  AfterLayout();
}

void TCustomqzBarControl::PlaceLinksFrom(Integer AFirstIndex, Integer& ABottom) {
  Integer top = FVisibleItemsRect.Top;
  ABottom = top;
  if (!FItemLinks) return;
  for (Integer i = std::max(AFirstIndex, 0); i < FItemLinks->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = FItemLinks->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    Integer linkTop = top + GroupSpacingBefore(link);
    TRect r(FVisibleItemsRect.Left, linkTop, FVisibleItemsRect.Right, linkTop + control->CalcHeight());
    if (r.Bottom > FVisibleItemsRect.Bottom) {
      if (AcceptsPartialLink(r)) {
        link->SetItemRect(r);
        control->CalcPartRects();
        ABottom = FVisibleItemsRect.Bottom;
      } else {
        ABottom = i > AFirstIndex ? top : r.Top;
      }
      return;
    }
    link->SetItemRect(r);
    control->CalcPartRects();
    top = r.Bottom;
    ABottom = top;
  }
}

void TCustomqzBarControl::CalcViewInfo() {
  if (!FViewInfo) return;
  FViewInfo->Calculate();
  if (!FItemLinks) return;
  for (Integer i = 0; i < FItemLinks->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = FItemLinks->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    // A view info that lists its controls itself (a toolbar's, a menu's) has them already.
    if (!control || IsRectEmpty(&link->GetItemRect()) || FViewInfo->IndexOfItemControl(control) >= 0) continue;
    control->GetViewInfo()->SetBounds(link->GetItemRect());
    FViewInfo->AppendControlInfo(control->GetViewInfo());
  }
}

// ---- Drawing -----------------------------------------------------------------------------------

bool TCustomqzBarControl::CanDrawControl(TqzBarItemControl* AControl) {
  if (IsDestroying() || !AControl || (FBusyFlags & qzBusyDrawingControl) || IsUpdateLocked()) return false;
  TqzBarItemLink* link = AControl->GetLink();
  if (!link || link->GetControl() != AControl || !HasLinkControl(AControl)) return false;
  TqzBarItem* item = link->GetItem();
  if (!item || item->GetComponentState().Contains(csDestroying)) return false;
  return FViewInfo && FViewInfo->HoldsControlInfo(AControl);
}

void TCustomqzBarControl::DrawControlWithBrush(TkvCanvas* ACanvas, TqzBarItemControl* AControl) {
  FBusyFlags |= qzBusyDrawingControl;
  try {
    DrawItemControl(AControl, ACanvas, AControl->GetItemRect());
  } catch (...) {
    FBusyFlags &= ~qzBusyDrawingControl;
    throw;
  }
  FBusyFlags &= ~qzBusyDrawingControl;
}

void TCustomqzBarControl::DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  ACanvas->PushClip();
  try {
    ACanvas->ClipToRect(AControl->GetViewInfo()->GetBounds());
    TRect hosted;
    if (AControl->GetExcludeRect(hosted)) ACanvas->ClipOutRect(hosted);
    AControl->DrawOnCanvas(ACanvas, R, GetItemPaintKind());
    DrawDesignFrame(AControl, ACanvas, R);
  } catch (...) {
    ACanvas->PopClip();
    throw;
  }
  ACanvas->PopClip();
}

void TCustomqzBarControl::DrawDesignFrame(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  TqzBarItemLink* link = AControl->GetLink();
  if (!link || !IsCustomizing() || !link->IsSelectedInDesigner()) return;
  // Solid round the selection the commands work on, dotted round the other places it shows.
  if (DesignControllerInstance()->WantsDefaultSelection(link))
    ACanvas->PaintFrame(R, static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)), 2);
  else
    ACanvas->DrawFocusFrames(R, 2);
}

void TCustomqzBarControl::DrawControls() {
  if (!FViewInfo) return;
  TkvCanvas* canvas = ActiveCanvas();
  for (Integer i = 0; i < FViewInfo->GetItemViewInfoCount(); ++i) {
    TqzBarItemControlViewInfo* info = FViewInfo->GetItemViewInfoAt(i);
    TqzBarItemControl* control = info->GetControl();
    if (CanDrawControl(control)) DrawControlWithBrush(canvas, control);
    // Drawn or not, the item's area is kept from the background fill.
    canvas->ClipOutRect(info->GetBounds());
  }
}

void TCustomqzBarControl::Paint() {
  if (IsDestroying()) return;
  TkvCanvas* canvas = ActiveCanvas();
  canvas->PushClip();
  DrawControls();
  DrawBarParts(canvas);
  Painter()->DrawBarBackground(this, canvas);
  canvas->PopClip();
}

// ---- Background and the non-client area --------------------------------------------------------

void TCustomqzBarControl::FillBackgroundClipped(HDC DC, HRGN ARegion, bool AOffset, HBRUSH ABrush) {
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  bool hadClip = GetClipRgn(DC, saved) == 1;
  ExtSelectClipRgn(DC, ARegion, RGN_AND);
  FillBackground(DC, GetWindowRectAtOrigin(), AOffset, clNone, ABrush);
  SelectClipRgn(DC, hadClip ? saved : nullptr);
  DeleteObject(saved);
}

HDC TCustomqzBarControl::GetWindowDC(HRGN) { return ::GetWindowDC(GetHandle()); }

void TCustomqzBarControl::ReleaseWindowDC(HDC DC) { ReleaseDC(GetHandle(), DC); }

void TCustomqzBarControl::PaintNonClient(TMessage& Message) {
  HDC dc = GetWindowDC(reinterpret_cast<HRGN>(Message.WParam));
  try {
    inherited::WndProc(Message);
    DrawFrameOn(dc);
  } catch (...) {
    ReleaseWindowDC(dc);
    throw;
  }
  ReleaseWindowDC(dc);
}
