// Tearing a menu off: the detach caption of a detachable sub-item's menu, its hot state, and the
// drag that turns the sub-item's detaching bar into a floating toolbar under the mouse.

#include <optional>

#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"

namespace {

TCustomqzBarSubItem* DetachableItemOf(TqzBarItemControl* AOpener) {
  auto* item = AOpener ? dynamic_cast<TCustomqzBarSubItem*>(AOpener->GetItem()) : nullptr;
  return item && item->GetDetachable() ? item : nullptr;
}

TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

// Where the mouse was for the message retrieved last (the cursor may be further on already).
TPoint MessagePos() {
  DWORD pos = GetMessagePos();
  return TPoint(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
}

}  // namespace

bool TqzBarSubMenuControl::HasDetachCaption() {
  return (KindFlags() & qzKindDetachable) && DetachableItemOf(FOpenerControl);
}

Integer TqzBarSubMenuControl::GetDetachCaptionHeight() {
  Integer h = ActiveCanvas()->TextHeightOf("Qq") / 2;
  return h % 2 == 0 ? h + 1 : h;
}

void TqzBarSubMenuControl::GetDetachCaptionRect(TRect& R) {
  RECT window{};
  if (HandleAllocated()) ::GetWindowRect(GetHandle(), &window);
  R = TRect(0, 0, window.Right - window.Left, window.Bottom - window.Top);
  Painter()->ClassRef()->GetDetachCaptionInset(this, R);
  R.Bottom = R.Top + GetDetachCaptionHeight();
}

Integer TqzBarSubMenuControl::GetDetachAreaSize() { return Painter()->ClassRef()->DetachCaptionHeight(this); }

TPoint TqzBarSubMenuControl::CursorInWindow() {
  RECT window{};
  ::GetWindowRect(GetHandle(), &window);
  TPoint cursor = CursorPos();
  return TPoint(cursor.X - window.Left, cursor.Y - window.Top);
}

bool TqzBarSubMenuControl::IsCursorOnDetachCaption() {
  if (!HandleAllocated() || !HasDetachCaption()) return false;
  TRect caption;
  GetDetachCaptionRect(caption);
  TPoint p = CursorInWindow();
  return PtInRect(&caption, p);
}

void TqzBarSubMenuControl::SetDetachCaptionHot(bool Value) {
  if (IsCustomizing() || GetCapture() || Value == FDetachCaptionHot || !HandleAllocated()) return;
  FDetachCaptionHot = Value;
  TRect caption;
  GetDetachCaptionRect(caption);
  HDC DC = ::GetWindowDC(GetHandle());
  Painter()->DrawDetachCaption(this, DC, caption);
  ReleaseDC(GetHandle(), DC);
  SetCursorKind(Value ? qzCursorMove : qzCursorDefault);
  TqzBarManager* manager = GetControlBarManager();
  if (Value)
    manager->ActivateHint(true, ResourceStringText(sqzBarDetachMenuHint), nullptr);
  else if (!GetSelectedControl())
    manager->HideHint();
}

bool TqzBarSubMenuControl::CanDetach() {
  TCustomqzBarSubItem* item = HasDetachCaption() ? DetachableItemOf(FOpenerControl) : nullptr;
  TqzBar* bar = item ? item->GetDetachingBarObject() : nullptr;
  if (!bar) return false;
  // A menu of the bar itself cannot tear the bar off.
  TCustomqzBarControl* root = RootBarControl(GetOpenerBar());
  return !root || root != bar->GetBarControl();
}

void TqzBarSubMenuControl::TearOff() {
  TCustomqzBarSubItem* item = DetachableItemOf(FOpenerControl);
  if (!item) return;
  TkvObjectLink* self = LinkToObject(this);
  item->FireDetaching();
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || !CanDetach()) return;
  // The menu closes during the drag: what the loop needs is taken now.
  TqzBar* bar = item->GetDetachingBarObject();
  TqzBarItemControl* opener = FOpenerControl;
  TCustomqzBarControl* parent = GetOpenerBar();
  TRect zone;
  GetDetachCaptionRect(zone);
  RECT window{};
  ::GetWindowRect(GetHandle(), &window);
  OffsetRect(&zone, window.Left, window.Top);
  InflateRect(&zone, 15, 15);
  Integer caption = Painter()->ClassRef()->FloatingCaptionHeight();
  HWND captureWindow = parent->GetHandle();
  TkvObjectLink* openerLink = LinkToObject(opener);
  auto reopen = [&]() {
    if (openerLink->Ref) opener->UserActivate(false);
  };
  bool moved = false;
  bool released = false;
  TPoint last = MessagePos();
  std::optional<TqzBarMovingScope> moving(std::in_place);
  SetCapture(captureWindow);
  try {
    MSG msg;
    while (GetCapture() == captureWindow) {
      if (!GetMessage(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
        if (msg.wParam != VK_ESCAPE) continue;
        reopen();
        break;
      }
      if (msg.message == WM_LBUTTONUP) {
        released = true;
        break;
      }
      if (msg.message != WM_MOUSEMOVE) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        continue;
      }
      TPoint p = MessagePos();
      if (p == last) continue;
      last = p;
      bool inZone = PtInRect(&zone, p);
      if (!moved) {
        if (inZone) continue;
        if (openerLink->Ref) opener->Deactivate(false);
        if (bar->GetDockingStyle() != dsNone) {
          bar->SetVisible(false);
          bar->SetDockingStyle(dsNone);
        }
        if (!bar->GetVisible()) {
          bar->SetFloatLeft(p.X - 100);
          bar->SetFloatTop(p.Y - caption / 2);
          bar->SetVisible(true);
        }
        moved = true;
      } else if (inZone) {
        bar->SetVisible(false);
        moved = false;
        reopen();
        break;
      } else if (TqzBarControl* floating = bar->GetBarControl()) {
        SetWindowPos(floating->GetHandle(), nullptr, p.X - floating->GetWidth() / 2, p.Y - caption / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
  } catch (...) {
    if (GetCapture() == captureWindow) ReleaseCapture();
    moving.reset();
    ReleaseObjectLink(openerLink);
    throw;
  }
  if (GetCapture() == captureWindow) ReleaseCapture();
  moving.reset();
  ReleaseObjectLink(openerLink);
  if (!moved) return;
  if (!released) {
    bar->SetVisible(false);
    return;
  }
  // The bar keeps where it was dropped, and the menus close.
  if (TqzBarControl* floating = bar->GetBarControl()) {
    RECT r{};
    ::GetWindowRect(floating->GetHandle(), &r);
    bar->SetFloatLeft(r.Left);
    bar->SetFloatTop(r.Top);
  }
  if (TCustomqzBarControl* head = ActiveBarControl()) head->CloseOnce();
}
