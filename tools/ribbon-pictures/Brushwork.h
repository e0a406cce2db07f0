#pragma once
// The few strokes every ribbon picture is made of, over cairo: colours as 0xRRGGBB, rounded
// outlines on the pixel grid, vertical gradients, glossy button faces and small glyphs.

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

struct Box {
  double x, y, w, h;
};

// Which corners of a rounded shape are round: bits top-left 1, top-right 2, bottom-right 4,
// bottom-left 8.
enum Corners : int { kTopLeft = 1, kTopRight = 2, kBottomRight = 4, kBottomLeft = 8, kAllCorners = 15 };

void SetColor(cairo_t* cr, uint32_t Rgb, double Alpha = 1.0);
void RoundedPath(cairo_t* cr, const Box& B, double Radius, int Round = kAllCorners);
// A gradient across B (top to bottom, or left to right) through (offset, colour) stops, filling
// the current path, or B itself when there is none.
void FillGradient(cairo_t* cr, const Box& B, std::initializer_list<std::pair<double, uint32_t>> Stops,
                  double Alpha = 1.0);
void FillHorizontalGradient(cairo_t* cr, const Box& B, std::initializer_list<std::pair<double, uint32_t>> Stops,
                            double Alpha = 1.0);
void FillBox(cairo_t* cr, const Box& B, uint32_t Rgb, double Alpha = 1.0);
// A 1-pixel outline along the inside of B, rounded.
void Outline(cairo_t* cr, const Box& B, double Radius, uint32_t Rgb, double Alpha = 1.0, int Round = kAllCorners);

// The colours of one button look: outer frame, inner highlight and the two halves of the glossy
// fill (top from, top to, bottom from, bottom to).
struct FaceLook {
  uint32_t frame, inner, top0, top1, bottom0, bottom1;
  double innerAlpha = 0.7;
};
void GlossyFace(cairo_t* cr, const Box& B, const FaceLook& Look, double Radius = 2.5, int Round = kAllCorners);

// Filled triangles and marks centred in B.
void DownTriangle(cairo_t* cr, const Box& B, double Width, uint32_t Rgb, double Alpha = 1.0);
void RightTriangle(cairo_t* cr, const Box& B, double Height, uint32_t Rgb, double Alpha = 1.0);
void UpTriangle(cairo_t* cr, const Box& B, double Width, uint32_t Rgb, double Alpha = 1.0);
void PixelRect(cairo_t* cr, double X, double Y, double W, double H, uint32_t Rgb, double Alpha = 1.0);

// Mixes two colours: T = 0 gives A.
uint32_t MixRgb(uint32_t A, uint32_t B, double T);
// A TColor (0x00BBGGRR) as 0xRRGGBB.
constexpr uint32_t FromTColor(uint32_t C) { return (C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF); }
