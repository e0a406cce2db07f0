#pragma once
// A bar window for the tests of bar windows and item controls: it stacks its links one under the
// other, as the descendants that lay out will place them.

#include "toolkit/bars/qzBarControl.h"

// A bar window that stacks its links as a menu does, as the descendants that lay out will.
class TTestBarControl : public TCustomqzBarControl {
  TAVREN_CLASS(TTestBarControl, TCustomqzBarControl)
 public:
  using TCustomqzBarControl::TCustomqzBarControl;
  Integer SeparatorSize() override { return 6; }
  bool IsMainMenu() override { return false; }
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override { return TCustomqzBarControlViewInfo::ClassInfo(); }
  void RepaintControl(TqzBarItemControl*) override { ++repaints; }
  void FillBackground(HDC DC, const TRect& R, bool, TColor AColor, HBRUSH ABrush) override {
    FillAreaSolidOrTiled(DC, R, GetClientRect(), nullptr, AColor, ABrush);
  }
  Integer BarKind() override { return 0; }
  Byte GetItemPaintKind() override { return paintKind; }
  Integer TextSize() override { return fixedTextSize ? fixedTextSize : TCustomqzBarControl::TextSize(); }
  void CalcItemsRect() override {
    CalcClientItemsRect();
    CalcLayout(qzPaintMenu, 0);
  }
  void SetMarkState(Byte AState) { FMarkState = AState; }
  void SelectedControlChanged(TqzBarItemControl*) override { ++selectionChanges; }
  bool IsDetachedPopup() override { return detached; }
  Integer selectionChanges = 0;
  bool detached = false;
  Integer repaints = 0;
  Byte paintKind = qzPaintHorizontal;
  // A text size of its own in place of the measured one (0: measured).
  Integer fixedTextSize = 0;
};
