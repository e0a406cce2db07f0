// The button glyph: state images prepared on demand into shared per-size lists, and the layout
// of picture and caption inside a button.

#include <algorithm>

#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/foundation/kvGeometry.h"

namespace {

TkvGlyphCache* GGlyphCache = nullptr;

// Image slots of a glyph.
constexpr Integer kSlotUp = 0;
constexpr Integer kSlotDisabled = 1;
constexpr Integer kSlotDown = 2;

TkvGlyphCache* EnsureCache() {
  if (!GGlyphCache) GGlyphCache = new TkvGlyphCache();
  return GGlyphCache;
}

}  // namespace

TkvGlyphCache* GlyphCacheInstance() { return GGlyphCache; }

// ---- Image info ------------------------------------------------------------------------------

namespace kvButtons {

TAVREN_CLASS_IMPL(TkvImageInfo)

TkvImageInfo::TkvImageInfo(TNotifyEvent OnChange) : FGlyph(std::make_unique<TBitmap>()), FOnChange(OnChange) {
  FGlyph->SetOnChange(OnChange);
}

TkvImageInfo::~TkvImageInfo() { FGlyph->SetOnChange({}); }

bool TkvImageInfo::HasImage() {
  return !FGlyph->GetEmpty() || (FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount());
}

TSize TkvImageInfo::ImageSize() {
  if (!HasImage()) return {0, 0};
  if (!FGlyph->GetEmpty()) return {FGlyph->GetWidth(), FGlyph->GetHeight()};
  return {FImages->GetWidth(), FImages->GetHeight()};
}

void TkvImageInfo::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (FGlyph->GetEmpty() && FImageIndex != -1) FOnChange(this);
}

void TkvImageInfo::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  if (FGlyph->GetEmpty() && FImages) FOnChange(this);
}

}  // namespace kvButtons

// ---- Glyph lists and cache -------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvGlyphList)

Integer TkvGlyphList::AllocateIndex(TBitmap* Image, TBitmap* Mask) {
  auto free = std::find(FUsed.begin(), FUsed.end(), false);
  Integer index = static_cast<Integer>(free - FUsed.begin());
  if (index >= GetCount()) {
    index = AddImageAndMask(Image, Mask);
    if (index >= static_cast<Integer>(FUsed.size())) FUsed.resize(index + 1, false);
  } else {
    ReplaceImageAt(index, Image, Mask);
  }
  FUsed[index] = true;
  ++FUsedCount;
  return index;
}

void TkvGlyphList::Release(Integer Index) {
  if (Index < 0 || Index >= static_cast<Integer>(FUsed.size()) || !FUsed[Index]) return;
  FUsed[Index] = false;
  --FUsedCount;
}

TAVREN_CLASS_IMPL(TkvGlyphCache)

TkvGlyphCache::~TkvGlyphCache() {
  for (TkvGlyphList* list : FLists) delete list;
}

TkvGlyphList* TkvGlyphCache::ListFor(Integer Width, Integer Height) {
  for (auto it = FLists.rbegin(); it != FLists.rend(); ++it) {
    if ((*it)->GetWidth() == Width && (*it)->GetHeight() == Height) return *it;
  }
  FLists.push_back(new TkvGlyphList(Width, Height));
  return FLists.back();
}

void TkvGlyphCache::ReturnList(TkvGlyphList* List) {
  if (!List || List->UsedCount() != 0) return;
  auto it = std::find(FLists.begin(), FLists.end(), List);
  if (it == FLists.end()) return;
  FLists.erase(it);
  delete List;
}

// ---- Button glyph ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvButtonGlyph)

TkvButtonGlyph::TkvButtonGlyph()
    : FImageInfo(std::make_unique<kvButtons::TkvImageInfo>(MakeEvent<&TkvButtonGlyph::ImageChanged>(this))) {
  EnsureCache();
}

TkvButtonGlyph::~TkvButtonGlyph() {
  FImageInfo.reset();
  ReleaseImages();
  if (GGlyphCache && GGlyphCache->IsEmpty()) {
    delete GGlyphCache;
    GGlyphCache = nullptr;
  }
}

void TkvButtonGlyph::ReleaseImages() {
  if (!FGlyphList) return;
  for (Integer& index : FIndexes) {
    if (index >= 0) FGlyphList->Release(index);
    index = -1;
  }
  if (GGlyphCache) GGlyphCache->ReturnList(FGlyphList);
  FGlyphList = nullptr;
}

void TkvButtonGlyph::ImageChanged(TObject*) {
  ReleaseImages();
  FOnChange(this);
}

void TkvButtonGlyph::SetGlyph(TBitmap* Value) {
  FImageInfo->SetGlyph(Value);
  Integer count = 1;
  if (Value && Value->GetHeight() > 0 && Value->GetWidth() % Value->GetHeight() == 0) {
    // A strip as wide as it is high still holds one image: the quotient is at least 1.
    Integer quotient = std::max(1, Value->GetWidth() / Value->GetHeight());
    if (quotient < 5) count = quotient;
  }
  FNumGlyphs = count;
  ImageChanged(this);
}

void TkvButtonGlyph::SetNumGlyphs(Integer Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  ImageChanged(this);
}

TSize TkvButtonGlyph::GlyphSize() {
  if (FNumGlyphs < 1) return {0, 0};
  TSize size = FImageInfo->ImageSize();
  if (!FImageInfo->GetGlyph()->GetEmpty()) size.cx /= FNumGlyphs;
  return size;
}

TColor TkvButtonGlyph::TransparentColor() { return FImageInfo->GetGlyph()->GetTransparentColor(); }

Integer TkvButtonGlyph::ImageIndexForState(TkvButtonState State) {
  Integer slot = kSlotUp;
  if (State == kvbsPressed) slot = FNumGlyphs < 3 ? kSlotUp : kSlotDown;
  if (State == kvbsDisabled) slot = kSlotDisabled;
  if (FIndexes[slot] >= 0) return FIndexes[slot];
  if (!FImageInfo->HasImage()) return -1;
  return PrepareImage(slot);
}

Integer TkvButtonGlyph::PrepareImage(Integer Slot) {
  TSize size = GlyphSize();
  if (size.cx <= 0 || size.cy <= 0) return -1;
  auto image = std::make_unique<TkvBitmap>(size.cx, size.cy);
  auto mask = std::make_unique<TBitmap>();
  mask->SetMonochrome(true);
  mask->SetSize(size.cx, size.cy);
  TRect cell(0, 0, size.cx, size.cy);
  HDC dc = image->GetCanvas()->GetHandle();
  TBitmap* glyph = FImageInfo->GetGlyph();
  if (!glyph->GetEmpty()) {
    TColor transparent = glyph->GetTransparentColor();
    if (Slot == kSlotDisabled && FNumGlyphs == 1) {
      // A single image gets the platform's disabled look, drawn over its transparent colour.
      image->GetCanvas()->GetBrush()->SetColor(transparent);
      image->GetCanvas()->FillRect(cell);
      DrawGlyphOrListImage(dc, cell, cell, true, transparent, nullptr, false, gdmDisabled, -1, nullptr, glyph);
    } else {
      Integer part = Slot < FNumGlyphs ? Slot : 0;
      BitBlt(dc, 0, 0, size.cx, size.cy, glyph->GetCanvas()->GetHandle(), part * size.cx, 0, SRCCOPY);
    }
    image->SetTransparentColor(transparent);
    RenderMaskBitmap(image.get(), mask.get());
    // The list blends by alpha: the transparent colour's pixels become clear.
    ClearTransparentPixels(image.get(), image.get());
    glyph->Dormant();
  } else {
    TCustomImageList* images = FImageInfo->GetImages();
    Integer index = FImageInfo->GetImageIndex();
    if (Slot == kSlotDisabled) {
      DrawGlyphOrListImage(dc, cell, cell, false, clNone, nullptr, false, gdmDisabled, index, images, nullptr);
      RenderMaskBitmap(image.get(), mask.get());
    } else if (auto* kvImages = dynamic_cast<TkvImageList*>(images)) {
      kvImages->GetImageAt(index, image.get(), mask.get());
    } else {
      TkvImageList::ExtractImageAndMask(images->GetHandle(), index, mask.get(), image.get());
    }
  }
  if (!FGlyphList) FGlyphList = EnsureCache()->ListFor(size.cx, size.cy);
  FIndexes[Slot] = FGlyphList->AllocateIndex(image.get(), mask.get());
  return FIndexes[Slot];
}

void TkvButtonGlyph::TextMargins(TkvButtonState, TRect& R) {
  R = FImageInfo->HasImage() ? TRect(0, 0, 0, 0) : TRect(1, 0, 2, 0);
}

void TkvButtonGlyph::DrawImage(TkvCanvas* Canvas, const TPoint& P, TkvButtonState State) {
  if (!FImageInfo->HasImage()) return;
  Integer index = ImageIndexForState(State);
  if (index >= 0 && FGlyphList) FGlyphList->Draw(Canvas->GetCanvas(), P.X, P.Y, index, true);
}

Cardinal TkvButtonGlyph::CaptionFlags(UINT BiDiFlags, bool WordWrap) {
  Cardinal flags = kvtfCenterX | kvtfCenterY;
  if (BiDiFlags & DT_RIGHT) flags = (flags & ~kvtfHorzMask) | kvtfRight;
  if (WordWrap && !FImageInfo->HasImage()) flags |= kvtfWordWrap;
  else flags |= kvtfSingleLine;
  return flags;
}

void TkvButtonGlyph::DrawCaption(TkvCanvas* Canvas, const String& Caption, const TRect& TextRect,
                                 TkvButtonState State, UINT BiDiFlags, bool WordWrap) {
  if (Caption.empty()) return;
  TCanvas* canvas = Canvas->GetCanvas();
  TBrushStyle brushStyle = canvas->GetBrush()->GetStyle();
  canvas->GetBrush()->SetStyle(bsClear);
  Cardinal flags = CaptionFlags(BiDiFlags, WordWrap);
  if (State == kvbsDisabled) {
    // Embossed: a highlight copy one pixel right and down under the text.
    TColor color = canvas->GetFont()->GetColor();
    TRect shifted(TextRect.Left + 1, TextRect.Top + 1, TextRect.Right + 1, TextRect.Bottom + 1);
    canvas->GetFont()->SetColor(clBtnHighlight);
    DrawTextRowsInFontColor(canvas, Caption, shifted, flags);
    canvas->GetFont()->SetColor(color);
  }
  TRect r = TextRect;
  DrawTextRowsInFontColor(canvas, Caption, r, flags);
  canvas->GetBrush()->SetStyle(brushStyle);
}

void TkvButtonGlyph::ComputeLayout(TkvCanvas* Canvas, const TRect& Client, const TPoint& Offset,
                                   const String& Caption, TButtonLayout Layout, Integer Margin, Integer Spacing,
                                   TkvButtonState State, UINT BiDiFlags, bool WordWrap, TPoint& GlyphPos,
                                   TRect& TextRect) {
  if (BiDiFlags & DT_RIGHT) {
    if (Layout == blGlyphLeft)
      Layout = blGlyphRight;
    else if (Layout == blGlyphRight)
      Layout = blGlyphLeft;
  }
  const Integer w = Client.Width();
  const Integer h = Client.Height();
  TSize text{0, 0};
  TRect measured;
  if (!Caption.empty()) {
    TRect margins;
    TextMargins(State, margins);
    measured = TRect(margins.Left, 0, w - margins.Right, 0);
    DrawTextRowsOnCanvas(Canvas->GetCanvas(), Caption, measured, CaptionFlags(BiDiFlags, WordWrap) | kvtfCalcRect, 0,
                         0, clNone, clNone);
    text = {measured.Width() + margins.Left + margins.Right, measured.Height()};
  }
  const TSize glyph = GlyphSize();
  const Integer gw = glyph.cx, gh = glyph.cy, tw = text.cx, th = text.cy;
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  TPoint g{0, 0}, t{0, 0};
  if (horizontal) {
    g.Y = (h - gh) / 2;
    t.Y = (h - th - 1) / 2;
  } else {
    g.X = (w - gw) / 2;
    t.X = (w - tw) / 2;
  }
  if (tw == 0 || gw == 0) Spacing = 0;
  const Integer extent = horizontal ? w : h;
  const Integer glyphExtent = horizontal ? gw : gh;
  const Integer textExtent = horizontal ? tw : th;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (extent - (glyphExtent + textExtent)) / 3;
      Spacing = Margin;
    } else {
      Margin = (extent - (glyphExtent + Spacing + textExtent)) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (extent - Margin - glyphExtent - textExtent) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      g.X = Margin;
      t.X = Margin + gw + Spacing;
      break;
    case blGlyphRight:
      g.X = w - Margin - gw;
      t.X = g.X - Spacing - tw;
      break;
    case blGlyphTop:
      g.Y = Margin;
      t.Y = Margin + gh + Spacing;
      break;
    case blGlyphBottom:
      g.Y = h - Margin - gh;
      t.Y = g.Y - Spacing - th;
      break;
  }
  GlyphPos = TPoint(g.X + Client.Left + Offset.X, g.Y + Client.Top + Offset.Y);
  TextRect = RectShifted(measured, Client.Left + t.X + Offset.X, Client.Top + t.Y + Offset.Y);
}

void TkvButtonGlyph::PaintContent(TkvCanvas* Canvas, const TRect& Client, const TPoint& Offset,
                                  const String& Caption, TButtonLayout Layout, Integer Margin, Integer Spacing,
                                  TkvButtonState State, UINT BiDiFlags, bool WordWrap) {
  TPoint glyphPos;
  TRect textRect;
  ComputeLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing, State, BiDiFlags, WordWrap, glyphPos,
                textRect);
  DrawImage(Canvas, glyphPos, State);
  DrawCaption(Canvas, Caption, textRect, State, BiDiFlags, WordWrap);
}
