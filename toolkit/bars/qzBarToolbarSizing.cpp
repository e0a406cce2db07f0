// Toolbar geometry: minimum, full and wrapped sizes for a docking style, the size for a length
// limit, the placement of the item controls in rows, the separators between groups, and where
// the cursor sits in the window as it changes sides while being dragged.

#include <algorithm>

#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "rtl/Math.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarControlViewInfo)

namespace {

bool IsVerticalStyle(TqzBarDockingStyle AStyle) { return AStyle == dsLeft || AStyle == dsRight; }
bool IsHorizontalStyle(TqzBarDockingStyle AStyle) { return AStyle == dsTop || AStyle == dsBottom; }

// Sets the recent-link limit for a pass and restores it on every path.
class TRecentLimitScope {
 public:
  TRecentLimitScope(TqzBarItemLinks* ALinks, Integer ALimit) : FLinks(ALinks) {
    if (FLinks) FLinks->SetRecentLinkLimit(ALimit);
  }
  ~TRecentLimitScope() {
    if (FLinks) FLinks->RestoreRecentLinkLimit();
  }
  TRecentLimitScope(const TRecentLimitScope&) = delete;
  TRecentLimitScope& operator=(const TRecentLimitScope&) = delete;

 private:
  TqzBarItemLinks* FLinks;
};

}  // namespace

// ---- Measures --------------------------------------------------------------------------------------

Integer TqzBarControl::MarkSize() { return ShowsMark() ? FMarkSize : 0; }

Integer TqzBarControl::DefaultItemSize() {
  return Painter()->ButtonHeightFor(GetControlBarManager()->GetGlyphSize());
}

Integer TqzBarControl::CalcWidth(TqzBarDockingStyle AStyle) {
  TqzBarItemLinks* links = GetItemLinks();
  Integer width = 0;
  if (IsVerticalStyle(AStyle) || AStyle == dsNone || IsMultiLineLayout()) {
    bool any = false;
    for (Integer i = 0; links && i < links->GetFullMenuLinkCount(); ++i)
      if (TqzBarItemControl* control = links->GetFullMenuLink(i)->GetControl()) {
        width = std::max(width, control->CalcWidth());
        any = true;
      }
    if (!any) width = AStyle != dsNone ? DefaultItemSize() : 0;
    if (AStyle == dsNone) {
      TSize button;
      Painter()->ClassRef()->GetCaptionButtonSize(button);
      width = std::max({width, 51, MarkSize() + (HasCloseButton() ? button.cx : 0)});
    }
  } else {
    TRecentLimitScope scope(links, 1);
    TqzBarItemControl* first =
        links && links->GetVisibleLinkCount() > 0 ? links->GetVisibleLink(0)->GetControl() : nullptr;
    width = first ? first->CalcWidth() : DefaultItemSize();
  }
  if (IsHorizontalStyle(AStyle)) width += MarkSize();
  return width;
}

Integer TqzBarControl::CalcRowExtent(TqzBarDockingStyle AStyle) {
  TqzBarItemLinks* links = GetItemLinks();
  Integer height = 0;
  if (IsHorizontalStyle(AStyle) || AStyle == dsNone || IsMultiLineLayout()) {
    bool any = false;
    for (Integer i = 0; links && i < links->GetFullMenuLinkCount(); ++i)
      if (TqzBarItemControl* control = links->GetFullMenuLink(i)->GetControl()) {
        height = std::max(height, control->CalcHeight());
        any = true;
      }
    if (!any) height = DefaultItemSize();
  } else {
    TRecentLimitScope scope(links, 1);
    TqzBarItemControl* first =
        links && links->GetVisibleLinkCount() > 0 ? links->GetVisibleLink(0)->GetControl() : nullptr;
    height = first ? first->CalcHeight() : DefaultItemSize();
  }
  if (IsVerticalStyle(AStyle)) height += MarkSize();
  return height;
}

Integer TqzBarControl::FullWidth(TqzBarDockingStyle AStyle) {
  TqzBarItemLinks* links = GetItemLinks();
  Integer sum = 0;
  if (IsVerticalStyle(AStyle) && !IsMultiLineLayout()) {
    for (Integer i = 0; links && i < links->GetFullMenuLinkCount(); ++i)
      if (TqzBarItemControl* control = links->GetFullMenuLink(i)->GetControl())
        sum = std::max(sum, control->CalcWidth());
  } else {
    TRecentLimitScope scope(links, -1);
    for (Integer i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
      TqzBarItemLink* link = links->GetVisibleLink(i);
      if (TqzBarItemControl* control = link->GetControl())
        sum += control->CalcWidth() + (link->GetBeginGroup() ? SeparatorSize() : 0);
    }
    if (IsHorizontalStyle(AStyle)) sum += MarkSize();
  }
  return std::max(CalcWidth(AStyle), sum);
}

Integer TqzBarControl::FullHeight(TqzBarDockingStyle AStyle) {
  TqzBarItemLinks* links = GetItemLinks();
  Integer sum = 0;
  if (!IsVerticalStyle(AStyle) && !IsMultiLineLayout()) {
    for (Integer i = 0; links && i < links->GetFullMenuLinkCount(); ++i)
      if (TqzBarItemControl* control = links->GetFullMenuLink(i)->GetControl())
        sum = std::max(sum, control->CalcHeight());
  } else {
    TRecentLimitScope scope(links, -1);
    for (Integer i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
      TqzBarItemLink* link = links->GetVisibleLink(i);
      if (TqzBarItemControl* control = link->GetControl())
        sum += control->CalcHeight() + (link->GetBeginGroup() ? SeparatorSize() : 0);
    }
    if (IsVerticalStyle(AStyle)) sum += MarkSize();
  }
  return std::max(CalcRowExtent(AStyle), sum);
}

// ---- Wrapping --------------------------------------------------------------------------------------

void TqzBarControl::WrapToLength(TqzBarDockingStyle AStyle, Integer ALength, TSize& ASize) {
  bool alongY = IsVerticalStyle(AStyle);
  Integer entering = alongY ? ASize.cy : ASize.cx;
  Integer length = std::max(ALength, entering);
  if (AStyle != dsNone) length -= MarkSize();
  TqzBarItemLinks* links = GetItemLinks();
  Integer count = links ? links->GetVisibleLinkCount() : 0;
  Integer pos = 0, rowThickness = 0, finished = 0, longest = 0;
  // The last group start of the current row, with the row position and thickness before it.
  Integer groupStart = -1, groupPos = 0, groupThickness = 0;
  bool breakWithoutGroup = false;
  bool rewrapping = false;
  for (Integer i = 0; i < count; ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    Integer len = alongY ? control->CalcHeight() : control->CalcWidth();
    Integer thick = alongY ? control->CalcWidth() : control->CalcHeight();
    Integer gap = 0;
    bool startsGroup = link->GetBeginGroup() && pos > 0;
    if (startsGroup) gap = SeparatorSize();
    Integer end = pos + gap + len;
    bool newRow = (pos > 0 && end > length) || rewrapping || (gap > 0 && breakWithoutGroup);
    if (newRow) {
      control->SetStartsRow(true);
      if (groupStart >= 0 && !rewrapping) {
        // The whole group goes to the next row: walk back to its start.
        i = groupStart - 1;
        pos = groupPos;
        rowThickness = groupThickness;
        rewrapping = true;
        continue;
      }
      breakWithoutGroup = groupStart < 0;
      rewrapping = false;
      finished += gap + rowThickness;
      longest = std::max(longest, pos);
      rowThickness = 0;
      pos = len;
      groupStart = -1;
    } else {
      control->SetStartsRow(false);
      if (startsGroup) {
        groupStart = i;
        groupPos = pos;
        groupThickness = rowThickness;
      }
      pos = end;
    }
    rowThickness = std::max(rowThickness, thick);
  }
  longest = std::max(longest, pos);
  Integer across = count > 0 ? finished + rowThickness : 0;
  if (alongY) {
    ASize.cx = std::max<Integer>(ASize.cx, across);
    ASize.cy = std::max(longest, entering);
  } else {
    ASize.cy = std::max<Integer>(ASize.cy, across);
    ASize.cx = std::max(longest, entering);
  }
  CalcViewInfoNow();
}

// ---- Sizes for a limit -------------------------------------------------------------------------------

void TqzBarControl::CalcSize(TqzBarDockingStyle AStyle, Integer ALimit, TSize& ASize) {
  TqzBarItemLinks* links = GetItemLinks();
  {
    TRecentLimitScope all(links, -1);
    CalcViewInfoNow();
  }
  if (IsMultiLineLayout() && IsVerticalStyle(AStyle)) {
    Integer height = FullHeight(AStyle);
    CalcSizeForHeight(AStyle, height, ASize);
    for (;;) {
      if (ASize.cx >= ALimit || height <= 1) break;
      TSize next;
      CalcSizeForHeight(AStyle, height - 1, next);
      if (next.cy == ASize.cy && next.cx == ASize.cx) break;
      ASize = next;
      --height;
    }
    return;
  }
  if (IsMultiLineLayout()) {
    ASize = TSize(CalcWidth(AStyle), CalcRowExtent(AStyle));
    WrapToLength(AStyle, ALimit, ASize);
    return;
  }
  if (IsVerticalStyle(AStyle)) {
    ASize = TSize(CalcWidth(AStyle), FullHeight(AStyle));
    return;
  }
  ASize = TSize(CalcWidth(AStyle), CalcRowExtent(AStyle));
  Integer count = links ? links->GetVisibleLinkCount() : 0;
  if (count == 0) return;
  Integer limit = std::max(ALimit, ASize.cx) - MarkSize();
  Integer sum = 0, tallest = 0;
  auto sumLinks = [&](Integer AUpTo, bool AStopAtLimit) {
    sum = 0;
    tallest = 0;
    Integer n = 0;
    for (Integer i = 0; i < links->GetVisibleLinkCount() && i < AUpTo; ++i) {
      TqzBarItemLink* link = links->GetVisibleLink(i);
      TqzBarItemControl* control = link->GetControl();
      if (!control) continue;
      Integer add = control->CalcWidth() + (link->GetBeginGroup() && i > 0 ? SeparatorSize() : 0);
      if (AStopAtLimit && n > 0 && sum + add > limit) break;
      sum += add;
      tallest = std::max(tallest, control->CalcHeight());
      ++n;
    }
    return n;
  };
  if (!links->UsesRecentItems() || IsCustomizing()) {
    sumLinks(count, true);
  } else {
    // The most recently used links that fit stay set as the visible ones.
    Integer fitting = -1;
    for (Integer n = 1;; ++n) {
      links->SetRecentLinkLimit(n);
      Integer shown = links->GetVisibleLinkCount();
      sumLinks(shown, false);
      bool fits = sum <= limit || n == 1;
      links->RestoreRecentLinkLimit();
      if (!fits) break;
      fitting = n;
      if (shown >= count) {
        fitting = -1;
        break;
      }
    }
    links->SetRecentLinkLimit(fitting);
    sumLinks(links->GetVisibleLinkCount(), false);
  }
  ASize.cx = std::max(sum + MarkSize(), CalcWidth(AStyle));
  ASize.cy = std::max<Integer>(tallest, 1);
}

void TqzBarControl::CalcSizeForHeight(TqzBarDockingStyle AStyle, Integer AHeight, TSize& ASize) {
  TqzBarItemLinks* links = GetItemLinks();
  if (IsMultiLineLayout() && !IsVerticalStyle(AStyle)) {
    Integer width = FullWidth(AStyle);
    ASize = TSize(CalcWidth(AStyle), CalcRowExtent(AStyle));
    WrapToLength(AStyle, width, ASize);
    for (;;) {
      if (ASize.cy >= AHeight || width <= 1) break;
      TSize next(CalcWidth(AStyle), CalcRowExtent(AStyle));
      WrapToLength(AStyle, width - 1, next);
      if (next.cy == ASize.cy && next.cx == ASize.cx) {
        --width;
        if (next.cx < width) width = next.cx;
        continue;
      }
      if (next.cy > AHeight) break;
      ASize = next;
      --width;
    }
    return;
  }
  if (IsMultiLineLayout()) {
    ASize = TSize(CalcWidth(AStyle), CalcRowExtent(AStyle));
    WrapToLength(AStyle, AHeight, ASize);
    return;
  }
  if (IsHorizontalStyle(AStyle)) {
    ASize = TSize(FullWidth(AStyle), CalcRowExtent(AStyle));
    return;
  }
  // A single-line vertical bar fits its links into the height.
  ASize = TSize(CalcWidth(AStyle), CalcRowExtent(AStyle));
  Integer limit = std::max(AHeight, ASize.cy) - MarkSize();
  Integer sum = 0, widest = 0, n = 0;
  TRecentLimitScope all(links, -1);
  for (Integer i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    Integer add = control->CalcHeight() + (link->GetBeginGroup() && i > 0 ? SeparatorSize() : 0);
    if (n > 0 && sum + add > limit) break;
    sum += add;
    widest = std::max(widest, control->CalcWidth());
    ++n;
  }
  ASize.cy = std::max(sum + MarkSize(), ASize.cy);
  ASize.cx = std::max<Integer>(widest, ASize.cx);
}

void TqzBarControl::CalcSizeForDockingStyle(TqzBarDockingStyle AStyle, TSize& ASize) {
  HandleNeeded();
  TRect border = BorderSizes(AStyle);
  Integer hBorder = border.Left + border.Right;
  Integer vBorder = border.Top + border.Bottom;
  if (AStyle == dsNone || (KindFlags() & 0xFF80)) {
    CalcSize(dsNone, FBar->GetFloatClientWidth(), ASize);
    ASize.cx += hBorder;
    ASize.cy += vBorder;
    return;
  }
  TqzDockControl* site = GetControlBarManager()->GetBars()->GetDockControl(AStyle);
  bool whole = FBar->GetWholeRow() && site;
  if (IsVerticalStyle(AStyle)) {
    Integer height = whole ? site->GetClientHeight() - vBorder : FullHeight(AStyle);
    CalcSizeForHeight(AStyle, height, ASize);
    ASize.cx += hBorder;
    ASize.cy = whole ? site->GetClientHeight() : ASize.cy + vBorder;
  } else {
    Integer width = whole ? site->GetClientWidth() - hBorder : FullWidth(AStyle);
    CalcSize(AStyle, width, ASize);
    ASize.cy += vBorder;
    ASize.cx = whole ? site->GetClientWidth() : ASize.cx + hBorder;
  }
  CalcViewInfoNow();
}

// ---- Placement ---------------------------------------------------------------------------------------

void TqzBarControl::FinishPlacedRow(Integer AFirst, Integer ALast, Integer AThickness, bool AVertical,
                                    Integer AColumnEdge) {
  TqzBarItemLinks* links = GetItemLinks();
  for (Integer i = AFirst; i <= ALast; ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TRect r = link->GetItemRect();
    if (IsRectEmpty(&r) || !link->GetControl()) continue;
    if (AVertical) {
      (void)AColumnEdge;
      OffsetRect(&r, -(AThickness - r.Width()) / 2, 0);
    } else {
      OffsetRect(&r, 0, (AThickness - r.Height()) / 2);
    }
    link->SetItemRect(r);
    link->SetRowHeight(AThickness);
  }
}

void TqzBarControl::HideHostedWindowOf(TqzBarItemLink* ALink) {
  TqzBarItem* item = ALink->GetItem();
  if (item && item->HostsWindow() && ALink->GetControl()) item->HideHostedWindow(ALink->GetControl());
}

void TqzBarControl::PlaceControls() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return;
  bool vertical = IsVertical();
  bool multi = IsMultiLineLayout();
  TRect client = GetClientRect();
  Integer available = vertical ? client.Height() : client.Width();
  if (!IsFloating()) available -= MarkSize();
  Integer columnEdge = client.Width();
  Integer rowThickness = multi ? 0 : (vertical ? client.Width() : client.Height());
  Integer pos = 0, offset = 0, rowFirst = 0, lastPlaced = -1;
  bool hiding = false;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    if (hiding) {
      FLinksHidden = true;
      HideHostedWindowOf(link);
      continue;
    }
    if (!link->GetControl()) link->CreateControl();
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    control->SetIsLastInMenu(false);
    Integer len = vertical ? control->CalcHeight() : control->CalcWidth();
    Integer thick = vertical ? control->CalcWidth() : control->CalcHeight();
    Integer gap = link->GetBeginGroup() && pos > 0 ? SeparatorSize() : 0;
    bool needsRow = ((pos > 0 || (!multi && MayHideFirstLink())) && pos + gap + len > available) ||
                    (multi && control->GetStartsRow() && pos > 0);
    if (needsRow) {
      if (!multi) {
        hiding = true;
        FLinksHidden = true;
        HideHostedWindowOf(link);
        continue;
      }
      if (lastPlaced >= 0) links->GetVisibleLink(lastPlaced)->GetControl()->SetIsLastInMenu(true);
      FinishPlacedRow(rowFirst, i - 1, rowThickness, vertical, columnEdge);
      offset += rowThickness + gap;
      pos = 0;
      gap = 0;
      rowThickness = 0;
      rowFirst = i;
    }
    TRect r;
    if (multi && vertical)
      r = TRect(columnEdge - offset - thick, pos + gap, columnEdge - offset, pos + gap + len);
    else if (multi)
      r = TRect(pos + gap, offset, pos + gap + len, offset + thick);
    else if (vertical)
      r = TRect((rowThickness - thick) / 2, pos + gap, (rowThickness - thick) / 2 + thick, pos + gap + len);
    else
      r = TRect(pos + gap, (rowThickness - thick) / 2, pos + gap + len, (rowThickness - thick) / 2 + thick);
    TqzBarItemAlign align = control->GetAlign();
    Integer start = vertical ? r.Top : r.Left;
    Integer end = vertical ? r.Bottom : r.Right;
    Integer shift = 0;
    if (align == iaCenter) shift = (available - end) / 2;
    if (align == iaRight) shift = available - end;
    if (align == iaClient) end = std::max(available, start + control->MinimumWidth());
    if (vertical) {
      OffsetRect(&r, 0, shift);
      if (align == iaClient) r.Bottom = end;
    } else {
      OffsetRect(&r, shift, 0);
      if (align == iaClient) r.Right = end;
    }
    link->SetItemRect(r);
    link->SetRowHeight(rowThickness);
    lastPlaced = i;
    if (align != iaLeft) {
      pos = available;
      if (i + 1 < links->GetVisibleLinkCount()) FLinksHidden = true;
    } else {
      pos += gap + len;
    }
    if (multi) rowThickness = std::max(rowThickness, thick);
  }
  if (lastPlaced >= 0) links->GetVisibleLink(lastPlaced)->GetControl()->SetIsLastInMenu(true);
  if (multi && lastPlaced >= 0) FinishPlacedRow(rowFirst, lastPlaced, rowThickness, vertical, columnEdge);
  if (!multi)
    for (Integer i = 0; i <= lastPlaced; ++i) links->GetVisibleLink(i)->SetRowHeight(rowThickness);
}

void TqzBarControl::LinkAtPoint(const TPoint& P, TqzBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                bool& AAtSeparator) {
  TCustomqzBarControl::LinkAtPoint(P, ALink, AVertical, ABefore, AAtSeparator);
  TqzBarItemLinks* links = GetItemLinks();
  TRect client = GetClientRect();
  if (ALink || !links || !PtInRect(&client, P)) return;
  bool vertical = AVertical;
  Integer rowFirst = 0;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* last = links->GetVisibleLink(i);
    TqzBarItemControl* control = last->GetControl();
    // The placement marks the last control of each row; the row is centred on it.
    if (!control || !control->GetIsLastInMenu()) continue;
    TRect r = last->GetItemRect();
    Integer bandStart = (vertical ? r.Left + r.Right : r.Top + r.Bottom) / 2 - last->GetRowHeight() / 2;
    Integer across = vertical ? P.X : P.Y;
    if (across >= bandStart && across < bandStart + last->GetRowHeight()) {
      bool before = vertical ? P.Y < r.Top : P.X < r.Left;
      TqzBarItemAlign align = control->GetAlign();
      ALink = before && (align == iaLeft || align == iaClient) ? links->GetVisibleLink(rowFirst) : last;
      ABefore = before;
      return;
    }
    rowFirst = i + 1;
  }
}

// ---- Layout info ---------------------------------------------------------------------------------------

void TqzBarControlViewInfo::Calculate() {
  auto* bar = static_cast<TqzBarControl*>(GetBarControl());
  bar->CalcItemsRect();
  TCustomqzBarControlViewInfo::Calculate();
  TqzBarItemLinks* links = bar->GetItemLinks();
  for (Integer i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control || IsRectEmpty(&link->GetItemRect())) continue;
    control->GetViewInfo()->SetBounds(link->GetItemRect());
    AppendControlInfo(control->GetViewInfo());
    AddSeparatorFor(link);
    if (StopsAfter(control)) break;
  }
}

void TqzBarControlViewInfo::AddSeparatorFor(TqzBarItemLink* ALink) {
  if (!HasSeparators() || !ALink->GetBeginGroup()) return;
  TRect bounds = ALink->GetControl()->GetViewInfo()->GetBounds();
  if (IsRectEmpty(&bounds)) return;
  CalcSeparatorRect(ALink, bounds);
}

void TqzBarControlViewInfo::CalcSeparatorRect(TqzBarItemLink* ALink, const TRect& ABounds) {
  auto* bar = static_cast<TqzBarControl*>(GetBarControl());
  const TRect& r = ABounds;
  Integer h = ALink->GetRowHeight();
  Integer s = bar->SeparatorSize();
  Integer m = bar->IsFloating() ? 0 : bar->MarkSize();
  TRect client = bar->GetClientRect();
  bool vertical = bar->IsVertical();
  TqzBarItemControl* control = ALink->GetControl();
  if (!vertical && r.Left == 0 && r.Top > 0) {
    Integer top = r.Top - (h - r.Height()) / 2 - s;
    AppendSeparatorEntry(TRect(0, top, client.Width() - m, top + s), 0, control);
  } else if (vertical && r.Top > 0) {
    Integer left = r.Left - (h - r.Width()) / 2;
    AppendSeparatorEntry(TRect(left, r.Top - s, left + h, r.Top), 0, control);
  } else if (!vertical) {
    Integer top = r.Top - (h - r.Height()) / 2;
    AppendSeparatorEntry(TRect(r.Left - s, top, r.Left, top + h), 1, control);
  } else {
    Integer left = r.Right + (h - r.Width()) / 2;
    AppendSeparatorEntry(TRect(left, 0, left + s, client.Height() - m), 1, control);
  }
}

// ---- Moving ----------------------------------------------------------------------------------------------

void TqzBarControl::SetMoving(bool AMoving) {
  if (FMoving == AMoving) return;
  FMoving = AMoving;
  if (AMoving) {
    SetHostedWindowsHooked(false);
    Screen()->SetCursor(crSizeAll);
    return;
  }
  DestroyKeptHandles();
  SetHostedWindowsHooked(true);
  Screen()->SetCursor(crDefault);
  StorePosition();
}

void TqzBarControl::CursorOffsetForStyle(TqzBarDockingStyle AStyle, TPoint& P) {
  TqzBars* bars = GetControlBarManager()->GetBars();
  if (AStyle != dsNone && bars->GetMovingBarControl() == this && AStyle == bars->GetDragTargetStyle()) {
    const TPoint& shift = bars->GetRowAnchorShift();
    if (IsVerticalStyle(AStyle))
      P = TPoint(-shift.X, FDragOffset.Y);
    else
      P = TPoint(FDragOffset.X, -shift.Y);
    return;
  }
  if (FDragSize.cx <= 0 || FDragSize.cy <= 0) {
    P = TPoint(0, 0);
    return;
  }
  TSize size;
  CalcSizeForDockingStyle(AStyle, size);
  P = TPoint(MulDiv(size.cx, FDragOffset.X, FDragSize.cx), MulDiv(size.cy, FDragOffset.Y, FDragSize.cy));
}
