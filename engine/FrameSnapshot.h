#pragma once
// The picture a pipeline is working on, kept for anyone who asks for a still of it. Engine
// threads only swap a frame reference under the lock; the conversion into 32-bit pixels is done
// by the caller, in its own thread.

#include <cstdint>
#include <mutex>
#include <vector>

#include "engine/AvHandles.h"
#include "engine/BgraConverter.h"
#include "rtl/Types.h"

class FrameSnapshot {
 public:
  void Update(const AVFrame* frame);
  void Clear();

  // Writes the latest picture as B, G, R, A bytes, rows top to bottom without padding, into
  // `pixels` (resized); false, with 0 x 0 and no pixels, when there is no picture yet.
  bool CopyBgra(std::vector<uint8_t>& pixels, Integer& width, Integer& height);

 private:
  std::mutex FLock;
  AvFramePtr FLatest;        // guarded by FLock
  BgraConverter FConverter;  // used by CopyBgra only, one caller at a time
  std::mutex FCopyLock;
};
