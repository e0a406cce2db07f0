// The skinned look: every face, background and arrow is a part of the skin source.

#include "toolkit/bars/qzBarSkinnedPainter.h"

#include <algorithm>
#include <cmath>

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/GdiTypes.h"
#include "gdi/Regions.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Painting.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzBarSkinnedPainter)

namespace {

// The arrow direction that points right (the others point down).
constexpr Integer ArrowRight = 3;

TqzBarButtonLikeControlDrawParams* ButtonLike(TqzBarItemControlDrawParams* AParams) {
  return dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
}

// Group positions: 0 none, 1 first, 2 middle, 3 last, 4 alone. The two parts of a split button
// continue into each other.
Byte GroupPositionOfPart(Byte APosition, bool ASplit, Integer APartIndex) {
  if (!ASplit) return APosition;
  if (APartIndex == 0) return APosition == 3 ? 2 : APosition == 4 ? 1 : APosition;
  return APosition == 1 ? 2 : APosition == 4 ? 3 : APosition;
}

}  // namespace

Integer SkinGenericState(TqzBarItemControlDrawParams* AParams, Integer APartIndex) {
  if (APartIndex == AParams->HotPartIndex && AParams->SelectableLook) return qzSkinStateHot;
  bool highlighted = (AParams->SelectableLook && AParams->SelectedLook) || AParams->HotPartIndex != qzNoHotPart;
  if (highlighted) return AParams->EnabledLook ? qzSkinStateHighlighted : qzSkinStateDisabledHighlighted;
  return AParams->EnabledLook ? qzSkinStateNormal : qzSkinStateDisabled;
}

Integer SkinButtonState(TqzBarButtonLikeControlDrawParams* AParams, Integer APartIndex) {
  if (AParams->CustomizingLook)
    return AParams->DownLook ? qzSkinStateDown : AParams->DropDownOpen ? qzSkinStateOpened : qzSkinStateNormal;
  switch (APartIndex) {
    case 0:
      if (AParams->PressedLook) return qzSkinStatePressed;
      if (AParams->DownLook) {
        if (AParams->DropDownOpen) return qzSkinStateHighlighted;
        if (AParams->HotPartIndex == 0 || (AParams->KeyboardSelection && !AParams->HasDropDownPart))
          return qzSkinStateDownHot;
        return qzSkinStateDown;
      }
      if (AParams->DropDownOpen)
        return AParams->HasDropDownPart && AParams->ButtonLook ? qzSkinStateHighlighted : qzSkinStateOpened;
      return SkinGenericState(AParams, 0);
    case 1:
      if (AParams->DropDownOpen) return qzSkinStateOpened;
      if (AParams->DownLook && AParams->HotPartIndex == qzNoHotPart && !AParams->KeyboardSelection)
        return qzSkinStateDown;
      return SkinGenericState(AParams, 1);
    default:
      return qzSkinStateNormal;
  }
}

TqzBarSkinnedPainter::TqzBarSkinnedPainter(TObject* ASkinSource) : TqzBarOffice11Painter(ASkinSource), FSkinSource(ASkinSource) {}

TInterfacePtr<IqzSkin> TqzBarSkinnedPainter::GetSkin() const {
  TInterfacePtr<IqzSkin> skin;
  if (FSkinSource) Supports(FSkinSource, skin);
  return skin;
}

void TqzBarSkinnedPainter::DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  HDC DC = ACanvas->DCHandle();
  TPoint offset;
  ABarControl->ClientOffset(offset);
  POINT origin;
  GetWindowOrgEx(DC, &origin);
  SetWindowOrgEx(DC, origin.X + offset.X, origin.Y + offset.Y, nullptr);
  skin->DrawBackground(DC, TRect(0, 0, ABarControl->GetWidth(), ABarControl->GetHeight()), qzSkinPartToolbar,
                       ABarControl->GetViewState() == 0 ? qzSkinStateNormal : qzSkinStateHot);
  SetWindowOrgEx(DC, origin.X, origin.Y, nullptr);
}

void TqzBarSkinnedPainter::DrawSkinnedBarFrame(TCustomqzBarControl* ABarControl, HDC DC) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TPoint offset;
  ABarControl->ClientOffset(offset);
  ExcludeClipRect(DC, offset.X, offset.Y, offset.X + ABarControl->GetClientWidth(),
                  offset.Y + ABarControl->GetClientHeight());
  TRect window(0, 0, ABarControl->GetWidth(), ABarControl->GetHeight());
  Integer state = ABarControl->GetViewState() == 0 ? qzSkinStateNormal : qzSkinStateHot;
  skin->DrawBackground(DC, window, qzSkinPartToolbar, state);
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar) return;
  TRect caption = skin->GetCaptionRect(window, qzSkinPartToolbar);
  TqzBarCaptionButtons* buttons = toolbar->GetBar()->GetCaptionButtons();
  if (buttons && buttons->GetCount() > 0)
    caption.Right -= buttons->GetBoundsRect().Width() + skin->GetContentOffsets(qzSkinPartToolbar).Right;
  skin->DrawCaption(DC, toolbar->GetCaptionText(), caption, qzSkinPartToolbar, state);
}

void TqzBarSkinnedPainter::GetFloatingCaptionRect(const TRect& AWindowRect, TRect& ARect) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  ARect = skin ? skin->GetCaptionRect(AWindowRect, qzSkinPartToolbar) : TRect();
}

TColor TqzBarSkinnedPainter::ItemTextColor(TqzBarItemControl* AControl, bool, bool) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  TqzBarItemControlDrawParams* params = AControl->GetDrawParams();
  if (!skin || !params) return clDefault;
  Integer part = params->PaintKind == qzPaintMenu ? qzSkinPartMenuText : qzSkinPartToolbarText;
  return skin->GetPartColor(part, SkinGenericState(params, 0));
}

void TqzBarSkinnedPainter::DisabledCaptionColors(TqzBarItemControl* AControl, bool ASelected, bool AFlat,
                                                 TColor& AShadowColor, TColor& ATextColor) {
  ATextColor = ItemTextColor(AControl, ASelected, AFlat);
  AShadowColor = ATextColor;
}

void TqzBarSkinnedPainter::AddButtonExtraWidth(TqzBarItemControlDrawParams* AParams, Integer& AWidth) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  if (!button || AParams->PaintKind == qzPaintMenu || AParams->GlyphSizeKind != qzGlyphSmall ||
      !AParams->HasDropDownPart)
    return;
  AWidth += button->ButtonSize.cx;
  if (button->ButtonLook) {
    TRect margins;
    ClassRef()->GetTextMargins(margins);
    AWidth += margins.Right;
  }
}

void TqzBarSkinnedPainter::GetBarBorderSizes(TqzBar*, Integer, TRect& R, bool) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  R = skin ? skin->GetContentOffsets(qzSkinPartToolbar) : TRect();
}

Integer TqzBarSkinnedPainter::DockedBarSpacing() {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  return skin ? skin->GetPartOffset(qzSkinPartToolbar) : 0;
}

Integer TqzBarSkinnedPainter::BarTextSize(TkvCanvas* ACanvas) { return ACanvas->TextHeightOf("Wg") + 3; }

void TqzBarSkinnedPainter::PaintItemGlyph(TqzBarItemControlDrawParams* AParams, HDC DC, bool AAbsent,
                                          const TRect& AGlyphRect, const TRect& AGlyphArea) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (AParams->PaintKind == qzPaintMenu && button && button->DownLook && skin) {
    Integer side = std::min(AGlyphArea.Width(), AGlyphArea.Height());
    Integer left = AGlyphArea.Left + (AGlyphArea.Width() - side) / 2;
    Integer top = AGlyphArea.Top + (AGlyphArea.Height() - side) / 2;
    TRect square(left + 1, top + 1, left + side - 1, top + side - 1);
    skin->DrawBackground(DC, square, AAbsent ? qzSkinPartMenuCheckMark : qzSkinPartMenuCheckFrame,
                         AParams->ItemControl->IsEnabled() ? qzSkinStateNormal : qzSkinStateDisabled);
  }
  if (AAbsent) return;
  TqzBarItemControl* control = AParams->ItemControl;
  Integer index;
  TCustomImageList* list;
  TBitmap* glyph;
  control->GetImageSource(AParams->GlyphSizeKind, AParams->SelectedLook ? qzImageSourceHot : 0, index, list, glyph);
  TkvCanvas* canvas = AParams->TargetCanvas;
  if (glyph) {
    glyph->SetTransparent(true);
    canvas->GetCanvas()->StretchDraw(AGlyphRect, glyph);
  } else if (list) {
    canvas->DrawImageListItem(list, AGlyphRect.Left, AGlyphRect.Top, index, AParams->EnabledLook);
  }
}

void TqzBarSkinnedPainter::AdjustWindowShape(HWND AWnd, const TRect& R, bool ARedraw) {
  SetWindowRgn(AWnd, CreateRoundRectRgn(0, 0, R.Right + 1, R.Bottom + 1, 2, 2), ARedraw);
}

void TqzBarSkinnedPainter::DrawBarSeparator(TCustomqzBarControl*, HDC DC, bool AHorizontal, HBRUSH,
                                            const TRect& R) {
  DrawTwoLineSeparator(DC, AHorizontal, static_cast<TColor>(0xAAA6A2), static_cast<TColor>(0xEBE8E6), R);
}

void TqzBarSkinnedPainter::FillSolid(HDC DC, const TRect& R, TColor AColor) {
  RECT r = R;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void TqzBarSkinnedPainter::DrawTwoLineSeparator(HDC DC, bool AHorizontal, TColor ADark, TColor ALight,
                                                const TRect& R) {
  if (AHorizontal) {
    Integer y = R.Top + (R.Height() - 1) / 2;
    FillSolid(DC, TRect(R.Left, y, R.Right, y + 1), ADark);
    FillSolid(DC, TRect(R.Left, y + 1, R.Right, y + 2), ALight);
  } else {
    Integer x = R.Left + (R.Width() - 1) / 2;
    FillSolid(DC, TRect(x, R.Top, x + 1, R.Bottom), ALight);
    FillSolid(DC, TRect(x + 1, R.Top, x + 2, R.Bottom), ADark);
  }
}

Integer TqzBarSkinnedPainter::ButtonHeightExtra() {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return 0;
  TRect offsets = skin->GetContentOffsets(qzSkinPartSmallButton);
  return offsets.Top + offsets.Bottom;
}

Integer TqzBarSkinnedPainter::ButtonWidthExtra() {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return 0;
  TRect offsets = skin->GetContentOffsets(qzSkinPartSmallButton);
  return offsets.Left + offsets.Right;
}

Integer TqzBarSkinnedPainter::ButtonHeightFor(Integer AImageSize) {
  // Even sizes, so that a glyph centres on whole pixels.
  Integer height = std::max<Integer>(16, AImageSize) + ButtonHeightExtra();
  return height % 2 != 0 ? height + 1 : height;
}

Integer TqzBarSkinnedPainter::ButtonWidthFor(Integer AImageSize) {
  Integer width = std::max<Integer>(16, AImageSize) + ButtonWidthExtra();
  return width % 2 != 0 ? width + 1 : width;
}

TqzSkinFaceParts TqzBarSkinnedPainter::FacePartsFor(TqzBarButtonLikeControlDrawParams* AParams) {
  if (AParams->GlyphSizeKind != qzGlyphSmall)
    return {qzSkinPartLargeButton, qzSkinPartLargeSplitMain, qzSkinPartLargeSplitArrow};
  if (AParams->GroupPositionCopy != 0)
    return {qzSkinPartGroupedButton, qzSkinPartGroupedButton, qzSkinPartGroupedButton};
  return {qzSkinPartSmallButton, qzSkinPartSmallSplitMain, qzSkinPartSmallSplitArrow};
}

void TqzBarSkinnedPainter::DrawFacePieces(IqzSkin* ASkin, TqzBarButtonLikeControlDrawParams* AParams, HDC DC) {
  const std::vector<TRect>& partRects = AParams->ItemControl->GetPartRects();
  bool split = AParams->ButtonLook && AParams->HasDropDownPart;
  TqzSkinFaceParts ids = FacePartsFor(AParams);
  Integer parts = split ? 2 : 1;
  for (Integer k = 0; k < parts && k < static_cast<Integer>(partRects.size()); ++k) {
    const TRect& r = partRects[k];
    if (IsRectEmpty(&r)) continue;
    Integer state = SkinButtonState(AParams, k);
    Integer id = !split ? ids.Whole : k == 0 ? ids.Main : ids.Arrow;
    Byte g = GroupPositionOfPart(AParams->GroupPositionCopy, split, k);
    TRect face = r;
    bool start = g == 1 || g == 4, end = g == 3 || g == 4;
    if (start) face.Left += 1;
    if (end) face.Right -= 1;
    ASkin->DrawBackground(DC, face, id, state);
    if (start) ASkin->DrawBackground(DC, TRect(r.Left, r.Top, r.Left + 2, r.Bottom), qzSkinPartButtonGroupStart, 0);
    if (end) ASkin->DrawBackground(DC, TRect(r.Right - 2, r.Top, r.Right, r.Bottom), qzSkinPartButtonGroupEnd, 0);
    if (g == 0) continue;
    TRect separator(r.Right - 1, r.Top, r.Right, r.Bottom);
    TRect joint(r.Left - 1, r.Top, r.Left + 1, r.Bottom);
    bool hasSeparator = g == 1 || g == 2;
    if (!split) {
      if (hasSeparator) ASkin->DrawBackground(DC, separator, qzSkinPartButtonGroupSeparator, state);
    } else if (k == 1) {
      ASkin->DrawBackground(DC, joint, qzSkinPartButtonGroupSplitJoint, state);
      if (hasSeparator) ASkin->DrawBackground(DC, separator, qzSkinPartButtonGroupSeparator, state);
    }
  }
}

void TqzBarSkinnedPainter::DrawButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TInterfacePtr<IqzSkin> skin = GetSkin();
  HDC DC = AParams->TargetCanvas->DCHandle();
  if (AParams->PaintKind == qzPaintMenu || !button || !skin) {
    // Menu items take the default item path.
    TqzBarOffice11Painter::DrawButtonItem(AParams, R);
    return;
  }
  DrawFacePieces(skin.Get(), button, DC);
  bool special = button->SpecialLookCopy;
  button->SpecialLookCopy = false;
  TRect glyphRect;
  DrawItemGlyph(AParams, DC, R, R, !(AParams->ContentParts & qzContentIcon), glyphRect);
  button->SpecialLookCopy = special;
  DrawButtonCaption(AParams, R, glyphRect);
  if (AParams->HasDropDownPart && !button->MainMenuLook) {
    if (button->ButtonLook)
      DrawSplitArrow(AParams, R);
    else
      DrawSubItemArrow(AParams, R);
  }
}

TRect TqzBarSkinnedPainter::ArrowPartRect(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TRect r = R;
  if (AParams->PaintKind != qzPaintMenu) r.Right -= BarContentIndent();
  r.Left = r.Right - (button ? button->ButtonSize.cx : 0);
  return r;
}

void TqzBarSkinnedPainter::DrawSmallDropDownArrow(IqzSkin* ASkin, HDC DC, const TRect& R, Integer AState) {
  TSize size;
  GetMenuArrowSize(size);
  Integer left = R.Left + R.Width() / 2 - size.cx / 2;
  Integer top = R.Top + R.Height() / 2 - size.cy / 2;
  ASkin->DrawBackground(DC, TRect(left, top, left + size.cx, top + size.cy), qzSkinPartDropDownArrow, AState);
}

void TqzBarSkinnedPainter::DrawScaledArrow(IqzSkin* ASkin, TqzBarItemControlDrawParams* AParams, Integer ADirection,
                                           const TRect& R) {
  // Scaled by the window's ratio; round half to even as the display rounds.
  double ratio = AParams->ItemControl->GetParent()->GetRatio();
  Integer across = static_cast<Integer>(std::nearbyint(4 * ratio));
  Integer along = static_cast<Integer>(std::trunc(7 * ratio));
  bool right = ADirection == ArrowRight;
  Integer width = right ? across : along, height = right ? along : across;
  TRect part = ArrowPartRect(AParams, R);
  Integer left = part.Left + (part.Width() - width) / 2;
  Integer top = part.Top + (part.Height() - height) / 2;
  ASkin->DrawBackground(AParams->TargetCanvas->DCHandle(), TRect(left, top, left + width, top + height),
                        right ? qzSkinPartArrowRight : qzSkinPartArrowDown, qzSkinStateNormal);
}

void TqzBarSkinnedPainter::DrawButtonArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  HDC DC = AParams->TargetCanvas->DCHandle();
  TRect part = ArrowPartRect(AParams, R);
  if (AParams->PaintKind == qzPaintMenu) {
    DrawScaledArrow(skin.Get(), AParams, ArrowRight, R);
    return;
  }
  if (AParams->GlyphSizeKind == qzGlyphLarge) return;
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  DrawSmallDropDownArrow(skin.Get(), DC, part, button ? SkinButtonState(button, 1) : SkinGenericState(AParams, 1));
}

void TqzBarSkinnedPainter::DrawSplitArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  DrawButtonArrow(AParams, R);
  if (AParams->PaintKind != qzPaintMenu || AParams->GlyphSizeKind == qzGlyphLarge || AParams->SelectedLook) return;
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TRect part = ArrowPartRect(AParams, R);
  double scale = std::max(static_cast<double>(part.Height()) / ClassRef()->ReferenceTextSize(), 1.0);
  Integer inset = static_cast<Integer>(std::nearbyint((part.Height() - 14 * scale) / 2));
  part.Top += inset;
  part.Bottom -= inset;
  if (part.Bottom > part.Top)
    FillSolid(AParams->TargetCanvas->DCHandle(), TRect(part.Left, part.Top, part.Left + 1, part.Bottom),
              skin->GetPartColor(qzSkinPartMenuSplitLine, qzSkinStateNormal));
}
