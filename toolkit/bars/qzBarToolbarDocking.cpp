// Where a toolbar's window lives: made when the bar shows, put into its dock site's rows or floated
// at its float values, its place written back, and the loop that drags it by its grip or caption
// between the dock sites and the floating state.

#include <algorithm>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "vcl/Forms.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Timers.h"
#include "user/WindowTree.h"

namespace {

// The bars whose drag waits for the docking timer (one drag runs at a time).
TqzBars* gDockingTimerBars = nullptr;

}  // namespace

// ---- The bar's window ------------------------------------------------------------------------------

TqzBarControl* TqzBar::GetBarControl() const {
  return FItemLinks ? dynamic_cast<TqzBarControl*>(FItemLinks->GetBarControl()) : nullptr;
}

TqzDockControl* TqzBar::GetEffectiveDockControl() const {
  TqzBarManager* manager = GetBarManager();
  TqzBarDockingStyle style = GetDockingStyle();
  if (!manager || style == dsNone) return nullptr;
  return FDockControl ? FDockControl : manager->GetBars()->GetDockControl(style);
}

void TqzBar::SetDockControl(TqzDockControl* Value) {
  if (FDockControl == Value) return;
  FDockControl = Value;
  if (!Value) return;
  if (!GetBarControl()) {
    SetDockingStyle(Value->GetDockingStyle());
    return;
  }
  // The window is made anew: each site decides the kind of its bar windows.
  FreeBarControl();
  SetDockingStyle(Value->GetDockingStyle());
  CreateBarControl();
  PlaceBarControl();
}

void TqzBar::CreateBarControl() {
  TqzBarManager* manager = GetBarManager();
  if (!manager || GetBarControl() || !FItemLinks) return;
  TqzDockControl* site = GetEffectiveDockControl();
  if (site)
    site->BarControlClass()(manager, this);
  else
    new TqzBarControl(manager, this);
}

void TqzBar::FreeBarControl() { delete GetBarControl(); }

void TqzBar::SetRowObject(TqzDockRow* ARow) {
  if (FDockRow == ARow) return;
  TqzDockRow* old = FDockRow;
  FDockRow = ARow;
  if (old) old->RemoveBar(this, true);
  if (ARow) ARow->AttachBar(this);
}

void TqzBar::MoveToRow(TqzDockControl* ASite, Integer AIndex) {
  TqzBarManager* manager = GetBarManager();
  TqzDockRow* target;
  if (AIndex < ASite->GetRowCount()) {
    target = ASite->GetRow(AIndex);
  } else {
    bool fill = manager && (manager->IsUpdateLocked() || manager->IsSettingUpLoadedBars());
    target = ASite->AppendRow();
    while (fill && ASite->GetRowCount() <= AIndex) target = ASite->AppendRow();
  }
  TqzBarControl* window = GetBarControl();
  if (window && FDockRow) FDockRow->RemoveBarWindow(window);
  SetRowObject(target);
  ASite->RebuildRows();
}

void TqzBar::PlaceBarControl() {
  TqzBarControl* window = GetBarControl();
  TqzBarManager* manager = GetBarManager();
  if (!window || !manager) return;
  TqzBarDockingStyle style = GetDockingStyle();
  TqzDockControl* site = GetEffectiveDockControl();
  if (style != dsNone && site) {
    window->BeginWindowChange();
    try {
      window->ChangeDockSite(site, style);
      if (FDockRow && FDockRow->GetDockControl() == site) {
        // The bar keeps its row: only its column is made anew.
        FDockRow->AttachBar(this);
        site->RebuildRows();
      } else {
        SetRowObject(nullptr);
        site->InsertBarControl(window, site->SiteToScreen(TPoint(FDockedLeft, FDockedTop)));
      }
    } catch (...) {
      window->EndWindowChange();
      throw;
    }
    window->EndWindowChange();
    window->SetVisible(true);
  } else {
    SetRowObject(nullptr);
    window->ChangeDockSite(nullptr, dsNone);
    TSize size;
    window->CalcSizeForDockingStyle(dsNone, size);
    window->BeginWindowChange();
    window->SetBounds(FFloatLeft, FFloatTop, size.cx, size.cy);
    window->EndWindowChange();
    TCustomForm* form = manager->GetParentForm();
    bool ownerShown = !form || form->GetVisible();
    if (ownerShown && (!manager->GetHideFloatingBarsWhenInactive() || manager->GetIsCustomizing() ||
                       (form && form->GetActive())))
      window->SetVisible(true);
  }
}

void TqzBar::UpdateControlPosition() {
  TqzBarControl* window = GetBarControl();
  TqzBarManager* manager = GetBarManager();
  if (!window || !manager || manager->GetBars()->IsDragging() || window->IsChangingWindow()) return;
  if (window->IsFloating()) {
    TSize size;
    window->CalcSizeForDockingStyle(dsNone, size);
    window->BeginWindowChange();
    window->SetBounds(FFloatLeft, FFloatTop, size.cx, size.cy);
    window->EndWindowChange();
  } else if (TqzDockControl* site = window->GetDockControl()) {
    Integer row, col;
    if (site->FindColumn(window, row, col)) site->GetRow(row)->GetCol(col)->SetPos(TPoint(FDockedLeft, FDockedTop));
    site->RebuildRows();
  }
}

void TqzBar::StoreDockedStyle(TqzBarDockingStyle Value) {
  FDockedDockingStyle = Value;
  FHasBeenDocked = true;
}

void TqzBar::StoreDockedPosition(Integer ALeft, Integer ATop) {
  FDockedLeft = std::max<Integer>(ALeft, 0);
  FDockedTop = std::max<Integer>(ATop, 0);
}

void TqzBar::StoreFloatPosition(Integer ALeft, Integer ATop, Integer AClientWidth, Integer AClientHeight) {
  FFloatLeft = ALeft;
  FFloatTop = ATop;
  FFloatClientWidth = AClientWidth;
  FFloatClientHeight = AClientHeight;
}

void TqzBar::SetDockedDockControl(TqzDockControl* Value) {
  TqzBarManager* manager = GetBarManager();
  // A site of another manager, or a manager's own site, is no place to go back to.
  if (Value && (Value->HasDockingStyle() || (manager && Value->GetBarManager() != manager))) return;
  FDockedDockControl = Value;
}

void TqzBar::StoreDockingStyle(TqzBarDockingStyle Value, TqzDockControl* ASite) {
  FDockControl = ASite && !ASite->HasDockingStyle() ? ASite : nullptr;
  if (Value != dsNone) FDockedDockControl = FDockControl;
  if (FDockingStyle == Value) return;
  FDockingStyle = Value;
  if (Value != dsNone) StoreDockedStyle(Value);
  FireDockingStyleChange();
}

void TqzBarManager::AddPublishedDockSite(TqzDockControl* ASite) {
  if (std::find(FPublishedDockSites.begin(), FPublishedDockSites.end(), ASite) == FPublishedDockSites.end())
    FPublishedDockSites.push_back(ASite);
}

void TqzBarManager::RemovePublishedDockSite(TqzDockControl* ASite) { std::erase(FPublishedDockSites, ASite); }

void TqzBarManager::UpdateDockColors() {
  if (FBars)
    for (TqzBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom})
      if (TqzDockControl* site = FBars->GetDockControl(style)) site->UpdateColor();
  for (TqzDockControl* site : FPublishedDockSites) site->UpdateColor();
}

bool TqzBarManager::QueryDocking(TqzBar* ABar, TqzBarDockingStyle AStyle, TqzDockControl*) {
  return !ABar->GetNotDocking().Contains(AStyle) && !FNotDocking.Contains(AStyle);
}

TCustomForm* TqzBarManager::GetParentForm() {
  TWinControl* owner = GetOwnerControl();
  return owner ? ::GetParentForm(owner) : nullptr;
}

// ---- The manager's dock sites ----------------------------------------------------------------------

TqzDockControl* TqzBars::GetDockControl(TqzBarDockingStyle AStyle) const {
  return AStyle == dsNone ? nullptr : FDockControls[AStyle];
}

void TqzBars::DockControlGone(TqzDockControl* ASite) {
  for (TqzDockControl*& site : FDockControls)
    if (site == ASite) site = nullptr;
  for (Integer i = 0; i < GetCount(); ++i) {
    if (GetBar(i)->GetDockControl() == ASite) GetBar(i)->SetDockControl(nullptr);
    if (GetBar(i)->GetDockedDockControl() == ASite) GetBar(i)->SetDockedDockControl(nullptr);
  }
}

void TqzBars::RebuildAll() {
  for (Integer i = 0; i < GetCount(); ++i)
    if (TqzBarControl* window = GetBar(i)->GetBarControl()) window->Rebuild();
}

// ---- Dragging ----------------------------------------------------------------------------------------

void TqzBars::GetDockingTarget(TqzBarControl* AWindow, const TPoint& P, TqzBarDockingStyle& AStyle,
                               TqzDockControl*& ASite) {
  AStyle = dsNone;
  ASite = nullptr;
  if (IsDragging() && GetKeyState(VK_CONTROL) < 0) return;
  TqzBar* bar = AWindow->GetBar();
  auto takes = [&](TqzDockControl* ASite, const TPoint& AP) {
    return ASite && ASite->CanDockBar(bar) && FBarManager->QueryDocking(bar, ASite->GetDockingStyle(), ASite) &&
           ASite->InDockingZone(AP);
  };
  for (Integer pass = 0; pass < 2; ++pass) {
    TPoint p = pass == 0 ? P : TPoint(P.X + FGrabOffset.X, P.Y + FGrabOffset.Y);
    // A site placed on the form is asked before the manager's own sides it may lie along.
    for (TqzDockControl* site : FBarManager->GetPublishedDockSites())
      if (takes(site, p)) {
        AStyle = site->GetDockingStyle();
        ASite = site;
        return;
      }
    for (TqzBarDockingStyle style : {dsLeft, dsRight, dsTop, dsBottom})
      if (takes(FDockControls[style], p)) {
        AStyle = style;
        ASite = FDockControls[style];
        return;
      }
    if (!IsDragging() || (FGrabOffset.X == 0 && FGrabOffset.Y == 0)) break;
  }
}

void TqzBars::KillDockingTimer() {
  if (FDockingTimer) KillTimer(nullptr, FDockingTimer);
  FDockingTimer = 0;
  if (gDockingTimerBars == this) gDockingTimerBars = nullptr;
}

void TqzBars::DockingTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TqzBars* bars = gDockingTimerBars;
  if (!bars) return;
  bars->KillDockingTimer();
  if (!bars->FMovingBarControl) return;
  bars->FDockingTimeElapsed = true;
  bars->MoveBarTo(bars->FMovingBarControl, bars->FLastDragPoint);
}

void TqzBars::MoveBarTo(TqzBarControl* AWindow, const TPoint& P) {
  TqzBar* bar = AWindow->GetBar();
  TqzBarDockingStyle style;
  TqzDockControl* site;
  GetDockingTarget(AWindow, P, style, site);
  if (!FBarManager->QueryDocking(bar, style, site)) return;
  if (style == dsNone) {
    KillDockingTimer();
    FDockingTimeElapsed = false;
  } else if (AWindow->IsFloating() && !FDockingTimeElapsed) {
    // A floating bar docks only once it rests over the site, or moves on after resting.
    if (!FDockingTimer) {
      gDockingTimerBars = this;
      FDockingTimer = SetTimer(nullptr, 0, WaitForDockingTime, &TqzBars::DockingTimerProc);
    }
    style = dsNone;
    site = nullptr;
  }
  FDragTargetStyle = style;
  const TPoint& origin = AWindow->GetDragOffset();
  if (style == AWindow->GetDockingStyle() && site == AWindow->GetDockControl()) {
    if (site) {
      site->MoveBarControl(AWindow, P);
    } else {
      SetWindowPos(AWindow->GetHandle(), nullptr, P.X - origin.X, P.Y - origin.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  AWindow->SetVisible(false);
  if (TqzDockControl* old = AWindow->GetDockControl()) {
    old->RemoveBarControl(AWindow);
    bar->SetRowObject(nullptr);
  }
  if (site) {
    AWindow->ChangeDockSite(site, style);
    bar->StoreDockingStyle(style, site);
    site->InsertBarControl(AWindow, P);
  } else {
    AWindow->ChangeDockSite(nullptr, dsNone);
    bar->StoreDockingStyle(dsNone);
    TSize size;
    AWindow->CalcSizeForDockingStyle(dsNone, size);
    // The window keeps the cursor where it grabbed it, within its new size.
    TPoint grab(std::min(origin.X, std::max<Integer>(size.cx - 1, 0)), std::min(origin.Y, std::max<Integer>(size.cy - 1, 0)));
    AWindow->SetDragOrigin(grab);
    AWindow->SetBounds(P.X - grab.X, P.Y - grab.Y, size.cx, size.cy);
  }
  AWindow->SetVisible(true);
}

void TqzBars::DragBar(TqzBarControl* AWindow) {
  if (IsDragging() || !AWindow->CanMoveBar()) return;
  TkvObjectLink* window = LinkToObject(AWindow);
  // Where the press that starts the drag happened: the cursor may be further on already.
  DWORD pos = GetMessagePos();
  POINT cursor{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  FGrabOffset = TPoint(0, 0);
  FRowAnchorShift = TPoint(0, 0);
  FDockingTimeElapsed = false;
  if (TqzDockControl* site = AWindow->GetDockControl()) {
    // The cursor's shift across to the anchor of the bar's row: the bar stays in its row until
    // the cursor leaves it.
    Integer row, col;
    if (site->FindColumn(AWindow, row, col)) {
      TPoint anchor(cursor.X, cursor.Y);
      site->RowAnchorPoint(row, site->RowHoldsOnly(row, AWindow), anchor);
      if (site->IsVertical())
        FRowAnchorShift.X = cursor.X - anchor.X;
      else
        FRowAnchorShift.Y = cursor.Y - anchor.Y;
    }
  }
  FMovingBarControl = AWindow;
  FDragTargetStyle = AWindow->GetDockingStyle();
  AWindow->SetMoving(true);
  TqzBarMovingScope moving;
  HWND captureWindow = FBarManager->GetOwnerControl()->GetHandle();
  SetCapture(captureWindow);
  TPoint last(cursor.X, cursor.Y);
  FLastDragPoint = last;
  MSG msg;
  while (window->Ref && GetCapture() == captureWindow) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    bool moved = false;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) goto done;
        // Ctrl pressed or released decides anew between docking and floating.
        if (msg.wParam == VK_CONTROL) moved = true;
        break;
      case WM_MOUSEMOVE:
        if (msg.pt.X != last.X || msg.pt.Y != last.Y) {
          last = TPoint(msg.pt.X, msg.pt.Y);
          moved = true;
        }
        break;
      case WM_LBUTTONUP:
        goto done;
      default:
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        break;
    }
    FLastDragPoint = TPoint(last.X + FGrabOffset.X, last.Y + FGrabOffset.Y);
    if (moved && window->Ref) MoveBarTo(AWindow, FLastDragPoint);
  }
done:
  KillDockingTimer();
  if (GetCapture() == captureWindow) ReleaseCapture();
  FMovingBarControl = nullptr;
  if (window->Ref) {
    AWindow->SetMoving(false);
    if (TqzDockControl* site = AWindow->GetDockControl()) site->UpdatePositions();
    AWindow->StorePosition();
  }
  ReleaseObjectLink(window);
  FDragTargetStyle = dsNone;
}
