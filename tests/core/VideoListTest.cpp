#include <gtest/gtest.h>

#include <fstream>

#include "FakeEngine.h"
#include "NotifyCounter.h"
#include "core/Exception.h"
#include "core/GlobalFun.h"
#include "core/VideoList.h"
#include "rtl/IniFiles.h"
#include "tests/rtl/ScratchDir.h"

TEST(VideoList, DestinationNames) {
  const struct {
    const char* path;
    const char* outName;
  } cases[] = {{"/v/clip.avi", "clip_avi"},   {"/v/a.b.mp4", "a.b_mp4"}, {"/v/clip", "clip_"},
               {"D:\\video\\clip.mpeg", "clip_mpeg"}, {"/v.d/clip", "clip_"}, {"/v/.hidden", "_hidden"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(DestinationName(c.path), c.outName);
  }
}

TEST(VideoList, AddFileProbesAndFillsTheTask) {
  ScratchDir dir;
  TFakeEngineScope fake;
  fake->Duration = 20000000;
  fake->Streams = {{2, 0, 0}, {1, 320, 240}, {3, 9, 9}, {1, 640, 480}};
  TVideoList list(dir.File("configure.ini"));
  TNotifyCounter counter;
  list.Attach(&counter);
  TMediaInfo info;
  list.AddFile(&info, "/video/clip.mpeg");
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(counter.Count, 2);
  EXPECT_EQ(list.GetInDir(), "/video/");
  TVideoInfo* v = list.GetInfo(0);
  EXPECT_TRUE(v->HasVideo);
  EXPECT_TRUE(v->HasAudio);
  EXPECT_EQ(v->Width, 640);  // a later video stream wins
  EXPECT_EQ(v->Height, 480);
  EXPECT_EQ(v->Task->OutName, "clip_mpeg");
  EXPECT_EQ(v->Task->Crop, Rect(0, 0, 640, 480));
  EXPECT_EQ(v->Task->EndTime, 20000000);
  EXPECT_EQ(v->Task->Volume, 100);
  EXPECT_EQ(fake->CallsOf("MediaInfo_"),
            (std::vector<std::string>{"MediaInfo_OpenFile(/video/clip.mpeg)", "MediaInfo_GetDur()",
                                      "MediaInfo_GetStreamCount()", "MediaInfo_GetInfo(0)", "MediaInfo_GetType(0)",
                                      "MediaInfo_GetInfo(1)", "MediaInfo_GetType(1)", "MediaInfo_GetInfo(2)",
                                      "MediaInfo_GetType(2)", "MediaInfo_GetInfo(3)", "MediaInfo_GetType(3)"}));

  // Sound only, and the same file twice.
  fake->Streams = {{2, 0, 0}};
  list.AddFile(&info, "/music/song.mp3");
  list.AddFile(&info, "/music/song.mp3");
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_FALSE(list.GetInfo(1)->HasVideo);
  EXPECT_EQ(list.GetInfo(1)->Task->Crop, Rect(0, 0, 0, 0));
  EXPECT_EQ(list.GetPath(2), "/music/song.mp3");
}

TEST(VideoList, AFailedProbeChangesOnlyTheInputFolder) {
  ScratchDir dir;
  TFakeEngineScope fake;
  TVideoList list(dir.File("configure.ini"));
  TNotifyCounter counter;
  list.Attach(&counter);
  fake->Codes["MediaInfo_GetStreamCount"] = 4;
  TMediaInfo info;
  try {
    list.AddFile(&info, "/broken/file.avi");
    FAIL() << "no exception";
  } catch (const EMediaException& e) {
    EXPECT_EQ(e.Message(), "Cannot find/open decoder");
  }
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(counter.Count, 1);  // only the attach
  EXPECT_EQ(list.GetInDir(), "/broken/");
}

TEST(VideoList, IndexesDeleteAndClear) {
  ScratchDir dir;
  TFakeEngineScope fake;
  TVideoList list(dir.File("configure.ini"));
  TNotifyCounter counter;
  list.Attach(&counter);
  TMediaInfo info;
  list.AddFile(&info, "/v/a.avi");
  list.AddFile(&info, "/v/b.avi");
  for (Integer bad : {-1, 2}) {
    try {
      list.Delete(bad);
      FAIL() << "no exception for " << bad;
    } catch (const EInvalideIndex& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.GetPath(2), EInvalideIndex);
  EXPECT_THROW(list.GetInfo(-1), EInvalideIndex);
  list.Delete(0);
  EXPECT_EQ(list.GetPath(0), "/v/b.avi");
  list.Clear();
  list.Clear();  // an empty list still notifies
  EXPECT_EQ(counter.Count, 1 + 2 + 1 + 2);
}

TEST(VideoList, FoldersComeFromAndGoToTheSettingsFile) {
  ScratchDir dir;
  TFakeEngineScope fake;
  const std::string ini = dir.File("configure.ini");
  const std::string personal = PersonalFolder().empty() ? "/" : PersonalFolder();
  {
    TVideoList list(ini);  // no file yet: the documents folder
    EXPECT_EQ(list.GetInDir(), personal);
    EXPECT_EQ(list.GetOutDir(), personal);
    TNotifyCounter counter;
    list.Attach(&counter);
    list.SetOutDir(dir.Folder() + "out");
    EXPECT_EQ(list.GetOutDir(), dir.Folder() + "out/");
    list.SetOutDir(dir.Folder());
    EXPECT_EQ(list.GetOutDir(), dir.Folder());
    EXPECT_EQ(counter.Count, 1);  // SetOutDir notifies nobody
    list.SetInDir(dir.Folder());
  }
  {
    TVideoList list(ini);
    EXPECT_EQ(list.GetInDir(), dir.Folder());
    EXPECT_EQ(list.GetOutDir(), dir.Folder());
  }
  TIniFile(ini).WriteString("Files", "OutDir", dir.Folder() + "gone");
  TVideoList list(ini);
  EXPECT_EQ(list.GetOutDir(), personal);
}
