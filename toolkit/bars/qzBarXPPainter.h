#pragma once
// The themed look: toolbar buttons, separators, grippers and chevrons from the ToolBar and Rebar
// theme classes, caption and MDI buttons from Window, combo buttons from ComboBox. Where it needs a
// look the theme does not give (the check mark), it takes the flat painter's.

#include "toolkit/bars/qzBarPainter.h"

// Theme metrics read when an XP painter is made, kept for the whole process.
struct TqzBarThemeMetrics {
  Integer SeparatorThickness = 6;
  TSize CaptionButtonSize{16, 16};
  Integer ButtonFaceInset = 6;
  Integer ComboArrowWidth = 13;
  TRect EditBorders{2, 2, 2, 2};
  Integer GripperWidth = 3;
  Integer ProgressChunkGap = 0;
  TSize SizeGripSize{0, 0};
  Integer MenuSeparatorHeight = 10;
};
const TqzBarThemeMetrics& BarThemeMetrics();

class TqzBarXPPainter : public TqzBarPainter {
  TAVREN_CLASS(TqzBarXPPainter, TqzBarPainter)
  QZ_BAR_PAINTER_CLASS(TqzBarXPPainter)
 public:
  explicit TqzBarXPPainter(TObject* AData);

  void DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool AAbsent, bool AHasRoom,
                      HBRUSH ABrush) override;
  void PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer AScale, Integer ATop, Integer ALeft) override;
  bool FadesDisabledImages(TCustomqzBarControl*) override { return true; }
  bool SuppressesPressedShift(TqzBarItemControl* AControl) override;
  void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void OffsetFloatingCaption(TCustomqzBarControl* ABarControl, Integer& ATextX, TRect& ACaptionRect) override;
  Integer ComboDotsOffset(Integer ADotSize) override { return 2 * ADotSize; }
  // Enabled dots in the button text colour whatever the face.
  void DrawDot(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  HBRUSH ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown, bool ASelected,
                             bool AAbsent) override;
  bool DownGlyphShift(TqzBarItemControl*) override { return true; }
  bool PressedGlyphShift(TqzBarItemControl*, bool ADown) override { return !ADown; }
  bool GlyphStyleFlag() override { return true; }
  Integer GripperOffset() override { return 0; }
  Integer GripperAreaSize(TCustomqzBarControl* ABarControl) override;
  Integer GripperWidth(TCustomqzBarControl*) override { return BarThemeMetrics().GripperWidth; }
  Integer SplitArrowWidth(TqzBarManager* AManager) override { return TqzBarPainter::SplitArrowWidth(AManager) + 3; }
  Integer ButtonGlyphSize(TCustomqzBarControl* ABarControl) override {
    return TqzBarPainter::ButtonGlyphSize(ABarControl) + 3;
  }
  bool PaintsNativeBackground() override { return true; }
  HBRUSH ToolbarBrush(TCustomqzBarControl* ABarControl) override;
  HBRUSH BarBrush(TCustomqzBarControl* ABarControl) override { return ClassRef()->ToolbarBrush(ABarControl); }
  Integer ComboArrowWidthFor(TCustomqzBarControl*, Integer) override { return BarThemeMetrics().ComboArrowWidth; }
  Integer SeparatorOffset() override { return (SeparatorThickness() - 1) / 2; }
  Integer SeparatorThickness() override { return BarThemeMetrics().SeparatorThickness; }
  Integer DockedBorderWidth() override { return 0; }
  void FillCaptionBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  bool HasCaptionBackground() override { return true; }
  void GetCaptionButtonSize(TSize& ASize) override { ASize = BarThemeMetrics().CaptionButtonSize; }
  void DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                        const TRect& R) override;
  void DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  // The rebar's background with a light and a dark line round each row, kept by the site.
  void DrawDockBackground(TqzDockControl* ADockControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                          const TRect& ASiteRect) override;
  void DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& ACaptionRect,
                          const TRect& R) override;
  void DrawMDIButton(TCustomqzBarControl* ABarControl, Integer AButton, const TRect& R, HDC DC,
                     Integer AState) override;
  Integer QuickItemCheckWidth() override { return 1; }
  bool IsFlatInstance() override { return true; }
  Integer ButtonHeightExtra() override { return BarThemeMetrics().ButtonFaceInset; }
  Integer ButtonWidthExtra() override { return ButtonHeightExtra(); }
  void AdjustMenuItemHeight(Integer& AHeight) override { AHeight += 1; }
  void DrawButtonArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) override;
  Integer ComboButtonBorder() override { return 0; }
  void ComboDrawDropButton(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  Integer MenuArrowOffset() override { return 1; }
  Integer MenuSeparatorHeight() override { return BarThemeMetrics().MenuSeparatorHeight; }
  Integer DetachCaptionHeight(TqzBarSubMenuControl* AMenu) override;
  // The gap above R without the base look's pixel for a band's start.
  void GetBandGapRect(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, TRect& ABand,
                      const TRect& R) override;
  void GetDetachCaptionInset(TqzBarSubMenuControl* AMenu, TRect& R) override;
  void DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                             TkvCanvas* ACanvas) override;
  void DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) override;
  HBRUSH MenuBrush(TqzBarSubMenuControl*) override { return SysColorBrushCode(COLOR_MENU); }
  void GetEditBorders(Byte, TRect& R) override { R = BarThemeMetrics().EditBorders; }
  Integer EditGlyphSpacing(TqzBarItemControlDrawParams*) override { return 6; }
  Integer EditCaptionRightGap() override { return 5; }
  void GetEditMenuMargins(TqzBarItemControlDrawParams*, TRect& AMargins) override { AMargins = TRect(5, 0, 0, 0); }
  bool IsEditLabelSelected(TqzBarItemControlDrawParams* AParams) override;
  HBRUSH EditCaptionBrush(TqzBarItemControl* AControl) override;
  void GetImagePartMargins(Byte, TRect& AMargins) override { AMargins = TRect(1, 1, 1, 1); }
  // The flat frame round a grip band as high as the themed caption button or size grip needs.
  void DrawDropDownNonClient(HWND AWnd, bool ASizable, TqzGripCorner ACorner, TRect& AGripRect,
                             TRect& ACloseButtonRect, bool AHot, bool ADown) override;
  Integer DropDownGripHeight() override;
  bool HasFlatDateButtons() override { return true; }
  void DrawDateNavigatorButton(TqzBarItem* AItem, HDC DC, bool APushed, const String& AText, const TRect& R) override;
  void GetSpinButtonMargins(Byte, TRect& AMargins) override { AMargins = TRect(); }
  // The item's background, then the themed spin part in the button's state.
  void DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) override;
  TColor ProgressBarColor() override;
  Integer ProgressMinHeight() override { return BarThemeMetrics().ProgressChunkGap; }
  // The themed bar, its content narrowed to the position; an empty or inverted range shows the bar alone.
  void DrawProgressBar(TqzBarItemControlDrawParams* AParams, const TRect& R, TColor AColor) override;
  Integer SeparatorLineHeight() override { return BarThemeMetrics().MenuSeparatorHeight; }
};
