#pragma once
// The shared Office-11 colour table with its brushes and glyph bitmaps, detection of the
// platform's colour scheme, colour arithmetic, gradients and the small glyphs of the Office-11
// look. The table is counted: the first user loads it, the last one frees brushes and bitmaps.

#include "rtl/ColorIdents.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

class TBitmap;

constexpr Integer kOffice11SlotCount = 79;
// Slots 79 and 80 hold the two fixed colours.
constexpr Integer kOffice11FixedColor1 = 79;
constexpr Integer kOffice11FixedColor2 = 80;

// 0 none, 1 blue, 2 olive, 3 silver.
Integer Office11SchemeDetect();
Integer Office11SchemeIndex();
bool Office11SchemeInUse();

// Slot 0..80 of the table (0 outside).
TColor Office11Color(Integer Slot);
Integer Office11SplitPercent();
// Brush B0..B15 (null while no brushes exist).
HBRUSH Office11Brush(Integer Index);
TBitmap* Office11SubMenuExpandBitmap();
TBitmap* Office11ExpandButtonBitmap(bool Expanded);

void Office11ColorsLoad();
void Office11BrushesCreate();
void Office11BrushesFree();
void Office11ColorsAddRef();
void Office11ColorsRelease();
void Office11ColorsReload();
Integer Office11ColorsRefCount();

// Colour arithmetic; colours may be system colours. Channels are 0..255.
TColor ColorMix(TColor C1, TColor C2, Integer P);
TColor NearestScreenColor(TColor C);
TColor SystemLightColor(Integer PFace, Integer PHilite, Integer PWindow);
TColor ColorScaled(TColor C, Integer P);
TColor ColorWhitened(TColor C, Integer P);
TColor NavPaneCaptionColor(bool Light);
bool HighContrastBlackFace();
bool HighContrastWhiteFace();
bool BlackFaceColoredText();

// Gradients and fills.
void PaintGradientRect(HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal);
TColor GradientColorAt(const TRect& Rect, Integer Pos, TColor Color1, TColor Color2, bool Horizontal);
void PaintSplitGradient(HDC DC, const TRect& Rect, TColor Color1, TColor Color2, bool Horizontal);
void SolidFillRect(HDC DC, const TRect& Rect, TColor Color);
void SolidFrameRect(HDC DC, const TRect& Rect, TColor Color);

// Glyphs.
void Office11FrameSelection(HDC DC, const TRect& Rect);
// Null brushes stand for B0 and B1.
void Office11PaintGripDots(HDC DC, const TRect& Rect, bool Column, HBRUSH Brush1 = nullptr, HBRUSH Brush2 = nullptr);
// clDefault stands for the default dot brushes.
void Office11PaintSizeGrip(HDC DC, const TRect& Rect, TColor Color1 = clDefault, TColor Color2 = clDefault);
void Office11PaintItemArrow(HDC DC, const TRect& Rect, bool Down, bool Enabled, bool Selected);
void Office11PaintArrowSized(HDC DC, const TRect& Rect, bool Down, Integer Size, bool Selected, bool Enabled);

// Unit start: the gradient service of the image blending library is bound. End: it is freed.
void qzOffice11Start();
void qzOffice11End();
