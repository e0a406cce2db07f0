#include "toolkit/foundation/qzOffice11.h"

#include <memory>

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/GdiObjects.h"
#include "rtl/Math.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "rtl/WideText.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "user/SystemInfo.h"
#include "vcl/GraphicClasses.h"

namespace {

// The 49 colour words of each scheme (blue, olive, silver), 0x00BBGGRR.
const COLORREF kSchemeRows[3][49] = {
    {0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x913500, 0xF1A675, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x9C613B, 0xE0A47B, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0xC9662A, 0xF9DBC4, 0x962D00, 0xF6F6F6,
     0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF, 0x3E80FE, 0xF0C7A9,
     0x000000, 0x8D8D8D, 0xFBDABE, 0x94E6FB, 0xFADAC4, 0x962D00, 0xB96837, 0x962D00, 0xFBE5D3, 0xE4AE88,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF},
    {0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x6B7760, 0x8CC2B0, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x588060, 0x8FC4B5, 0x335E51, 0xFFFFFF, 0x588060, 0xDEF7F4, 0x5E8674, 0xADDEE1, 0x5E8D75, 0xEEF4F4,
     0xC2EEFF, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xB6E3D8, 0x6FC0FF, 0x3E80FE, 0x9FD4C5,
     0x000000, 0x8D8D8D, 0x91BAAF, 0x94E6FB, 0xE4F1F2, 0x588060, 0x548973, 0x5E8D75, 0xDBF5F2, 0x97C9BC,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0x82C0AF, 0x447A63, 0xFFFFFF},
    {0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x927476, 0xC8B2B3, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x947C7C, 0xB09193, 0x755454, 0xFFFFFF, 0x8F6D6E, 0xFFFFFF, 0x99797A, 0xE4DADB, 0x947C7C, 0xFFFAFD,
     0xC2EEFF, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xE7D3D6, 0x6FC0FF, 0x3E80FE, 0xD3C0C0,
     0x000000, 0x8D8D8D, 0xEBE5E5, 0x94E6FB, 0xF7F3F3, 0x947C7C, 0x916F70, 0x947C7C, 0xF8F1F0, 0xBA9EA0,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xBFA7A8, 0x916F70, 0xFFFFFF},
};
const Integer kSchemeSplitPercent[4] = {75, 41, 125, 40};

// B0..B15 name these slots; B11, B13 and B14 share the brushes of B4, B6 and B10.
const Integer kBrushSlots[16] = {18, 19, 20, 21, 31, 41, 40, 46, 47, 48, 38, 31, 49, 40, 38, 55};
const Integer kBrushAlias[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 4, 12, 6, 10, 15};

TColor slots[kOffice11SlotCount + 2] = {};
Integer splitPercent = 75;
Integer schemeIndex = 0;
bool schemeInUse = false;
HBRUSH brushes[16] = {};
std::unique_ptr<TBitmap> subMenuExpand, expandMinus, expandPlus;
Integer refCount = 0;

void LoadSchemeSlots(const COLORREF* w) {
  const Integer firstSlots[12] = {2, 3, 0, 1, 7, 4, 8, 5, 9, 6, 10, 11};
  for (Integer i = 0; i < 12; ++i) slots[firstSlots[i]] = w[i];
  for (Integer i = 0; i < 3; ++i) slots[12 + i] = ColorMix(slots[4 + i], slots[2], 90);
  for (Integer i = 0; i < 3; ++i) slots[15 + i] = ColorMix(slots[7 + i], slots[11], 50);
  for (Integer i = 0; i < 4; ++i) slots[18 + i] = w[12 + i];
  slots[22] = clBlack;
  slots[23] = clWhite;
  slots[24] = w[16];
  slots[25] = w[17];
  slots[28] = clWhite;
  slots[29] = clBlack;
  slots[30] = clBlack;
  slots[38] = w[18];
  slots[31] = w[19];
  for (Integer i = 0; i < 10; ++i) slots[40 + i] = w[20 + i];
  slots[51] = w[30];
  slots[52] = w[31];
  slots[58] = w[32];
  slots[59] = w[33];
  slots[61] = w[34];
  slots[60] = w[35];
  slots[62] = RGB(253, 238, 201);
  slots[64] = slots[11];
  slots[63] = w[36];
  for (Integer i = 0; i < 10; ++i) slots[65 + i] = w[37 + i];
  slots[75] = w[47];
  slots[76] = w[48];
  slots[77] = w[46];
  slots[78] = w[47];
}

void LoadSystemSlots() {
  const TColor face = clBtnFace, window = clWindow, shadow = clBtnShadow, text = clBtnText;
  auto light = [](Integer a, Integer b, Integer c) { return SystemLightColor(a, b, c); };
  slots[0] = face;
  slots[1] = ColorMix(face, window, 20);
  slots[2] = ColorMix(face, window, 22);
  slots[3] = ColorMix(face, window, 96);
  slots[7] = shadow;
  slots[4] = ColorMix(shadow, window, 74);
  slots[5] = slots[8] = NearestScreenColor(light(-15, 29, 86));
  slots[6] = slots[9] = NearestScreenColor(light(42, 11, 47));
  slots[10] = ColorMix(face, window, 85);
  slots[11] = face;
  for (Integer i = 0; i < 3; ++i) slots[12 + i] = ColorMix(slots[7 + i], window, 50);
  for (Integer i = 0; i < 3; ++i) slots[15 + i] = ColorMix(slots[7 + i], slots[11], 50);
  slots[18] = ColorMix(shadow, window, 76);
  slots[19] = window;
  slots[20] = ColorMix(shadow, window, 70);
  slots[21] = clWhite;
  slots[22] = text;
  slots[23] = window;
  slots[24] = shadow;
  slots[25] = slots[3];
  slots[28] = clBtnHighlight;
  slots[29] = text;
  slots[30] = text;
  slots[38] = shadow;
  slots[31] = window;
  slots[40] = NearestScreenColor(light(-2, 30, 72));
  slots[41] = clHighlight;
  slots[42] = slots[43] = slots[40];
  slots[46] = slots[3];
  slots[47] = light(41, 11, 48);
  slots[48] = slots[44] = slots[45] = NearestScreenColor(light(14, 44, 40));
  slots[49] = slots[46];
  slots[51] = text;
  slots[52] = clGrayText;
  slots[58] = face;
  slots[59] = slots[47];
  slots[61] = slots[0];
  slots[60] = slots[38];
  slots[62] = face;
  slots[63] = shadow;
  slots[64] = shadow;
  slots[65] = NearestScreenColor(shadow);
  slots[66] = NavPaneCaptionColor(true);
  slots[67] = NavPaneCaptionColor(false);
  slots[68] = slots[42];
  slots[69] = slots[43];
  slots[70] = slots[71] = slots[47];
  slots[72] = slots[73] = slots[48];
  slots[74] = slots[75] = slots[65];
  slots[76] = clHighlightText;
  slots[77] = NearestScreenColor(face);
  slots[78] = slots[65];
}

void LoadCommonSlots() {
  slots[26] = slots[2];
  slots[27] = slots[24];
  slots[39] = slots[31];
  slots[32] = slots[2];
  slots[33] = slots[3];
  slots[34] = slots[2];
  slots[35] = slots[3];
  slots[36] = ColorMix(slots[2], clBlack, 92);
  slots[37] = ColorMix(slots[35], clBlack, 92);
  slots[50] = slots[40];
  slots[53] = slots[38];
  slots[54] = slots[0];
  slots[55] = slots[15];
  slots[56] = slots[28];
  slots[57] = slots[38];
}

std::unique_ptr<TBitmap> LoadGlyph(const char* Name) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromResourceName(HInstance, Name);
  return bitmap;
}

// Shades of the glyph become shades between slots 2 and 3; the key colour (pixel 0, 0) and black
// stay as they are.
void RecolorSubMenuGlyph(TBitmap* Bitmap) {
  HDC dc = Bitmap->GetCanvas()->GetHandle();
  Integer width = Bitmap->GetWidth(), height = Bitmap->GetHeight();
  if (width < 1 || height < 1) return;
  COLORREF key = GetPixel(dc, 0, 0);
  Integer lowest = 255, highest = 1;
  for (Integer y = 0; y < height; ++y)
    for (Integer x = 0; x < width; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      if (c == key || c == 0) continue;
      lowest = std::min<Integer>(lowest, GetRValue(c));
      highest = std::max<Integer>(highest, GetRValue(c));
    }
  TColor first = slots[2];
  TColor second = slots[3];
  if (ColorToRGB(first) == ColorToRGB(second)) second = ColorToRGB(first) == 0 ? clWhite : clBlack;
  for (Integer y = 0; y < height; ++y)
    for (Integer x = 0; x < width; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      if (c == key || c == 0) continue;
      // A glyph of one shade has no range to spread over: all of it takes the second colour,
      // as the lowest shade of a glyph with a range does.
      Integer percent = highest > lowest ? MulDiv(GetRValue(c) - lowest, 100, highest - lowest) : 0;
      SetPixel(dc, x, y, ColorToRGB(ColorMix(first, second, percent)));
    }
}

}  // namespace

Integer Office11SchemeDetect() {
  if (!ThemesAvailableFor(0)) return 0;
  char16_t fileName[1024] = {}, colorName[1024] = {}, sizeName[1024] = {};
  if (UxGetCurrentThemeName(fileName, 1024, colorName, 1024, sizeName, 1024) != S_OK) return 0;
  String file = AnsiUpperCase(UTF8Encode(fileName));
  size_t slash = file.find_last_of("\\/");
  if (slash != String::npos) file.erase(0, slash + 1);
  OSVERSIONINFO info;
  GetVersionEx(&info);
  if (file != "LUNA.MSSTYLES" && info.dwMajorVersion <= 5) return 0;
  String color = AnsiUpperCase(UTF8Encode(colorName));
  if (color == "NORMALCOLOR") return 1;
  if (color == "HOMESTEAD") return 2;
  if (color == "METALLIC") return 3;
  return 0;
}

Integer Office11SchemeIndex() { return schemeIndex; }
bool Office11SchemeInUse() { return schemeInUse; }
TColor Office11Color(Integer Slot) { return Slot >= 0 && Slot < kOffice11SlotCount + 2 ? slots[Slot] : 0; }
Integer Office11SplitPercent() { return splitPercent; }
HBRUSH Office11Brush(Integer Index) { return Index >= 0 && Index < 16 ? brushes[kBrushAlias[Index]] : nullptr; }
TBitmap* Office11SubMenuExpandBitmap() { return subMenuExpand.get(); }
TBitmap* Office11ExpandButtonBitmap(bool Expanded) { return Expanded ? expandMinus.get() : expandPlus.get(); }

void Office11ColorsLoad() {
  schemeIndex = Office11SchemeDetect();
  schemeInUse = ThemesAvailableFor(0) && schemeIndex != 0;
  if (schemeInUse)
    LoadSchemeSlots(kSchemeRows[schemeIndex - 1]);
  else
    LoadSystemSlots();
  splitPercent = kSchemeSplitPercent[schemeInUse ? schemeIndex : 0];
  LoadCommonSlots();
}

void Office11BrushesCreate() {
  for (Integer i = 0; i < 16; ++i)
    if (kBrushAlias[i] == i) brushes[i] = CreateSolidBrush(ColorToRGB(slots[kBrushSlots[i]]));
  slots[kOffice11FixedColor1] = RGB(158, 174, 191);
  slots[kOffice11FixedColor2] = RGB(46, 70, 95);
  subMenuExpand = LoadGlyph("QZSUBMENUEXPAND");
  expandMinus = LoadGlyph("QZEXPANDBUTTON_MINUS");
  expandPlus = LoadGlyph("QZEXPANDBUTTON_PLUS");
  RecolorSubMenuGlyph(subMenuExpand.get());
}

void Office11BrushesFree() {
  for (HBRUSH& brush : brushes) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
  subMenuExpand.reset();
  expandMinus.reset();
  expandPlus.reset();
}

void Office11ColorsAddRef() {
  if (refCount++ > 0) return;
  Office11ColorsLoad();
  Office11BrushesCreate();
}

void Office11ColorsRelease() {
  if (refCount == 0) return;
  if (--refCount == 0) Office11BrushesFree();
}

void Office11ColorsReload() {
  Office11ColorsLoad();
  if (refCount == 0) return;
  Office11BrushesFree();
  Office11BrushesCreate();
}

Integer Office11ColorsRefCount() { return refCount; }
