#include "engine/PreviewPicture.h"

#include <cstring>

#include "engine/EngineLog.h"
#include "engine/LumaAdjust.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

// Brightness and contrast work on the luma plane, as the converter applies them: pictures whose
// first plane is 8-bit luma, one byte per pixel.
bool HasLumaPlane(int format) {
  const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(format));
  return d != nullptr && !(d->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL)) && d->nb_components >= 1 &&
         d->comp[0].plane == 0 && d->comp[0].depth == 8 && d->comp[0].step == 1;
}

}  // namespace

PreviewPicture::PreviewPicture(Output output) : FOutput(std::move(output)) {}

void PreviewPicture::Adjust(const AVFrame* frame, Integer brightness, Integer contrast, const uint8_t* planes[4]) {
  for (int i = 0; i < 4; ++i) planes[i] = frame->data[i];
  const LumaAdjust adjust(brightness, contrast);
  if (adjust.Identity()) return;
  if (!HasLumaPlane(frame->format)) {
    if (!FWarnedFormat)
      EngineLog(TLogKind::Warning, "brightness and contrast not shown for pictures in %s",
                av_get_pix_fmt_name(AVPixelFormat(frame->format)));
    FWarnedFormat = true;
    return;
  }
  const size_t stride = size_t(frame->linesize[0] > 0 ? frame->linesize[0] : frame->width);
  // Padded as FFmpeg pads its planes: the conversion may read a little past the last row.
  FLuma.resize(stride * size_t(frame->height) + AV_INPUT_BUFFER_PADDING_SIZE);
  FLumaStride = int(stride);
  for (int row = 0; row < frame->height; ++row)
    memcpy(FLuma.data() + stride * size_t(row), frame->data[0] + ptrdiff_t(row) * frame->linesize[0], size_t(frame->width));
  adjust.Apply(FLuma.data(), int(stride), frame->width, frame->height);
  planes[0] = FLuma.data();
}

void PreviewPicture::Show(const AVFrame* frame, Integer brightness, Integer contrast) {
  if (frame->width <= 0 || frame->height <= 0) return;
  const uint8_t* planes[4];
  Adjust(frame, brightness, contrast, planes);
  int strides[4] = {frame->linesize[0], frame->linesize[1], frame->linesize[2], frame->linesize[3]};
  if (planes[0] == FLuma.data()) strides[0] = FLumaStride;
  FRendered.resize(size_t(frame->width) * size_t(frame->height) * 4);
  if (!FConverter.Convert(planes, strides, frame->width, frame->height, AVPixelFormat(frame->format), FRendered.data())) {
    if (!FWarnedFormat)
      EngineLog(TLogKind::Error, "cannot show pictures in %s", av_get_pix_fmt_name(AVPixelFormat(frame->format)));
    FWarnedFormat = true;
    return;
  }

  FOutput(FRendered.data(), frame->width, frame->height);
  std::lock_guard lock(FLock);
  FShown.swap(FRendered);
  FWidth = frame->width;
  FHeight = frame->height;
}

void PreviewPicture::Copy(uint8_t* buffer, Integer& size, Integer& width, Integer& height) const {
  std::lock_guard lock(FLock);
  const Integer capacity = size;
  size = Integer(FShown.size());
  width = FWidth;
  height = FHeight;
  if (buffer != nullptr && capacity >= size && size > 0) memcpy(buffer, FShown.data(), FShown.size());
}

void PreviewPicture::Clear() {
  std::lock_guard lock(FLock);
  FShown.clear();
  FWidth = FHeight = 0;
}
