#include "Bmp.h"

#include <cmath>
#include <cstdio>

Rgb Mix(Rgb a, Rgb b, double t) {
  auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// File and info headers; rows follow bottom-up, padded to 4 bytes.
std::vector<uint8_t> Headers(int width, int height, int bits, int rowBytes) {
  std::vector<uint8_t> out{'B', 'M'};
  Put32(out, uint32_t(54 + rowBytes * height));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, uint32_t(bits));
  Put32(out, 0);
  Put32(out, uint32_t(rowBytes * height));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  return out;
}

// A pixel of a cairo ARGB32 surface, alpha separated from the (premultiplied) colour.
struct Pixel {
  uint8_t r, g, b, a;
};
Pixel At(cairo_surface_t* surface, int x, int y) {
  const uint8_t* row = cairo_image_surface_get_data(surface) + size_t(y) * size_t(cairo_image_surface_get_stride(surface));
  const uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
  const uint8_t a = uint8_t(v >> 24);
  auto straight = [a](uint32_t c) { return a ? uint8_t(std::min<uint32_t>(255, (c * 255 + a / 2) / a)) : uint8_t(0); };
  return {straight((v >> 16) & 0xFF), straight((v >> 8) & 0xFF), straight(v & 0xFF), a};
}

}  // namespace

std::vector<uint8_t> BmpFile(int width, int height, const std::function<Rgb(int, int)>& pixel) {
  const int rowBytes = ((width * 24 + 31) / 32) * 4;
  std::vector<uint8_t> out = Headers(width, height, 24, rowBytes);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(rowBytes), 0);
    for (int x = 0; x < width; ++x) {
      Rgb c = pixel(x, y);
      row[size_t(x * 3)] = uint8_t(c.b);
      row[size_t(x * 3 + 1)] = uint8_t(c.g);
      row[size_t(x * 3 + 2)] = uint8_t(c.r);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<uint8_t> OpaqueBmp(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  return BmpFile(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), [surface](int x, int y) {
    Pixel p = At(surface, x, y);
    return Rgb{p.r, p.g, p.b};
  });
}

std::vector<uint8_t> AlphaBmp(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  std::vector<uint8_t> out = Headers(width, height, 32, width * 4);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) {
      Pixel p = At(surface, x, y);
      out.insert(out.end(), {p.b, p.g, p.r, p.a});
    }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  return std::fclose(file) == 0 && ok;
}
