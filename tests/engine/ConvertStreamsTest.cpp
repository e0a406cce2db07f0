#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "MediaFixture.h"

namespace {

String ReadFile(const String& path) {
  std::ifstream in(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(in), {});
}

// The numbers of the picture packets flagged as key frames.
std::vector<int> KeyFrames(const String& path) {
  std::vector<int> keys;
  const std::vector<TPacket> packets = Packets(path, "v");
  for (size_t i = 0; i < packets.size(); ++i)
    if (packets[i].Key) keys.push_back(int(i));
  return keys;
}

// A WMV 8 job without sound, at the source's size and rate.
TJobSpec PictureOnly(const String& input, const String& output) {
  TJobSpec job;
  job.Input = input;
  job.Output = output;
  job.VideoCodec = 19;
  job.AudioCodec = 0;
  return job;
}

int VideoFrames(const String& path) {
  const TProbe probe = FFprobe(path);
  const auto* video = probe.StreamOf("video");
  return video ? atoi(video->at("nb_read_frames").c_str()) : -1;
}

TEST(ConvertStreams, KeyFramesFollowTheEncodersGroupWhateverTheSourceHas) {
  // The encoder's group is its default of 12 pictures; the sources have key frames elsewhere.
  const String folder = NewOutputFolder("keys");
  struct TCase {
    const char* Name;
    const char* File;
    String Arguments;
  } cases[] = {
      {"DV, every picture a key frame", "dv.avi",
       "-f lavfi -i testsrc2=size=720x576:rate=25:duration=2 -c:v dvvideo -pix_fmt yuv420p"},
      {"MPEG-4, a key frame every 5", "mpeg4.avi",
       "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v mpeg4 -g 5"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const String source = folder + "/" + c.File;
    Make(source, c.Arguments);
    const TJobSpec job = PictureOnly(source, folder + "/out.wmv");
    ASSERT_EQ(Convert(job), erSuccess);
    EXPECT_EQ(KeyFrames(job.Output), (std::vector<int>{0, 12, 24, 36, 48}));
  }
}

TEST(ConvertStreams, RangeStartingPastTheEndFailsAndLeavesNothing) {
  const String folder = NewOutputFolder("past-end");
  struct TCase {
    const char* Name;
    const char* Format;
    Integer VideoCodec, AudioCodec;
    Int64 Start;
  } cases[] = {
      {"WMV", "asf", 19, 1, 3 * kSecond},
      {"MP3", "mp3", 0, 86017, 3 * kSecond},
      {"WMV far past the end", "asf", 19, 1, 3600 * kSecond},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJobSpec job;
    job.Input = Media().Mp4;
    job.Output = folder + "/out";
    job.Format = c.Format;
    job.VideoCodec = c.VideoCodec;
    job.AudioCodec = c.AudioCodec;
    job.Start = c.Start;
    job.Length = kSecond;
    EXPECT_EQ(Convert(job), erOutputParameters);
    EXPECT_TRUE(FolderEntries(folder).empty());
  }
}

TEST(ConvertStreams, CutFileKeepsEveryDecodablePicture) {
  const String folder = NewOutputFolder("cut");
  // Reordered pictures (B-frames) wait in the decoder until the end; the index at the front
  // still lists the pictures that were lost.
  const String whole = folder + "/whole.mp4";
  Make(whole, "-f lavfi -i testsrc2=size=640x480:rate=25:duration=4 -c:v libx264 -preset medium -pix_fmt yuv420p "
              "-movflags +faststart");
  const String clip = ReadFile(whole);
  const String cut = folder + "/cut.mp4";
  std::ofstream(cut, std::ios::binary) << clip.substr(0, clip.size() * 9 / 10);
  const int decodable = VideoFrames(cut);
  ASSERT_GT(decodable, 50);
  const TJobSpec job = PictureOnly(cut, folder + "/out.wmv");
  ASSERT_EQ(Convert(job), erSuccess);
  // At a constant rate on the source's time line: a picture lost in the middle is stood in for by
  // the one before, so there may be more frames than decodable pictures, never fewer.
  const int written = VideoFrames(job.Output);
  EXPECT_GE(written, decodable);
  EXPECT_LE(written, 100);
}

TEST(ConvertStreams, HeaderDurationCoversTheLastFrame) {
  const String folder = NewOutputFolder("duration");
  struct TCase {
    const char* Name;
    Int64 Length;
    double Seconds;
  } cases[] = {
      {"one frame", kSecond / 25, 0.04},
      {"ten frames", 10 * kSecond / 25, 0.4},
      {"the whole clip", 0, 2.0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TJobSpec job = PictureOnly(Media().Mp4, folder + "/out.wmv");
    job.Length = c.Length;
    ASSERT_EQ(Convert(job), erSuccess);
    EXPECT_NEAR(atof(FFprobe(job.Output).Format.at("duration").c_str()), c.Seconds, 0.001);
  }
}

}  // namespace
