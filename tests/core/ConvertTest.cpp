#include <gtest/gtest.h>

#include <cstring>

#include "FakeEngine.h"
#include "core/Convert.h"
#include "core/Formats.h"

namespace {

// Records the states a wrapper reports.
class TStateLog : public TObject {
 public:
  std::vector<Integer> States;
  void OnState(Integer State) { States.push_back(State); }
  TStateEvent Event() { return MakeEvent<&TStateLog::OnState>(this); }
};

}  // namespace

TEST(EngineErrors, MessagesByCode) {
  const struct {
    Integer code;
    const char* message;
  } cases[] = {{1, "Cannot find input file"},
               {2, "Cannot create output file"},
               {3, "Cannot support file format"},
               {4, "Cannot find/open decoder"},
               {5, "Cannot find/open encoder"},
               {6, "Cannot support output parameters in this format"},
               {7, "Unknown media error 7"},
               {200, "Unknown media error 200"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(EMediaException(c.code).Message(), c.message);
  }
  EXPECT_EQ(EPlayException("Cannot find input file").Message(),
            "Playback occured exception\r\nCannot find input file");
  EXPECT_EQ(EConvertException("Unknown exception").Message(), "Converting occured exception\r\nUnknown exception");
}

TEST(MediaInfo, ProbeCallsPassCodesThroughUnwrapped) {
  TFakeEngineScope fake;
  fake->Duration = 123456789;
  fake->Streams = {{1, 640, 480}, {0x102, 0, 0}};
  TMediaInfo info;
  info.Open("/media/clip.avi");
  EXPECT_EQ(info.Duration(), 123456789);
  EXPECT_EQ(info.StreamCount(), 2);
  TStreamRecord record;
  info.StreamInfo(0, record);
  EXPECT_EQ(record.Width(), 640);
  EXPECT_EQ(record.Height(), 480);
  EXPECT_EQ(info.StreamType(0), 1);
  EXPECT_EQ(info.StreamType(1), 2);  // only the low byte counts

  fake->Codes["MediaInfo_OpenFile"] = 3;
  try {
    info.Open("/media/other.xyz");
    FAIL() << "no exception";
  } catch (const EMediaException& e) {
    EXPECT_EQ(e.Message(), "Cannot support file format");
  }
}

TEST(MediaInfo, OutValuesTheEngineLeavesAloneReadZero) {
  TFakeEngineScope fake;
  fake->Streams = {{1, 640, 480}};
  fake->WriteOuts = false;
  TMediaInfo info;
  EXPECT_EQ(info.Duration(), 0);
  EXPECT_EQ(info.StreamCount(), 0);
  EXPECT_EQ(info.StreamType(0), 0);
  TStreamRecord record;
  std::memset(record.Data, 0xAB, sizeof record.Data);
  info.StreamInfo(0, record);
  EXPECT_EQ(record.Width(), 0);
  EXPECT_EQ(record.Height(), 0);
}

TEST(MediaInfo, DestructionClosesAndLogsAFailureInsteadOfThrowing) {
  TFakeEngineScope fake;
  fake->Codes["MediaInfo_Close"] = 1;
  delete new TMediaInfo;
  EXPECT_EQ(fake->CallsOf("MediaInfo_Close").size(), 1u);
  ASSERT_EQ(fake->CallsOf("LogWrite").size(), 1u);
  EXPECT_NE(fake->CallsOf("LogWrite")[0].find("Cannot find input file"), std::string::npos);
}

TEST(MediaPlayer, StateCallbackSequences) {
  TFakeEngineScope fake;
  TStateLog log;
  TMediaPlayer player;
  player.Pause();  // nothing stored yet: the library is called, nobody told
  EXPECT_TRUE(log.States.empty());
  player.Play("a.avi", nullptr, log.Event());
  player.Pause();
  player.Resume();
  player.Seek(10, 0);
  player.SetVolume(150);
  player.Stop();
  EXPECT_EQ(log.States, (std::vector<Integer>{0, 1, 0}));
  EXPECT_EQ(fake->Calls, (std::vector<std::string>{"MediaPlayer_Pause()", "MediaPlayer_Play(a.avi,0)",
                                                    "MediaPlayer_Pause()", "MediaPlayer_Continue()",
                                                    "MediaPlayer_Seek(10,0)", "MediaPlayer_SetVolume(150)",
                                                    "MediaPlayer_Stop()"}));
}

TEST(MediaPlayer, FailuresAreWrappedAndReportNoState) {
  TFakeEngineScope fake;
  TStateLog first, second;
  TMediaPlayer player;
  player.Play("a.avi", nullptr, first.Event());
  fake->Codes["MediaPlayer_Pause"] = 4;
  try {
    player.Pause();
    FAIL() << "no exception";
  } catch (const EPlayException& e) {
    EXPECT_EQ(e.Message(), "Playback occured exception\r\nCannot find/open decoder");
  }
  // A failing Play still replaces the callback.
  fake->Codes["MediaPlayer_Play"] = 1;
  EXPECT_THROW(player.Play("b.avi", nullptr, second.Event()), EPlayException);
  fake->Codes.clear();
  player.Resume();
  EXPECT_EQ(first.States, (std::vector<Integer>{0}));
  EXPECT_EQ(second.States, (std::vector<Integer>{0}));
  // Anything else going wrong inside an operation is "Unknown exception".
  fake->Actions["MediaPlayer_Stop"] = [] { throw std::runtime_error("boom"); };
  try {
    player.Stop();
    FAIL() << "no exception";
  } catch (const EPlayException& e) {
    EXPECT_EQ(e.Message(), "Playback occured exception\r\nUnknown exception");
  }
}

TEST(MediaPlayer, PositionAndSnapshot) {
  TFakeEngineScope fake;
  TMediaPlayer player;
  fake->WriteOuts = false;
  EXPECT_EQ(player.Position(), 0);
  fake->WriteOuts = true;
  fake->Position = 50000000;
  EXPECT_EQ(player.Position(), 50000000);
  fake->Snapshot.assign(2 * 2 * 4, 7);
  fake->SnapWidth = 2;
  fake->SnapHeight = 2;
  Byte small[4] = {};
  Integer size = sizeof small, width = 0, height = 0;
  player.GetSnapshot(small, size, width, height);
  EXPECT_EQ(size, 16);  // the caller asks again with this much
  std::vector<Byte> buffer(size);
  player.GetSnapshot(buffer.data(), size, width, height);
  EXPECT_EQ(buffer, fake->Snapshot);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 2);
}

TEST(MediaPlayer, DestructionStopsAndNeverThrows) {
  TFakeEngineScope fake;
  fake->Codes["MediaPlayer_Stop"] = 5;
  delete new TMediaPlayer;
  EXPECT_EQ(fake->CallsOf("MediaPlayer_Stop").size(), 1u);
  EXPECT_EQ(fake->CallsOf("LogWrite").size(), 1u);
}

TEST(MediaConverter, StateCallbackSequences) {
  TFakeEngineScope fake;
  TStateLog log;
  TMediaConverter converter;
  converter.Run(log.Event());
  EXPECT_TRUE(log.States.empty());  // Run keeps the callback but does not call it
  converter.Pause();
  converter.Resume(false);
  converter.Resume(true);
  EXPECT_EQ(log.States, (std::vector<Integer>{0, 1}));
  EXPECT_EQ(fake->CallsOf("MediaConv_Continue").size(), 2u);
}

TEST(MediaConverter, FailuresAreWrapped) {
  TFakeEngineScope fake;
  TStateLog log;
  TMediaConverter converter;
  converter.Run(log.Event());
  fake->Codes["MediaConv_CreateOutput"] = 2;
  fake->Codes["MediaConv_Pause"] = 200;
  try {
    converter.CreateOutput("/out/a.wmv", "asf");
    FAIL() << "no exception";
  } catch (const EConvertException& e) {
    EXPECT_EQ(e.Message(), "Converting occured exception\r\nCannot create output file");
  }
  try {
    converter.Pause();
    FAIL() << "no exception";
  } catch (const EConvertException& e) {
    EXPECT_EQ(e.Message(), "Converting occured exception\r\nUnknown media error 200");
  }
  EXPECT_TRUE(log.States.empty());
}

TEST(MediaConverter, PollingKeepsTheJobResultAndZeroesOutValues) {
  TFakeEngineScope fake;
  TMediaConverter converter;
  fake->Finished = 1;
  fake->JobResult = 5;
  fake->Position = 42;
  EXPECT_EQ(converter.IsFinished(), 1);
  EXPECT_EQ(converter.GetJobResult(), 5);  // a failed job is not a finished one
  EXPECT_EQ(converter.Position(), 42);

  fake->WriteOuts = false;
  EXPECT_EQ(converter.IsFinished(), 0);
  EXPECT_EQ(converter.GetJobResult(), 0);
  EXPECT_EQ(converter.Position(), 0);
  Byte* buffer = reinterpret_cast<Byte*>(1);
  Integer width = 9, height = 9;
  EXPECT_EQ(converter.GetSnapshot(buffer, width, height), 0);
  EXPECT_EQ(buffer, nullptr);

  fake->WriteOuts = true;
  fake->Snapshot.assign(8, 1);
  fake->SnapWidth = 2;
  fake->SnapHeight = 1;
  EXPECT_EQ(converter.GetSnapshot(buffer, width, height), 8);
  EXPECT_EQ(buffer, fake->Snapshot.data());
  EXPECT_EQ(width, 2);
}

TEST(MediaConverter, DestructionCancelsAndNeverThrows) {
  TFakeEngineScope fake;
  fake->Codes["MediaConv_Cancel"] = 1;
  delete new TMediaConverter;
  EXPECT_EQ(fake->CallsOf("MediaConv_Cancel").size(), 1u);
  EXPECT_EQ(fake->CallsOf("LogWrite").size(), 1u);
}

TEST(TaskInfo, TrimmedLength) {
  const struct {
    Int64 start, end, length;
  } cases[] = {{0, 0, 0}, {10000000, 25000000, 15000000}, {5, 5, 0}, {9, 3, 0}};
  for (const auto& c : cases) {
    TTaskInfo task;
    task.StartTime = c.start;
    task.EndTime = c.end;
    EXPECT_EQ(task.TrimmedLength(), c.length) << c.start << ".." << c.end;
  }
}

TEST(FrameDuration, FromTheProfileRate) {
  const struct {
    Integer codec, den, num;
    Int64 duration;
  } cases[] = {{74, 30000, 1001, 333666}, {74, 25, 1, 400000}, {74, 24000, 1001, 417083},
               {0, 25, 1, 0},   // no video
               {74, 0, 0, 0}};  // "original": keep the source rate
  for (const auto& c : cases) {
    FormatDetail detail;
    detail.VCodecID = c.codec;
    detail.FpsDen = c.den;
    detail.FpsNum = c.num;
    EXPECT_EQ(FrameDurationOf(detail), c.duration) << c.codec << " " << c.den << "/" << c.num;
  }
}

TEST(MediaConverter, DescribeJobCallOrder) {
  FormatDetail wmv;
  wmv.OutFormat = "asf";
  wmv.Width = 320;
  wmv.Height = 240;
  wmv.FpsDen = 25;
  wmv.FpsNum = 1;
  wmv.VCodecID = 74;
  wmv.VBitRate = 800000;
  wmv.Channels = 2;
  wmv.SampleRate = 44100;
  wmv.ACodecID = 1;
  wmv.ABitRate = 128000;
  FormatDetail mp3;
  mp3.OutFormat = "mp3";
  mp3.Channels = 2;
  mp3.SampleRate = 44100;
  mp3.ACodecID = 86017;
  mp3.ABitRate = 96000;

  const std::vector<std::string> video = {
      "MediaConv_AddInputFile(/in/a.avi)", "MediaConv_CreateOutput(/out/a_avi.wmv,asf)",
      "MediaConv_SetAspect(320,240)",      "MediaConv_SetVolume(150)",
      "MediaConv_SetBrightness(-20)",      "MediaConv_SetContrast(30)",
      "MediaConv_SetCrop(8,4,632,476)",    "MediaConv_SetVideo(74,320,240,400000,800000)",
      "MediaConv_SetAudio(1,2,44100,128000)", "MediaConv_SetRange(10000000,15000000)"};
  struct Case {
    const char* name;
    const FormatDetail* detail;
    Integer letterbox;
    Integer dvd;
    std::vector<std::string> calls;
  };
  auto with = [&](size_t index, const std::string& call) {
    auto calls = video;
    calls[index] = call;
    return calls;
  };
  const Case cases[] = {
      {"full screen", &wmv, lbFullScreen, -1, video},
      {"keep original", &wmv, lbKeepOriginal, -1, with(2, "MediaConv_SetAspect(624,472)")},
      {"16:9", &wmv, lbWide, -1, with(2, "MediaConv_SetAspect(16,9)")},
      {"4:3", &wmv, lbFourByThree, -1, with(2, "MediaConv_SetAspect(4,3)")},
      {"dvd", &wmv, lbFullScreen, 0, with(0, "MediaConv_AddInputDVD(/in/a.avi,0,0,-1)")},
      {"sound only", &mp3, lbFullScreen, -1,
       {"MediaConv_AddInputFile(/in/a.avi)", "MediaConv_CreateOutput(/out/a_avi.wmv,mp3)",
        "MediaConv_SetVolume(150)", "MediaConv_SetAudio(86017,2,44100,96000)",
        "MediaConv_SetRange(10000000,15000000)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFakeEngineScope fake;
    TTaskInfo task;
    task.Volume = 150;
    task.Brightness = -20;
    task.Contrast = 30;
    task.Crop = Rect(8, 4, 632, 476);
    task.LetterboxMode = c.letterbox;
    task.DvdSelector1 = c.dvd;
    task.StartTime = 10000000;
    task.EndTime = 25000000;
    TMediaConverter converter;
    converter.DescribeJob("/in/a.avi", task, *c.detail, "/out/a_avi.wmv");
    EXPECT_EQ(fake->Calls, c.calls);
  }
}
