// The toolbar window: its window as a dock site's child or a floating popup, the non-client frame
// (borders, grip, caption and close button), hit testing, the caption's close button, toggling
// docking by double click, and writing its position back into the bar.

#include "toolkit/bars/qzBarToolbarControl.h"

#include <algorithm>
#include <utility>

#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "gdi/Regions.h"
#include "user/Cursors.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TqzBarControl)

TqzBarControl::TqzBarControl(TComponent* AOwner, TqzBar* ABar) : TCustomqzBarControl(AOwner), FBar(ABar) {
  GetFont()->Assign(GetBarFont());
  SetItemLinks(ABar->GetItemLinks());
}

TqzBarControl::TqzBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar)
    : TCustomqzBarControl(ASourceBar->GetBarManager()), FSourceBar(ASourceBar), FOwnsBar(true) {
  TqzBars* bars = ASourceBar->GetBarManager()->GetBars();
  bars->BeginUpdate();
  try {
    FBar = bars->AddBar();
    FBar->SetAllowQuickCustomizing(false);
    FBar->SetHidden(true);
    FBar->SetFont(AOpener->GetFont());
    FBar->SetUseOwnFont(false);
  } catch (...) {
    bars->EndUpdate();
    throw;
  }
  bars->EndUpdate();
  SetOpenerBar(AOpener);
  GetFont()->Assign(GetBarFont());
  FBar->GetItemLinks()->SetInternal(true);
  SetItemLinks(FBar->GetItemLinks());
}

TqzBarControl::~TqzBarControl() {
  FMoving = false;
  DestroyKeptHandles();
  KillMarkTimer();
  ReleaseAccessibilityHelper(FMarkAccessibilityHelper);
  // The opener forgets the popup its mark opened (the opener frees it with itself otherwise).
  if (auto* opener = dynamic_cast<TqzBarControl*>(GetOpenerBar()); opener && opener->FQuickPopup == this)
    opener->FQuickPopup = nullptr;
  if (FDockControl && !FDockControl->IsDestroyingBarControls()) FDockControl->RemoveBarControl(this);
  FDockControl = nullptr;
  if (IsFocusedBar()) GetControlBarManager()->SetFocusedBarControl(nullptr);
  ReleaseObjectLink(FPrevFocusedBar);
  if (HandleAllocated()) DestroyHandle();
  if (FOwnsBar) {
    // The links go with the bar: the window lets go of them first. A bar already going (it frees
    // this window, or its owner frees it next) is left to that.
    SetItemLinks(nullptr);
    if (!FBar->GetComponentState().Contains(csDestroying)) delete FBar;
  }
}

void TqzBarControl::ForgetDockControl() {
  FDockControl = nullptr;
  FDockingStyle = dsNone;
}

// ---- Window ------------------------------------------------------------------------------------

void TqzBarControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.ExStyle = 0;
  if (FDockControl && !IsFloating()) {
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  } else {
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    TWinControl* owner = GetControlBarManager()->GetOwnerControl();
    Params.WndParent = owner ? owner->GetHandle() : nullptr;
  }
}

void TqzBarControl::CreateWnd() {
  inherited::CreateWnd();
  ::SetWindowText(GetHandle(), GetCaptionText().c_str());
  SendMessage(GetHandle(), WM_NCACTIVATE, 1, 0);
  // The controls made for the window open no in-place window while the bar is moved.
  if (FMoving) SetHostedWindowsHooked(false);
}

void TqzBarControl::CreateWindowHandle(const TCreateParams& Params) {
  bool docked = (Params.Style & WS_CHILD) != 0;
  HWND kept = std::exchange(docked ? FDockedHandle : FFloatingHandle, nullptr);
  if (!kept || !IsWindow(kept)) {
    inherited::CreateWindowHandle(Params);
  } else {
    // Bound first: a message the move sends finds the control.
    TakeBackHandle(kept);
    if (docked && ::GetParent(kept) != Params.WndParent) ::SetParent(kept, Params.WndParent);
  }
  if (!docked) UpdateWindowBlend();
}

void TqzBarControl::UpdateWindowBlend() {
  if (HandleAllocated() && FBar) SetWindowAlphaBlend(GetHandle(), FBar->GetAlphaBlendValue());
}

void TqzBarControl::DestroyWindowHandle() {
  if (!FMoving || IsDestroying()) {
    inherited::DestroyWindowHandle();
    return;
  }
  // While the bar is moved, the window it leaves waits hidden for the bar to come back.
  KillMarkTimer();
  ReleaseWindowContents();
  HWND handle = GetHandle();
  bool docked = (GetWindowLong(handle, GWL_STYLE) & WS_CHILD) != 0;
  if (IsWindowVisible(handle)) ShowWindow(handle, SW_HIDE);
  HWND& slot = docked ? FDockedHandle : FFloatingHandle;
  if (slot && IsWindow(slot)) DestroyWindow(slot);
  slot = SetAsideHandle();
}

void TqzBarControl::DestroyKeptHandles() {
  for (HWND* slot : {&FDockedHandle, &FFloatingHandle}) {
    // Unbound, the window answers through its class's own procedure while it goes.
    HWND handle = std::exchange(*slot, nullptr);
    if (handle && IsWindow(handle)) DestroyWindow(handle);
  }
}

void TqzBarControl::SetHostedWindowsHooked(bool AHooked) {
  if (!AHooked) ReleaseHostedWindows();
  TqzBarItemLinks* links = GetItemLinks();
  if (!links || !HandleAllocated()) return;
  for (Integer i = 0; i < links->GetFullMenuLinkCount(); ++i) {
    auto* control = dynamic_cast<TqzBarWinControl*>(links->GetFullMenuLink(i)->GetControl());
    if (!control) continue;
    if (AHooked)
      control->HookWindow();
    else
      control->UnhookWindow();
  }
}

void TqzBarControl::ChangeDockSite(TqzDockControl* ADockControl, TqzBarDockingStyle AStyle) {
  if (IsDestroying() || !FBar || !GetControlBarManager()) return;
  BeginWindowChange();
  try {
    // A moved bar's window is kept hidden, never shown again before it is placed.
    if (FMoving) SetVisible(false);
    if (HandleAllocated()) DestroyHandle();
    if (FDockControl && FDockControl != ADockControl && !FDockControl->IsDestroyingBarControls())
      FDockControl->RemoveBarControl(this);
    FDockControl = AStyle == dsNone ? nullptr : ADockControl;
    FDockingStyle = FDockControl ? AStyle : dsNone;
    FLinksHidden = false;
    if (FDockControl) {
      SetParentWindow(nullptr);
      SetParent(FDockControl);
    } else {
      SetParent(nullptr);
      TWinControl* owner = GetControlBarManager()->GetOwnerControl();
      if (owner) SetParentWindow(owner->GetHandle());
    }
    SetUpFontForStyle();
    if (FDockControl ? FDockControl->HandleAllocated() : GetParentWindow() != nullptr) HandleNeeded();
    RefreshFrame();
  } catch (...) {
    EndWindowChange();
    throw;
  }
  EndWindowChange();
}

void TqzBarControl::ApplyBarFont() {
  GetFont()->Assign(GetBarFont());
  Perform(CM_FONTCHANGED, 0, 0);
  // The item controls keep what they measured in the old font: they are made anew.
  Refresh(true);
}

void TqzBarControl::SetUpFontForStyle() {
  // Rotated text follows the docking style: the canvas font is set up anew.
  Perform(CM_FONTCHANGED, 0, 0);
}

void TqzBarControl::RefreshFrame() {
  if (!HandleAllocated()) return;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TqzBarControl::RefreshLayout() {
  UpdateDoubleBuffered();
  RefreshFrame();
  Rebuild();
}

void TqzBarControl::UpdateCaption() {
  if (!HandleAllocated()) return;
  ::SetWindowText(GetHandle(), GetCaptionText().c_str());
  SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

void TqzBarControl::ApplyDesiredBounds() {
  const TRect& r = FDesiredBounds;
  if (GetLeft() == r.Left && GetTop() == r.Top && GetWidth() == r.Width() && GetHeight() == r.Height()) return;
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TqzBarControl::CalcViewInfoNow() {
  if (!HandleAllocated()) return;
  CalcItemsRect();
  CalcViewInfo();
}

// ---- Slots -------------------------------------------------------------------------------------

bool TqzBarControl::CanMoveBar() { return FBar->CanDock(); }

bool TqzBarControl::IsShown() { return HandleAllocated() && IsWindowVisible(GetHandle()); }

TqzBarCaptionButtons* TqzBarControl::GetCaptionButtons() {
  return (FOwnsBar && FSourceBar ? FSourceBar : FBar)->GetCaptionButtons();
}

void TqzBarControl::ClickCaptionButton(Integer AIndex) {
  TqzBarCaptionButtons* buttons = GetCaptionButtons();
  if (AIndex < 0 || AIndex >= buttons->GetCount()) return;
  if (!IsOutsideHostPopup()) ResetParentMark();
  buttons->GetButton(AIndex)->Click();
}

TqzQuickControlFactory TqzBarControl::QuickControlClass() { return &NewQuickControl; }

bool TqzBarControl::IsMultiLineLayout() { return IsFloating() || FBar->GetMultiLine(); }

TCustomForm* TqzBarControl::GetOwnerForm() {
  if (FDockControl) return FDockControl->AnyForm();
  return GetControlBarManager()->GetParentForm();
}

void TqzBarControl::GripRect(TRect& R) {
  if (IsFloating() || FBar->GetBorderStyle() == bbsNone)
    R = TRect();
  else if (IsDockedHorizontally())
    R = TRect(-100, -100, 0, 100);
  else
    R = TRect(-100, -100, 100, 0);
}

bool TqzBarControl::HasCloseButton() { return IsFloating() && FBar->CanBeClosed(); }

String TqzBarControl::GetCaptionText() { return FBar->GetCaption(); }

TFont* TqzBarControl::GetBarFont() { return FBar->GetFont(); }

// At run time a bar that allows it is customized like in design mode.
bool TqzBarControl::IsDesigning() {
  return TCustomqzBarControl::IsDesigning() || (GetControlBarManager()->GetIsCustomizing() && FBar->GetAllowCustomizing());
}

bool TqzBarControl::IsUpdateLocked() {
  bool locked = TCustomqzBarControl::IsUpdateLocked();
  if (locked) FBar->MarkForRecalc();
  return locked;
}

Integer TqzBarControl::SeparatorSize() { return Painter()->SeparatorThickness(); }

TFont* TqzBarControl::GetEditFont() { return FBar->GetEditFont(); }

bool TqzBarControl::IsMainMenu() { return FBar->GetIsMainMenu(); }

HBRUSH TqzBarControl::BackgroundBrush() { return Painter()->ClassRef()->BarBrush(this); }

bool TqzBarControl::RotatesText() { return IsDockedVertically() && FBar->GetRotateWhenVertical(); }

bool TqzBarControl::ShowsMark() {
  if (!FBar->GetShowMark()) return false;
  return FLinksHidden || (Painter()->ClassRef()->SupportsQuickCustomizing() && FBar->GetAllowQuickCustomizing());
}

bool TqzBarControl::HasBackgroundBitmap() {
  return !FBar->GetBackgroundBitmap()->GetEmpty() || (FDockControl && !FDockControl->GetBackgroundBitmap()->GetEmpty()) ||
         !GetControlBarManager()->GetBackgrounds()->GetBar()->GetEmpty();
}

bool TqzBarControl::HasCustomBackground() {
  return FBar->GetColor() != clDefault || HasBackgroundBitmap() || Painter()->ClassRef()->DrawsBarFrameItself();
}

void TqzBarControl::GetBarBounds(TRect& R) { R = GetScreenRect(); }

void TqzBarControl::ClientOffset(TPoint& P) { P = ClientOriginInWindow(); }

void TqzBarControl::RepaintControl(TqzBarItemControl* AControl) {
  if (!HandleAllocated() || !AControl) return;
  TRect r;
  ControlRect(AControl, r);
  RECT rect = r;
  InvalidateRect(GetHandle(), &rect, TRUE);
}

void TqzBarControl::FillBackground(HDC DC, const TRect& R, bool AOffset, TColor AColor, HBRUSH ABrush) {
  TRect r = R;
  if (AOffset) {
    TPoint offset;
    ClientOffset(offset);
    OffsetRect(&r, -offset.X, -offset.Y);
  }
  Painter()->FillToolbarBackground(this, DC, AColor, ABrush, r, R);
}

void TqzBarControl::CalcMetrics() {
  TCustomqzBarControl::CalcMetrics();
  FMarkSize = Painter()->MarkSize(this);
}

void TqzBarControl::CalcItemsRect() {
  CalcClientItemsRect();
  CalcLayout(GetItemPaintKind(), 0);
}

void TqzBarControl::RecreateControls(bool ARecreate) {
  TCustomqzBarControl::RecreateControls(ARecreate);
  if (FDockControl && !IsFloating()) {
    if (!IsChangingWindow()) FDockControl->RebuildRows();
  } else if (HandleAllocated()) {
    TSize size;
    CalcSize(dsNone, GetClientWidth(), size);
    SetClientSize(size);
    CalcItemsRect();
    CalcViewInfo();
  }
  RefreshFrame();
}

// ---- Position write-back -------------------------------------------------------------------------

void TqzBarControl::StorePosition() {
  TqzBarManager* manager = GetControlBarManager();
  if (FStoringPosition || FMoving || !FBar->GetVisible() || manager->IsDestroying() || !HandleAllocated()) return;
  FStoringPosition = true;
  manager->LockDesignerModified(true);
  try {
    if (!IsFloating() && FDockControl) {
      if (!FDockControl->IsDestroyingBarControls()) {
        FBar->StoreDockedStyle(FDockingStyle);
        FBar->SetDockedDockControl(FDockControl->HasDockingStyle() ? nullptr : FDockControl);
        Integer row, col;
        if (FDockControl->FindColumn(this, row, col)) {
          FBar->SetOneOnRow(FDockControl->RowHoldsOnly(row, this));
          FBar->StoreDockedPosition(GetLeft(), GetTop());
        }
      }
    } else if (IsFloating()) {
      RECT r;
      ::GetWindowRect(GetHandle(), &r);
      FBar->StoreFloatPosition(r.Left, r.Top, GetClientWidth(), GetClientHeight());
    }
  } catch (...) {
    manager->LockDesignerModified(false, false);
    FStoringPosition = false;
    throw;
  }
  manager->LockDesignerModified(false, false);
  FStoringPosition = false;
}

void TqzBarControl::WindowPosChanged(const WINDOWPOS* APos) {
  TCustomqzBarControl::WindowPosChanged(APos);
  if (IsChangingWindow()) return;
  StorePosition();
  FollowMarkWithQuickPopup();
}

// ---- Non-client frame ------------------------------------------------------------------------------

TRect TqzBarControl::BorderSizes(TqzBarDockingStyle AStyle) {
  TRect r;
  bool grip = AStyle != dsNone && (AStyle == FDockingStyle ? FSizeGripShown : FBar->ShowsSizeGrip());
  Painter()->GetBarBorderSizes(FBar, AStyle, r, grip);
  return r;
}

TRect TqzBarControl::SizeGripRect() {
  if (IsFloating() || !FSizeGripShown) return TRect();
  TSize grip;
  Painter()->GetSizeGripSize(GetControlBarManager(), grip);
  Integer w = GetClientWidth(), h = GetClientHeight();
  return TRect(w, h - grip.cy, w + grip.cx, h);
}

TRect TqzBarControl::CaptionRect() {
  if (!IsFloating() || !HasFloatingCaption() || !HandleAllocated()) return TRect();
  RECT window;
  ::GetWindowRect(GetHandle(), &window);
  TRect r;
  Painter()->GetFloatingCaptionRect(TRect(0, 0, window.Right - window.Left, window.Bottom - window.Top), r);
  return r;
}

TRect TqzBarControl::CloseButtonRect() {
  if (!HasCloseButton()) return TRect();
  TRect caption = CaptionRect();
  if (IsRectEmpty(&caption)) return TRect();
  return TRect(caption.Right - caption.Height(), caption.Top, caption.Right, caption.Bottom);
}

void TqzBarControl::CalcNonClientSize(TMessage& Message) {
  auto* rect = reinterpret_cast<RECT*>(Message.LParam);
  if (!FMoving) FSizeGripShown = FBar->ShowsSizeGrip();
  TRect border = BorderSizes(FDockingStyle);
  rect->Left += border.Left;
  rect->Top += border.Top;
  rect->Right -= border.Right;
  rect->Bottom -= border.Bottom;
  if (rect->Right < rect->Left) rect->Right = rect->Left;
  if (rect->Bottom < rect->Top) rect->Bottom = rect->Top;
  Message.Result = 0;
}

bool TqzBarControl::ControlUsableAt(const TPoint& P) {
  TqzBarItemControl* control = ControlAtPoint(P);
  return control && (control->IsClickable() || IsCustomizing());
}

void TqzBarControl::HitTest(TMessage& Message) {
  inherited::WndProc(Message);
  if (KindFlags() & 0xFF80) {
    FLastHitCode = static_cast<Integer>(Message.Result);
    return;
  }
  FLastHitCode = 0;
  TPoint screen(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  TPoint p = ScreenToClient(screen);
  // The frame is what the window's own non-client size left outside the client area.
  TRect client = GetClientRect();
  LRESULT answer = PtInRect(&client, p) ? HTCLIENT : HTNOWHERE;
  if (!IsFloating()) {
    if (answer == HTCLIENT && ControlUsableAt(p)) return;
    bool inGrip = IsDockedVertically() ? p.Y < 0 : p.X < 0;
    if (!inGrip && (ControlUsableAt(p) || (ShowsMark() && [&] {
                      TRect mark;
                      MarkRect(mark);
                      return PtInRect(&mark, p) != 0;
                    }()))) {
      Message.Result = HTCLIENT;
      return;
    }
    TRect sizeGrip = SizeGripRect();
    if (PtInRect(&sizeGrip, p)) {
      FLastHitCode = qzHitSizeGrip;
      Message.Result = HTBOTTOMRIGHT;
      return;
    }
    FLastHitCode = qzHitCaption;
    Message.Result = HTCLIENT;
    return;
  }
  if (answer == HTCLIENT) {
    if (!ControlUsableAt(p)) FLastHitCode = qzHitCaption;
    return;
  }
  // The frame of a floating window: borders first, then the caption's parts.
  RECT window;
  ::GetWindowRect(GetHandle(), &window);
  TqzBarPainterClass painter = Painter()->ClassRef();
  Integer bx = painter->FloatBorderX();
  Integer by = painter->FloatBorderY();
  Integer code;
  if (screen.Y < window.Top + by)
    code = qzHitTop;
  else if (screen.X >= window.Right - bx)
    code = qzHitRight;
  else if (screen.Y >= window.Bottom - by)
    code = qzHitBottom;
  else if (screen.X < window.Left + bx)
    code = qzHitLeft;
  else
    code = 0;
  if (code) {
    FLastHitCode = code;
    Message.Result = code;
    return;
  }
  TPoint local(screen.X - window.Left, screen.Y - window.Top);
  TRect mark, close = CloseButtonRect();
  if (ShowsMark() && !IsCustomizing()) MarkRect(mark);
  // The mark and the caption buttons take their presses themselves (no drag starts there).
  if (PtInRect(&mark, local) || GetCaptionButtons()->HitTest(local) >= 0) {
    FLastHitCode = HTCLIENT;
  } else if (PtInRect(&close, local)) {
    if (painter->LeavesCloseButtonToSystem()) {
      FLastHitCode = HTCLIENT;
      Message.Result = HTCLOSE;
      return;
    }
    FLastHitCode = qzHitClose;
  } else {
    FLastHitCode = qzHitCaption;
  }
  Message.Result = HTCLIENT;
}

void TqzBarControl::DrawFrameOn(HDC DC) {
  if (!HandleAllocated() || IsDestroying()) return;
  TRect whole = GetWindowRectAtOrigin();
  TRect client = GetClientRectInWindow();
  TqzBarPainter* painter = Painter();
  // A skinned look draws the whole frame, caption and all.
  if (painter->ClassRef()->DrawsBarFrameItself()) {
    painter->DrawSkinnedBarFrame(this, DC);
    return;
  }
  if (!IsFloating() && FBar->GetBorderStyle() == bbsNone) {
    // The status-bar look: a strip along the top and the size grip at the right end.
    if (!IsStatusBar()) return;
    HBRUSH brush = BackgroundBrush();
    painter->FillCaptionStrip(this, DC, brush, whole);
    if (FSizeGripShown) painter->DrawSizeGripArea(this, DC, brush, whole);
    return;
  }
  // The ring between the client area and the outer edge takes the bar's background; the painter
  // draws the frame over it.
  HRGN ring = CreateRectRgn(whole.Left, whole.Top, whole.Right, whole.Bottom);
  HRGN inner = CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom);
  CombineRgn(ring, ring, inner, RGN_DIFF);
  FillBackgroundClipped(DC, ring, true, BackgroundBrush());
  DeleteObject(inner);
  DeleteObject(ring);
  HBRUSH brush = BackgroundBrush();
  if (IsFloating()) {
    TRect caption = CaptionRect();
    painter->DrawFloatingBorder(this, DC, brush, caption, whole);
    if (!IsRectEmpty(&caption)) painter->DrawFloatingCaption(this, DC, brush, caption, whole);
    return;
  }
  painter->DrawDockedBorder(this, DC, brush, whole);
}

void TqzBarControl::DrawBarParts(TkvCanvas* ACanvas) {
  if (IsFloating() || !ShowsMark()) return;
  TRect mark;
  MarkRect(mark);
  if (IsRectEmpty(&mark)) return;
  Painter()->DrawMark(this, ACanvas, BackgroundBrush(), mark);
  ACanvas->ClipOutRect(mark);
}

void TqzBarControl::MarkRect(TRect& R) { Painter()->GetBarMarkRect(this, R); }

// ---- Messages ----------------------------------------------------------------------------------

void TqzBarControl::PullOntoWorkArea(WINDOWPOS* APos) {
  if ((APos->flags & SWP_NOMOVE) && (APos->flags & SWP_NOSIZE)) return;
  RECT current;
  ::GetWindowRect(GetHandle(), &current);
  Integer x = (APos->flags & SWP_NOMOVE) ? current.Left : APos->x;
  Integer y = (APos->flags & SWP_NOMOVE) ? current.Top : APos->y;
  Integer w = (APos->flags & SWP_NOSIZE) ? current.Right - current.Left : APos->cx;
  Integer h = (APos->flags & SWP_NOSIZE) ? current.Bottom - current.Top : APos->cy;
  TRect bounds(x, y, x + w, y + h);
  bool onScreen = false;
  for (Integer i = 0; i < Screen()->GetMonitorCount() && !onScreen; ++i) {
    TRect work = Screen()->GetMonitors(i)->GetWorkareaRect();
    TRect both;
    onScreen = IntersectRect(&both, &bounds, &work) != 0;
  }
  if (onScreen) return;
  POINT cursor;
  GetCursorPos(&cursor);
  TRect work;
  WorkAreaAtPoint(TPoint(cursor.X, cursor.Y), work);
  if (bounds.Right <= work.Left) x = work.Left;
  if (bounds.Bottom <= work.Top) y = work.Top;
  if (bounds.Left >= work.Right) x = work.Right - w;
  if (bounds.Top >= work.Bottom) y = work.Bottom - h;
  APos->x = x;
  APos->y = y;
  APos->flags &= ~SWP_NOMOVE;
}

void TqzBarControl::SizeFloating(TMessage& Message) {
  inherited::WndProc(Message);
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  TRect border = BorderSizes(dsNone);
  Integer hBorder = border.Left + border.Right;
  Integer vBorder = border.Top + border.Bottom;
  TSize size;
  switch (Message.WParam) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT:
      CalcSize(dsNone, r->Right - r->Left - hBorder, size);
      if (Message.WParam == WMSZ_LEFT)
        r->Left = r->Right - size.cx - hBorder;
      else
        r->Right = r->Left + size.cx + hBorder;
      r->Bottom = r->Top + size.cy + vBorder;
      break;
    case WMSZ_TOP:
    case WMSZ_BOTTOM:
      CalcSizeForHeight(dsNone, r->Bottom - r->Top - vBorder, size);
      r->Right = r->Left + size.cx + hBorder;
      if (Message.WParam == WMSZ_TOP)
        r->Top = r->Bottom - size.cy - vBorder;
      else
        r->Bottom = r->Top + size.cy + vBorder;
      break;
    default: {
      // Corners keep the current bounds.
      RECT current;
      ::GetWindowRect(GetHandle(), &current);
      *r = current;
      break;
    }
  }
  if (r->Top < -15) OffsetRect(r, 0, -15 - r->Top);
  Message.Result = 1;
}

void TqzBarControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      CalcNonClientSize(Message);
      return;
    case WM_NCHITTEST:
      HitTest(Message);
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      info->ptMinTrackSize = {10, 10};
      info->ptMaxTrackSize = {30000, 30000};
      info->ptMaxSize = {30000, 30000};
      info->ptMaxPosition = {30000, 30000};
      Message.Result = 0;
      return;
    }
    case WM_WINDOWPOSCHANGING:
      if (IsFloating() && HandleAllocated()) PullOntoWorkArea(reinterpret_cast<WINDOWPOS*>(Message.LParam));
      break;
    case WM_SIZING:
      if (IsFloating()) {
        SizeFloating(Message);
        return;
      }
      break;
    case WM_SETFOCUS:
      return;
    case WM_LBUTTONDBLCLK:
      if (FLastHitCode == qzHitCaption && !IsDesigning()) {
        ToggleDocking();
        return;
      }
      break;
    case WM_NCLBUTTONDOWN: {
      if (IsOutsideHostPopup()) CloseOnce();
      if (!IsBarControlLive(this)) return;
      Integer button = CaptionButtonAtCursor();
      if (button == -1) break;
      TrackCaptionButton(button);
      return;
    }
    case WM_DESTROY:
      KillMarkTimer();
      break;
    case WM_LBUTTONUP:
      if (FEditSizing) {
        EndEditSizing(true);
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (FEditSizing) EndEditSizing(false);
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(Message.WParam) == GetHandle() && LOWORD(Message.LParam) == HTCLIENT) {
        TqzBarCustomEditControl* edit = SelectedEditControl();
        POINT cursor{};
        GetCursorPos(&cursor);
        if (FEditSizing || (edit && edit->IsEditSizingPoint(ScreenToClient(TPoint(cursor.X, cursor.Y))))) {
          ::SetCursor(Screen()->GetCursors(crqzBarEditSizing));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      inherited::WndProc(Message);
      // A popup toolbar that hides gives its opener's mark back, which may free it: last step.
      auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      if (FOwnsBar && (pos->flags & SWP_HIDEWINDOW) && !IsDestroying() && !IsChangingWindow()) ResetParentMark();
      return;
    }
    default:
      break;
  }
  inherited::WndProc(Message);
}

void TqzBarControl::ShowContextPopup(TqzBarItemControl* AControl) {
  if (IsCustomizing())
    TCustomqzBarControl::ShowContextPopup(AControl);
  else
    DesignControllerInstance()->ShowToolbarsPopup(GetControlBarManager(), Painter());
}

void TqzBarControl::BarMouseDown(TMouseButton AButton, TShiftState AShift, bool AInsideClient,
                                 TqzBarItemControl* AControl, const TPoint& P) {
  TqzBarManager* manager = GetControlBarManager();
  if (AButton == mbRight && GetCapture() == GetHandle()) ReleaseCapture();
  if (AButton == mbLeft && IsFloating() && !IsDetachedPopup() && !manager->GetHideFloatingBarsWhenInactive())
    if (TWinControl* owner = manager->GetOwnerControl(); owner && owner->HandleAllocated())
      ActivateTopLevelWindow(owner->GetHandle());
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::BarMouseDown(AButton, AShift, AInsideClient, AControl, P);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || AButton != mbLeft) return;
  if (FLastHitCode == qzHitCaption && !AControl) {
    if (!CanMoveBar()) return;
    DWORD pos = GetMessagePos();
    POINT cursor{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    RECT window;
    ::GetWindowRect(GetHandle(), &window);
    FDragOffset = TPoint(cursor.X - window.Left, cursor.Y - window.Top);
    FDragSize = TSize(window.Right - window.Left, window.Bottom - window.Top);
    manager->GetBars()->DragBar(this);
    return;
  }
  if (IsOverMark(P)) {
    if (MarkEnabled()) ChangeMarkState(GetMarkState() == 2 ? 1 : 2);
    return;
  }
  if (!IsCustomizing() && !AInsideClient) {
    DWORD pos = GetMessagePos();
    SendMessage(GetHandle(), WM_NCLBUTTONDOWN, FLastHitCode, static_cast<LPARAM>(pos));
  }
}

// A press in an inactive toolbar makes it active with the pressed control selected; in an active
// one the control decides (a second press on an open drop-down closes it). The toolbar then stays
// kept down and the button holds the mouse until the release, which clicks it. A press on nothing
// usable ends the toolbar's active state.
void TqzBarControl::PressItemControl(TqzBarItemControl* AControl) {
  if (AControl && AControl->IsEnabled() && AControl->IsClickable()) {
    TkvObjectLink* self = LinkToObject(this);
    bool handled = false;
    if (GetActive() && (!(KindFlags() & qzKindPressNeedsFocus) || IsFocusedBar()))
      AControl->SelectInBar(AControl == GetSelectedControl(), handled);
    else
      SelectControlFocused(AControl);
    bool alive = self->Ref != nullptr;
    ReleaseObjectLink(self);
    if (!alive || handled) return;
    if (GetActive() && !AControl->HostsWindow()) SetKeptDown(true);
    TqzBarItemControl* selected = GetSelectedControl();
    if (selected && selected->CapturesMouseOnPress()) {
      CaptureMouseFor(AControl);
      AControl->Repaint();
    }
  } else {
    ChangeActive(false);
  }
  TCustomqzBarControl::PressItemControl(AControl);
}

IqzBarSelectableItem* TqzBarControl::DesignObject() { return FBar; }

void TqzBarControl::SetActive(bool AActive) {
  if (auto* button = dynamic_cast<TqzBarButtonControl*>(GetSelectedControl()); !AActive && button && button->IsDroppedDown())
    button->Deactivate(true);
  TCustomqzBarControl::SetActive(AActive);
}

void TqzBarControl::SetSelectedControl(TqzBarItemControl* AControl) {
  auto* before = dynamic_cast<TqzBarSubItemControl*>(GetSelectedControl());
  const bool menuWasOpen = before && before->IsDroppedDown();
  TWeakRef<TqzBarControl> self(this);
  inherited::SetSelectedControl(AControl);
  if (!self || !menuWasOpen || !GetKeptDown() || IsCustomizing() || GetSelectedControl() != AControl) return;
  // The open menu moves along with the selection.
  if (auto* subItem = dynamic_cast<TqzBarSubItemControl*>(AControl); subItem && subItem != before && subItem->IsEnabled())
    subItem->OpenSubMenuByKey();
}

void TqzBarControl::SelectControlFocused(TqzBarItemControl* AControl) {
  TqzBarManager* manager = GetControlBarManager();
  POINT cursor;
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);
  if (auto* other = dynamic_cast<TCustomqzBarControl*>(under ? FindControl(under) : nullptr); other && other != this)
    other->MouseLeave();
  CancelModeOfActiveForm();
  FRememberedFocus = GetFocus();
  auto* opener = dynamic_cast<TqzBarControl*>(GetOpenerBar());
  if (!manager->IsCustomizingOrDesigning() && !(FOwnsBar && opener && opener->IsFocusedBar()) && IsOutsideHostPopup()) {
    TCustomForm* form = FDockControl ? FDockControl->MainOrMDIChildForm() : manager->GetParentForm();
    if (form && form->HandleAllocated())
      SetWindowPos(form->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::SelectControlFocused(AControl);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || IsFocusedBar()) return;
  ReleaseObjectLink(FPrevFocusedBar);
  FPrevFocusedBar = LinkToObject(manager->GetFocusedBarControl());
  manager->SetFocusedBarControl(this);
}

void TqzBarControl::ClearSelection() {
  TqzBarManager* manager = GetControlBarManager();
  if (IsFocusedBar()) {
    auto* previous = FPrevFocusedBar ? dynamic_cast<TCustomqzBarControl*>(FPrevFocusedBar->Ref) : nullptr;
    manager->SetFocusedBarControl(previous);
    ReleaseObjectLink(FPrevFocusedBar);
    FPrevFocusedBar = nullptr;
  }
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::ClearSelection();
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive) return;
  TCustomForm* form = GetOwnerForm();
  HWND focus = FRememberedFocus;
  FRememberedFocus = nullptr;
  if (focus && IsWindow(focus) && IsWindowVisible(focus) && Application()->GetActive() && form &&
      form->HandleAllocated() && GetForegroundWindow() == form->GetHandle())
    ::SetFocus(focus);
}

TqzBarCustomEditControl* TqzBarControl::SelectedEditControl() {
  auto* edit = dynamic_cast<TqzBarCustomEditControl*>(GetControlBarManager()->GetSelectedItemControl());
  return edit && edit->GetParent() == this ? edit : nullptr;
}

void TqzBarControl::StartDrag(const TPoint& P, bool ASameControl) {
  TqzBarCustomEditControl* edit = SelectedEditControl();
  if (!ASameControl || !edit || !HandleAllocated() || !edit->IsEditSizingPoint(P)) {
    TCustomqzBarControl::StartDrag(P, ASameControl);
    return;
  }
  FEditSizing = true;
  edit->BeginEditSizing(P);
  SetCapture(GetHandle());
}

void TqzBarControl::EndEditSizing(bool AApply) {
  // Cleared first: giving the capture back reports a capture change.
  FEditSizing = false;
  if (GetCapture() == GetHandle()) ReleaseCapture();
  if (TqzBarCustomEditControl* edit = SelectedEditControl()) edit->EndEditSizing(AApply);
}

void TqzBarControl::BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) {
  if (FEditSizing) {
    if (TqzBarCustomEditControl* edit = SelectedEditControl()) edit->TrackEditSizing(P);
    return;
  }
  bool resetMark = false;
  if (!IsMouseBlocked(true)) {
    TPoint offset;
    ClientOffset(offset);
    TPoint windowPoint(P.X + offset.X, P.Y + offset.Y);
    UpdateCaptionButtonStates(windowPoint, false);
    if (!ActiveBarControl()) {
      if (MarkEnabled() && FMarkState != 2 && IsOverMark(P))
        ChangeMarkState(1);
      else
        resetMark = FMarkState == 1 && !IsOverMark(P);
    }
    if (HasCloseButton() && Painter()->ClassRef()->HotTracksWindowParts()) {
      TRect close = CloseButtonRect();
      SetCloseButtonState(PtInRect(&close, windowPoint) ? 1 : 0);
    }
  }
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::BarMouseMove(AShift, P, AControl);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (alive && resetMark) ChangeMarkState(0);
}

void TqzBarControl::BarMouseLeave() {
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::BarMouseLeave();
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive) return;
  UpdateCaptionButtonStates(TPoint(-30000, -30000), false);
  if (!GetActive()) {
    SetCloseButtonState(0);
  } else if (auto* button = dynamic_cast<TqzBarButtonControl*>(GetSelectedControl())) {
    RepaintControl(button);
  }
}

void TqzBarControl::HideBar() {
  ClearSelectionIfFocused();
  TkvObjectLink* self = LinkToObject(this);
  TCustomqzBarControl::HideBar();
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || !FOwnsBar) return;
  // The press that closed the popup may have landed on the mark that opened it: that press must
  // not open it again.
  if (auto* opener = dynamic_cast<TqzBarControl*>(GetOpenerBar())) {
    if (IsPrimaryMouseButtonDown() && opener->HandleAllocated()) {
      TRect mark;
      opener->MarkScreenRect(mark);
      POINT cursor;
      GetCursorPos(&cursor);
      if (PtInRect(&mark, cursor)) opener->SetSkipNextClick(true);
    }
  }
  ResetParentMark();
}

void TqzBarControl::SetCloseButtonState(Byte AState) {
  if (FCloseButtonState == AState) return;
  FCloseButtonState = AState;
  if (HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

Integer TqzBarControl::CaptionButtonAtCursor() {
  if (!HandleAllocated()) return -1;
  RECT window;
  ::GetWindowRect(GetHandle(), &window);
  DWORD pos = GetMessagePos();
  POINT local{GET_X_LPARAM(pos) - window.Left, GET_Y_LPARAM(pos) - window.Top};
  TRect close = CloseButtonRect();
  if (PtInRect(&close, local)) return -2;
  return GetCaptionButtons()->HitTest(local);
}

void TqzBarControl::UpdateCaptionButtonStates(const TPoint& AWindowPoint, bool APressed) {
  TqzBarCaptionButtons* buttons = GetCaptionButtons();
  if (buttons->GetCount() == 0) return;
  bool changed = false;
  for (Integer i = 0; i < buttons->GetCount(); ++i) {
    TqzBarCaptionButton* button = buttons->GetButton(i);
    Integer before = button->GetState();
    TRect r = button->GetBounds();
    Integer state = !button->GetEnabled() ? 1 : !PtInRect(&r, AWindowPoint) ? 0 : APressed ? 4 : 2;
    if (state != before) {
      button->SetState(state);
      changed = true;
    }
  }
  if (changed && HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

// The close button (-2) or a caption button stays pressed while the mouse is down over it; the
// release over the same button clicks it. The loop ends when the window loses the capture.
void TqzBarControl::TrackCaptionButton(Integer AButton) {
  TqzBarManager* manager = GetControlBarManager();
  if (!manager->GetHideFloatingBarsWhenInactive())
    if (TWinControl* owner = manager->GetOwnerControl(); owner && owner->HandleAllocated())
      ActivateTopLevelWindow(owner->GetHandle());
  TkvObjectLink* self = LinkToObject(this);
  DWORD pos = GetMessagePos();
  POINT cursor{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  auto windowPoint = [&] {
    RECT window;
    ::GetWindowRect(GetHandle(), &window);
    return TPoint(cursor.X - window.Left, cursor.Y - window.Top);
  };
  auto overButton = [&] {
    TPoint local = windowPoint();
    if (AButton == -2) {
      TRect close = CloseButtonRect();
      return PtInRect(&close, local) != 0;
    }
    TRect r = GetCaptionButtons()->GetButton(AButton)->GetBounds();
    return PtInRect(&r, local) != 0;
  };
  auto showStates = [&](bool APressed) {
    bool over = overButton();
    if (AButton == -2)
      SetCloseButtonState(over ? (APressed ? 2 : 1) : (APressed ? 1 : 0));
    else
      UpdateCaptionButtonStates(windowPoint(), APressed);
  };
  showStates(true);
  SetCapture(GetHandle());
  bool clicked = false;
  MSG msg;
  while (self->Ref && GetCapture() == GetHandle()) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE) {
      cursor = msg.pt;
      RECT window;
      ::GetWindowRect(GetHandle(), &window);
      if (PtInRect(&window, cursor)) {
        if (GetLastMousePos() == TPoint(-1, -1)) BarMouseEnter(TShiftState(), ScreenToClient(cursor), nullptr);
        RecordMousePos(cursor);
      }
      showStates(true);
    } else if (msg.message == WM_LBUTTONUP) {
      cursor = msg.pt;
      clicked = overButton();
      break;
    } else {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive) return;
  if (GetCapture() == GetHandle()) ReleaseCapture();
  showStates(false);
  if (!clicked) return;
  if (AButton >= 0) {
    ClickCaptionButton(AButton);
    return;
  }
  TqzBar* bar = FBar;
  bar->SetVisible(false);
  manager->DesignerModified();
  manager->DoBarClose(bar);
}

void TqzBarControl::ToggleDocking() {
  TqzBarManager* manager = GetControlBarManager();
  TqzBar* bar = FBar;
  if (!IsFloating()) {
    if (!manager->QueryDocking(bar, dsNone, nullptr)) return;
    bar->DockTo(dsNone);
    return;
  }
  TqzBarDockingStyle style = bar->GetDockedDockingStyle();
  if (style == dsNone) style = dsTop;
  TqzDockControl* site = bar->GetDockedDockControl();
  if (site)
    style = site->GetDockingStyle();
  else
    site = manager->GetBars()->GetDockControl(style);
  if (!site || !manager->QueryDocking(bar, style, site)) return;
  if (!bar->HasBeenDocked()) {
    bar->SetOneOnRow(true);
    bar->SetStoredRow(site->GetRowCount());
  }
  bar->DockTo(style, site);
}

// ---- Placement of the controls (toolbar rows) ------------------------------------------------------

HRGN TqzBarControl::ControlRegion(TqzBarItemControl* AControl) {
  TRect r;
  ControlRect(AControl, r);
  RECT rect = r;
  HRGN region = CreateRectRgnIndirect(&rect);
  Integer separator = GetLayoutInfo() ? GetLayoutInfo()->FindSeparatorOfControl(AControl) : -1;
  if (separator >= 0) {
    RECT bounds = GetLayoutInfo()->GetSeparatorInfo(separator).Bounds;
    HRGN band = CreateRectRgnIndirect(&bounds);
    CombineRgn(region, region, band, RGN_OR);
    DeleteObject(band);
  }
  return region;
}

void TqzBarControl::ControlRect(TqzBarItemControl* AControl, TRect& R) {
  TCustomqzBarControl::ControlRect(AControl, R);
  if (!AControl || !AControl->GetLink()) return;
  Integer h = AControl->GetLink()->GetRowHeight();
  if (h <= 0) return;
  if (IsVertical()) {
    R.Left -= (h - R.Width()) / 2;
    R.Right = R.Left + h;
  } else {
    R.Top -= (h - R.Height()) / 2;
    R.Bottom = R.Top + h;
  }
}
