#pragma once
// The dock site a ribbon tab holds its groups' toolbars in: a child of the ribbon's groups site,
// placed and sized by its tab, never a target for toolbars the user drags.

#include "toolkit/bars/qzBarDockControl.h"

class TqzRibbonTab;

class TqzRibbonGroupsDockControl : public TqzDockControl {
  TAVREN_CLASS(TqzRibbonGroupsDockControl, TqzDockControl)
 public:
  explicit TqzRibbonGroupsDockControl(TqzRibbonTab* ATab);
  TqzRibbonTab* GetTab() const noexcept { return FTab; }
  // The tab sets the bounds.
  void UpdateSize() override {}
  // The groups stand in one row in the order of the tab's groups, each at its full width, the
  // bar painter's docked-bar spacing apart.
  void ArrangeRows() override;
  // The ribbon's groups area, lined up with the groups site behind the control.
  void FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush, const TRect& ASiteRect) override;

 private:
  TqzRibbonTab* FTab;
};
