#include "gdi/ImageFiles.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace {

struct ReadState {
  const uint8_t* data;
  size_t size;
  size_t at;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
  if (count > state->size - state->at) png_error(png, "truncated");
  std::memcpy(out, state->data + state->at, count);
  state->at += count;
}

void WriteBytes(png_structp png, png_bytep in, png_size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), in, in + count);
}

void Flush(png_structp) {}

// libpng reports errors by longjmp back to the decoder, quietly; warnings are of no interest.
[[noreturn]] void Error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Warning(png_structp, png_const_charp) {}

constexpr png_uint_32 kMaxSide = 1 << 15;
// Deflate packs at most this many bytes into one: data smaller than the rows over this cannot be them.
constexpr uint64_t kMaxDeflateRatio = 1032;

}  // namespace

bool DecodePng(const void* data, size_t size, PixelImage& image, bool premultiply) {
  if (!data || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &Error, &Warning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  ReadState state{static_cast<const uint8_t*>(data), size, 0};
  // Locals that live across setjmp are volatile or set before it.
  PixelImage result;
  std::vector<png_bytep> rows;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return false;
  }
  png_set_read_fn(png, &state, &ReadBytes);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const uint64_t rawBytes = (uint64_t{png_get_rowbytes(png, info)} + 1) * height;  // a filter byte per row
  if (uint64_t{width} * height > kMaxImagePixels || rawBytes > uint64_t{size} * kMaxDeflateRatio)
    png_error(png, "too large");
  const int colourType = png_get_color_type(png, info);
  const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  // Everything becomes 8-bit B, G, R, A.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  result.width = static_cast<int>(width);
  result.height = static_cast<int>(height);
  result.hasAlpha = alpha;
  result.pixels.resize(static_cast<size_t>(width) * height);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = reinterpret_cast<png_bytep>(result.pixels.data() + size_t{y} * width);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  if (premultiply && alpha) {
    for (uint32_t& p : result.pixels) {
      const uint32_t a = p >> 24;
      auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
      p = (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
    }
  }
  image = std::move(result);
  return true;
}

bool EncodePng(const PixelImage& image, std::vector<uint8_t>& out, bool premultiplied) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    return false;
  }
  std::vector<uint32_t> straight(image.pixels);
  if (premultiplied && image.hasAlpha) {
    for (uint32_t& p : straight) {
      const uint32_t a = p >> 24;
      if (a == 0 || a == 255) continue;
      auto unscale = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
      p = (a << 24) | (unscale((p >> 16) & 0xFF) << 16) | (unscale((p >> 8) & 0xFF) << 8) | unscale(p & 0xFF);
    }
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &Error, &Warning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(static_cast<size_t>(image.height));
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &out, &WriteBytes, &Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               image.hasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  if (!image.hasAlpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < image.height; ++y) {
    rows[static_cast<size_t>(y)] = reinterpret_cast<png_bytep>(straight.data() + static_cast<size_t>(y) * image.width);
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
