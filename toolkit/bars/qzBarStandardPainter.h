#pragma once
// The classic three-dimensional look (Standard) and the lighter docked look of the manager's
// default style (Enhanced).

#include "toolkit/bars/qzBarPainter.h"

class TqzBarStandardPainter : public TqzBarPainter {
  TAVREN_CLASS(TqzBarStandardPainter, TqzBarPainter)
  QZ_BAR_PAINTER_CLASS(TqzBarStandardPainter)
 public:
  using TqzBarPainter::TqzBarPainter;

  void DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool AAbsent, bool AHasRoom,
                      HBRUSH ABrush) override;
  void PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer AScale, Integer ATop, Integer ALeft) override;
  bool UsesClassicLook() override { return true; }
  bool IsMarkRectShort(TCustomqzBarControl*, const TRect&) override { return false; }
  void DrawMarkChevrons(TCustomqzBarControl* ABarControl, HDC DC, Integer APosition, const TRect& R) override;
  void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  Integer BarContentIndent() override { return 2; }
  void FillDisabledShadow(TqzBarItemControl* AControl, HDC DC, const TRect& R) override;
  void DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected, bool AEnabled,
                           const TRect& R) override;
  void GetEditTextMargins(TRect& AMargins) override { AMargins = TRect(2, 1, 2, 1); }
  HBRUSH ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown, bool ASelected,
                             bool AAbsent) override;
  bool DownGlyphShift(TqzBarItemControl*) override { return true; }
  bool PressedGlyphShift(TqzBarItemControl*, bool) override { return true; }
  Integer ButtonBorderWidth(TqzBarItemControl*) override { return 1; }
  Integer GripperOffset() override { return 2; }
  Integer GripperAreaSize(TCustomqzBarControl* ABarControl) override;
  Integer MenuGroupIndent() override { return 2; }
  void GetEditOuterMargins(Integer& ATop, Integer& ABottom) override;
  bool HotTracksWindowParts() override { return false; }
  bool SupportsQuickCustomizing() override { return false; }
  void DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R) override;
  void DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  void DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& ACaptionRect,
                          const TRect& R) override;
  Integer FloatingFrameInset() override { return 4; }
  // A floating bar's mark is 13 pixels wide, beside the close button.
  void GetMarkRect(TCustomqzBarControl* ABarControl, TRect& R) override;
  Integer FloatingCaptionTopExtra() override { return 2; }
  Integer FloatingCaptionBottomExtra() override { return 1; }
  bool LeavesCloseButtonToSystem() override { return true; }
  bool TracksCaptionMark() override { return true; }
  void DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) override;
  void DrawDropDownListBorder(HDC DC, TColor AColor, const TRect& R) override;
  bool MenuOffsetsRecentGroup() override { return true; }
  Integer MenuInnerBorderSize() override { return 2; }
  // The line above a band's first item, and the lighter band carried into the menu's margins
  // round a non-recent item.
  void DrawMenuItemFrame(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, Integer AIndex,
                         const TRect& AItemRect, HDC DC) override;
};

class TqzBarEnhancedPainter : public TqzBarStandardPainter {
  TAVREN_CLASS(TqzBarEnhancedPainter, TqzBarStandardPainter)
  QZ_BAR_PAINTER_CLASS(TqzBarEnhancedPainter)
 public:
  using TqzBarStandardPainter::TqzBarStandardPainter;

  // The base painter's chevrons, not the two-tone one.
  void DrawMarkChevrons(TCustomqzBarControl* ABarControl, HDC DC, Integer APosition, const TRect& R) override {
    TqzBarPainter::DrawMarkChevrons(ABarControl, DC, APosition, R);
  }
  // Framed while idle, raised while hot, sunken while pressed.
  void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
  Integer GripperOffset() override { return 1; }
  Integer GripperAreaSize(TCustomqzBarControl* ABarControl) override;
  Integer MenuGroupIndent() override { return 12; }
  bool SupportsQuickCustomizing() override { return true; }
  void DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R) override;
};
