// The customizing form's row painters.

#include "toolkit/bars/qzBarCustFormPainters.h"

#include "gdi/Edges.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarFlatPainter.h"
#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarXPPainter.h"
#include "toolkit/foundation/qzOffice11.h"
#include "vcl/ImgList.h"

namespace {

// The glyph cell of a button row and where its text starts.
constexpr Integer kGlyphCellWidth = 23;
constexpr Integer kTextAreaStart = 24;
constexpr Integer kTextStart = 26;
// The drop part of a drop-down button and where the sub-menu arrow stands.
constexpr Integer kDropPartWidth = 13;

// In the canvas's font and font colour, on what is there.
void DrawOneLine(TCanvas* C, const TRect& R, const String& AText) {
  C->RequiredState(TCanvasState{csHandleValid, csFontValid});
  HDC dc = C->GetHandle();
  SetTextColor(dc, ColorToRGB(C->GetFont()->GetColor()));
  SetBkMode(dc, TRANSPARENT);
  RECT r = R;
  DrawText(dc, AText.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
}

void FillWith(TCanvas* C, const TRect& R, TColor AColor) {
  C->GetBrush()->SetColor(AColor);
  C->GetBrush()->SetStyle(bsSolid);
  C->FillRect(R);
}

void FrameWith(TCanvas* C, const TRect& R, TColor AColor) {
  C->GetBrush()->SetColor(AColor);
  C->FrameRect(R);
}

TRect Inflated(const TRect& R, Integer DX, Integer DY) {
  return TRect(R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY);
}

// Selected drawing in high contrast with a white face shows white on the highlight.
bool WhiteFaceContrast() { return ColorToRGB(clBtnFace) == RGB(255, 255, 255); }

TColor BrushColor(HBRUSH ABrush, TColor ADefault) {
  LOGBRUSH brush{};
  if (!ABrush || GetObject(ABrush, sizeof(brush), &brush) != sizeof(brush)) return ADefault;
  return static_cast<TColor>(brush.lbColor);
}

}  // namespace

// ---- Base ------------------------------------------------------------------------------------------

bool TqzBarCustomizingFormPainter::HasGlyph(TqzBarItem* AItem) {
  return (AItem->GetGlyph() && !AItem->GetGlyph()->GetEmpty()) || AItem->HasListImage();
}

void TqzBarCustomizingFormPainter::DrawGlyphCentred(TCanvas* C, const TRect& ACell, TqzBarItem* AItem) {
  TBitmap* glyph = AItem->GetGlyph();
  if (glyph && !glyph->GetEmpty()) {
    C->Draw(ACell.Left + (ACell.Width() - glyph->GetWidth()) / 2,
            ACell.Top + (ACell.Height() - glyph->GetHeight()) / 2, glyph);
    return;
  }
  TCustomImageList* images = AItem->GetImages();
  C->GetBrush()->SetStyle(bsClear);
  images->Draw(C, ACell.Left + (ACell.Width() - images->GetWidth()) / 2,
               ACell.Top + (ACell.Height() - images->GetHeight()) / 2, AItem->GetImageIndex());
}

bool TqzBarCustomizingFormPainter::IsDropDownButton(TqzBarItem* AItem) {
  auto* button = dynamic_cast<TqzBarButton*>(AItem);
  return button && button->GetButtonStyle() == bsDropDown;
}

bool TqzBarCustomizingFormPainter::ShowsAsOneEntry(TqzBarItem* AItem) {
  auto* container = dynamic_cast<TCustomqzBarContainerItem*>(AItem);
  return container && container->ReplacesOwnLink();
}

bool TqzBarCustomizingFormPainter::ShowsSubMenuArrow(TqzBarItem* AItem) {
  return dynamic_cast<TCustomqzBarSubItem*>(AItem) && !ShowsAsOneEntry(AItem);
}

void TqzBarCustomizingFormPainter::DrawEditCaption(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem) {
  String text = StripAccelChars(AItem->GetCaption());
  TRect cell(R.Left, R.Top, R.Left + C->TextWidth(text), R.Bottom);
  DrawCaptionCell(C, cell, ASelected, AItem, text);
  R.Left = cell.Right;
}

void TqzBarCustomizingFormPainter::DrawEditFrame(TCanvas* C, TRect& R, bool ASelected, TqzBarItem*) {
  if (ASelected) {
    RECT r = R;
    DrawEdge(C->GetHandle(), &r, BDR_SUNKENOUTER, BF_RECT);
  } else {
    C->FrameRect(R);
  }
  R = Inflated(R, -1, -1);
  C->FrameRect(R);
  R = Inflated(R, -1, -1);
}

void TqzBarCustomizingFormPainter::DrawEditBox(TCanvas* C, const TRect& R, bool ASelected, bool ADropButton,
                                               TqzBarItem* AItem) {
  TRect content = R;
  if (ADropButton) {
    content.Right -= DropButtonWidth();
    DrawDropButton(C, TRect(content.Right, R.Top, R.Right, R.Bottom), ASelected, AItem);
  }
  DrawEditContent(C, content, ASelected, AItem);
}

void TqzBarCustomizingFormPainter::DrawCaptionCell(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem,
                                                   const String& AText) {
  FillWith(C, TRect(R.Left, R.Top, R.Right + 3, R.Bottom), BackgroundColor(ASelected, AItem));
  C->GetFont()->SetColor(TextColor(ASelected));
  C->GetBrush()->SetStyle(bsClear);
  DrawOneLine(C, TRect(R.Left + 2, R.Top, R.Right + 3, R.Bottom), AText);
  R.Right += 3;
  FillWith(C, TRect(R.Right, R.Top, R.Right + 4, R.Bottom), BackgroundColor(false, AItem));
  R.Right += 4;
}

void TqzBarCustomizingFormPainter::DrawEditContent(TCanvas* C, const TRect& R, bool, TqzBarItem* AItem) {
  C->GetFont()->SetColor(TextColor(false));
  FillWith(C, R, clWindow);
  if (auto* edit = dynamic_cast<TqzBarEdit*>(AItem)) {
    C->GetBrush()->SetStyle(bsClear);
    DrawOneLine(C, TRect(R.Left + 2, R.Top, R.Right, R.Bottom), edit->GetText());
  }
}

void TqzBarCustomizingFormPainter::DrawSubMenuArrow(TCanvas* C, Integer X, Integer Y, bool ASelected) {
  TColor color = ASelected && WhiteFaceContrast() ? clWhite : C->GetFont()->GetColor();
  C->GetPen()->SetColor(color);
  C->GetBrush()->SetColor(color);
  C->GetBrush()->SetStyle(bsSolid);
  const TPoint points[] = {TPoint(X, Y), TPoint(X, Y + 6), TPoint(X + 3, Y + 3)};
  C->Polygon(points, 3);
}

TColor TqzBarCustomizingFormPainter::BackgroundColor(bool ASelected, TqzBarItem*) {
  return ASelected ? clHighlight : clBtnFace;
}

void TqzBarCustomizingFormPainter::DrawButtonRow(TCanvas* C, const TRect& R, bool ASelected, const String& ACaption,
                                                 TqzBarItem* AItem) {
  bool glyph = HasGlyph(AItem);
  TRect cell(R.Left, R.Top, R.Left + kGlyphCellWidth, R.Bottom);
  TColor cellColor = BackgroundColor(ASelected && !glyph, AItem);
  FillWith(C, cell, cellColor);
  FillWith(C, TRect(cell.Right, R.Top, cell.Right + 1, R.Bottom), cellColor);
  if (glyph) {
    if (ASelected) {
      RECT r = cell;
      DrawEdge(C->GetHandle(), &r, BDR_RAISEDINNER, BF_RECT);
    }
    DrawGlyphCentred(C, cell, AItem);
  }
  bool dropDown = IsDropDownButton(AItem);
  TRect text(R.Left + kTextAreaStart, R.Top, R.Right - (dropDown ? kDropPartWidth : 0), R.Bottom);
  C->GetFont()->SetColor(TextColor(ASelected));
  FillWith(C, text, BackgroundColor(ASelected, AItem));
  C->GetBrush()->SetStyle(bsClear);
  String caption = ShowsAsOneEntry(AItem) ? "(" + ACaption + ")" : ACaption;
  DrawOneLine(C, TRect(R.Left + kTextStart, R.Top, text.Right, R.Bottom), caption);
  if (dropDown) {
    TRect part(text.Right, R.Top, R.Right, R.Bottom);
    if (ASelected) {
      RECT r = part;
      DrawEdge(C->GetHandle(), &r, BDR_RAISEDINNER, BF_RECT);
      part = Inflated(part, -1, -1);
    } else {
      RECT r{part.Left - 1, part.Top, part.Left + 1, part.Bottom};
      DrawEdge(C->GetHandle(), &r, EDGE_ETCHED, BF_LEFT);
      part.Left += 1;
    }
    FillWith(C, part, BackgroundColor(false, AItem));
    C->GetFont()->SetColor(TextColor(false));
    DrawSubMenuArrow(C, R.Right - 9, R.Top + 7, false);
  } else if (ShowsSubMenuArrow(AItem)) {
    DrawSubMenuArrow(C, R.Right - 9, R.Top + 7, ASelected);
  }
}

void TqzBarCustomizingFormPainter::DrawDropButton(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem) {
  TRect button(R.Left + 1, R.Top, R.Right, R.Bottom);
  if (ASelected) {
    RECT r = button;
    DrawEdge(C->GetHandle(), &r, BDR_RAISEDINNER, BF_RECT);
  } else {
    FrameWith(C, button, clBtnHighlight);
  }
  FillWith(C, TRect(button.Left - 1, button.Top, button.Left, button.Bottom),
           ASelected ? BackgroundColor(false, AItem) : clBtnHighlight);
  button = Inflated(button, -1, -1);
  FillWith(C, button, BackgroundColor(false, AItem));
  DrawItemArrowInRect(C->GetHandle(), Inflated(button, 2, 0), 1, clBtnText, true, false, false);
}

void TqzBarCustomizingFormPainter::DrawEditRow(TCanvas* C, const TRect& R, bool ASelected, bool ACombo,
                                               TqzBarItem* AItem) {
  TRect rest = R;
  DrawEditCaption(C, rest, ASelected, AItem);
  DrawEditFrame(C, rest, ASelected, AItem);
  DrawEditBox(C, rest, ASelected, ACombo, AItem);
}

void TqzBarCustomizingFormPainter::DrawFocusRect(TCanvas* C, const TRect& R, TqzBarItem*) {
  C->GetFont()->SetColor(TextColor(true));
  C->GetBrush()->SetColor(BackgroundColor(true, nullptr));
  C->DrawFocusRect(R);
}

TColor TqzBarCustomizingFormPainter::TextColor(bool ASelected) { return ASelected ? clHighlightText : clBtnText; }

TColor TqzBarCustomizingFormPainter::ListBackgroundColor() { return clBtnFace; }

Integer TqzBarCustomizingFormPainter::DropButtonWidth() { return 12; }

void TqzBarCustomizingFormPainter::DrawItemRow(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem) {
  if (dynamic_cast<TqzBarEdit*>(AItem))
    DrawEditRow(C, R, ASelected, dynamic_cast<TCustomqzBarCombo*>(AItem) != nullptr, AItem);
  else
    DrawButtonRow(C, R, ASelected, StripAccelChars(AItem->GetCaption()), AItem);
}

// ---- Standard ----------------------------------------------------------------------------------------

void TqzBarCustomizingFormStandardPainter::DrawFocusRect(TCanvas* C, const TRect& R, TqzBarItem* AItem) {
  TqzBarCustomizingFormPainter::DrawFocusRect(C, Inflated(R, -2, -2), AItem);
}

// ---- Flat --------------------------------------------------------------------------------------------

TColor TqzBarCustomizingFormFlatPainter::BackgroundColor(bool ASelected, TqzBarItem* AItem) {
  TqzBarManager* manager = AItem ? AItem->BarManager() : nullptr;
  if (!ASelected) return clWindow;
  return manager ? manager->GetFlatLightColor() : clHighlight;
}

TColor TqzBarCustomizingFormFlatPainter::TextColor(bool ASelected) {
  return ASelected && WhiteFaceContrast() ? clBtnFace : clBtnText;
}

void TqzBarCustomizingFormFlatPainter::FrameSelected(TCanvas* C, const TRect& R) { FrameWith(C, R, clHighlight); }

void TqzBarCustomizingFormFlatPainter::FillGlyphSquare(TCanvas* C, const TRect& R) { FillWith(C, R, clBtnFace); }

void TqzBarCustomizingFormFlatPainter::DrawEditFrame(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem) {
  C->GetBrush()->SetColor(BackgroundColor(false, AItem));
  if (ASelected)
    FrameSelected(C, R);
  else
    FrameWith(C, R, clBtnShadow);
  R = Inflated(R, -1, -1);
}

void TqzBarCustomizingFormFlatPainter::DrawCaptionCell(TCanvas* C, TRect& R, bool ASelected, TqzBarItem* AItem,
                                                       const String& AText) {
  TRect cell(R.Left, R.Top, R.Right + 11, R.Bottom);
  FillWith(C, cell, BackgroundColor(ASelected, AItem));
  if (ASelected) FrameSelected(C, TRect(cell.Left, cell.Top, cell.Right + 1, cell.Bottom));
  C->GetFont()->SetColor(TextColor(ASelected));
  C->GetBrush()->SetStyle(bsClear);
  DrawOneLine(C, TRect(cell.Left + 5, cell.Top, cell.Right, cell.Bottom), AText);
  R.Right = cell.Right;
  FillWith(C, TRect(R.Right, R.Top, R.Right + 4, R.Bottom), BackgroundColor(false, AItem));
  R.Right += 4;
}

void TqzBarCustomizingFormFlatPainter::DrawDropButton(TCanvas* C, const TRect& R, bool ASelected, TqzBarItem* AItem) {
  TRect button(R.Left + 1, R.Top, R.Right, R.Bottom);
  if (ASelected) {
    button = Inflated(button, 1, 1);
    FrameSelected(C, button);
    button = Inflated(button, -2, -2);
    FillWith(C, button, BackgroundColor(true, AItem));
  } else {
    FrameWith(C, button, clBtnHighlight);
    FillWith(C, TRect(button.Left - 1, button.Top, button.Left, button.Bottom), clBtnHighlight);
    button = Inflated(button, -1, -1);
    FillWith(C, button, BackgroundColor(false, AItem));
  }
  TColor arrow = WhiteFaceContrast() ? clWhite : clBtnText;
  DrawItemArrowInRect(C->GetHandle(), Inflated(button, 2, 0), 1, arrow, true, false, true);
}

void TqzBarCustomizingFormFlatPainter::DrawButtonRow(TCanvas* C, const TRect& R, bool ASelected,
                                                     const String& ACaption, TqzBarItem* AItem) {
  Integer square = R.Height();
  TRect cell(R.Left, R.Top, R.Left + square, R.Bottom);
  bool dropDown = IsDropDownButton(AItem);
  TRect text(cell.Right, R.Top, R.Right - (dropDown ? kDropPartWidth : 0), R.Bottom);
  if (ASelected) {
    FillWith(C, TRect(R.Left, R.Top, text.Right, R.Bottom), BackgroundColor(true, AItem));
  } else {
    FillGlyphSquare(C, cell);
    FillWith(C, text, BackgroundColor(false, AItem));
  }
  if (HasGlyph(AItem)) DrawGlyphCentred(C, cell, AItem);
  C->GetFont()->SetColor(TextColor(ASelected));
  C->GetBrush()->SetStyle(bsClear);
  String caption = ShowsAsOneEntry(AItem) ? "(" + ACaption + ")" : ACaption;
  DrawOneLine(C, TRect(R.Left + square + 10, R.Top, text.Right, R.Bottom), caption);
  if (dropDown) {
    TRect part(text.Right, R.Top, R.Right, R.Bottom);
    FillWith(C, part, BackgroundColor(false, AItem));
    if (ASelected)
      FrameSelected(C, part);
    else
      FrameWith(C, part, clBtnShadow);
    C->GetFont()->SetColor(TextColor(false));
    DrawSubMenuArrow(C, R.Right - 9, R.Top + 7, false);
  } else if (ShowsSubMenuArrow(AItem)) {
    DrawSubMenuArrow(C, R.Right - 9, R.Top + 7, ASelected);
  }
  if (ASelected) FrameSelected(C, R);
}

// ---- Office 11 ---------------------------------------------------------------------------------------

namespace {

// The Office-11 table's menu brush, its selection brush, the menu text slot and the band gradient.
constexpr Integer kMenuBrush = 4, kSelectedBrush = 6;
constexpr Integer kMenuTextSlot = 51;
constexpr Integer kBandGradient1 = 34, kBandGradient2 = 35;

}  // namespace

TColor TqzBarCustomizingFormOffice11Painter::BackgroundColor(bool ASelected, TqzBarItem*) {
  return ASelected ? BrushColor(Office11Brush(kSelectedBrush), clHighlight) : BrushColor(Office11Brush(kMenuBrush), clWindow);
}

TColor TqzBarCustomizingFormOffice11Painter::TextColor(bool ASelected) {
  return ASelected && WhiteFaceContrast() ? clBtnFace : Office11Color(kMenuTextSlot);
}

TColor TqzBarCustomizingFormOffice11Painter::ListBackgroundColor() {
  return BrushColor(Office11Brush(kMenuBrush), clWindow);
}

void TqzBarCustomizingFormOffice11Painter::FrameSelected(TCanvas* C, const TRect& R) {
  Office11FrameSelection(C->GetHandle(), R);
}

void TqzBarCustomizingFormOffice11Painter::FillGlyphSquare(TCanvas* C, const TRect& R) {
  PaintSplitGradient(C->GetHandle(), R, Office11Color(kBandGradient1), Office11Color(kBandGradient2), true);
}

// ---- XP ----------------------------------------------------------------------------------------------

void TqzBarCustomizingFormXPPainter::DrawFocusRect(TCanvas* C, const TRect& R, TqzBarItem* AItem) {
  TRect r = R;
  if (AItem && HasGlyph(AItem) && !dynamic_cast<TqzBarEdit*>(AItem)) r.Left += kTextAreaStart;
  TqzBarCustomizingFormPainter::DrawFocusRect(C, r, AItem);
}

// ---- Choice ------------------------------------------------------------------------------------------

TqzBarCustomizingFormPainter* CustomizingFormPainterFor(TqzBarManager* AManager) {
  static TqzBarCustomizingFormStandardPainter standard;
  static TqzBarCustomizingFormFlatPainter flat;
  static TqzBarCustomizingFormOffice11Painter office11;
  static TqzBarCustomizingFormXPPainter xp;
  TqzBarPainter* painter = AManager ? AManager->GetDefaultPainter() : nullptr;
  if (dynamic_cast<TqzBarXPPainter*>(painter)) return &xp;
  if (dynamic_cast<TqzBarOffice11Painter*>(painter)) return &office11;
  if (dynamic_cast<TqzBarFlatPainter*>(painter)) return &flat;
  return &standard;
}
