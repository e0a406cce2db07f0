// The ribbon painter's side of a ribbon form: the caption strip and the frame, through the scheme.

#include <algorithm>
#include <string>

#include "gdi/Bitmaps.h"
#include "gdi/Text.h"
#include "gdi/DeviceContexts.h"
#include "gdi/UxTheme.h"
#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "toolkit/ribbon/qzRibbon.h"

namespace {

constexpr Integer kDocumentNamePart = 10131;
// A glowing text keeps this much room around it for the glow.
constexpr Integer kGlowRoom = 20;
constexpr int kGlowSize = 10;

}  // namespace

void TqzRibbonPainter::DrawFormCaption(TCanvas* ACanvas, const TRect& R, const TqzFormFrameInfo& AInfo) {
  if (!Scheme()) return;
  TqzRibbonViewInfo* viewInfo = FRibbon->GetViewInfo();
  if (!viewInfo->GetUseCompositionFrame()) Scheme()->DrawFormCaption(ACanvas->GetHandle(), R, AInfo);
  // Forms here carry no icon: a hidden ribbon leaves the caption's icon place empty.
  if (FRibbon->GetHidden()) return;
  if (viewInfo->IsQuickAccessToolbarInCaption(false))
    DrawQuickAccessToolbar(ACanvas, viewInfo->GetQuickAccessToolbarBounds(), AInfo.IsActive);
  if (viewInfo->IsApplicationButtonShown(false))
    DrawApplicationButton(ACanvas, viewInfo->GetApplicationButtonImageRect(), viewInfo->GetApplicationButtonState());
  ACanvas->SetFont(FRibbon->GetFonts()->GetFormCaptionFont(AInfo.IsActive));
  if (viewInfo->GetUseCompositionFrame())
    DrawGlowingCaptionText(ACanvas, viewInfo->GetCaptionBounds(), FRibbon->GetFormCaptionText(), AInfo.SizeState == 2);
  else
    DrawFormCaptionText(ACanvas, viewInfo->GetCaptionBounds(), AInfo);
}

void TqzRibbonPainter::DrawFormBorderIcon(TCanvas* ACanvas, const TRect& R, Integer AKind, Integer AState) {
  if (Scheme()) Scheme()->DrawCaptionButton(ACanvas->GetHandle(), R, AState, AKind);
}

void TqzRibbonPainter::DrawFormBorders(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo) {
  if (Scheme())
    Scheme()->DrawFormBorders(ACanvas->GetHandle(), ABorderWidths, AInfo, FRibbon->GetFormCaptionHeight());
}

void TqzRibbonPainter::DrawFormCaptionText(TCanvas* ACanvas, const TRect& R, const TqzFormFrameInfo& AInfo) {
  const String document = FRibbon->GetDocumentName();
  TColor documentColor = FRibbon->GetFonts()->GetDocumentNameColor();
  if (documentColor == clDefault) documentColor = FRibbon->GetPartColor(kDocumentNamePart, AInfo.IsActive ? 0 : 1);
  TRect r = R;
  ACanvas->GetBrush()->SetStyle(bsClear);
  DrawTextRowsOnCanvas(ACanvas, FRibbon->GetFormCaptionText(), r,
                       kvtfCenterX | kvtfCenterY | kvtfNoLeftOverhang | kvtfSingleLine | kvtfEndEllipsis, 0,
                       static_cast<Integer>(document.size()), clNone, documentColor);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TqzRibbonPainter::DrawGlowingCaptionText(TCanvas* ACanvas, const TRect& R, const String& AText, bool AMaximized) {
  TkvCanvas canvas(ACanvas);
  if (AMaximized) {
    ACanvas->GetFont()->SetColor(clWhite);
    ACanvas->GetBrush()->SetStyle(bsClear);
    canvas.PaintText(AText, R, ktfEndEllipsis | ktfSingleLine | ktfAlignVCenter | ktfAlignLeft);
    ACanvas->GetBrush()->SetStyle(bsSolid);
    return;
  }
  HTHEME theme = ObtainTheme(totWindow);
  if (!theme || R.Width() <= kGlowRoom || R.Height() <= 0) return;
  // The theme draws the glow into a 32-bit picture of its own, copied onto the canvas after.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldFont = SelectObject(memory, ACanvas->GetFont()->GetHandle());
  // The text is cut to leave room for the glow, and the picture is as wide as what remains.
  std::string text = AText;
  RECT fit{0, 0, R.Width() - kGlowRoom, R.Height()};
  DrawText(memory, text.data(), -1, &fit, DT_CALCRECT | DT_MODIFYSTRING | DT_END_ELLIPSIS | DT_SINGLELINE | DT_NOPREFIX);
  text.resize(std::char_traits<char>::length(text.c_str()));
  TRect bounds = R;
  bounds.Right = std::min(bounds.Right, bounds.Left + (fit.Right - fit.Left) + kGlowRoom);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bounds.Width();
  info.bmiHeader.biHeight = -bounds.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldPicture = SelectObject(memory, picture);
  DTTOPTS options;
  options.dwFlags = DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED;
  options.crText = ColorToRGB(ACanvas->GetFont()->GetColor());
  options.iGlowSize = kGlowSize;
  RECT local{0, 0, bounds.Width(), bounds.Height()};
  UxDrawThemeTextEx(theme, memory, 0, 0, text, -1, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER,
                    &local, &options);
  BitBlt(ACanvas->GetHandle(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldPicture);
  SelectObject(memory, oldFont);
  DeleteObject(picture);
  DeleteDC(memory);
}
