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

 private:
  TqzRibbonTab* FTab;
};
