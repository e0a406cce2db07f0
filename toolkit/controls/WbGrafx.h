#pragma once
// Raster routines the Wb controls share: a two-colour gradient in ten directions, drawn in bands of
// solid colour with 16.16 fixed-point colour steps; copies of a bitmap with one colour left out
// (unscaled, stretched or tiled); and a control's parent painted under a transparent control.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "toolkit/controls/WbCommon.h"

class TBitmap;
class TCanvas;
class TControl;

// Band: a byte that sets the least number of lines one colour covers; every caller passes 1 (a
// new band whenever the colour changes). A negative extent is drawn at its size from (Left, Top).
void PaintGradientArea(TCanvas* Canvas, const TRect& Bounds, TGradientDirection Direction, TColor StartColor,
                       TColor StopColor, Byte Band);

// The workers, drawing from the DC's origin. Linear: horizontal bands (a column 8 wide) when SplitX
// is 0, vertical ones (a row 8 high) otherwise; a positive split mirrors the gradient about it.
void GradientLinearFill(HDC DC, Integer SplitX, Integer SplitY, Integer Extent, TColor FirstColor, TColor OtherColor,
                        Byte Band);
// The top-left quadrant from the centre outwards; MirrorQuadrant completes it.
void GradientBoxFill(HDC DC, Integer Width, Integer Height, TColor CentreColor, TColor EdgeColor, Integer InsetX,
                     Integer InsetY, Byte Band);
// From the bottom-left corner (Width > 0) or the bottom-right one (Width <= 0) to the opposite corner.
void GradientDiagonalFill(HDC DC, Integer Width, Integer Height, TColor ColorA, TColor ColorB, Byte Band);
// Copies the painted part onto the rest, doubling it each time, until the full size is covered.
void ReplicateStrip(HDC DC, Integer X, Integer Y, Integer FilledWidth, Integer FilledHeight, Integer FullWidth,
                    Integer FullHeight, DWORD Rop);
// Mirrors the top-left quadrant onto the other three.
void MirrorQuadrant(HDC DC, Integer X, Integer Y, Integer Width, Integer Height, DWORD Rop);

// SourceRect of the bitmap, scaled to DestRect, with TransparentColor left out.
void PaintTransparentBitmapFull(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, const TRect& SourceRect,
                                TColor TransparentColor);
// The same through an AND mask and an OR image; the canvas keeps its copy mode.
void PaintTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, const TRect& SourceRect,
                            TColor TransparentColor);
void PaintTransparentStretched(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor);
void PaintTransparentTiled(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor);

// Has the control's parent erase and paint itself into DC, shifted to the control's place.
void PaintParentBackground(TControl* Control, HDC DC, bool InvalidateParent);
void PaintParentBackground(TControl* Control, TCanvas* Canvas, bool InvalidateParent);
