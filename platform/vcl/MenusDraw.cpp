// Measuring and drawing menu items in the classic look: a column for check marks and images,
// the caption with its underlined mnemonic, the shortcut text at the right, then the sub-menu
// arrow; separators are etched lines.

#include <algorithm>

#include "gdi/Gdi.h"
#include "gdi/SysMetrics.h"
#include "vcl/Menus.h"

namespace {

constexpr Integer kArrowColumn = 16;
constexpr Integer kShortCutGap = 20;
constexpr Integer kTextGap = 2;
constexpr Integer kSeparatorHeight = 9;

bool HasVisibleItems(const TMenuItem* item) {
  for (Integer i = 0; i < item->GetCount(); ++i)
    if (item->GetItem(i)->GetVisible()) return true;
  return false;
}

// The check and image column, shared by the item and its siblings so that captions line up.
Integer GutterWidth(const TMenuItem* item) {
  Integer image = GetSystemMetrics(SM_CXMENUCHECK);
  if (TCustomImageList* images = item->GetImageList()) image = std::max(image, images->GetWidth());
  if (const TMenuItem* parent = item->GetParent())
    for (Integer i = 0; i < parent->GetCount(); ++i) {
      TMenuItem* sibling = parent->GetItem(i);
      if (sibling->HasBitmap()) image = std::max(image, sibling->GetBitmap()->GetWidth());
    }
  return image + 6;
}

// A frame-control glyph (black on white) painted in the colour, leaving the white alone.
void DrawGlyph(HDC dc, const TRect& rect, UINT kind, TColor colour) {
  TBitmap glyph;
  glyph.SetPixelFormat(pf32bit);
  glyph.SetSize(rect.Width(), rect.Height());
  RECT all{0, 0, rect.Width(), rect.Height()};
  DrawFrameControl(glyph.GetCanvas()->GetHandle(), &all, DFC_MENU, kind);
  const COLORREF rgb = ColorToRGB(colour);
  for (Integer y = 0; y < rect.Height(); ++y) {
    auto* row = static_cast<const uint32_t*>(glyph.GetScanLine(y));
    for (Integer x = 0; x < rect.Width(); ++x)
      if ((row[x] & 0xFFFFFF) == 0) SetPixelV(dc, rect.Left + x, rect.Top + y, rgb);
  }
}

}  // namespace

void TMenuItem::MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height) {
  if (IsLine()) {
    Width = 0;
    Height = kSeparatorHeight;
  } else {
    TFontStyles style = ACanvas->GetFont()->GetStyle();
    if (FDefault) ACanvas->GetFont()->SetStyle(style + TFontStyles{fsBold});
    Width = GutterWidth(this) + kTextGap + ACanvas->TextWidth(StripHotkey(FCaption)) + kArrowColumn;
    if (FShortCut) Width += kShortCutGap + ACanvas->TextWidth(ShortCutToText(FShortCut));
    Height = ACanvas->TextHeight("Wg") + 5;
    ACanvas->GetFont()->SetStyle(style);
    Integer image = 0;
    if (TCustomImageList* images = GetImageList(); images && FImageIndex >= 0) image = images->GetHeight();
    if (HasBitmap()) image = std::max(image, FBitmap->GetHeight());
    Height = std::max(Height, image + 4);
  }
  TMenu* menu = GetParentMenu();
  if (menu && menu->GetOwnerDraw()) FOnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
  TMenu* menu = GetParentMenu();
  if (menu && menu->GetOwnerDraw()) {
    if (FOnAdvancedDrawItem) {
      FOnAdvancedDrawItem(this, ACanvas, ARect, State);
      return;
    }
    if (FOnDrawItem) {
      FOnDrawItem(this, ACanvas, ARect, State.Contains(odSelected));
      return;
    }
  }
  DrawItem(ACanvas, ARect, State);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
  const bool selected = State.Contains(odSelected);
  const bool disabled = State.Contains(odDisabled);
  TBrush* brush = ACanvas->GetBrush();
  brush->SetStyle(bsSolid);
  brush->SetColor(selected && !IsLine() ? clHighlight : clMenu);
  ACanvas->FillRect(ARect);
  HDC dc = ACanvas->GetHandle();
  if (IsLine()) {
    RECT line{ARect.Left + 1, ARect.Top + ARect.Height() / 2 - 1, ARect.Right - 1, ARect.Top + ARect.Height() / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }

  const TColor text = disabled ? clGrayText : selected ? clHighlightText : clMenuText;
  const Integer gutter = GutterWidth(this);
  const TRect column = Rect(ARect.Left, ARect.Top, ARect.Left + gutter, ARect.Bottom);

  // The image, or the check mark / radio bullet in the column.
  TCustomImageList* images = GetImageList();
  bool drewImage = false;
  auto frameImage = [&](Integer w, Integer h) {
    if (!FChecked) return;
    RECT frame{column.Left + (gutter - w) / 2 - 2, column.Top + (column.Height() - h) / 2 - 2,
               column.Left + (gutter - w) / 2 + w + 2, column.Top + (column.Height() - h) / 2 + h + 2};
    DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
  };
  if (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) {
    frameImage(images->GetWidth(), images->GetHeight());
    images->Draw(ACanvas, column.Left + (gutter - images->GetWidth()) / 2,
                 column.Top + (column.Height() - images->GetHeight()) / 2, FImageIndex, !disabled);
    drewImage = true;
  } else if (HasBitmap()) {
    frameImage(FBitmap->GetWidth(), FBitmap->GetHeight());
    FBitmap->SetTransparent(true);
    ACanvas->Draw(column.Left + (gutter - FBitmap->GetWidth()) / 2,
                  column.Top + (column.Height() - FBitmap->GetHeight()) / 2, FBitmap.get());
    drewImage = true;
  }
  if (FChecked && !drewImage) {
    const Integer size = GetSystemMetrics(SM_CXMENUCHECK);
    const TRect box = Bounds(column.Left + (gutter - size) / 2, column.Top + (column.Height() - size) / 2, size, size);
    DrawGlyph(dc, box, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK, text);
  }

  // Caption and shortcut; disabled ones etched when not highlighted, as the classic look does.
  TFont* font = ACanvas->GetFont();
  const TFontStyles style = font->GetStyle();
  if (FDefault) font->SetStyle(style + TFontStyles{fsBold});
  brush->SetStyle(bsClear);
  TRect textRect = Rect(column.Right + kTextGap, ARect.Top, ARect.Right - kArrowColumn, ARect.Bottom);
  const String shortCut = FShortCut ? ShortCutToText(FShortCut) : String();
  auto drawTexts = [&](const TRect& r, TColor colour) {
    font->SetColor(colour);
    ACanvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    RECT captionRect = r;
    DrawText(dc, FCaption.c_str(), -1, &captionRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_EXPANDTABS);
    if (!shortCut.empty()) {
      RECT keyRect = r;
      DrawText(dc, shortCut.c_str(), -1, &keyRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
  };
  if (disabled && !selected) drawTexts(Rect(textRect.Left + 1, textRect.Top + 1, textRect.Right + 1, textRect.Bottom + 1), clBtnHighlight);
  drawTexts(textRect, text);
  font->SetStyle(style);
  brush->SetStyle(bsSolid);

  if (HasVisibleItems(this)) {
    const Integer size = GetSystemMetrics(SM_CXMENUCHECK);
    DrawGlyph(dc, Bounds(ARect.Right - kArrowColumn + (kArrowColumn - size) / 2, ARect.Top + (ARect.Height() - size) / 2, size, size),
              DFCS_MENUARROW, text);
  }
}
