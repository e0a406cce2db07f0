// Laying out and painting screen tips in the hint window: the bands of a full screen tip, and the
// hint-like tip of items whose repository hides descriptions.

#include <algorithm>

#include "rtl/Math.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarPainter.h"

TAVREN_CLASS_IMPL(TqzBarLikeHintScreenTipViewInfo)
TAVREN_CLASS_IMPL(TqzBarScreenTipBandViewInfo)
TAVREN_CLASS_IMPL(TqzBarScreenTipViewInfo)

namespace {

// Distances are given for 96 dots per inch.
Integer Scaled(Integer AValue) { return ScaleByScreenDPI(AValue, 96); }

// The screen tip's background on the shared bar canvas switched to the hint window's canvas.
template <class F>
void PaintOnBarCanvas(TCanvas* ACanvas, F&& APaint) {
  TqzBarCanvas* canvas = BarCanvasInstance();
  canvas->PushPaintCanvas(ACanvas);
  try {
    APaint(canvas);
  } catch (...) {
    canvas->PopPaintState();
    throw;
  }
  canvas->PopPaintState();
}

}  // namespace

// ---- Hint-like screen tip --------------------------------------------------------------------

void TqzBarLikeHintScreenTipViewInfo::AdjustSize(TSize& ASize) {
  TqzBarHintViewInfo::AdjustSize(ASize);
  ASize.cx += 5;
  ASize.cy += 5;
}

void TqzBarLikeHintScreenTipViewInfo::GetTextRect(TRect& ARect) {
  ARect = TRect(FBounds.Left + 5, FBounds.Top + 6, FBounds.Right - 6, FBounds.Bottom - 5);
}

void TqzBarLikeHintScreenTipViewInfo::Paint(TCanvas* ACanvas) {
  PaintOnBarCanvas(ACanvas, [&](TqzBarCanvas* ACanvas) { FPainter->DrawScreenTipBackground(ACanvas, FBounds); });
  DrawText(ACanvas);
}

// ---- Bands -----------------------------------------------------------------------------------

TqzBarScreenTipBandViewInfo::TqzBarScreenTipBandViewInfo(TqzBarCustomScreenTipBand* ABand, const String& AHint,
                                                         const String& AShortCut)
    : FBand(ABand), FText(ABand->GetText()) {
  if (ABand->GetBandType() == stbHeader) {
    if (!AHint.empty()) FText = AHint;
    FText += AShortCut;
  }
}

Integer TqzBarScreenTipBandViewInfo::ColumnWidth() const {
  return FBand->GetBandType() == stbDescription ? Scaled(108) - Scaled(14) : Scaled(16);
}

Integer TqzBarScreenTipBandViewInfo::Indent() const {
  return Scaled(FBand->GetBandType() == stbDescription ? 14 : 6);
}

Integer TqzBarScreenTipBandViewInfo::VerticalMargin(TqzBarPainter* APainter) const {
  Integer margin = Scaled(6);
  if (FBand->GetBandType() == stbFooter) margin += APainter->ScreenTipFooterLineHeight();
  return margin;
}

Integer TqzBarScreenTipBandViewInfo::Measure(TCanvas* ACanvas, Integer AWidth, TqzBarPainter* APainter) {
  FWidth = AWidth;
  FGlyphSize = TSize{};
  FTextSize = TSize{};
  if (!HasGlyph() && FText.empty()) return 0;
  Integer column = ColumnWidth();
  Integer available = AWidth - 2 * Indent();
  if (HasGlyph()) {
    TBitmap* glyph = FBand->GetGlyph();
    FGlyphSize = TSize{glyph->GetWidth(), glyph->GetHeight()};
    // A picture wider than the column is scaled down to it, keeping its proportions.
    if (FGlyphSize.cx > column) {
      FGlyphSize.cy = static_cast<Integer>(Round(static_cast<double>(column) * FGlyphSize.cy / FGlyphSize.cx));
      FGlyphSize.cx = column;
    }
    available -= column + Indent();
  }
  if (!FText.empty()) {
    ACanvas->GetFont()->Assign(FBand->GetFont());
    ACanvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    RECT r{0, 0, std::max<Integer>(available, 0), 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX | (FBand->GetBandType() == stbDescription ? DT_WORDBREAK : 0);
    ::DrawText(ACanvas->GetHandle(), FText.c_str(), -1, &r, flags);
    FTextSize = TSize{r.Right - r.Left, r.Bottom - r.Top};
  }
  return std::max(FGlyphSize.cy, FTextSize.cy) + 2 * VerticalMargin(APainter);
}

void TqzBarScreenTipBandViewInfo::Arrange(Integer AWidth, Integer ATop, TqzBarPainter* APainter, Integer ABandHeight) {
  FTop = ATop;
  Integer column = ColumnWidth(), indent = Indent();
  bool glyphLeft = FBand->GetTextAlign() == stbtaRight;
  FTextBounds.Top = ATop + VerticalMargin(APainter);
  FTextBounds.Bottom = FTextBounds.Top + FTextSize.cy;
  FTextBounds.Left = indent;
  if (glyphLeft) {
    if (HasGlyph()) FTextBounds.Left += column + indent;
    FTextBounds.Right = AWidth - indent;
  } else {
    FTextBounds.Right = FTextBounds.Left + FTextSize.cx;
  }
  if (!HasGlyph()) {
    FGlyphBounds = TRect();
    return;
  }
  Integer glyphTop = FBand->GetBandType() == stbDescription ? ATop + VerticalMargin(APainter)
                                                            : ATop + (ABandHeight - FGlyphSize.cy) / 2;
  Integer glyphLeftEdge = glyphLeft ? indent + (column - FGlyphSize.cx) / 2
                                    : AWidth - indent - (column - FGlyphSize.cx) / 2 - FGlyphSize.cx;
  FGlyphBounds = TRect(glyphLeftEdge, glyphTop, glyphLeftEdge + FGlyphSize.cx, glyphTop + FGlyphSize.cy);
}

void TqzBarScreenTipBandViewInfo::Paint(TCanvas* ACanvas, TqzBarPainter* APainter) {
  if (FBand->GetBandType() == stbFooter)
    PaintOnBarCanvas(ACanvas, [&](TqzBarCanvas* ABarCanvas) {
      APainter->DrawScreenTipFooterLine(ABarCanvas,
                                        TRect(5, FTop, FWidth - 5, FTop + APainter->ScreenTipFooterLineHeight()));
    });
  if (!FText.empty()) {
    ACanvas->GetFont()->Assign(FBand->GetFont());
    TColor color = FBand->GetBandType() == stbDescription ? APainter->ScreenTipDescriptionColor()
                                                           : APainter->ScreenTipTextColor();
    if (color != clDefault) ACanvas->GetFont()->SetColor(color);
    ACanvas->GetBrush()->SetStyle(bsClear);
    ACanvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    RECT r = FTextBounds;
    ::DrawText(ACanvas->GetHandle(), FText.c_str(), -1, &r, DT_NOPREFIX | DT_WORDBREAK);
  }
  if (HasGlyph()) ACanvas->StretchDraw(FGlyphBounds, FBand->GetGlyph());
}

// ---- Full screen tip -------------------------------------------------------------------------

TqzBarScreenTipViewInfo::TqzBarScreenTipViewInfo(TqzBarManager* AManager, TqzBarScreenTip* AScreenTip,
                                                 TqzBarPainter* APainter, const String& AHint,
                                                 const String& AShortCut)
    : TqzBarCustomHintViewInfo(AManager),
      FScreenTip(AScreenTip),
      FPainter(APainter),
      FHint(AScreenTip->GetUseHintAsHeader() ? AHint : String()),
      FShortCut(AShortCut) {}

TqzBarScreenTipViewInfo::~TqzBarScreenTipViewInfo() = default;

TqzBarScreenTipBandViewInfo* TqzBarScreenTipViewInfo::CreateBandViewInfo(TqzBarCustomScreenTipBand* ABand) {
  return new TqzBarScreenTipBandViewInfo(ABand, FHint, FShortCut);
}

void TqzBarScreenTipViewInfo::Calculate(TCanvas* ACanvas) {
  Integer width = FScreenTip->GetEffectiveWidth();
  FBands.clear();
  Integer top = 0;
  for (Integer position = 0; position < 3; ++position) {
    TqzBarCustomScreenTipBand* band = FScreenTip->BandInUse(position);
    // A header without text or picture stands when the hint takes its place.
    bool shown = band->HasContent() || (band->GetBandType() == stbHeader && !FHint.empty());
    if (!shown) continue;
    std::unique_ptr<TqzBarScreenTipBandViewInfo> info(CreateBandViewInfo(band));
    Integer height = info->Measure(ACanvas, width, FPainter);
    info->Arrange(width, top, FPainter, height);
    top += height;
    FBands.push_back(std::move(info));
  }
  FBounds = TRect(0, 0, width, top);
}

void TqzBarScreenTipViewInfo::Paint(TCanvas* ACanvas) {
  PaintOnBarCanvas(ACanvas, [&](TqzBarCanvas* ABarCanvas) { FPainter->DrawScreenTipBackground(ABarCanvas, FBounds); });
  for (auto& band : FBands) band->Paint(ACanvas, FPainter);
}

// ---- The shared builder ----------------------------------------------------------------------

TqzBarCustomHintViewInfo* CreateHintViewInfo(TqzBarManager* AManager, const String& AHint, const String& AShortCut,
                                             TqzBarPainter* APainter, TqzBarScreenTip* AScreenTip) {
  TqzBarScreenTipRepository* repository = AScreenTip ? AScreenTip->GetRepository() : nullptr;
  if (AScreenTip && repository && repository->GetShowDescription())
    return new TqzBarScreenTipViewInfo(AManager, AScreenTip, APainter, AHint, AShortCut);
  String text = AHint;
  if (AScreenTip && !AScreenTip->GetUseHintAsHeader() && !AScreenTip->GetHeader()->GetText().empty())
    text = AScreenTip->GetHeader()->GetText();
  TPoint cursor;
  GetCursorPos(&cursor);
  return new TqzBarLikeHintScreenTipViewInfo(AManager, text, AShortCut, cursor, APainter);
}
