#pragma once
// How the ribbon draws: every piece goes through its colour scheme. The tab painter draws one
// header, the ribbon painter the ribbon area, and the ribbon bar painter measures the groups'
// captions and rows for the layout.

#include "toolkit/bars/qzBarSkinnedPainter.h"
#include "toolkit/ribbon/qzRibbonSkins.h"

class TqzCustomRibbon;
class TqzRibbonGroupBarControl;

class TqzRibbonTabPainter : public TObject {
  TAVREN_CLASS(TqzRibbonTabPainter, TObject)
 public:
  explicit TqzRibbonTabPainter(TqzCustomRibbonSkin* AColorScheme) : FColorScheme(AColorScheme) {}
  virtual void DrawBackground(TCanvas* ACanvas, const TRect& R, Integer AState);
  virtual void DrawSeparator(TCanvas* ACanvas, const TRect& R, Byte AAlpha);
  // Bottom-aligned on one line: centred, or from the left while the row is compressed.
  virtual void DrawText(TCanvas* ACanvas, const TRect& R, bool ACompressed, const String& ACaption);

 private:
  TqzCustomRibbonSkin* FColorScheme;
};

// Button states are 0 normal, 1 hot, 2 pressed; scroll buttons go to the scheme as 0, 2 (hot)
// or 4 (pressed).
class TqzRibbonPainter : public TObject {
  TAVREN_CLASS(TqzRibbonPainter, TObject)
 public:
  explicit TqzRibbonPainter(TqzCustomRibbon* ARibbon) : FRibbon(ARibbon) {}
  // A ribbon form's caption strip: background, quick access toolbar, application button, text.
  virtual void DrawFormCaption(TCanvas* ACanvas, const TRect& R, const TqzFormFrameInfo& AInfo);
  // Icon kinds and states as IqzRibbonFormNonClientPainter's.
  virtual void DrawFormBorderIcon(TCanvas* ACanvas, const TRect& R, Integer AKind, Integer AState);
  virtual void DrawFormBorders(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo);
  virtual void DrawApplicationButton(TCanvas* ACanvas, const TRect& R, Integer AState);
  virtual void DrawApplicationButtonGlyph(TCanvas* ACanvas, const TRect& R, bool AStretch, TBitmap* AGlyph);
  virtual void DrawBackground(TCanvas* ACanvas, const TRect& R);
  virtual void DrawGroupsArea(TCanvas* ACanvas, const TRect& R);
  virtual void DrawGroupsScrollButton(TCanvas* ACanvas, const TRect& R, bool AHot, bool APressed, bool ALeft);
  // The caption text in the canvas font, centred; a document name leading it in its own colour.
  virtual void DrawFormCaptionText(TCanvas* ACanvas, const TRect& R, const TqzFormFrameInfo& AInfo);
  // The caption text over the composition frame: plain white when maximized, else glowing.
  virtual void DrawGlowingCaptionText(TCanvas* ACanvas, const TRect& R, const String& AText, bool AMaximized);
  virtual void DrawQuickAccessToolbar(TCanvas* ACanvas, const TRect& R, bool AActive);
  virtual void DrawTabScrollButton(TCanvas* ACanvas, const TRect& R, bool AHot, bool APressed, bool ALeft);
  virtual void DrawMDIButton(TCanvas* ACanvas, const TRect& R, Integer AState, Integer AKind);
  void DrawHelpButton(TCanvas* ACanvas, const TRect& R, Integer AState);
  void DrawTabRowEdge(TCanvas* ACanvas);
  void DrawDesignPlaceholder(TCanvas* ACanvas);

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }

 private:
  TqzCustomRibbonSkin* Scheme() const;
  void DrawScrollArrow(TCanvas* ACanvas, const TRect& R, bool ALeft);

  TqzCustomRibbon* FRibbon;
};

// The painter of the ribbon's groups, quick access toolbar and menus: the skinned bar painter
// with the ribbon as its skin source, and the measures of the groups' rows and captions.
class TqzRibbonBarPainter : public TqzBarSkinnedPainter {
  TAVREN_CLASS(TqzRibbonBarPainter, TqzBarSkinnedPainter)
  QZ_BAR_PAINTER_CLASS(TqzRibbonBarPainter)
 public:
  // ARibbon is the painter's skin source; nullptr only for the class reference.
  explicit TqzRibbonBarPainter(TObject* ARibbon);
  // The width of a collapsed group's button: its caption or its glyph frame, whichever is wider.
  virtual Integer GetCollapsedGroupWidth(TCustomqzBarControl* ABarControl);
  // "Qq" in the font (raised to 8 points when smaller) plus 1.
  virtual Integer GetGroupCaptionHeight(TFont* AFont);
  // R deflated by the collapsed button's frame, below the glyph frame.
  virtual void GetCollapsedGroupCaptionBounds(const TRect& R, TRect& ABounds);
  // The width the group's caption needs in the group-header font, its caption buttons included.
  virtual Integer GetGroupCaptionWidth(TCustomqzBarControl* ABarControl);
  // A group stands on the groups area: that is drawn behind it first. A collapsed group then draws
  // its button; any other window is drawn as the skinned painter does.
  void DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) override;
  void DrawSkinnedBarFrame(TCustomqzBarControl* ABarControl, HDC DC) override;
  // Under a group's items: the groups area behind the group and the group's own background.
  void FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R,
                             const TRect& AClipRect) override;
  // A button's face parts leave its background to the window: a group's is filled first.
  void DrawButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R) override;
  // A collapsed group has no frame.
  void GetBarBorderSizes(TqzBar* ABar, Integer ADockingStyle, TRect& R, bool AWithSizeGrip) override;
  // Ribbon toolbars have no frame for a mark to reach into: the mark is the plain one.
  void GetBarMarkRect(TCustomqzBarControl* ABarControl, TRect& R) override { GetMarkRect(ABarControl, R); }
  // The button height for the image size, or the height of "Wg" in the font plus 3 when taller.
  Integer GroupRowHeight(Integer AImageSize, TFont* AFont);
  Integer MenuSeparatorHeight() override;
  Integer SeparatorLineHeight() override;

  TqzCustomRibbon* GetRibbon() const noexcept { return FRibbon; }

 private:
  // 3 x the button height for 16-pixel images + 16: the group height the collapsed button's
  // proportions are given for.
  Integer ReferenceGroupHeight();
  Integer CollapsedGlyphFrameSize(TCustomqzBarControl* ABarControl);
  void DrawCollapsedGroup(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas);
  void DrawCaptionButtons(TqzRibbonGroupBarControl* AGroup, HDC DC);
  // The groups area behind a group window, into a DC whose origin is the window's top left.
  void DrawBehindGroup(TCustomqzBarControl* ABarControl, HDC DC);

  TqzCustomRibbon* FRibbon;
};
