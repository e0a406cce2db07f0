#pragma once
// The Office-11 look: gradient toolbar bodies and dock sites, state gradients on item faces, a
// gradient icon band in menus and grips of dots, all in the colours of the shared Office-11 table.

#include "toolkit/bars/qzBarFlatPainter.h"

class TqzBarOffice11Painter : public TqzBarFlatPainter {
  TAVREN_CLASS(TqzBarOffice11Painter, TqzBarFlatPainter)
  QZ_BAR_PAINTER_CLASS(TqzBarOffice11Painter)
 public:
  using TqzBarFlatPainter::TqzBarFlatPainter;

  void DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool AAbsent, bool AHasRoom,
                      HBRUSH ABrush) override;
  void DrawDropDownArrow(HDC DC, const TRect& R, TColor AColor, bool AFlat, bool ASelected, bool AEnabled,
                         Integer ADirection) override;
  void DrawArrow(HDC DC, const TRect& R, TColor AColor, bool AFlat, bool ASelected, bool AEnabled,
                 Integer ADirection, Integer AArrowSize) override;
  void DrawSelectedFrame(HDC DC, const TRect& R) override;
  TColor ItemTextColor(TqzBarItemControl* AControl, bool ASelected, bool AFlat) override;
  void DisabledCaptionColors(TqzBarItemControl* AControl, bool ASelected, bool AFlat, TColor& AShadowColor,
                             TColor& ATextColor) override;
  bool FadesDisabledImages(TCustomqzBarControl*) override { return true; }
  bool MenuItemsSelectedFlat() override { return true; }
  TColor CaptionSysColor(Integer AStateIndex) override;
  TColor CaptionTextColor(TCustomqzBarControl* ABarControl) override;
  TColor MarkArrowColor(TCustomqzBarControl* ABarControl, Integer AMarkState) override;
  void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  // A bar over a dash, in the chevron colours with a light copy one pixel down and right.
  void DrawMarkGlyphs(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  void DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected, bool AEnabled,
                           const TRect& R) override;
  bool GlyphStyleFlag() override { return false; }
  bool GlyphStateFlag() override { return false; }
  bool ButtonHotTracks() override;
  Integer GripperOffset() override { return TqzBarFlatPainter::GripperOffset() + ToolbarMargin(); }
  Integer FloatBorderX() override { return 3; }
  Integer FloatBorderY() override { return 3; }
  Integer DockedBorderMetric() override { return 2; }
  void DrawDockBackground(TqzDockControl* ADockControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                          const TRect& ASiteRect) override;
  bool PaintsNativeBackground() override { return true; }
  HBRUSH OwnerLinkBrush(TqzBarManager* AManager) override;
  void FillFromDockSite(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                        const TRect& AClipRect) override;
  void FillFromBarBitmap(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                         const TRect& AClipRect) override;
  void DrawQuickFrame(TCustomqzBarControl* ABarControl, HDC DC) override;
  HBRUSH ToolbarBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH BarBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH QuickBarBrush(TCustomqzBarControl*) override { return ClassRef()->MenuBrush(nullptr); }
  HBRUSH DownBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH DownSelectedBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH SelectedBrush(TCustomqzBarControl* ABarControl) override;
  Integer ComboArrowWidthFor(TCustomqzBarControl*, Integer) override { return 13; }
  void GetDockedMargins(TqzBar* ABar, Integer ADockingStyle, TRect& R) override;
  void DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                        const TRect& R) override;
  void DrawCaptionButtonFace(TCustomqzBarControl* ABarControl, HDC DC, Integer AState, const TRect& R) override;
  void DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& ACaptionRect,
                          const TRect& R) override;
  void DrawFloatingCaption(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& ACaptionRect,
                           const TRect& R) override;
  // A docked toolbar's mark reaches into the frame, where its gradient closes the rounded body.
  void GetBarMarkRect(TCustomqzBarControl* ABarControl, TRect& R) override;
  void InvalidateMark(TCustomqzBarControl* ABarControl) override;
  HBRUSH ButtonBackgroundBrush(TqzBarItemControlDrawParams* AParams) override;
  TColor ComboArrowColor(TqzBarItemControlDrawParams* AParams) override;
  HBRUSH ComboButtonBrush(TqzBarItemControlDrawParams* AParams) override;
  // Hot: the state gradient in the selection frame. Otherwise framed, with the column between the
  // edit and the button, in the edit's colour, so that the edit's box closes round the button.
  void DrawComboButtonFace(TqzBarItemControlDrawParams* AParams, TRect& R, HBRUSH ABrush) override;
  void DrawDropDownListBorder(HDC DC, TColor AColor, const TRect& R) override;
  // The scheme's expand glyph, in a square one pixel inside the mark's height.
  void DrawExpandChevrons(TqzBarSubMenuControl* AMenu, HDC DC, bool AHot, const TRect& R) override;
  bool MenuHasSideBand() override { return true; }
  void GetMenuCheckSize(TkvCanvas* ACanvas, Integer ATextSize, Integer& AHeight, Integer& AWidth) override;
  Integer DetachCaptionHeight(TqzBarSubMenuControl* AMenu) override;
  void GetDetachCaptionInset(TqzBarSubMenuControl* AMenu, TRect& R) override;
  void FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R) override;
  void DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH ABrush, const TRect& R) override;
  // The scheme's caption brushes with the grip's dots.
  void DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  HBRUSH MenuBrush(TqzBarSubMenuControl* AMenu) override;
  TColor EditDisabledColor(TqzBarItemControl*) override { return clBtnFace; }
  TColor EditDisabledTextColor() override;
  // The selection frame, the disabled text colour, the bar's background or the menu item's brush.
  void DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) override;
  bool IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) override;
  bool IsEditFramedSelected(TqzBarItemControlDrawParams* AParams) override;
  bool EditShowsButton(TqzBarItemControlDrawParams*) override { return true; }
  Integer EditGlyphSpacing(TqzBarItemControlDrawParams* AParams) override;
  // A menu's edit starts where the captions of its buttons do.
  void GetEditMenuMargins(TqzBarItemControlDrawParams* AParams, TRect& AMargins) override;
  // Themed push buttons while the manager's themes are on, else the flat ones.
  void DrawDateNavigatorButton(TqzBarItem* AItem, HDC DC, bool APushed, const String& AText, const TRect& R) override;
  TColor DateHeaderColor() override;
  // In a menu, a progress bar without a glyph starts after the icon band.
  Integer ProgressExtraWidth(TqzBarItemControlDrawParams* AParams) override;
  HBRUSH InPlaceSubItemBrush() override;
  void DrawArrowPartFrame(TqzBarItemControl* AControl, HDC DC, bool ADown, bool ASelected, Byte APaintKind,
                          HBRUSH ABrush, const TRect& R) override;
  HBRUSH MenuItemBackgroundBrush(TqzBarItemControl* AControl) override;
  HBRUSH StaticBorderBrush(TqzBarItemControl* AControl, Integer ABorderKind) override;
  void FrameOpenedOwner(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  void FillOwnerJoin(TCustomqzBarControl* ABarControl, HDC DC, TqzBarItemControl* AControl, const TRect& AJoinRect,
                     const TRect& R) override;
  TColor MenuSeparatorColor() override;

  // Operations of the Office-11 look.
  virtual void DrawGripDots(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, const TRect& R);
  // The distance between a docked toolbar's body and its window edge on the docking sides.
  virtual Integer ToolbarMargin() { return 2; }

  // The two colours of an item face in a state, first to second.
  static void StateGradient(bool APlain, bool APressed, bool AHot, TColor& AFirst, TColor& ASecond);
};
