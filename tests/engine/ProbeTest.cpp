#include <gtest/gtest.h>

#include <cstring>

#include "MediaFixture.h"
#include "engine/MediaInfo.h"

namespace {

struct TProbeCase {
  const String* Path;
  Integer Streams;
  Integer VideoWidth;  // 0: no picture stream
  Integer VideoHeight;
  bool HasAudio;
};

TEST(MediaInfo, ReportsDurationStreamsAndPictureSize) {
  const TProbeCase cases[] = {
      {&Media().Mp4, 2, 320, 240, true},
      {&Media().Avi, 2, 320, 240, true},
      {&Media().Wav, 1, 0, 0, true},
      {&Media().Mp3, 1, 0, 0, true},
  };
  for (const TProbeCase& c : cases) {
    SCOPED_TRACE(*c.Path);
    ASSERT_EQ(MediaInfo_OpenFile(c.Path->c_str()), erSuccess);
    Int64 duration = -1;
    ASSERT_EQ(MediaInfo_GetDur(&duration), erSuccess);
    EXPECT_NEAR(double(duration) / kSecond, 2.0, 0.1);
    Integer count = -1;
    ASSERT_EQ(MediaInfo_GetStreamCount(&count), erSuccess);
    ASSERT_EQ(count, c.Streams);
    bool sawVideo = false, sawAudio = false;
    for (Integer i = 0; i < count; ++i) {
      Byte record[44];
      memset(record, 0xAB, sizeof record);
      Integer type = -1;
      ASSERT_EQ(MediaInfo_GetInfo(i, record), erSuccess);
      ASSERT_EQ(MediaInfo_GetType(i, &type), erSuccess);
      Integer width, height;
      memcpy(&width, record + 16, 4);
      memcpy(&height, record + 20, 4);
      if (type == 1) {
        sawVideo = true;
        EXPECT_EQ(width, c.VideoWidth);
        EXPECT_EQ(height, c.VideoHeight);
      } else {
        EXPECT_EQ(type, 2);
        sawAudio = true;
        EXPECT_EQ(width, 0);
        Integer rate;
        memcpy(&rate, record + 32, 4);
        EXPECT_GT(rate, 0);
      }
    }
    EXPECT_EQ(sawVideo, c.VideoWidth > 0);
    EXPECT_EQ(sawAudio, c.HasAudio);
  }
}

TEST(MediaInfo, OpenReplacesThePreviousFile) {
  ASSERT_EQ(MediaInfo_OpenFile(Media().Mp4.c_str()), erSuccess);
  ASSERT_EQ(MediaInfo_OpenFile(Media().Wav.c_str()), erSuccess);
  Integer count = 0;
  ASSERT_EQ(MediaInfo_GetStreamCount(&count), erSuccess);
  EXPECT_EQ(count, 1);

  // A failed open leaves no file behind it: the old one's values do not come back.
  EXPECT_EQ(MediaInfo_OpenFile((Media().Folder + "/missing.avi").c_str()), erInputNotFound);
  count = 7;
  Int64 duration = 7;
  EXPECT_EQ(MediaInfo_GetStreamCount(&count), erInputNotFound);
  EXPECT_EQ(MediaInfo_GetDur(&duration), erInputNotFound);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(duration, 0);
}

TEST(MediaInfo, WritesEveryOutValueOnFailure) {
  ASSERT_EQ(MediaInfo_OpenFile(Media().Mp4.c_str()), erSuccess);
  Integer type = 9;
  Byte record[44];
  memset(record, 0xAB, sizeof record);
  EXPECT_EQ(MediaInfo_GetType(2, &type), erUnsupportedFormat);
  EXPECT_EQ(MediaInfo_GetInfo(-1, record), erUnsupportedFormat);
  EXPECT_EQ(type, 0);
  for (Byte b : record) EXPECT_EQ(b, 0);
  EXPECT_EQ(MediaInfo_Close(), erSuccess);
  EXPECT_EQ(MediaInfo_GetType(0, &type), erInputNotFound);
}

}  // namespace
