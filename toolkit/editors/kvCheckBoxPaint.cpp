// The check box's painting: the box by glyph strip, skin, theme or classic frames and mark, then
// the caption and the focus rectangle.

#include <algorithm>

#include "gdi/Blits.h"
#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "user/Rects.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

namespace {

constexpr Integer kCheckBoxPart = 3;
// Paints the brush where the source is black and keeps the destination where it is white.
constexpr DWORD kMaskedBrushRop = 0x00B8074A;

TkvButtonState PainterState(Integer CheckButtonState) {
  switch (CheckButtonState) {
    case kvcbsHot:
      return kvbsHot;
    case kvcbsPressed:
      return kvbsPressed;
    case kvcbsDisabled:
      return kvbsDisabled;
    default:
      return kvbsNormal;
  }
}

void DrawGlyphImage(TkvCanvas* Canvas, const TRect& R, TBitmap* Glyph, Integer GlyphCount, Integer Index,
                    TColor Background, bool Disabled) {
  const Integer width = Glyph->GetWidth() / GlyphCount, height = Glyph->GetHeight();
  TkvBitmap image(R.Width(), R.Height());
  TCanvas* c = image.GetCanvas();
  c->GetBrush()->SetColor(Background == clNone ? clBtnFace : Background);
  c->FillRect(TRect(0, 0, R.Width(), R.Height()));
  // The image's transparent colour takes the background colour.
  const TColor transparent = Glyph->GetCanvas()->GetPixel(0, height - 1);
  const Integer top = (R.Height() - height) / 2;
  c->BrushCopy(TRect(0, top, width, top + height), Glyph, TRect(width * Index, 0, width * (Index + 1), height),
               transparent);
  if (Disabled) image.ApplyPixelFilter(pfGray);
  Canvas->DrawGraphic(R.Left, R.Top, &image);
}

}  // namespace

void PaintCheckArea(TkvCanvas* Canvas, TRect CheckRect, TkvCheckBoxState State, Integer CheckButtonState,
                    TBitmap* Glyph, Integer GlyphCount, TkvContainerBorderStyle BorderStyle, bool NativeStyle,
                    TColor BorderColor, TColor BackgroundColor, bool DrawBackground, bool Designing, bool Focused,
                    bool, TkvCustomLookAndFeelPainterClass Painter, TkvCheckBoxNullValueShowingStyle NullStyle) {
  if (CheckRect.Width() <= 0 || CheckRect.Height() <= 0) return;
  if (!DrawBackground) BackgroundColor = clNone;
  if (State == cbsGrayed && NullStyle == nssUnchecked) State = cbsUnchecked;
  HDC dc = Canvas->DCHandle();
  const bool disabled = CheckButtonState == kvcbsDisabled;
  const bool pressed = CheckButtonState == kvcbsPressed;
  if (Glyph && !Glyph->GetEmpty() && GlyphCount > 0) {
    Integer index = static_cast<Integer>(State) + (pressed ? 3 : 0);
    if (index >= GlyphCount && index > 2) index %= 3;
    DrawGlyphImage(Canvas, CheckRect, Glyph, GlyphCount, std::min(index, GlyphCount - 1), BackgroundColor, disabled);
    return;
  }
  if (Painter) {
    if (DrawBackground) Canvas->FillWithColor(CheckRect, BackgroundColor);
    Painter->PaintCheckBox(Canvas, CheckRect, PainterState(CheckButtonState), State);
    return;
  }
  if (HTHEME theme = NativeStyle ? ObtainTheme(totButton) : nullptr) {
    const Integer state = static_cast<Integer>(State) * 4 + CheckButtonState + 1;
    UxDrawThemeBackground(theme, dc, kCheckBoxPart, state, &CheckRect, nullptr);
    return;
  }
  // Classic frames.
  const Integer inset = 2 - BorderWidthOf(BorderStyle);
  TRect r = CheckRect;
  if (DrawBackground && inset > 0) {
    Canvas->PaintFrame(r, BackgroundColor, inset);
    r = RectInflated(r, -inset, -inset);
  }
  const bool hotOrPressed = CheckButtonState == kvcbsHot || pressed;
  switch (BorderStyle) {
    case cbsSingle:
      Canvas->PaintFrame(r, BorderColor, 1);
      break;
    case cbsThick:
      Canvas->PaintFrame(r, BorderColor, 2);
      break;
    case cbsFlat:
      Canvas->PaintBevel(r, true, true);
      Canvas->PaintFrame(RectInflated(r, -1, -1), clBtnFace, 1);
      break;
    case cbs3D:
      Canvas->PaintBevel(r, true, true);
      Canvas->PaintTwoColorFrame(RectInflated(r, -1, -1), cl3DDkShadow, cl3DLight);
      break;
    case cbsUltraFlat:
    case cbsOffice11: {
      const bool office = BorderStyle == cbsOffice11;
      TColor color;
      if (hotOrPressed || (Designing && !disabled) || (CheckButtonState == kvcbsNormal && Focused))
        color = EditHighlightColor(office);
      else if (office && CheckButtonState == kvcbsNormal && !Focused && !Designing)
        color = clBtnText;
      else
        color = clBtnShadow;
      Canvas->PaintFrame(r, color, 1);
      break;
    }
    case cbsNone:
      break;
  }
  const TRect inside = RectInflated(r, -2, -2);
  if (inside.Width() <= 0 || inside.Height() <= 0) return;
  if (BorderStyle == cbsUltraFlat || BorderStyle == cbsOffice11) {
    const bool office = BorderStyle == cbsOffice11;
    TColor interior = clWindow;
    if (hotOrPressed)
      interior = FlatButtonStateColor(pressed, office);
    else if (disabled || (State == cbsGrayed && NullStyle == nssInactive))
      interior = clBtnFace;
    Canvas->FillWithColor(inside, interior);
    if (State == cbsUnchecked || (State == cbsGrayed && NullStyle != nssGrayedChecked)) return;
    TBitmap* mask = CheckMarkMask();
    if (!mask) return;
    const TColor mark = disabled || State == cbsGrayed ? clBtnShadow : clBtnText;
    Canvas->PushClip();
    Canvas->ClipToRect(inside);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(mark));
    HGDIOBJ old = SelectObject(dc, brush);
    BitBlt(dc, inside.Left - 2, inside.Top - 2, mask->GetWidth(), mask->GetHeight(), mask->GetCanvas()->GetHandle(),
           0, 0, kMaskedBrushRop);
    SelectObject(dc, old);
    DeleteObject(brush);
    Canvas->PopClip();
    return;
  }
  UINT flags = 0;
  switch (State) {
    case cbsChecked:
      flags = DFCS_CHECKED;
      break;
    case cbsUnchecked:
      break;
    case cbsGrayed:
      flags = DFCS_BUTTON3STATE | (NullStyle == nssInactive ? DFCS_INACTIVE
                                   : NullStyle == nssGrayedChecked ? DFCS_CHECKED
                                                                   : 0);
      break;
  }
  if (pressed) flags |= DFCS_PUSHED;
  if (disabled)
    flags = State == cbsUnchecked || (State == cbsGrayed && NullStyle != nssGrayedChecked) ? 0x308 : 0x608;
  if (BorderStyle != cbs3D) flags |= DFCS_FLAT;
  RECT frame = RectInflated(inside, 2, 2);
  Canvas->PushClip();
  Canvas->ClipToRect(inside);
  DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONCHECK | flags);
  Canvas->PopClip();
}

void TkvCustomCheckBoxViewInfo::PaintContent(TkvCanvas* Canvas) {
  DrawEditBackgroundAndButtons(Canvas, this, true, 0);
  const bool drawBackground = !IsTransparent();
  PaintCheckArea(Canvas, CheckRect, State, CheckButtonState, Glyph, GlyphCount, CheckBorderStyle, NativeStyle,
                 BorderColor, BackgroundColor, drawBackground, Designing, Focused, true, Painter, NullStyle);
  if (Alignment != taCenter && !Text.empty()) {
    Canvas->AssignFont(Font);
    Canvas->CurrentFont()->SetColor(TextColor);
    SetBkMode(Canvas->DCHandle(), TRANSPARENT);
    const bool enabled = IsContainerInnerControl || Enabled || IsTextColorAssigned || NativeStyle;
    Canvas->PaintText(Text, TextRect, CaptionFlags, enabled);
  }
  if (!IsRectEmpty(&FocusRect)) Canvas->DrawFocusFrame(FocusRect);
}
