// The extended-style painter registry, the radio-button images and the resources the painters
// share: indicator glyphs, scroll-track patterns and the check-box size.

#include <algorithm>

#include "gdi/Edges.h"
#include "gdi/Icons.h"
#include "gdi/GdiObjects.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/foundation/qzOffice11.h"

namespace {

constexpr WORD OBM_CHECKBOXES = 32759;
// The cell of the classic check-box bitmap, for a platform that does not have that bitmap.
constexpr Integer kClassicCheckBoxCell = 13;

Integer GStartCount = 0;
TkvExtendedStylePainters* GRegistry = nullptr;
TkvRadioButtonImageList* GRadioImages = nullptr;
TCustomImageList* GIndicatorImages = nullptr;
TBitmap* GScrollPatterns[2] = {nullptr, nullptr};
TkvSystemPaletteChangedNotifier* GPaletteNotifier = nullptr;
TSize GCheckBoxSize{kClassicCheckBoxCell, kClassicCheckBoxCell};

TSize MeasureCheckBoxCell() {
  HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  if (!bitmap) return {kClassicCheckBoxCell, kClassicCheckBoxCell};
  BITMAP info{};
  TSize size{kClassicCheckBoxCell, kClassicCheckBoxCell};
  if (ReadBitmapInfo(bitmap, info) && info.bmWidth >= 4 && info.bmHeight >= 3)
    size = {info.bmWidth / 4, info.bmHeight / 3};
  DeleteObject(bitmap);
  return size;
}

// A 32-bit bitmap of the given size filled with one colour.
std::unique_ptr<TBitmap> FilledBitmap(Integer Width, Integer Height, TColor Color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(Width, Height);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(Color);
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->FillRect(Rect(0, 0, Width, Height));
  return bitmap;
}

bool SamePixel(TCanvas* Canvas, Integer X, Integer Y, TColor Color) {
  return ColorToRGB(Canvas->GetPixel(X, Y)) == ColorToRGB(Color);
}

// The row-indicator glyphs (8 x 9, black on white), in the order of the indicator kinds.
const char* const kIndicatorResources[] = {"KV_ARROWBITMAP",    "KV_EDITBITMAP",       "KV_INSERTBITMAP",
                                           "KV_MULTIDOTBITMAP", "KV_MULTIARROWBITMAP", "KV_FILTERBITMAP"};

TCustomImageList* CreateIndicatorImages() {
  std::unique_ptr<TCustomImageList> list;
  for (const char* name : kIndicatorResources) {
    TBitmap glyph;
    glyph.LoadFromResourceName(HInstance, name);
    // The list takes the size of the first glyph.
    if (!list) list = std::make_unique<TCustomImageList>(nullptr, glyph.GetWidth(), glyph.GetHeight());
    list->AddMasked(&glyph, clWhite);
  }
  return list.release();
}

void PaintScrollPatterns() {
  for (Integer y = 0; y < 8; ++y) {
    for (Integer x = 0; x < 8; ++x) {
      const bool odd = (x % 2) != (y % 2);
      GScrollPatterns[0]->GetCanvas()->SetPixel(x, y, odd ? clBtnHighlight : clBtnFace);
      GScrollPatterns[1]->GetCanvas()->SetPixel(x, y, odd ? cl3DDkShadow : clBlack);
    }
  }
}

class TPaletteChangedHandler : public TObject {
 public:
  void RadioImagesOutdated() {
    if (GRadioImages) GRadioImages->Rebuild();
  }
};
TPaletteChangedHandler GPaletteHandler;

}  // namespace

// ---- Registry -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvExtendedStylePainterInfo)

TkvExtendedStylePainterInfo::TkvExtendedStylePainterInfo(const String& AName,
                                                         TkvCustomLookAndFeelPainterClass APainter, TObject* AData)
    : FName(AName), FPainter(APainter), FData(AData) {}

TkvExtendedStylePainterInfo::~TkvExtendedStylePainterInfo() { delete FData; }

TAVREN_CLASS_IMPL(TkvExtendedStylePainters)

TkvExtendedStylePainters::~TkvExtendedStylePainters() { FListeners.clear(); }

void TkvExtendedStylePainters::RegisterListener(IkvLookAndFeelPainterListener* Listener) {
  if (!Listener) return;
  for (const auto& listener : FListeners)
    if (listener.Get() == Listener) return;
  FListeners.emplace_back(Listener);
}

void TkvExtendedStylePainters::UnregisterListener(IkvLookAndFeelPainterListener* Listener) {
  auto it = std::find_if(FListeners.begin(), FListeners.end(),
                         [Listener](const auto& listener) { return listener.Get() == Listener; });
  if (it != FListeners.end()) FListeners.erase(it);
}

bool TkvExtendedStylePainters::AddPainter(const String& Name, TkvCustomLookAndFeelPainterClass Painter,
                                          TObject* Info) {
  TkvCustomLookAndFeelPainterClass existing = nullptr;
  if (LookupPainter(Name, existing)) return false;
  Add(new TkvExtendedStylePainterInfo(Name, Painter, Info));
  SortByName();
  NotifyListeners(Painter);
  return true;
}

bool TkvExtendedStylePainters::RemovePainter(const String& Name) {
  const Integer index = IndexOfName(Name);
  if (index < 0) return false;
  TkvExtendedStylePainterInfo* info = PainterInfoAt(index);
  Delete(index);
  NotifyListeners(info->GetPainter());
  delete info;
  return true;
}

bool TkvExtendedStylePainters::LookupPainter(const String& Name, TkvCustomLookAndFeelPainterClass& Painter) const {
  const Integer index = IndexOfName(Name);
  if (index < 0) return false;
  Painter = PainterAt(index);
  return true;
}

bool TkvExtendedStylePainters::NameOfPainter(TkvCustomLookAndFeelPainterClass Painter, String& Name) const {
  Name.clear();
  for (Integer i = 0; i < GetCount(); ++i) {
    if (PainterAt(i) == Painter) {
      Name = PainterNameAt(i);
      return true;
    }
  }
  return false;
}

bool TkvExtendedStylePainters::InfoOfPainter(TkvCustomLookAndFeelPainterClass Painter, TObject*& Info) const {
  Info = nullptr;
  for (Integer i = 0; i < GetCount(); ++i) {
    if (PainterAt(i) == Painter) {
      Info = PainterInfoAt(i)->GetData();
      return true;
    }
  }
  return false;
}

TkvExtendedStylePainterInfo* TkvExtendedStylePainters::PainterInfoAt(Integer Index) const {
  return static_cast<TkvExtendedStylePainterInfo*>(ItemAt(Index));
}

Integer TkvExtendedStylePainters::IndexOfName(const String& Name) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (AnsiSameText(PainterNameAt(i), Name)) return i;
  return -1;
}

// Last to first. A listener may leave while it is told (a look-and-feel whose skin went stops
// listening); the index is checked again before each call.
void TkvExtendedStylePainters::NotifyListeners(TkvCustomLookAndFeelPainterClass Painter) {
  for (size_t i = FListeners.size(); i > 0; --i) {
    if (i > FListeners.size()) continue;
    TInterfacePtr<IkvLookAndFeelPainterListener> listener = FListeners[i - 1];
    listener->PaintersChanged(Painter);
  }
}

void TkvExtendedStylePainters::SortByName() {
  Sort([](void* A, void* B) {
    return AnsiCompareStr(static_cast<TkvExtendedStylePainterInfo*>(A)->GetName(),
                          static_cast<TkvExtendedStylePainterInfo*>(B)->GetName());
  });
}

TkvExtendedStylePainters* ExtendedStylePaintersInstance() { return GRegistry; }

// ---- Radio-button images ------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvRadioButtonImageList)

TPoint ScanColorRun(TBitmap* Bitmap, Integer X, Integer Y, Integer DX, Integer DY, TColor Color) {
  const Integer width = Bitmap->GetWidth(), height = Bitmap->GetHeight();
  TCanvas* canvas = Bitmap->GetCanvas();
  auto inside = [&](Integer x, Integer y) { return x >= 0 && y >= 0 && x < width && y < height; };
  while (inside(X, Y) && SamePixel(canvas, X, Y, Color) && (DX != 0 || DY != 0)) {
    X += DX;
    Y += DY;
  }
  return {X, Y};
}

TkvRadioButtonImageList::TkvRadioButtonImageList() {
  MeasureGlyph();
  BuildPattern();
  FImages = std::make_unique<TCustomImageList>(nullptr, FGlyphWidth, FGlyphHeight);
  FImages->SetMasked(true);
  Prepare();
}

TkvRadioButtonImageList::~TkvRadioButtonImageList() = default;

Integer TkvRadioButtonImageList::ImageKey(TkvLookAndFeelKind Kind, TkvButtonState State, bool Checked, bool Focused,
                                          bool Highlighted) {
  return State + Kind * 8 + (Checked ? 4 : 0) + (Highlighted ? 32 : 0) + (Focused ? 64 : 0) - 1;
}

void TkvRadioButtonImageList::PaintGlyph(TkvCanvas* Canvas, Integer X, Integer Y, TColor BkColor,
                                         TkvLookAndFeelKind Kind, TkvButtonState State, bool Checked, bool Focused,
                                         bool Highlighted) {
  const Integer key = ImageKey(Kind, State, Checked, Focused, Highlighted);
  if (key < 0 || key >= static_cast<Integer>(FKeyIndex.size())) return;
  const Integer index = FKeyIndex[key];
  if (BkColor == clDefault) {
    FImages->Draw(Canvas->GetCanvas(), X, Y, index);
    return;
  }
  std::unique_ptr<TBitmap> bitmap = FilledBitmap(FGlyphWidth, FGlyphHeight, BkColor);
  FImages->Draw(bitmap->GetCanvas(), 0, 0, index);
  Canvas->DrawGraphic(X, Y, bitmap.get());
}

void TkvRadioButtonImageList::Rebuild() {
  FImages->Clear();
  Prepare();
}

Integer TkvRadioButtonImageList::PatternIndexAt(Integer X, Integer Y) const {
  if (X < 0 || Y < 0 || X >= FGlyphWidth || Y >= FGlyphHeight) return 0;
  return FPattern[Y * FGlyphWidth + X];
}

// The platform's radio shape: its extent from the mask, its dot from the checked flat image.
void TkvRadioButtonImageList::MeasureGlyph() {
  const Integer w = std::max<Integer>(SharedCheckBoxSize().cx, 1), h = std::max<Integer>(SharedCheckBoxSize().cy, 1);
  std::unique_ptr<TBitmap> bitmap = FilledBitmap(w, h, clBlack);
  TCanvas* canvas = bitmap->GetCanvas();
  TRect cell = Rect(0, 0, w, h);
  DrawFrameControl(canvas->GetHandle(), &cell, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
  Integer firstColumn = -1, columns = 0, firstRow = -1, rows = 0;
  for (Integer x = 0; x < w; ++x) {
    bool black = false;
    for (Integer y = 0; y < h && !black; ++y) black = SamePixel(canvas, x, y, clBlack);
    if (!black) continue;
    if (firstColumn < 0) firstColumn = x;
    ++columns;
  }
  for (Integer y = 0; y < h; ++y) {
    bool black = false;
    for (Integer x = 0; x < w && !black; ++x) black = SamePixel(canvas, x, y, clBlack);
    if (!black) continue;
    if (firstRow < 0) firstRow = y;
    ++rows;
  }
  // A platform that draws no mask leaves the whole cell to the glyph.
  FOrigin = {std::max<Integer>(firstColumn, 0), std::max<Integer>(firstRow, 0)};
  FGlyphWidth = columns > 0 ? columns : w;
  FGlyphHeight = rows > 0 ? rows : h;

  canvas->GetBrush()->SetColor(clBlack);
  canvas->FillRect(Rect(0, 0, w, h));
  cell = Rect(0, 0, w, h);
  DrawFrameControl(canvas->GetHandle(), &cell, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
  // The scans stop at the bitmap's edge: with a black window text the whole black cell matches.
  const Integer cx = FGlyphWidth / 2 + FOrigin.X, cy = FGlyphHeight / 2 + FOrigin.Y;
  FDot.Top = ScanColorRun(bitmap.get(), cx - 1, cy - 2, 0, -1, clWindowText).Y + 2;
  FDot.Bottom = ScanColorRun(bitmap.get(), cx - 1, FDot.Top, 0, 1, clWindowText).Y;
  FDot.Left = ScanColorRun(bitmap.get(), cx - 2, cy - 1, -1, 0, clWindowText).X + 2;
  FDot.Right = ScanColorRun(bitmap.get(), FDot.Left, cy - 1, 1, 0, clWindowText).X;
  // What the scans found must be a dot inside the glyph; otherwise a third of it in the middle.
  const TRect glyph = Rect(FOrigin.X, FOrigin.Y, FOrigin.X + FGlyphWidth, FOrigin.Y + FGlyphHeight);
  if (FDot.Right <= FDot.Left || FDot.Bottom <= FDot.Top || FDot.Left < glyph.Left || FDot.Top < glyph.Top ||
      FDot.Right > glyph.Right || FDot.Bottom > glyph.Bottom) {
    const Integer dw = std::max<Integer>(FGlyphWidth / 3, 1), dh = std::max<Integer>(FGlyphHeight / 3, 1);
    FDot = Rect(FOrigin.X + (FGlyphWidth - dw) / 2, FOrigin.Y + (FGlyphHeight - dh) / 2,
                FOrigin.X + (FGlyphWidth - dw) / 2 + dw, FOrigin.Y + (FGlyphHeight - dh) / 2 + dh);
  }
}

void TkvRadioButtonImageList::BuildPattern() {
  const Integer wr = FGlyphWidth, hr = FGlyphHeight;
  FPattern.assign(static_cast<size_t>(wr) * hr, 0);
  auto at = [&](Integer x, Integer y) -> Byte& { return FPattern[static_cast<size_t>(y) * wr + x]; };
  // Below the diagonal from the top-right to the bottom-left corner: the "second" colour.
  auto side = [&](Integer x, Integer y) -> Int64 {
    return static_cast<Int64>(y) * (wr - 1) - static_cast<Int64>(hr - 1) * (wr - x - 1);
  };

  FMask = FilledBitmap(wr, hr, clWhite);
  FMask->SetMonochrome(true);
  {
    TCanvas* c = FMask->GetCanvas();
    c->GetBrush()->SetColor(clBlack);
    c->GetPen()->SetColor(clBlack);
    c->RoundRect(0, 0, wr, hr, wr - 1, hr - 1);
  }

  std::unique_ptr<TBitmap> ring = FilledBitmap(wr, hr, clWhite);
  {
    TCanvas* c = ring->GetCanvas();
    c->GetBrush()->SetColor(clWhite);
    c->GetPen()->SetColor(clBlack);
    c->RoundRect(0, 0, wr, hr, wr - 1, hr - 1);
    for (Integer y = 0; y < hr; ++y)
      for (Integer x = 0; x < wr; ++x)
        if (SamePixel(c, x, y, clBlack)) at(x, y) = side(x, y) > 0 ? 2 : 1;
  }

  // Body: from the middle of each inner row outwards until something is met.
  for (Integer y = 1; y <= hr - 2; ++y) {
    for (Integer x = wr / 2 - 1; x >= 0 && at(x, y) == 0; --x) at(x, y) = 5;
    for (Integer x = wr / 2; x < wr && at(x, y) == 0; ++x) at(x, y) = 5;
  }

  auto innerIndex = [&](Integer x, Integer y) -> Byte {
    const Int64 s = side(x, y);
    if (s > 0) return 4;
    if (s < 0) return 3;
    return x > wr / 2 - 1 ? 4 : 3;
  };
  auto outer = [&](Integer x, Integer y) { return at(x, y) == 1 || at(x, y) == 2; };
  // Inner ring: the last pixel before the outer ring on each side of every row and column (every
  // pixel walked over on the first and last of them).
  for (Integer y = 1; y <= hr - 2; ++y) {
    const bool edgeRow = y == 1 || y == hr - 2;
    for (Integer step : {-1, 1}) {
      Integer x = step < 0 ? wr / 2 - 1 : wr / 2, last = -1;
      for (; x >= 0 && x < wr && !outer(x, y); x += step) {
        if (edgeRow) at(x, y) = innerIndex(x, y);
        last = x;
      }
      if (last >= 0) at(last, y) = innerIndex(last, y);
    }
  }
  for (Integer x = 1; x <= wr - 2; ++x) {
    const bool edgeColumn = x == 1 || x == wr - 2;
    for (Integer step : {-1, 1}) {
      Integer y = step < 0 ? hr / 2 - 1 : hr / 2, last = -1;
      for (; y >= 0 && y < hr && !outer(x, y); y += step) {
        if (edgeColumn) at(x, y) = innerIndex(x, y);
        last = y;
      }
      if (last >= 0) at(x, last) = innerIndex(x, last);
    }
  }

  std::unique_ptr<TBitmap> dot = FilledBitmap(wr, hr, clWhite);
  {
    TCanvas* c = dot->GetCanvas();
    c->GetBrush()->SetColor(clBlack);
    c->GetPen()->SetColor(clBlack);
    const TRect d = FDot;
    c->RoundRect(d.Left - FOrigin.X, d.Top - FOrigin.Y, d.Right - FOrigin.X, d.Bottom - FOrigin.Y,
                 d.Width() - 1, d.Height() - 1);
    for (Integer y = 0; y < hr; ++y)
      for (Integer x = 0; x < wr; ++x)
        if (SamePixel(c, x, y, clBlack)) at(x, y) = 6;
  }
}

void TkvRadioButtonImageList::ColorMap(TkvLookAndFeelKind Kind, TkvButtonState State, bool Checked,
                                       bool Highlighted, bool Focused, TColor (&Colors)[7]) {
  TColor body;
  if (Kind == lfOffice11)
    body = State == kvbsNormal ? clWindow
                               : PainterClassOf<TkvOffice11LookAndFeelPainter>()->ButtonFaceColor(State);
  else if (State == kvbsDisabled)
    body = clBtnFace;
  else if (Kind == lfUltraFlat)
    body = State == kvbsHot ? PaleHighlightColor() : State == kvbsPressed ? LightHighlightColor() : clWindow;
  else
    body = State == kvbsPressed ? clBtnFace : clWindow;

  Colors[0] = clBlack;
  Colors[5] = body;
  const bool active = Focused || State == kvbsHot || State == kvbsPressed;
  switch (Kind) {
    case lfFlat:
      Colors[1] = clBtnShadow, Colors[2] = clBtnHighlight, Colors[3] = cl3DLight, Colors[4] = cl3DLight;
      break;
    case lfStandard:
      Colors[1] = clBtnShadow, Colors[2] = clBtnHighlight, Colors[3] = cl3DDkShadow, Colors[4] = cl3DLight;
      break;
    case lfUltraFlat:
      Colors[1] = Colors[2] = active || (Highlighted && State != kvbsDisabled) ? clHighlight : clBtnShadow;
      Colors[3] = Colors[4] = body;
      break;
    case lfOffice11:
      Colors[1] = Colors[2] = State == kvbsDisabled            ? Office11Color(52)
                              : active || Highlighted ? Office11Color(41)
                                                      : clBtnText;
      Colors[3] = Colors[4] = body;
      break;
  }
  if (!Checked)
    Colors[6] = body;
  else if (State == kvbsDisabled)
    Colors[6] = Kind == lfOffice11 ? Office11Color(52) : clBtnShadow;
  else
    Colors[6] = clWindowText;
}

void TkvRadioButtonImageList::Prepare() {
  if (FImages->GetCount() > 0) return;
  FKeyIndex.clear();
  const Integer wr = FGlyphWidth, hr = FGlyphHeight;
  for (bool focused : {false, true}) {
    for (bool highlighted : {false, true}) {
      for (Integer kind = lfFlat; kind <= lfOffice11; ++kind) {
        for (bool checked : {false, true}) {
          for (Integer state = kvbsNormal; state <= kvbsDisabled; ++state) {
            TColor colors[7];
            ColorMap(static_cast<TkvLookAndFeelKind>(kind), static_cast<TkvButtonState>(state), checked,
                     highlighted, focused, colors);
            std::unique_ptr<TBitmap> image = FilledBitmap(wr, hr, clBlack);
            TCanvas* c = image->GetCanvas();
            for (Integer y = 0; y < hr; ++y)
              for (Integer x = 0; x < wr; ++x) c->SetPixel(x, y, colors[PatternIndexAt(x, y)]);
            const Integer index = FImages->Add(image.get(), FMask.get());
            const Integer key = ImageKey(static_cast<TkvLookAndFeelKind>(kind), static_cast<TkvButtonState>(state),
                                         checked, focused, highlighted);
            if (key >= static_cast<Integer>(FKeyIndex.size())) FKeyIndex.resize(key + 1, -1);
            FKeyIndex[key] = index;
          }
        }
      }
    }
  }
}

TkvRadioButtonImageList* RadioButtonGlyphList() {
  if (!GRadioImages && GStartCount > 0) GRadioImages = new TkvRadioButtonImageList;
  return GRadioImages;
}

// ---- Shared resources ---------------------------------------------------------------------

TCustomImageList* IndicatorImages() { return GIndicatorImages; }

TBitmap* ScrollPatternBitmap(Integer Index) { return Index == 0 || Index == 1 ? GScrollPatterns[Index] : nullptr; }

void RefreshScrollPatterns() {
  for (TBitmap*& pattern : GScrollPatterns) {
    if (pattern) continue;
    pattern = FilledBitmap(8, 8, clBtnFace).release();
  }
  PaintScrollPatterns();
}

TSize SharedCheckBoxSize() { return GCheckBoxSize; }

// ---- Unit start and end -------------------------------------------------------------------

void kvLookAndFeelPaintersStart() {
  if (GStartCount++ > 0) return;
  GRegistry = new TkvExtendedStylePainters;
  GIndicatorImages = CreateIndicatorImages();
  RefreshScrollPatterns();
  GPaletteNotifier = new TkvSystemPaletteChangedNotifier(true);
  GPaletteNotifier->SetOnPaletteChanged(MakeEvent<&TPaletteChangedHandler::RadioImagesOutdated>(&GPaletteHandler));
  GCheckBoxSize = MeasureCheckBoxCell();
}

void kvLookAndFeelPaintersEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  delete GPaletteNotifier;
  GPaletteNotifier = nullptr;
  for (TBitmap*& pattern : GScrollPatterns) {
    delete pattern;
    pattern = nullptr;
  }
  delete GIndicatorImages;
  GIndicatorImages = nullptr;
  delete GRadioImages;
  GRadioImages = nullptr;
  delete GRegistry;
  GRegistry = nullptr;
}
