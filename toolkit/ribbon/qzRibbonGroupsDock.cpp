// The groups dock control of a ribbon tab.

#include "toolkit/ribbon/qzRibbonGroupsDock.h"

TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControl)

TqzRibbonGroupsDockControl::TqzRibbonGroupsDockControl(TqzRibbonTab* ATab) : TqzDockControl(nullptr), FTab(ATab) {
  SetAllowDocking(false);
  SetVisible(false);
}
