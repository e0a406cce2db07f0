// The ribbon's side of its form's caption and frame: drawn through the colour scheme.

#include "toolkit/ribbon/qzRibbon.h"

namespace {

// The document name and the frame take the scheme's colours of these parts.
constexpr Integer kDocumentNamePart = 10131;
constexpr Integer kFrameColorPart = 10018;

}  // namespace

void TqzCustomRibbon::DrawNonClientCaption(TCanvas* ACanvas, const TRect& ACaptionBounds, const TqzFormFrameInfo& AInfo) {
  if (!FColorScheme) return;
  if (!FViewInfo->GetUseCompositionFrame()) FColorScheme->DrawFormCaption(ACanvas->GetHandle(), ACaptionBounds, AInfo);
  if (FHidden) return;
  if (FViewInfo->IsApplicationButtonShown(false))
    FPainter->DrawApplicationButton(ACanvas, FViewInfo->GetApplicationButtonImageRect(),
                                    FViewInfo->GetApplicationButtonState());
  // The document name leads the caption in a colour of its own.
  TFont* font = FFonts->GetFormCaptionFont(AInfo.IsActive);
  ACanvas->SetFont(font);
  ACanvas->GetBrush()->SetStyle(bsClear);
  TRect r = FViewInfo->GetCaptionBounds();
  const String document = FDocumentName;
  if (!document.empty()) {
    TColor color = FFonts->GetDocumentNameColor();
    if (color == clDefault) color = GetPartColor(kDocumentNamePart, AInfo.IsActive ? 0 : 1);
    ACanvas->GetFont()->SetColor(color);
    TkvCanvas(ACanvas).PaintText(document, r, ktfSingleLine | ktfAlignVCenter | ktfAlignLeft);
    r.Left += ACanvas->TextWidth(document);
    ACanvas->GetFont()->SetColor(font->GetColor());
  }
  const String rest = document.empty() ? GetFormCaptionText() : GetFormCaptionText().substr(document.size());
  TkvCanvas(ACanvas).PaintText(rest, r, ktfSingleLine | ktfAlignVCenter | ktfAlignLeft | ktfEndEllipsis);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TqzCustomRibbon::DrawNonClientBorders(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo) {
  if (FColorScheme) FColorScheme->DrawFormBorders(ACanvas->GetHandle(), ABorderWidths, AInfo, GetFormCaptionHeight());
}

void TqzCustomRibbon::DrawNonClientBorderIcon(TCanvas* ACanvas, const TRect& R, Integer AKind, Integer AState) {
  if (FColorScheme) FColorScheme->DrawCaptionButton(ACanvas->GetHandle(), R, AState, AKind);
}

HRGN TqzCustomRibbon::GetApplicationButtonRegion() { return FViewInfo->CreateApplicationButtonRegion(); }

TColor TqzCustomRibbon::GetFrameColor() { return GetPartColor(kFrameColorPart, 0); }

String TqzCustomRibbon::GetFormCaptionText() { return FViewInfo->GetCaptionText(); }

TRect TqzCustomRibbon::GetBorderWidths() {
  return FColorScheme ? FColorScheme->GetFormBorderWidths(HasStatusBarInBorder()) : TRect{4, 0, 4, 4};
}

// No status bar of this program draws into a form's border.
bool TqzCustomRibbon::HasStatusBarInBorder() { return false; }
