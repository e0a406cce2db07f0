#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "FakeEngine.h"
#include "core/Convert.h"
#include "core/Formats.h"
#include "core/VideoList.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/ScratchDir.h"

// The whole road against the real engine: probe a generated clip, describe the job for the
// default profile, run it and poll it to the end.
TEST(RealEngine, ConvertsAClipWithTheDefaultProfile) {
  ScratchDir dir;
  const std::string clip = dir.File("clip.mp4");
  const std::string command =
      "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=2 "
      "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=2 -c:v mpeg4 -c:a aac -shortest '" +
      clip + "'";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "the ffmpeg program could not make the clip";

  TVideoList list(dir.File("configure.ini"));
  TMediaInfo info;
  list.AddFile(&info, clip);
  ASSERT_EQ(list.GetCount(), 1);
  TVideoInfo* video = list.GetInfo(0);
  EXPECT_TRUE(video->HasVideo);
  EXPECT_TRUE(video->HasAudio);
  EXPECT_EQ(video->Task->Crop, Rect(0, 0, 320, 240));
  EXPECT_NEAR(static_cast<double>(video->Duration), 20000000.0, 1000000.0);

  TFormats formats("Zune,WMV,WMA,MP3", dir.File("configure.ini"));
  FormatDetail detail;
  formats.BuildDetail(detail);
  ASSERT_EQ(detail.FileExt, "wmv");
  list.SetOutDir(dir.Folder());
  const String output = list.GetOutDir() + video->Task->OutName + "." + detail.FileExt;

  TMediaConverter converter;
  converter.DescribeJob(list.GetPath(0), *video->Task, detail, output);
  converter.Run({});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
  while (!converter.IsFinished()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the job did not finish";
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(converter.GetJobResult(), 0);
  EXPECT_TRUE(FileExists(output));
  EXPECT_EQ(output, dir.File("clip_mp4.wmv"));
}
