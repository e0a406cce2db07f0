#pragma once
// The popup that shows the active tab's groups while the ribbon is minimized: the ribbon's groups
// site moves into it for as long as it is shown, under the tab row, with a menu shadow.

#include <memory>

#include "toolkit/editors/kvContainer.h"

class TqzBarShadow;
class TqzCustomRibbon;

// How the keyboard enters the groups as the popup shows: not at all (a click opened it), with
// their key tips, or with their first element selected.
enum TqzRibbonGroupsPopupEntry { rgpeMouse, rgpeKeyTips, rgpeFirstElement };

class TqzRibbonTabGroupsPopupWindow : public TkvCustomPopupWindow {
  TAVREN_CLASS(TqzRibbonTabGroupsPopupWindow, TkvCustomPopupWindow)
  TAVREN_MESSAGES()
 public:
  explicit TqzRibbonTabGroupsPopupWindow(TqzCustomRibbon* ARibbon);
  ~TqzRibbonTabGroupsPopupWindow() override;

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }
  // The popup's screen rectangle: under the tab row, or above it when it would pass the bottom of
  // the work area, and always inside that work area.
  TRect CalculateBounds();

  void ComputePosition(TPoint& Point) override;
  void AdjustToChildren() override;
  void FireShowing() override;
  void FireShown() override;
  void FireClosed() override;
  // Taken once, by the next showing.
  void SetKeyboardEntry(TqzRibbonGroupsPopupEntry Value) { FKeyboardEntry = Value; }
  // Whether a press outside the popup is swallowed as the popup closes.
  bool HandlesOwnerClick(HWND Window, UINT Message, const TPoint& MousePoint, TShiftState Shift) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Resize() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMNCPaint(TMessage& Message);
  void CMDialogKey(TMessage& Message);

 private:
  void UpdateRegion();

  TqzCustomRibbon* FRibbon;
  std::unique_ptr<TqzBarShadow> FShadow;
  TqzRibbonGroupsPopupEntry FKeyboardEntry = rgpeMouse;
};
