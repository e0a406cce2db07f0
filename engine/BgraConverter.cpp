#include "engine/BgraConverter.h"

#include <cstring>

bool BgraConverter::Convert(const uint8_t* const planes[4], const int strides[4], int width, int height,
                            AVPixelFormat format, uint8_t* target) {
  if (width <= 0 || height <= 0) return false;
  // sws_getCachedContext frees the context it does not return.
  FContext.reset(sws_getCachedContext(FContext.release(), width, height, format, width, height, AV_PIX_FMT_BGRA,
                                      SWS_POINT, nullptr, nullptr, nullptr));
  if (!FContext) return false;
  if (!FPadded || FPadded->width != width || FPadded->height != height) {
    FPadded = NewFrame();
    FPadded->format = AV_PIX_FMT_BGRA;
    FPadded->width = width;
    FPadded->height = height;
    if (av_frame_get_buffer(FPadded.get(), 0) < 0) {
      FPadded.reset();
      throw std::bad_alloc();
    }
  }
  sws_scale(FContext.get(), planes, strides, 0, height, FPadded->data, FPadded->linesize);
  const size_t rowBytes = size_t(width) * 4;
  for (int row = 0; row < height; ++row) {
    uint8_t* out = target + rowBytes * size_t(row);
    memcpy(out, FPadded->data[0] + ptrdiff_t(row) * FPadded->linesize[0], rowBytes);
    // Some conversions leave the alpha byte 0.
    for (size_t i = 3; i < rowBytes; i += 4) out[i] = 255;
  }
  return true;
}

bool BgraConverter::Convert(const AVFrame* frame, uint8_t* target) {
  return Convert(frame->data, frame->linesize, frame->width, frame->height, AVPixelFormat(frame->format), target);
}
