#include "toolkit/editors/kvEditUtils.h"

#include <algorithm>
#include <array>

#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/SystemInfo.h"

TAVREN_CLASS_IMPL(TkvSolidBrushCache)

namespace {

constexpr Integer kSystemBrushCount = 31;
constexpr size_t kMaxRetired = 128;
constexpr Cardinal kSystemColorBase = 0x80000000u;

std::array<HBRUSH, kSystemBrushCount> gSystemBrushes{};
std::unique_ptr<TkvSolidBrushCache> gBrushCache;
TColor gHotTrackColor = static_cast<TColor>(0xFF0000);

// A one-pixel line from A to B (both included) as a filled rectangle.
TRect SegmentRect(const TPoint& A, const TPoint& B) {
  if (A.X == B.X) return Rect(A.X, std::min(A.Y, B.Y), A.X + 1, std::max(A.Y, B.Y) + 1);
  return Rect(std::min(A.X, B.X), A.Y, std::max(A.X, B.X) + 1, A.Y + 1);
}

void FillLine(TkvCanvas* Canvas, Integer Left, Integer Top, Integer Right, Integer Bottom, HBRUSH Brush) {
  FillRectWithBrush(Canvas->DCHandle(), Rect(Left, Top, Right, Bottom), Brush);
}

}  // namespace

// ---- Brush cache --------------------------------------------------------------------------

TkvSolidBrushCache::TkvSolidBrushCache(Integer AMaxDepth)
    : FMaxDepth(AMaxDepth), FNotifier(std::make_unique<TkvSystemPaletteChangedNotifier>()) {
  FNotifier->SetOnPaletteChanged(MakeEvent<&TkvSolidBrushCache::PaletteChanged>(this));
}

TkvSolidBrushCache::~TkvSolidBrushCache() {
  FNotifier.reset();
  Clear();
}

HBRUSH TkvSolidBrushCache::Brush(TColor Color) {
  auto value = static_cast<Cardinal>(Color);
  if (value >= kSystemColorBase && value < kSystemColorBase + kSystemBrushCount && gSystemBrushes[value - kSystemColorBase])
    return gSystemBrushes[value - kSystemColorBase];
  auto begin = FColors.begin();
  auto at = std::lower_bound(begin, begin + FDepth, value,
                             [](TColor a, Cardinal b) { return static_cast<Cardinal>(a) < b; });
  auto index = static_cast<size_t>(at - begin);
  if (index < static_cast<size_t>(FDepth) && static_cast<Cardinal>(FColors[index]) == value) {
    ++FCounts[index];
    return FBrushes[index];
  }
  if (FDepth >= FMaxDepth && FDepth > 0) {
    auto least = static_cast<size_t>(std::min_element(FCounts.begin(), FCounts.begin() + FDepth) - FCounts.begin());
    FRetired.push_back(FBrushes[least]);
    if (FRetired.size() > kMaxRetired) {
      DeleteObject(FRetired.front());
      FRetired.erase(FRetired.begin());
    }
    FColors.erase(FColors.begin() + static_cast<std::ptrdiff_t>(least));
    FBrushes.erase(FBrushes.begin() + static_cast<std::ptrdiff_t>(least));
    FCounts.erase(FCounts.begin() + static_cast<std::ptrdiff_t>(least));
    --FDepth;
    if (index > least) --index;
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  FColors.insert(FColors.begin() + static_cast<std::ptrdiff_t>(index), Color);
  FBrushes.insert(FBrushes.begin() + static_cast<std::ptrdiff_t>(index), brush);
  FCounts.insert(FCounts.begin() + static_cast<std::ptrdiff_t>(index), 0);
  ++FDepth;
  return brush;
}

void TkvSolidBrushCache::Clear() {
  for (HBRUSH brush : FBrushes) DeleteObject(brush);
  for (HBRUSH brush : FRetired) DeleteObject(brush);
  FColors.clear();
  FBrushes.clear();
  FCounts.clear();
  FRetired.clear();
  FDepth = 0;
}

TkvSolidBrushCache* SolidBrushCache() { return gBrushCache.get(); }

HBRUSH CachedSolidBrush(TColor Color) {
  return gBrushCache ? gBrushCache->Brush(Color) : nullptr;
}

HBRUSH CachedSolidBrushFor(TCanvas*, TColor Color) { return CachedSolidBrush(Color); }
HBRUSH CachedSolidBrushOn(TkvCanvas*, TColor Color) { return CachedSolidBrush(Color); }

// ---- Fills and lines ----------------------------------------------------------------------

void AssignFontInColor(TFont* Target, TFont* Source, TColor Color) {
  bool same = Target->GetName() == Source->GetName() && Target->GetHeight() == Source->GetHeight() &&
              Target->GetStyle() == Source->GetStyle() && Target->GetCharset() == Source->GetCharset() &&
              Target->GetPitch() == Source->GetPitch() && Target->GetOrientation() == Source->GetOrientation();
  if (!same) Target->Assign(Source);
  if (Target->GetColor() != Color) Target->SetColor(Color);
}

TRect Shrunk(const TRect& R, const TRect& By) {
  return TRect(R.Left + By.Left, R.Top + By.Top, R.Right - By.Right, R.Bottom - By.Bottom);
}

void FillRectColor(TkvCanvas* Canvas, const TRect& R, TColor Color) {
  FillRectWithBrush(Canvas->DCHandle(), R, CachedSolidBrush(Color));
}

void FillRectWithBrush(HDC DC, const TRect& R, HBRUSH Brush) { FillRect(DC, &R, Brush); }

void FillRectExcept(TkvCanvas* Canvas, const TRect& Outer, const TRect& Inner, HBRUSH Brush) {
  if (Outer.Width() <= 0 || Outer.Height() <= 0 || Outer == Inner) return;
  HDC dc = Canvas->DCHandle();
  if (Inner.Width() <= 0 || Inner.Height() <= 0) {
    FillRectWithBrush(dc, Outer, Brush);
    return;
  }
  FillRectWithBrush(dc, Rect(Outer.Left, Outer.Top, Inner.Left, Outer.Bottom), Brush);
  FillRectWithBrush(dc, Rect(Inner.Left, Outer.Top, Inner.Right, Inner.Top), Brush);
  FillRectWithBrush(dc, Rect(Inner.Right, Outer.Top, Outer.Right, Outer.Bottom), Brush);
  FillRectWithBrush(dc, Rect(Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom), Brush);
}

void DrawPolyLineColored(TkvCanvas* Canvas, const TPoint* Points, Integer Count, TColor Color, bool UseBrush) {
  if (!Points || Count < 0) return;
  if (UseBrush) {
    HBRUSH brush = CachedSolidBrush(Color);
    for (Integer k = 0; k < Count; ++k) FillRectWithBrush(Canvas->DCHandle(), SegmentRect(Points[k], Points[k + 1]), brush);
    FillRectWithBrush(Canvas->DCHandle(), SegmentRect(Points[Count], Points[Count]), brush);
    return;
  }
  Canvas->CurrentPen()->SetColor(Color);
  Canvas->DrawPolyline(std::vector<TPoint>(Points, Points + Count + 1));
  Canvas->WritePixel(Points[Count].X, Points[Count].Y, Color);
}

void DrawFrameEdges(TkvCanvas* Canvas, TRect& R, Integer Edges, TColor Color) {
  Canvas->CurrentPen()->SetColor(Color);
  --R.Right;
  --R.Bottom;
  auto line = [&](TPoint A, TPoint B) {
    const TPoint points[2] = {A, B};
    DrawPolyLineColored(Canvas, points, 1, Color, false);
  };
  if (Edges & 1) {
    line({R.Left, R.Top}, {R.Left, R.Bottom});
    ++R.Left;
  }
  if (Edges & 4) {
    line({R.Right, R.Top}, {R.Right, R.Bottom});
    --R.Right;
  }
  if (Edges & 2) {
    line({R.Left, R.Top}, {R.Right, R.Top});
    ++R.Top;
  }
  if (Edges & 8) {
    line({R.Left, R.Bottom}, {R.Right, R.Bottom});
    --R.Bottom;
  }
  ++R.Right;
  ++R.Bottom;
}

void DrawArrows(TkvCanvas* Canvas, Integer Size, const TRect& R, TkvArrowDirection Direction, bool Double,
                bool Shifted, TColor Color) {
  if (Size <= 0) return;
  Integer n = Double ? 2 : 1;
  bool vertical = Direction == adUp || Direction == adDown;
  Integer width = vertical ? 2 * Size - 1 : n * Size;
  Integer height = vertical ? n * Size : 2 * Size - 1;
  Integer x = R.Left + (R.Width() - width) / 2 + (Shifted ? 1 : 0);
  Integer y = R.Top + (R.Height() - height) / 2 + (Shifted ? 1 : 0);
  HBRUSH brush = CachedSolidBrush(Color);
  for (Integer k = 0; k < n; ++k) {
    for (Integer i = 0; i < Size; ++i) {
      switch (Direction) {
        case adUp: FillLine(Canvas, x + Size - 1 - i, y + k * Size + i, x + Size + i, y + k * Size + i + 1, brush); break;
        case adDown: FillLine(Canvas, x + i, y + k * Size + i, x + 2 * Size - 1 - i, y + k * Size + i + 1, brush); break;
        case adLeft: FillLine(Canvas, x + k * Size + i, y + Size - 1 - i, x + k * Size + i + 1, y + Size + i, brush); break;
        case adRight: FillLine(Canvas, x + k * Size + i, y + i, x + k * Size + i + 1, y + 2 * Size - 1 - i, brush); break;
      }
    }
  }
}

// ---- Glyphs -------------------------------------------------------------------------------

bool IsGlyphUsable(TBitmap* Glyph) {
  return Glyph && !Glyph->GetEmpty() && Glyph->GetWidth() > 0 && Glyph->GetHeight() > 0;
}

void DrawGlyph(TCanvas* Canvas, Integer X, Integer Y, TBitmap* Glyph, bool Enabled, TColor BkColor, TBitmap* Buffer) {
  if (!IsGlyphUsable(Glyph)) return;
  Integer w = Glyph->GetWidth(), h = Glyph->GetHeight();
  TRect source = Rect(0, 0, w, h);
  if (Enabled) {
    TCanvas* target = Buffer ? Buffer->GetCanvas() : Canvas;
    TBrushStyle style = target->GetBrush()->GetStyle();
    TColor color = target->GetBrush()->GetColor();
    if (Buffer || BkColor == clNone) {
      target->GetBrush()->SetStyle(bsClear);
    } else {
      target->GetBrush()->SetColor(BkColor);
    }
    TRect dest = Buffer ? source : Bounds(X, Y, w, h);
    target->BrushCopy(dest, Glyph, source, Glyph->GetTransparentColor());
    target->GetBrush()->SetColor(color);
    target->GetBrush()->SetStyle(style);
    if (Buffer) Canvas->Draw(X, Y, Buffer);
    return;
  }
  TCustomImageList images(nullptr, w, h);
  images.AddMasked(Glyph, Glyph->GetTransparentColor());
  if (!Buffer && BkColor == clNone) {
    images.Draw(Canvas, X, Y, 0, false);
    return;
  }
  TBitmap temporary;
  TBitmap* target = Buffer ? Buffer : &temporary;
  if (!Buffer) {
    temporary.SetSize(w, h);
    temporary.GetCanvas()->GetBrush()->SetColor(BkColor);
    temporary.GetCanvas()->FillRect(source);
  }
  images.Draw(target->GetCanvas(), 0, 0, 0, false);
  Canvas->Draw(X, Y, target);
}

void DrawGlyphOn(TkvCanvas* Canvas, Integer X, Integer Y, TBitmap* Glyph, bool Enabled, TColor BkColor, TBitmap* Buffer) {
  DrawGlyph(Canvas->GetCanvas(), X, Y, Glyph, Enabled, BkColor, Buffer);
}

void DrawGlyphOrImage(TkvCanvas* Canvas, TCustomImageList* Images, Integer ImageIndex, const TRect& R, TColor BkColor,
                      bool Enabled, TBitmap* Bitmap) {
  if (!Images) return;
  TBitmap temporary;
  if (!Bitmap) {
    temporary.SetSize(Images->GetWidth(), Images->GetHeight());
    temporary.GetCanvas()->GetBrush()->SetColor(BkColor);
    temporary.GetCanvas()->FillRect(Rect(0, 0, Images->GetWidth(), Images->GetHeight()));
    Bitmap = &temporary;
  }
  Images->Draw(Bitmap->GetCanvas(), 0, 0, ImageIndex, Enabled);
  Canvas->DrawGraphic(R.Left, R.Top, Bitmap);
}

// ---- Metrics and colours ------------------------------------------------------------------

TSize ArrowSize(const TSize& Size, TkvArrowDirection Direction) {
  Integer m = std::min(Size.cx, Size.cy);
  Integer w = (m - 1) / 2;
  if (w % 2 == 0) ++w;
  Integer h = w / 2 + 1;
  if (Direction == adLeft || Direction == adRight) return TSize{h, w};
  return TSize{w, h};
}

TColor HotTrackColor() { return gHotTrackColor; }

TColor EditHighlightColor(bool Office11) { return Office11 ? Office11Color(41) : clHighlight; }

TColor FlatButtonStateColor(bool Pressed, bool Office11) {
  TkvCustomLookAndFeelPainterClass painter =
      Office11 ? static_cast<TkvCustomLookAndFeelPainterClass>(PainterClassOf<TkvOffice11LookAndFeelPainter>())
               : PainterClassOf<TkvUltraFlatLookAndFeelPainter>();
  return painter->ButtonFaceColor(Pressed ? kvbsPressed : kvbsHot);
}

TkvCustomLookAndFeelPainterClass PainterClassForKind(bool Native, TkvLookAndFeelKind Kind) {
  if (Native && VisualStylesInUse()) return PainterClassOf<TkvWinXPLookAndFeelPainter>();
  switch (Kind) {
    case lfFlat: return PainterClassOf<TkvFlatLookAndFeelPainter>();
    case lfStandard: return PainterClassOf<TkvStandardLookAndFeelPainter>();
    case lfUltraFlat: return PainterClassOf<TkvUltraFlatLookAndFeelPainter>();
    default: return PainterClassOf<TkvOffice11LookAndFeelPainter>();
  }
}

void SetCanvasFontFromLogFont(TkvCanvas* Canvas, const LOGFONT& Font) {
  Canvas->CurrentFont()->SetHandle(CreateFontIndirect(&Font));
}

bool GetCanvasLogFont(TkvCanvas* Canvas, LOGFONT& Font) {
  HFONT handle = Canvas->CurrentFont()->GetHandle();
  return handle && GetObject(handle, sizeof(LOGFONT), &Font) == static_cast<int>(sizeof(LOGFONT));
}

// ---- Flag conversion ----------------------------------------------------------------------

namespace {

struct FlagPair {
  Cardinal Layout;
  UINT DrawText;
};

// The fixed pairs (DT_CENTER and DT_BOTTOM have no layout bit of their own here).
constexpr FlagPair kFlagPairs[] = {
    {0x1, DT_VCENTER}, {0x2, DT_RIGHT}, {0x10, DT_SINGLELINE}, {0x20, DT_WORDBREAK},
    {0x200, DT_EXPANDTABS}, {0x100, DT_CALCRECT},
};

}  // namespace

UINT MapTextOutFlagsToDrawText(Cardinal Flags) {
  UINT result = 0;
  for (const FlagPair& pair : kFlagPairs) {
    if (Flags & pair.Layout) result |= pair.DrawText;
  }
  return result;
}

Cardinal MapDrawTextFlags(UINT Flags) {
  Cardinal result = 0;
  for (const FlagPair& pair : kFlagPairs) {
    if (Flags & pair.DrawText) result |= pair.Layout;
  }
  return result;
}

// ---- Unit ---------------------------------------------------------------------------------

void kvEditUtilsStart() {
  for (Integer i = 0; i < kSystemBrushCount; ++i) gSystemBrushes[static_cast<size_t>(i)] = GetSysColorBrush(i);
  gBrushCache = std::make_unique<TkvSolidBrushCache>(128);
  // The hot-light colour where the platform has one that links use (the 9x family past 95, NT 5).
  OSVERSIONINFO version;
  GetVersionEx(&version);
  bool hotLight = (version.dwPlatformId != VER_PLATFORM_WIN32_NT && version.dwMinorVersion != 0) ||
                  (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 5);
  gHotTrackColor = hotLight ? static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)) : static_cast<TColor>(0xFF0000);
}

void kvEditUtilsEnd() {
  gBrushCache.reset();
  gSystemBrushes.fill(nullptr);
}
