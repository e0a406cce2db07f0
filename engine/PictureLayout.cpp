#include "engine/PictureLayout.h"

#include <algorithm>

#include "engine/EngineError.h"

namespace {

Integer EvenDown(Int64 value) { return Integer(std::max<Int64>(2, value & ~Int64(1))); }

}  // namespace

TRect ClipCrop(TRect crop, Integer width, Integer height) {
  TRect clipped{std::max(crop.Left, 0), std::max(crop.Top, 0), std::min(crop.Right, width),
                std::min(crop.Bottom, height)};
  if (clipped.Width() <= 0 || clipped.Height() <= 0) return TRect{0, 0, width, height};
  return clipped;
}

TPictureLayout LayoutPicture(TSize source, TRect crop, TSize frame, TSize aspect) {
  TPictureLayout layout;
  layout.Crop = ClipCrop(crop, source.cx, source.cy);
  if (frame.cx == 0 && frame.cy == 0) {
    layout.FrameWidth = EvenDown(layout.Crop.Width());
    layout.FrameHeight = EvenDown(layout.Crop.Height());
  } else if (frame.cx <= 0 || frame.cy <= 0 || frame.cx % 2 != 0 || frame.cy % 2 != 0) {
    RaiseEngineError(erOutputParameters,
                     "picture size " + std::to_string(frame.cx) + "x" + std::to_string(frame.cy) + " not encodable");
  } else {
    layout.FrameWidth = frame.cx;
    layout.FrameHeight = frame.cy;
  }

  const Int64 w = layout.FrameWidth, h = layout.FrameHeight;
  layout.Picture = TRect{0, 0, Integer(w), Integer(h)};
  if (aspect.cx <= 0 || aspect.cy <= 0) return layout;
  // Compare the shapes in 64 bits; the picture keeps `aspect` and touches two sides of the frame.
  const Int64 aw = aspect.cx, ah = aspect.cy;
  Int64 pw = w, ph = h;
  if (aw * h > ah * w)
    ph = std::min<Int64>(h, EvenDown((w * ah * 2 + aw) / (2 * aw)));
  else
    pw = std::min<Int64>(w, EvenDown((h * aw * 2 + ah) / (2 * ah)));
  const Integer x = Integer(((w - pw) / 2) & ~Int64(1));
  const Integer y = Integer(((h - ph) / 2) & ~Int64(1));
  layout.Picture = TRect{x, y, x + Integer(pw), y + Integer(ph)};
  return layout;
}
