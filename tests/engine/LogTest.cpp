#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <regex>

#include "MediaFixture.h"
#include "engine/CodecMgr.h"
#include "engine/LibUtil.h"
#include "engine/MediaInfo.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

String ReadFile(const String& path) {
  std::ifstream in(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(in), {});
}

TEST(Log, CodecManagerAndFFmpegWriteTimestampedLines) {
  const String log = NewOutputFolder("log") + "/run.log";
  ASSERT_EQ(LogSetFileByName(log.c_str()), erSuccess);
  LogSetLevel(2);
  EXPECT_EQ(CodecMgrInit((Media().Folder + "/Codec").c_str()), erSuccess);
  // FFmpeg's own complaint about a file without its index reaches the same log.
  const String truncated = Media().Folder + "/log/truncated.mp4";
  std::ofstream(truncated, std::ios::binary) << ReadFile(Media().Mp4).substr(0, 3000);
  EXPECT_EQ(MediaInfo_OpenFile(truncated.c_str()), erUnsupportedFormat);
  LogClose();

  const String text = ReadFile(log);
  EXPECT_NE(text.find("encoder wmv2 found"), String::npos) << text;
  EXPECT_NE(text.find("encoder libmp3lame found"), String::npos) << text;
  EXPECT_NE(text.find("moov atom not found"), String::npos) << text;
  const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \S+ .*)");
  size_t lines = 0;
  for (size_t at = 0, end; (end = text.find('\n', at)) != String::npos; at = end + 1, ++lines)
    EXPECT_TRUE(std::regex_match(text.substr(at, end - at), stamped)) << text.substr(at, end - at);
  EXPECT_GT(lines, 5u);

  // Set again after LogClose: appended, the earlier lines stay.
  ASSERT_EQ(LogSetFileByName(log.c_str()), erSuccess);
  CodecMgrInit("second start");
  LogClose();
  const String again = ReadFile(log);
  EXPECT_EQ(again.compare(0, text.size(), text), 0);
  EXPECT_NE(again.find("second start"), String::npos);
}

int CountOf(const String& text, const String& part) {
  int count = 0;
  for (size_t at = text.find(part); at != String::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(Log, FFmpegKeepsItsLevelAndRepeatedLinesAreCounted) {
  const String log = NewOutputFolder("repeats") + "/run.log";
  ASSERT_EQ(LogSetFileByName(log.c_str()), erSuccess);
  LogSetLevel(2);
  for (int i = 0; i < 40; ++i) av_log(nullptr, AV_LOG_WARNING, "once per %s\n", "frame");
  av_log(nullptr, AV_LOG_ERROR, "a different line\n");
  av_log(nullptr, AV_LOG_INFO, "informational, below the program's level\n");
  for (int i = 0; i < 3; ++i) av_log(nullptr, AV_LOG_ERROR, "repeated until the end\n");
  LogClose();

  const String text = ReadFile(log);
  EXPECT_EQ(CountOf(text, "FFWRN once per frame\n"), 1) << text;
  EXPECT_EQ(CountOf(text, "FFWRN last message repeated 39 times\n"), 1) << text;
  EXPECT_EQ(CountOf(text, "FFERR a different line\n"), 1) << text;
  EXPECT_EQ(CountOf(text, "informational"), 0) << text;
  EXPECT_EQ(CountOf(text, "FFERR repeated until the end\n"), 1) << text;
  EXPECT_EQ(CountOf(text, "FFERR last message repeated 2 times\n"), 1) << text;
  EXPECT_LT(text.find("repeated 39"), text.find("a different line"));
}

TEST(Log, ConvertingReorderedPicturesLogsNoComplaint) {
  // Source pictures of every type (B-frames here) reach the encoder as plain pictures: it
  // complained about each B-frame it was told to make.
  const String folder = NewOutputFolder("bframes");
  TJobSpec job;
  job.Input = folder + "/bframes.mp4";
  job.Output = folder + "/out.wmv";
  job.VideoCodec = 19;
  job.AudioCodec = 0;
  Make(job.Input, "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v libx264 -preset medium -bf 3 "
                  "-pix_fmt yuv420p");
  const String log = folder + "/run.log";
  ASSERT_EQ(LogSetFileByName(log.c_str()), erSuccess);
  LogSetLevel(2);
  EXPECT_EQ(Convert(job), erSuccess);
  LogClose();
  const String text = ReadFile(log);
  EXPECT_EQ(CountOf(text, "FFERR"), 0) << text;
  EXPECT_EQ(CountOf(text, "FFWRN"), 0) << text;
}

TEST(Log, LevelZeroWritesNothing) {
  const String log = NewOutputFolder("quiet") + "/run.log";
  ASSERT_EQ(LogSetFileByName(log.c_str()), erSuccess);
  LogSetLevel(0);
  CodecMgrInit("quiet");
  MediaInfo_OpenFile("/nonexistent/file.avi");
  LogClose();
  LogSetLevel(2);
  EXPECT_EQ(ReadFile(log), "");
}

TEST(Log, RefusesLinksFoldersAndPipes) {
  const String folder = NewOutputFolder("links");
  const String target = folder + "/target";
  std::ofstream(target) << "precious";
  ASSERT_EQ(symlink(target.c_str(), (folder + "/link.log").c_str()), 0);
  ASSERT_EQ(mkfifo((folder + "/pipe.log").c_str(), 0600), 0);
  for (const String name : {"/link.log", "", "/pipe.log"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(LogSetFileByName((folder + name).c_str()), erSuccess);
    CodecMgrInit("must not be written");
  }
  LogClose();
  EXPECT_EQ(ReadFile(target), "precious");
}

}  // namespace
