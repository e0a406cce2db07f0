// A conversion run of the queue: the order of the engine calls, the figures the window shows,
// files skipped for a reason (named when the run ends) and cancelling, over a scripted engine;
// then whole runs over the real engine, checked with ffprobe.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "RecordingHost.h"
#include "VclTestSupport.h"
#include "FakeEngine.h"
#include "MediaFixture.h"
#include "app/ProgressRun.h"
#include "core/VideoList.h"
#include "engine/MediaConv.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/ScratchDir.h"
#include "user/ModalResponder.h"

namespace {

class ProgressRunTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    SetCoreHost(&host);
    CreateMainForm();
    formats = std::make_unique<TFormats>("Zune,WMV,WMA,MP3", dir.File("configure.ini"));
    run = std::make_unique<TProgressRun>(&converter, formats.get());
    run->SetOutDir(dir.Folder());
    run->OnState = MakeEvent<&TStateLog::Add>(&states);
  }
  void TearDown() override {
    SetModalResponder(nullptr);
    run.reset();
    VclTest::TearDown();
    SetCoreHost(nullptr);
  }
  void Choose(const String& Name) {
    for (Integer i = 0; i < formats->GetCount(); ++i)
      if (formats->GetRoot().GetItems(i).GetName() == Name) {
        TFormatSelection selection;
        selection.Format = i;
        formats->SetSelection(selection);
        formats->ApplyDefaults();
        return;
      }
    ADD_FAILURE() << Name;
  }
  // A queued file of 10 s whose whole range is converted.
  TTaskInfo& Queue(const String& Source, Int64 Start = 0, Int64 End = 100000000) {
    tasks.push_back(std::make_unique<TTaskInfo>());
    TTaskInfo& task = *tasks.back();
    task.OutName = DestinationName(Source);
    task.Crop = TRect{0, 0, 640, 480};
    task.StartTime = Start;
    task.EndTime = End;
    run->AddTask(Source, &task);
    return task;
  }

  struct TStateLog : TObject {
    void Add(Integer State) { Codes.push_back(State); }
    std::vector<Integer> Codes;
  };

  ScratchDir dir;
  TRecordingHost host;
  TMediaConverter converter;
  std::unique_ptr<TFormats> formats;
  std::unique_ptr<TProgressRun> run;
  std::vector<std::unique_ptr<TTaskInfo>> tasks;
  TStateLog states;
};

// ---- Over a scripted engine ------------------------------------------------------------------

TEST_F(ProgressRunTest, ThreeFilesCountUpAndEndOnceAtAHundred) {
  TFakeEngineScope engine;
  Choose("WMV");
  Queue("/media/a.avi");
  Queue("/media/b.avi");
  Queue("/media/c.avi");
  run->Start();
  EXPECT_EQ(states.Codes, std::vector<Integer>{2});
  std::vector<String> counters;
  for (Integer file = 0; file < 3; ++file) {
    engine->Position = 50000000;  // half of the file
    run->Poll();
    counters.push_back(run->GetFigures().Counter);
    EXPECT_EQ(run->GetFigures().Current, 50);
    EXPECT_EQ(run->GetFigures().Total, (file * 100 + 50) / 3);
    engine->Finished = 1;
    run->Poll();
    engine->Finished = 0;
  }
  EXPECT_EQ(counters, (std::vector<String>{"[1/3]", "[2/3]", "[3/3]"}));
  EXPECT_EQ(run->GetFigures().Current, 100);
  EXPECT_EQ(run->GetFigures().Total, 100);
  EXPECT_EQ(run->GetFigures().FileName, "c.avi");
  EXPECT_TRUE(run->IsFinished());
  EXPECT_EQ(states.Codes, (std::vector<Integer>{2, 3}));
  EXPECT_EQ(host.Boxes, std::vector<String>{"All conversion tasks have been finished!"});
  EXPECT_EQ(engine->CallsOf("MediaConv_Run").size(), 3u);
  EXPECT_EQ(engine->CallsOf("MediaConv_CreateOutput")[1],
            "MediaConv_CreateOutput(" + dir.Folder() + "b_avi.wmv,asf)");
  run->Poll();
  EXPECT_EQ(host.Boxes.size(), 1u) << "a finished run polls nothing";
}

TEST_F(ProgressRunTest, SetsEachJobUpInTheEnginesOrder) {
  TFakeEngineScope engine;
  Choose("MP3");
  Queue("/media/a.avi", 10000000, 30000000).Volume = 80;
  run->Start();
  EXPECT_EQ(engine->Calls, (std::vector<std::string>{
                               "MediaConv_AddInputFile(/media/a.avi)",
                               "MediaConv_CreateOutput(" + dir.Folder() + "a_avi.mp3,mp3)",
                               "MediaConv_SetVolume(80)",
                               engine->CallsOf("MediaConv_SetAudio")[0],
                               "MediaConv_SetRange(10000000,20000000)",
                               "MediaConv_Run()",
                           }))
      << "a profile without a picture describes no picture";

  // Keeping the original shape takes the crop rectangle's size.
  TFakeEngineScope again;
  run->ClearTasks();
  Choose("WMV");
  Queue("/media/b.avi").Crop = TRect{10, 20, 330, 260};
  tasks.back()->LetterboxMode = lbKeepOriginal;
  run->Start();
  EXPECT_EQ(again->CallsOf("MediaConv_SetAspect"), std::vector<std::string>{"MediaConv_SetAspect(320,240)"});
  EXPECT_EQ(again->CallsOf("MediaConv_SetCrop"), std::vector<std::string>{"MediaConv_SetCrop(10,20,330,260)"});
}

TEST_F(ProgressRunTest, FilesThatCannotBeConvertedAreSkippedAndNamedAtTheEnd) {
  dir.Write("same.wmv", "a source in the output folder");
  dir.Write("kept_avi.wmv", "an earlier output");
  TFakeEngineScope engine;
  engine->Actions["MediaConv_AddInputFile"] = [&] {
    engine->Codes["MediaConv_CreateOutput"] = engine->Calls.back() == "MediaConv_AddInputFile(/media/bad.avi)" ? 2 : 0;
  };
  Choose("WMV");
  Queue(dir.File("same.wmv")).OutName = "same";  // its output is its source
  Queue("/media/empty.avi", 5, 5);                // nothing to convert
  Queue("/media/reversed.avi", 9, 3);
  Queue("/media/unnamed.avi").OutName = "";
  Queue("/media/kept.avi");                       // the user keeps the existing file
  Queue("/media/bad.avi");                        // the engine refuses the set-up
  Queue("/media/good.avi");
  std::vector<String> asked;
  SetModalResponder([&](const ModalRequest& request) {
    asked.push_back(request.text);
    run->Poll();  // the box lets timers in: nothing may move meanwhile
    return IDCANCEL;
  });
  run->Start();
  EXPECT_EQ(asked, std::vector<String>{"Are you sure you want to replace the exiting file 'kept_avi.wmv'?"})
      << "a source is never offered for replacing";
  EXPECT_EQ(engine->CallsOf("MediaConv_Run").size(), 1u);
  EXPECT_EQ(engine->CallsOf("MediaConv_AddInputFile").back(), "MediaConv_AddInputFile(/media/good.avi)");
  EXPECT_EQ(engine->CallsOf("MediaConv_Cancel").size(), 6u) << "each skipped file leaves the engine idle";
  EXPECT_EQ(run->GetFigures().Counter, "[7/7]");
  EXPECT_EQ(run->GetFigures().Total, 85);
  EXPECT_TRUE(host.Boxes.empty());

  // The last job fails in the engine: its bar stays where it was, and the end names everything.
  engine->Position = 30000000;
  run->Poll();
  engine->Finished = 1;
  engine->JobResult = 5;
  run->Poll();
  EXPECT_EQ(run->GetFigures().Current, 30);
  EXPECT_EQ(run->GetFigures().Total, 100);
  ASSERT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(host.Boxes[0],
            "All conversion tasks have been finished!\r\n\r\nThese files were not converted:"
            "\r\nsame.wmv: the output would replace its own source\r\nempty.avi: the selected range is empty\r\nreversed.avi: the selected range is empty"
            "\r\nunnamed.avi: the destination name is empty"
            "\r\nkept.avi: the existing file was kept\r\nbad.avi: Cannot create output file"
            "\r\ngood.avi: Cannot find/open encoder");
  EXPECT_EQ(states.Codes.back(), 3);
}

TEST_F(ProgressRunTest, TheNextFileStartsAsSoonAsTheEngineFinishes) {
  TFakeEngineScope engine;
  Choose("WMV");
  Queue("/media/a.avi");
  Queue("/media/b.avi");
  run->Start();
  engine->Finished = 1;
  clock.Advance(TProgressRun::FinishWatchInterval);
  Settle();
  EXPECT_EQ(engine->CallsOf("MediaConv_Run").size(), 2u) << "no wait for the window's next poll";
  EXPECT_EQ(run->GetCurrent(), 1);

  // Paused, the watch rests.
  engine->Finished = 0;
  run->Pause();
  engine->Finished = 1;
  clock.Advance(100);
  Settle();
  EXPECT_EQ(run->GetCurrent(), 1);
  run->Resume();
  clock.Advance(TProgressRun::FinishWatchInterval);
  Settle();
  EXPECT_TRUE(run->IsFinished());
  EXPECT_EQ(states.Codes, (std::vector<Integer>{2, 0, 1, 3}));
}

TEST_F(ProgressRunTest, FiguresStayWithinTheBars) {
  TFakeEngineScope engine;
  Choose("WMV");
  Queue("/media/a.avi", 10000000, 20000000);
  run->Start();
  struct Case {
    Int64 position;
    Integer current;
  } cases[] = {{0, 0}, {10000000, 0}, {15000000, 50}, {20000000, 100}, {90000000, 100}};
  for (const Case& c : cases) {
    engine->Position = c.position;
    run->Poll();
    EXPECT_EQ(run->GetFigures().Current, c.current) << c.position;
    EXPECT_EQ(run->GetFigures().Total, c.current) << c.position;
  }
}

TEST_F(ProgressRunTest, CancelStopsTheJobOrGivesUpAfterTheTimeLimit) {
  TFakeEngineScope engine;
  Choose("WMV");
  Queue("/media/a.avi");
  Queue("/media/b.avi");
  EXPECT_TRUE(run->Cancel()) << "nothing runs yet";
  EXPECT_TRUE(engine->CallsOf("MediaConv_Cancel").empty());

  run->Start();
  engine->Actions["MediaConv_Cancel"] = [&] { engine->Finished = 1; };
  EXPECT_TRUE(run->Cancel());
  EXPECT_FALSE(run->IsJobRunning());
  EXPECT_EQ(engine->CallsOf("MediaConv_Run").size(), 1u) << "nothing further starts";
  run->Poll();
  EXPECT_TRUE(host.Boxes.empty());

  // An engine that never stops: the wait ends on the clock with a message.
  engine->Actions.clear();
  engine->Finished = 0;
  run->Start();
  const DWORD before = GetTickCount();
  EXPECT_FALSE(run->Cancel());
  EXPECT_GE(GetTickCount() - before, TProgressRun::CancelTimeLimit);
  ASSERT_EQ(host.Boxes.size(), 1u);
  EXPECT_NE(host.Boxes[0].find("did not stop"), String::npos);
}

// ---- Over the real engine --------------------------------------------------------------------

class ProgressRunRealTest : public ProgressRunTest {
 protected:
  // Polls as the window's timer does until the run has ended.
  bool RunToTheEnd(int Seconds = 60) {
    for (int i = 0; i < Seconds * 100 && !run->IsFinished(); ++i) {
      run->Poll();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return run->IsFinished();
  }
  // The picture's length: its frames at its rate (the container's duration counts its preroll).
  static double VideoSeconds(const TProbe& Probe) {
    const auto* video = Probe.StreamOf("video");
    if (!video) return 0;
    const String rate = video->at("r_frame_rate");
    const double fps = atof(rate.c_str()) / atof(rate.substr(rate.find('/') + 1).c_str());
    return atof(video->at("nb_read_frames").c_str()) / fps;
  }
};

TEST_F(ProgressRunRealTest, ConvertsTheQueueIntoTheOutputFolder) {
  ScratchDir media;
  Make(media.File("one.mp4"), "-f lavfi -i testsrc2=size=320x240:rate=25:duration=3 -f lavfi -i "
                              "sine=frequency=440:sample_rate=44100:duration=3 -c:v libx264 -pix_fmt yuv420p "
                              "-c:a aac -shortest");
  Make(media.File("tone.wav"), "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=2 -c:a pcm_s16le");
  Choose("WMV");
  Queue(media.File("one.mp4"), 10000000, 20000000);
  Queue(media.File("tone.wav"), 0, 20000000);
  run->Start();
  ASSERT_TRUE(RunToTheEnd());
  EXPECT_EQ(run->GetFailures(), std::vector<String>{});
  EXPECT_EQ(run->GetFigures().Total, 100);
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 2u) << "the two outputs, no temporary file";

  TProbe video = FFprobe(dir.File("one_mp4.wmv"));
  EXPECT_EQ(video.Format["format_name"], "asf");
  ASSERT_NE(video.StreamOf("video"), nullptr);
  EXPECT_NEAR(VideoSeconds(video), 1.0, 0.05);
  TProbe sound = FFprobe(dir.File("tone_wav.wmv"));
  EXPECT_EQ(sound.StreamOf("video"), nullptr);
  EXPECT_NEAR(SoundSeconds(dir.File("tone_wav.wmv")), 2.0, 0.05);
}

TEST_F(ProgressRunRealTest, ACancelledOrFailedJobLeavesNothing) {
  ScratchDir media;
  Make(media.File("long.mp4"), "-f lavfi -i testsrc2=size=640x480:rate=25:duration=20 -c:v libx264 -pix_fmt yuv420p");
  media.Write("broken.avi", "RIFF this is no video at all");
  Choose("WMV");
  Queue(media.File("broken.avi"));
  Queue(media.File("long.mp4"), 0, 200000000);
  MediaConvSetParts(1);  // one stream: slow enough to be caught in the middle
  run->Start();
  EXPECT_EQ(run->GetFigures().Counter, "[2/2]") << "the broken file is skipped at once";
  for (int i = 0; i < 1000 && run->GetFigures().Current < 1; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    run->Poll();
  }
  ASSERT_TRUE(run->IsJobRunning());
  EXPECT_TRUE(run->Cancel());
  MediaConvSetParts(0);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<String>{}) << "no output, no temporary file";
}

}  // namespace
