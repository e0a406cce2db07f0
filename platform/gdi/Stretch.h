#pragma once
// Resampling a DC's pixels into a 32-bit buffer: what StretchBlt, AlphaBlend and TransparentBlt
// read their source through.

#include <cstdint>
#include <vector>

#include "gdi/DcState.h"

// Source pixels of surface rectangle (x, y, width, height) of `source` resampled to
// destWidth x destHeight (both positive), mirrored when mirrorX/mirrorY. HALFTONE averages the
// source area of each pixel, the other modes take the nearest pixel. Monochrome sources become
// zeroPixel/onePixel. Source points outside the surface repeat its edge.
std::vector<uint32_t> ResampleSource(const PixelSurface& source, int x, int y, int width, int height, int destWidth,
                                     int destHeight, bool mirrorX, bool mirrorY, int stretchMode, uint32_t zeroPixel,
                                     uint32_t onePixel);
