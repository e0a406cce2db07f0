// How a tab becomes current and how the tab control answers the user: selection with its
// veto-able changing event, mouse selection, hot tracking and per-tab hints, keys and
// accelerators, the strip buttons' clicks, and reordering tabs by dragging with a drop marker.

#include <algorithm>

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Regions.h"
#include "toolkit/controls/WbTabs.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/Timers.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timers.h"

namespace {
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 60;
constexpr Cardinal kDragScrollFirst = 400, kDragScrollNext = 300;
}  // namespace

// ---- Selection --------------------------------------------------------------------------------

bool TWbCustomTabControl::CanSelectTab(Integer Index) {
  if (FTabs->GetCount() == 0 || Index < 0 || Index >= FTabs->GetCount()) return false;
  TWbTabData* tab = FTabs->GetItems(Index);
  if (!tab->TabVisible) return false;
  if (!tab->TabEnabled && !GetComponentState().Contains(csDesigning)) return false;
  if (Index == FTabIndex) return true;
  bool allow = true;
  TabChanging(Index, allow);
  return allow;
}

void TWbCustomTabControl::SetTabIndex(Integer Value) {
  if (IsLoadingOrReading()) {
    FTabIndex = Value;
    return;
  }
  if (Value < 0 || Value >= FTabs->GetCount()) {
    if (FTabIndex != -1) {
      FTabIndex = -1;
      InvalidateTabs();
    }
  } else {
    const Integer oldIndex = FTabIndex, oldFirst = FFirstVisibleTab;
    if (Value == FTabIndex || FForcedChange || CanSelectTab(Value)) {
      FTabIndex = Value;
      if (!FScrollerNeeded) {
        RotateRowsToFront(Value);
      } else if (Value < FFirstVisibleTab) {
        FFirstVisibleTab = Value;
      } else {
        while (FFirstVisibleTab < Value && !TabFullyShown(Value)) ++FFirstVisibleTab;
      }
      FRegionCache->Clear();
    }
    if (FFirstVisibleTab != oldFirst || FTabIndex != oldIndex) {
      InvalidateTabs();
      if (FScroller) FScroller->Invalidate();
    }
    if (FTabIndex != oldIndex) {
      TabChanged();
      PageChange();
      if (GetComponentState().Contains(csDesigning) && FPaintedOnce) MarkDesignerModified(this);
    }
  }
  if (FShowCloseButton && FCloseButton) FCloseButton->Invalidate();
  if (FShowMenuButton && FMenuButton) FMenuButton->Invalidate();
}

bool TWbCustomTabControl::DoClose() {
  bool allow = false;
  FOnClose(this, allow);
  return allow;
}

void TWbCustomTabControl::CloseButtonClick(TObject*) {
  if (FTabIndex != -1 && DoClose()) CloseActiveTab();
}

void TWbCustomTabControl::ScrollerDownLeft(TObject*) {
  ScrollTabs((FTabSequence == tsStandard) == (FTabOrientation == toRight));
}

void TWbCustomTabControl::ScrollerUpRight(TObject*) {
  ScrollTabs((FTabSequence == tsStandard) != (FTabOrientation == toRight));
}

// ---- Mouse ------------------------------------------------------------------------------------

void TWbCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  const bool designing = GetComponentState().Contains(csDesigning);
  if (Button != mbLeft || !(GetEnabled() || designing)) return;
  const Integer i = TabAtPoint(X, Y);
  if (i >= 0 && FTabs->GetItems(i)->TabEnabled) {
    if (GetTabStop() && i == FTabIndex && !designing) {
      if (CanFocus()) SetFocus();
      if (!Focused()) return;
    }
    SetTabIndex(i);
    if (FTabIndex == i) TabClick();
  }
  FPressedTab = i;
}

void TWbCustomTabControl::InvalidateTabArea() {
  if (!HandleAllocated()) return;
  TRect area = TabAreaRect();
  ++area.Right, ++area.Bottom;
  InvalidateRect(GetHandle(), &area, FALSE);
}

void TWbCustomTabControl::ResetHotTracking() {
  StopHoverTimer();
  if (FHotTab != -1) {
    FHotTab = -1;
    InvalidateTabArea();
  }
}

void TWbCustomTabControl::StartHoverTimer() {
  if (FHoverTimer || !HandleAllocated()) return;
  FHoverTimer = SetTimer(GetHandle(), kHoverTimer, kHoverInterval, nullptr) != 0;
}

void TWbCustomTabControl::StopHoverTimer() {
  if (!FHoverTimer) return;
  if (HandleAllocated()) KillTimer(GetHandle(), kHoverTimer);
  FHoverTimer = false;
}

void TWbCustomTabControl::WMTimer(TMessage& Message) {
  if (Message.WParam != kHoverTimer) return InheritedMessage(Message);
  POINT p;
  GetCursorPos(&p);
  TPoint at = ScreenToClient(TPoint{p.X, p.Y});
  if (WindowFromPoint(p) != GetHandle() || TabAtPoint(at.X, at.Y) < 0) {
    ResetHotTracking();
    if (FTabHints) SetHint(FControlHint);
  }
}

void TWbCustomTabControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (!GetComponentState().Contains(csDesigning) && (FHotTrack || FTabHints)) {
    const Integer i = TabAtPoint(X, Y);
    if (i < 0) {
      const bool inArea = [&] { TRect r = TabAreaRect(); return PtInRect(&r, TPoint{X, Y}) != 0; }();
      if (FTabHints && (FHotTab != -1 || inArea)) Application()->CancelHint();
      ResetHotTracking();
      // No hint over the empty part of the strip; the control's own hint over the card.
      SetHint(FTabHints && inArea ? String() : FControlHint);
    } else if (i != FHotTab) {
      FHotTab = i;
      if (FHotTrack) {
        // Only the strip repaints; such a paint leaves the card's shadow alone.
        FHotTrackOnly = true;
        InvalidateTabArea();
      }
      if (FTabHints) {
        Application()->CancelHint();
        if (!FTabs->GetItems(i)->Hint.empty()) SetHint(FTabs->GetItems(i)->Hint);
      }
      StartHoverTimer();
    }
  }
  inherited::MouseMove(Shift, X, Y);
  if (FAllowTabDragging && Shift.Contains(ssLeft) && FPressedTab >= 0 && FPressedTab < FTabs->GetCount() &&
      FTabs->GetItems(FPressedTab)->TabEnabled && !Dragging())
    BeginDrag(false);
}

void TWbCustomTabControl::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  if (FHotTab != -1) ResetHotTracking();
}

// ---- Keys -------------------------------------------------------------------------------------

void TWbCustomTabControl::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  const Integer n = FTabs->GetCount();
  if (n == 0) return;
  const bool standard = FTabSequence == tsStandard, left = FTabOrientation == toLeft;
  Integer pick = FTabIndex;
  if (Key == VK_HOME || Key == VK_END) {
    // Where the visual start lies: index 0 unless the order runs backwards on screen.
    const bool flipped = left ? standard : !standard;
    const bool upward = (Key == VK_HOME) != flipped;
    for (Integer i = upward ? 0 : n - 1; i >= 0 && i < n; i += upward ? 1 : -1) {
      if (i == FTabIndex) break;
      if (CanSelectTab(i)) {
        pick = i;
        break;
      }
    }
  } else if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
    const bool rightDown = Key == VK_RIGHT || Key == VK_DOWN;
    const bool next = left ? rightDown != standard : rightDown == standard;
    Integer i = FTabIndex < 0 ? (next ? n - 1 : 0) : FTabIndex;
    const Integer start = i;
    for (;;) {
      i = next ? (i + 1) % n : (i + n - 1) % n;
      if (i == FTabIndex) break;
      if (CanSelectTab(i)) {
        pick = i;
        break;
      }
      if (i == start) break;
    }
  } else {
    return;
  }
  if (pick == FTabIndex) return;
  FForcedChange = true;
  SetTabIndex(pick);
  FForcedChange = false;
  TabClick();
}

void TWbCustomTabControl::CMDialogChar(TMessage& Message) {
  if (CanFocus()) {
    for (Integer i = 0; i < FTabs->GetCount(); ++i) {
      TWbTabData* tab = FTabs->GetItems(i);
      if (!tab->TabEnabled || !tab->TabVisible || !IsAccel(Word(Message.WParam), tab->Caption)) continue;
      Message.Result = 1;
      SetFocus();
      if (Focused()) {
        SetTabIndex(i);
        if (FTabIndex == i) TabClick();
      }
      return;
    }
  }
  InheritedMessage(Message);
}

// ---- Dragging ---------------------------------------------------------------------------------

TRect TWbCustomTabControl::DropMarkerRect(Integer Target) const {
  const TRect R = TabClientRect(Target);
  const bool before = FTabSequence == tsStandard ? Target < FTabIndex : Target > FTabIndex;
  const Integer h = FFixedDimension / 2;
  const TWbTabStyle st = FTabStyle;
  const bool slantBefore = st == tsDoubleSlant || st == tsBackSlant;
  const bool slantAfter = st == tsSingleSlant || st == tsDoubleSlant;
  const bool square = st == tsCutCorner || st == tsRoundCorners;
  TRect m;
  switch (FTabOrientation) {
    case toTop:
    case toBottom:
      m.Top = FTabOrientation == toTop ? R.Top - 2 : R.Bottom + 2 - 8;
      m.Bottom = m.Top + 8;
      if (before) {
        m.Left = R.Left - 8 + (slantBefore ? h : 0);
      } else {
        m.Left = R.Right + 8 - 15 - (slantAfter ? h : 0) + (square ? 1 : 0);
      }
      m.Right = m.Left + 15;
      break;
    case toLeft:
      m.Left = R.Left - 2, m.Right = m.Left + 8;
      if (before) m.Top = R.Bottom + 8 - 15 - (slantBefore ? h : 0) + (square ? 1 : 0);
      else m.Top = R.Top - 8 + (slantAfter ? h : 0);
      m.Bottom = m.Top + 15;
      break;
    case toRight:
      m.Left = R.Right + 3 - 8, m.Right = m.Left + 8;
      if (before) m.Top = R.Top - 8 + (slantBefore ? h + 1 : 0);
      else m.Top = R.Bottom + 8 - 15 - (slantAfter ? h : 0) + (square ? 1 : 0);
      m.Bottom = m.Top + 15;
      break;
  }
  TPoint origin = const_cast<TWbCustomTabControl*>(this)->ClientToScreen(TPoint{0, 0});
  OffsetRect(&m, origin.X, origin.Y);
  return m;
}

void TWbCustomTabControl::DrawDropMarker(const TRect& ScreenRect) {
  const Integer w = ScreenRect.Right - ScreenRect.Left, h = ScreenRect.Bottom - ScreenRect.Top;
  TBitmap marker;
  marker.SetSize(w, h);
  TCanvas* c = marker.GetCanvas();
  c->GetBrush()->SetColor(clBtnShadow);
  c->FillRect({0, 0, w, h});
  c->GetBrush()->SetColor(clBlack);
  c->GetPen()->SetStyle(psClear);
  static constexpr TPoint shapes[4][6] = {
      {{0, 0}, {8, 8}, {0, 8}, {7, 8}, {15, 0}, {15, 8}},
      {{1, 0}, {8, 0}, {8, 8}, {-1, 15}, {8, 7}, {8, 15}},
      {{-1, 8}, {-1, -1}, {8, -1}, {7, -1}, {15, 0}, {15, 8}},
      {{0, 0}, {7, 0}, {0, 7}, {0, 7}, {8, 15}, {0, 15}},
  };
  c->Polygon(shapes[FTabOrientation], 3);
  c->Polygon(shapes[FTabOrientation] + 3, 3);
  c->GetPen()->SetStyle(psSolid);
  // The screen itself takes no drawing here: the marker goes onto the form that holds the control,
  // at the same place on the screen, over its children.
  TCustomForm* form = GetParentForm();
  if (!form || !form->HandleAllocated()) return;
  HWND window = form->GetHandle();
  RECT frame;
  GetWindowRect(window, &frame);
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_WINDOW);
  BitBlt(dc, ScreenRect.Left - frame.Left, ScreenRect.Top - frame.Top, w, h, c->GetHandle(), 0, 0, SRCINVERT);
  ReleaseDC(window, dc);
}

void TWbCustomTabControl::ShowDropMarker(Integer Target) {
  HideDropMarker();
  FDropMarkerRect = DropMarkerRect(Target);
  DrawDropMarker(FDropMarkerRect);
  FDropMarkerShown = true;
}

void TWbCustomTabControl::HideDropMarker() {
  if (!FDropMarkerShown) return;
  DrawDropMarker(FDropMarkerRect);
  FDropMarkerShown = false;
}

void TWbCustomTabControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  if (!FAllowTabDragging || Source != this) return inherited::DragOver(Source, X, Y, State, Accept);
  if (State == dsDragLeave) {
    HideDropMarker();
    FDropTarget = -1;
    Accept = false;
    return;
  }
  const Integer i = TabAtPoint(X, Y);
  if (i == -1) {
    if (!FDragScrollTimer) {
      FDragScrollTimer = new TTimer(this);
      FDragScrollTimer->SetEnabled(false);
      FDragScrollTimer->SetOnTimer(MakeEvent<&TWbCustomTabControl::DragScrollTick>(this));
    }
    if (!FDragScrollTimer->GetEnabled()) {
      FDragScrollTimer->SetInterval(kDragScrollFirst);
      FDragScrollTimer->SetEnabled(true);
    }
  }
  Accept = i != -1 && i != FTabIndex;
  if (i == FDropTarget) return;
  FDropTarget = i;
  if (Accept) ShowDropMarker(i);
  else HideDropMarker();
}

void TWbCustomTabControl::DragScrollTick(TObject*) {
  FDragScrollTimer->SetInterval(kDragScrollNext);
  try {
    if (!Dragging()) return;
    POINT p;
    GetCursorPos(&p);
    const TPoint at = ScreenToClient(TPoint{p.X, p.Y});
    Integer dir = 0;
    switch (FTabOrientation) {
      case toTop:
      case toBottom: dir = at.X < 0 ? -1 : at.X > GetWidth() ? 1 : 0; break;
      case toLeft: dir = at.Y < 0 ? 1 : at.Y > GetHeight() ? -1 : 0; break;
      case toRight: dir = at.Y < 0 ? -1 : at.Y > GetHeight() ? 1 : 0; break;
    }
    if (FTabSequence == tsReverse) dir = -dir;
    if (dir != 0) {
      // The marker belongs to the old places of the tabs.
      HideDropMarker();
      FDropTarget = -1;
      ScrollTabs(dir > 0);
    }
  } catch (...) {
    FDragScrollTimer->SetEnabled(false);
    throw;
  }
}

void TWbCustomTabControl::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (FAllowTabDragging && Source == this) {
    if (FDragScrollTimer) FDragScrollTimer->SetEnabled(false);
    HideDropMarker();
    FDropTarget = -1;
    const Integer i = TabAtPoint(X, Y);
    if (i >= 0 && i != FTabIndex) MoveActiveTab(i);
  }
  inherited::DragDrop(Source, X, Y);
}
