#pragma once
// The ribbon's skins. TqzCustomRibbonSkin paints every ribbon element (application button, tabs,
// groups, quick access toolbar, form frame and caption buttons, menus, status-bar parts) from
// parts cut once out of three PNG atlases, and answers part colours; on screens of 8 bits or
// fewer it draws with system colours instead. The colour schemes Blue, Black and Silver derive
// from it and are registered with the bar skin manager while the graphics library is loaded.

#include <array>

#include "toolkit/bars/qzBarSkin.h"
#include "toolkit/ribbon/qzRibbonFormCaptionHelper.h"
#include "toolkit/ribbon/qzRibbonSkinParts.h"

// Fills the rectangle with the colour (clNone fills nothing) and, with AExclude, takes it out of
// the DC's clip region; an empty rectangle does neither.
void FillRectExcluding(HDC DC, const TRect& R, TColor AColor, bool AExclude);

class TqzCustomRibbonSkin : public TqzCustomBarSkin {
  TAVREN_CLASS(TqzCustomRibbonSkin, TqzCustomBarSkin)
 public:
  // The parts of each element, per state; nil: no part for that state.
  using THandles = std::array<TqzSkinnedRect*, 9>;

  explicit TqzCustomRibbonSkin(const String& AName);
  // Cuts the parts out of the atlases (form, common, scheme) and fixes the low-colour flag from
  // the screen's depth. Run once, right after construction (NewRibbonSkin does both).
  void CutParts();

  virtual String SchemeName() = 0;
  virtual void PaintPlainApplicationButton(HDC DC, const TRect& R, Integer State);
  virtual void PaintPlainMenuFrame(HDC DC, const TRect& R);
  virtual void PaintPlainFormBorders(HDC DC, const TRect& Widths, const TRect& R);
  virtual void PaintPlainCaptionButton(HDC DC, const TRect& R, Integer State, Integer Kind);
  virtual void PaintPlainFormCaption(HDC DC, const TRect& R, const TqzFormFrameInfo& Info);
  // Atlases: a library bitmap the caller disposes.
  virtual GpBitmap* LoadCommonImage();
  virtual GpBitmap* LoadSchemeImage() = 0;
  virtual GpBitmap* LoadFormImage() = 0;
  // The cutters: each cuts its elements' rows of the cut table. The scheme cutter runs the tab,
  // scroll-button, tab-area, collapsed-group, group-control, menu, progress, arrow, screen-tip,
  // quick-access, status-bar and remaining cutters in that order; the form cutter cuts the frame
  // and then runs the caption-button and application-button cutters.
  virtual void CutCommonParts(GpBitmap* Image);
  virtual void CutSchemeParts(GpBitmap* Image);
  virtual void CutFormParts(GpBitmap* Image);
  virtual void CutApplicationButtonParts(GpBitmap* Image);
  virtual void CutCaptionButtonParts(GpBitmap* Image);
  virtual void CutGroupControlParts(GpBitmap* Image);
  virtual void CutTabAreaParts(GpBitmap* Image);
  virtual void CutMenuParts(GpBitmap* Image);
  virtual void CutProgressParts(GpBitmap* Image);
  virtual void CutArrowGlyphPart(GpBitmap* Image);
  virtual void CutScreenTipPart(GpBitmap* Image);
  virtual void CutStatusBarParts(GpBitmap* Image);
  virtual void DrawApplicationButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawApplicationMenuButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawApplicationMenuBorder(HDC DC, const TRect& R);
  virtual void DrawApplicationMenuTopBand(HDC DC, const TRect& R);
  virtual void DrawApplicationMenuBottomBand(HDC DC, const TRect& R);
  virtual void DrawSmallDropArrow(HDC DC, const TRect& R, Integer State);
  virtual void DrawDownArrowGlyph(HDC DC, const TRect& R);
  virtual void DrawRightArrowGlyph(HDC DC, const TRect& R);
  virtual void DrawGroupSeparator(HDC DC, const TRect& R, Integer State);
  virtual void DrawSplitSeparatorStart(HDC DC, const TRect& R);
  virtual void DrawSplitSeparatorMiddle(HDC DC, const TRect& R, Integer State);
  virtual void DrawSplitSeparatorEnd(HDC DC, const TRect& R);
  virtual void DrawSplitSeparatorHot(HDC DC, const TRect& R, Integer State);
  virtual void DrawCollapsedGroupButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawCollapsedGroupGlyphFrame(HDC DC, const TRect& R, Integer State);
  virtual void DrawMenuBorder(HDC DC, const TRect& R);
  virtual void FillMenuContent(HDC DC, const TRect& R);
  virtual void DrawBarPart60(HDC DC, const TRect& R);
  virtual void DrawBarPart58(HDC DC, const TRect& R);
  virtual void DrawBarPart62(HDC DC, const TRect& R);
  virtual void DrawBarPart59(HDC DC, const TRect& R);
  virtual void DrawBarPart57(HDC DC, const TRect& R);
  virtual void DrawBarPart61(HDC DC, const TRect& R);
  virtual void DrawBarPart13(HDC DC, const TRect& R, Integer State);
  virtual void DrawEditButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart14(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart15(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart16(HDC DC, const TRect& R, Integer State);
  virtual void DrawFormBorders(HDC DC, const TRect& Widths, const TqzFormFrameInfo& Info, Integer CaptionBottom);
  // Kind: 0 minimize, 1 maximize, 2 restore, 3 close, 4 help.
  virtual void DrawCaptionButton(HDC DC, const TRect& R, Integer State, Integer Kind);
  virtual void DrawFormCaption(HDC DC, const TRect& R, const TqzFormFrameInfo& Info);
  virtual void DrawStatusBarPart(HDC DC, const TRect& R, Integer A, Integer B, bool C, bool D);
  virtual void DrawHelpButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawHelpButtonGlyph(HDC DC, const TRect& R);
  virtual void DrawBarPart65(HDC DC, const TRect& R);
  virtual void DrawBarPart63(HDC DC, const TRect& R);
  virtual void DrawGroupScrollButton(HDC DC, const TRect& R, Integer State, bool Right);
  virtual void DrawEditBackground(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart53(HDC DC, const TRect& R, Integer State, Integer Kind);
  virtual void DrawLargeButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawLargeSplitButtonTop(HDC DC, const TRect& R, Integer State);
  virtual void DrawLargeSplitButtonBottom(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart515(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart510(HDC DC, const TRect& R, Integer State);
  // Kind: 0 minimize, 1 restore, else close.
  virtual void DrawMDIButton(HDC DC, const TRect& R, Integer State, Integer Kind);
  virtual void DrawMenuGlyphFrame(HDC DC, const TRect& R, Integer State);
  virtual void DrawMenuGlyphFrameLarge(HDC DC, const TRect& R, Integer State);
  virtual void DrawBarPart390(HDC DC, const TRect& R);
  virtual void DrawDetachCaption(HDC DC, const TRect& R, Integer State);
  virtual void DrawInPlaceSubItemFace(HDC DC, const TRect& R);
  virtual void DrawExpandChevrons(HDC DC, const TRect& R);
  virtual void DrawMenuSeparatorLine(HDC DC, const TRect& R);
  virtual void DrawBarPart410(HDC DC, const TRect& R);
  virtual void DrawMenuScrollButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawProgressFill(HDC DC, const TRect& R);
  virtual void DrawProgressBackground(HDC DC, const TRect& R);
  virtual void DrawProgressChunk(HDC DC, const TRect& R);
  virtual void DrawRibbonBackground(HDC DC, const TRect& R);
  virtual void DrawTabRowEdge(HDC DC, const TRect& R);
  virtual void DrawQuickAccessAboveBackground(HDC DC, const TRect& R);
  virtual void DrawSmallButton(HDC DC, const TRect& R, Integer State);
  virtual void DrawSplitButtonMain(HDC DC, const TRect& R, Integer State);
  virtual void DrawSplitButtonArrow(HDC DC, const TRect& R, Integer State);
  virtual void DrawArrowGlyph(HDC DC, const TRect& R);
  virtual void DrawScreenTipBackground(HDC DC, const TRect& R);
  virtual void DrawTab(HDC DC, const TRect& R, Integer State);
  virtual void DrawGroupBackground(HDC DC, const TRect& R, Integer State);
  virtual void DrawGroupCaptionBand(HDC DC, const TRect& R, Integer State);
  virtual void DrawQuickAccessMark(HDC DC, const TRect& R, Integer State);
  virtual void DrawQuickAccessMarkMore(HDC DC, const TRect& R, Integer State);
  virtual void DrawTabGroupsPopup(HDC DC, const TRect& R);
  virtual void DrawTabScrollButton(HDC DC, const TRect& R, Integer State, bool Right);
  virtual void DrawTabSeparator(HDC DC, const TRect& R, Byte Alpha);
  virtual void DrawQuickAccessToolbar(HDC DC, const TRect& R, bool NoGlass, bool FlagB, bool WithApplicationButton,
                                      bool FlagA, bool Below);
  virtual void DrawBarPart100(HDC DC, const TRect& R);
  virtual void DrawFormBorderButton(HDC DC, const TRect& R, Integer State, bool A, bool B, bool C);
  virtual void DrawQuickAccessPopupBackground(HDC DC, const TRect& R);
  virtual void DrawStatusBarBackground(HDC DC, const TRect& R);
  virtual void DrawStatusBarGrip(HDC DC, const TRect& R);
  virtual void DrawStatusBarPanel(HDC DC, const TRect& R, bool First);
  virtual void DrawStatusBarSeparator(HDC DC, const TRect& R);
  virtual void DrawStatusBarSizeGrip(HDC DC, const TRect& R);
  virtual void DrawStatusBarSeparator2(HDC DC, const TRect& R);
  virtual TSize GetApplicationButtonSize();
  virtual Integer ScaleFontSize(Integer Size);
  virtual Integer MenuSeparatorSize();
  // clDefault: the skin has no colour for the part and state.
  virtual TColor GetPartColor(Integer Part, Integer State);
  virtual TRect GetPartContentOffsets(Integer Part);
  virtual String GetSkinName();
  virtual Integer QuickAccessLeftIndent();
  virtual Integer QuickAccessMarkOffset(bool Below);
  virtual Integer QuickAccessOverrideWidth(bool WithApplicationButton);
  virtual Integer CaptionIndent();
  virtual TRect GetFormBorderWidths(bool HasStatusBar);
  virtual bool UsesAlternateGroupFrame();
  virtual bool DrawsScrollArrows();

  bool GetLowColors() const noexcept { return FLowColors; }
  const THandles& Handles(TqzRibbonSkinElement Element) const { return FHandles[Element]; }

 protected:
  // The groups of elements that one cutter cuts.
  enum TCutter { ctCommon, ctTab, ctScrollButton, ctTabArea, ctCollapsedGroup, ctGroupControl, ctMenu, ctProgress,
                 ctArrow, ctScreenTip, ctQuickAccess, ctStatusBar, ctRemaining, ctFormFrame, ctCaptionButton,
                 ctApplicationButton };
  // Cuts the table's rows whose elements belong to the cutter.
  void CutRows(TCutter Cutter, GpBitmap* Image);
  static TCutter CutterOf(TqzRibbonSkinElement Element, TqzRibbonAtlas Atlas);
  // The part of the element for the state into R; nothing when it has none.
  void DrawPart(HDC DC, const TRect& R, TqzRibbonSkinElement Element, Integer State = 0, Byte Alpha = 255);
  // A state family: the part, or in the low-colour look a frame and a fill.
  void DrawStates(HDC DC, const TRect& R, TqzRibbonSkinElement Element, Integer State);
  // A frame of Width on the sides (bits 1 left, 2 top, 4 right, 8 bottom), then the rest filled
  // with Fill unless it is clNone.
  void FramedFill(HDC DC, const TRect& R, Integer Width, Integer Sides, TColor Frame, TColor Fill);
  void FillColor(HDC DC, const TRect& R, TColor Color);
  // The answer of the low-colour look, which every scheme gives unchanged.
  TColor GetLowColorPartColor(Integer Part, Integer State);

 private:
  std::array<THandles, rseCount> FHandles{};
  bool FLowColors = false;
};

class TqzBlueRibbonSkin : public TqzCustomRibbonSkin {
  TAVREN_CLASS(TqzBlueRibbonSkin, TqzCustomRibbonSkin)
 public:
  TqzBlueRibbonSkin() : TqzCustomRibbonSkin("Blue") {}
  String SchemeName() override;
  GpBitmap* LoadSchemeImage() override;
  GpBitmap* LoadFormImage() override;
  void DrawTabRowEdge(HDC DC, const TRect& R) override;
  TColor GetPartColor(Integer Part, Integer State) override;
};

class TqzBlackRibbonSkin : public TqzCustomRibbonSkin {
  TAVREN_CLASS(TqzBlackRibbonSkin, TqzCustomRibbonSkin)
 public:
  TqzBlackRibbonSkin() : TqzCustomRibbonSkin("Black") {}
  String SchemeName() override;
  GpBitmap* LoadSchemeImage() override;
  GpBitmap* LoadFormImage() override;
  void DrawTabRowEdge(HDC DC, const TRect& R) override;
  TColor GetPartColor(Integer Part, Integer State) override;

 protected:
  explicit TqzBlackRibbonSkin(const String& AName) : TqzCustomRibbonSkin(AName) {}
};

class TqzSilverRibbonSkin : public TqzBlackRibbonSkin {
  TAVREN_CLASS(TqzSilverRibbonSkin, TqzBlackRibbonSkin)
 public:
  TqzSilverRibbonSkin() : TqzBlackRibbonSkin("Silver") {}
  String SchemeName() override;
  GpBitmap* LoadSchemeImage() override;
  GpBitmap* LoadFormImage() override;
  void DrawTabRowEdge(HDC DC, const TRect& R) override;
  TColor GetPartColor(Integer Part, Integer State) override;
};

// A skin of the class, with its parts cut.
template <class TSkin>
std::unique_ptr<TSkin> NewRibbonSkin() {
  auto skin = std::make_unique<TSkin>();
  skin->CutParts();
  return skin;
}

// Loads the named RCDATA atlas of the program as a library bitmap; a missing resource raises the
// resource loader's error.
GpBitmap* LoadRibbonAtlas(const char* ResourceName);

// Unit start: queues the registration of the three schemes with the graphics library's unit
// loader (it runs at once while the library is available). End: takes it back, which removes
// the ribbon skins from the bar skin manager.
void qzRibbonSkinsStart();
void qzRibbonSkinsEnd();
