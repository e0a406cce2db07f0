#pragma once
// Button item controls: the button-like base of everything that behaves like a button and may
// open a drop-down, and the control of a TqzBarButton link (check, drop-down and split styles,
// Down, paint style).

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControl.h"

class TqzBarSubMenuControl;

class TqzBarButtonLikeControlDrawParams : public TqzBarItemControlDrawParams {
  TAVREN_CLASS(TqzBarButtonLikeControlDrawParams, TqzBarItemControlDrawParams)
 public:
  using TqzBarItemControlDrawParams::TqzBarItemControlDrawParams;
  bool DownLook = false;
  bool PushedLook = false;
  bool OpenLook = false;
  bool ButtonLook = false;
  bool DropDownEnabledLook = false;
  bool HotLookB = false;
  bool HotLookA = false;
  bool SpecialLookCopy = false;
  bool LoweredLook = false;
  bool MainMenuLook = false;
  // The glyph is drawn in grey (a large button's AutoGrayScale while it is not highlighted).
  bool GrayGlyphLook = false;
  // The width of a split button's arrow part and the bar window's menu-arrow height.
  TSize ButtonSize;
  Byte GroupPositionCopy = 0;
};

class TqzBarButtonLikeControl : public TqzBarItemControl {
  TAVREN_CLASS(TqzBarButtonLikeControl, TqzBarItemControl)
 public:
  using TqzBarItemControl::TqzBarItemControl;
  // A control that goes while its drop-down waits to open or close takes the wait with it.
  ~TqzBarButtonLikeControl() override;
  bool GetAnimateNextOpen() const noexcept { return FAnimateNextOpen; }
  void SetAnimateNextOpen(bool Value) { FAnimateNextOpen = Value; }
  TqzBarButtonLikeControlDrawParams* ButtonParams() const {
    return static_cast<TqzBarButtonLikeControlDrawParams*>(GetDrawParams());
  }

  bool CanJoinButtonGroup() override { return true; }
  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass() override;
  void FillDrawParams(bool ARefresh) override;
  void DrawInRect(const TRect& R, Byte AState) override;
  void SelectInBar(bool ASelected, bool& AHandled) override;
  // The drop-down opens at once when the control is pressed, in a toolbar kept down and while
  // customizing; in a menu 400 ms after the mouse came to rest on the control (one control of the
  // program waits at a time). Hovering a toolbar's control opens nothing.
  void Activate(bool AByMouse) override;
  // In a toolbar, when asked to (AFlag) and while customizing the drop-down closes at once; in a
  // menu 400 ms after the mouse left the control, unless it comes back first.
  void Deactivate(bool AFlag) override;

  // The open drop-down's window, nullptr while closed.
  virtual TqzBarSubMenuControl* GetDropDownWindow() const { return nullptr; }
  // Opens the drop-down (nothing for a control without one).
  virtual void OpenDropDown(bool) {}
  // Ends the drop-down's waits and shows the control closed; AClose closes its window too.
  virtual void CloseUp(bool AClose);

  // Operations in slot order.
  virtual Integer GetDropArrowWidth();
  virtual bool IsActionable();
  virtual void ActivateByKey(bool AFlag);
  virtual bool LookFlagA();
  virtual bool LookFlagB();
  virtual bool DrawsGlyphGray() { return false; }

 private:
  bool FAnimateNextOpen = false;
};

class TqzBarButtonControl : public TqzBarButtonLikeControl {
  TAVREN_CLASS(TqzBarButtonControl, TqzBarButtonLikeControl)
 public:
  using TqzBarButtonLikeControl::TqzBarButtonLikeControl;
  // An open drop-down closes with its button.
  ~TqzBarButtonControl() override;
  TqzBarButton* GetButton() const;

  virtual TqzBarPaintStyle GetPaintStyle();
  virtual void AdjustPaintStyle(TqzBarPaintStyle& AStyle);
  // The window of the item's drop-down menu while it is open for this control.
  TqzBarSubMenuControl* GetDropDownWindow() const override;
  // Opens the item's drop-down menu below the button (beside it in a menu or a vertical bar);
  // opened from the keyboard, its first link is selected.
  void DropDownMenu(bool AByMouse);

  bool IsDroppedDown() override { return FDroppedDown && GetDropDownWindow(); }
  void DropDownClosed() override;
  void OpenDropDown(bool AByMouse) override { DropDownMenu(AByMouse); }
  void CloseUp(bool AClose) override;
  void ActivateByKey(bool AFlag) override;
  // Up and Down on a bar, Right in a menu open the drop-down.
  bool WantsKey(Word AKey) override;
  void KeyDown(Word& AKey, TShiftState AShift) override;
  // A press on the main part of a split button whose drop-down is open goes on to click it; in a
  // window whose kind asks for it, the drop-down closes first.
  void SelectInBar(bool ASelected, bool& AHandled) override;
  void UserActivate(bool AByMouse) override;
  void DoClick() override;
  bool IsDrawnSelected() override;
  Byte GetViewStructure() override;
  Byte GetContentKind() override;
  Integer GetPartCount() override;
  void FillDrawParams(bool ARefresh) override;
  void CalcPartRects() override;
  Integer GetHeight() override;
  Integer GetWidth() override;
  Integer NormalHeight() override;
  bool CountsUse() override;
  bool HasDropDown() override;
  bool CapturesMouseOnPress() override;
  bool LookFlagA() override;
  bool LookFlagB() override;

 private:
  bool FDroppedDown = false;
};

class TqzBarApplicationMenuButtonControlDrawParams : public TqzBarButtonLikeControlDrawParams {
  TAVREN_CLASS(TqzBarApplicationMenuButtonControlDrawParams, TqzBarButtonLikeControlDrawParams)
 public:
  using TqzBarButtonLikeControlDrawParams::TqzBarButtonLikeControlDrawParams;
  // The width the content asks for, the button may be wider.
  Integer NaturalWidth = 0;
};

// A button of the application menu's bottom row. The menu lays its buttons out as it paints, so a
// change of the button repaints the menu window.
class TqzBarApplicationMenuButtonControl : public TqzBarButtonLikeControl {
  TAVREN_CLASS(TqzBarApplicationMenuButtonControl, TqzBarButtonLikeControl)
 public:
  using TqzBarButtonLikeControl::TqzBarButtonLikeControl;

  void UpdateInBar() override { InvalidateParent(); }
  void VisibleChanged() override { InvalidateParent(); }
  void WidthChanged() override { InvalidateParent(); }
  Byte GetContentKind() override;
  Byte GetPaintType() override { return qzPaintHorizontal; }
  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void FillDrawParams(bool ARefresh) override;
  void DrawInRect(const TRect& R, Byte AState) override;
  Integer GetLengthInBar() override;

 private:
  void InvalidateParent();
};
