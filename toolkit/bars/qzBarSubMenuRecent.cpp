// The menu window's recent items: the cut of its links to the often used ones, the expand mark
// under them with its hot and pressed states, the timers that expand a menu left alone, the keys
// that expand it, and the flags that put the other links on their lighter band once expanded.

#include <algorithm>

#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/WindowPos.h"

void TqzBarSubMenuControl::UpdateRecentLinkLimit() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return;
  bool all = !GetControlBarManager()->IsRecentItemsFirst() || MenusExpanded();
  links->SetRecentLinkLimit(all ? -1 : links->CalcRecentLinkCount());
}

void TqzBarSubMenuControl::UpdateNonRecentFlags() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return;
  Integer limit = links->CalcRecentLinkCount();
  if (limit == -1) limit = links->GetFullMenuLinkCount();
  bool expanded = GetControlBarManager()->IsRecentItemsFirst() && MenusExpanded();
  bool previous = false;
  for (Integer i = FScrollIndex; i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    bool nonRecent = expanded && link->GetRecentIndex() >= limit;
    control->SetNonRecent(nonRecent);
    control->SetStartsBand(expanded && (i == FScrollIndex ? HasDetachCaption() && nonRecent : nonRecent != previous));
    previous = nonRecent;
  }
}

bool TqzBarSubMenuControl::ShowsMark() {
  TqzBarItemLinks* links = GetItemLinks();
  return links && GetControlBarManager()->IsRecentItemsFirst() &&
         links->GetVisibleLinkCount() < links->GetFullMenuLinkCount();
}

void TqzBarSubMenuControl::MarkRect(TRect& R) {
  R = GetClientRect();
  Integer inner = Painter()->ClassRef()->MenuInnerBorderSize();
  R.Left += inner + GetBarSize();
  R.Right -= inner;
  R.Bottom -= inner;
  R.Top = R.Bottom - FMarkSize;
}

Integer TqzBarSubMenuControl::GetChevronSize() const { return std::max<Integer>(FMarkSize / 3 & ~1, 2); }

bool TqzBarSubMenuControl::IsCursorOnMark() {
  if (!HandleAllocated() || !ShowsMark()) return false;
  TRect mark;
  MarkRect(mark);
  POINT cursor{};
  GetCursorPos(&cursor);
  TPoint p = ScreenToClient(TPoint(cursor.X, cursor.Y));
  return PtInRect(&mark, p);
}

void TqzBarSubMenuControl::ChangeMarkState(Byte AState) {
  TqzBarManager* manager = GetControlBarManager();
  if (IsCustomizing() || !manager->IsRecentItemsFirst()) return;
  Byte state = AState;
  // An editor in place keeps the keyboard: the mark does not light up under it.
  TqzBarItemControl* selected = GetSelectedControl();
  if (state == 1 && selected && selected->HostsWindow() && selected->GetActive()) state = 0;
  if (state == FMarkState) return;
  FMarkState = state;
  if (state == 2) {
    KillExpandTimer();
    manager->HideHint();
    Expand();
    return;
  }
  TRect mark;
  MarkRect(mark);
  if (HandleAllocated()) InvalidateRect(GetHandle(), &mark, FALSE);
  if (manager->GetShowFullMenusAfterDelay()) {
    KillExpandTimer();
    if (state == 1 && IsCursorOnMark() && BarHintWindow())
      StartExpandTimer(kMarkExpandTimer, BarHintWindow()->GetShowDelay());
  } else if (state == 1) {
    manager->ActivateHint(true, ResourceStringText(sqzBarExpandMenuHint), nullptr);
  } else {
    manager->HideHint();
  }
}

void TqzBarSubMenuControl::Expand() {
  if (!ShowsMark() || !HandleAllocated()) return;
  // The keyboard's place survives the new window: its link is found again by place and item
  // (the links of container items are made anew with the controls).
  TqzBarItemControl* selected = GetSelectedControl();
  TqzBarItemLink* selectedLink = selected ? selected->GetLink() : nullptr;
  Integer selectedIndex = selectedLink ? selectedLink->GetIndex() : -1;
  TqzBarItem* selectedItem = selectedLink ? selectedLink->GetItem() : nullptr;
  SetMenusExpanded(true);
  FAnimateOnShow = true;
  // The window is made anew: it stays active and open for its opener meanwhile.
  FRecreating = true;
  try {
    DestroyHandle();
  } catch (...) {
    FRecreating = false;
    throw;
  }
  FRecreating = false;
  FWindowDestroyed = false;
  SetBounds(FRequestedLeft, FRequestedTop, GetWidth(), GetHeight());
  HandleNeeded();
  StartPopup();
  TqzBarItemLinks* links = GetItemLinks();
  if (links && selectedIndex >= 0 && selectedIndex < links->GetCount()) {
    TqzBarItemLink* link = links->GetLink(selectedIndex);
    if (link->GetItem() == selectedItem && link->GetControl()) SetSelectedControl(link->GetControl());
  }
}

void TqzBarSubMenuControl::SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) {
  TqzBarItemLink* link = AControl ? AControl->GetLink() : nullptr;
  // A command of the short menu's hidden links runs and counts its use, which brings its link
  // back; a sub-item needs the expanded menu to open its own beside it.
  if (link && link->GetVisibleIndex() < 0 && GetControlBarManager()->SupportsRecentItems() && !AControl->CountsUse()) {
    Expand();
    AControl = link->GetControl();
    if (!AControl) return;
  }
  inherited::SelectAndPress(AControl, ASelectOnly);
}

void TqzBarSubMenuControl::StartExpandTimer(UINT_PTR AId, UINT ADelay) {
  TqzBarManager* manager = GetControlBarManager();
  if (!HandleAllocated() || !manager->IsRecentItemsFirst() || MenusExpanded() || !GetActive() ||
      !manager->GetShowFullMenusAfterDelay())
    return;
  FFullMenuTimer = AId;
  SetTimer(GetHandle(), AId, ADelay, nullptr);
}

void TqzBarSubMenuControl::KillExpandTimer() {
  if (FFullMenuTimer == 0) return;
  if (HandleAllocated()) KillTimer(GetHandle(), FFullMenuTimer);
  FFullMenuTimer = 0;
}

void TqzBarSubMenuControl::ExpandTimer(UINT_PTR AId) {
  KillTimer(GetHandle(), AId);
  if (FFullMenuTimer == AId) FFullMenuTimer = 0;
  if (AId == kMarkExpandTimer) {
    ChangeMarkState(2);
  } else if (!GetOpenedBar()) {
    // A selection left alone lights the mark; an open child menu keeps it as it is.
    ChangeMarkState(1);
  }
}

void TqzBarSubMenuControl::SetActive(bool AActive) {
  inherited::SetActive(AActive);
  KillExpandTimer();
  if (AActive) StartExpandTimer(kMarkExpandTimer);
}

Integer TqzBarSubMenuControl::ExpandingKey(Word AKey) {
  if ((AKey != VK_DOWN && AKey != VK_TAB) || !ShowsMark()) return 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool alt = GetKeyState(VK_MENU) < 0;
  if (AKey == VK_DOWN && ctrl && !shift && !alt) return 1;
  if (ctrl || shift || alt) return 0;
  TqzBarItemLinks* links = GetItemLinks();
  TqzBarItemControl* selected = GetSelectedControl();
  if (!selected || links->GetVisibleLinkCount() == 0 ||
      selected->GetLink() != links->GetVisibleLink(links->GetVisibleLinkCount() - 1))
    return 0;
  return 2;
}

bool TqzBarSubMenuControl::ExpandsByKey(TMessage& Message) {
  Integer expanding = ExpandingKey(static_cast<Word>(Message.WParam));
  if (expanding == 0) return false;
  Expand();
  // Past the last shown link: the key walks on in the expanded menu.
  if (expanding == 2 && HandleAllocated()) SendMessage(GetHandle(), WM_KEYDOWN, Message.WParam, Message.LParam);
  return true;
}

Integer TqzBarSubMenuControl::GetBarSize() {
  TqzBarItemLinks* links = GetItemLinks();
  auto* owner = dynamic_cast<IqzBarSubMenuOwner*>(links ? links->GetOwnerComponent() : nullptr);
  return owner ? owner->GetBarSize() : 0;
}
