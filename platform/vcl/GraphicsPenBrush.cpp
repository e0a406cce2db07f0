#include "vcl/Graphics.h"
#include "vcl/GraphicClasses.h"

int PenModeToRop2(TPenMode Mode) {
  static constexpr int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                  R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                  R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return Mode >= pmBlack && Mode <= pmNotXor ? kRop2[Mode] : R2_COPYPEN;
}

// ---- TPen --------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TPen,
    PROPERTY(Color).Idents(ColorIdentMap).Default(clBlack),
    PROPERTY(Mode).Default(pmCopy),
    PROPERTY(Style).Default(psSolid),
    PROPERTY(Width).Default(1))

void TPen::Assign(TPersistent* Source) {
  if (auto* pen = dynamic_cast<TPen*>(Source)) {
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    FMode = pen->FMode;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(Integer Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  NotifyChange();
}

HGDIOBJ TPen::CreateHandle() {
  static constexpr UINT kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  return CreatePen(kStyles[FStyle], FWidth, ColorToRGB(FColor));
}

void TPen::SetHandle(HPEN Value) {
  LOGPEN lp;
  if (!Value || GetObject(Value, sizeof(lp), &lp) != sizeof(lp)) return;
  FColor = static_cast<TColor>(lp.lopnColor);
  FWidth = lp.lopnWidth.X;
  UINT style = lp.lopnStyle & PS_STYLE_MASK;
  FStyle = style <= PS_INSIDEFRAME ? static_cast<TPenStyle>(style) : psSolid;
  AdoptHandle(Value);
}

// ---- TBrush ------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TBrush,
    PROPERTY(Color).Idents(ColorIdentMap).Default(clWhite),
    PROPERTY(Style).Default(bsSolid))

void TBrush::Assign(TPersistent* Source) {
  if (auto* brush = dynamic_cast<TBrush*>(Source)) {
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    FBitmap = brush->FBitmap;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && !FBitmap && FStyle != bsClear) return;
  FColor = Value;
  // A colour ends the pattern, and a clear brush becomes solid, as the framework does.
  FBitmap = nullptr;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle && !FBitmap) return;
  FStyle = Value;
  if (FStyle == bsClear) FBitmap = nullptr;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
  FBitmap = Value;
  Changed();
}

HGDIOBJ TBrush::CreateHandle() {
  if (FBitmap && !FBitmap->GetEmpty()) return CreatePatternBrush(FBitmap->GetHandle());
  LOGBRUSH lb;
  lb.lbColor = ColorToRGB(FColor);
  switch (FStyle) {
    case bsSolid: lb.lbStyle = BS_SOLID; break;
    case bsClear: lb.lbStyle = BS_HOLLOW; break;
    default:
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<ULONG_PTR>(FStyle - bsHorizontal);
      break;
  }
  return CreateBrushIndirect(&lb);
}

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb;
  if (!Value || GetObject(Value, sizeof(lb), &lb) != sizeof(lb)) return;
  FColor = static_cast<TColor>(lb.lbColor);
  FBitmap = nullptr;
  if (lb.lbStyle == BS_HOLLOW)
    FStyle = bsClear;
  else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS)
    FStyle = static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch);
  else
    FStyle = bsSolid;
  AdoptHandle(Value);
}
