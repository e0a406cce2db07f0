// Alignment and anchors: how a parent places its children when it or they change size.
//
// Aligned children take the client area in a fixed order (top, bottom, left, right, client,
// custom), each kind sorted by position; what remains goes to the next. Children that are not
// aligned keep the distances their anchors name: anchored right they keep the distance to the
// right edge, anchored left and right they stretch, anchored to neither they keep their centre
// in proportion.

#include <algorithm>

#include "rtl/Math.h"
#include "vcl/Controls.h"

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel == 0) return;
  if (--FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (GetComponentState().Contains(csDestroying)) return;
  if (FAlignLevel != 0) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect rect = GetClientRect();
    AlignControls(AControl, rect);
  } catch (...) {
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
    throw;
  }
  FControlState.Exclude(csAlignmentNeeded);
  EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& Rect) {
  Rect.Left += FBorderWidth;
  Rect.Top += FBorderWidth;
  Rect.Right -= FBorderWidth;
  Rect.Bottom -= FBorderWidth;
}

bool TWinControl::InsertBefore(TControl* C1, TControl* C2, TAlign AAlign) {
  switch (AAlign) {
    case alTop: return C1->GetTop() < C2->GetTop();
    case alBottom: return C1->GetTop() + C1->GetHeight() >= C2->GetTop() + C2->GetHeight();
    case alLeft: return C1->GetLeft() < C2->GetLeft();
    case alRight: return C1->GetLeft() + C1->GetWidth() >= C2->GetLeft() + C2->GetWidth();
    case alCustom: return CustomAlignInsertBefore(C1, C2);
    default: return false;
  }
}

void TWinControl::DoPosition(TControl* Control, TAlign AAlign, TRect& Rect) {
  if (AAlign == alNone || Control->GetAnchors() != AnchorAlign(AAlign)) {
    TPoint original = Control->FOriginalParentSize;
    if (original.X != 0 && original.Y != 0) {
      Integer newLeft = Control->GetLeft(), newTop = Control->GetTop();
      Integer newWidth = Control->GetWidth(), newHeight = Control->GetHeight();
      TPoint parentSize = GetClientRect().BottomRight();
      TAnchors anchors = Control->GetAnchors();
      TPoint rules = Control->FAnchorRules;
      if (anchors.Contains(akRight)) {
        if (anchors.Contains(akLeft))
          newWidth = parentSize.X - (original.X - rules.X);  // the rule is the original width
        else
          newLeft = parentSize.X - (original.X - rules.X);  // the rule is the original left
      } else if (!anchors.Contains(akLeft)) {
        newLeft = MulDiv(rules.X, parentSize.X, original.X) - newWidth / 2;  // the rule is the middle
      }
      if (anchors.Contains(akBottom)) {
        if (anchors.Contains(akTop))
          newHeight = parentSize.Y - (original.Y - rules.Y);
        else
          newTop = parentSize.Y - (original.Y - rules.Y);
      } else if (!anchors.Contains(akTop)) {
        newTop = MulDiv(rules.Y, parentSize.Y, original.Y) - newHeight / 2;
      }
      Control->FAnchorMove = true;
      try {
        Control->SetBounds(newLeft, newTop, newWidth, newHeight);
      } catch (...) {
        Control->FAnchorMove = false;
        throw;
      }
      Control->FAnchorMove = false;
    }
    if (AAlign == alNone) return;
  }

  Integer newWidth = Rect.Right - Rect.Left;
  if (newWidth < 0 || AAlign == alLeft || AAlign == alRight || AAlign == alCustom) newWidth = Control->GetWidth();
  Integer newHeight = Rect.Bottom - Rect.Top;
  if (newHeight < 0 || AAlign == alTop || AAlign == alBottom || AAlign == alCustom) newHeight = Control->GetHeight();
  Integer newLeft = Rect.Left;
  Integer newTop = Rect.Top;
  switch (AAlign) {
    case alTop: Rect.Top += newHeight; break;
    case alBottom:
      Rect.Bottom -= newHeight;
      newTop = Rect.Bottom;
      break;
    case alLeft: Rect.Left += newWidth; break;
    case alRight:
      Rect.Right -= newWidth;
      newLeft = Rect.Right;
      break;
    case alCustom:
      newLeft = Control->GetLeft();
      newTop = Control->GetTop();
      CustomAlignPosition(Control, newLeft, newTop, newWidth, newHeight, Rect);
      break;
    default: break;
  }
  Control->FAnchorMove = true;
  try {
    Control->SetBounds(newLeft, newTop, newWidth, newHeight);
  } catch (...) {
    Control->FAnchorMove = false;
    throw;
  }
  Control->FAnchorMove = false;
  // A control that did not take the size offered (constraints) leaves the rest to the others.
  Integer dw = newWidth - Control->GetWidth(), dh = newHeight - Control->GetHeight();
  if (dw != 0 || dh != 0) {
    switch (AAlign) {
      case alTop: Rect.Top -= dh; break;
      case alBottom: Rect.Bottom += dh; break;
      case alLeft: Rect.Left -= dw; break;
      case alRight: Rect.Right += dw; break;
      case alClient:
        Rect.Right += dw;
        Rect.Bottom += dh;
        break;
      default: break;
    }
  }
}

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect) {
  std::vector<TControl*> list;
  // The control that asked goes first among its kind: it is where it was put.
  if (AControl && AControl->GetParent() == this && (AAlign == alNone || AControl->GetVisible()) &&
      AControl->GetAlign() == AAlign)
    list.push_back(AControl);
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* control = GetControls(i);
    if (control == AControl || control->GetAlign() != AAlign) continue;
    if (AAlign != alNone && !control->GetVisible()) continue;
    size_t j = 0;
    while (j < list.size() && !InsertBefore(control, list[j], AAlign)) ++j;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), control);
  }
  for (TControl* control : list) DoPosition(control, AAlign, Rect);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  bool work = false;
  for (Integer i = 0; i < GetControlCount() && !work; ++i) {
    TControl* control = GetControls(i);
    work = control->GetAlign() != alNone || control->GetAnchors() != TAnchors{akLeft, akTop};
  }
  if (work) {
    AdjustClientRect(Rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone}) DoAlign(align, AControl, Rect);
    ControlsAligned();
  }
  if (FShowing) AdjustSize();
}
