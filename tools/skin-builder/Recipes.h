#pragma once
// The drawings of skin elements: each recipe paints one frame of an element (one image block, one
// state) with cairo, from the skin's palette.

#include <cairo.h>

#include <functional>
#include <memory>
#include <vector>

#include "Palette.h"
#include "toolkit/skins/qzSkinsCore.h"

struct Frame {
  double x, y, w, h;
};

using FramePainter = std::function<void(cairo_t* Cr, const Frame& F, int Block, TqzSkinElementState State)>;

// A picture of Blocks blocks along its axis, each one frame per state in state order.
std::unique_ptr<TqzPNGImage> DrawPicture(int FrameWidth, int FrameHeight, int Blocks,
                                         const std::vector<TqzSkinElementState>& States, bool Vertical,
                                         const FramePainter& Paint);

// The colours of a face in a state.
struct FaceColors {
  Rgb face, border, text;
};
FaceColors FaceFor(const Palette& P, TqzSkinElementState State);

void SetColor(cairo_t* Cr, const Rgb& C, double Alpha = 1);
void RoundedRect(cairo_t* Cr, double X, double Y, double W, double H, double R);
// A rounded face filled after the palette's surface and outlined in Border.
void PaintFace(cairo_t* Cr, const Frame& F, const Palette& P, const Rgb& Face, const Rgb& Border, double Radius);

enum class Direction { Up, Down, Left, Right };
void PaintArrow(cairo_t* Cr, double CX, double CY, double Size, Direction D, const Rgb& C);

// Glyph pictures.
enum class FormGlyph { Close, Minimize, Maximize, Restore, Help };
void PaintFormGlyph(cairo_t* Cr, const Frame& F, FormGlyph G, const Rgb& C, double Scale);
void PaintCross(cairo_t* Cr, const Frame& F, double Size, const Rgb& C);
void PaintIndicatorGlyph(cairo_t* Cr, const Frame& F, int Index, const Rgb& C);
void PaintNavigatorGlyph(cairo_t* Cr, const Frame& F, int Index, const Palette& P);
