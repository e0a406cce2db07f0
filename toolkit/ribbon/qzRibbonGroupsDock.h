#pragma once
// The dock site a ribbon tab holds its groups' windows in: a child of the ribbon's groups site,
// placed and sized by its tab, never a target for toolbars the user drags. Its view info fits the
// groups into the width the tab gives: full size when they fit, else reduced from the last group
// to the first through their layout calculators, then collapsed into buttons, and what still does
// not fit is scrolled with two scroll buttons.

#include <memory>
#include <vector>

#include "toolkit/ribbon/qzRibbonDockControl.h"

class TqzRibbonTab;
class TqzRibbonGroupBarControl;
class TqzRibbonGroupsDockControl;

class TqzRibbonGroupsDockControlViewInfo : public TObject {
  TAVREN_CLASS(TqzRibbonGroupsDockControlViewInfo, TObject)
 public:
  explicit TqzRibbonGroupsDockControlViewInfo(TqzRibbonGroupsDockControl* ADockControl) : FDockControl(ADockControl) {}

  // Fits the groups into the width of ABounds and reports the groups whose collapsed state
  // changed through the ribbon's events.
  virtual void Calculate(const TRect& ABounds);
  // The scroll buttons and offset for the available width after a fit or a width change.
  virtual void UpdateScrollButtons(Integer AWidth);
  // Moves the row by ADelta (negative: to the left), never past either end.
  virtual void ScrollBy(Integer ADelta, Integer AWidth);
  // One step of a scroll button: 10 pixels towards the right end, or back.
  virtual void ScrollStep(bool ATowardsRightEnd, Integer AWidth) { ScrollBy(ATowardsRightEnd ? -10 : 10, AWidth); }
  // No scroll buttons and no offset (a groups popup shows the groups from their start).
  void ResetScrolling();

  // The groups whose toolbar has a window docked here, in the order of the tab's groups.
  std::vector<TqzRibbonGroupBarControl*> VisibleGroups() const;
  // The sum of the groups' total widths and the gaps between them.
  Integer TotalWidth() const;
  bool ShowsLeftScrollButton() const noexcept { return FScrollLeft; }
  bool ShowsRightScrollButton() const noexcept { return FScrollRight; }
  Integer GetScrollOffset() const noexcept { return FScrollOffset; }

 private:
  Integer GroupGap() const;
  bool GroupsFit(const std::vector<TqzRibbonGroupBarControl*>& AGroups, Integer AWidth) const;
  // Runs one reduction stage from the last group to the first; true once the groups fit.
  template <class TStep>
  bool RunStage(const std::vector<TqzRibbonGroupBarControl*>& AGroups, Integer AWidth, bool ARepeat, TStep AStep);

  TqzRibbonGroupsDockControl* FDockControl;
  bool FScrollLeft = false;
  bool FScrollRight = false;
  Integer FScrollOffset = 0;
};

class TqzRibbonGroupsDockControl : public TqzCustomRibbonDockControl {
  TAVREN_CLASS(TqzRibbonGroupsDockControl, TqzCustomRibbonDockControl)
 public:
  explicit TqzRibbonGroupsDockControl(TqzRibbonTab* ATab);
  ~TqzRibbonGroupsDockControl() override;
  TqzRibbonTab* GetTab() const noexcept { return FTab; }
  TqzRibbonGroupsDockControlViewInfo* GetViewInfo() const noexcept { return FViewInfo.get(); }

  // The tab sets the bounds.
  void UpdateSize() override {}
  // The tab lays its groups out again.
  void ArrangeRows() override;
  TqzBarControlFactory BarControlClass() override;
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;
  // The ribbon's groups area, lined up with the groups site behind the control.
  void FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush, const TRect& ASiteRect) override;
  // The bounds the tab gives, narrowed by the shown scroll buttons; then the groups are placed.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // Scrolls the row so that R (client coordinates) is visible.
  void MakeRectVisible(const TRect& R);
  // The groups' windows at their places in the row, in one deferred batch.
  void PlaceGroups();
  // The width of the ribbon's groups area less its margins: what the groups have.
  Integer AvailableWidth();

 private:
  TqzRibbonTab* FTab;
  std::unique_ptr<TqzRibbonGroupsDockControlViewInfo> FViewInfo;
  bool FArranging = false;
};
