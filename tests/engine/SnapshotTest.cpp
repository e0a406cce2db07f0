#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "MediaFixture.h"
#include "engine/BgraConverter.h"
#include "engine/MediaConv.h"

namespace {

using namespace std::chrono_literals;

// Memory whose last usable byte is followed by a page nobody may touch: a write past the end
// faults at once, also from inside libswscale where AddressSanitizer sees nothing.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(size_t size) : FPage(size_t(sysconf(_SC_PAGESIZE))) {
    FLength = (size + FPage - 1) / FPage * FPage + FPage;
    void* memory = mmap(nullptr, FLength, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    FMemory = static_cast<uint8_t*>(memory);
    mprotect(FMemory + FLength - FPage, FPage, PROT_NONE);
  }
  ~GuardedBuffer() { munmap(FMemory, FLength); }
  // `size` bytes that end at the guard page.
  uint8_t* End(size_t size) const { return FMemory + FLength - FPage - size; }

 private:
  size_t FPage;
  size_t FLength = 0;
  uint8_t* FMemory = nullptr;
};

TEST(Snapshot, ConversionWritesExactlyThePictureForEveryWidth) {
  constexpr int kMaxWidth = 1920, kHeight = 3;
  GuardedBuffer guarded(size_t(kMaxWidth) * kHeight * 4);
  AvFramePtr picture = NewFrame();
  picture->format = AV_PIX_FMT_YUV420P;
  picture->width = kMaxWidth;
  picture->height = kHeight;
  ASSERT_GE(av_frame_get_buffer(picture.get(), 0), 0);
  // White: luma 235, no colour.
  memset(picture->data[0], 235, size_t(picture->linesize[0]) * kHeight);
  memset(picture->data[1], 128, size_t(picture->linesize[1]) * ((kHeight + 1) / 2));
  memset(picture->data[2], 128, size_t(picture->linesize[2]) * ((kHeight + 1) / 2));

  BgraConverter converter;
  for (int width = 1; width <= kMaxWidth; ++width) {
    const size_t size = size_t(width) * kHeight * 4;
    uint8_t* target = guarded.End(size);
    ASSERT_TRUE(converter.Convert(picture->data, picture->linesize, width, kHeight, AV_PIX_FMT_YUV420P, target));
    // Near-white (the conversion dithers), opaque, up to the last pixel.
    const uint8_t* last = target + size - 4;
    for (int channel = 0; channel < 3; ++channel) ASSERT_GT(last[channel], 245) << width;
    ASSERT_EQ(last[3], 255) << width;
  }
}

TEST(Snapshot, NarrowSourceConvertsWithLiveSnapshots) {
  // The default WMV profile keeps the source size; 426 and 6 pixels are widths whose rows end
  // inside a conversion block.
  const String folder = NewOutputFolder("narrow");
  for (const char* size : {"426x240", "6x4"}) {
    SCOPED_TRACE(size);
    const String source = folder + "/" + size + ".mp4";
    Make(source, "-f lavfi -i testsrc2=size=" + String(size) + ":rate=25:duration=2 -f lavfi -i sine=duration=2 "
                 "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac");
    TJobSpec job;
    job.Input = source;
    job.Output = folder + "/" + size + ".wmv";
    job.VideoCodec = 74;
    job.FrameDuration = 417083;
    ASSERT_EQ(StartJob(job), erSuccess);
    Byte finished = 0, result = 0;
    int snaps = 0;
    // The last picture stays after the job ends: on a loaded machine the whole job may run
    // between two polls, and the poll after the end still finds a picture.
    while (!finished) {
      std::this_thread::sleep_for(1ms);
      MediaConv_WaitFor(&finished, &result);
      Byte* pixels = nullptr;
      Integer bytes = 0, width = 0, height = 0;
      ASSERT_EQ(MediaConv_GetSnap(&pixels, &bytes, &width, &height), erSuccess);
      if (pixels != nullptr) {
        ++snaps;
        EXPECT_EQ(bytes, width * height * 4);
      }
    }
    EXPECT_EQ(result, erSuccess);
    EXPECT_GT(snaps, 0);
  }
}

}  // namespace
