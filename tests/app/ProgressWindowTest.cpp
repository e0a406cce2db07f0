// The progress window: the state of its buttons and timers, pause and resume freezing the bars,
// the preview switch, and closing (asked during the run, not after it), over a scripted engine;
// then a run over the real engine with its live picture.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FakeEngine.h"
#include "MediaFixture.h"
#include "RecordingHost.h"
#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/Progress.h"
#include "core/Global.h"
#include "core/VideoList.h"
#include "engine/MediaConv.h"
#include "tests/rtl/ScratchDir.h"
#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/editors/kvProgressBar.h"
#include "user/ModalResponder.h"

namespace {

class ProgressWindowTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    SetCoreHost(&host);
    formats = std::make_unique<TFormats>("Zune,WMV,WMA,MP3", dir.File("configure.ini"));
    GlobalFormats = formats.get();
    GlobalMediaConverter = &converter;
    CreateMainForm();
    Application()->CreateForm(window);
    forms.push_back(window);
    window->SetOutDir(dir.Folder());
    SetModalResponder([this](const ModalRequest& request) {
      asked.push_back(request.text);
      return answer;
    });
  }
  void TearDown() override {
    answer = IDOK;
    if (window->GetVisible()) window->Close();
    SetModalResponder(nullptr);
    VclTest::TearDown();
    GlobalFormats = nullptr;
    GlobalMediaConverter = nullptr;
    SetCoreHost(nullptr);
  }
  void Queue(const String& Source, Int64 End = 100000000) {
    tasks.push_back(std::make_unique<TTaskInfo>());
    tasks.back()->OutName = DestinationName(Source);
    tasks.back()->Crop = TRect{0, 0, 320, 240};
    tasks.back()->EndTime = End;
    window->AddTask(Source, tasks.back().get());
  }
  // Lets the window's timers run for that long on the test clock.
  void Run(Cardinal Milliseconds) {
    clock.Advance(Milliseconds);
    Settle();
  }
  std::vector<double> Bars() { return {window->pbCurr->GetPosition(), window->pbTatal->GetPosition()}; }
  bool TimersOn() { return window->UpdateProgress->GetEnabled() && window->UpdatePreview->GetEnabled(); }
  bool TimersOff() { return !window->UpdateProgress->GetEnabled() && !window->UpdatePreview->GetEnabled(); }

  ScratchDir dir;
  TRecordingHost host;
  TMediaConverter converter;
  std::unique_ptr<TFormats> formats;
  TFormProgress* window = nullptr;
  std::vector<std::unique_ptr<TTaskInfo>> tasks;
  std::vector<String> asked;
  int answer = IDOK;
};

TEST_F(ProgressWindowTest, PauseFreezesBothBarsUntilResumed) {
  TFakeEngineScope engine;
  Queue("/media/a.avi");
  Queue("/media/b.avi");
  window->Show();
  Settle();
  EXPECT_EQ(window->GetCaption(), "Converter");
  EXPECT_EQ(window->GetClientWidth(), 336);
  EXPECT_EQ(window->GetClientHeight(), 363);
  EXPECT_TRUE(TimersOn());
  EXPECT_EQ(window->btnPause->GetCaption(), "Pause");
  engine->Position = 20000000;
  Run(300);
  EXPECT_EQ(Bars(), (std::vector<double>{20, 10}));
  EXPECT_EQ(window->lblTotal->GetCaption(), "[1/2]");
  EXPECT_EQ(window->lblFile->GetCaption(), "a.avi");

  window->btnPauseClick(window->btnPause);
  EXPECT_EQ(window->btnPause->GetCaption(), "Resume");
  EXPECT_TRUE(TimersOff());
  engine->Position = 60000000;
  Run(900);
  EXPECT_EQ(Bars(), (std::vector<double>{20, 10})) << "paused, nothing moves";

  window->btnPauseClick(window->btnPause);
  EXPECT_EQ(window->btnPause->GetCaption(), "Pause");
  EXPECT_TRUE(TimersOn());
  Run(300);
  EXPECT_EQ(Bars(), (std::vector<double>{60, 30}));
  EXPECT_EQ(engine->CallsOf("MediaConv_Pause").size(), 1u);
  EXPECT_EQ(engine->CallsOf("MediaConv_Continue").size(), 1u);
}

TEST_F(ProgressWindowTest, ThePictureFollowsOnlyWhilePreviewIsOn) {
  TFakeEngineScope engine;
  engine->SnapWidth = 2;
  engine->SnapHeight = 2;
  engine->Snapshot = std::vector<Byte>(16, 0);
  for (int i = 0; i < 4; ++i) engine->Snapshot[size_t(i) * 4 + 2] = 200;  // red
  Queue("/media/a.avi");
  window->Show();
  Settle();
  window->cbPreview->SetChecked(false);
  engine->Position = 50000000;
  Run(1500);
  EXPECT_TRUE(engine->CallsOf("MediaConv_GetSnap").empty());
  EXPECT_EQ(Bars()[0], 50) << "the bars move without the picture";

  window->cbPreview->SetChecked(true);
  Run(1500);
  EXPECT_EQ(engine->CallsOf("MediaConv_GetSnap").size(), 1u);
  TBitmap* picture = window->ImageReview->GetPicture()->GetBitmap();
  EXPECT_EQ(ColorToRGB(picture->GetCanvas()->GetPixel(160, 120)), TColor(RGB(200, 0, 0)));
}

TEST_F(ProgressWindowTest, ClosingAsksDuringTheRunAndNotAfterIt) {
  TFakeEngineScope engine;
  Queue("/media/a.avi");
  window->Show();
  Settle();
  answer = IDCANCEL;
  window->btnCancelClick(window->btnCancel);
  EXPECT_EQ(asked, std::vector<String>{"Cancel conversion?"});
  EXPECT_TRUE(window->GetVisible()) << "the run goes on";
  EXPECT_TRUE(engine->CallsOf("MediaConv_Cancel").empty());
  EXPECT_TRUE(TimersOn());

  answer = IDOK;
  engine->Actions["MediaConv_Cancel"] = [&] { engine->Finished = 1; };
  window->btnCancelClick(window->btnCancel);
  EXPECT_FALSE(window->GetVisible());
  EXPECT_EQ(engine->CallsOf("MediaConv_Cancel").size(), 1u);
  EXPECT_EQ(window->GetRun()->GetCount(), 0) << "the queue is emptied";

  // A finished run closes without a question.
  engine->Actions.clear();
  engine->Finished = 0;
  asked.clear();
  Queue("/media/b.avi");
  window->Show();
  Settle();
  engine->Finished = 1;
  Run(300);
  EXPECT_EQ(window->btnCancel->GetCaption(), "Close");
  EXPECT_FALSE(window->btnPause->GetEnabled());
  EXPECT_TRUE(TimersOff());
  EXPECT_EQ(Bars(), (std::vector<double>{100, 100}));
  EXPECT_EQ(host.Boxes, std::vector<String>{"All conversion tasks have been finished!"});
  window->btnCancelClick(window->btnCancel);
  EXPECT_FALSE(window->GetVisible());
  EXPECT_TRUE(asked.empty());
}

TEST_F(ProgressWindowTest, ARealRunShowsWhatIsBeingConverted) {
  ScratchDir media;
  Make(media.File("one.mp4"), "-f lavfi -i testsrc2=size=320x240:rate=25:duration=12 -c:v libx264 -pix_fmt yuv420p");
  Make(media.File("two.mp4"), "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v libx264 -pix_fmt yuv420p");
  MediaConvSetParts(1);  // one stream, so that the picture is of a file's middle, not its parts' starts
  Queue(media.File("one.mp4"), 120000000);
  Queue(media.File("two.mp4"), 20000000);
  window->Show();
  Settle();
  bool shot = false;
  for (int i = 0; i < 3000 && window->btnCancel->GetCaption() == "Cancel"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Run(300);
    if (!shot && window->pbCurr->GetPosition() >= 30 && window->lblTotal->GetCaption() == "[1/2]") {
      Run(1500);
      EXPECT_TRUE(SaveWindowShot(window->GetHandle(), "app-progress-alone"));
      shot = true;
    }
  }
  MediaConvSetParts(0);
  EXPECT_EQ(window->btnCancel->GetCaption(), "Close");
  EXPECT_EQ(window->lblTotal->GetCaption(), "[2/2]");
  EXPECT_EQ(host.Boxes, std::vector<String>{"All conversion tasks have been finished!"});
  EXPECT_EQ(FolderEntries(dir.Path()).size(), 2u);
}

TEST_F(ProgressWindowTest, ACancelledRunLeavesNothingAndTheNextRunWorks) {
  ScratchDir media;
  Make(media.File("long.mp4"), "-f lavfi -i testsrc2=size=640x480:rate=25:duration=30 -c:v libx264 -pix_fmt yuv420p");
  Make(media.File("short.mp4"), "-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -c:v libx264 -pix_fmt yuv420p");
  Queue(media.File("long.mp4"), 300000000);
  MediaConvSetParts(1);  // one stream: slow enough to be caught in the middle
  window->Show();
  Settle();
  for (int i = 0; i < 1000 && window->pbCurr->GetPosition() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Run(300);
  }
  ASSERT_TRUE(window->GetRun()->IsJobRunning());
  window->btnCancelClick(window->btnCancel);
  MediaConvSetParts(0);
  EXPECT_EQ(asked, std::vector<String>{"Cancel conversion?"});
  EXPECT_FALSE(window->GetVisible());
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<String>{}) << "no output, no temporary file";

  Queue(media.File("short.mp4"), 10000000);
  window->Show();
  Settle();
  for (int i = 0; i < 1000 && window->btnCancel->GetCaption() == "Cancel"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Run(300);
  }
  EXPECT_EQ(window->btnCancel->GetCaption(), "Close");
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<String>{"short_mp4.wmv"});
  EXPECT_EQ(host.Boxes, std::vector<String>{"All conversion tasks have been finished!"});
}

}  // namespace
