#include "engine/PictureFilter.h"

#include <cstring>

#include "engine/EngineError.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

PictureFilter::PictureFilter(const TPictureLayout& layout, Integer brightness, Integer contrast)
    : FLayout(layout), FAdjust(brightness, contrast) {}

bool PictureFilter::PassesThrough(const AVFrame* decoded) const {
  const TRect whole{0, 0, decoded->width, decoded->height};
  return decoded->format == AV_PIX_FMT_YUV420P && FAdjust.Identity() &&
         ClipCrop(FLayout.Crop, decoded->width, decoded->height) == whole &&
         FLayout.FrameWidth == decoded->width && FLayout.FrameHeight == decoded->height &&
         FLayout.Picture == whole;
}

AvFramePtr PictureFilter::Apply(const AVFrame* decoded) {
  if (PassesThrough(decoded)) return RefFrame(decoded);

  // The source may change size mid-stream: crop what this frame has.
  const TRect crop = ClipCrop(FLayout.Crop, decoded->width, decoded->height);
  AvFramePtr cropped = RefFrame(decoded);
  cropped->crop_left = size_t(crop.Left);
  cropped->crop_top = size_t(crop.Top);
  cropped->crop_right = size_t(decoded->width - crop.Right);
  cropped->crop_bottom = size_t(decoded->height - crop.Bottom);
  int error = av_frame_apply_cropping(cropped.get(), AV_FRAME_CROP_UNALIGNED);
  if (error < 0) RaiseEngineError(erDecoderFailed, "cannot crop a decoded picture: " + AvErrorText(error));

  AvFramePtr out = NewFrame();
  out->format = AV_PIX_FMT_YUV420P;
  out->width = FLayout.FrameWidth;
  out->height = FLayout.FrameHeight;
  if (av_frame_get_buffer(out.get(), 0) < 0) throw std::bad_alloc();
  const TRect& picture = FLayout.Picture;
  if (picture != TRect{0, 0, out->width, out->height}) {
    memset(out->data[0], 16, size_t(out->linesize[0]) * size_t(out->height));
    memset(out->data[1], 128, size_t(out->linesize[1]) * size_t((out->height + 1) / 2));
    memset(out->data[2], 128, size_t(out->linesize[2]) * size_t((out->height + 1) / 2));
  }

  // sws_getCachedContext frees the context it does not return.
  FScaler.reset(sws_getCachedContext(FScaler.release(), cropped->width, cropped->height, AVPixelFormat(cropped->format),
                                 picture.Width(), picture.Height(), AV_PIX_FMT_YUV420P, SWS_BICUBIC,
                                 nullptr, nullptr, nullptr));
  if (!FScaler)
    RaiseEngineError(erOutputParameters, String("cannot scale pictures of format ") +
                                             av_get_pix_fmt_name(AVPixelFormat(cropped->format)));
  uint8_t* target[4] = {
      out->data[0] + ptrdiff_t(picture.Top) * out->linesize[0] + picture.Left,
      out->data[1] + ptrdiff_t(picture.Top / 2) * out->linesize[1] + picture.Left / 2,
      out->data[2] + ptrdiff_t(picture.Top / 2) * out->linesize[2] + picture.Left / 2, nullptr};
  sws_scale(FScaler.get(), cropped->data, cropped->linesize, 0, cropped->height, target, out->linesize);
  FAdjust.Apply(target[0], out->linesize[0], picture.Width(), picture.Height());
  return out;
}
