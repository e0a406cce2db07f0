#pragma once
// The common base of the ribbon's dock sites (a tab's groups, the quick access toolbar): sites the
// ribbon places itself, whose background is the ribbon's, and which tell the ribbon when they are
// shown or hidden.

#include "toolkit/bars/qzBarDockControl.h"

class TqzCustomRibbonDockControl : public TqzDockControl {
  TAVREN_CLASS(TqzCustomRibbonDockControl, TqzDockControl)
 public:
  using TqzDockControl::TqzDockControl;

  // The bar windows paint the whole site.
  void FillBackground(HDC, const TRect&, TColor, HBRUSH, const TRect&) override {}
  // After the site was shown or hidden.
  virtual void VisibleChanged() {}
  // The bar windows and the site repaint.
  virtual void UpdateBars();

 protected:
  void WndProc(TMessage& Message) override;
};
