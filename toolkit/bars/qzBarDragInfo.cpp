#include "toolkit/bars/qzBarDragInfo.h"

#include <cstdlib>

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarCustForm.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzBarDragInfo)

namespace {

// Where the message being handled happened: the cursor may be further on already.
TPoint MessagePoint() {
  DWORD pos = GetMessagePos();
  return TPoint(GET_X_LPARAM(pos), GET_Y_LPARAM(pos));
}

// The link's control is the first of a new row: the one before it ends its row.
bool StartsRow(TqzBarItemLink* ALink) { return ALink && ALink->GetControl() && ALink->GetControl()->GetStartsRow(); }

TqzBarItemLink* VisibleNeighbour(TqzBarItemLink* ALink, Integer AStep) {
  TqzBarItemLinks* links = ALink->GetLinks();
  Integer index = ALink->GetVisibleIndex() + AStep;
  return links && index >= 0 && index < links->GetVisibleLinkCount() ? links->GetVisibleLink(index) : nullptr;
}

}  // namespace

// ---- The manager's entry ---------------------------------------------------------------------------

TqzBarItem* TqzBarManager::GetDraggingItem() const { return FDragInfo ? FDragInfo->GetDraggedItem() : nullptr; }

TqzBarItemLink* TqzBarManager::GetDraggingLink() const { return FDragInfo ? FDragInfo->GetDraggedLink() : nullptr; }

void TqzBarManager::DragItemOrLink(TqzBarItem* AItem, TqzBarItemLink* ALink) {
  if (!AItem || IsDragging()) return;
  if (!FDragInfo) FDragInfo = std::make_unique<TqzBarDragInfo>(this);
  TqzBarMovingScope moving;
  FDragInfo->BeginDrag(AItem, ALink);
  try {
    FDragInfo->RunDragLoop();
  } catch (...) {
    FDragInfo->EndDrag();
    throw;
  }
  FDragInfo->EndDrag();
}

// ---- Drag ------------------------------------------------------------------------------------------

TqzBarDragInfo::~TqzBarDragInfo() = default;

TCustomqzBarControl* TqzBarDragInfo::GetTargetWindow() const {
  return FTargetWindow && IsBarControlLive(FTargetWindow) ? FTargetWindow : nullptr;
}

HWND TqzBarDragInfo::CaptureWindow() const {
  // The customizing form is the one enabled window of the manager's forms while it is open.
  if (TqzBarCustomizingForm* form = ActiveCustomizingForm();
      form && form->GetBarManager() == FBarManager && form->HandleAllocated())
    return form->GetHandle();
  HWND app = Application()->GetHandle();
  if (app && IsWindowVisible(app)) return app;
  return FBarManager->GetOwnerControl()->GetHandle();
}

void TqzBarDragInfo::BeginDrag(TqzBarItem* AItem, TqzBarItemLink* ALink) {
  FItem = AItem;
  FLink = ALink;
  FPressPoint = TPoint();
  if (ALink) {
    if (TCustomqzBarControl* window = ALink->GetBarControl(); window && window->HandleAllocated())
      FPressPoint = ALink->ScreenToItemPoint(window->ScreenToClient(MessagePoint()));
  }
  FDefaultCursor = Screen()->GetCursor();
  FCaptureWindow = CaptureWindow();
  SetCapture(FCaptureWindow);
}

void TqzBarDragInfo::RunDragLoop() {
  MSG msg;
  while (FItem && GetCapture() == FCaptureWindow) {
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (!got) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) return;
        if (msg.wParam == VK_CONTROL && HasDropTarget()) SetDragState(qzDragCopy);
        break;
      case WM_KEYUP:
        if (msg.wParam == VK_CONTROL && HasDropTarget()) SetDragState(qzDragMove);
        break;
      case WM_MOUSEMOVE:
        MouseMoved(TPoint(msg.pt.X, msg.pt.Y));
        break;
      case WM_LBUTTONUP:
        Drop();
        return;
      default:
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        break;
    }
  }
}

void TqzBarDragInfo::EndDrag() {
  if (FCaptureWindow && GetCapture() == FCaptureWindow) ReleaseCapture();
  FCaptureWindow = nullptr;
  SetDragState(qzDragNone);
  if (FLink)
    if (TqzBarItemControl* control = FLink->GetControl())
      if (TCustomqzBarControl* window = control->GetParent(); window && IsBarControlLive(window))
        window->RepaintControl(control);
  FItem = nullptr;
  FLink = nullptr;
  FTargetWindow = nullptr;
  FMarkWindow = nullptr;
  FTargetLink = nullptr;
}

void TqzBarDragInfo::MouseMoved(const TPoint& P) {
  BeginDeferred();
  UpdateTarget(P);
  bool accept = true;
  if (TCustomqzBarControl* target = GetTargetWindow()) {
    TPoint client = target->ScreenToClient(P);
    target->DragOverPoint(client.X, client.Y, accept);
  }
  if (!accept || !HasDropTarget())
    SetDragState(qzDragNoDrop);
  else if (IsCopyMode())
    SetDragState(qzDragCopy);
  else if (FTargetLink->GetControl() && FLink && (FTargetLink == FLink || IsSamePlace()))
    SetDragState(qzDragRegroup);
  else
    SetDragState(qzDragMove);
  EndDeferred();
}

TCustomqzBarControl* TqzBarDragInfo::WindowAt(const TPoint& P) const {
  HWND wnd = WindowFromPoint(P);
  for (TCustomqzBarControl* window : BarControlsOfManager(FBarManager)) {
    if (!window->HandleAllocated() || !IsWindowVisible(window->GetHandle()) || !window->OwnsWindow(wnd)) continue;
    return window->IsDesigning() ? window : nullptr;
  }
  // A toolbar on a disabled form (the customizing form disables its owner) is not the window the
  // system finds at the point: the bar whose window lies there is.
  HWND under = FindWindowAtScreenPoint(P);
  for (Integer i = 0; i < FBarManager->GetBars()->GetCount(); ++i) {
    TqzBarControl* window = FBarManager->GetBars()->GetBar(i)->GetBarControl();
    if (window && window->HandleAllocated() && window->GetHandle() == under)
      return window->IsDesigning() ? window : nullptr;
  }
  return nullptr;
}

void TqzBarDragInfo::UpdateTarget(const TPoint& P) {
  TCustomqzBarControl* window = WindowAt(P);
  TqzBarItemLink* link = nullptr;
  bool vertical = false, before = false, atSeparator = false;
  if (window) window->LinkAtPoint(window->ScreenToClient(P), link, vertical, before, atSeparator);
  if (window != FTargetWindow || link != FTargetLink || vertical != FVertical || before != FBefore ||
      atSeparator != FAtSeparator)
    FModified = true;
  bool newLink = link != FTargetLink;
  FTargetWindow = window;
  FTargetLink = link;
  FVertical = vertical;
  FBefore = before;
  FAtSeparator = atSeparator;
  if (!newLink) return;
  ShowMark(false);
  TqzBarItemControl* control = link ? link->GetControl() : nullptr;
  auto* subItem = dynamic_cast<TqzBarSubItemControl*>(control);
  if (window && (subItem || dynamic_cast<TqzBarSubItemControl*>(window->GetSelectedControl()))) {
    // Resting on a sub-item opens its menu, so that the link can be dropped inside; moving on
    // closes it again.
    window->SetHotControl(control);
    if (subItem && IsBarControlLive(window) && link->GetControl() == subItem && !subItem->IsDroppedDown() &&
        SubItemTakes(subItem, FItem))
      subItem->OpenSubMenu(true);
  } else if (control) {
    FBarManager->ChangeSelectedItemControl(control);
    if (window && IsBarControlLive(window)) window->ChangeSelection(control);
  }
  if (window && IsBarControlLive(window)) window->Update();
}

bool SubItemTakes(TqzBarSubItemControl* AControl, TqzBarItem* AItem) {
  auto* item = dynamic_cast<TCustomqzBarSubItem*>(AControl->GetItem());
  String message;
  return item && item->GetItemLinks()->AcceptsItem(AItem, message);
}

bool TqzBarDragInfo::HasDropTarget() const {
  TCustomqzBarControl* target = GetTargetWindow();
  if (!target) return false;
  if (FTargetLink) return FTargetLink->GetControl() != nullptr;
  return target->GetItemLinks() && target->GetItemLinks()->GetVisibleLinkCount() == 0;
}

// Ctrl held, or a command from the list: both always make a new link. The key state is the one
// of the messages the loop took, so a key pressed after them does not count yet.
bool TqzBarDragInfo::IsCopyMode() const { return GetKeyState(VK_CONTROL) < 0 || !FLink; }

bool TqzBarDragInfo::IsSamePlace() const {
  if (!HasDropTarget()) return true;
  if (!FLink) return false;
  TqzBarItemLink* target = FTargetLink;
  if (target == FLink) return !(FAtSeparator && FBefore);
  if (!target || target->GetLinks() != FLink->GetLinks()) return false;
  if (target == VisibleNeighbour(FLink, -1)) return !FLink->GetBeginGroup() && !FBefore && !FAtSeparator;
  if (target == VisibleNeighbour(FLink, 1)) return FBefore && (FAtSeparator || !target->GetBeginGroup());
  return false;
}

void TqzBarDragInfo::SetDragState(Byte AState) {
  if (AState == qzDragNoDrop) FTargetLink = nullptr;
  if (FDragState == AState && !FModified) return;
  FDragState = AState;
  FModified = true;
  if (FLockCount == 0) ApplyCursorAndMark();
}

void TqzBarDragInfo::EndDeferred() {
  if (--FLockCount == 0 && FModified) ApplyCursorAndMark();
}

void TqzBarDragInfo::ApplyCursorAndMark() {
  FModified = false;
  static const TCursor kCursors[] = {0, crqzBarDragNoDrop, crqzBarDrag, crqzBarDrag, crqzBarDragCopy, crqzBarDrag};
  Screen()->SetCursor(FDragState == qzDragNone ? FDefaultCursor : kCursors[FDragState]);
  switch (FDragState) {
    case qzDragCategory:
      break;
    case qzDragCopy:
      ShowMark(false);
      ShowMark(true);
      break;
    case qzDragMove:
      ShowMark(false);
      if (!IsSamePlace()) ShowMark(true);
      break;
    default:
      ShowMark(false);
      break;
  }
}

void TqzBarDragInfo::ShowMark(bool AShow) {
  if (AShow == FMarkVisible) return;
  if (AShow) {
    FMarkWindow = GetTargetWindow();
    if (!FMarkWindow) return;
    CalcMark();
  }
  FMarkVisible = AShow;
  // The mark is inverted pixels: drawing it again takes it away.
  if (FMarkWindow && IsBarControlLive(FMarkWindow)) DrawMark();
}

void TqzBarDragInfo::CalcMark() {
  FMarkVertical = FVertical;
  TqzBarItemLink* link = FTargetLink;
  if (!link) {
    FMarkRect = FMarkWindow->GetClientRect();
    FMarkAtStart = true;
    return;
  }
  bool atStart = FBefore || FAtSeparator;
  if (FAtSeparator && FBefore) {
    if (TqzBarItemLink* previous = VisibleNeighbour(link, -1)) {
      link = previous;
      atStart = false;
    }
  } else if (!atStart) {
    TqzBarItemLink* next = VisibleNeighbour(link, 1);
    if (next && !StartsRow(next) && !next->GetBeginGroup()) {
      link = next;
      atStart = true;
    }
  }
  FMarkRect = link->GetItemRect();
  FMarkAtStart = atStart;
}

void TqzBarDragInfo::DrawMark() {
  HWND wnd = FMarkWindow->GetHandle();
  HDC dc = GetDC(wnd);
  if (!dc) return;
  const TRect& r = FMarkRect;
  POINT p[12];
  if (!FMarkVertical) {
    Integer x = FMarkAtStart ? r.Left : r.Right - 6, t = r.Top, b = r.Bottom;
    const POINT lines[12] = {{x, t},         {x + 6, t},     {x + 1, t + 1}, {x + 5, t + 1},
                             {x + 2, t + 2}, {x + 2, b - 2}, {x + 3, t + 2}, {x + 3, b - 2},
                             {x + 1, b - 2}, {x + 5, b - 2}, {x, b - 1},     {x + 6, b - 1}};
    std::copy(lines, lines + 12, p);
  } else {
    Integer y = FMarkAtStart ? r.Top : r.Bottom - 6, l = r.Left, rt = r.Right;
    const POINT lines[12] = {{l, y},          {l, y + 6},      {l + 1, y + 1},  {l + 1, y + 5},
                             {l + 2, y + 2},  {rt - 2, y + 2}, {l + 2, y + 3},  {rt - 2, y + 3},
                             {rt - 2, y + 1}, {rt - 2, y + 5}, {rt - 1, y},     {rt - 1, y + 6}};
    std::copy(lines, lines + 12, p);
  }
  const DWORD counts[6] = {2, 2, 2, 2, 2, 2};
  SetROP2(dc, R2_NOT);
  PolyPolyline(dc, p, counts, 6);
  SetROP2(dc, R2_COPYPEN);
  ReleaseDC(wnd, dc);
}

// ---- Dropping ----------------------------------------------------------------------------------------

void TqzBarDragInfo::Drop() {
  switch (FDragState) {
    case qzDragNoDrop:
      if (FLink) DeleteDraggedLink();
      break;
    case qzDragRegroup:
      Regroup();
      break;
    case qzDragCopy:
    case qzDragMove: {
      bool copy = FDragState == qzDragCopy;
      SetDragState(qzDragNone);
      Insert(copy);
      break;
    }
    default:
      break;
  }
}

void TqzBarDragInfo::DeleteDraggedLink() {
  TqzBarItemLink* link = FLink;
  FLink = nullptr;
  delete link;
  FBarManager->DesignerModified();
}

void TqzBarDragInfo::Regroup() {
  TCustomqzBarControl* window = FLink->GetBarControl();
  TqzBarItemControl* control = FLink->GetControl();
  if (!window || !control || !window->HandleAllocated()) return;
  TPoint p = FLink->ScreenToItemPoint(window->ScreenToClient(MessagePoint()));
  Integer distance = window->IsVerticalLayout() ? p.Y - FPressPoint.Y : p.X - FPressPoint.X;
  if (std::abs(distance) <= 3) return;
  bool beginGroup = distance > 0;
  FBarManager->ChangeSelectedItemControl(control);
  if (FLink->GetBeginGroup() == beginGroup) return;
  FLink->SetBeginGroup(beginGroup);
  FBarManager->DesignerModified();
}

void TqzBarDragInfo::Insert(bool ACopy) {
  TCustomqzBarControl* target = GetTargetWindow();
  if (!target || !target->GetItemLinks()) return;
  TqzBarItemLinks* links = target->GetItemLinks();
  TqzBarItemLink* link = nullptr;
  FBarManager->LockDesignerModified(true);
  FBarManager->BeginUpdate();
  links->BeginUpdate();
  try {
    link = links->AddLink();
    if (FLink) {
      link->Assign(FLink);
      link->SetBeginGroup(false);
    } else {
      link->SetItem(FItem);
    }
    link->RegisterUse(links->UsesRecentItems());
    if (TqzBarItemLink* at = FTargetLink) {
      bool before = FAtSeparator || FBefore;
      link->SetIndex(before ? at->GetIndex() : at->GetIndex() + 1);
      if ((FAtSeparator && !FBefore) || (!FAtSeparator && FBefore && at->GetBeginGroup())) {
        link->SetBeginGroup(true);
        at->SetBeginGroup(false);
      }
    }
    if (!ACopy && FLink) {
      TqzBarItemLink* old = FLink;
      FLink = nullptr;
      old->PassGroupStartOn();
      delete old;
    }
  } catch (...) {
    links->EndUpdate();
    FBarManager->EndUpdate();
    FBarManager->LockDesignerModified(false);
    throw;
  }
  links->EndUpdate();
  FBarManager->EndUpdate();
  FBarManager->LockDesignerModified(false);
  if (!ACopy) FBarManager->DesignerModified();
  if (!link->GetControl() && IsBarControlLive(target)) target->Rebuild();
  TqzBarItemControl* control = link->GetControl();
  if (!control) return;
  FBarManager->ChangeSelectedItemControl(control);
  // A toolbar that takes the link closes the menus open elsewhere.
  if (TCustomqzBarControl* active = ActiveBarControl(); active && active != target && dynamic_cast<TqzBarControl*>(target)) {
    HideActiveBarControl();
    if (IsBarControlLive(target) && (control = link->GetControl())) target->SelectControlFocused(control);
  }
  DesignControllerInstance()->ChangeSelection(link, 0);
}
