#pragma once
// The flat look: one-pixel frames, a highlight-coloured frame round the selected element, light
// tints of the button face, a tinted icon band in menus, and an opened element drawn as one shape
// with the popup that hangs from it.

#include "toolkit/bars/qzBarPainter.h"

class TqzBarFlatPainter : public TqzBarPainter {
  TAVREN_CLASS(TqzBarFlatPainter, TqzBarPainter)
  QZ_BAR_PAINTER_CLASS(TqzBarFlatPainter)
 public:
  using TqzBarPainter::TqzBarPainter;

  void DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool AAbsent, bool AHasRoom,
                      HBRUSH ABrush) override;
  void PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer AScale, Integer ATop, Integer ALeft) override;
  void DrawSelectedFrame(HDC DC, const TRect& R) override;
  TColor CaptionSysColor(Integer) override { return clInactiveCaption; }
  TColor MarkArrowColor(TCustomqzBarControl*, Integer AMarkState) override {
    return AMarkState != 0 ? clBtnText : clCaptionText;
  }
  void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void OffsetFloatingCaption(TCustomqzBarControl* ABarControl, Integer& ATextX, TRect& ACaptionRect) override;
  Integer MarkElementColorIndex(TCustomqzBarControl* ABarControl) override;
  void DrawScrollButtonEdge(TqzBarSubMenuControl*, TkvCanvas*, bool) override {}
  void DrawExpandButtonHot(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  Integer BarContentIndent() override { return 1; }
  Integer SubItemTextIndent(TqzBarItemControl* AControl) override;
  void DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawSunkenFrame(HDC DC, TRect& R) override;
  void DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected, bool AEnabled,
                           const TRect& R) override;
  HBRUSH ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown, bool ASelected,
                             bool AAbsent) override;
  bool GlyphStyleFlag() override { return true; }
  bool IsFlat() override { return true; }
  bool FillsGlyphBackground(TqzBarItemControl* AControl, bool ADown, bool AAbsent, bool ASelected,
                            bool APressed) override;
  bool GlyphStateFlag() override { return true; }
  Integer ButtonBorderWidth(TqzBarItemControl*) override { return 1; }
  Integer MenuCheckIndent(TqzBarItemControl* AControl) override;
  Integer GripperOffset() override { return 1; }
  Integer GripperAreaSize(TCustomqzBarControl* ABarControl) override;
  Integer SplitArrowWidth(TqzBarManager* AManager) override { return TqzBarPainter::SplitArrowWidth(AManager) - 1; }
  Integer ButtonGlyphSize(TCustomqzBarControl* ABarControl) override {
    return TqzBarPainter::ButtonGlyphSize(ABarControl) - 1;
  }
  Integer MenuGroupIndent() override { return 8; }
  bool BarWindowFlag(TCustomqzBarControl*) override { return true; }
  HBRUSH ToolbarBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH BarBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH QuickBarBrush(TCustomqzBarControl*) override { return SysColorBrushCode(COLOR_WINDOW); }
  HBRUSH DownBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH DownSelectedBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH SelectedBrush(TCustomqzBarControl* ABarControl) override;
  Integer SeparatorOffset() override { return (SeparatorThickness() - 1) / 2; }
  Integer SeparatorThickness() override { return 5; }
  void DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                        const TRect& R) override;
  void DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  void DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& ACaptionRect,
                          const TRect& R) override;
  void DrawFloatingMark(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  // A checked entry's check in the selection frame, with a strip of the selection beside it.
  void DrawQuickItemCheck(TqzBarItemControl* AControl, HDC DC, Integer AState, const TRect& R) override;
  Integer QuickItemCheckWidth() override { return 1; }
  HBRUSH ButtonBackgroundBrush(TqzBarItemControlDrawParams* AParams) override;
  void AdjustMenuItemHeight(Integer& AHeight) override { AHeight += 2; }
  void AdjustMenuItemWidth(Integer& AWidth) override { AWidth += 9; }
  void DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) override;
  TColor ComboArrowColor(TqzBarItemControlDrawParams* AParams) override;
  HBRUSH ComboButtonBrush(TqzBarItemControlDrawParams* AParams) override;
  // Selected: the selection frame a pixel outside; else a frame in the edit's brush with a column
  // left of it toward the edit; inside, the brush.
  void DrawComboButtonFace(TqzBarItemControlDrawParams* AParams, TRect& R, HBRUSH ABrush) override;
  Integer MenuArrowOffset() override { return 1; }
  Integer MenuSeparatorHeight() override { return 5; }
  void GetMenuCheckSize(TkvCanvas* ACanvas, Integer ATextSize, Integer& AHeight, Integer& AWidth) override;
  Integer MenuCheckInset(Integer AHeight) override;
  Integer ReferenceTextSize() override { return 20; }
  void GetMenuIconRect(const TRect& AItemRect, Integer AIconAreaSize, TRect& R) override;
  void GetMenuTextRect(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect, TRect& R) override;
  Integer DetachCaptionHeight(TqzBarSubMenuControl* AMenu) override;
  Integer MenuCaptionIndent(TqzBarItemControlDrawParams* AParams) override {
    return TqzBarPainter::MenuCaptionIndent(AParams) + 6;
  }
  void GetBandGapRect(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, TRect& ABand,
                      const TRect& R) override;
  void GetDetachCaptionInset(TqzBarSubMenuControl*, TRect& R) override;
  void DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH ABrush, const TRect& R) override;
  // Selected or toolbar-tinted, with a striped grip in its middle.
  void DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                             TkvCanvas* ACanvas) override;
  void DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) override;
  Integer MenuItemTextSize(TkvCanvas* ACanvas) override { return TqzBarPainter::MenuItemTextSize(ACanvas) + 1; }
  HBRUSH MenuBrush(TqzBarSubMenuControl*) override;
  // The upper spin button reaches one pixel further down, onto the lower one's top line.
  void CalcSpinPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R, std::vector<TRect>& AParts) override;
  // One ring round the edit box, as the borders are one pixel wide.
  void DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) override;
  // The selection frame stays out of what is painted after it.
  void DrawEditSelection(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  bool IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) override;
  void GetEditBorders(Byte, TRect& R) override { R = TRect(1, 1, 1, 1); }
  Integer EditGlyphSpacing(TqzBarItemControlDrawParams*) override { return 6; }
  Integer EditCaptionRightGap() override { return 5; }
  void GetEditMenuMargins(TqzBarItemControlDrawParams*, TRect& AMargins) override { AMargins = TRect(7, 0, 0, 0); }
  // A menu's edit caption starts where the other items' captions do.
  Integer EditMenuSpacing(TqzBarItemControlDrawParams* AParams) override;
  HBRUSH EditCaptionBrush(TqzBarItemControl* AControl) override;
  bool DrawsEditGlyphSelected(TqzBarItemControl* AControl) override;
  // A 1-pixel frame.
  void DrawDropDownNonClient(HWND AWnd, bool ASizable, TqzGripCorner ACorner, TRect& AGripRect,
                             TRect& ACloseButtonRect, bool AHot, bool ADown) override;
  bool HasFlatDateButtons() override { return true; }
  void DrawDateNavigatorButton(TqzBarItem* AItem, HDC DC, bool APushed, const String& AText, const TRect& R) override;
  // One arrow, no embossed copy: shadow-coloured when disabled.
  void DrawSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin, Integer ADirection) override;
  // The button under the pointer is raised.
  void DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) override;
  Integer ContainerExtraWidth() override { return 9; }
  bool IsInPlaceSubItemSelected(TqzBarItemControlDrawParams* AParams) override;
  bool InPlaceSubItemShowsArrow(TqzBarItemControlDrawParams* AParams) override;
  // The border band in StaticBorderBrush.
  void DrawStaticBorder(TqzBarItemControlDrawParams* AParams, TRect& R) override;

  // Operations of the flat looks.
  // The frame of a split button's arrow part.
  virtual void DrawArrowPartFrame(TqzBarItemControl* AControl, HDC DC, bool ADown, bool ASelected, Byte APaintKind,
                                  HBRUSH ABrush, const TRect& R);
  virtual HBRUSH MenuItemBackgroundBrush(TqzBarItemControl* AControl);
  virtual HBRUSH StaticBorderBrush(TqzBarItemControl* AControl, Integer ABorderKind);
  // An element whose popup is open: its frame stays open where the popup attaches.
  virtual void DrawOpenedElement(TCustomqzBarControl* ABarControl, HDC DC, TCustomqzBarControl* APopup,
                                 const TRect& R);
  virtual void DrawOpenedFrame(TCustomqzBarControl* ABarControl, HDC DC, TCustomqzBarControl* APopup,
                               TqzBarItemControl* AControl, const TRect& R);
  virtual void FrameOpenedOwner(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R);
  virtual void FillOwnerJoin(TCustomqzBarControl* ABarControl, HDC DC, TqzBarItemControl* AControl,
                             const TRect& AJoinRect, const TRect& R);
  virtual TColor MenuSeparatorColor();
};
