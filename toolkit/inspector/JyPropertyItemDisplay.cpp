// Painting of inspector rows in the default, Office 2003 and Whidbey styles.

#include "toolkit/inspector/JyPropertyItemDisplay.h"

#include <algorithm>
#include <memory>

#include "gdi/Gdi.h"
#include "rtl/WideText.h"
#include "rtl/Resources.h"
#include "toolkit/inspector/JyInspectorCommon.h"
#include "toolkit/inspector/JyPropertyItemClasses.h"
#include "toolkit/inspector/JySharedDraw.h"
#include "toolkit/inspector/JyThemesSupport.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TJyItemDisplay)
TAVREN_CLASS_IMPL(TJyTextItemDisplay)
TAVREN_CLASS_IMPL(TJyToolbarItemDisplay)

namespace {

String AsciiLower(String Text) {
  for (char& c : Text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return Text;
}

// The glyphs of the Office 2003 and Whidbey expand buttons, loaded on first use.
std::unique_ptr<TBitmap> gOfficeGlyphs[2];

TBitmap* OfficeGlyph(bool Expanded) {
  std::unique_ptr<TBitmap>& glyph = gOfficeGlyphs[Expanded ? 1 : 0];
  if (!glyph) {
    glyph = std::make_unique<TBitmap>();
    try {
      glyph->LoadFromResourceName(HInstance, Expanded ? "OFFICE2003COLLAPSE" : "OFFICE2003EXPAND");
    } catch (...) {
      // Without the resource the box falls back to the classic drawing below.
    }
  }
  return glyph.get();
}

}  // namespace

void JyPropertyItemDisplayEnd() {
  for (auto& glyph : gOfficeGlyphs) glyph.reset();
}

// ---- Base display -------------------------------------------------------------------------------

void TJyItemDisplay::PaintBackground() {
  if (FItem->GetLevel() == 0) return;
  Canvas->GetBrush()->SetColor(FItem->GetColor());
  Canvas->FillRect(PaintRect);
}

void TJyItemDisplay::PaintCaption() {
  const TRect r = PaintRect;
  const Integer indent = FItem->Indent();
  Canvas->SetFont(FItem->GetFont());
  TBrush* brush = Canvas->GetBrush();
  // The frame around a selected category's caption text.
  auto captionFrame = [&] {
    Integer right = indent + 14 + Canvas->TextWidth(FItem->GetCaption()) + 4;
    if (Images && FItem->GetImageIndex() >= 0) right += Images->GetWidth() + 8;
    return Rect(indent + 14, r.Top, right, r.Bottom);
  };
  const bool category = FItem->GetLevel() == 0;
  switch (Style) {
    case psDefault:
      if (category) {
        if (VisualStyles) {
          DrawThemed(Window, Canvas->GetHandle(), r, u"rebar", 0, 1);
        } else {
          brush->SetColor(CategoriesColor);
          Canvas->FillRect(r);
        }
        if (Selected) TGraphicsProvider::DrawFocus(Canvas, captionFrame(), false);
      } else if (Selected) {
        brush->SetColor(SelectionColor);
        Canvas->FillRect(r);
        Canvas->GetFont()->SetColor(clHighlightText);
      } else {
        brush->SetColor(FItem->GetColor());
        Canvas->FillRect(r);
      }
      break;
    case psOffice2003:
      if (category) {
        TGraphicsProvider::DrawGradient(Canvas, r, OfficeColor(Selected ? 1 : 10), OfficeColor(Selected ? 2 : 11));
      } else if (Selected) {
        Canvas->GetPen()->SetColor(static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)));
        brush->SetColor(OfficeColor(0));
        Canvas->Rectangle(r);
      } else {
        brush->SetColor(FItem->GetColor());
        Canvas->FillRect(r);
      }
      break;
    case psWhidbey:
      if (category) {
        TGraphicsProvider::DrawGradient(Canvas, r, clWindow, clBtnFace);
        if (Selected) {
          brush->SetColor(clBlack);
          Canvas->FrameRect(captionFrame());
        }
      } else if (Selected) {
        Canvas->GetPen()->SetColor(clHighlight);
        brush->SetColor(TMaskProvider::MixColors(clHighlight, clWindow, 80));
        Canvas->Rectangle(r);
      } else {
        brush->SetColor(FItem->GetColor());
        Canvas->FillRect(r);
      }
      break;
  }
  if (!FItem->GetEnabled()) Canvas->GetFont()->SetColor(clGrayText);
  Integer textLeft = indent + 17;
  if (FItem->GetImageIndex() >= 0 && Images) {
    Images->Draw(Canvas, r.Left + indent + 3, r.Top + (r.Height() - Images->GetHeight()) / 2, FItem->GetImageIndex(),
                 FItem->GetEnabled());
    textLeft = indent + Images->GetWidth() + 25;
  }
  DrawCaptionText(Canvas, Rect(textLeft, r.Top, r.Right, r.Bottom), FItem->GetCaption(), RightToLeft());
}

void TJyItemDisplay::PaintExpandButton() {
  const TRect r = PaintRect;
  const bool expanded = FItem->GetExpanded();
  if (ButtonsStyle == btCustom) {
    TBitmap* glyph = expanded ? CollapseGlyph : ExpandGlyph;
    if (glyph && !glyph->GetEmpty())
      Canvas->Draw(7 - glyph->GetWidth() / 2, r.Top + (r.Height() - glyph->GetHeight()) / 2, glyph);
    return;
  }
  const TPoint box{FItem->Indent() + 2, r.Top + r.Height() / 2 - 5};
  if (Style != psDefault) {
    TBitmap* glyph = OfficeGlyph(expanded);
    if (!glyph->GetEmpty()) {
      DrawBitmap(Canvas, box.X, box.Y, glyph);
      return;
    }
  } else if (VisualStyles) {
    DrawThemed(Window, Canvas->GetHandle(), Bounds(box.X, box.Y, 9, 9), u"treeview", 2, expanded ? 2 : 1);
    return;
  }
  DrawExpandBox(Canvas, box, expanded, FItem->GetLevel() == 0, MarginColor);
}

void TJyItemDisplay::PaintSuffix() {
  const TRect r = PaintRect;
  Canvas->SetFont(FItem->GetValueFont());
  Canvas->GetBrush()->SetColor(FItem->GetColor());
  Canvas->FillRect(r);
  Canvas->GetPen()->SetColor(GridColor);
  const TRect clip = Canvas->GetClipRect();
  Canvas->MoveTo(r.Left, clip.Top);
  Canvas->LineTo(r.Left, clip.Bottom);
  TGraphicsProvider::DrawTextRect(Canvas, Rect(r.Left + 3, r.Top, r.Right, r.Bottom), RightToLeft(),
                                  FItem->GetSuffixValue(), taLeftJustify);
}

void TJyItemDisplay::PaintValue() {
  PaintBackground();
  if (FItem->GetShowPreview() && FItem->SupportsPreview()) {
    TRect box = Rect(PaintRect.Left + 1, PaintRect.Top + 1, PaintRect.Left + 21, PaintRect.Bottom - 1);
    Canvas->GetBrush()->SetColor(RGB(128, 128, 128));
    Canvas->FrameRect(box);
    InflateRect(&box, -1, -1);
    PaintPreview(box);
  }
}

// ---- Text display -------------------------------------------------------------------------------

void TJyTextItemDisplay::PaintValue() {
  inherited::PaintValue();
  PaintText();
}

void TJyTextItemDisplay::GetTextRect(TRect& Rect) { Rect.Left += Item()->GetShowPreview() ? 30 : 3; }

void TJyTextItemDisplay::PaintText() {
  TJyPropertyItem* item = Item();
  Canvas->SetFont(item->GetValueFont());
  TRect text = PaintRect;
  GetTextRect(text);
  const String value = item->GetValue();
  String shown;
  if (!value.empty()) {
    if (item->GetOptions().Contains(itoBoldNonDefault) && AsciiLower(value) != AsciiLower(item->GetDefaultValue()))
    {
      TFontStyles styles = Canvas->GetFont()->GetStyle();
      styles.Include(fsBold);
      Canvas->GetFont()->SetStyle(styles);
    }
    if (!item->GetEnabled()) Canvas->GetFont()->SetColor(clGrayText);
    auto* textItem = dynamic_cast<TJyTextItem*>(item);
    if (textItem && textItem->GetPasswordChar() != '\0') {
      shown.assign(UTF8Decode(value).size(), textItem->GetPasswordChar());
    } else {
      shown = value;
    }
  } else {
    Canvas->GetFont()->SetColor(clGrayText);
    shown = item->GetEmptyValue();
  }
  TGraphicsProvider::DrawTextRect(Canvas, text, RightToLeft(), shown, taLeftJustify);
}

// ---- Toolbar display ----------------------------------------------------------------------------

TJyToolbarItem* TJyToolbarItemDisplay::Toolbar() const { return static_cast<TJyToolbarItem*>(Item()); }

Integer TJyToolbarItemDisplay::ButtonAt(Integer X) {
  TJyToolbarItem* toolbar = Toolbar();
  const Integer n = toolbar->GetButtons()->GetCount(), w = toolbar->GetButtonWidth();
  if (w <= 0) return -1;
  Integer index;
  if (toolbar->GetAlignment() == baLeftJustify) {
    if (X < 0) return -1;
    index = X / w;
  } else {
    const Integer start = PaintRect.Width() - n * w;
    if (X < start) return -1;
    index = (X - start) / w;
  }
  return index >= 0 && index < n ? index : -1;
}

TRect TJyToolbarItemDisplay::ButtonRect(Integer Index) {
  TJyToolbarItem* toolbar = Toolbar();
  const Integer n = toolbar->GetButtons()->GetCount(), w = toolbar->GetButtonWidth();
  const Integer left =
      toolbar->GetAlignment() == baLeftJustify ? PaintRect.Left + Index * w : PaintRect.Right + w * (Index - n);
  return Rect(left, PaintRect.Top, left + w, PaintRect.Bottom);
}

void TJyToolbarItemDisplay::PaintBackground() {
  if (!Toolbar()->GetDrawBackground()) {
    inherited::PaintBackground();
    return;
  }
  switch (Style) {
    case psDefault:
      if (IsThemed()) {
        DrawThemed(Window, Canvas->GetHandle(), PaintRect, u"rebar", 0, 1);
      } else {
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect(PaintRect);
      }
      break;
    case psOffice2003:
      TGraphicsProvider::DrawGradient(Canvas, PaintRect, OfficeColor(10), OfficeColor(11));
      break;
    case psWhidbey:
      // This style draws no band of its own: the row's colour stays under the buttons.
      inherited::PaintBackground();
      break;
  }
}

void TJyToolbarItemDisplay::PaintButton(Integer Index) {
  TJyToolbarItemButton* button = Toolbar()->GetButtons()->Button(Index);
  const TRect r = ButtonRect(Index);
  if (button->GetDivider()) {
    Canvas->GetPen()->SetColor(clGrayText);
    const Integer x = r.Left + r.Width() / 2;
    Canvas->MoveTo(x, r.Top + 2);
    Canvas->LineTo(x, r.Bottom - 2);
    return;
  }
  const bool hot = Index == FHotIndex, pressed = Index == FPressedIndex, checked = button->GetChecked();
  if (checked || hot || pressed) {
    switch (Style) {
      case psDefault:
        if (VisualStyles) {
          Integer state = pressed ? 3 : checked ? (hot ? 6 : 5) : (hot ? 2 : 0);
          DrawThemed(Window, Canvas->GetHandle(), r, u"toolbar", 1, state);
        } else {
          const bool sunken = checked || pressed;
          Canvas->GetBrush()->SetColor(hot ? clBtnFace : cl3DLight);
          Canvas->FillRect(r);
          const TColor topLeft = sunken ? clBtnShadow : clBtnHighlight, bottomRight = sunken ? clBtnHighlight : clBtnShadow;
          Canvas->GetPen()->SetColor(topLeft);
          Canvas->MoveTo(r.Left, r.Bottom - 1);
          Canvas->LineTo(r.Left, r.Top);
          Canvas->LineTo(r.Right - 1, r.Top);
          Canvas->GetPen()->SetColor(bottomRight);
          Canvas->LineTo(r.Right - 1, r.Bottom - 1);
          Canvas->LineTo(r.Left - 1, r.Bottom - 1);
        }
        break;
      case psOffice2003:
        if (hot)
          TGraphicsProvider::DrawGradient(Canvas, r, OfficeColor(pressed || checked ? 8 : 6),
                                          OfficeColor(pressed || checked ? 9 : 7));
        else
          TGraphicsProvider::DrawGradient(Canvas, r, OfficeColor(4), OfficeColor(5));
        Canvas->GetBrush()->SetColor(OfficeColor(3));
        Canvas->FrameRect(r);
        break;
      case psWhidbey:
        Canvas->GetPen()->SetColor(clHighlight);
        Canvas->GetBrush()->SetColor(
            TMaskProvider::MixColors(clHighlight, clWindow, hot ? (pressed || checked ? 160 : 80) : 35));
        Canvas->Rectangle(r);
        break;
    }
  }
  TBitmap* glyph = button->GetGlyph();
  if (!glyph->GetEmpty()) {
    glyph->SetTransparentColor(glyph->GetCanvas()->GetPixel(0, glyph->GetHeight() - 1));
    glyph->SetTransparent(true);
    Canvas->Draw(r.Left + (r.Width() - glyph->GetWidth()) / 2, r.Top + (r.Height() - glyph->GetHeight()) / 2, glyph);
  }
}

void TJyToolbarItemDisplay::PaintValue() {
  inherited::PaintValue();
  TJyToolbarItem* toolbar = Toolbar();
  const Integer n = toolbar->GetButtons()->GetCount(), w = toolbar->GetButtonWidth();
  for (Integer i = 0; i < n; ++i) PaintButton(i);
  if (!toolbar->GetShowText()) return;
  Canvas->SetFont(toolbar->GetValueFont());
  const TRect r = PaintRect;
  const TRect text = toolbar->GetAlignment() == baLeftJustify ? Rect(r.Left + n * w + 2, r.Top, r.Right, r.Bottom)
                                                              : Rect(r.Left + 2, r.Top, r.Right - n * w, r.Bottom);
  TGraphicsProvider::DrawTextRect(Canvas, text, RightToLeft(), toolbar->GetAsString(), taLeftJustify);
}

void TJyToolbarItemDisplay::MouseDown(TMouseButton, TShiftState, Integer X, Integer) {
  FPressedIndex = ButtonAt(X);
  // A divider only separates: it is never pressed nor checked.
  if (FPressedIndex >= 0 && Toolbar()->GetButtons()->Button(FPressedIndex)->GetDivider()) FPressedIndex = -1;
  if (FPressedIndex >= 0) Toolbar()->RepaintButton(FPressedIndex);
}

void TJyToolbarItemDisplay::MouseMove(TShiftState, Integer X, Integer) {
  const Integer at = ButtonAt(X);
  if (at == FHotIndex) return;
  const Integer old = FHotIndex;
  FHotIndex = at;
  if (at >= 0) Toolbar()->RepaintButton(at);
  if (old >= 0) Toolbar()->RepaintButton(old);
}

void TJyToolbarItemDisplay::MouseLeave() {
  if (FHotIndex < 0) return;
  const Integer old = FHotIndex;
  FHotIndex = -1;
  Toolbar()->RepaintButton(old);
}

void TJyToolbarItemDisplay::MouseUp(TMouseButton, TShiftState, Integer X, Integer) {
  if (FPressedIndex >= 0) {
    const Integer old = FPressedIndex;
    FPressedIndex = -1;
    Toolbar()->RepaintButton(old);
  }
  const Integer at = ButtonAt(X);
  if (at < 0) return;
  TJyToolbarItemButton* button = Toolbar()->GetButtons()->Button(at);
  if (button->GetDivider()) return;
  if (button->GetAutoCheck())
    Toolbar()->SetButtonChecked(at, !button->GetChecked());
  else
    Toolbar()->ButtonClicked(at);
}

void TJyToolbarItemDisplay::KeyDown(Word& Key, TShiftState) {
  if (Key < 49 || Key > 59) return;
  TJyToolbarItemButtons* buttons = Toolbar()->GetButtons();
  std::vector<Integer> usable;
  for (Integer i = 0; i < buttons->GetCount(); ++i)
    if (!buttons->Button(i)->GetDivider()) usable.push_back(i);
  // A toolbar of dividers only has nothing to toggle.
  if (usable.empty()) return;
  const Integer wanted = Key - 49;
  TJyToolbarItemButton* button = buttons->Button(wanted < static_cast<Integer>(usable.size()) ? usable[wanted] : usable[0]);
  if (button->GetAutoCheck()) button->SetChecked(!button->GetChecked());
}
