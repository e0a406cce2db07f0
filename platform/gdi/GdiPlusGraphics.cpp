#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi/DcState.h"
#include "gdi/DcSurface.h"
#include "gdi/DeviceContexts.h"
#include "gdi/GdiPlusObjects.h"
#include "gdi/PixelOps.h"
#include "gdi/Premultiply.h"

namespace {

pixman_color_t PixmanColour(uint32_t premultiplied) {
  auto widen = [](uint32_t channel) { return static_cast<uint16_t>(channel * 0x101); };
  return {widen((premultiplied >> 16) & 0xFF), widen((premultiplied >> 8) & 0xFF), widen(premultiplied & 0xFF),
          widen(premultiplied >> 24)};
}

pixman_op_t OperatorOf(const GpGraphics& graphics) {
  return graphics.compositing == CompositingModeSourceCopy ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
}

void SetFilter(pixman_image_t* source, InterpolationMode mode, double scaleX, double scaleY) {
  switch (mode) {
    case InterpolationModeNearestNeighbor:
      pixman_image_set_filter(source, PIXMAN_FILTER_NEAREST, nullptr, 0);
      return;
    case InterpolationModeHighQuality:
    case InterpolationModeHighQualityBicubic:
    case InterpolationModeBicubic: {
      // A cubic reconstruction, averaged over the source pixels each destination pixel covers
      // when shrinking.
      int count = 0;
      pixman_kernel_t sampleX = scaleX > 1 ? PIXMAN_KERNEL_BOX : PIXMAN_KERNEL_IMPULSE;
      pixman_kernel_t sampleY = scaleY > 1 ? PIXMAN_KERNEL_BOX : PIXMAN_KERNEL_IMPULSE;
      pixman_fixed_t* params = pixman_filter_create_separable_convolution(
          &count, pixman_double_to_fixed(std::max(scaleX, 1.0)), pixman_double_to_fixed(std::max(scaleY, 1.0)),
          PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC, sampleX, sampleY, 4, 4);
      if (params) {
        pixman_image_set_filter(source, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
        free(params);
        return;
      }
      break;
    }
    default: break;
  }
  pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
}

GpStatus DrawImage(GpGraphics* graphics, GpImage* image, double dstX, double dstY, double dstWidth, double dstHeight,
                   double srcX, double srcY, double srcWidth, double srcHeight, GpUnit unit) {
  if (!graphics || !image) return InvalidParameter;
  if (unit != UnitPixel && unit != UnitWorld && unit != UnitDisplay) return NotImplemented;
  if (dstWidth == 0 || dstHeight == 0 || srcWidth == 0 || srcHeight == 0) return Ok;
  // The source is cut to the pixels its rectangle touches, and sampling stops at its edges.
  int left = std::clamp(static_cast<int>(std::floor(std::min(srcX, srcX + srcWidth))), 0, image->width);
  int top = std::clamp(static_cast<int>(std::floor(std::min(srcY, srcY + srcHeight))), 0, image->height);
  int right = std::clamp(static_cast<int>(std::ceil(std::max(srcX, srcX + srcWidth))), 0, image->width);
  int bottom = std::clamp(static_cast<int>(std::ceil(std::max(srcY, srcY + srcHeight))), 0, image->height);
  if (left >= right || top >= bottom) return Ok;
  int cutWidth = right - left, cutHeight = bottom - top;
  std::vector<uint32_t> pixels(static_cast<size_t>(cutWidth) * cutHeight);
  for (int y = 0; y < cutHeight; ++y) {
    RowToPremultiplied(image->format, image->Row(top + y) + left * BytesPerPixel(image->format),
                       pixels.data() + static_cast<size_t>(y) * cutWidth, cutWidth);
  }
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_a8r8g8b8, cutWidth, cutHeight, pixels.data(), cutWidth * 4);
  if (!source) return OutOfMemory;
  double scaleX = srcWidth / dstWidth, scaleY = srcHeight / dstHeight;
  CompositingMode compositing = graphics->compositing;
  InterpolationMode interpolation = graphics->interpolation;
  GpStatus status = WithTarget(*graphics, [&](pixman_image_t* dest, const pixman_region32_t*, int offsetX, int offsetY) {
    double x0 = dstX + offsetX, y0 = dstY + offsetY;
    int destLeft = static_cast<int>(std::lround(std::min(x0, x0 + dstWidth)));
    int destTop = static_cast<int>(std::lround(std::min(y0, y0 + dstHeight)));
    int destRight = static_cast<int>(std::lround(std::max(x0, x0 + dstWidth)));
    int destBottom = static_cast<int>(std::lround(std::max(y0, y0 + dstHeight)));
    if (destLeft >= destRight || destTop >= destBottom) return;
    // Destination point d maps to source point (d - x0) * scale + src - cut origin.
    pixman_transform_t transform;
    pixman_transform_init_identity(&transform);
    transform.matrix[0][0] = pixman_double_to_fixed(scaleX);
    transform.matrix[0][2] = pixman_double_to_fixed(srcX - left - x0 * scaleX);
    transform.matrix[1][1] = pixman_double_to_fixed(scaleY);
    transform.matrix[1][2] = pixman_double_to_fixed(srcY - top - y0 * scaleY);
    pixman_image_set_transform(source, &transform);
    pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
    SetFilter(source, interpolation, std::abs(scaleX), std::abs(scaleY));
    pixman_op_t op = compositing == CompositingModeSourceCopy ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
    pixman_image_composite32(op, source, nullptr, dest, destLeft, destTop, 0, 0, destLeft, destTop,
                             destRight - destLeft, destBottom - destTop);
  });
  pixman_image_unref(source);
  return status;
}

pixman_image_t* BrushImage(const GpBrush& brush) {
  if (brush.type == BrushTypeSolidColor || brush.type == BrushTypeHatchFill) {
    pixman_color_t colour = PixmanColour(Premultiply(brush.colour));
    return pixman_image_create_solid_fill(&colour);
  }
  if (brush.type != BrushTypeLinearGradient) return nullptr;
  const GpRect& r = brush.rect;
  double x1 = r.X, y1 = r.Y, x2 = r.X + r.Width, y2 = r.Y;
  switch (brush.gradientMode) {
    case LinearGradientModeVertical: x2 = r.X; y2 = r.Y + r.Height; break;
    case LinearGradientModeForwardDiagonal: y2 = r.Y + r.Height; break;
    case LinearGradientModeBackwardDiagonal: y1 = r.Y + r.Height; break;
    default: break;
  }
  pixman_point_fixed_t p1{pixman_double_to_fixed(x1), pixman_double_to_fixed(y1)};
  pixman_point_fixed_t p2{pixman_double_to_fixed(x2), pixman_double_to_fixed(y2)};
  pixman_gradient_stop_t stops[2] = {{0, PixmanColour(Premultiply(brush.colour))},
                                     {pixman_fixed_1, PixmanColour(Premultiply(brush.colour2))}};
  pixman_image_t* gradient = pixman_image_create_linear_gradient(&p1, &p2, stops, 2);
  if (gradient) {
    pixman_repeat_t repeat = brush.wrapMode == WrapModeClamp ? PIXMAN_REPEAT_PAD
                             : brush.wrapMode == WrapModeTile ? PIXMAN_REPEAT_NORMAL
                                                              : PIXMAN_REPEAT_REFLECT;
    pixman_image_set_repeat(gradient, repeat);
  }
  return gradient;
}

GpStatus Fill(GpGraphics* graphics, pixman_image_t* source, pixman_op_t op, INT x, INT y, INT width, INT height) {
  if (!source) return InvalidParameter;
  GpStatus status = WithTarget(*graphics, [&](pixman_image_t* dest, const pixman_region32_t*, int offsetX, int offsetY) {
    // The brush stays where the graphics' coordinates put it.
    pixman_transform_t transform;
    pixman_transform_init_translate(&transform, pixman_int_to_fixed(-offsetX), pixman_int_to_fixed(-offsetY));
    pixman_image_set_transform(source, &transform);
    pixman_image_composite32(op, source, nullptr, dest, x + offsetX, y + offsetY, 0, 0, x + offsetX, y + offsetY,
                             width, height);
  });
  pixman_image_unref(source);
  return status;
}

}  // namespace

namespace {

// A DC over pixels of another format (a 24-bit DIB, a monochrome bitmap) is drawn on through a
// 32-bit copy of the part its clip lets through, written back in its own format afterwards.
GpStatus WithConvertedTarget(const DeviceContext& dc,
                             const std::function<void(pixman_image_t*, const pixman_region32_t*, int, int)>& draw) {
  const PixelSurface& surface = dc.Surface();
  const int bits = surface.bitsPerPixel;
  if (bits != 24 && bits != 8 && bits != 4 && bits != 1) return NotImplemented;
  pixman_region32_t clip;
  pixman_region32_init_rect(&clip, 0, 0, static_cast<unsigned>(surface.width), static_cast<unsigned>(surface.height));
  pixman_region32_intersect(&clip, &clip, dc.Clip().Native());
  const pixman_box32_t* box = pixman_region32_extents(&clip);
  const int left = box->x1, top = box->y1, width = box->x2 - box->x1, height = box->y2 - box->y1;
  if (width <= 0 || height <= 0) {
    pixman_region32_fini(&clip);
    return Ok;
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = pixels.data() + static_cast<size_t>(y) * width;
    ReadPixels(surface, left, top + y, width, row);
    for (int x = 0; x < width; ++x) row[x] |= 0xFF000000u;  // the surface is opaque
  }
  pixman_image_t* dest = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, pixels.data(), width * 4);
  if (!dest) {
    pixman_region32_fini(&clip);
    return OutOfMemory;
  }
  pixman_region32_translate(&clip, -left, -top);
  pixman_image_set_clip_region32(dest, &clip);
  draw(dest, &clip, dc.OffsetX() - left, dc.OffsetY() - top);
  pixman_image_unref(dest);
  // Only what the clip lets through goes back.
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&clip, &count);
  for (int i = 0; i < count; ++i)
    for (int y = boxes[i].y1; y < boxes[i].y2; ++y)
      WritePixels(surface, left + boxes[i].x1, top + y, boxes[i].x2 - boxes[i].x1,
                  pixels.data() + static_cast<size_t>(y) * width + boxes[i].x1);
  pixman_region32_fini(&clip);
  return Ok;
}

}  // namespace

GpStatus WithTarget(GpGraphics& graphics,
                    const std::function<void(pixman_image_t*, const pixman_region32_t*, int, int)>& draw) {
  if (graphics.dc) {
    DeviceContext* dc = LookupDc(graphics.dc);
    if (!dc) return InvalidParameter;
    const PixelSurface& surface = dc->Surface();
    if (surface.Empty()) return Ok;
    if (surface.bitsPerPixel != 32) return WithConvertedTarget(*dc, draw);
    pixman_image_t* dest = pixman_image_create_bits(PIXMAN_a8r8g8b8, surface.width, surface.height,
                                                    reinterpret_cast<uint32_t*>(surface.top), static_cast<int>(surface.pitch));
    if (!dest) return OutOfMemory;
    pixman_region32_t clip;
    pixman_region32_init(&clip);
    pixman_region32_copy(&clip, dc->Clip().Native());
    pixman_image_set_clip_region32(dest, &clip);
    draw(dest, &clip, dc->OffsetX(), dc->OffsetY());
    pixman_region32_fini(&clip);
    pixman_image_unref(dest);
    return Ok;
  }
  GpImage* image = graphics.image;
  if (!image) return InvalidParameter;
  if (image->locked) return WrongState;
  bool direct = image->format == PixelFormat32bppPARGB;
  std::vector<uint32_t> converted;
  if (!direct) converted = PremultipliedPixels(*image);
  uint32_t* bits = direct ? reinterpret_cast<uint32_t*>(image->scan0) : converted.data();
  int stride = direct ? image->stride : image->width * 4;
  pixman_image_t* dest = pixman_image_create_bits(PIXMAN_a8r8g8b8, image->width, image->height, bits, stride);
  if (!dest) return OutOfMemory;
  draw(dest, nullptr, 0, 0);
  pixman_image_unref(dest);
  if (!direct) {
    for (int y = 0; y < image->height; ++y) {
      RowFromPremultiplied(image->format, converted.data() + static_cast<size_t>(y) * image->width, image->Row(y),
                           image->width);
    }
  }
  return Ok;
}

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
  if (!graphics || !LookupDc(dc)) return InvalidParameter;
  auto created = std::make_unique<GpGraphics>();
  created->dc = dc;
  *graphics = created.release();
  return Ok;
}

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  if (!image || !graphics) return InvalidParameter;
  auto created = std::make_unique<GpGraphics>();
  created->image = image;
  *graphics = created.release();
  return Ok;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  if (!graphics) return InvalidParameter;
  if (graphics->imageDc) DeleteDC(graphics->imageDc);
  delete graphics;
  return Ok;
}

GpStatus GdipGetDC(GpGraphics* graphics, HDC* dc) {
  if (!graphics || !dc) return InvalidParameter;
  if (graphics->dc) {
    *dc = graphics->dc;
    return Ok;
  }
  if (graphics->imageDc) return ObjectBusy;
  GpImage* image = graphics->image;
  if (BytesPerPixel(image->format) != 4) return NotImplemented;
  graphics->imageDc = CreateSurfaceDC(MakeSurface32(image->scan0, image->width, image->height, image->stride),
                                      POINT{0, 0}, nullptr);
  *dc = graphics->imageDc;
  return *dc ? Ok : OutOfMemory;
}

GpStatus GdipReleaseDC(GpGraphics* graphics, HDC dc) {
  if (!graphics || !dc) return InvalidParameter;
  if (graphics->dc) return graphics->dc == dc ? Ok : InvalidParameter;
  if (graphics->imageDc != dc) return InvalidParameter;
  DeleteDC(graphics->imageDc);
  graphics->imageDc = nullptr;
  return Ok;
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB colour) {
  if (!graphics) return InvalidParameter;
  pixman_color_t fill = PixmanColour(Premultiply(colour));
  return WithTarget(*graphics, [&](pixman_image_t* dest, const pixman_region32_t*, int, int) {
    pixman_image_t* source = pixman_image_create_solid_fill(&fill);
    pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, dest, 0, 0, 0, 0, 0, 0, pixman_image_get_width(dest),
                             pixman_image_get_height(dest));
    pixman_image_unref(source);
  });
}

GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode) {
  if (!graphics || mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic) return InvalidParameter;
  // Default and low quality are the bilinear mode, high quality the bicubic one.
  graphics->interpolation = mode == InterpolationModeDefault || mode == InterpolationModeLowQuality ? InterpolationModeBilinear
                            : mode == InterpolationModeHighQuality ? InterpolationModeHighQualityBicubic
                                                                   : mode;
  return Ok;
}

GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode) {
  if (!graphics || !mode) return InvalidParameter;
  *mode = graphics->interpolation;
  return Ok;
}

GpStatus GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode) {
  if (!graphics || (mode != CompositingModeSourceOver && mode != CompositingModeSourceCopy)) return InvalidParameter;
  graphics->compositing = mode;
  return Ok;
}

GpStatus GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode) {
  if (!graphics || !mode) return InvalidParameter;
  *mode = graphics->compositing;
  return Ok;
}

// Quality, smoothing and pixel offset are kept and answered; drawing is the same for every value.
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, int quality) {
  if (!graphics) return InvalidParameter;
  graphics->compositingQuality = quality;
  return Ok;
}

GpStatus GdipGetCompositingQuality(GpGraphics* graphics, int* quality) {
  if (!graphics || !quality) return InvalidParameter;
  *quality = graphics->compositingQuality;
  return Ok;
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, int mode) {
  if (!graphics) return InvalidParameter;
  graphics->smoothing = mode;
  return Ok;
}

GpStatus GdipGetSmoothingMode(GpGraphics* graphics, int* mode) {
  if (!graphics || !mode) return InvalidParameter;
  *mode = graphics->smoothing;
  return Ok;
}

GpStatus GdipSetPixelOffsetMode(GpGraphics* graphics, int mode) {
  if (!graphics) return InvalidParameter;
  graphics->pixelOffset = mode;
  return Ok;
}

GpStatus GdipGetPixelOffsetMode(GpGraphics* graphics, int* mode) {
  if (!graphics || !mode) return InvalidParameter;
  *mode = graphics->pixelOffset;
  return Ok;
}

GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstX, REAL dstY, REAL dstWidth,
                               REAL dstHeight, REAL srcX, REAL srcY, REAL srcWidth, REAL srcHeight, GpUnit srcUnit,
                               const GpImageAttributes*, DrawImageAbort, void*) {
  return DrawImage(graphics, image, dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth, srcHeight, srcUnit);
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstX, INT dstY, INT dstWidth, INT dstHeight,
                                INT srcX, INT srcY, INT srcWidth, INT srcHeight, GpUnit srcUnit,
                                const GpImageAttributes*, DrawImageAbort, void*) {
  return DrawImage(graphics, image, dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth, srcHeight, srcUnit);
}

GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
  if (!image) return InvalidParameter;
  return DrawImage(graphics, image, x, y, width, height, 0, 0, image->width, image->height, UnitPixel);
}

GpStatus GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcX, REAL srcY,
                                REAL srcWidth, REAL srcHeight, GpUnit srcUnit) {
  return DrawImage(graphics, image, x, y, srcWidth, srcHeight, srcX, srcY, srcWidth, srcHeight, srcUnit);
}

GpStatus GdipDrawCachedBitmap(GpGraphics* graphics, GpCachedBitmap* cached, INT x, INT y) {
  if (!cached || !cached->image) return InvalidParameter;
  GpImage* image = cached->image.get();
  return DrawImage(graphics, image, x, y, image->width, image->height, 0, 0, image->width, image->height, UnitPixel);
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  if (!graphics || !brush) return InvalidParameter;
  if (width <= 0 || height <= 0) return Ok;
  return Fill(graphics, BrushImage(*brush), OperatorOf(*graphics), x, y, width, height);
}
