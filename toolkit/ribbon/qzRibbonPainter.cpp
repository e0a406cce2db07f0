// The ribbon's painters: tab headers and the ribbon area through the colour scheme, and the
// measures of the groups' rows and captions.

#include "toolkit/ribbon/qzRibbonPainter.h"

#include <algorithm>

#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzRibbonTabPainter)
TAVREN_CLASS_IMPL(TqzRibbonPainter)
TAVREN_CLASS_IMPL(TqzRibbonBarPainter)

namespace {

void ExcludeRect(TCanvas* ACanvas, const TRect& R) {
  ExcludeClipRect(ACanvas->GetHandle(), R.Left, R.Top, R.Right, R.Bottom);
}

// Scroll buttons go to the scheme as 0 normal, 2 hot, 4 pressed.
Integer ScrollButtonState(bool AHot, bool APressed) { return APressed ? 4 : AHot ? 2 : 0; }

}  // namespace

// ---- Tab headers -----------------------------------------------------------------------------

void TqzRibbonTabPainter::DrawBackground(TCanvas* ACanvas, const TRect& R, Integer AState) {
  if (FColorScheme) FColorScheme->DrawTab(ACanvas->GetHandle(), R, AState);
}

void TqzRibbonTabPainter::DrawSeparator(TCanvas* ACanvas, const TRect& R, Byte AAlpha) {
  if (FColorScheme) FColorScheme->DrawTabSeparator(ACanvas->GetHandle(), R, AAlpha);
}

void TqzRibbonTabPainter::DrawText(TCanvas* ACanvas, const TRect& R, bool ACompressed, const String& ACaption) {
  TkvCanvas canvas(ACanvas);
  ACanvas->GetBrush()->SetStyle(bsClear);
  canvas.PaintText(ACaption, R, ktfSingleLine | ktfAlignBottom | (ACompressed ? ktfAlignLeft : ktfAlignHCenter));
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

// ---- The ribbon area -------------------------------------------------------------------------

TqzCustomRibbonSkin* TqzRibbonPainter::Scheme() const { return FRibbon->GetColorScheme(); }

void TqzRibbonPainter::DrawApplicationButton(TCanvas* ACanvas, const TRect& R, Integer AState) {
  if (!FRibbon->GetViewInfo()->IsApplicationButtonShown(false) || IsRectEmpty(&R) || !Scheme()) return;
  Scheme()->DrawApplicationButton(ACanvas->GetHandle(), R, AState);
  // Forms here carry no icon of their own: a button without a glyph shows the bare orb.
  TBitmap* glyph = FRibbon->GetApplicationButton()->GetGlyph();
  if (!glyph->GetEmpty())
    DrawApplicationButtonGlyph(ACanvas, R, FRibbon->GetApplicationButton()->GetStretchGlyph(), glyph);
}

void TqzRibbonPainter::DrawApplicationButtonGlyph(TCanvas* ACanvas, const TRect& R, bool AStretch, TBitmap* AGlyph) {
  TRect target;
  if (AStretch) {
    target = TRect{R.Left + 9, R.Top + 9, R.Right - 9, R.Bottom - 9};
  } else {
    const Integer left = R.Left + (R.Width() - AGlyph->GetWidth()) / 2;
    const Integer top = R.Top + (R.Height() - AGlyph->GetHeight()) / 2;
    target = TRect{left, top, left + AGlyph->GetWidth(), top + AGlyph->GetHeight()};
  }
  OffsetRect(&target, -1, -1);
  const TRect source{0, 0, AGlyph->GetWidth(), AGlyph->GetHeight()};
  if (AGlyph->GetPixelFormat() == pf32bit) {
    AlphaDrawBitmap(ACanvas->GetHandle(), AGlyph, target, source, false, 255);
  } else {
    const TBrushStyle style = ACanvas->GetBrush()->GetStyle();
    ACanvas->GetBrush()->SetStyle(bsClear);
    ACanvas->BrushCopy(target, AGlyph, source, AGlyph->GetTransparentColor());
    ACanvas->GetBrush()->SetStyle(style);
  }
}

void TqzRibbonPainter::DrawBackground(TCanvas* ACanvas, const TRect& R) {
  if (!Scheme()) return;
  HDC dc = ACanvas->GetHandle();
  TqzRibbonViewInfo* viewInfo = FRibbon->GetViewInfo();
  if (viewInfo->IsQuickAccessToolbarShown(false) && !viewInfo->IsQuickAccessToolbarBelow() &&
      !viewInfo->GetUseNonClientDrawing()) {
    const Integer split = viewInfo->GetQuickAccessToolbarRect().Bottom;
    Scheme()->DrawQuickAccessAboveBackground(dc, TRect{R.Left, R.Top, R.Right, split});
    Scheme()->DrawRibbonBackground(dc, TRect{R.Left, split, R.Right, R.Bottom});
  } else {
    Scheme()->DrawRibbonBackground(dc, R);
  }
}

void TqzRibbonPainter::DrawGroupsArea(TCanvas* ACanvas, const TRect& R) {
  if (Scheme()) Scheme()->DrawTabGroupsPopup(ACanvas->GetHandle(), R);
}

void TqzRibbonPainter::DrawScrollArrow(TCanvas* ACanvas, const TRect& R, bool ALeft) {
  TkvCanvas canvas(ACanvas);
  PainterClassOf<TkvStandardLookAndFeelPainter>()->PaintArrow(&canvas, R, ALeft ? adLeft : adRight, clBtnText);
}

void TqzRibbonPainter::DrawGroupsScrollButton(TCanvas* ACanvas, const TRect& R, bool AHot, bool APressed, bool ALeft) {
  if (!Scheme()) return;
  Scheme()->DrawGroupScrollButton(ACanvas->GetHandle(), R, ScrollButtonState(AHot, APressed), ALeft);
  if (Scheme()->DrawsScrollArrows()) DrawScrollArrow(ACanvas, TRect{R.Left + 2, R.Top, R.Right - 2, R.Bottom - 2}, ALeft);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawTabScrollButton(TCanvas* ACanvas, const TRect& R, bool AHot, bool APressed, bool ALeft) {
  if (!Scheme()) return;
  Scheme()->DrawTabScrollButton(ACanvas->GetHandle(), R, ScrollButtonState(AHot, APressed), ALeft);
  DrawScrollArrow(ACanvas, TRect{R.Left + 2, R.Top, R.Right - 4, R.Bottom - 2}, ALeft);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawQuickAccessToolbar(TCanvas* ACanvas, const TRect& R, bool AActive) {
  if (!Scheme()) return;
  TqzRibbonViewInfo* viewInfo = FRibbon->GetViewInfo();
  HDC dc = ACanvas->GetHandle();
  if (!viewInfo->IsQuickAccessToolbarInCaption(false)) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    DrawBackground(ACanvas, viewInfo->GetBounds());
    RestoreDC(dc, saved);
  }
  Scheme()->DrawQuickAccessToolbar(dc, R, !viewInfo->GetUseCompositionFrame(), AActive,
                                   viewInfo->IsApplicationButtonShown(false), viewInfo->GetUseNonClientDrawing(),
                                   viewInfo->IsQuickAccessToolbarBelow());
}

void TqzRibbonPainter::DrawMDIButton(TCanvas* ACanvas, const TRect& R, Integer AState, Integer AKind) {
  if (!Scheme()) return;
  Scheme()->DrawMDIButton(ACanvas->GetHandle(), R, AState, AKind);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawHelpButton(TCanvas* ACanvas, const TRect& R, Integer AState) {
  if (!Scheme()) return;
  Scheme()->DrawHelpButton(ACanvas->GetHandle(), R, AState);
  Scheme()->DrawHelpButtonGlyph(ACanvas->GetHandle(), R);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawTabRowEdge(TCanvas* ACanvas) {
  if (!Scheme()) return;
  const TRect& bounds = FRibbon->GetViewInfo()->GetBounds();
  const TRect edge{bounds.Left, bounds.Bottom - 2, bounds.Right, bounds.Bottom};
  Scheme()->DrawTabRowEdge(ACanvas->GetHandle(), edge);
  ExcludeRect(ACanvas, edge);
}

void TqzRibbonPainter::DrawDesignPlaceholder(TCanvas* ACanvas) {
  HDC dc = ACanvas->GetHandle();
  const TRect& bounds = FRibbon->GetViewInfo()->GetBounds();
  const COLORREF background = SetBkColor(dc, 0xC0C0C0);
  HBRUSH brush = CreateHatchBrush(HS_BDIAGONAL, 0);
  FillRect(dc, &bounds, brush);
  DeleteObject(brush);
  SetBkColor(dc, background);
}

// ---- The groups' measures --------------------------------------------------------------------

TqzRibbonBarPainter::TqzRibbonBarPainter(TObject* ARibbon)
    : TqzBarSkinnedPainter(ARibbon), FRibbon(dynamic_cast<TqzCustomRibbon*>(ARibbon)) {}

Integer TqzRibbonBarPainter::GetGroupCaptionHeight(TFont* AFont) {
  TFont font;
  font.Assign(AFont);
  if (font.GetSize() < 8) font.SetSize(8);
  return TextHeightInFont(&font, "Qq") + 1;
}

Integer TqzRibbonBarPainter::GroupRowHeight(Integer AImageSize, TFont* AFont) {
  return std::max(ButtonHeightFor(AImageSize), TextHeightInFont(AFont, "Wg") + 3);
}

Integer TqzRibbonBarPainter::MenuSeparatorHeight() {
  return FRibbon && FRibbon->GetColorScheme() ? FRibbon->GetColorScheme()->MenuSeparatorSize() : 2;
}

Integer TqzRibbonBarPainter::SeparatorLineHeight() { return MenuSeparatorHeight(); }
