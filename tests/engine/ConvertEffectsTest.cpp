#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "MediaFixture.h"
#include "engine/MediaConv.h"

namespace {

// The halves clip: left half white, right half black, 320x240.
TJobSpec HalvesJob(const String& output) {
  TJobSpec job;
  job.Input = Media().Halves;
  job.Output = output;
  job.VideoCodec = 19;
  job.VideoBitRate = 2000000;
  return job;
}

struct TPictureCase {
  const char* Name;
  std::function<void(TJobSpec&)> Set;
  Integer Width, Height;
  // Regions of the output's first picture (left, top, right, bottom) and the range of their
  // mean luma.
  struct TRegion {
    int Left, Top, Right, Bottom;
    double Low, High;
  };
  std::vector<TRegion> Regions;
};

TEST(ConvertEffects, PictureShowsCropLetterboxBrightnessAndContrast) {
  constexpr double kBlack = 16, kWhite = 235;
  const TPictureCase cases[] = {
      {"no effect", [](TJobSpec&) {}, 320, 240,
       {{10, 10, 150, 230, kWhite - 15, 255}, {170, 10, 310, 230, 0, kBlack + 15}}},
      {"crop of the black half at source size", [](TJobSpec& j) { j.Crop = {160, 0, 320, 240}; }, 160, 240,
       {{5, 5, 155, 235, 0, kBlack + 15}}},
      {"crop of the white half scaled to 320x240",
       [](TJobSpec& j) { j.Crop = {0, 0, 160, 240}; j.Width = 320; j.Height = 240; }, 320, 240,
       {{5, 5, 315, 235, kWhite - 15, 255}}},
      {"16:9 letterbox", [](TJobSpec& j) { j.Aspect = {16, 9}; }, 320, 240,
       {{0, 0, 320, 26, 0, kBlack + 10}, {0, 214, 320, 240, 0, kBlack + 10}, {10, 40, 150, 200, kWhite - 15, 255}}},
      {"kept shape of a crop, pillarboxed",
       [](TJobSpec& j) { j.Crop = {0, 0, 160, 240}; j.Aspect = {160, 240}; j.Width = 320; j.Height = 240; }, 320, 240,
       {{0, 0, 76, 240, 0, kBlack + 10}, {244, 0, 320, 240, 0, kBlack + 10}, {86, 10, 234, 230, kWhite - 15, 255}}},
      {"brightness +100", [](TJobSpec& j) { j.Brightness = 100; }, 320, 240,
       {{170, 10, 310, 230, kBlack + 85, kBlack + 115}}},
      {"brightness -100", [](TJobSpec& j) { j.Brightness = -100; }, 320, 240,
       {{10, 10, 150, 230, kWhite - 115, kWhite - 85}}},
      {"contrast -100 pulls both halves to grey", [](TJobSpec& j) { j.Contrast = -100; }, 320, 240,
       {{10, 10, 150, 230, 128, 170}, {170, 10, 310, 230, 90, 128}}},
  };
  const String folder = NewOutputFolder("picture");
  for (const TPictureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJobSpec job = HalvesJob(folder + "/out.wmv");
    c.Set(job);
    ASSERT_EQ(Convert(job), erSuccess);
    int width = 0, height = 0;
    const std::vector<uint8_t> gray = GrayFrame(job.Output, 5, width, height);
    ASSERT_EQ(width, c.Width);
    ASSERT_EQ(height, c.Height);
    ASSERT_EQ(gray.size(), size_t(width) * size_t(height));
    for (const auto& r : c.Regions) {
      const double mean = MeanOf(gray, width, r.Left, r.Top, r.Right, r.Bottom);
      EXPECT_GE(mean, r.Low) << "region " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
      EXPECT_LE(mean, r.High) << "region " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    }
  }
}

TEST(ConvertEffects, VolumeScalesTheSound) {
  const String folder = NewOutputFolder("volume");
  double level[3] = {};
  const Integer volumes[3] = {50, 100, 200};
  for (int i = 0; i < 3; ++i) {
    TJobSpec job;
    job.Input = Media().Mp4;
    job.Output = folder + "/v" + std::to_string(volumes[i]) + ".wmv";
    job.VideoCodec = 19;
    job.Volume = volumes[i];
    ASSERT_EQ(Convert(job), erSuccess);
    level[i] = MeanVolumeDb(job.Output);
  }
  EXPECT_NEAR(level[0] - level[1], -6.0, 1.0);
  EXPECT_NEAR(level[2] - level[1], 6.0, 1.0);
}

TEST(ConvertEffects, RangeConvertsFromStartForLength) {
  const String folder = NewOutputFolder("range");
  TJobSpec job;
  job.Input = Media().Long;  // 10 s at 25 fps
  job.Output = folder + "/range.wmv";
  job.VideoCodec = 19;
  job.VideoBitRate = 3000000;
  job.FrameDuration = 400000;
  job.Start = 3 * kSecond;
  job.Length = 2 * kSecond;
  ASSERT_EQ(Convert(job), erSuccess);

  const TProbe probe = FFprobe(job.Output);
  ASSERT_NE(probe.StreamOf("video"), nullptr);
  EXPECT_NEAR(atof(probe.StreamOf("video")->at("nb_read_frames").c_str()), 50.0, 1.0);
  EXPECT_NEAR(SoundSeconds(job.Output), 2.0, 2048.0 / 44100);
  Int64 position = 0;
  MediaConv_GetCurrentPosition(&position);
  EXPECT_NEAR(double(position) / kSecond, 5.0, 0.05);

  // The first converted picture is the source's picture at 3 s (frame 75), not its first one.
  int w = 0, h = 0, sw = 0, sh = 0;
  const std::vector<uint8_t> first = GrayFrame(job.Output, 0, w, h);
  const std::vector<uint8_t> at3s = GrayFrame(Media().Long, 75, sw, sh);
  const std::vector<uint8_t> at0s = GrayFrame(Media().Long, 0, sw, sh);
  ASSERT_EQ(first.size(), at3s.size());
  ASSERT_EQ(first.size(), at0s.size());
  auto difference = [&](const std::vector<uint8_t>& other) {
    double sum = 0;
    for (size_t i = 0; i < first.size(); ++i) sum += std::abs(int(first[i]) - int(other[i]));
    return sum / double(first.size());
  };
  EXPECT_LT(difference(at3s), 6.0);
  EXPECT_GT(difference(at0s), 3 * difference(at3s));
}

}  // namespace
