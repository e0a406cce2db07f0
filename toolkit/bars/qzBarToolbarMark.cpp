// The toolbar's mark: its hot and pressed states with the 50 ms timer that ends a hot mark the
// cursor left, the links it offers when pressed, and the popup toolbars it opens, placed beside
// it and kept on the work area.

#include <algorithm>

#include "toolkit/bars/qzBarAccessibility.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "toolkit/bars/qzBarQuickCust.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "rtl/SysUtils.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/Timers.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

namespace {

constexpr UINT_PTR kMarkTimerId = 1;
constexpr UINT kMarkTimerInterval = 50;

TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

}  // namespace

String TqzBarControl::MarkHint() { return ResourceStringText(sqzBarMoreButtons); }

bool TqzBarControl::AllowsQuickCustomizing() { return FBar->GetAllowQuickCustomizing(); }

void TqzBarControl::MarkScreenRect(TRect& R) {
  MarkRect(R);
  if (IsRectEmpty(&R) || !HandleAllocated()) return;
  TPoint origin;
  if (IsFloating()) {
    // The floating mark sits in the caption: window coordinates.
    RECT window;
    ::GetWindowRect(GetHandle(), &window);
    origin = TPoint(window.Left, window.Top);
  } else {
    origin = ClientToScreen(TPoint(0, 0));
  }
  OffsetRect(&R, origin.X, origin.Y);
}

bool TqzBarControl::IsOverMark(const TPoint& P) {
  if (!ShowsMark()) return false;
  TRect mark;
  MarkRect(mark);
  // The floating mark sits in the caption: window coordinates.
  TPoint p = IsFloating() ? ClientPointToWindow(P) : P;
  return PtInRect(&mark, p) != 0;
}

bool TqzBarControl::MarkEnabled() { return Painter()->ClassRef()->SupportsQuickCustomizing() && ShowsMark(); }

void TqzBarControl::ChangeMarkState(Byte AState) {
  if (GetControlBarManager()->GetIsCustomizing() || FMarkState == AState) return;
  bool closesDropDown = FMarkState == 2;
  FMarkState = AState;
  KillMarkTimer();
  TqzBarManager* manager = GetControlBarManager();
  if (AState == 2) {
    TRect mark;
    MarkScreenRect(mark);
    FQuickPopup = ShowQuickControl(this, mark);
  } else {
    if (FQuickPopup) {
      TkvObjectLink* self = LinkToObject(this);
      delete FQuickPopup;
      bool alive = self->Ref != nullptr;
      ReleaseObjectLink(self);
      if (!alive) return;
    }
    if (AState == 1) {
      if (IsFloating()) StartMarkTimer();
      manager->ActivateHint(true, MarkHint(), this);
    } else if (!GetSelectedControl()) {
      manager->HideHint();
    }
  }
  RepaintMark();
  if (closesDropDown && FMarkAccessibilityHelper)
    if (auto* mark = dynamic_cast<TqzBarControlMarkAccessibilityHelper*>(FMarkAccessibilityHelper->BarHelperObject()))
      mark->ReselectMark(true);
}

void TqzBarControl::RepaintMark() { Painter()->InvalidateMark(this); }

void TqzBarControl::StartMarkTimer() {
  if (!HandleAllocated()) return;
  FMarkTimer = SetTimer(GetHandle(), kMarkTimerId, kMarkTimerInterval, &TqzBarControl::MarkTimerProc);
}

void TqzBarControl::KillMarkTimer() {
  if (!FMarkTimer) return;
  if (HandleAllocated()) KillTimer(GetHandle(), kMarkTimerId);
  FMarkTimer = 0;
}

void TqzBarControl::MarkTimerProc(HWND AWnd, UINT, UINT_PTR, DWORD) {
  auto* window = dynamic_cast<TqzBarControl*>(FindControl(AWnd));
  if (!window) {
    KillTimer(AWnd, kMarkTimerId);
    return;
  }
  if (IsWindowVisible(AWnd)) {
    TRect mark;
    window->MarkScreenRect(mark);
    POINT cursor = CursorPos();
    if (PtInRect(&mark, cursor)) return;
  }
  window->KillMarkTimer();
  if (window->FMarkState == 1) window->ChangeMarkState(0);
}

// ---- Hidden links ----------------------------------------------------------------------------------

void TqzBarControl::FillHiddenLinks(TqzBarItemLinks* ALinks) {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return;
  for (Integer i = 0; i < links->GetFullMenuLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetFullMenuLink(i);
    bool hidden = link->GetVisibleIndex() == -1 || (link->GetControl() && IsRectEmpty(&link->GetItemRect()));
    if (!hidden) continue;
    TqzBarItemLink* copy = ALinks->AddLink();
    copy->Assign(link);
    copy->SetSourceLink(link);
  }
  if (AllowsQuickCustomizing()) AddQuickCustomizeEntry(ALinks);
}

void TqzBarControl::AddQuickCustomizeEntry(TqzBarItemLinks* ALinks) {
  TqzBarItemLink* entry = DesignControllerInstance()->AddMenuCommand(
      ALinks, TqzBarQuickAccessItem::ClassInfo(), true, 0, TNotifyEvent(), ResourceStringText(sqzBarAddOrRemoveButtons));
  static_cast<TqzBarQuickAccessItem*>(entry->GetItem())->SetToolbar(this);
}

void TqzBarControl::FillQuickCustomizeList(TqzBarItemLinks* ALinks) {
  TqzBarManager* manager = GetControlBarManager();
  TqzBarDesignController* controller = DesignControllerInstance();
  auto* entries = new TqzBarQuickCustItem(manager->GetOwner());
  controller->AddInternalItem(entries);
  TqzBarItemLinks* links = GetItemLinks();
  for (Integer i = 0; links && i < links->GetItemVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetItemVisibleLink(i);
    if (!link->GetControl() || link->GetControl()->IsOfOwnManager()) entries->AddRepresentingLink(ALinks, link);
  }
  bool reset = manager->CanResetBars() && GetBar()->CanReset();
  if (reset)
    controller->AddMenuCommand(ALinks, TqzBarQuickCustExtButton::ClassInfo(), true, 0,
                               MakeEvent<&TqzBarControl::ResetToolbarClick>(this),
                               ResourceStringText(sqzBarResetToolbarEntry));
  controller->AddCustomizeCommand(ALinks, TqzBarQuickCustExtButton::ClassInfo(), !reset);
}

void TqzBarControl::ResetToolbarClick(TObject*) { GetBar()->Reset(); }

// ---- Popup toolbars ----------------------------------------------------------------------------------

void TqzBarControl::GetParentOpenerRect(TRect& R) {
  R = TRect();
  if (auto* opener = dynamic_cast<TqzBarControl*>(GetOpenerBar())) opener->MarkScreenRect(R);
}

void TqzBarControl::ResetParentMark() {
  if (TCustomqzBarControl* opener = GetOpenerBar()) opener->ChangeMarkState(0);
}

bool TqzBarControl::IsOutsideHostPopup() { return FindHostPopupWindow(this, true) == nullptr; }

void TqzBarControl::ShowAsPopup(const TRect& AOwnerRect) { PlaceAsPopup(AOwnerRect, true); }

void TqzBarControl::PlaceAsPopup(const TRect& AOwnerRect, bool ALeftAligned) {
  ClearClosedByEsc();
  TSize size;
  PopupSize(size);
  const Integer w = size.cx, h = size.cy;
  TCustomqzBarControl* opener = GetOpenerBar();
  bool beside = opener && opener->IsVertical();
  TPoint p;
  if (beside)
    p = TPoint(AOwnerRect.Right, AOwnerRect.Top);
  else
    p = TPoint(ALeftAligned ? AOwnerRect.Left : AOwnerRect.Right - w, AOwnerRect.Bottom);
  TRect work;
  WorkAreaAtPoint(p, work);
  if (beside) {
    if (p.X + w > work.Right) p.X = AOwnerRect.Left - w;
    p.Y = std::max(work.Top, std::min(p.Y, work.Bottom - h));
  } else {
    p.X = std::max(work.Left, std::min(p.X, work.Right - w));
    if (p.Y + h > work.Bottom) p.Y = AOwnerRect.Top - h;
  }
  HandleNeeded();
  SetWindowPos(GetHandle(), nullptr, p.X, p.Y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TqzBarControl::FollowMarkWithQuickPopup() {
  if (!FQuickPopup) return;
  TRect mark;
  MarkScreenRect(mark);
  FQuickPopup->SetOwnerBounds(mark, this);
  if (FQuickPopup->HandleAllocated()) SendMessage(FQuickPopup->GetHandle(), WM_NCPAINT, 1, 0);
}
