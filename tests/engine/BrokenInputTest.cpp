#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "MediaFixture.h"
#include "engine/MediaConv.h"
#include "engine/MediaInfo.h"

namespace {

void WriteFile(const String& path, const String& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

String ReadFile(const String& path) {
  std::ifstream in(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(in), {});
}

struct TBrokenCase {
  const char* Name;
  String Path;
  TEngineResult Code;
};

std::vector<TBrokenCase> BrokenInputs() {
  const String folder = NewOutputFolder("broken");
  String random;
  uint32_t seed = 12345;
  for (int i = 0; i < 64 * 1024; ++i) {
    seed = seed * 1664525u + 1013904223u;
    random += char(seed >> 24);
  }
  WriteFile(folder + "/empty.mp4", "");
  WriteFile(folder + "/random.avi", random);
  const String clip = ReadFile(Media().Mp4);
  WriteFile(folder + "/truncated.mp4", clip.substr(0, clip.size() / 3));
  WriteFile(folder + "/clip.mp3", clip);  // an MP4 named as MP3: the content decides
  // The picture's sample description claims 65535 x 65535 for a codec nobody knows.
  String huge = clip;
  const size_t entry = huge.find("avc1", huge.find("stsd"));
  huge.replace(entry, 4, "zzzz");
  huge.replace(entry + 28, 4, "\xff\xff\xff\xff");
  WriteFile(folder + "/huge.mp4", huge);
  mkdir((folder + "/folder.avi").c_str(), 0700);
  mkfifo((folder + "/pipe.avi").c_str(), 0600);
  return {
      {"empty file", folder + "/empty.mp4", erUnsupportedFormat},
      {"random bytes", folder + "/random.avi", erUnsupportedFormat},
      {"truncated file", folder + "/truncated.mp4", erUnsupportedFormat},
      {"wrong extension", folder + "/clip.mp3", erSuccess},
      {"absurd picture size", folder + "/huge.mp4", erUnsupportedFormat},
      {"a folder", folder + "/folder.avi", erInputNotFound},
      {"a FIFO", folder + "/pipe.avi", erUnsupportedFormat},
      {"missing file", folder + "/missing.avi", erInputNotFound},
      {"empty name", "", erInputNotFound},
  };
}

TEST(BrokenInput, ProbeAndConverterAnswerTheirCodes) {
  for (const TBrokenCase& c : BrokenInputs()) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(MediaInfo_OpenFile(c.Path.c_str()), c.Code);
    EXPECT_EQ(MediaConv_AddInputFile(c.Path.c_str()), c.Code);
    Byte finished = 0, result = 99;
    MediaConv_WaitFor(&finished, &result);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(result, c.Code);
  }
}

TEST(BrokenInput, DamagedMiddleStillConvertsWhatIsReadable) {
  // A file damaged in its middle: the damage is skipped, the rest converted.
  const String folder = NewOutputFolder("damaged");
  String clip = ReadFile(Media().Avi);
  for (size_t i = clip.size() / 3; i < clip.size() / 3 + 4000 && i < clip.size(); ++i) clip[i] = char(i * 7);
  WriteFile(folder + "/damaged.avi", clip);
  TJobSpec spec;
  spec.Input = folder + "/damaged.avi";
  spec.Output = folder + "/out.wmv";
  spec.VideoCodec = 19;
  EXPECT_EQ(Convert(spec), erSuccess);
  EXPECT_NE(FFprobe(spec.Output).StreamOf("video"), nullptr);
}

}  // namespace
