// The menu window's scrolling: which links show between the scroll buttons, the buttons and the
// expand mark drawn before the items, the timer that scrolls while the mouse rests on a button,
// keeping the keyboard's selection in view, and the mouse over the buttons, the mark and the
// detach caption.

#include <algorithm>

#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"

namespace {

// The links laid out from the first index (their rectangles have a bottom).
Integer LaidOutRows(TqzBarItemLinks* ALinks, Integer AFirst) {
  Integer rows = 0;
  for (Integer i = AFirst; i < ALinks->GetVisibleLinkCount(); ++i)
    if (ALinks->GetVisibleLink(i)->GetItemRect().Bottom != 0) ++rows;
  return rows;
}

}  // namespace

bool TqzBarSubMenuControl::CanScrollDown() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links || links->GetVisibleLinkCount() == 0) return false;
  if (LaidOutRows(links, FScrollIndex) < links->GetVisibleLinkCount() - FScrollIndex) return true;
  return links->GetVisibleLink(links->GetVisibleLinkCount() - 1)->GetItemRect().Bottom > GetItemsRect().Bottom;
}

void TqzBarSubMenuControl::SetScrollIndex(Integer AIndex) {
  AIndex = std::max<Integer>(AIndex, 0);
  if (AIndex == FScrollIndex) return;
  FScrollIndex = AIndex;
  if (!HandleAllocated()) return;
  CalcItemsRect();
  CalcViewInfo();
  RECT items = GetItemsRect();
  InvalidateRect(GetHandle(), &items, FALSE);
}

UINT TqzBarSubMenuControl::ScrollInterval() { return Painter()->ClassRef()->ScrollButtonsHaveOwnBands() ? 200 : 80; }

Integer TqzBarSubMenuControl::FirstShownIndex() {
  bool overItems = !Painter()->ClassRef()->ScrollButtonsHaveOwnBands();
  return FScrollIndex + (CanScrollUp() && overItems ? 1 : 0);
}

Integer TqzBarSubMenuControl::LastShownIndex() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return FScrollIndex - 1;
  Integer last = FScrollIndex + std::max<Integer>(LaidOutRows(links, FScrollIndex), 1) - 1;
  if (Painter()->ClassRef()->ScrollButtonsHaveOwnBands() || !CanScrollDown()) return last;
  // A row that reaches under the down button would show cut: it waits for the next scroll.
  TRect down;
  Painter()->GetScrollButtonRect(this, true, down);
  while (last > FScrollIndex && last < links->GetVisibleLinkCount() &&
         links->GetVisibleLink(last)->GetItemRect().Bottom > down.Top)
    --last;
  return last;
}

TqzBarItemControl* TqzBarSubMenuControl::GetBottomItemControl() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return nullptr;
  Integer index = FScrollIndex + std::max<Integer>(LaidOutRows(links, FScrollIndex), 1) - 1;
  return index < links->GetVisibleLinkCount() ? links->GetVisibleLink(index)->GetControl() : nullptr;
}

void TqzBarSubMenuControl::AdjustVisibleItemsRect(TRect& R) {
  if (!Painter()->ClassRef()->ScrollButtonsHaveOwnBands()) return;
  Integer band = Painter()->ScrollButtonHeight(this);
  if (CanScrollUp()) R.Top += band;
  // The down band is kept when what follows the first link does not fit (measured, not read from
  // the last layout, which may not exist yet).
  TqzBarItemLinks* links = GetItemLinks();
  Integer height = 0;
  for (Integer i = FScrollIndex; links && i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    if (TqzBarItemControl* control = link->GetControl()) height += GroupSpacingBefore(link) + control->CalcHeight();
  }
  if (height > R.Height()) R.Bottom -= band;
}

bool TqzBarSubMenuControl::AcceptsPartialLink(const TRect& R) {
  TRect down;
  Painter()->GetScrollButtonRect(this, true, down);
  return R.Top < down.Top;
}

void TqzBarSubMenuControl::ScrollIntoView(TqzBarItemControl* AControl) {
  TqzBarItemLink* link = AControl ? AControl->GetLink() : nullptr;
  if (!link || !HandleAllocated()) return;
  Integer index = link->GetVisibleIndex();
  if (index < 0) return;
  auto hidden = [&]() { return IsRectEmpty(&link->GetItemRect()); };
  auto above = [&]() {
    return index < FirstShownIndex() || hidden() || link->GetItemRect().Top < GetVisibleItemsRect().Top;
  };
  auto below = [&]() {
    return index > LastShownIndex() || hidden() || link->GetItemRect().Bottom > GetVisibleItemsRect().Bottom;
  };
  if (CanScrollUp() && above()) {
    while (FScrollIndex > 0 && above()) {
      --FScrollIndex;
      CalcItemsRect();
    }
  } else if (CanScrollDown() && below()) {
    while (CanScrollDown() && below()) {
      ++FScrollIndex;
      CalcItemsRect();
    }
  }
  CalcViewInfo();
  RECT items = GetItemsRect();
  InvalidateRect(GetHandle(), &items, FALSE);
}

bool TqzBarSubMenuControl::IsOnScrollButton(const TPoint& P, bool ADown) {
  TRect r;
  Painter()->GetScrollButtonRect(this, ADown, r);
  return PtInRect(&r, P);
}

bool TqzBarSubMenuControl::IsOnActiveScrollButton(const TPoint& P) {
  return (CanScrollUp() && IsOnScrollButton(P, false)) || (CanScrollDown() && IsOnScrollButton(P, true));
}

void TqzBarSubMenuControl::StopScrolling() {
  if (!FScrolling) return;
  FScrolling = false;
  KillTimer(GetHandle(), kScrollTimer);
  RecordMousePos(TPoint(-1, -1));
  RECT items = GetItemsRect();
  InvalidateRect(GetHandle(), &items, FALSE);
}

void TqzBarSubMenuControl::ScrollTimer() {
  POINT cursor{};
  GetCursorPos(&cursor);
  TPoint p = ScreenToClient(TPoint(cursor.X, cursor.Y));
  if (CanScrollUp() && IsOnScrollButton(p, false)) {
    SetScrollIndex(FScrollIndex - 1);
  } else if (CanScrollDown() && IsOnScrollButton(p, true)) {
    SetScrollIndex(FScrollIndex + 1);
  } else {
    // The end of the list or the mouse gone: the control under the mouse takes it again.
    StopScrolling();
    SendMessage(GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
  }
}

void TqzBarSubMenuControl::DrawScrollButtons() {
  TkvCanvas* canvas = ActiveCanvas();
  TqzBarPainter* painter = Painter();
  bool up = CanScrollUp();
  bool down = CanScrollDown();
  bool mark = ShowsMark();
  TRect upRect, downRect, markRect;
  painter->GetScrollButtonRect(this, false, upRect);
  painter->GetScrollButtonRect(this, true, downRect);
  MarkRect(markRect);
  canvas->PushClip();
  try {
    if (up) painter->DrawScrollButton(this, canvas, false);
    if (down) painter->DrawScrollButton(this, canvas, true);
    if (mark) painter->DrawExpandButton(this, markRect, FMarkState == 1);
  } catch (...) {
    canvas->PopClip();
    throw;
  }
  canvas->PopClip();
  // What is drawn next (the items, the background) leaves the buttons alone.
  if (up) canvas->ClipOutRect(upRect);
  if (down) canvas->ClipOutRect(downRect);
  if (mark) canvas->ClipOutRect(markRect);
}

void TqzBarSubMenuControl::BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) {
  if (IsAnimating()) {
    // A window rolling out keeps rolling under a resting mouse or one outside it; a real move
    // over it finishes it.
    if (IsMouseBlocked(true) || IsMouseBlocked(false)) return;
    TkvObjectLink* self = LinkToObject(this);
    FinishAnimation();
    bool alive = self->Ref != nullptr;
    ReleaseObjectLink(self);
    if (!alive) return;
  }
  if (HasDetachCaption()) SetDetachCaptionHot(IsCursorOnDetachCaption());
  if (ShowsMark()) ChangeMarkState(IsCursorOnMark() ? 1 : 0);
  if (!HandleAllocated()) return;
  if (!IsOnActiveScrollButton(P)) {
    StopScrolling();
    inherited::BarMouseMove(AShift, P, AControl);
    return;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  if (FScrolling || TPoint(cursor.X, cursor.Y) == GetLastMousePos()) return;
  SetSelectedControl(nullptr);
  FScrolling = true;
  SetTimer(GetHandle(), kScrollTimer, ScrollInterval(), nullptr);
}

void TqzBarSubMenuControl::BarMouseLeave() {
  SetDetachCaptionHot(false);
  if (HandleAllocated() && (CanScrollUp() || CanScrollDown())) {
    RECT items = GetItemsRect();
    InvalidateRect(GetHandle(), &items, FALSE);
  }
  inherited::BarMouseLeave();
}

void TqzBarSubMenuControl::LeftButtonDown(TMessage& Message) {
  // The buttons scroll under the resting mouse; a press there does nothing.
  if (FScrolling) return;
  TkvObjectLink* self = LinkToObject(this);
  inherited::WndProc(Message);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || !HandleAllocated()) return;
  FinishAnimation();
  if (FDetachCaptionHot) {
    TearOff();
  } else if (IsCursorOnMark()) {
    if (FMarkState == 1) {
      ChangeMarkState(2);
    } else {
      SetSelectedControl(nullptr);
      ChangeMarkState(1);
    }
  }
}
