#pragma once
// The skinned look: backgrounds, faces, arrows and colours come from the numbered parts of a skin
// source (IqzSkin), asked anew on every operation. The ribbon is the system's skin source and
// derives its bar painter from this one. What the skin does not draw keeps the Office-11 look.

#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarSkinIntf.h"

class TqzBarButtonLikeControlDrawParams;

// The skin state of part APartIndex of an item control (0 the main part, 1 a split button's arrow):
// the generic rule for any control, the button rule for button-like ones.
Integer SkinGenericState(TqzBarItemControlDrawParams* AParams, Integer APartIndex);
Integer SkinButtonState(TqzBarButtonLikeControlDrawParams* AParams, Integer APartIndex);
// The edit rule for the edit part (0) and an edit's drop-down (3) and image (4) buttons, and the
// spin rule for the up (3) and down (4) buttons of a spin edit.
Integer SkinEditState(TqzBarItemControlDrawParams* AParams, Integer APartIndex);
Integer SkinSpinState(TqzBarItemControlDrawParams* AParams, Integer APartIndex);

// Part ids of the face pieces of a button outside menus.
struct TqzSkinFaceParts {
  Integer Whole, Main, Arrow;
};

class TqzBarSkinnedPainter : public TqzBarOffice11Painter {
  TAVREN_CLASS(TqzBarSkinnedPainter, TqzBarOffice11Painter)
  QZ_BAR_PAINTER_CLASS(TqzBarSkinnedPainter)
 public:
  // ASkinSource implements IqzSkin; it is not owned.
  explicit TqzBarSkinnedPainter(TObject* ASkinSource);
  // The skin source's interface, empty without a source.
  TInterfacePtr<IqzSkin> GetSkin() const;
  TObject* GetSkinSource() const noexcept { return FSkinSource; }

  void DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) override;
  // Part 1 over the whole window in its view state, and the caption in the skin's caption band.
  void DrawSkinnedBarFrame(TCustomqzBarControl* ABarControl, HDC DC) override;
  void GetFloatingCaptionRect(const TRect& AWindowRect, TRect& ARect) override;
  bool DrawsBarFrameItself() override { return true; }
  Integer CalcButtonTextRect(TqzBarItemControlDrawParams* AParams, TRect& ATextRect, const TRect& AGlyphRect) override;
  bool AllowsLargeIcons() override { return false; }
  TColor ItemTextColor(TqzBarItemControl* AControl, bool ASelected, bool AFlat) override;
  void DisabledCaptionColors(TqzBarItemControl* AControl, bool ASelected, bool AFlat, TColor& AShadowColor,
                             TColor& ATextColor) override;
  // A large button's caption wraps onto two lines; its drop-down arrow follows the last one.
  void DrawItemCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, UINT AFormat, Integer AAlignment) override;
  void GetTextMargins(TRect& AMargins) override { AMargins = TRect(3, 0, 2, 0); }
  void GetCaptionExtent(TqzBarItemControlDrawParams* AParams, TRect& R) override;
  void AddButtonExtraWidth(TqzBarItemControlDrawParams* AParams, Integer& AWidth) override;
  void CalcButtonPartRects(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect,
                           std::vector<TRect>& AParts) override;
  // The frame of part 1 for every docking style.
  void GetBarBorderSizes(TqzBar* ABar, Integer ADockingStyle, TRect& R, bool AWithSizeGrip) override;
  Integer DockedBarSpacing() override;
  Integer BarContentIndent() override { return 2; }
  Integer BarTextSize(TkvCanvas* ACanvas) override;
  void PlaceLargeGlyph(TqzBarItemControl* AControl, const TSize& AImageSize, TRect& R, TqzBarGlyphLayout ALayout,
                       Byte AContentParts, Byte APaintKind, const TRect& AGlyphArea) override;
  void PaintItemGlyph(TqzBarItemControlDrawParams* AParams, HDC DC, bool AAbsent, const TRect& AGlyphRect,
                      const TRect& AGlyphArea) override;
  Integer ButtonBorderWidth(TqzBarItemControl*) override { return 0; }
  Integer SplitArrowWidth(TqzBarManager*) override { return 13; }
  bool IsControlFlat(TCustomqzBarControl*) override { return false; }
  void AdjustWindowShape(HWND AWnd, const TRect& R, bool ARedraw) override;
  void DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                        const TRect& R) override;
  Integer ButtonHeightExtra() override;
  Integer ButtonWidthExtra() override;
  Integer ButtonHeightFor(Integer AImageSize) override;
  Integer ButtonWidthFor(Integer AImageSize) override;
  void GetMenuArrowSize(TSize& ASize) override { ASize = TSize(5, 4); }
  void DrawButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawButtonArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawSplitArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawSubItemArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) override {
    DrawButtonArrow(AParams, R);
  }

  // Menus, edits, spin buttons and other items (qzBarSkinnedPainterItems.cpp).
  Integer DotsButtonWidth(Byte APaintKind, const TRect& R) override {
    return TqzBarPainter::DotsButtonWidth(APaintKind, R);
  }
  void FillArrowShape(TkvCanvas* ACanvas, const TRect& R, TColor AColor) override;
  void DrawScrollButtonFace(TqzBarSubMenuControl*, TkvCanvas*, bool) override {}
  Integer ScrollButtonHeight(TqzBarSubMenuControl* AMenu) override {
    return (TqzBarOffice11Painter::ScrollButtonHeight(AMenu) * 3 - 18) / 4;
  }
  Integer ScrollArrowSize(Integer AHeight) override { return AHeight / 7; }
  void DrawExpandChevrons(TqzBarSubMenuControl* AMenu, HDC DC, bool AHot, const TRect& R) override;
  void DrawExpandButtonHot(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  bool ScrollButtonsHaveOwnBands() override { return true; }
  // The menu scroll arrow's triangle in the skin's arrow part, on the spin button's part rectangle.
  void DrawSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin, Integer ADirection) override;
  // The buttons meet without the flat look's overlap, and the edit part runs up to them.
  void CalcSpinPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R, std::vector<TRect>& AParts) override;
  Integer MenuIconAreaSize(TCustomqzBarControl* ABarControl) override;
  void DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  Integer ComboArrowWidthFor(TCustomqzBarControl*, Integer ACharWidth) override { return ACharWidth + 8; }
  // A large item's captioned separator starts where the window's text does.
  Integer SeparatorTextIndent(TqzBarItemControlDrawParams* AParams) override;
  void AdjustMenuItemHeight(Integer&) override {}
  Integer ComboButtonBorder() override { return 0; }
  void ComboButtonMetrics(Byte, TRect& R) override { R = TRect(); }
  void GetImagePartMargins(Byte, TRect& AMargins) override { AMargins = TRect(); }
  void GetSpinButtonMargins(Byte, TRect& AMargins) override { AMargins = TRect(); }
  void ComboDrawDropButton(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawDropDownListBorder(HDC DC, TColor AColor, const TRect& R) override;
  Integer MenuArrowWidth(Integer ATextSize) override { return ATextSize; }
  Integer MenuSeparatorHeight() override { return 3; }
  Integer MenuBorderSize() override { return 2; }
  Integer MenuInnerBorderSize() override { return 0; }
  Integer MenuTextStart(TqzBarSubMenuControl* AMenu) override;
  Integer MenuExtraLeft() override { return 2; }
  Integer MenuExtraRight() override { return 1; }
  Integer ReferenceTextSize() override { return 22; }
  void GetMenuIconRect(const TRect& AItemRect, Integer AIconAreaSize, TRect& R) override {
    TqzBarPainter::GetMenuIconRect(AItemRect, AIconAreaSize, R);
  }
  Integer MenuCaptionIndent(TqzBarItemControlDrawParams* AParams) override;
  // The base look's inset: the Office-11 look's larger one is not the skin's.
  Integer DetachCaptionHeight(TqzBarSubMenuControl* AMenu) override { return TqzBarPainter::DetachCaptionHeight(AMenu); }
  // The button's own skin part over the menu's background.
  void DrawScrollButtonExtra(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown) override;
  // A menu row is measured with the caption where MenuCaptionIndent puts it, past the strip.
  void GetMenuTextMargins(TRect& AMargins) override;
  // The glyph column, its strip and the text area from the skin (qzBarSkinnedPainterMenus.cpp).
  void FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R) override;
  void DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawMenuInnerFrame(TqzBarSubMenuControl*, HDC, HBRUSH, const TRect&) override {}
  void DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                             TkvCanvas* ACanvas) override;
  void DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R) override;
  Integer MenuItemTextSize(TkvCanvas* ACanvas) override;
  void GetAppMenuMargins(TRect& AMargins) override { AMargins = TRect(4, 16, 4, 27); }
  // The application menu's frame, bands, pane and bottom buttons from the skin.
  void DrawAppMenuFrame(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) override;
  void DrawAppMenuExtra(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawAppMenuPane(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, const TRect& R, HBRUSH ABrush) override;
  void FillAppMenuPane(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R) override;
  void DrawAppMenuSeparator(TqzBarSubMenuControl* AMenu, HDC DC, bool AHorizontal, HBRUSH ABrush,
                            const TRect& R) override;
  // Edits (qzBarSkinnedPainterEdits.cpp): the skin's edit colours, button faces and frames.
  TColor EditAreaColor(TqzBarItemControlDrawParams* AParams) override;
  bool EditHasBorder() override { return false; }
  Integer EditBorderKind() override { return 1; }
  bool IsEditDrawnSelected(TqzBarItemControlDrawParams*) override { return true; }
  void DrawEditButtonArea(TqzBarItemControlDrawParams* AParams, Integer AState, HBRUSH ABrush,
                          const TRect& R) override;
  // A button that is hot, pressed, opened or down gets a frame in the skin's button border colour.
  void EditHook253(TqzBarItemControlDrawParams* AParams, Integer AState, TRect& AInner, TRect& R) override;
  void DrawEditFrame(TqzBarItemControlDrawParams* AParams) override;
  void DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R) override;
  void DrawEditSelection(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  bool IsEditFramedSelected(TqzBarItemControlDrawParams*) override { return false; }
  bool IsEditLabelSelected(TqzBarItemControlDrawParams*) override { return false; }
  bool EditShowsButton(TqzBarItemControlDrawParams*) override { return true; }
  bool EditHasImageButton() override { return true; }
  void DrawImageEditButton(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  TColor DateHeaderColor() override;
  // Spin edits: the arrow centred in its button, buttons one pixel inside the edit's frame, faces
  // from the skin by the spin rule.
  void GetSpinArrowOrigin(TqzBarItemControlDrawParams* AParams, const TRect& R, TPoint& AOrigin,
                          Integer ADirection) override;
  void GetSpinArrowSize(Integer, TSize& ASize) override { ASize = TSize(5, 3); }
  void CalcSpinButtonRects(TqzBarItemControlDrawParams* AParams, const TRect& R, TRect& AButton,
                           Integer APart) override;
  Integer SpinButtonWidth(Byte APaintKind, const TRect& R) override;
  void DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart) override;
  void DrawSpinEditArea(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  // In-place sub-items: the caption keeps the arrow part's width; the arrow is the scaled glyph; a
  // face that is not selected is the glyph column's part.
  Integer InPlaceSubItemTextStart(TqzBarItemControlDrawParams* AParams) override;
  void DrawInPlaceSubItemArrow(TqzBarItemControlDrawParams* AParams, Integer ADirection, const TRect& R) override;
  void DrawInPlaceSubItemFace(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  // Progress bars: the skin's trough, 2 pixels round the bar, and its solid or chunk part.
  void DrawProgressBackground(TqzBarItemControlDrawParams* AParams, TRect& R) override;
  void FillProgressRect(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) override;
  void FillProgressChunk(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) override;
  // Static items: a frame in the skin's edit border colour unless they have no border; never the
  // selected background.
  void DrawStaticBorder(TqzBarItemControlDrawParams* AParams, TRect& R) override;
  bool IsStaticSelected(TqzBarItemControlDrawParams*) override { return false; }
  // A captioned separator: the skin's separator colour under a one-line caption.
  void DrawSeparatorCaption(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  void DrawScreenTipBackground(TkvCanvas* ACanvas, const TRect& R) override;
  void DrawScreenTipFooterLine(TkvCanvas* ACanvas, const TRect& R) override;

  // What follows a large button's caption when it drops down: " " and dots at least as wide as the
  // menu arrow.
  String ArrowSuffix(TqzBarItemControlDrawParams* AParams);
  // The face part ids for the params: large buttons, grouped buttons, small buttons.
  static TqzSkinFaceParts FacePartsFor(TqzBarButtonLikeControlDrawParams* AParams);

 protected:
  static void FillSolid(HDC DC, const TRect& R, TColor AColor);
  // Two 1-pixel lines across the middle of R, the dark one first (above, or right of the light one
  // when vertical).
  static void DrawTwoLineSeparator(HDC DC, bool AHorizontal, TColor ADark, TColor ALight, const TRect& R);
  // The arrow part of R: ButtonSize's width at the right end, BarContentIndent in outside menus.
  TRect ArrowPartRect(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // The arrow glyph scaled by the window's ratio (part 366 pointing right for direction 3, else
  // part 365 pointing down), centred in the arrow part of R.
  void DrawScaledArrow(IqzSkin* ASkin, TqzBarItemControlDrawParams* AParams, Integer ADirection, const TRect& R);
  // The small drop-down arrow (part 340) centred in R.
  void DrawSmallDropDownArrow(IqzSkin* ASkin, HDC DC, const TRect& R, Integer AState);
  void DrawFacePieces(IqzSkin* ASkin, TqzBarButtonLikeControlDrawParams* AParams, HDC DC);
  // An edit's drop-down (APart 3) or image (4) button: its face in the edit rule's state, then the
  // small drop-down arrow or the dots inside its border.
  void DrawEditButton(IqzSkin* ASkin, TqzBarItemControlDrawParams* AParams, Integer APart, const TRect& R);

 private:
  TObject* FSkinSource;
};
