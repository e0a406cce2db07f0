#include <gtest/gtest.h>

#include <thread>

#include "MediaFixture.h"
#include "engine/MediaConv.h"
#include "engine/SegmentPlan.h"

namespace {

using namespace std::chrono_literals;

// 15 s at 25 fps with a key frame every second, and sound: three parts of the shortest length.
const String& KeyedClip() {
  static const String path = [] {
    const String clip = Media().Folder + "/keyed.mp4";
    Make(clip, "-f lavfi -i testsrc2=size=320x240:rate=25:duration=15 -f lavfi -i sine=frequency=440:duration=15 "
               "-c:v libx264 -preset ultrafast -g 25 -pix_fmt yuv420p -c:a aac -ac 2");
    return clip;
  }();
  return path;
}

// Jobs run in at most `parts` parts while it lives.
class PartLimit {
 public:
  explicit PartLimit(Integer parts) { MediaConvSetParts(parts); }
  ~PartLimit() { MediaConvSetParts(0); }
};

TJobSpec KeyedJob(const String& output) {
  TJobSpec job;
  job.Input = KeyedClip();
  job.Output = output;
  job.VideoCodec = 19;
  job.VideoBitRate = 300000;
  return job;
}

TEST(SegmentPlan, CutsAtTheKeyFramesNearestEqualShares) {
  constexpr Int64 s = 10000000;
  std::vector<Int64> everySecond;
  for (Int64 t = 0; t <= 60; ++t) everySecond.push_back(t * s);
  struct TCase {
    const char* Name;
    std::vector<Int64> Keys;
    Int64 Start, End;
    int Parts;
    std::vector<Int64> Cuts;
  } cases[] = {
      {"equal thirds", everySecond, 0, 15 * s, 3, {5 * s, 10 * s}},
      {"nearest key frames, the rest shared anew", everySecond, 0, 17 * s, 3, {6 * s, 11 * s}},
      {"range inside the file", everySecond, 20 * s, 32 * s, 2, {26 * s}},
      {"no more parts than lengths allow", everySecond, 0, 11 * s, 8, {5 * s}},
      {"too short for two parts", everySecond, 0, 9 * s, 8, {}},
      {"key frames only near the ends", {0, 1 * s, 11 * s}, 0, 12 * s, 2, {}},
      {"sparse key frames", {0, 8 * s, 16 * s, 25 * s, 33 * s}, 0, 40 * s, 4, {8 * s, 16 * s, 25 * s}},
      {"fewer key frames than parts", {0, 8 * s, 16 * s, 24 * s}, 0, 32 * s, 8, {8 * s, 16 * s, 24 * s}},
      {"one part asked", everySecond, 0, 60 * s, 1, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ChooseCuts(c.Keys, c.Start, c.End, c.Parts, 5 * s), c.Cuts);
  }
}

TEST(SegmentedConvert, PartsWriteWhatOneStreamWrites) {
  const String folder = NewOutputFolder("parts");
  struct TCase {
    const char* Name;
    Int64 Start, Length;
    int Frames;
    std::vector<int> PartStarts;  // frames where a part's key frame must be
  } cases[] = {
      {"whole clip", 0, 0, 375, {125, 250}},
      {"a range", 2 * kSecond, 11 * kSecond, 275, {125}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJobSpec job = KeyedJob(folder + "/single.wmv");
    job.Start = c.Start;
    job.Length = c.Length;
    {
      PartLimit one(1);
      ASSERT_EQ(Convert(job), erSuccess);
    }
    const String single = job.Output;
    job.Output = folder + "/parts.wmv";
    {
      PartLimit three(3);
      ASSERT_EQ(Convert(job), erSuccess);
    }
    Int64 position = 0;
    MediaConv_GetCurrentPosition(&position);
    EXPECT_NEAR(double(position - c.Start) / kSecond, c.Frames / 25.0, 0.05);

    const std::vector<TPacket> video = Packets(job.Output, "v"), oneVideo = Packets(single, "v");
    ASSERT_EQ(int(video.size()), c.Frames);
    ASSERT_EQ(video.size(), oneVideo.size());
    double bytes = 0;
    for (size_t i = 0; i < video.size(); ++i) {
      EXPECT_EQ(video[i].Time, oneVideo[i].Time) << i;
      bytes += double(video[i].Size);
    }
    for (int start : c.PartStarts) EXPECT_TRUE(video[size_t(start)].Key) << start;
    // The sound is one stream, in step with the pictures as in one stream: the same packets at
    // the same times.
    EXPECT_EQ(Packets(job.Output, "a"), Packets(single, "a"));
    EXPECT_NEAR(bytes * 8 / (c.Frames / 25.0), job.VideoBitRate, job.VideoBitRate * 0.05);
    EXPECT_GE(PsnrAgainst(job.Output, KeyedClip()) + 0.3, PsnrAgainst(single, KeyedClip()));
  }
  for (const String& name : FolderEntries(folder)) EXPECT_NE(name[0], '.') << name;
}

TEST(SegmentedConvert, PauseSnapshotsCancelAndFailuresWorkOnParts) {
  const String folder = NewOutputFolder("parts-control");
  PartLimit three(3);
  const TJobSpec job = KeyedJob(folder + "/out.wmv");
  ASSERT_EQ(StartJob(job), erSuccess);
  ASSERT_EQ(MediaConv_Pause(), erSuccess);
  std::this_thread::sleep_for(200ms);
  Int64 before = 0, after = 0;
  MediaConv_GetCurrentPosition(&before);
  std::this_thread::sleep_for(200ms);
  MediaConv_GetCurrentPosition(&after);
  EXPECT_EQ(before, after);
  Byte finished = 1, result = 0;
  MediaConv_WaitFor(&finished, &result);
  EXPECT_EQ(finished, 0);

  ASSERT_EQ(MediaConv_Continue(), erSuccess);
  Byte* pixels = nullptr;
  Integer size = 0, width = 0, height = 0;
  while (pixels == nullptr && !finished) {
    std::this_thread::sleep_for(1ms);
    MediaConv_GetSnap(&pixels, &size, &width, &height);
    MediaConv_WaitFor(&finished, &result);
  }
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
  EXPECT_EQ(size, 320 * 240 * 4);

  ASSERT_EQ(MediaConv_Cancel(), erSuccess);
  MediaConv_WaitFor(&finished, &result);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(FolderEntries(folder).empty());

  // A part that cannot write fails the job, and nothing is left.
  EXPECT_EQ(ConvertOnAFullDisk(job), erCannotCreateOutput);
  EXPECT_TRUE(FolderEntries(folder).empty());
}

}  // namespace
