#include "engine/FrameSnapshot.h"

void FrameSnapshot::Update(const AVFrame* frame) {
  AvFramePtr latest = RefFrame(frame);
  std::lock_guard lock(FLock);
  FLatest.swap(latest);
}

void FrameSnapshot::Clear() {
  std::lock_guard lock(FLock);
  FLatest.reset();
}

bool FrameSnapshot::CopyBgra(std::vector<uint8_t>& pixels, Integer& width, Integer& height) {
  std::lock_guard copyLock(FCopyLock);
  width = height = 0;
  pixels.clear();
  AvFramePtr frame;
  {
    std::lock_guard lock(FLock);
    if (FLatest) frame = RefFrame(FLatest.get());
  }
  if (!frame || frame->width <= 0 || frame->height <= 0) return false;
  FConverter.reset(sws_getCachedContext(FConverter.release(), frame->width, frame->height,
                                        AVPixelFormat(frame->format), frame->width, frame->height,
                                        AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr));
  if (!FConverter) return false;
  pixels.resize(size_t(frame->width) * size_t(frame->height) * 4);
  uint8_t* target[4] = {pixels.data(), nullptr, nullptr, nullptr};
  int targetStride[4] = {frame->width * 4, 0, 0, 0};
  sws_scale(FConverter.get(), frame->data, frame->linesize, 0, frame->height, target, targetStride);
  width = frame->width;
  height = frame->height;
  return true;
}
