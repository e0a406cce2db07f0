// The ribbon skin's drawing operations: each draws its atlas part, or on a low-colour screen a
// plain look in system colours.
#include "gdi/Gdi.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "vcl/Graphics.h"

namespace {

// A solid triangle in a system colour: rows of 2n-1 .. 1 pixels (down) or columns (right),
// centred in R.
void PlainArrow(HDC DC, const TRect& R, Integer Size, bool Right) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(clBlack));
  const Integer cx = R.Left + R.Width() / 2, cy = R.Top + R.Height() / 2;
  for (Integer i = 0; i < Size; ++i) {
    const TRect line = Right ? TRect{cx - Size / 2 + i, cy - (Size - 1 - i), cx - Size / 2 + i + 1, cy + Size - i}
                             : TRect{cx - (Size - 1 - i), cy - Size / 2 + i, cx + Size - i, cy - Size / 2 + i + 1};
    FillRect(DC, &line, brush);
  }
  DeleteObject(brush);
}

Integer ScrollHandle(Integer State, bool Right) { return (Right ? 3 : 0) + (State == 2 ? 1 : State == 4 ? 2 : 0); }

// Glyph state of a caption button: 1, 2 or 3 for states 1, 2 and 3 or 4, else 0.
Integer GlyphState(Integer State) { return State == 1 ? 1 : State == 2 ? 2 : (State == 3 || State == 4) ? 3 : 0; }

// Background index of a caption button: 0, 1, 2 for states 1, 2, 4; -1 for none.
Integer BackgroundIndex(Integer State) { return State == 1 ? 0 : State == 2 ? 1 : State == 4 ? 2 : -1; }

TRect CentredSquare(const TRect& R, Integer Size) {
  const Integer left = R.Left + (R.Width() - Size) / 2, top = R.Top + (R.Height() - Size) / 2;
  return Bounds(left, top, Size, Size);
}

}  // namespace

// ---- Plain looks ----------------------------------------------------------------------------

void TqzCustomRibbonSkin::PaintPlainApplicationButton(HDC DC, const TRect& R, Integer State) {
  HPEN pen = CreatePen(PS_SOLID, 3, ColorToRGB(State == 2 ? clBtnShadow : clWhite));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(State != 0 ? clHighlight : clBtnFace));
  HGDIOBJ oldPen = SelectObject(DC, pen), oldBrush = SelectObject(DC, brush);
  Ellipse(DC, R.Left + 1, R.Top + 1, R.Right - 2, R.Bottom - 2);
  HPEN outline = CreatePen(PS_SOLID, 1, ColorToRGB(clBlack));
  SelectObject(DC, outline);
  SelectObject(DC, GetStockObject(NULL_BRUSH));
  Ellipse(DC, R.Left + 1, R.Top + 1, R.Right - 2, R.Bottom - 2);
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(outline);
  DeleteObject(pen);
  DeleteObject(brush);
}

void TqzCustomRibbonSkin::PaintPlainMenuFrame(HDC DC, const TRect& R) { FramedFill(DC, R, 1, 15, clBlack, clMenu); }

void TqzCustomRibbonSkin::PaintPlainFormBorders(HDC DC, const TRect& Widths, const TRect& R) {
  const TRect left{R.Left, R.Top, R.Left + Widths.Left, R.Bottom - Widths.Bottom};
  FillColor(DC, TRect{left.Left, left.Top, std::min(left.Left + 2, left.Right), left.Bottom}, clBtnHighlight);
  FillColor(DC, TRect{std::min(left.Left + 2, left.Right), left.Top, left.Right, left.Bottom}, clBtnFace);
  const TRect right{R.Right - Widths.Right, R.Top, R.Right, R.Bottom - Widths.Bottom};
  FillColor(DC, TRect{right.Right - 1, right.Top, right.Right, right.Bottom}, cl3DDkShadow);
  FillColor(DC, TRect{right.Right - 2, right.Top, right.Right - 1, right.Bottom}, clBtnShadow);
  FillColor(DC, TRect{right.Left, right.Top, right.Right - 2, right.Bottom}, clBtnFace);
  const TRect bottom{R.Left, R.Bottom - Widths.Bottom, R.Right, R.Bottom};
  FillColor(DC, TRect{bottom.Left, bottom.Top, bottom.Right, bottom.Bottom - 1}, clBtnFace);
  FillColor(DC, TRect{bottom.Left, bottom.Bottom - 1, bottom.Right, bottom.Bottom}, cl3DDkShadow);
}

void TqzCustomRibbonSkin::PaintPlainCaptionButton(HDC DC, const TRect& R, Integer State, Integer Kind) {
  static constexpr UINT kKinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE,
                                    DFCS_CAPTIONHELP};
  TRect r{R.Left + 1, R.Top + 2, R.Right - 1, R.Bottom};
  const UINT kind = Kind >= 0 && Kind < 5 ? kKinds[Kind] : DFCS_CAPTIONCLOSE;
  DrawFrameControl(DC, &r, DFC_CAPTION, kind | (State == 2 ? DFCS_PUSHED : 0));
}

void TqzCustomRibbonSkin::PaintPlainFormCaption(HDC DC, const TRect& R, const TqzFormFrameInfo& Info) {
  TRect rest = R;
  if (Info.SizeState != 2) {
    FillRectExcluding(DC, TRect{R.Left, R.Top, R.Right, R.Top + 1}, clBtnHighlight, true);
    FillRectExcluding(DC, TRect{R.Left, R.Top + 1, R.Right, R.Top + 2}, clBtnFace, true);
    rest.Top += 2;
  }
  FillColor(DC, rest, Info.IsActive ? clActiveCaption : clInactiveCaption);
}

// ---- Form --------------------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawApplicationButton(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors())
    PaintPlainApplicationButton(DC, R, State);
  else
    DrawPart(DC, R, rseApplicationButton, State);
}

void TqzCustomRibbonSkin::DrawFormCaption(HDC DC, const TRect& R, const TqzFormFrameInfo& Info) {
  if (GetLowColors()) {
    PaintPlainFormCaption(DC, R, Info);
    return;
  }
  const Integer inactive = Info.IsActive ? 0 : 1;
  if (Info.SizeState == 2) {
    DrawPart(DC, R, rseFormCaptionNarrow, inactive);
  } else if (Info.SizeState == 1) {
    DrawPart(DC, TRect{R.Left, R.Top, R.Right, R.Bottom - 1}, rseFormCaption, inactive);
    DrawPart(DC, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, rseFormBottomLine, inactive);
  } else {
    DrawPart(DC, R, rseFormCaption, inactive);
  }
}

void TqzCustomRibbonSkin::DrawFormBorders(HDC DC, const TRect& Widths, const TqzFormFrameInfo& Info,
                                          Integer CaptionBottom) {
  const TRect& form = Info.WindowRect;
  if (GetLowColors()) {
    PaintPlainFormBorders(DC, Widths, form);
    return;
  }
  const Integer copy = Info.IsActive ? 0 : 1;
  if (CaptionBottom > 0) {
    DrawPart(DC, TRect{form.Left, form.Top, form.Left + Widths.Left, CaptionBottom}, rseFormBorderLeft, copy);
    DrawPart(DC, TRect{form.Right - Widths.Right, form.Top, form.Right, CaptionBottom}, rseFormBorderRight, copy);
  }
  const bool firstLook = !(Info.FormBorderStyle == bsSingle || Info.FormBorderStyle == bsDialog ||
                           Info.FormBorderStyle == bsToolWindow || Info.FormStyle == fsMDIChild);
  const TRect bottom{form.Left, form.Bottom - Widths.Bottom, form.Right, form.Bottom};
  if (Widths.Bottom < 2) {
    DrawPart(DC, TRect{form.Left + Widths.Left, bottom.Top, form.Right - Widths.Right, form.Bottom},
             rseFormBottomLine, copy);
  } else {
    DrawPart(DC, bottom, firstLook ? rseFormBorderBottom : rseFormBorderBottomAlt, copy);
    ExcludeClipRect(DC, bottom.Left, bottom.Top, bottom.Right, bottom.Bottom);
  }
  const Integer top = CaptionBottom + Widths.Top, end = firstLook ? form.Bottom - 1 : form.Bottom;
  DrawPart(DC, TRect{form.Left, top, form.Left + Widths.Left, end}, rseFormBorderLeftLower, copy);
  DrawPart(DC, TRect{form.Right - Widths.Right, top, form.Right, end}, rseFormBorderRightLower, copy);
}

void TqzCustomRibbonSkin::DrawCaptionButton(HDC DC, const TRect& R, Integer State, Integer Kind) {
  if (GetLowColors()) {
    PaintPlainCaptionButton(DC, R, State, Kind);
    return;
  }
  if (BackgroundIndex(State) >= 0) DrawPart(DC, R, rseCaptionButtonBackground, BackgroundIndex(State));
  TRect glyph = CentredSquare(R, 9);
  glyph.Top += 1;
  glyph.Bottom += 1;
  const Integer kind = Kind >= 0 && Kind < 5 ? Kind : 3;
  DrawPart(DC, glyph, static_cast<TqzRibbonSkinElement>(rseCaptionGlyphMinimize + kind), GlyphState(State));
}

void TqzCustomRibbonSkin::DrawMDIButton(HDC DC, const TRect& R, Integer State, Integer Kind) {
  const Integer glyphKind = Kind == 0 ? 0 : Kind == 1 ? 2 : 3;
  if (GetLowColors()) {
    PaintPlainCaptionButton(DC, R, State, glyphKind);
    return;
  }
  if (State == 1 || State == 2)
    DrawSmallButton(DC, R, State == 1 ? 2 : 4);
  else
    FillColor(DC, R, GetPartColor(10065, 0));
  TRect glyph = CentredSquare(R, 9);
  glyph.Top += 1;
  glyph.Bottom += 1;
  DrawPart(DC, glyph, static_cast<TqzRibbonSkinElement>(rseCaptionGlyphMinimize + glyphKind), GlyphState(State));
}

void TqzCustomRibbonSkin::DrawHelpButton(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors()) {
    PaintPlainCaptionButton(DC, R, State, 4);
    return;
  }
  if (BackgroundIndex(State) >= 0) DrawPart(DC, R, rseCaptionButtonBackground, BackgroundIndex(State));
}

void TqzCustomRibbonSkin::DrawHelpButtonGlyph(HDC DC, const TRect& R) {
  if (!GetLowColors()) DrawPart(DC, CentredSquare(R, 16), rseHelpGlyph);
}

void TqzCustomRibbonSkin::DrawFormBorderButton(HDC DC, const TRect& R, Integer State, bool A, bool B, bool C) {
  DrawStates(DC, R, (C || (B && !A)) ? rseFormBorderButtonAlt : rseFormBorderButton, State);
}

// ---- Quick access toolbar --------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawQuickAccessToolbar(HDC DC, const TRect& R, bool NoGlass, bool FlagB,
                                                 bool WithApplicationButton, bool FlagA, bool Below) {
  if (GetLowColors()) {
    FillColor(DC, R, clBtnFace);
    return;
  }
  if (Below) {
    DrawPart(DC, R, rseQuickAccessBelow);
    return;
  }
  const Integer h = R.Height() / 2;
  if (R.Width() - h < h) return;
  TRect left{R.Left, R.Top + 3, R.Left + (WithApplicationButton ? 15 : 7), R.Bottom - 4};
  const Integer copy = FlagA && !FlagB ? 1 : 0;
  TqzRibbonSkinElement leftPart = WithApplicationButton ? rseQuickAccessLeftBesideButton : rseQuickAccessLeft;
  TqzRibbonSkinElement body = rseQuickAccessBody;
  Integer state = copy;
  if (FlagA) {
    if (DwmCompositionEnabled() && !NoGlass) {
      leftPart = WithApplicationButton ? rseQuickAccessGlassBesideButton : rseQuickAccessGlassLeft;
      body = rseQuickAccessGlassBody;
      state = 0;
    }
    left.Top += 1;
    left.Bottom += 1;
  }
  DrawPart(DC, left, leftPart, state);
  DrawPart(DC, TRect{left.Right, left.Top, R.Right - h, left.Bottom}, body, state);
}

void TqzCustomRibbonSkin::DrawQuickAccessAboveBackground(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseQuickAccessAboveBackground);
}

void TqzCustomRibbonSkin::DrawQuickAccessMark(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors()) {
    PlainArrow(DC, R, 3, false);
    return;
  }
  const Integer u = R.Height() / 7;
  DrawPart(DC, TRect{R.Left + 3, R.Top + 3 * u, R.Right - 3, R.Bottom - 2 * u}, rseQuickAccessMark, State);
}

void TqzCustomRibbonSkin::DrawQuickAccessMarkMore(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors()) {
    PlainArrow(DC, R, 3, true);
    return;
  }
  const Integer u = R.Height() / 7;
  DrawPart(DC, TRect{R.Left + u + 1, R.Top + 3 * u, R.Right - u + 1, R.Bottom - 2 * u}, rseQuickAccessMarkMore, State);
}

void TqzCustomRibbonSkin::DrawQuickAccessPopupBackground(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseQuickAccessPopupBackground);
}

// ---- Tabs and groups -------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawRibbonBackground(HDC DC, const TRect& R) { FillColor(DC, R, GetPartColor(10065, 0)); }

void TqzCustomRibbonSkin::DrawTabRowEdge(HDC, const TRect&) {}

void TqzCustomRibbonSkin::DrawTab(HDC DC, const TRect& R, Integer State) {
  if (!GetLowColors()) {
    DrawPart(DC, R, rseTab, State);
  } else if (State == 0) {
    FillColor(DC, R, clBtnFace);
  } else if (State == 2) {
    FramedFill(DC, R, 1, 7, clWhite, clHighlight);
  } else {
    FillColor(DC, TRect{R.Left, R.Top, R.Right, R.Top + 1}, clBtnFace);
    FillColor(DC, TRect{R.Left, R.Top + 1, R.Right, R.Bottom}, clHighlight);
  }
}

void TqzCustomRibbonSkin::DrawTabSeparator(HDC DC, const TRect& R, Byte Alpha) {
  if (GetLowColors())
    FillColor(DC, R, clBtnShadow);
  else
    DrawPart(DC, R, rseTabSeparator, 0, Alpha);
}

void TqzCustomRibbonSkin::DrawTabScrollButton(HDC DC, const TRect& R, Integer State, bool Right) {
  if (GetLowColors())
    DrawStates(DC, R, rseTabScrollButton, State);
  else
    DrawPart(DC, R, rseTabScrollButton, ScrollHandle(State, Right));
}

void TqzCustomRibbonSkin::DrawGroupScrollButton(HDC DC, const TRect& R, Integer State, bool Right) {
  if (GetLowColors())
    DrawStates(DC, R, rseGroupScrollButton, State);
  else
    DrawPart(DC, R, rseGroupScrollButton, ScrollHandle(State, Right));
}

void TqzCustomRibbonSkin::DrawTabGroupsPopup(HDC DC, const TRect& R) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clBtnFace);
  else
    DrawPart(DC, R, rseTabGroupsPopup);
}

void TqzCustomRibbonSkin::DrawGroupBackground(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 7, clBtnShadow, clBtnFace);
  else
    DrawPart(DC, R, rseGroupBackground, State);
}

void TqzCustomRibbonSkin::DrawGroupCaptionBand(HDC DC, const TRect& R, Integer State) {
  if (!GetLowColors()) {
    DrawPart(DC, R, rseGroupCaptionBand, State);
    return;
  }
  FillColor(DC, TRect{R.Left + 4, R.Top, R.Right - 4, R.Top + 1}, clBtnShadow);
  FramedFill(DC, TRect{R.Left, R.Top + 1, R.Right, R.Bottom}, 1, 13, clBtnShadow, clBtnFace);
}

void TqzCustomRibbonSkin::DrawGroupSeparator(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors())
    FillColor(DC, TRect{R.Left + R.Width() / 2, R.Top + 2, R.Left + R.Width() / 2 + 1, R.Bottom - 2}, clBtnShadow);
  else
    DrawPart(DC, R, rseGroupSeparator, State);
}

void TqzCustomRibbonSkin::DrawCollapsedGroupButton(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseCollapsedGroupButton, State);
}

void TqzCustomRibbonSkin::DrawCollapsedGroupGlyphFrame(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseCollapsedGroupGlyphFrame, State);
}

void TqzCustomRibbonSkin::DrawBarPart515(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseGroupCaptionButton, State);
}

void TqzCustomRibbonSkin::DrawBarPart510(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnText, clNone);
  else
    DrawPart(DC, R, rseGroupCaptionGlyph, State);
}

// ---- Buttons ---------------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawSmallButton(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseSmallButton, State);
}
void TqzCustomRibbonSkin::DrawSplitButtonMain(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseSplitButtonMain, State);
}
void TqzCustomRibbonSkin::DrawSplitButtonArrow(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseSplitButtonArrow, State);
}
void TqzCustomRibbonSkin::DrawLargeButton(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseLargeButton, State);
}
void TqzCustomRibbonSkin::DrawLargeSplitButtonTop(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseLargeSplitButtonTop, State);
}
void TqzCustomRibbonSkin::DrawLargeSplitButtonBottom(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseLargeSplitButtonBottom, State);
}
void TqzCustomRibbonSkin::DrawEditButton(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseEditButton, State);
}
void TqzCustomRibbonSkin::DrawBarPart53(HDC DC, const TRect& R, Integer State, Integer Kind) {
  const Integer kind = Kind >= 0 && Kind <= 2 ? Kind : 0;
  DrawStates(DC, R, static_cast<TqzRibbonSkinElement>(rseBarPart53 + kind), State);
}

void TqzCustomRibbonSkin::DrawEditBackground(HDC DC, const TRect& R, Integer State) {
  FramedFill(DC, R, 1, 15, GetPartColor(52, State), GetPartColor(51, State));
}

// The skinned painter asks these only of skins that report a name, which the ribbon skin's face
// does not: they draw nothing.
void TqzCustomRibbonSkin::DrawBarPart13(HDC, const TRect&, Integer) {}
void TqzCustomRibbonSkin::DrawBarPart14(HDC, const TRect&, Integer) {}
void TqzCustomRibbonSkin::DrawBarPart15(HDC, const TRect&, Integer) {}
void TqzCustomRibbonSkin::DrawBarPart16(HDC, const TRect&, Integer) {}

// ---- Separators of split buttons --------------------------------------------------------------

void TqzCustomRibbonSkin::DrawSplitSeparatorStart(HDC DC, const TRect& R) {
  if (!GetLowColors()) DrawPart(DC, R, rseSplitSeparatorStart);
}
void TqzCustomRibbonSkin::DrawSplitSeparatorMiddle(HDC DC, const TRect& R, Integer State) {
  if (!GetLowColors()) DrawPart(DC, R, rseSplitSeparatorMiddle, State);
}
void TqzCustomRibbonSkin::DrawSplitSeparatorEnd(HDC DC, const TRect& R) {
  if (!GetLowColors()) DrawPart(DC, R, rseSplitSeparatorEnd);
}
void TqzCustomRibbonSkin::DrawSplitSeparatorHot(HDC DC, const TRect& R, Integer State) {
  if (!GetLowColors()) DrawPart(DC, R, rseSplitSeparatorHot, State);
}

// ---- Glyphs ----------------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawSmallDropArrow(HDC DC, const TRect& R, Integer State) {
  if (GetLowColors())
    PlainArrow(DC, R, 4, false);
  else
    DrawPart(DC, R, rseSmallDropArrow, State);
}

void TqzCustomRibbonSkin::DrawDownArrowGlyph(HDC DC, const TRect& R) {
  if (GetLowColors())
    PlainArrow(DC, R, 4, false);
  else
    DrawPart(DC, R, rseDownArrowGlyph);
}

void TqzCustomRibbonSkin::DrawRightArrowGlyph(HDC DC, const TRect& R) {
  if (GetLowColors())
    PlainArrow(DC, R, 4, true);
  else
    DrawPart(DC, R, rseRightArrowGlyph);
}

void TqzCustomRibbonSkin::DrawArrowGlyph(HDC DC, const TRect& R) {
  if (GetLowColors())
    PlainArrow(DC, R, 3, false);
  else
    DrawPart(DC, R, rseArrowGlyph);
}

void TqzCustomRibbonSkin::DrawExpandChevrons(HDC DC, const TRect& R) {
  if (GetLowColors())
    PlainArrow(DC, R, 4, false);
  else
    DrawPart(DC, R, rseExpandChevrons);
}

void TqzCustomRibbonSkin::DrawBarPart60(HDC DC, const TRect& R) {
  const TRect r{R.Left, R.Top, R.Right - 1, R.Bottom - 3};
  const TRect square{r.Right - r.Height(), r.Top, r.Right, r.Bottom};
  if (GetLowColors())
    PlainArrow(DC, square, 3, false);
  else
    DrawPart(DC, square, rseBarPart60);
}

void TqzCustomRibbonSkin::DrawBarPart59(HDC DC, const TRect& R) {
  const TRect r{R.Left, R.Top + 1, R.Right - 3, R.Bottom - 2};
  const TRect square{r.Right - r.Height(), r.Top, r.Right, r.Bottom};
  if (GetLowColors())
    PlainArrow(DC, square, 3, false);
  else
    DrawPart(DC, square, rseBarPart59);
}

void TqzCustomRibbonSkin::DrawBarPart61(HDC DC, const TRect& R) {
  if (GetLowColors()) return;
  const Integer w = R.Height() * 18 / 7, left = R.Left + (R.Width() - w) / 2;
  DrawPart(DC, TRect{left, R.Top - 1, left + w, R.Bottom - 1}, rseBarPart61);
}

void TqzCustomRibbonSkin::DrawBarPart62(HDC DC, const TRect& R) {
  if (GetLowColors()) return;
  const Integer w = R.Height() * 18 / 7, left = R.Left + (R.Width() - w) / 2;
  DrawPart(DC, TRect{left, R.Top + 1, left + w, R.Bottom + 1}, rseBarPart61);
}

// ---- Menus -----------------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawApplicationMenuButton(HDC DC, const TRect& R, Integer State) {
  if (State == 2)
    DrawSmallButton(DC, R, 2);
  else if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clBtnFace);
  else
    DrawPart(DC, R, rseApplicationMenuButton);
}

void TqzCustomRibbonSkin::DrawApplicationMenuBorder(HDC DC, const TRect& R) {
  if (GetLowColors())
    PaintPlainMenuFrame(DC, R);
  else
    DrawPart(DC, R, rseApplicationMenuBorder);
}

void TqzCustomRibbonSkin::DrawApplicationMenuTopBand(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clMenu);
  else
    DrawPart(DC, R, rseApplicationMenuTopBand);
}

void TqzCustomRibbonSkin::DrawApplicationMenuBottomBand(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clMenu);
  else
    DrawPart(DC, R, rseApplicationMenuBottomBand);
}

void TqzCustomRibbonSkin::DrawMenuBorder(HDC DC, const TRect& R) {
  if (GetLowColors())
    PaintPlainMenuFrame(DC, R);
  else
    DrawPart(DC, R, rseMenuBorder);
}

void TqzCustomRibbonSkin::FillMenuContent(HDC DC, const TRect& R) { FillColor(DC, R, GetPartColor(56, 0)); }

void TqzCustomRibbonSkin::DrawMenuGlyphFrame(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseMenuGlyphFrame, State);
}
void TqzCustomRibbonSkin::DrawMenuGlyphFrameLarge(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseMenuGlyphFrameLarge, State);
}
void TqzCustomRibbonSkin::DrawDetachCaption(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseDetachCaption, State);
}
void TqzCustomRibbonSkin::DrawMenuScrollButton(HDC DC, const TRect& R, Integer State) {
  DrawStates(DC, R, rseMenuScrollButton, State);
}

void TqzCustomRibbonSkin::DrawBarPart390(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clMenu);
  else
    DrawPart(DC, R, rseMenuTextArea);
}

void TqzCustomRibbonSkin::DrawInPlaceSubItemFace(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseInPlaceSubItemFace);
}

void TqzCustomRibbonSkin::DrawMenuSeparatorLine(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, TRect{R.Left, R.Top, R.Right, R.Top + 1}, clBtnShadow);
  else
    DrawPart(DC, R, rseMenuSeparatorLine);
}

void TqzCustomRibbonSkin::DrawBarPart410(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, clBtnShadow);
  else
    DrawPart(DC, R, rseMenuGlyphStrip);
}

void TqzCustomRibbonSkin::DrawScreenTipBackground(HDC DC, const TRect& R) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clInfoBk);
  else
    DrawPart(DC, R, rseScreenTipBackground);
}

// ---- Progress and other single parts ---------------------------------------------------------

void TqzCustomRibbonSkin::DrawProgressFill(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clHighlight);
  else
    DrawPart(DC, R, rseProgressFill);
}

void TqzCustomRibbonSkin::DrawProgressChunk(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clHighlight);
  else
    DrawPart(DC, R, rseProgressChunk);
}

void TqzCustomRibbonSkin::DrawProgressBackground(HDC DC, const TRect& R) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clBtnFace);
  else
    DrawPart(DC, R, rseProgressBackground);
}

void TqzCustomRibbonSkin::DrawBarPart100(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseBarPart100);
}

void TqzCustomRibbonSkin::DrawBarPart65(HDC DC, const TRect& R) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clWindow);
  else
    DrawPart(DC, R, rseBarPart65);
}

void TqzCustomRibbonSkin::DrawBarPart63(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseBarPart63);
}

void TqzCustomRibbonSkin::DrawBarPart57(HDC DC, const TRect& R) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clBtnFace);
  else
    DrawPart(DC, R, rseBarPart57);
}

void TqzCustomRibbonSkin::DrawBarPart58(HDC DC, const TRect& R) {
  if (GetLowColors())
    FramedFill(DC, R, 1, 15, clBtnShadow, clBtnFace);
  else
    DrawPart(DC, R, rseBarPart58);
}

// ---- Status bar ------------------------------------------------------------------------------

void TqzCustomRibbonSkin::DrawStatusBarPart(HDC DC, const TRect& R, Integer A, Integer B, bool C, bool D) {
  if (GetLowColors()) {
    FillColor(DC, R, clBtnFace);
    return;
  }
  DrawPart(DC, R, D ? rseStatusBarPart : rseStatusBarPartAlt, A * 4 + B + 2 * (C ? 0 : 1));
}

void TqzCustomRibbonSkin::DrawStatusBarBackground(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseStatusBarBackground);
}

void TqzCustomRibbonSkin::DrawStatusBarGrip(HDC DC, const TRect& R) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, rseStatusBarGrip);
}

void TqzCustomRibbonSkin::DrawStatusBarPanel(HDC DC, const TRect& R, bool First) {
  if (GetLowColors())
    FillColor(DC, R, clBtnFace);
  else
    DrawPart(DC, R, First ? rseStatusBarBackground : rseStatusBarPanel);
}

void TqzCustomRibbonSkin::DrawStatusBarSeparator(HDC DC, const TRect& R) {
  if (!GetLowColors()) {
    DrawPart(DC, R, rseStatusBarSeparator);
    return;
  }
  FillColor(DC, R, clBtnFace);
  FillColor(DC, TRect{R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1}, clBtnShadow);
}

void TqzCustomRibbonSkin::DrawStatusBarSeparator2(HDC DC, const TRect& R) {
  if (!GetLowColors()) {
    DrawPart(DC, R, rseStatusBarSeparator2);
    return;
  }
  FillColor(DC, R, clBtnFace);
  FillColor(DC, TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, clBtnShadow);
}

void TqzCustomRibbonSkin::DrawStatusBarSizeGrip(HDC DC, const TRect& R) {
  // The low-colour table answers clBtnFace for both grip colours, which would hide the grip.
  if (GetLowColors())
    Office11PaintSizeGrip(DC, R, clBtnShadow, clBtnHighlight);
  else
    Office11PaintSizeGrip(DC, R, GetPartColor(10098, 0), GetPartColor(10099, 0));
}
