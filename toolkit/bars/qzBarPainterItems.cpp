// The default look of items: caption placement and colours, glyph placement, item backgrounds
// and buttons with their split arrow.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/Regions.h"
#include "gdi/Text.h"
#include "gdi/SysColors.h"
#include "gdi/TextLayout.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "user/Rects.h"

namespace {

TqzBarButtonLikeControlDrawParams* ButtonLike(TqzBarItemControlDrawParams* AParams) {
  return dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
}

TqzBarGlyphLayout GlyphLayoutOf(TqzBarItemControl* AControl) {
  TqzBarItem* item = AControl->GetItem();
  return item ? item->GetGlyphLayout() : glLeft;
}

}  // namespace

// ---- Captions ----------------------------------------------------------------------------------

Integer TqzBarPainter::CalcButtonTextRect(TqzBarItemControlDrawParams* AParams, TRect& ATextRect,
                                          const TRect& AGlyphRect) {
  if (AParams->PaintKind == qzPaintMenu) {
    // A menu row reads across, after its icon column and between the menu text margins, as
    // TextPartWidth measured it; the caption keeps the row's full height to centre in.
    TqzBarItemControl* control = AParams->ItemControl;
    TRect margins;
    control->GetTextMargins(qzPaintMenu, margins);
    ATextRect.Left += control->GlyphPartWidth() + margins.Left;
    ATextRect.Right -= margins.Right;
    return 0;
  }
  bool horizontal = AParams->PaintKind == qzPaintHorizontal;
  if (AParams->GlyphSizeKind == qzGlyphLarge) {
    switch (GlyphLayoutOf(AParams->ItemControl)) {
      case glLeft:
        (horizontal ? ATextRect.Left : ATextRect.Top) = (horizontal ? AGlyphRect.Right : AGlyphRect.Bottom) + 3;
        return 0;
      case glRight:
        (horizontal ? ATextRect.Right : ATextRect.Bottom) = (horizontal ? AGlyphRect.Left : AGlyphRect.Top) - 3;
        return 2;
      case glTop:
        (horizontal ? ATextRect.Top : ATextRect.Right) = horizontal ? AGlyphRect.Bottom : AGlyphRect.Left;
        return 1;
      case glBottom:
        (horizontal ? ATextRect.Bottom : ATextRect.Left) = horizontal ? AGlyphRect.Top : AGlyphRect.Right;
        return 1;
    }
  }
  Integer shift = (AParams->ContentParts & qzContentIcon)
                      ? (horizontal ? AParams->GlyphExtent.cx : AParams->GlyphExtent.cy)
                      : AParams->ItemControl->TextIndent();
  (horizontal ? ATextRect.Left : ATextRect.Top) += shift;
  if (!ClassRef()->SuppressesPressedShift(AParams->ItemControl)) {
    TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
    ShiftPressedRect(button && button->DownLook, button && button->PushedLook, ATextRect);
  }
  return 0;
}

void TqzBarPainter::PaintCheckMark(TqzBarItemControl*, HDC, Integer, Integer, Integer) {}

void TqzBarPainter::DrawCheckMarkCentred(TqzBarItemControl* AControl, HDC DC, bool AChecked, Byte APaintKind,
                                         const TRect& R) {
  if (APaintKind != qzPaintMenu || !AChecked) return;
  bool small = AControl->GetParent()->GetFont()->GetSize() < 16;
  Integer scale = small ? 1 : 2;
  Integer width = small ? 9 : 18;
  Integer height = small ? 7 : 14;
  PaintCheckMark(AControl, DC, scale, (R.Top + R.Bottom - height) / 2, (R.Left + R.Right - width) / 2);
}

void TqzBarPainter::DrawDropDownArrow(HDC DC, const TRect& R, TColor AColor, bool AFlat, bool ASelected,
                                      bool AEnabled, Integer ADirection) {
  DrawItemArrowInRect(DC, R, ADirection, AColor, AEnabled, ASelected, AFlat);
}

void TqzBarPainter::DrawArrow(HDC DC, const TRect& R, TColor AColor, bool AFlat, bool ASelected, bool AEnabled,
                              Integer ADirection, Integer AArrowSize) {
  DrawItemArrowSized(DC, R, ADirection, AColor, AEnabled, ASelected, AFlat, AArrowSize);
}

TColor TqzBarPainter::ItemTextColor(TqzBarItemControl*, bool ASelected, bool AFlat) {
  return static_cast<TColor>(GetSysColor(ASelected && !AFlat ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
}

void TqzBarPainter::DisabledCaptionColors(TqzBarItemControl*, bool ASelected, bool AFlat, TColor& AShadowColor,
                                          TColor& ATextColor) {
  if (ASelected || AFlat) {
    AShadowColor = ATextColor = static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT));
    return;
  }
  ATextColor = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
  AShadowColor = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
}

TColor TqzBarPainter::EnabledCaptionColor(TqzBarItemControl* AControl, bool ASelected, bool AFlat) {
  return ItemTextColor(AControl, ASelected, AFlat);
}

TColor TqzBarPainter::ItemArrowColor(TqzBarItemControlDrawParams* AParams) {
  if (!ClassRef()->ArrowUsesTextColor(AParams)) return clDefault;
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TColor text, shadow;
  GetCaptionColors(AParams->ItemControl, AParams->EnabledLook, button && button->HotLookB, button && button->HotLookA,
                   text, shadow);
  return text;
}

bool TqzBarPainter::SuppressesPressedShift(TqzBarItemControl*) { return false; }

bool TqzBarPainter::ArrowUsesTextColor(TqzBarItemControlDrawParams*) { return false; }

void TqzBarPainter::DrawItemCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, UINT AFormat,
                                    Integer AAlignment) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  // The caption is measured in the canvas font (GetCaptionExtent); the device context gets that font
  // only when the canvas realises it, and an item font swapped in since leaves the previous one there.
  AParams->TargetCanvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawCaptionText(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), AFormat, button && button->HotLookA, false,
                  AParams->PaintKind == qzPaintRotated, button && button->HotLookB, AParams->EnabledLook, AAlignment,
                  R, AParams->CaptionText);
}

void TqzBarPainter::AddButtonExtraWidth(TqzBarItemControlDrawParams* AParams, Integer& AWidth) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  if (!button) return;
  if (button->ButtonLook) {
    if (AParams->PaintKind == qzPaintMenu || !AParams->HasDropDownPart) return;
    TRect margins;
    ClassRef()->GetTextMargins(margins);
    AWidth += margins.Right + button->ButtonSize.cx;
    return;
  }
  if (!button->MainMenuLook) AWidth += AParams->ItemControl->GetParent()->GetTextSizeValue() / 2;
}

void TqzBarPainter::CalcButtonPartRects(TqzBarItemControlDrawParams* AParams, const TRect&,
                                        std::vector<TRect>& AParts) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  if (!AParams->HasDropDownPart || !button || AParts.size() < 2) return;
  Integer edge = AParts[1].Right - button->ButtonSize.cx;
  AParts[0].Right = edge;
  AParts[1].Left = edge;
}

void TqzBarPainter::GetCaptionColors(TqzBarItemControl* AControl, bool AEnabled, bool ASelected, bool AFlat,
                                     TColor& ATextColor, TColor& AShadowColor) {
  if (!AEnabled) {
    DisabledCaptionColors(AControl, ASelected, AFlat, AShadowColor, ATextColor);
    return;
  }
  TqzBarItem* item = AControl->GetItem();
  TkvStyle* style = item ? item->GetStyle() : nullptr;
  TColor styleColor = style && style->GetAssignedValues().Contains(kvStyles::svTextColor) ? style->GetTextColor()
                                                                                           : clDefault;
  ATextColor = AShadowColor = styleColor != clDefault ? styleColor : EnabledCaptionColor(AControl, ASelected, AFlat);
}

void TqzBarPainter::DrawCaptionText(TqzBarItemControl* AControl, HDC DC, UINT AFormat, bool AFlat, bool AClip,
                                    bool ARotated, bool ASelected, bool AEnabled, Integer AAlignment, const TRect& R,
                                    const String& AText) {
  UINT format = AFormat;
  if (!AClip || ARotated) format |= DT_NOCLIP;
  TColor text, shadow;
  GetCaptionColors(AControl, AEnabled, ASelected, AFlat && ClassRef()->IsFlat(), text, shadow);
  Integer oldMode = SetBkMode(DC, TRANSPARENT);
  HRGN savedClip = nullptr;
  bool hadClip = false;
  if (ARotated && AClip) {
    savedClip = CreateRectRgn(0, 0, 0, 0);
    hadClip = GetClipRgn(DC, savedClip) == 1;
    HRGN clip = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    ExtSelectClipRgn(DC, clip, RGN_AND);
    DeleteObject(clip);
  }
  // One pass per colour: the text colour one pixel right and down first when it differs.
  auto draw = [&](TColor AColor, Integer AShift) {
    SetTextColor(DC, ColorToRGB(AColor));
    if (!ARotated) {
      static const UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
      TRect r = R;
      OffsetRect(&r, AShift, AShift);
      DrawText(DC, AText.c_str(), -1, &r, format | kAlign[std::clamp(AAlignment, 0, 2)] | DT_VCENTER);
      return;
    }
    // Text turned a quarter, reading downwards: its accelerator is underlined by hand.
    String plain = AText;
    Integer accel = AccelCharIndex(plain, true);
    SIZE extent{};
    GetTextExtentPoint32(DC, plain.c_str(), static_cast<int>(plain.size()), &extent);
    Integer length = extent.cx;
    Integer thickness = extent.cy;
    Integer start = AAlignment == 1 ? (R.Height() - length) / 2 : AAlignment == 2 ? R.Height() - length : 0;
    Integer x = R.Left + (R.Width() + thickness) / 2 + AShift;
    Integer y = R.Top + start + AShift;
    TextOut(DC, x, y, plain.c_str(), static_cast<int>(plain.size()));
    if (accel <= 0) return;
    TEXTMETRIC metrics{};
    GetTextMetrics(DC, &metrics);
    SIZE before{}, character{};
    // The accelerator is one character, however many bytes it takes.
    size_t first = static_cast<size_t>(accel - 1), next = first + 1;
    while (next < plain.size() && (static_cast<unsigned char>(plain[next]) & 0xC0) == 0x80) ++next;
    GetTextExtentPoint32(DC, plain.c_str(), static_cast<int>(first), &before);
    GetTextExtentPoint32(DC, plain.c_str() + first, static_cast<int>(next - first), &character);
    Integer lineX = (R.Left + R.Right - thickness) / 2 + metrics.tmDescent - 2 + AShift;
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(AColor));
    HGDIOBJ previous = SelectObject(DC, pen);
    MoveToEx(DC, lineX, y + before.cx, nullptr);
    LineTo(DC, lineX, y + before.cx + character.cx);
    SelectBackAndDelete(DC, previous);
  };
  if (text != shadow) draw(text, 1);
  draw(shadow, 0);
  if (savedClip) {
    SelectClipRgn(DC, hadClip ? savedClip : nullptr);
    DeleteObject(savedClip);
  }
  SetBkMode(DC, oldMode);
}

// ---- Glyphs and backgrounds --------------------------------------------------------------------

void TqzBarPainter::FillItemBackground(TqzBarItemControl* AControl, HDC DC, bool AUseBrush, HBRUSH ABrush,
                                       const TRect& R) {
  if (AUseBrush) {
    RECT r = R;
    FillRect(DC, &r, ABrush);
    return;
  }
  AControl->GetParent()->FillBackground(DC, R, false, clNone, ABrush);
}

void TqzBarPainter::PlaceLargeGlyph(TqzBarItemControl*, const TSize& AImageSize, TRect& R, TqzBarGlyphLayout ALayout,
                                    Byte AContentParts, Byte APaintKind, const TRect& AGlyphArea) {
  Integer left = AGlyphArea.Left + (AGlyphArea.Width() - AImageSize.cx) / 2;
  Integer top = AGlyphArea.Top + (AGlyphArea.Height() - AImageSize.cy) / 2;
  if ((AContentParts & qzContentText) && APaintKind != qzPaintMenu) {
    bool horizontal = APaintKind == qzPaintHorizontal;
    switch (ALayout) {
      case glLeft:
        (horizontal ? left : top) = (horizontal ? AGlyphArea.Left : AGlyphArea.Top) + 4;
        break;
      case glRight:
        if (horizontal)
          left = AGlyphArea.Right - AImageSize.cx - 4;
        else
          top = AGlyphArea.Bottom - AImageSize.cy - 4;
        break;
      case glTop:
        if (horizontal)
          top = AGlyphArea.Top + 2;
        else
          left = AGlyphArea.Right - AImageSize.cx - 2;
        break;
      case glBottom:
        if (horizontal)
          top = AGlyphArea.Bottom - AImageSize.cy - 2;
        else
          left = AGlyphArea.Left + 2;
        break;
    }
  }
  R = TRect(left, top, left + AImageSize.cx, top + AImageSize.cy);
}

void TqzBarPainter::DrawItemGlyph(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& AGlyphArea,
                                  const TRect& AFrameArea, bool AAbsent, TRect& AGlyphRect) {
  TqzBarItemControl* control = AParams->ItemControl;
  TqzBarManager* manager = control->GetBarManager();
  TSize size = control->GlyphSize(AParams->GlyphSizeKind, 0);
  bool absent = AAbsent || !control->HasImage(AParams->GlyphSizeKind);
  bool menu = AParams->PaintKind == qzPaintMenu;
  TRect area = AGlyphArea;
  if (AParams->GlyphSizeKind == qzGlyphLarge && !menu) {
    PlaceLargeGlyph(control, size, AGlyphRect, GlyphLayoutOf(control), AParams->ContentParts, AParams->PaintKind,
                    AGlyphArea);
  } else {
    TRect box = AGlyphArea;
    if (AParams->PaintKind == qzPaintHorizontal)
      box.Right = box.Left + AParams->GlyphExtent.cx;
    else if (AParams->PaintKind == qzPaintRotated)
      box.Bottom = box.Top + AParams->GlyphExtent.cy;
    if (menu && manager && manager->GetStretchGlyphs()) {
      double ratio = control->GetParent()->GetRatio();
      size = TSize(static_cast<Integer>(std::lround(size.cx * ratio)), static_cast<Integer>(std::lround(size.cy * ratio)));
      // Whole pixels on both sides: odd leftovers lose a pixel of the image.
      if ((box.Width() - size.cx) % 2 != 0 && (box.Height() - size.cy) % 2 != 0) {
        --size.cx;
        --size.cy;
      }
    } else if (!menu && AParams->GlyphSizeKind == qzGlyphLargeIcons && manager) {
      TCustomImageList* large = manager->GetLargeImages();
      TqzBarItem* item = control->GetItem();
      if (large)
        size = TSize(large->GetWidth(), large->GetHeight());
      else if (!(manager->GetUseLargeImagesForLargeIcons() && item && !item->GetLargeGlyph()->GetEmpty()))
        size = TSize(size.cx * 2, size.cy * 2);
    }
    Integer left = box.Left + (box.Width() - size.cx) / 2;
    Integer top = box.Top + (box.Height() - size.cy) / 2;
    AGlyphRect = TRect(left, top, left + size.cx, top + size.cy);
    if (!menu) area = box;
  }
  if (TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams)) {
    Integer shift = (button->DownLook && ClassRef()->DownGlyphShift(control) ? 1 : 0) +
                    (button->PushedLook && ClassRef()->PressedGlyphShift(control, button->DownLook) ? 1 : 0);
    OffsetRect(&AGlyphRect, shift, shift);
  }
  control->GetViewInfo()->SetGlyphBounds(AGlyphRect);
  PaintItemGlyph(AParams, DC, absent, AGlyphRect, IsRectEmpty(&AFrameArea) ? area : AFrameArea);
}

void TqzBarPainter::PaintItemGlyph(TqzBarItemControlDrawParams* AParams, HDC DC, bool AAbsent,
                                   const TRect& AGlyphRect, const TRect& AGlyphArea) {
  TqzBarItemControl* control = AParams->ItemControl;
  TqzBarPainterClass cls = ClassRef();
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  bool down = button && button->DownLook;
  bool pressed = button && button->PushedLook;
  HBRUSH brush = cls->ItemBackgroundBrush(control, AParams->PaintKind, down, AParams->SelectedLook, AAbsent);
  TqzBarManager* manager = control->GetBarManager();
  Integer imageSize = manager ? manager->GetGlyphSize() : 16;
  TSize need = AAbsent ? TSize(imageSize + 2, imageSize + 2)
                       : TSize(AGlyphRect.Width() + 2, AGlyphRect.Height() + 2);
  bool hasRoom = AGlyphArea.Width() >= need.cx && AGlyphArea.Height() >= need.cy;
  bool native = cls->PaintsNativeBackground();
  if (native) DrawImageFrame(AParams, DC, AGlyphArea, AAbsent, hasRoom, brush);
  TRect background = AGlyphArea;
  if (hasRoom) InflateRect(&background, -1, -1);
  if (!native && (AAbsent || cls->DrawsItemBackground(control)))
    cls->FillItemBackground(control, DC, cls->FillsGlyphBackground(control, down, AAbsent, AParams->SelectedLook, pressed),
                            brush, background);
  if (AAbsent)
    DrawCheckMarkCentred(control, DC, down, AParams->PaintKind, background);
  else
    DrawGlyphImage(AParams, DC, AGlyphRect, background, cls->DrawsItemBackground(control) ? nullptr : brush);
  if (!native) DrawImageFrame(AParams, DC, AGlyphArea, AAbsent, hasRoom, brush);
}

void TqzBarPainter::DrawGlyphImage(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& AGlyphRect,
                                   const TRect& ABackground, HBRUSH ABrush) {
  TqzBarItemControl* control = AParams->ItemControl;
  Integer index;
  TCustomImageList* list;
  TBitmap* glyph;
  control->GetImageSource(AParams->GlyphSizeKind, AParams->SelectedLook ? qzImageSourceHot : 0, index, list, glyph);
  TqzBarManager* manager = control->GetBarManager();
  bool enabled = control->IsEnabled();
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TkvGlyphDrawMode mode = !enabled ? (ClassRef()->FadesDisabledImages(control->GetParent()) ? gdmFaded : gdmDisabled)
                          : button && button->GrayGlyphLook ? gdmGrayScale
                                                            : gdmNormal;
  TqzBarImageOptions* options = manager ? manager->GetImageOptions() : nullptr;
  if (mode == gdmNormal && !(options && options->GetSmoothGlyphs())) {
    // The plain image needs no filtering: drawn straight, it costs half the shared drawer's time.
    if (ABrush) {
      RECT r = ABackground;
      FillRect(DC, &r, ABrush);
    }
    if (glyph && !glyph->GetEmpty()) {
      glyph->SetTransparent(!options || options->GetUseLeftBottomPixelAsTransparent());
      AParams->TargetCanvas->GetCanvas()->StretchDraw(AGlyphRect, glyph);
    } else if (list) {
      AParams->TargetCanvas->DrawImageListItem(list, AGlyphRect.Left, AGlyphRect.Top, index, true);
    }
    return;
  }
  DrawGlyphOrListImage(DC, AGlyphRect, ABackground, !options || options->GetUseLeftBottomPixelAsTransparent(),
                       options ? options->GetImageListBkColor() : clNone, ABrush, options && options->GetSmoothGlyphs(),
                       mode, index, list, glyph);
}

void TqzBarPainter::DrawImageFrame(TqzBarItemControlDrawParams*, HDC, const TRect&, bool, bool, HBRUSH) {}

void TqzBarPainter::DrawSelectedFrame(HDC, const TRect&) {}

bool TqzBarPainter::FadesDisabledImages(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl->GetControlBarManager();
  return manager && manager->GetMakeDisabledImagesFaded();
}

bool TqzBarPainter::UsesClassicLook() { return false; }

bool TqzBarPainter::MenuItemsSelectedFlat() { return false; }

Integer TqzBarPainter::SubItemTextIndent(TqzBarItemControl* AControl) {
  return std::abs(AControl->GetParent()->GetFont()->GetHeight()) / 2;
}

void TqzBarPainter::FrameItemBackground(TqzBarItemControl* AControl, HDC DC, bool AUseBrush, HBRUSH ABrush,
                                        const TRect& R) {
  RECT r = R;
  if (AUseBrush) {
    FrameRect(DC, &r, ABrush);
    return;
  }
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  bool hadClip = GetClipRgn(DC, saved) == 1;
  ExcludeClipRect(DC, R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  ClassRef()->FillItemBackground(AControl, DC, false, ABrush, R);
  SelectClipRgn(DC, hadClip ? saved : nullptr);
  DeleteObject(saved);
}

void TqzBarPainter::FillDisabledShadow(TqzBarItemControl*, HDC DC, const TRect& R) {
  RECT r = R;
  FillRect(DC, &r, SysColorBrushCode(COLOR_BTNSHADOW));
}

void TqzBarPainter::FillPlaceBackground(TqzBarItemControl* AControl, TkvCanvas*, HDC DC, const TRect& R) {
  AControl->GetParent()->FillBackground(DC, R, false, clNone, AControl->GetParent()->BackgroundBrush());
}

void TqzBarPainter::DrawMenuItemBand(TqzBarItemControlDrawParams*, const TRect&) {}

void TqzBarPainter::FillMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R, bool AUseBrush,
                                     HBRUSH AUnselected) {
  TqzBarItemControl* control = AParams->ItemControl;
  TCustomqzBarControl* menu = control->GetParent();
  TqzBarPainterClass cls = ClassRef();
  HDC DC = AParams->TargetCanvas->DCHandle();
  TRect icon;
  cls->GetMenuIconRect(R, menu->IconAreaSize(), icon);
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  bool selected = AParams->SelectedLook;
  bool down = button && button->DownLook;
  HBRUSH band = selected && !down && !control->HasImage(AParams->GlyphSizeKind) ? menu->SelectedBrush() : AUnselected;
  cls->FillItemBackground(control, DC, AUseBrush, band, TRect(icon.Right, R.Top, icon.Right + 1, R.Bottom));
  if (R.Top < icon.Top)
    cls->FillItemBackground(control, DC, AUseBrush, band, TRect(R.Left, R.Top, icon.Right + 1, icon.Top));
  if (R.Bottom > icon.Bottom)
    cls->FillItemBackground(control, DC, AUseBrush, band, TRect(R.Left, icon.Bottom, icon.Right + 1, R.Bottom));
  cls->FillItemBackground(control, DC, AUseBrush || control->HasOwnBrush(), selected ? menu->SelectedBrush() : AUnselected,
                          TRect(icon.Right + 1, R.Top, R.Right, R.Bottom));
}

void TqzBarPainter::DrawSunkenFrame(HDC DC, TRect& R) {
  RECT r = R;
  DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&R, -1, -1);
}

HBRUSH TqzBarPainter::ItemBackgroundBrush(TqzBarItemControl* AControl, Byte, bool, bool, bool) {
  return AControl->GetBackgroundBrush();
}

bool TqzBarPainter::DownGlyphShift(TqzBarItemControl*) { return false; }

bool TqzBarPainter::PressedGlyphShift(TqzBarItemControl*, bool) { return false; }

Integer TqzBarPainter::ButtonItemHeightExtra(TqzBarItemControl*) { return 0; }

bool TqzBarPainter::FillsGlyphBackground(TqzBarItemControl* AControl, bool ADown, bool AAbsent, bool ASelected,
                                         bool APressed) {
  if (AControl->GetNonRecent()) return true;
  if (AAbsent) return ADown || ASelected || APressed;
  return AControl->HasOwnBrush();
}

bool TqzBarPainter::DrawsItemBackground(TqzBarItemControl*) {
  // The default look paints no native background, and no bar window has a custom one yet.
  return ClassRef()->PaintsNativeBackground();
}

bool TqzBarPainter::ButtonHotTracks() { return true; }

Integer TqzBarPainter::ButtonBorderWidth(TqzBarItemControl*) { return 0; }

Integer TqzBarPainter::SplitArrowWidth(TqzBarManager* AManager) {
  if (!AManager) return 0;
  Integer width = (AManager->GetLargeIcons() ? 2 : 1) * AManager->GetButtonArrowWidth();
  return width % 2 == 0 ? width + 1 : width;
}

Integer TqzBarPainter::ButtonGlyphSize(TCustomqzBarControl* ABarControl) {
  TqzBarManager* manager = ABarControl ? ABarControl->GetControlBarManager() : nullptr;
  return manager ? manager->GetLargeButtonArrowWidth() : 0;
}

// ---- Buttons -----------------------------------------------------------------------------------

HBRUSH TqzBarPainter::ButtonBackgroundBrush(TqzBarItemControlDrawParams* AParams) {
  return AParams->ItemControl->GetBackgroundBrush();
}

bool TqzBarPainter::IsButtonDrawnDown(TqzBarItemControlDrawParams* AParams) {
  if (AParams->ItemControl->GetNonRecent()) return true;
  return ClassRef()->IsFlat() && (AParams->DropDownOpen || AParams->SelectedLook);
}

bool TqzBarPainter::IsArrowDrawnDown(TqzBarItemControlDrawParams* AParams) {
  if (ClassRef()->IsFlat()) {
    bool menu = AParams->PaintKind == qzPaintMenu;
    return (HighContrastWhiteFace() && AParams->SelectedLook && (menu || !AParams->DropDownOpen)) ||
           (menu && AParams->DropDownOpen);
  }
  return IsFlatInstance() && AParams->DropDownOpen;
}

void TqzBarPainter::ShiftPressedRect(bool ADown, bool APressed, TRect& R) {
  if (ClassRef()->IsFlat() || !(ADown || APressed)) return;
  Integer shift = ADown && APressed && !IsFlatInstance() ? 2 : 1;
  OffsetRect(&R, shift, shift);
}

void TqzBarPainter::DrawButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  HDC DC = AParams->TargetCanvas->DCHandle();
  TRect item = R;
  if (button && button->LoweredLook) ClassRef()->DrawSunkenFrame(DC, item);
  if (AParams->PaintKind == qzPaintMenu) {
    DrawMenuButtonItem(AParams, item);
    DrawButtonItemArrow(AParams, item);
    return;
  }
  TRect content = item;
  bool split = button && button->ButtonLook && AParams->HasDropDownPart;
  if (split && AParams->ItemControl->GetPartRects().size() > 1)
    content.Right -= AParams->ItemControl->GetPartRects()[1].Width();
  TRect glyphArea = item;
  TRect frameArea;
  if (AParams->GlyphSizeKind == qzGlyphLarge) {
    glyphArea = content;
    frameArea = glyphArea;
    InflateRect(&content, -1, -1);
    ShiftPressedRect(button && button->DownLook, button && button->PushedLook, content);
  }
  bool absent = !(AParams->ContentParts & qzContentIcon);
  // A button without an image shows its state round the whole button, as a caption-only button does.
  if (button && button->OpenLook)
    frameArea = item;
  else if (absent)
    frameArea = content;
  // The whole item takes its background first, so that the caption's area is never left unpainted.
  FillItemBackground(AParams->ItemControl, DC, IsButtonDrawnDown(AParams), ButtonBackgroundBrush(AParams), item);
  TRect glyphRect;
  DrawItemGlyph(AParams, DC, glyphArea, frameArea, absent, glyphRect);
  if (AParams->ContentParts & qzContentText) {
    TRect text = content;
    Integer alignment = CalcButtonTextRect(AParams, text, glyphRect);
    ClassRef()->DrawItemCaption(AParams, text, DT_SINGLELINE, alignment);
  }
  DrawButtonItemArrow(AParams, item);
}

void TqzBarPainter::DrawButtonItemArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  if (!AParams->HasDropDownPart || (button && button->MainMenuLook)) return;
  if (button && button->ButtonLook)
    DrawSplitArrow(AParams, R);
  else
    DrawSubItemArrow(AParams, R);
}

void TqzBarPainter::DrawButtonArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TRect r = R;
  bool menu = AParams->PaintKind == qzPaintMenu;
  if (!IsFlatInstance() && AParams->DropDownOpen && (r.Width() > 9 || menu)) OffsetRect(&r, 1, 1);
  TColor color = ItemArrowColor(AParams);
  bool enabled = AParams->EnabledLook && button && button->DropDownEnabledLook;
  bool down = IsArrowDrawnDown(AParams);
  if (menu)
    DrawArrow(AParams->TargetCanvas->DCHandle(), r, color, IsFlatInstance(), down, enabled, 3,
              button ? button->ButtonSize.cy : 4);
  else
    ClassRef()->DrawDropDownArrow(AParams->TargetCanvas->DCHandle(), r, color, IsFlatInstance(), down, enabled, 1);
}

void TqzBarPainter::DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush) {
  TRect r = R;
  if (ClassRef()->IsFlat() && AParams->PaintKind != qzPaintMenu) {
    r.Left -= 1;
    if (AParams->DropDownOpen) return;
  }
  ClassRef()->FillItemBackground(AParams->ItemControl, AParams->TargetCanvas->DCHandle(), IsButtonDrawnDown(AParams),
                                 ABrush, r);
}

void TqzBarPainter::DrawSplitArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TRect r = R;
  r.Left = r.Right - (button ? button->ButtonSize.cx : 0);
  DrawArrowPartBackground(AParams, r, ButtonBackgroundBrush(AParams));
  DrawButtonArrow(AParams, r);
}

bool TqzBarPainter::GlyphStyleFlag() { return false; }

bool TqzBarPainter::IsFlatOnColouredFace() { return ClassRef()->IsFlat() && !HighContrastWhiteFace(); }

bool TqzBarPainter::GlyphStateFlag() { return false; }

Integer TqzBarPainter::MenuCheckIndent(TqzBarItemControl* AControl) {
  TCustomqzBarControl* bar = AControl->GetParent();
  return bar && bar->BarKind() == 2 ? bar->GetTextSizeValue() + 1 : 0;
}

bool TqzBarPainter::ClicksRepaintWholeButton() { return ClassRef()->IsFlat(); }

void TqzBarPainter::GetMenuArrowSize(TSize& ASize) { ASize = TSize(5, 3); }

void TqzBarPainter::ShiftPressedArrowRect(bool APressed, TRect& R) {
  if (APressed && !ClassRef()->IsFlat()) OffsetRect(&R, 1, 1);
}

void TqzBarPainter::DrawButtonCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, const TRect& AGlyphRect) {
  if (!(AParams->ContentParts & qzContentText)) return;
  TRect text = R;
  Integer alignment = CalcButtonTextRect(AParams, text, AGlyphRect);
  DrawItemCaption(AParams, text, DT_SINGLELINE | DT_END_ELLIPSIS, alignment);
}

void TqzBarPainter::DrawSubItemArrow(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarButtonLikeControlDrawParams* button = ButtonLike(AParams);
  TCustomqzBarControl* bar = AParams->ItemControl->GetParent();
  bool menu = AParams->PaintKind == qzPaintMenu;
  TRect r = R;
  if (!menu) ShiftPressedRect(false, AParams->DropDownOpen, r);
  Integer direction = AParams->PaintKind == qzPaintHorizontal ? 1 : 3;
  Integer size = (button ? button->ButtonSize.cy : 4) - (menu ? 0 : 1);
  bool selected = menu ? AParams->SelectedLook && !ClassRef()->IsFlatOnColouredFace() : button && button->HotLookB;
  Integer textSize = bar->GetTextSizeValue();
  // The arrow keeps a strip at the far end of the item.
  Integer farEdge = bar->GetFont()->GetHeight() / 2 - textSize / 2;
  if (AParams->PaintKind == qzPaintHorizontal)
    r.Left = r.Right + farEdge;
  else if (AParams->PaintKind == qzPaintRotated)
    r.Top = r.Bottom + farEdge;
  else
    r.Left = r.Right + size - textSize;
  DrawArrow(AParams->TargetCanvas->DCHandle(), r, ItemArrowColor(AParams), ClassRef()->IsFlat(), selected,
            AParams->EnabledLook, direction, size);
}

TColor TqzBarPainter::ComboArrowColor(TqzBarItemControlDrawParams*) { return clBtnText; }

HBRUSH TqzBarPainter::ComboButtonBrush(TqzBarItemControlDrawParams* AParams) { return ButtonBackgroundBrush(AParams); }

Integer TqzBarPainter::ComboButtonBorder() { return 1; }
