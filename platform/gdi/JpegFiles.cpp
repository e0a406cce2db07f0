#include "gdi/ImageFiles.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE declared first, and defines TRUE and FALSE as macros of its own.
#include <jpeglib.h>
#include <jerror.h>
#undef TRUE
#undef FALSE

namespace {

// libjpeg reports fatal errors through error_exit; ours jumps back instead of ending the program.
struct ErrorManager {
  jpeg_error_mgr base;
  jmp_buf jump;
};

void ErrorExit(j_common_ptr info) { longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void OutputMessage(j_common_ptr) {}
// A picture cut short is an error, not a picture padded out with grey.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) ErrorExit(info);
}

// Every 8 x 8 block of a Huffman-coded picture costs at least one bit; arithmetic coding has no
// such floor.
bool DataCanHold(const jpeg_decompress_struct& info, size_t size) {
  const uint64_t pixels = uint64_t{info.image_width} * info.image_height;
  const uint64_t blocks = (uint64_t{info.image_width} + 7) / 8 * ((uint64_t{info.image_height} + 7) / 8);
  return pixels <= kMaxImagePixels && (info.arith_code || blocks <= uint64_t{size} * 8);
}

constexpr JDIMENSION kMaxSide = 1 << 15;

}  // namespace

bool DecodeJpeg(const void* data, size_t size, PixelImage& image) {
  if (!data || size < 4) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = &ErrorExit;
  errors.base.output_message = &OutputMessage;
  errors.base.emit_message = &EmitMessage;
  PixelImage result;
  std::vector<uint8_t> row;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&info, 1);
  info.out_color_space = JCS_RGB;
  if (info.image_width > kMaxSide || info.image_height > kMaxSide || !DataCanHold(info, size)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  result.width = static_cast<int>(info.output_width);
  result.height = static_cast<int>(info.output_height);
  result.pixels.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
  row.resize(static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components));
  while (info.output_scanline < info.output_height) {
    const JDIMENSION y = info.output_scanline;
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    uint32_t* out = result.pixels.data() + static_cast<size_t>(y) * result.width;
    for (int x = 0; x < result.width; ++x) {
      const uint8_t* p = row.data() + static_cast<size_t>(x) * 3;
      out[x] = 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  image = std::move(result);
  return true;
}

bool EncodeJpeg(const PixelImage& image, int quality, std::vector<uint8_t>& out) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    return false;
  }
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = &ErrorExit;
  errors.base.output_message = &OutputMessage;
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    free(buffer);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &length);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality < 1 ? 1 : quality > 100 ? 100 : quality, 1);
  jpeg_start_compress(&info, 1);
  while (info.next_scanline < info.image_height) {
    const uint32_t* in = image.pixels.data() + static_cast<size_t>(info.next_scanline) * image.width;
    for (int x = 0; x < image.width; ++x) {
      row[static_cast<size_t>(x) * 3] = static_cast<uint8_t>(in[x] >> 16);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>(in[x] >> 8);
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>(in[x]);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  out.insert(out.end(), buffer, buffer + length);
  free(buffer);
  return true;
}
