#pragma once
// The Office 2003 colour scheme of the inspector and the alpha and caption drawing its rows use.

#include "toolkit/inspector/JySharedCommon.h"

// The same mixing as TMaskProvider::MixColors.
TColor BlendColors(TColor A, TColor B, Integer Alpha);
// A 32-bit bitmap composited by its per-pixel alpha; any other graphic drawn as it is.
void DrawBitmap(TCanvas* Canvas, Integer X, Integer Y, TGraphic* Graphic);
void DrawCaptionText(TCanvas* Canvas, const TRect& Rect, const String& Text, bool RightToLeft);
// Colour Index (0..12) of the Office 2003 scheme, by whether visual styles are on; clNone beyond.
TColor OfficeColor(Integer Index);
