// The ribbon skin: cutting the atlases, the state families, the low-colour frames and metrics.
#include "toolkit/ribbon/qzRibbonSkins.h"

#include "gdi/Gdi.h"
#include "rtl/Resources.h"
#include "rtl/Streams.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "user/Painting.h"
#include "vcl/Graphics.h"

TAVREN_CLASS_IMPL(TqzCustomRibbonSkin)

namespace {

// Disposes an atlas when it goes out of scope: parts copy their pixels while they are cut.
struct TAtlas {
  explicit TAtlas(GpBitmap* AImage) : Image(AImage) {}
  ~TAtlas() {
    if (Image) GdiPlus().GdipDisposeImage(Image);
  }
  TAtlas(const TAtlas&) = delete;
  TAtlas& operator=(const TAtlas&) = delete;
  GpBitmap* Image;
};

bool ScreenIsLowColor() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits < 9;
}

}  // namespace

GpBitmap* LoadRibbonAtlas(const char* ResourceName) {
  TResourceStream stream(HInstance, ResourceName, RT_RCDATA);
  return LoadPngBitmap(&stream);
}

TqzCustomRibbonSkin::TqzCustomRibbonSkin(const String& AName) : TqzCustomBarSkin(AName) {}

void TqzCustomRibbonSkin::CutParts() {
  {
    TAtlas form(LoadFormImage());
    CutFormParts(form.Image);
  }
  {
    TAtlas common(LoadCommonImage());
    CutCommonParts(common.Image);
  }
  {
    TAtlas scheme(LoadSchemeImage());
    CutSchemeParts(scheme.Image);
  }
  FLowColors = ScreenIsLowColor();
}

GpBitmap* TqzCustomRibbonSkin::LoadCommonImage() { return LoadRibbonAtlas("RIBBONCOMMON"); }

TqzCustomRibbonSkin::TCutter TqzCustomRibbonSkin::CutterOf(TqzRibbonSkinElement Element, TqzRibbonAtlas Atlas) {
  switch (Element) {
    case rseTab:
    case rseTabSeparator: return ctTab;
    case rseTabScrollButton:
    case rseGroupScrollButton: return ctScrollButton;
    case rseTabGroupsPopup: return ctTabArea;
    case rseCollapsedGroupButton:
    case rseCollapsedGroupGlyphFrame: return ctCollapsedGroup;
    case rseApplicationMenuBorder:
    case rseApplicationMenuTopBand:
    case rseApplicationMenuBottomBand:
    case rseApplicationMenuButton:
    case rseExpandChevrons: return ctMenu;
    case rseProgressBackground: return ctProgress;
    case rseArrowGlyph:
    case rseDownArrowGlyph:
    case rseRightArrowGlyph: return ctArrow;
    case rseScreenTipBackground: return ctScreenTip;
    case rseQuickAccessMark:
    case rseQuickAccessMarkMore:
    case rseQuickAccessBelow:
    case rseQuickAccessPopupBackground: return ctQuickAccess;
    case rseStatusBarBackground:
    case rseStatusBarPanel:
    case rseStatusBarSeparator:
    case rseStatusBarSeparator2:
    case rseStatusBarGrip:
    case rseStatusBarPart:
    case rseStatusBarPartAlt: return ctStatusBar;
    case rseFormBorderButton:
    case rseFormBorderButtonAlt: return ctRemaining;
    case rseCaptionGlyphMinimize:
    case rseCaptionGlyphMaximize:
    case rseCaptionGlyphRestore:
    case rseCaptionGlyphClose:
    case rseCaptionGlyphHelp:
    case rseCaptionButtonBackground: return ctCaptionButton;
    case rseApplicationButton: return ctApplicationButton;
    // The menu scroll button's resting state lies in the scheme atlas, its others in the common.
    case rseMenuScrollButton: return Atlas == raScheme ? ctMenu : ctCommon;
    default:
      if (Atlas == raForm) return ctFormFrame;
      return Atlas == raCommon ? ctCommon : ctGroupControl;  // the rest of the scheme atlas is the groups' controls
  }
}

void TqzCustomRibbonSkin::CutRows(TCutter Cutter, GpBitmap* Image) {
  for (const TqzRibbonCutRow& row : kRibbonCutRows) {
    if (CutterOf(row.pieces[0].element, row.atlas) != Cutter) continue;
    ForEachRibbonPart(row, [&](const TqzRibbonCutRow& r, const TqzRibbonPiece& piece, int, int entry, int id, int x,
                               int y) {
      const TRect margins{piece.margins[0], piece.margins[1], piece.margins[2], piece.margins[3]};
      const Integer index = AddPartWithMargins(Image, Bounds(x, y, r.width, r.height),
                                               static_cast<InterpolationMode>(r.interpolation), "", id, margins);
      FHandles[piece.element][static_cast<size_t>(entry)] = GetPart(index);
    });
  }
}

void TqzCustomRibbonSkin::CutCommonParts(GpBitmap* Image) { CutRows(ctCommon, Image); }

void TqzCustomRibbonSkin::CutSchemeParts(GpBitmap* Image) {
  CutRows(ctTab, Image);
  CutRows(ctScrollButton, Image);
  CutTabAreaParts(Image);
  CutRows(ctCollapsedGroup, Image);
  CutGroupControlParts(Image);
  CutMenuParts(Image);
  CutProgressParts(Image);
  CutArrowGlyphPart(Image);
  CutScreenTipPart(Image);
  CutRows(ctQuickAccess, Image);
  CutStatusBarParts(Image);
  CutRows(ctRemaining, Image);
}

void TqzCustomRibbonSkin::CutFormParts(GpBitmap* Image) {
  CutRows(ctFormFrame, Image);
  CutCaptionButtonParts(Image);
  CutApplicationButtonParts(Image);
}

void TqzCustomRibbonSkin::CutApplicationButtonParts(GpBitmap* Image) { CutRows(ctApplicationButton, Image); }
void TqzCustomRibbonSkin::CutCaptionButtonParts(GpBitmap* Image) { CutRows(ctCaptionButton, Image); }
void TqzCustomRibbonSkin::CutGroupControlParts(GpBitmap* Image) { CutRows(ctGroupControl, Image); }
void TqzCustomRibbonSkin::CutTabAreaParts(GpBitmap* Image) { CutRows(ctTabArea, Image); }
void TqzCustomRibbonSkin::CutMenuParts(GpBitmap* Image) { CutRows(ctMenu, Image); }
void TqzCustomRibbonSkin::CutProgressParts(GpBitmap* Image) { CutRows(ctProgress, Image); }
void TqzCustomRibbonSkin::CutArrowGlyphPart(GpBitmap* Image) { CutRows(ctArrow, Image); }
void TqzCustomRibbonSkin::CutScreenTipPart(GpBitmap* Image) { CutRows(ctScreenTip, Image); }
void TqzCustomRibbonSkin::CutStatusBarParts(GpBitmap* Image) { CutRows(ctStatusBar, Image); }

// ---- Drawing helpers -------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawPart(HDC DC, const TRect& R, TqzRibbonSkinElement Element, Integer State, Byte Alpha) {
  if (State < 0 || State >= 9) return;
  if (TqzSkinnedRect* part = FHandles[Element][static_cast<size_t>(State)]) part->DrawOn(DC, R, Alpha);
}

void TqzCustomRibbonSkin::DrawStates(HDC DC, const TRect& R, TqzRibbonSkinElement Element, Integer State) {
  if (!FLowColors) {
    DrawPart(DC, R, Element, State);
    return;
  }
  if (State == 2 || State == 6 || State == 7)
    FramedFill(DC, R, 1, 15, clWhite, clHighlight);
  else if (State == 4)
    FramedFill(DC, R, 1, 15, clBtnShadow, clHighlight);
  else
    FramedFill(DC, R, 1, 15, clBtnShadow, clBtnFace);
}

void FillRectExcluding(HDC DC, const TRect& R, TColor AColor, bool AExclude) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (AColor != clNone) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
    FillRect(DC, &R, brush);
    DeleteObject(brush);
  }
  if (AExclude) ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
}

void TqzCustomRibbonSkin::FillColor(HDC DC, const TRect& R, TColor Color) { FillRectExcluding(DC, R, Color, false); }

void TqzCustomRibbonSkin::FramedFill(HDC DC, const TRect& R, Integer Width, Integer Sides, TColor Frame, TColor Fill) {
  TRect inner = R;
  if (Sides & 1) {
    FillColor(DC, TRect{R.Left, R.Top, R.Left + Width, R.Bottom}, Frame);
    inner.Left += Width;
  }
  if (Sides & 2) {
    FillColor(DC, TRect{R.Left, R.Top, R.Right, R.Top + Width}, Frame);
    inner.Top += Width;
  }
  if (Sides & 4) {
    FillColor(DC, TRect{R.Right - Width, R.Top, R.Right, R.Bottom}, Frame);
    inner.Right -= Width;
  }
  if (Sides & 8) {
    FillColor(DC, TRect{R.Left, R.Bottom - Width, R.Right, R.Bottom}, Frame);
    inner.Bottom -= Width;
  }
  FillColor(DC, inner, Fill);
}

// ---- Metrics ---------------------------------------------------------------------------------

TSize TqzCustomRibbonSkin::GetApplicationButtonSize() { return TSize{42, 42}; }
Integer TqzCustomRibbonSkin::ScaleFontSize(Integer Size) { return Size; }
Integer TqzCustomRibbonSkin::MenuSeparatorSize() { return 2; }
TRect TqzCustomRibbonSkin::GetPartContentOffsets(Integer) { return TRect{0, 0, 0, 0}; }
String TqzCustomRibbonSkin::GetSkinName() { return ""; }
Integer TqzCustomRibbonSkin::QuickAccessLeftIndent() { return 0; }
Integer TqzCustomRibbonSkin::QuickAccessMarkOffset(bool Below) { return Below ? 5 : 12; }
Integer TqzCustomRibbonSkin::QuickAccessOverrideWidth(bool WithApplicationButton) {
  return WithApplicationButton ? 14 : 0;
}
Integer TqzCustomRibbonSkin::CaptionIndent() { return 0; }
TRect TqzCustomRibbonSkin::GetFormBorderWidths(bool HasStatusBar) { return TRect{4, 0, 4, HasStatusBar ? 1 : 4}; }
bool TqzCustomRibbonSkin::UsesAlternateGroupFrame() { return false; }
bool TqzCustomRibbonSkin::DrawsScrollArrows() { return true; }
