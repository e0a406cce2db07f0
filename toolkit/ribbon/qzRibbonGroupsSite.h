#pragma once
// The groups site: a child window of the ribbon over its groups area that parents the groups of
// every tab, draws the groups background and the groups' scroll buttons, and hands its mouse
// input to the ribbon's controller. With it, the small routines the ribbon's pieces share.

#include <memory>

#include "toolkit/foundation/kvControls.h"
#include "toolkit/ribbon/qzRibbonViewInfo.h"

class TqzBar;
class TqzBarAccessibilityHelper;
class TqzCustomRibbon;
class TqzDockControl;
class TqzRibbonGroupsDockControl;
class TqzRibbonGroupsDockControlSite;

class TqzRibbonGroupsDockControlSiteViewInfo : public TObject {
  TAVREN_CLASS(TqzRibbonGroupsDockControlSiteViewInfo, TObject)
 public:
  explicit TqzRibbonGroupsDockControlSiteViewInfo(TqzRibbonGroupsDockControlSite* ASite) : FSite(ASite) {}
  void Calculate();
  // Ribbon coordinates in; kind 5 or 6 out for a scroll button.
  bool HitTest(Integer X, Integer Y, TqzRibbonHitInfo& AHit);
  void Invalidate();

  // Bit 0 left, bit 1 right.
  Byte GetScrollButtons() const noexcept { return FScrollButtons; }
  const TRect& GetScrollButtonLeft() const noexcept { return FScrollButtonBounds[0]; }
  const TRect& GetScrollButtonRight() const noexcept { return FScrollButtonBounds[1]; }

 private:
  TqzRibbonGroupsDockControlSite* FSite;
  TRect FScrollButtonBounds[2];
  Byte FScrollButtons = 0;
};

class TqzRibbonGroupsDockControlSite : public TkvControl {
  TAVREN_CLASS(TqzRibbonGroupsDockControlSite, TkvControl)
 public:
  explicit TqzRibbonGroupsDockControlSite(TqzCustomRibbon* ARibbon);
  ~TqzRibbonGroupsDockControlSite() override;

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  // The groups dock control of the ribbon's active tab, nil without one.
  TqzRibbonGroupsDockControl* ActiveGroupsDockControl() const;
  TqzRibbonGroupsDockControlSiteViewInfo* GetViewInfo() const noexcept { return FViewInfo.get(); }

  bool UsesScrollBars() override { return false; }
  bool WantsFocusOnClick() override { return false; }
  bool AcceptsFocus() override { return false; }
  void ResetMouseState() override;
  void FireMouseLeave(TControl* AControl) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  // Its children are placed by their tabs.
  void AlignControls(TControl*, TRect&) override {}
  void Paint() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

 private:
  TPoint ToRibbon(Integer X, Integer Y);

  TqzCustomRibbon* FRibbon;
  std::unique_ptr<TqzRibbonGroupsDockControlSiteViewInfo> FViewInfo;
};

// Invalidates and redraws the control's window (its children too with AChildren), at once with
// ANow, else through Update afterwards; nothing unless the window exists and is visible.
void RedrawControl(TWinControl* AControl, bool AChildren, bool ANow);
// Moves the toolbar into the dock control, keeping its visibility (hidden meanwhile, unless it is
// being read).
void DockBarTo(TqzBar* AToolbar, TqzDockControl* ADockControl);
// The toolbar leaves its dock control and floats again with its visibility kept; nothing while
// it is being destroyed.
void UndockBar(TqzBar* AToolbar);
// Keyboard navigation selects the first element of the bar window's node that it can select, or
// nothing when there is none.
void SelectFirstInBar(TqzBarAccessibilityHelper* AHelper);
// The work area of the window's monitor, or without a window of the monitor nearest the cursor;
// the whole desktop when no monitor answers.
TRect MonitorWorkAreaOf(HWND AWnd);
