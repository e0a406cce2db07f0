#include "vcl/Graphics.h"

#include <cstring>

#include "rtl/Math.h"

COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color);
}

namespace {
const TIdentMapEntry kCharsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},         {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},     {0x4D, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},                 {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},     {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},     {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},         {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};
}  // namespace

const TIdentMap CharsetIdentMap{kCharsets, std::size(kCharsets)};

// ---- TGraphicsObject ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TGraphicsObject)

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::Changed() {
  FreeHandle();
  NotifyChange();
}

HGDIOBJ TGraphicsObject::CachedHandle() {
  if (!FHandle) FHandle = CreateHandle();
  return FHandle;
}

void TGraphicsObject::AdoptHandle(HGDIOBJ Handle) {
  // The old handle may still be selected somewhere: the canvas is told below and the graphics
  // engine deletes a selected object once it is let go.
  Changed();
  FHandle = Handle;
}

void TGraphicsObject::FreeHandle() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

// ---- TFont -------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TFont,
    PROPERTY(Charset).Idents(CharsetIdentMap).Default(DEFAULT_CHARSET),
    PROPERTY(Color).Idents(ColorIdentMap),
    PROPERTY(Height),
    PROPERTY(Name),
    PROPERTY(Orientation).Default(0),
    PROPERTY(Pitch).Default(fpDefault),
    PROPERTY(Size).Stored(false),
    PROPERTY(Style))

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* font = dynamic_cast<TFont*>(Source)) {
    FName = font->FName;
    FHeight = MulDiv(font->FHeight, FPixelsPerInch, font->FPixelsPerInch);
    FStyle = font->FStyle;
    FColor = font->FColor;
    FCharset = font->FCharset;
    FPitch = font->FPitch;
    FOrientation = font->FOrientation;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

Integer TFont::GetSize() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetHeight(Integer Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  // The colour is not part of the handle; the canvas sets it as the DC's text colour.
  FColor = Value;
  NotifyChange();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

void TFont::SetOrientation(Integer Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Changed();
}

HGDIOBJ TFont::CreateHandle() {
  LOGFONT lf;
  lf.lfHeight = FHeight;
  lf.lfEscapement = FOrientation;
  lf.lfOrientation = FOrientation;
  lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(fsItalic);
  lf.lfUnderline = FStyle.Contains(fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

void TFont::SetHandle(HFONT Value) {
  LOGFONT lf;
  if (!Value || GetObject(Value, sizeof(lf), &lf) != sizeof(lf)) return;
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  FStyle = {};
  if (lf.lfWeight >= FW_BOLD) FStyle.Include(fsBold);
  if (lf.lfItalic) FStyle.Include(fsItalic);
  if (lf.lfUnderline) FStyle.Include(fsUnderline);
  if (lf.lfStrikeOut) FStyle.Include(fsStrikeOut);
  FCharset = lf.lfCharSet;
  Byte pitch = lf.lfPitchAndFamily & 0x0F;
  FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
  FOrientation = lf.lfEscapement;
  AdoptHandle(Value);
}
