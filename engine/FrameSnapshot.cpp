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
  pixels.resize(size_t(frame->width) * size_t(frame->height) * 4);
  if (!FConverter.Convert(frame.get(), pixels.data())) {
    pixels.clear();
    return false;
  }
  width = frame->width;
  height = frame->height;
  return true;
}
