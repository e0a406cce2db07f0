#include "Recipes.h"

#include <cmath>
#include <cstring>

std::unique_ptr<TqzPNGImage> DrawPicture(int FrameWidth, int FrameHeight, int Blocks,
                                         const std::vector<TqzSkinElementState>& States, bool Vertical,
                                         const FramePainter& Paint) {
  const int frames = Blocks * static_cast<int>(States.size());
  const int width = Vertical ? FrameWidth : FrameWidth * frames;
  const int height = Vertical ? FrameHeight * frames : FrameHeight;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  int index = 0;
  for (int block = 0; block < Blocks; ++block)
    for (TqzSkinElementState state : States) {
      Frame f{Vertical ? 0.0 : double(FrameWidth * index), Vertical ? double(FrameHeight * index) : 0.0,
              double(FrameWidth), double(FrameHeight)};
      cairo_save(cr);
      cairo_rectangle(cr, f.x, f.y, f.w, f.h);
      cairo_clip(cr);
      Paint(cr, f, block, state);
      cairo_restore(cr);
      ++index;
    }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  // Cairo's premultiplied ARGB words are the library's premultiplied pixels.
  auto bits = std::make_shared<std::vector<uint32_t>>(static_cast<size_t>(width) * height);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < height; ++y) std::memcpy(bits->data() + size_t(y) * width, data + size_t(y) * stride, width * 4u);
  cairo_surface_destroy(surface);
  auto picture = std::make_unique<TqzPNGImage>();
  picture->ReplaceGPImage(CreateImageFromBits(width, height, bits, true));
  return picture;
}

FaceColors FaceFor(const Palette& P, TqzSkinElementState State) {
  switch (State) {
    case esHot: return {P.faceHot, P.borderHot, P.text};
    case esPressed: return {P.facePressed, P.borderPressed, P.text};
    case esDisabled: return {P.faceDisabled, P.borderDisabled, P.textDisabled};
    default: return {P.face, P.border, P.text};
  }
}

void SetColor(cairo_t* Cr, const Rgb& C, double Alpha) { cairo_set_source_rgba(Cr, C.r, C.g, C.b, Alpha); }

void RoundedRect(cairo_t* Cr, double X, double Y, double W, double H, double R) {
  R = std::min({R, W / 2, H / 2});
  if (R <= 0) {
    cairo_rectangle(Cr, X, Y, W, H);
    return;
  }
  cairo_new_sub_path(Cr);
  cairo_arc(Cr, X + W - R, Y + R, R, -M_PI / 2, 0);
  cairo_arc(Cr, X + W - R, Y + H - R, R, 0, M_PI / 2);
  cairo_arc(Cr, X + R, Y + H - R, R, M_PI / 2, M_PI);
  cairo_arc(Cr, X + R, Y + R, R, M_PI, 3 * M_PI / 2);
  cairo_close_path(Cr);
}

namespace {

void SetSurfaceGradient(cairo_t* Cr, const Frame& F, const Palette& P, const Rgb& Face) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, F.y, 0, F.y + F.h);
  auto stop = [&](double at, const Rgb& c) { cairo_pattern_add_color_stop_rgb(g, at, c.r, c.g, c.b); };
  switch (P.surface) {
    case Surface::Flat:
      stop(0, Face);
      stop(1, Face);
      break;
    case Surface::Soft:
      stop(0, Lighter(Face, 0.12));
      stop(1, Darker(Face, 0.04));
      break;
    case Surface::Glossy:
      stop(0, Lighter(Face, 0.38));
      stop(0.47, Lighter(Face, 0.14));
      stop(0.5, Face);
      stop(1, Lighter(Face, 0.10));
      break;
  }
  cairo_set_source(Cr, g);
  cairo_pattern_destroy(g);
}

}  // namespace

void PaintFace(cairo_t* Cr, const Frame& F, const Palette& P, const Rgb& Face, const Rgb& Border, double Radius) {
  RoundedRect(Cr, F.x + 0.5, F.y + 0.5, F.w - 1, F.h - 1, Radius);
  SetSurfaceGradient(Cr, F, P, Face);
  cairo_fill_preserve(Cr);
  SetColor(Cr, Border);
  cairo_set_line_width(Cr, 1);
  cairo_stroke(Cr);
  if (P.surface != Surface::Flat && F.h > 6 && F.w > 6) {
    // A faint inner light along the top edge.
    RoundedRect(Cr, F.x + 1.5, F.y + 1.5, F.w - 3, F.h - 3, std::max(0.0, Radius - 1));
    SetColor(Cr, Rgb{1, 1, 1}, P.surface == Surface::Glossy ? 0.35 : 0.18);
    cairo_stroke(Cr);
  }
}

void PaintArrow(cairo_t* Cr, double CX, double CY, double Size, Direction D, const Rgb& C) {
  const double h = Size / 2;
  switch (D) {
    case Direction::Up:
      cairo_move_to(Cr, CX - Size, CY + h / 2 + 0.5);
      cairo_line_to(Cr, CX, CY - h - 0.5 + h / 2);
      cairo_line_to(Cr, CX + Size, CY + h / 2 + 0.5);
      break;
    case Direction::Down:
      cairo_move_to(Cr, CX - Size, CY - h / 2 - 0.5);
      cairo_line_to(Cr, CX, CY + h + 0.5 - h / 2);
      cairo_line_to(Cr, CX + Size, CY - h / 2 - 0.5);
      break;
    case Direction::Left:
      cairo_move_to(Cr, CX + h / 2 + 0.5, CY - Size);
      cairo_line_to(Cr, CX - h - 0.5 + h / 2, CY);
      cairo_line_to(Cr, CX + h / 2 + 0.5, CY + Size);
      break;
    case Direction::Right:
      cairo_move_to(Cr, CX - h / 2 - 0.5, CY - Size);
      cairo_line_to(Cr, CX + h + 0.5 - h / 2, CY);
      cairo_line_to(Cr, CX - h / 2 - 0.5, CY + Size);
      break;
  }
  cairo_close_path(Cr);
  SetColor(Cr, C);
  cairo_fill(Cr);
}

void PaintCross(cairo_t* Cr, const Frame& F, double Size, const Rgb& C) {
  const double cx = F.x + F.w / 2, cy = F.y + F.h / 2, h = Size / 2;
  cairo_set_line_width(Cr, 1.6);
  cairo_set_line_cap(Cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(Cr, cx - h, cy - h);
  cairo_line_to(Cr, cx + h, cy + h);
  cairo_move_to(Cr, cx + h, cy - h);
  cairo_line_to(Cr, cx - h, cy + h);
  SetColor(Cr, C);
  cairo_stroke(Cr);
}

void PaintFormGlyph(cairo_t* Cr, const Frame& F, FormGlyph G, const Rgb& C, double Scale) {
  const double cx = std::floor(F.x + F.w / 2), cy = std::floor(F.y + F.h / 2), s = std::round(4 * Scale);
  SetColor(Cr, C);
  cairo_set_line_width(Cr, 1);
  switch (G) {
    case FormGlyph::Close:
      PaintCross(Cr, F, 2 * s, C);
      break;
    case FormGlyph::Minimize:
      cairo_rectangle(Cr, cx - s, cy + s - 2, 2 * s + 1, 2);
      cairo_fill(Cr);
      break;
    case FormGlyph::Maximize:
      cairo_rectangle(Cr, cx - s + 0.5, cy - s + 0.5, 2 * s, 2 * s);
      cairo_stroke(Cr);
      cairo_rectangle(Cr, cx - s, cy - s, 2 * s + 1, 2);
      cairo_fill(Cr);
      break;
    case FormGlyph::Restore:
      cairo_rectangle(Cr, cx - s + 0.5, cy - s + 3.5, 2 * s - 3, 2 * s - 3);
      cairo_stroke(Cr);
      cairo_move_to(Cr, cx - s + 3.5, cy - s + 3);
      cairo_line_to(Cr, cx - s + 3.5, cy - s + 0.5);
      cairo_line_to(Cr, cx + s + 0.5, cy - s + 0.5);
      cairo_line_to(Cr, cx + s + 0.5, cy + s - 2.5);
      cairo_line_to(Cr, cx + s - 2, cy + s - 2.5);
      cairo_stroke(Cr);
      break;
    case FormGlyph::Help:
      cairo_set_line_width(Cr, 1.6);
      cairo_arc(Cr, cx + 0.5, cy - s / 2, s / 1.6, M_PI, 2.2 * M_PI);
      cairo_line_to(Cr, cx + 0.5, cy + s / 3);
      cairo_stroke(Cr);
      cairo_arc(Cr, cx + 0.5, cy + s - 0.5, 1.1, 0, 2 * M_PI);
      cairo_fill(Cr);
      break;
  }
}

void PaintIndicatorGlyph(cairo_t* Cr, const Frame& F, int Index, const Rgb& C) {
  const double cx = F.x + F.w / 2, cy = F.y + F.h / 2;
  SetColor(Cr, C);
  cairo_set_line_width(Cr, 1.2);
  auto dots = [&](double x) {
    for (int i = -1; i <= 1; ++i) {
      cairo_arc(Cr, x, cy + 3 * i, 0.9, 0, 2 * M_PI);
      cairo_fill(Cr);
    }
  };
  switch (Index) {
    case 0: PaintArrow(Cr, cx, cy, 3.5, Direction::Right, C); break;
    case 1:  // a pencil
      cairo_move_to(Cr, cx - 3.5, cy + 3.5);
      cairo_line_to(Cr, cx - 2.5, cy + 1);
      cairo_line_to(Cr, cx + 2, cy - 3.5);
      cairo_line_to(Cr, cx + 3.5, cy - 2);
      cairo_line_to(Cr, cx - 1, cy + 2.5);
      cairo_close_path(Cr);
      cairo_fill(Cr);
      break;
    case 2:  // an asterisk
      for (int i = 0; i < 3; ++i) {
        double a = M_PI / 2 + i * M_PI / 3;
        cairo_move_to(Cr, cx - 3.5 * std::cos(a), cy - 3.5 * std::sin(a));
        cairo_line_to(Cr, cx + 3.5 * std::cos(a), cy + 3.5 * std::sin(a));
      }
      cairo_stroke(Cr);
      break;
    case 3: dots(cx); break;
    case 4:
      PaintArrow(Cr, cx - 1.5, cy, 3, Direction::Right, C);
      dots(cx + 3.5);
      break;
    case 5:  // a check mark
      cairo_move_to(Cr, cx - 3.5, cy);
      cairo_line_to(Cr, cx - 1, cy + 2.5);
      cairo_line_to(Cr, cx + 3.5, cy - 3);
      cairo_stroke(Cr);
      break;
    case 6: PaintCross(Cr, F, 6, C); break;
    case 7:  // a bookmark
      cairo_move_to(Cr, cx - 3, cy - 4);
      cairo_line_to(Cr, cx + 3, cy - 4);
      cairo_line_to(Cr, cx + 3, cy + 4);
      cairo_line_to(Cr, cx, cy + 1.5);
      cairo_line_to(Cr, cx - 3, cy + 4);
      cairo_close_path(Cr);
      cairo_fill(Cr);
      break;
    default:  // a funnel
      cairo_move_to(Cr, cx - 4, cy - 3.5);
      cairo_line_to(Cr, cx + 4, cy - 3.5);
      cairo_line_to(Cr, cx + 1, cy);
      cairo_line_to(Cr, cx + 1, cy + 4);
      cairo_line_to(Cr, cx - 1, cy + 3);
      cairo_line_to(Cr, cx - 1, cy);
      cairo_close_path(Cr);
      cairo_fill(Cr);
      break;
  }
}

void PaintNavigatorGlyph(cairo_t* Cr, const Frame& F, int Index, const Palette& P) {
  const double cx = F.x + F.w / 2, cy = F.y + F.h / 2;
  const Rgb c = P.glyph;
  auto bar = [&](double x) {
    SetColor(Cr, c);
    cairo_rectangle(Cr, x, cy - 4, 1.5, 8);
    cairo_fill(Cr);
  };
  switch (Index) {
    case 0: bar(cx - 4); PaintArrow(Cr, cx + 1, cy, 4, Direction::Left, c); break;
    case 1: PaintArrow(Cr, cx - 2, cy, 4, Direction::Left, c); PaintArrow(Cr, cx + 3, cy, 4, Direction::Left, c); break;
    case 2: PaintArrow(Cr, cx, cy, 4, Direction::Left, c); break;
    case 3: PaintArrow(Cr, cx, cy, 4, Direction::Right, c); break;
    case 4: PaintArrow(Cr, cx - 3, cy, 4, Direction::Right, c); PaintArrow(Cr, cx + 2, cy, 4, Direction::Right, c); break;
    case 5: PaintArrow(Cr, cx - 1, cy, 4, Direction::Right, c); bar(cx + 2.5); break;
    case 6:
    case 7:
      SetColor(Cr, Index == 6 ? P.accent : P.closeHot);
      cairo_rectangle(Cr, cx - 4, cy - 1, 8, 2);
      if (Index == 6) cairo_rectangle(Cr, cx - 1, cy - 4, 2, 8);
      cairo_fill(Cr);
      break;
    case 8: PaintIndicatorGlyph(Cr, F, 1, c); break;
    case 9: PaintIndicatorGlyph(Cr, F, 5, P.accent); break;
    case 10: PaintCross(Cr, F, 7, P.closeHot); break;
    case 11:  // refresh: an open ring with an arrow head
      SetColor(Cr, c);
      cairo_set_line_width(Cr, 1.6);
      cairo_arc(Cr, cx, cy, 4, 0.3 * M_PI, 1.9 * M_PI);
      cairo_stroke(Cr);
      PaintArrow(Cr, cx + 4, cy - 1.5, 2.5, Direction::Down, c);
      break;
    case 12: PaintIndicatorGlyph(Cr, F, 7, P.accent); break;
    case 13:
      PaintIndicatorGlyph(Cr, Frame{F.x - 2, F.y, F.w, F.h}, 7, P.accent);
      PaintArrow(Cr, cx + 4, cy, 2.5, Direction::Right, c);
      break;
    default: PaintIndicatorGlyph(Cr, F, 8, c); break;
  }
}
