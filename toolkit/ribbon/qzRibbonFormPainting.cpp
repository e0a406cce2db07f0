// The ribbon's side of its form's caption and frame: drawn through the colour scheme.

#include <algorithm>

#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonForm.h"

namespace {

// The frame takes the scheme's colour of this part.
constexpr Integer kFrameColorPart = 10018;

}  // namespace

void TqzCustomRibbon::DrawNonClientCaption(TCanvas* ACanvas, const TRect& ACaptionBounds, const TqzFormFrameInfo& AInfo) {
  FPainter->DrawFormCaption(ACanvas, ACaptionBounds, AInfo);
}

void TqzCustomRibbon::DrawNonClientBorders(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo) {
  DrawStatusBarCorners(ACanvas, ABorderWidths, AInfo);
  FPainter->DrawFormBorders(ACanvas, ABorderWidths, AInfo);
}

// A status bar in the bottom border reaches into both side borders: their lowest rows take the
// status bar's look.
void TqzCustomRibbon::DrawStatusBarCorners(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo) {
  if (AInfo.SizeState != 0 || !FColorScheme) return;
  TInterfacePtr<IqzRibbonStatusBarPainter> statusBar = FormStatusBar();
  if (!statusBar) return;
  const TRect& form = AInfo.WindowRect;
  const Integer top = form.Bottom - statusBar->GetStatusBarHeight() - 1;
  const Integer bottom = AInfo.IsActive ? form.Bottom : form.Bottom - 1;
  const TRect corners[2] = {TRect{form.Left, top, form.Left + ABorderWidths.Left, bottom},
                            TRect{form.Right - ABorderWidths.Right, top, form.Right, bottom}};
  for (Integer side = 0; side < 2; ++side) {
    const bool left = side == 0;
    FColorScheme->DrawStatusBarPart(ACanvas->GetHandle(), corners[side], 0, statusBar->GetCornerState(left),
                                    AInfo.IsActive, left);
    FillRectExcluding(ACanvas->GetHandle(), corners[side], clNone, true);
  }
}

void TqzCustomRibbon::DrawNonClientBorderIcon(TCanvas* ACanvas, const TRect& R, Integer AKind, Integer AState) {
  FPainter->DrawFormBorderIcon(ACanvas, R, AKind, AState);
}

HRGN TqzCustomRibbon::GetApplicationButtonRegion() { return FViewInfo->CreateApplicationButtonRegion(); }

TColor TqzCustomRibbon::GetFrameColor() { return GetPartColor(kFrameColorPart, 0); }

String TqzCustomRibbon::GetFormCaptionText() { return FViewInfo->GetCaptionText(); }

TRect TqzCustomRibbon::GetBorderWidths() {
  return FColorScheme ? FColorScheme->GetFormBorderWidths(HasStatusBarInBorder()) : TRect{4, 0, 4, 4};
}

bool TqzCustomRibbon::HasStatusBarInBorder() { return FormStatusBar() != nullptr; }

Integer TqzCustomRibbon::AddStatusBarPainter(TObject* AObject) {
  auto known = std::find(FStatusBarPainters.begin(), FStatusBarPainters.end(), AObject);
  if (known == FStatusBarPainters.end()) known = FStatusBarPainters.insert(FStatusBarPainters.end(), AObject);
  return static_cast<Integer>(known - FStatusBarPainters.begin());
}

void TqzCustomRibbon::RemoveStatusBarPainter(TObject* AObject) {
  std::erase(FStatusBarPainters, AObject);
}

TInterfacePtr<IqzRibbonStatusBarPainter> TqzCustomRibbon::FormStatusBar() {
  TqzRibbonForm* form = RibbonForm();
  if (!FViewInfo->GetUseNonClientDrawing() || FViewInfo->GetUseCompositionFrame() || !form || !form->HandleAllocated())
    return nullptr;
  for (TObject* object : FStatusBarPainters) {
    TInterfacePtr<IqzRibbonStatusBarPainter> statusBar;
    if (Supports(object, statusBar) && statusBar->ServesForm(form)) return statusBar;
  }
  return nullptr;
}
