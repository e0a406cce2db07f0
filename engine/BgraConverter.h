#pragma once
// Turns decoded pictures into 32-bit B, G, R, A pixels, rows top to bottom without padding: the
// form of snapshots and of the preview. libswscale writes whole vector blocks, past the end of a
// row whose byte length is not a multiple of its block, so it converts into a buffer of its own
// with the alignment and padding FFmpeg's frames have; the rows are then copied out exactly.

#include <cstdint>

#include "engine/AvHandles.h"

class BgraConverter {
 public:
  // Writes exactly width x height x 4 bytes at `target`, alpha opaque. False when pictures of
  // `format` cannot be converted (nothing is written then).
  bool Convert(const uint8_t* const planes[4], const int strides[4], int width, int height, AVPixelFormat format,
               uint8_t* target);
  bool Convert(const AVFrame* frame, uint8_t* target);

 private:
  SwsContextPtr FContext;  // kept while pictures keep their size and format
  AvFramePtr FPadded;      // the converted picture with FFmpeg's padding
};
