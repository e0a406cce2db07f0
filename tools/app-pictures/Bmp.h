// BMP files for the program's pictures: 24-bit opaque pictures from a pixel function or a drawn
// surface, and 32-bit pictures with straight (not premultiplied) alpha for images and glyphs that
// are blended onto whatever lies behind them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <cairo.h>

struct Rgb {
  int r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t);

std::vector<uint8_t> BmpFile(int width, int height, const std::function<Rgb(int, int)>& pixel);
std::vector<uint8_t> OpaqueBmp(cairo_surface_t* surface);
std::vector<uint8_t> AlphaBmp(cairo_surface_t* surface);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data);
