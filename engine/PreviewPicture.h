#pragma once
// The picture side of the preview: turns a decoded frame into 32-bit pixels with the live
// brightness and contrast, hands them to the window's output and keeps the last picture shown
// for snapshots. Shown from the player's display thread, copied from the caller's thread.

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "engine/AvHandles.h"
#include "engine/BgraConverter.h"
#include "rtl/Types.h"

class PreviewPicture {
 public:
  // Gets each picture as B, G, R, A bytes, rows top to bottom without padding.
  using Output = std::function<void(const uint8_t* pixels, Integer width, Integer height)>;
  explicit PreviewPicture(Output output);

  void Show(const AVFrame* frame, Integer brightness, Integer contrast);

  // The snapshot protocol: `size` is the capacity of `buffer` on the way in and the bytes the
  // picture needs on the way out; the pixels are copied only when they fit. 0 x 0 and size 0
  // when nothing has been shown yet.
  void Copy(uint8_t* buffer, Integer& size, Integer& width, Integer& height) const;
  void Clear();

 private:
  // The frame's luma with the effects, when they change anything (otherwise frame's own planes).
  void Adjust(const AVFrame* frame, Integer brightness, Integer contrast, const uint8_t* planes[4]);

  Output FOutput;
  BgraConverter FConverter;
  std::vector<uint8_t> FLuma;      // the adjusted luma plane
  int FLumaStride = 0;
  std::vector<uint8_t> FRendered;  // the picture being made
  bool FWarnedFormat = false;

  mutable std::mutex FLock;
  std::vector<uint8_t> FShown;  // guarded by FLock
  Integer FWidth = 0;
  Integer FHeight = 0;
};
