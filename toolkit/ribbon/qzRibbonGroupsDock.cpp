// The groups dock control of a ribbon tab: the fit of its groups and their scrolling.

#include "toolkit/ribbon/qzRibbonGroupsDock.h"

#include <cstdlib>

#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "user/WindowPos.h"

TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControlViewInfo)
TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControl)

// ---- View info -------------------------------------------------------------------------------

std::vector<TqzRibbonGroupBarControl*> TqzRibbonGroupsDockControlViewInfo::VisibleGroups() const {
  std::vector<TqzRibbonGroupBarControl*> result;
  TqzRibbonTabGroups* groups = FDockControl->GetTab()->GetGroups();
  for (Integer i = 0; i < groups->GetCount(); ++i) {
    TqzBar* toolbar = groups->GetGroup(i)->GetToolBar();
    auto* window = toolbar ? dynamic_cast<TqzRibbonGroupBarControl*>(toolbar->GetBarControl()) : nullptr;
    if (window && window->GetDockControl() == FDockControl && !window->IsDestroying()) result.push_back(window);
  }
  return result;
}

Integer TqzRibbonGroupsDockControlViewInfo::GroupGap() const {
  TqzCustomRibbon* ribbon = FDockControl->GetTab()->GetRibbon();
  return ribbon ? ribbon->GetGroupsPainter()->DockedBarSpacing() : 0;
}

Integer TqzRibbonGroupsDockControlViewInfo::TotalWidth() const {
  const std::vector<TqzRibbonGroupBarControl*> groups = VisibleGroups();
  Integer total = 0;
  for (TqzRibbonGroupBarControl* group : groups) total += group->GroupViewInfo()->GetTotalSize().cx;
  if (groups.size() >= 2) total += GroupGap() * static_cast<Integer>(groups.size() - 1);
  return total;
}

// The trailing gap after the last group does not count.
bool TqzRibbonGroupsDockControlViewInfo::GroupsFit(const std::vector<TqzRibbonGroupBarControl*>& AGroups,
                                                   Integer AWidth) const {
  const Integer gap = GroupGap();
  Integer sum = 0;
  for (TqzRibbonGroupBarControl* group : AGroups) {
    const Integer width = group->GroupViewInfo()->GetTotalSize().cx;
    if (AWidth < sum + width) return false;
    sum += width + gap;
  }
  return true;
}

template <class TStep>
bool TqzRibbonGroupsDockControlViewInfo::RunStage(const std::vector<TqzRibbonGroupBarControl*>& AGroups,
                                                  Integer AWidth, bool ARepeat, TStep AStep) {
  for (auto group = AGroups.rbegin(); group != AGroups.rend(); ++group) {
    while (AStep(*group) && !GroupsFit(AGroups, AWidth) && ARepeat) {
    }
    if (GroupsFit(AGroups, AWidth)) return true;
  }
  return false;
}

void TqzRibbonGroupsDockControlViewInfo::Calculate(const TRect& ABounds) {
  const Integer width = ABounds.Width();
  const std::vector<TqzRibbonGroupBarControl*> groups = VisibleGroups();
  std::vector<bool> collapsedBefore;
  for (TqzRibbonGroupBarControl* group : groups) {
    group->HandleNeeded();
    collapsedBefore.push_back(group->GetCollapsed());
  }
  for (TqzRibbonGroupBarControl* group : groups) group->GroupViewInfo()->RebuildItems();
  struct TFinish {
    const std::vector<TqzRibbonGroupBarControl*>& Groups;
    ~TFinish() {
      for (TqzRibbonGroupBarControl* group : Groups) group->GroupViewInfo()->FinishLayout();
    }
  } finish{groups};
  for (TqzRibbonGroupBarControl* group : groups) group->GroupViewInfo()->CalculateLayout();
  if (!GroupsFit(groups, width)) {
    for (TqzRibbonGroupBarControl* group : groups) group->GroupViewInfo()->PrepareReduction();
    const auto info = [](TqzRibbonGroupBarControl* AGroup) { return AGroup->GroupViewInfo(); };
    bool fits = RunStage(groups, width, true, [&](TqzRibbonGroupBarControl* g) { return info(g)->NarrowColumnedItem(); }) ||
                RunStage(groups, width, true, [&](TqzRibbonGroupBarControl* g) { return info(g)->FoldColumnedItem(); });
    for (TqzBarItemViewLevel level : {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly})
      fits = fits || RunStage(groups, width, true, [&](TqzRibbonGroupBarControl* g) { return info(g)->ReduceStep(level); });
    if (!fits)
      RunStage(groups, width, false, [&](TqzRibbonGroupBarControl* g) {
        TqzRibbonTabGroup* tabGroup = g->TabGroup();
        if (!tabGroup || !tabGroup->GetCanCollapse()) return false;
        info(g)->SetCollapsed(true);
        info(g)->CalculateLayout();
        return true;
      });
  }
  UpdateScrollButtons(width);
  TqzRibbonTab* tab = FDockControl->GetTab();
  TqzCustomRibbon* ribbon = tab->GetRibbon();
  if (!ribbon) return;
  for (size_t i = 0; i < groups.size() && i < collapsedBefore.size(); ++i) {
    const bool collapsed = groups[i]->GetCollapsed();
    if (collapsed == collapsedBefore[i]) continue;
    const TqzRibbonTabGroupNotifyEvent& event =
        collapsed ? ribbon->GetOnTabGroupCollapsed() : ribbon->GetOnTabGroupExpanded();
    if (event) event(ribbon, tab, groups[i]->TabGroup());
  }
}

void TqzRibbonGroupsDockControlViewInfo::UpdateScrollButtons(Integer AWidth) {
  const Integer total = TotalWidth();
  if (AWidth >= total) {
    FScrollLeft = FScrollRight = false;
    FScrollOffset = 0;
  } else if (!FScrollLeft && !FScrollRight) {
    FScrollRight = true;
  } else if (FScrollLeft && !FScrollRight) {
    FScrollOffset = AWidth - total;
  } else if (FScrollLeft && FScrollRight && AWidth >= total + FScrollOffset) {
    FScrollRight = false;
    FScrollOffset = AWidth - total;
  }
}

void TqzRibbonGroupsDockControlViewInfo::ScrollBy(Integer ADelta, Integer AWidth) {
  const Integer total = TotalWidth();
  FScrollOffset += ADelta;
  FScrollOffset = FScrollOffset <= 0 ? std::max(FScrollOffset, AWidth - total) : 0;
  FScrollLeft = FScrollOffset < 0;
  FScrollRight = AWidth < total + FScrollOffset;
  FDockControl->SetBoundsRect(FDockControl->GetTab()->GetGroupsDockBounds());
}

void TqzRibbonGroupsDockControlViewInfo::ResetScrolling() {
  FScrollLeft = FScrollRight = false;
  FScrollOffset = 0;
}

// ---- Dock control ----------------------------------------------------------------------------

TqzRibbonGroupsDockControl::TqzRibbonGroupsDockControl(TqzRibbonTab* ATab)
    : TqzCustomRibbonDockControl(nullptr), FTab(ATab), FViewInfo(std::make_unique<TqzRibbonGroupsDockControlViewInfo>(this)) {
  SetAllowDocking(false);
  SetVisible(false);
}

TqzRibbonGroupsDockControl::~TqzRibbonGroupsDockControl() = default;

TqzBarControlFactory TqzRibbonGroupsDockControl::BarControlClass() { return &NewRibbonGroupBarControl; }

TClassOf<TqzBarAccessibilityHelper> TqzRibbonGroupsDockControl::GetAccessibilityHelperClass() {
  return TqzRibbonGroupsDockControlAccessibilityHelper::ClassInfo();
}

void TqzRibbonGroupsDockControl::ArrangeRows() {
  if (FArranging || !GetVisible() || !HandleAllocated() || !GetBarManager()) return;
  FArranging = true;
  try {
    FTab->UpdateGroupsLayout();
  } catch (...) {
    FArranging = false;
    throw;
  }
  FArranging = false;
}

Integer TqzRibbonGroupsDockControl::AvailableWidth() { return FTab->GetGroupsDockBounds().Width(); }

void TqzRibbonGroupsDockControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TqzCustomRibbon* ribbon = FTab->GetRibbon();
  const bool laidOut = ribbon && !ribbon->GetComponentState().Contains(csDestroying) && !ribbon->IsLoading();
  if (laidOut) {
    TqzRibbonGroupsDockControlSite* site = ribbon->GetGroupsSite();
    const Integer button = std::abs(ribbon->GetFonts()->GetTabHeader()->GetHeight()) + 2;
    const Integer shift = button - ALeft;
    if (FViewInfo->ShowsLeftScrollButton()) {
      ALeft += shift;
      AWidth -= shift;
    }
    if (FViewInfo->ShowsRightScrollButton()) AWidth -= shift;
    site->GetViewInfo()->Calculate();
  }
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!laidOut) return;
  PlaceGroups();
  ribbon->GetGroupsSite()->Invalidate();
}

void TqzRibbonGroupsDockControl::PlaceGroups() {
  const std::vector<TqzRibbonGroupBarControl*> groups = FViewInfo->VisibleGroups();
  TqzCustomRibbon* ribbon = FTab->GetRibbon();
  Integer x = FViewInfo->GetScrollOffset();
  if (FViewInfo->ShowsLeftScrollButton() && ribbon) x += ribbon->GetViewInfo()->GetGroupsDockMargins().Left - GetLeft();
  const Integer gap = ribbon ? ribbon->GetGroupsPainter()->DockedBarSpacing() : 0;
  HDWP batch = BeginDeferWindowPos(static_cast<int>(groups.size()));
  for (TqzRibbonGroupBarControl* group : groups) {
    const TSize size = group->GroupViewInfo() ? group->GroupViewInfo()->GetTotalSize() : TSize();
    const TRect r(x, 0, x + size.cx, size.cy);
    x = r.Right + gap;
    if (group->GetLeft() == r.Left && group->GetTop() == r.Top && group->GetWidth() == r.Width() &&
        group->GetHeight() == r.Height())
      continue;
    if (group->HandleAllocated() && batch)
      batch = DeferWindowPos(batch, group->GetHandle(), nullptr, r.Left, r.Top, r.Width(), r.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    else
      group->SetBoundsRect(r);
  }
  if (batch) EndDeferWindowPos(batch);
}

void TqzRibbonGroupsDockControl::MakeRectVisible(const TRect& R) {
  const Integer client = GetClientWidth();
  if (R.Left >= 0 && client >= R.Right) return;
  const Integer target = R.Width() > client || R.Left < 0 ? 0 : client - R.Width();
  if (target != R.Left) FViewInfo->ScrollBy(target - R.Left, AvailableWidth());
}

void TqzRibbonGroupsDockControl::FillBackground(HDC DC, const TRect& R, TColor, HBRUSH,
                                                const TRect& ASiteRect) {
  TqzCustomRibbon* ribbon = FTab->GetRibbon();
  TqzRibbonGroupsDockControlSite* site = ribbon ? ribbon->GetGroupsSite() : nullptr;
  if (!site) return;
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  POINT old;
  OffsetWindowOrgEx(DC, ASiteRect.Left - R.Left + GetLeft(), ASiteRect.Top - R.Top + GetTop(), &old);
  TCanvas canvas;
  canvas.SetHandle(DC);
  ribbon->GetPainter()->DrawGroupsArea(&canvas, site->GetClientRect());
  canvas.SetHandle(nullptr);
  RestoreDC(DC, saved);
}
