#pragma once
// The picture filter of a conversion: crop, scale into the picture rectangle of the output
// frame over black bars, then brightness and contrast. Pictures leave as 4:2:0 planar YUV, the
// format of every encoder the engine offers.

#include "engine/AvHandles.h"
#include "engine/LumaAdjust.h"
#include "engine/PictureLayout.h"

class PictureFilter {
 public:
  PictureFilter(const TPictureLayout& layout, Integer brightness, Integer contrast);

  // A new frame (or a new reference to `decoded` when nothing changes it). pts is not set.
  AvFramePtr Apply(const AVFrame* decoded);

 private:
  bool PassesThrough(const AVFrame* decoded) const;

  TPictureLayout FLayout;
  LumaAdjust FAdjust;
  SwsContextPtr FScaler;  // kept over frames of the same size and format
};
