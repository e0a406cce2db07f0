// Scrolling containers and frames. The scroll bars keep their range and position; scrolling
// moves the children, which is what the system's containers need of them.

#include <algorithm>

#include "controls/ScrollBars.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "vcl/Forms.h"

TFormSetScrollPosProc FormSetScrollPos = SetScrollPos;
TFormSetScrollInfoProc FormSetScrollInfo = SetScrollInfo;

void TControlScrollBar::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TControlScrollBar*>(Source);
  if (!other) {
    inherited::Assign(Source);
    return;
  }
  FIncrement = other->FIncrement;
  FRange = other->FRange;
  FTracking = other->FTracking;
  FVisible = other->FVisible;
  SetPosition(other->FPosition);
}

bool TControlScrollBar::IsScrollBarVisible() const {
  if (!FVisible || !FControl) return false;
  TRect client = FControl->GetClientRect();
  return FRange > (FKind == sbHorizontal ? client.Width() : client.Height());
}

void TControlScrollBar::SetRange(Integer Value) {
  FRange = std::max(Value, 0);
  SetPosition(FPosition);
}

void TControlScrollBar::SetPosition(Integer Value) {
  Integer extent = 0;
  if (FControl) {
    TRect client = FControl->GetClientRect();
    extent = FKind == sbHorizontal ? client.Width() : client.Height();
  }
  Value = std::clamp(Value, 0, std::max(FRange - extent, 0));
  if (Value == FPosition) return;
  Integer delta = FPosition - Value;
  FPosition = Value;
  if (FControl) {
    if (FKind == sbHorizontal)
      FControl->ScrollBy(delta, 0);
    else
      FControl->ScrollBy(0, delta);
  }
}

void TControlScrollBar::SetVisible(bool Value) { FVisible = Value; }

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::ScrollBy(Integer DeltaX, Integer DeltaY) {
  DisableAlign();
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    control->SetBounds(control->GetLeft() + DeltaX, control->GetTop() + DeltaY, control->GetWidth(), control->GetHeight());
  }
  EnableAlign();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || !ContainsControl(AControl) || AControl == this) return;
  TRect client = GetClientRect();
  TPoint origin = AControl->ClientToScreen({0, 0});
  TPoint mine = ClientToScreen({0, 0});
  Integer left = origin.X - mine.X, top = origin.Y - mine.Y;
  if (FHorzScrollBar->IsScrollBarVisible()) {
    if (left < 0)
      FHorzScrollBar->SetPosition(FHorzScrollBar->GetPosition() + left);
    else if (left + AControl->GetWidth() > client.Right)
      FHorzScrollBar->SetPosition(FHorzScrollBar->GetPosition() + left + AControl->GetWidth() - client.Right);
  }
  if (FVertScrollBar->IsScrollBarVisible()) {
    if (top < 0)
      FVertScrollBar->SetPosition(FVertScrollBar->GetPosition() + top);
    else if (top + AControl->GetHeight() > client.Bottom)
      FVertScrollBar->SetPosition(FVertScrollBar->GetPosition() + top + AControl->GetHeight() - client.Bottom);
  }
}

// ---- Frames -------------------------------------------------------------------------------------

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 320;
  FHeight = 240;
}

void TCustomFrame::AfterConstruction() {
  inherited::AfterConstruction();
  if (ClassType() != TFrame::ClassInfo() && ClassType() != TCustomFrame::ClassInfo() &&
      !InitInheritedComponent(this, TFrame::ClassInfo()))
    throw EResNotFound(Format("Resource %s not found", ClassName()));
}
