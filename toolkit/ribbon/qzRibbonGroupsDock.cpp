// The groups dock control of a ribbon tab.

#include "toolkit/ribbon/qzRibbonGroupsDock.h"

#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/ribbon/qzRibbon.h"

TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControl)

TqzRibbonGroupsDockControl::TqzRibbonGroupsDockControl(TqzRibbonTab* ATab) : TqzDockControl(nullptr), FTab(ATab) {
  SetAllowDocking(false);
  SetVisible(false);
}

void TqzRibbonGroupsDockControl::ArrangeRows() {
  TqzBarManager* manager = GetBarManager();
  if (!manager || !HandleAllocated()) return;
  TqzCustomRibbon* ribbon = FTab->GetRibbon();
  const Integer gap = (ribbon ? ribbon->GetGroupsPainter() : manager->GetDefaultPainter())->DockedBarSpacing();
  Integer x = 0;
  TqzRibbonTabGroups* groups = FTab->GetGroups();
  for (Integer i = 0; i < groups->GetCount(); ++i) {
    TqzBar* toolbar = groups->GetGroup(i)->GetToolBar();
    TqzBarControl* window = toolbar ? toolbar->GetBarControl() : nullptr;
    if (!window || window->GetDockControl() != this || window->GetComponentState().Contains(csDestroying)) continue;
    window->HandleNeeded();
    const TRect border = window->BorderSizes(dsTop);
    const Integer width = window->FullWidth(dsTop) + border.Left + border.Right;
    const Integer height = window->FullHeight(dsTop) + border.Top + border.Bottom;
    window->SetDesiredBounds(TRect(x, 0, x + width, height));
    window->ApplyDesiredBounds();
    window->CalcViewInfoNow();
    x += width + gap;
  }
}

void TqzRibbonGroupsDockControl::FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush,
                                                const TRect& ASiteRect) {
  TqzCustomRibbon* ribbon = FTab->GetRibbon();
  TqzRibbonGroupsDockControlSite* site = ribbon ? ribbon->GetGroupsSite() : nullptr;
  if (!site) {
    inherited::FillBackground(DC, R, AColor, ABrush, ASiteRect);
    return;
  }
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
