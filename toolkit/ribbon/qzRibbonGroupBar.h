#pragma once
// The ribbon's bar windows. TqzRibbonCustomBarControl is the toolbar window as the ribbon shows
// it (the ribbon's painter and group font, never moved or floated by the mouse); a ribbon group
// is the TqzRibbonGroupBarControl of its toolbar, docked in the tab's groups dock control: the
// group layout calculator places its items in columns of three rows above the caption strip,
// and the dock control may reduce it step by step or collapse it into a single button.

#include <array>
#include <map>

#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzFading.h"
#include "toolkit/ribbon/qzRibbonLayoutInterfaces.h"
#include "toolkit/ribbon/qzRibbonTabs.h"

class TqzCustomRibbon;
class TqzRibbonTabGroup;

class TqzRibbonCustomBarControl : public TqzBarControl {
  TAVREN_CLASS(TqzRibbonCustomBarControl, TqzBarControl)
 public:
  TqzRibbonCustomBarControl(TComponent* AOwner, TqzBar* ABar);
  // A popup window with links of its own (TqzBarControl's child-bar constructor).
  TqzRibbonCustomBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar);

  // The ribbon the window belongs to (nil when none).
  virtual TqzCustomRibbon* Ribbon() { return nullptr; }

  bool StretchesControl(TqzBarItemControl*) override { return true; }
  Word KindFlags() override { return 0x03CC; }
  TFont* GetEditFont() override;
  TFont* GetBarFont() override;
  // The item's own rectangle: a ribbon item fills its place, so the toolbar's band of the row
  // height would leave part of it out of every repaint.
  void ControlRect(TqzBarItemControl* AControl, TRect& R) override { TCustomqzBarControl::ControlRect(AControl, R); }
  bool IsMainMenu() override { return false; }
  bool IsMultiLineLayout() override { return false; }
  bool ShowsMark() override { return false; }
  // Ribbon windows offer no quick customizing of their own (the quick access toolbar does).
  bool AllowsQuickCustomizing() override { return false; }
  bool CanMoveBar() override { return false; }
  bool HasCloseButton() override { return false; }
  TqzBarPainter* Painter() override;

  // Whether the cursor lies on the window's caption strip.
  virtual bool IsMouseOverCaption();
  // Carries out a command of the ribbon's context menu; the window, unless the command freed
  // it, is repainted afterwards.
  virtual void RunContextCommand(TqzBarItem* AItem);
  // The ribbon's commands the window's context menu offers: adding to or removing from the quick
  // access toolbar only while that toolbar shows.
  virtual TqzRibbonPopupMenuItems ContextMenuItems();
  // While the manager customizes, the link context menu; otherwise, over an item or the caption
  // strip, the ribbon's commands for the item (or for the whole group).
  void ShowContextPopup(TqzBarItemControl* AControl) override;

 protected:
  // The window is made once it is docked, when the ribbon's font can be known.
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
};

// While customizing, a group's link context menu offers no paint styles.
class TqzRibbonGroupBarControlDesignHelper : public TCustomqzBarControlDesignHelper {
  TAVREN_CLASS(TqzRibbonGroupBarControlDesignHelper, TCustomqzBarControlDesignHelper)
 public:
  Integer GetDesignActions() override { return 0x820; }
};

class TqzRibbonGroupBarControl;

// Where a group's key tips hang from, from the window's top: the tops of the three rows (the
// third being the caption strip's text) and the group's bottom line.
struct TqzRibbonGroupKeyTipsBaseLinePositions {
  bool Calculated = false;
  std::array<Integer, 3> RowBaseLines{};
  Integer BottomBaseLine = 0;
};

// A group's layout: the item view infos in link order, the content the calculator produced, and
// the rectangles handed to the links once a fit is finished.
class TqzRibbonGroupBarControlViewInfo : public TqzBarControlViewInfo {
  TAVREN_CLASS(TqzRibbonGroupBarControlViewInfo, TqzBarControlViewInfo)
 public:
  using TqzBarControlViewInfo::TqzBarControlViewInfo;
  ~TqzRibbonGroupBarControlViewInfo() override;

  TqzRibbonGroupBarControl* GetGroupBarControl() const;
  bool GetCollapsed() const noexcept { return FCollapsed; }
  void SetCollapsed(bool Value) { FCollapsed = Value; }
  const TSize& GetContentSize() const noexcept { return FContentSize; }
  void SetContentSize(const TSize& Value) { FContentSize = Value; }
  const TSize& GetNonContentSize() const noexcept { return FNonContentSize; }
  // Content and borders.
  TSize GetTotalSize() const;
  // The calculator's item view infos and separators while a fit runs.
  Integer LayoutItemCount() const { return static_cast<Integer>(FLayoutItems.size()); }
  IqzBarItemControlViewInfo* LayoutItem(Integer AIndex) const { return FLayoutItems[AIndex]; }
  std::vector<TqzRibbonGroupSeparatorInfo>& LayoutSeparators() { return FLayoutSeparators; }

  // A fit of the groups dock control: the item list anew (expanded, a new calculator prepared),
  // the layout, the reduction steps, and the finish that hands the rectangles to the links.
  void RebuildItems();
  void CalculateLayout();
  void PrepareReduction();
  bool NarrowColumnedItem();
  bool FoldColumnedItem();
  bool ReduceStep(TqzBarItemViewLevel ALevel);
  // The calculator ends with the layout: the lines key tips hang from are known until the next.
  void FinishLayout();

  // A calculator for the ribbon's row height and three rows.
  virtual void CreateLayoutCalculator(TInterfacePtr<IqzRibbonGroupLayoutCalculator>& ACalculator);
  // The key tips' lines of the shown window (an exception without a message when it is hidden).
  virtual void CalculateKeyTipBaseLines();
  // The screen line of row 0, 1 or 2, or with 3 the bottom line; calculated on first use.
  Integer KeyTipBaseLine(Integer ARow);

  // The rectangle the last fit gave the link (client coordinates); false for none.
  bool PlacedRect(TqzBarItemLink* ALink, TRect& R) const;
  void CalcSeparatorRect(TqzBarItemLink* ALink, const TRect& ABounds) override;

 private:
  TInterfacePtr<IqzRibbonGroupLayoutSite> NewSite();

  bool FCollapsed = false;
  TSize FContentSize;
  TSize FNonContentSize;
  TInterfacePtr<IqzRibbonGroupLayoutCalculator> FLayoutCalculator;
  Integer FRowHeight = 0;
  TqzRibbonGroupKeyTipsBaseLinePositions FKeyTipBaseLines;
  std::vector<TqzBarItemControlViewInfo*> FLayoutItems;
  std::vector<TqzRibbonGroupSeparatorInfo> FLayoutSeparators;
  // Keys only: a link is never reached through them.
  std::map<const TqzBarItemLink*, TRect> FPlacedRects;
  std::map<const TqzBarItemLink*, TRect> FPlacedSeparators;
};

// Pointing at a group fades it to its hot look through the ribbon's fader, leaving it fades it
// back; the item controls keep their own looks meanwhile.
class TqzRibbonGroupBarControl : public TqzRibbonCustomBarControl, public IqzFadingObject {
  TAVREN_CLASS(TqzRibbonGroupBarControl, TqzRibbonCustomBarControl)
 public:
  TqzRibbonGroupBarControl(TComponent* AOwner, TqzBar* ABar);
  TqzRibbonGroupBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar);
  ~TqzRibbonGroupBarControl() override;

  // The tab group whose toolbar the window shows, looked up in the tab of its dock control.
  TqzRibbonTabGroup* TabGroup();
  TqzCustomRibbon* Ribbon() override;
  TqzRibbonGroupBarControlViewInfo* GroupViewInfo();
  bool GetCollapsed();

  bool IsShown() override { return true; }
  TClassOf<TCustomqzBarControlViewInfo> ViewInfoClass() override {
    return TqzRibbonGroupBarControlViewInfo::ClassInfo();
  }
  // The links take the rectangles of the last fit.
  void PlaceControls() override;
  // The bar's caption buttons from the right of the caption strip, each a square as high as the
  // strip with one pixel between them (window coordinates); none while collapsed.
  void PlaceCaptionButtons();
  // The screen line key tips hang from: the top of row 0, 1 or 2 of the items (row 2 being the
  // caption strip's top), or with 3 the group's bottom. Only a shown window has them (else, and
  // for any other row, an exception without a message).
  Integer KeyTipLine(Integer ARow);
  TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass() override;
  void WindowPosChanged(const WINDOWPOS* APos) override;
  // A control the keyboard selected scrolls into view in the groups dock.
  void SelectedControlChanged(TqzBarItemControl* AControl) override;
  // A command run from a group inside the minimized ribbon's groups popup closes that popup too.
  void HideBar() override;
  // A press on a caption button holds it until the release, which clicks it when it ends on it.
  void BarMouseDown(TMouseButton AButton, TShiftState AShift, bool AInsideClient, TqzBarItemControl* AControl,
                    const TPoint& P) override;
  void BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) override;
  void BarMouseUp(TMouseButton AButton, TShiftState AShift, bool AInsideClient, TqzBarItemControl* AControl,
                  const TPoint& P) override;
  void BarMouseLeave() override;
  // A running fade ends before the layout changes what it blends.
  void CalcViewInfo() override;
  // Pointing at a group shows its hot look, frame and all, fading to it and back.
  void ViewStateChanged(Byte) override;
  bool CanFade() override;
  // The blended look over the whole window except the item controls.
  void DrawFadeImage(TBitmap* AImage) override;
  void GetFadingParams(std::unique_ptr<TBitmap>& ANormalImage, std::unique_ptr<TBitmap>& AHotImage,
                       Integer& AFadeInFrameCount, Integer& AFadeInFrameDelay, Integer& AFadeOutFrameCount,
                       Integer& AFadeOutFrameDelay) override;
  // A collapsed group is its own mark: pressing it anywhere opens the group as a popup (the
  // window's quick control); the painter draws it pressed meanwhile.
  bool ShowsMark() override { return GetCollapsed(); }
  // Hot while the keyboard has the collapsed group selected.
  Byte GetMarkState() override;
  void MarkRect(TRect& R) override;
  void DrawBarParts(TkvCanvas*) override {}
  TqzQuickControlFactory QuickControlClass() override;

 private:
  // The caption button under a client point, -1 for none.
  Integer CaptionButtonAt(const TPoint& P);
  void SetCaptionButtonStates(const TPoint& P, bool APressed);

  // The window as it looks in the view state, frame and all, in window coordinates.
  std::unique_ptr<TBitmap> PaintLook(Byte AViewState);

  Integer FPressedCaptionButton = -1;
  bool FPaintingLook = false;
};

// The popup a collapsed group opens: the whole group, its links copied from the group's, below
// the ribbon (above it near the screen's bottom), until a click elsewhere, Esc or a command
// closes it.
class TqzRibbonCollapsedGroupPopupBarControl : public TqzRibbonGroupBarControl {
  TAVREN_CLASS(TqzRibbonCollapsedGroupPopupBarControl, TqzRibbonGroupBarControl)
 public:
  // AOpener is the collapsed group, or the quick access toolbar of a group button.
  TqzRibbonCollapsedGroupPopupBarControl(TqzRibbonCustomBarControl* AOpener, TqzBar* AGroupBar);
  ~TqzRibbonCollapsedGroupPopupBarControl() override;

  TqzRibbonGroupBarControl* CollapsedGroup() const;
  TqzCustomRibbon* Ribbon() override;
  String GetCaptionText() override;
  bool HasFloatingCaption() override { return false; }
  bool BlocksOtherBars() override { return false; }
  // The popup is laid out at full size, as the group would be with room enough.
  void PopupSize(TSize& ASize) override;
  void GetParentOpenerRect(TRect& R) override;
  // The group's mark returns to normal, which frees the popup; closed by Esc in keyboard
  // navigation, the keyboard goes back to the collapsed group.
  void ResetParentMark() override;
  // Below the ribbon or the collapsed group, whichever is lower; above them when the work area
  // has no room below, and then kept inside the work area.
  void ShowAsPopup(const TRect& AOwnerRect) override;

 protected:
  // The screen rectangle besides the opener's that the popup keeps clear of, opening below it
  // (above it when the work area has no room below): the ribbon's, which a group's popup must
  // not hide.
  virtual void GetAvoidedRect(const TRect& AOwnerRect, TRect& R);
};

// The side of the glyph square of a caption button: 12 pixels per step, 11 from the second step
// on, with one step per 12 pixels of the button's smaller side beyond 4 (rounded half to even).
Integer RibbonCaptionGlyphSide(Integer AWidth, Integer AHeight);

// The window kind of the groups dock control's toolbars.
TqzBarControl* NewRibbonGroupBarControl(TComponent* AOwner, TqzBar* ABar);
