// Bar windows at the mouse and the keyboard: hit testing, hot and selected controls, presses and
// clicks, and the keys of the active chain.

#include "toolkit/bars/qzBarControl.h"

#include <algorithm>

#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarDragInfo.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "controls/Edit.h"
#include "user/Cursors.h"
#include "user/Focus.h"

#include "user/Input.h"
#include "user/Rects.h"
#include "user/KeyboardLayout.h"
#include "user/WindowPos.h"
#include "user/Messages.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "vcl/Forms.h"

namespace {

// Holds a weak link to a bar window for a step that may free it.
class TBarGuard {
 public:
  explicit TBarGuard(TObject* AObject) : FLink(LinkToObject(AObject)) {}
  ~TBarGuard() { ReleaseObjectLink(FLink); }
  bool Alive() const { return FLink->Ref != nullptr; }

 private:
  TkvObjectLink* FLink;
};

TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

}  // namespace

// ---- Hit testing ------------------------------------------------------------------------------

TqzBarItemControl* TCustomqzBarControl::ControlAtPoint(const TPoint& P) {
  if (IsCustomizing() && !IsDesigning()) return nullptr;
  if (!FViewInfo) return nullptr;
  for (Integer i = 0; i < FViewInfo->GetItemViewInfoCount(); ++i) {
    TqzBarItemControl* control = FViewInfo->GetItemViewInfoAt(i)->GetControl();
    TRect bounds = control->GetItemRect();
    if (PtInRect(&bounds, P))
      return IsCustomizing() && control->IgnoredWhileCustomizing() ? nullptr : control;
  }
  return nullptr;
}

void TCustomqzBarControl::LinkAtPoint(const TPoint& P, TqzBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                      bool& AAtSeparator) {
  ALink = nullptr;
  ABefore = false;
  AAtSeparator = false;
  AVertical = IsVerticalLayout();
  if (!FItemLinks) return;
  for (Integer i = 0; i < FItemLinks->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = FItemLinks->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control || !control->IsOfOwnManager()) continue;
    HRGN region = ControlRegion(control);
    bool hit = PtInRegion(region, P.X, P.Y);
    DeleteObject(region);
    if (!hit) continue;
    TRect r;
    ControlBounds(control, r);
    Integer separator = FViewInfo ? FViewInfo->FindSeparatorOfControl(control) : -1;
    ALink = link;
    if (!PtInRect(&r, P) && separator >= 0) {
      AAtSeparator = true;
      if (P.Y < r.Top) AVertical = true;
      r = FViewInfo->GetSeparatorInfo(separator).Bounds;
    }
    ABefore = AVertical ? P.Y - r.Top < r.Bottom - P.Y : P.X - r.Left < r.Right - P.X;
    return;
  }
}

TqzBarItemControl* TCustomqzBarControl::ControlAtCursor() {
  return HandleAllocated() ? ControlAtPoint(ScreenToClient(CursorPos())) : nullptr;
}

bool TCustomqzBarControl::MarkUnderCursor() {
  if (!HandleAllocated()) return false;
  TRect mark;
  MarkRect(mark);
  TPoint p = ScreenToClient(CursorPos());
  return PtInRect(&mark, p);
}

TqzBarItemControl* TCustomqzBarControl::GetSelectedControl() const {
  return FCurrentLink ? FCurrentLink->GetControl() : nullptr;
}

bool TCustomqzBarControl::IsMouseBlocked(bool ACheckMoved) {
  // The menus the bars build themselves answer the mouse while the manager customizes.
  if (IsCustomizing()) return true;
  TPoint cursor = CursorPos();
  if (ACheckMoved) return cursor == FLastMousePos;
  RECT r{};
  if (HandleAllocated()) GetWindowRect(GetHandle(), &r);
  return !PtInRect(&r, cursor);
}

// ---- Selection -------------------------------------------------------------------------------

void TCustomqzBarControl::SetSelectedControl(TqzBarItemControl* AControl) {
  if (!HandleAllocated() || IsDestroying() || GetSelectedControl() == AControl) return;
  TBarGuard guard(this);
  TqzBarItemControl* selected = GetSelectedControl();
  if (selected && selected->GetActive()) {
    selected->Deactivate(true);
    if (!guard.Alive()) return;
  }
  // Selected by the keyboard, a sub-item's menu opens without rolling out.
  if (auto* subItem = dynamic_cast<TqzBarSubItemControl*>(AControl)) subItem->SetAnimateNextOpen(false);
  if (AControl) AControl->SetSelectedByMouse(false);
  ChangeSelection(AControl);
  if (guard.Alive() && AControl) SelectedControlChanged(AControl);
}

bool TCustomqzBarControl::IsEditingInPlace() {
  auto* edit = dynamic_cast<TqzBarWinControl*>(GetControlBarManager()->GetSelectedItemControl());
  return edit && edit->HostsWindow() && edit->GetInPlaceActive();
}

void TCustomqzBarControl::SetHotControl(TqzBarItemControl* AControl) {
  if (!HandleAllocated() || IsDestroying() || GetSelectedControl() == AControl) return;
  // The keyboard drives a navigation bar; the mouse leaves its selection alone.
  if (KindFlags() & qzKindNavigationBar)
    if (TqzBarNavigationController* controller = NavigationControllerInstance();
        controller && controller->IsNavigatedBarWindow(this))
      return;
  TqzBarItemControl* selected = GetSelectedControl();
  if (selected && selected == GetControlBarManager()->GetSelectedItemControl() && IsEditingInPlace()) return;
  TBarGuard guard(this);
  if (selected && selected->GetActive()) {
    selected->Deactivate(false);
    if (!guard.Alive()) return;
  }
  if (AControl) AControl->SetSelectedByMouse(true);
  ChangeSelection(AControl);
  if (!guard.Alive() || !(selected = GetSelectedControl())) return;
  if (auto* subItem = dynamic_cast<TqzBarSubItemControl*>(selected)) {
    // A sub-item that would refuse the item being dragged keeps its menu closed.
    TqzBarManager* manager = GetControlBarManager();
    if (manager->IsDragging() && !SubItemTakes(subItem, manager->GetDraggingItem())) return;
    subItem->SetAnimateNextOpen(true);
  }
  selected->Activate(false);
}

void TCustomqzBarControl::ChangeSelection(TqzBarItemControl* AControl) {
  TqzBarItemControl* old = GetSelectedControl();
  if (old == AControl) return;
  // Selecting in another window sends the open quick control away.
  if (TqzBarQuickControl* quick = OpenQuickControl(); quick && AControl && quick != this && !quick->GetActive())
    quick->StartCloseTimer();
  FCurrentLink = AControl ? AControl->GetLink() : nullptr;
  if (KindFlags() & qzKindNavigationBar) FKeptDown = false;
  TqzBarManager* manager = GetControlBarManager();
  if (IsCustomizing()) {
    TBarGuard guard(this);
    manager->ChangeSelectedItemControl(AControl);
    if (!guard.Alive()) return;
  } else if (!manager->IsCustomizingOrDesigning()) {
    manager->SetSelectedItemControl(AControl);
  }
  if (old) RepaintControl(old);
  if (AControl) RepaintControl(AControl);
  if (!AControl) SetCursorKind(qzCursorDefault);
  String hintText, shortCut;
  bool vetoed = false;
  if (AControl && AControl->GetHintTexts(hintText, shortCut, vetoed))
    manager->ActivateHint(true, hintText + shortCut, AControl);
  else
    manager->HideHint();
  String hint;
  if (AControl && (AControl->IsEnabled() || manager->GetShowHintForDisabledItems()))
    hint = GetLongHint(AControl->GetHint());
  SetHint(hint);
}

void TCustomqzBarControl::SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) {
  SetSelectedControl(AControl);
  if (!ASelectOnly && HandleAllocated()) SendMessage(GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
}

// ---- Mouse ------------------------------------------------------------------------------------

void TCustomqzBarControl::TrackLink(TqzBarItemLink* ALink, const TPoint& P) {
  if (ALink != FTrackedLink) {
    if (FTrackedLink && FTrackedLink->GetControl()) FTrackedLink->GetControl()->MouseLeave();
    FTrackedLink = ALink;
    if (ALink && ALink->GetControl()) ALink->GetControl()->MouseEnter(P);
  }
  if (ALink && ALink->GetControl()) ALink->GetControl()->MouseMove(P);
}

void TCustomqzBarControl::TrackMouse(TShiftState, Integer, Integer) {
  if (IsMouseBlocked(true)) {
    if (IsMouseBlocked(false)) MouseLeave();
    return;
  }
  FLastMousePos = CursorPos();
}

void TCustomqzBarControl::BarMouseEnter(TShiftState, const TPoint& P, TqzBarItemControl* AControl) {
  // The watch takes the whole window (frame included) in client coordinates.
  RECT window{};
  ::GetWindowRect(GetHandle(), &window);
  TPoint topLeft = ScreenToClient(TPoint(window.Left, window.Top));
  TRect bounds(topLeft.X, topLeft.Y, topLeft.X + (window.Right - window.Left), topLeft.Y + (window.Bottom - window.Top));
  StartMouseLeaveWatch(this, bounds, this);
  TrackLink(AControl ? AControl->GetLink() : nullptr, P);
  SetViewState(1);
}

void TCustomqzBarControl::BarMouseMove(TShiftState, const TPoint& P, TqzBarItemControl* AControl) {
  if (IsMouseBlocked(true)) return;
  TrackLink(AControl ? AControl->GetLink() : nullptr, P);
  if (IsEditingInPlace()) return;
  if (AControl && !AControl->CanNavigateTo()) AControl = nullptr;
  bool activeToolbar = FActive && BarKind() == 0;
  if ((!activeToolbar || AControl) && !FCaptureControl && (AControl || !FOpenedBar)) SetHotControl(AControl);
}

void TCustomqzBarControl::MouseLeave() {
  FLastMousePos = TPoint(-1, -1);
  StopMouseLeaveWatch(this);
  BarMouseLeave();
}

void TCustomqzBarControl::BarMouseLeave() {
  SetViewState(0);
  TrackLink(nullptr, TPoint(-1, -1));
  if (FMarkState == 1) {
    TBarGuard guard(this);
    ChangeMarkState(0);
    if (!guard.Alive()) return;
  }
  TqzBarItemControl* selected = GetSelectedControl();
  if (!FCaptureControl && selected && !selected->IsDroppedDown() && !IsCustomizing())
    SetHotControl(nullptr);
}

void TCustomqzBarControl::BarMouseDown(TMouseButton AButton, TShiftState AShift, bool, TqzBarItemControl* AControl,
                                       const TPoint& P) {
  if (!IsMouseBlocked(false) && AControl) AControl->MouseDown(AButton, TShiftState(), P);
  TBarGuard guard(this);
  bool customizing = IsCustomizing();
  TqzBarItemControl* before = customizing ? GetControlBarManager()->GetSelectedItemControl() : nullptr;
  if (customizing) {
    DesignSelect(AControl, AButton, AShift);
    if (!guard.Alive()) return;
  }
  if (AButton == mbRight) {
    if (AControl != GetSelectedControl()) ClearSelectionIfFocused();
    if (guard.Alive() && ContextPopupOnPress(true)) ShowContextPopup(AControl);
    return;
  }
  if (AButton != mbLeft) return;
  if (customizing)
    StartDrag(P, before == GetControlBarManager()->GetSelectedItemControl());
  else
    PressItemControl(AControl);
}

TqzBarItemControl* TCustomqzBarControl::CustomizingSelectedControl() {
  TqzBarItemLink* link = GetControlBarManager()->GetSelectedLink();
  TqzBarItemControl* control = link ? link->GetControl() : nullptr;
  return control && control->GetParent() == this ? control : nullptr;
}

void TCustomqzBarControl::ShowContextPopup(TqzBarItemControl*) {
  if (!IsCustomizing()) return;
  if (TqzBarItemControl* selected = CustomizingSelectedControl())
    DesignControllerInstance()->ShowLinkContextMenu(this, selected->GetLink());
}

void TCustomqzBarControl::DesignSelect(TqzBarItemControl* AControl, TMouseButton AButton, TShiftState AShift) {
  TBarGuard guard(this);
  IqzBarSelectableItem* object = DesignObject();
  if (AControl) {
    SelectControlFocused(AControl);
    if (!guard.Alive()) return;
    object = AControl->GetLink();
    TqzBarItemControl* selected = GetSelectedControl();
    if (AButton == mbRight) {
      if (selected && selected->GetActive()) selected->Deactivate(true);
      if (!guard.Alive()) return;
      SetSelectedControl(AControl);
    } else if (AButton == mbLeft && FViewInfo && FViewInfo->GetItemViewInfoCount() > 0 && AControl->IsOfOwnManager()) {
      // Pressing the selected control again opens or closes what it opens (a sub-item's menu).
      if (AControl == selected) {
        if (selected->GetActive())
          selected->Deactivate(true);
        else
          selected->Activate(true);
        if (!guard.Alive()) return;
      }
      SetHotControl(AControl);
    }
    if (!guard.Alive()) return;
  }
  if (!object) return;
  bool isSelected = object->IsSelectedInDesigner();
  Integer operation = 2;
  if (AButton == mbRight)
    operation = isSelected && !DesignControllerInstance()->SelectionIsComplex(GetControlBarManager()) ? 0 : 2;
  else if (AShift.Contains(ssShift) && !AShift.Contains(ssCtrl))
    operation = isSelected ? 1 : 0;
  DesignControllerInstance()->ChangeSelection(object, operation);
}

void TCustomqzBarControl::StartDrag(const TPoint& P, bool) {
  TqzBarItemControl* control = CustomizingSelectedControl();
  if (!control || !HandleAllocated() || !control->IsOfOwnManager()) return;
  // Only a press on the selected control itself arms it.
  TRect r = control->GetItemRect();
  if (!PtInRect(&r, P)) return;
  FDragPressPoint = P;
  FDragPending = true;
  SetCapture(GetHandle());
}

bool TCustomqzBarControl::BeginPendingDrag(const TPoint& P) {
  Integer cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  TRect still(FDragPressPoint.X - cx / 2, FDragPressPoint.Y - cy / 2, FDragPressPoint.X - cx / 2 + cx,
              FDragPressPoint.Y - cy / 2 + cy);
  if (PtInRect(&still, P)) return false;
  FDragPending = false;
  ReleaseCapture();
  TqzBarItemControl* control = CustomizingSelectedControl();
  if (!control) return true;
  TqzBarItemLink* link = control->GetLink();
  TqzBarManager* manager = GetControlBarManager();
  control->Deactivate(false);
  if (link && link->GetItem()) manager->DragItemOrLink(link->GetItem(), link);
  return true;
}

void TCustomqzBarControl::BarMouseUp(TMouseButton AButton, TShiftState AShift, bool, TqzBarItemControl* AControl,
                                     const TPoint& P) {
  TBarGuard guard(this);
  if (!IsMouseBlocked(false) && AControl) AControl->MouseUp(AButton, AShift, P);
  if (guard.Alive() && AButton == mbRight && ContextPopupOnPress(false)) ShowContextPopup(AControl);
}

void TCustomqzBarControl::PressItemControl(TqzBarItemControl* AControl) {
  if (!AControl || !AControl->IsEnabled() || !AControl->IsClickable()) return;
  SetSelectedControl(AControl);
  GetControlBarManager()->HideHint();
  TqzBarItemControl* selected = GetSelectedControl();
  if (auto* buttonLike = dynamic_cast<TqzBarButtonLikeControl*>(selected)) buttonLike->SetAnimateNextOpen(true);
  if (selected && selected->HostsWindow()) WindowControlPressed(selected);
  TBarGuard guard(this);
  AControl->UserActivate(true);
  if (!guard.Alive() || !HasLinkControl(AControl)) return;
  if (auto* button = dynamic_cast<TqzBarButtonControl*>(GetSelectedControl())) button->SetAnimateNextOpen(false);
}

void TCustomqzBarControl::CaptureMouseFor(TqzBarItemControl* AControl) {
  FCaptureControl = AControl;
  SetCapture(GetHandle());
}

void TCustomqzBarControl::PostMouseMoveToBarUnderCursor() {
  TPoint cursor = CursorPos();
  HWND wnd = WindowFromPoint(cursor);
  auto* bar = dynamic_cast<TCustomqzBarControl*>(wnd ? FindControl(wnd) : nullptr);
  if (!bar) return;
  bar->FLastMousePos = TPoint(-1, -1);
  TPoint p = bar->ScreenToClient(cursor);
  PostMessage(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
}

void TCustomqzBarControl::PassFocusOn() {
  TqzBarItemControl* selected = GetSelectedControl();
  if (selected && selected->HostsWindow()) return;
  auto* owner = dynamic_cast<TWinControl*>(GetControlBarManager()->GetOwner());
  if (!owner || !owner->HandleAllocated()) return;
  HWND target = owner->GetHandle();
  if (!IsWindowVisible(target)) target = GetWindow(target, GW_HWNDNEXT);
  if (target) ::SetFocus(target);
}

void TCustomqzBarControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (IsDestroying()) return;
  TPoint p(X, Y);
  if (FDragPending && BeginPendingDrag(p)) return;
  TqzBarItemControl* control = ControlAtPoint(p);
  if (FLastMousePos == TPoint(-1, -1) && !IsMouseBlocked(true)) BarMouseEnter(Shift, p, control);
  BarMouseMove(Shift, p, control);
}

void TCustomqzBarControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  TPoint p(X, Y);
  TqzBarItemControl* control = ControlAtPoint(p);
  if (FLastMousePos == TPoint(-1, -1) && !IsCustomizing())
    BarMouseEnter(Shift, p, control);
  if (Shift.Contains(ssDouble) && control && control == GetSelectedControl() &&
      (GetControlBarManager()->IsDesigning() || control->IsExpandable())) {
    control->DoubleClick();
    return;
  }
  // A double click counts as a press.
  Shift.Exclude(ssDouble);
  TRect client = GetClientRect();
  BarMouseDown(Button, Shift, PtInRect(&client, p), control, p);
}

void TCustomqzBarControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  TPoint p(X, Y);
  TRect client = GetClientRect();
  BarMouseUp(Button, Shift, PtInRect(&client, p), ControlAtPoint(p), p);
}

void TCustomqzBarControl::LeftButtonUp(TMessage& Message) {
  if (FDragPending) {
    FDragPending = false;
    ReleaseCapture();
    return;
  }
  TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  TBarGuard guard(this);
  TqzBarItemControl* capture = FCaptureControl;
  if (capture) {
    FCaptureControl = nullptr;
    ReleaseCapture();
  }
  if (!guard.Alive()) return;
  TqzBarItemControl* control = ControlAtPoint(p);
  TRect client = GetClientRect();
  if (PtInRect(&client, p) && FActive && !IsCustomizing() && control &&
      control->IsClickable()) {
    if (control->IsEnabled() && control == GetSelectedControl())
      control->DoClick();
    else if (!control->IsEnabled() && control != GetSelectedControl() && BarKind() == 0)
      CloseOnce();
  }
  if (capture && guard.Alive() && IsBarControlLive(this)) CloseOnce();
}

// ---- Keys --------------------------------------------------------------------------------------

bool TCustomqzBarControl::ForwardKeyToSelected(Word AKey) {
  TqzBarItemControl* selected = GetSelectedControl();
  if (!selected || !selected->IsEnabled() || !selected->WantsKey(AKey)) return false;
  selected->KeyDown(AKey, TShiftState());
  return true;
}

void TCustomqzBarControl::SelectNeighbour(bool ANext) {
  if (!FItemLinks) return;
  TqzBarItemLink* start = FCurrentLink;
  TqzBarItemLink* link = start;
  // At most one round: a link whose control cannot be selected is skipped.
  for (Integer i = 0; i <= FItemLinks->GetVisibleLinkCount(); ++i) {
    link = ANext ? FItemLinks->NextSelectableLink(link, false) : FItemLinks->PrevSelectableLink(link, false);
    if (!link || link == start) return;
    if (link->GetControl()->CanSelect()) break;
  }
  if (link && link->GetControl()) SetSelectedControl(link->GetControl());
}

TqzBarItemLink* TCustomqzBarControl::LinkForAccel(Word AKey, TShiftState AShift, TqzBarItemLink* AAfterLink) {
  if (!FItemLinks) return nullptr;
  AShift.Exclude(ssAlt);
  return FItemLinks->FindLinkByAccelKey(AKey, AShift, AAfterLink);
}

TqzBarItemLink* TCustomqzBarControl::AccelTarget(Word AKey, TShiftState AShift, bool& AAmbiguous,
                                                 TqzBarItemLink* AAfterLink) {
  AAmbiguous = false;
  TqzBarItemLink* link = LinkForAccel(AKey, AShift, AAfterLink);
  if (!link || !link->GetItem() || !link->GetItem()->GetEnabled()) return nullptr;
  TqzBarItemLink* next = LinkForAccel(AKey, AShift, link);
  AAmbiguous = next && next != link;
  return link;
}

void TCustomqzBarControl::KeyDownInChain(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  TShiftState shift = KeyboardStateToShiftState();
  if (IsVertical()) {
    switch (key) {
      case VK_LEFT: key = VK_UP; break;
      case VK_UP: key = VK_LEFT; break;
      case VK_RIGHT: key = VK_DOWN; break;
      case VK_DOWN: key = VK_RIGHT; break;
      default: break;
    }
    Message.WParam = key;
  }
  switch (key) {
    case VK_TAB:
      if (shift.Contains(ssCtrl)) return;
      SelectNeighbour(!shift.Contains(ssShift));
      // Tab enters an edit it lands on.
      if (TqzBarItemControl* selected = GetSelectedControl(); selected && selected->HostsWindow())
        selected->PressAt(mbLeft, TShiftState());
      return;
    case VK_HOME:
      if (FItemLinks && FItemLinks->FirstSelectableLink())
        SetSelectedControl(FItemLinks->FirstSelectableLink()->GetControl());
      return;
    case VK_END:
      if (FItemLinks && FItemLinks->LastSelectableLink())
        SetSelectedControl(FItemLinks->LastSelectableLink()->GetControl());
      return;
    case VK_LEFT:
      SelectNeighbour(false);
      return;
    case VK_RIGHT:
      SelectNeighbour(true);
      return;
    case VK_ESCAPE:
      CloseOnEscape();
      return;
    case VK_RETURN:
      if (TqzBarItemControl* selected = GetSelectedControl()) {
        selected->PressAt(mbLeft, TShiftState());
      }
      return;
    case VK_F10:
      if (!GetControlBarManager()->GetUseF10ForMenu()) return;
      [[fallthrough]];
    case VK_MENU:
      Message.WParam = 0;
      CloseOnce();
      return;
    default:
      break;
  }
  if (ForwardKeyToSelected(key)) return;
  Word ch = static_cast<Word>(MapVirtualKey(key, 2));
  if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))) return;
  bool ambiguous = false;
  TqzBarItemControl* selected = GetSelectedControl();
  TqzBarItemLink* target = AccelTarget(ch, shift, ambiguous, selected ? selected->GetLink() : nullptr);
  if (target && target->GetControl()) SelectAndPress(target->GetControl(), ambiguous);
}

// ---- Window procedure -------------------------------------------------------------------------

TqzBarCustomEditControl* TCustomqzBarControl::HostingEditControl(HWND AWnd) {
  if (!AWnd || !FItemLinks) return nullptr;
  for (Integer i = 0; i < FItemLinks->GetFullMenuLinkCount(); ++i)
    if (auto* edit = dynamic_cast<TqzBarCustomEditControl*>(FItemLinks->GetFullMenuLink(i)->GetControl()))
      if (edit->GetInnerWindow() == AWnd) return edit;
  return nullptr;
}

void TCustomqzBarControl::WndProc(TMessage& Message) {
  UINT msg = Message.Msg;
  // Outside the active chain the window ignores the mouse while a menu chain is open.
  if (((msg >= 0x00A0 && msg <= 0x00A9) || (msg >= WM_MOUSEFIRST && msg <= 0x020A)) && !IsInActiveChain()) return;
  switch (msg) {
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_PAINT:
      if (IsDestroying()) return;
      break;
    case WM_WINDOWPOSCHANGED:
      inherited::WndProc(Message);
      if (!IsDestroying()) WindowPosChanged(reinterpret_cast<const WINDOWPOS*>(Message.LParam));
      return;
    case WM_CAPTURECHANGED:
      FCaptureControl = nullptr;
      FDragPending = false;
      break;
    case WM_DESTROY:
      // A window made anew (a docking change) starts with its mark normal.
      if (!IsDestroying()) ChangeMarkState(0);
      break;
    case CM_FONTCHANGED:
      inherited::WndProc(Message);
      SetUpCanvasFont();
      if (HandleAllocated()) CalcMetrics();
      return;
    case WM_CANCELMODE:
      inherited::WndProc(Message);
      CancelMode();
      return;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(Message.WParam) == GetHandle() && LOWORD(Message.LParam) == HTCLIENT) {
        ::SetCursor(Screen()->GetCursors(GetCursor()));
        Message.Result = 1;
        return;
      }
      break;
    case WM_NCACTIVATE:
      // Always drawn as active; an activation reaches the window the bar stands in.
      if (Message.WParam && !GetControlBarManager()->GetIsCustomizing() && GetParent() &&
          GetParent()->HandleAllocated())
        SendMessage(GetParent()->GetHandle(), WM_NCACTIVATE, 1, 0);
      Message.WParam = 1;
      break;
    case WM_NCPAINT:
      if (DrawsOwnFrame() && HandleAllocated()) {
        PaintNonClient(Message);
        return;
      }
      break;
    case WM_SETFOCUS:
      inherited::WndProc(Message);
      PassFocusOn();
      return;
    case WM_COMMAND:
      inherited::WndProc(Message);
      // An editor's change notification goes back to the editor, whose control reports it.
      if (HIWORD(Message.WParam) == EN_CHANGE && HostingEditControl(reinterpret_cast<HWND>(Message.LParam)))
        SendMessage(reinterpret_cast<HWND>(Message.LParam), WM_COMMAND, Message.WParam, Message.LParam);
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (TqzBarCustomEditControl* edit = HostingEditControl(reinterpret_cast<HWND>(Message.LParam))) {
        TColor text, back;
        Painter()->GetEditColors(edit, text, back);
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, ColorToRGB(text));
        SetBkColor(dc, ColorToRGB(back));
        Message.Result = reinterpret_cast<LRESULT>(edit->GetEditBrush());
        if (RefreshesEdits()) edit->RequestBufferedRedraw();
        return;
      }
      break;
    case WM_KILLFOCUS:
      inherited::WndProc(Message);
      if (Message.WParam == 0) CloseOnce();
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FSkipNextClick) return;
      break;
    case WM_LBUTTONUP: {
      if (FSkipNextClick) {
        FSkipNextClick = false;
        return;
      }
      TBarGuard guard(this);
      inherited::WndProc(Message);
      if (guard.Alive()) LeftButtonUp(Message);
      return;
    }
    case WM_MOUSEMOVE: {
      TBarGuard guard(this);
      inherited::WndProc(Message);
      if (guard.Alive())
        TrackMouse(KeysToShiftState(static_cast<WORD>(Message.WParam)), static_cast<short>(LOWORD(Message.LParam)),
                   static_cast<short>(HIWORD(Message.LParam)));
      return;
    }
    case WM_KEYDOWN: {
      TBarGuard guard(this);
      inherited::WndProc(Message);
      if (guard.Alive() && ActiveBarControl()) KeyDownInChain(Message);
      return;
    }
    default:
      break;
  }
  inherited::WndProc(Message);
}
