// The clip editor over a scripted engine: opening, pages, live effects, the trim edits and the
// looping preview, the seek bar's reactions, the crop geometry and OK.

#include <gtest/gtest.h>

#include "ClipEditorTestSupport.h"
#include "FakeEngine.h"
#include "backend/ScriptedInput.h"
#include "core/GlobalFun.h"
#include "rtl/Math.h"

namespace {

constexpr Int64 kSecond = 10'000'000;  // in 100 ns

class ClipEditorFakeTest : public ClipEditorTest {
 protected:
  TFakeEngineScope engine;
  bool Called(const std::string& Call) {
    for (const std::string& c : engine->Calls)
      if (c == Call) return true;
    return false;
  }
};

TEST_F(ClipEditorFakeTest, OpeningShowsTheTaskAndStartsThePreview) {
  task.Volume = 150;
  task.Brightness = -20;
  OpenClip("/in/a.avi", 640, 480, 83 * kSecond + 5'000);
  EXPECT_EQ(editor->edtStart->GetText(), "00:00:00.000");
  EXPECT_EQ(editor->edtEnd->GetText(), "00:01:23.000");
  EXPECT_EQ(editor->edtLength->GetText(), "00:01:23.000");
  EXPECT_TRUE(Called("MediaPlayer_Seek(0," + std::to_string(83 * kSecond + 5'000) + ")"));
  EXPECT_EQ(editor->lblVolume->GetCaption(), "150%");
  EXPECT_EQ(editor->lblBrightness->GetCaption(), "-20%");
  EXPECT_TRUE(Called("MediaPlayer_SetBrightness(-20)"));
  // The player reported "playing": the position is followed and the pause image shows.
  EXPECT_TRUE(editor->TimerUpdatePos->GetEnabled());
  EXPECT_TRUE(editor->ImagePause->GetVisible());
  EXPECT_FALSE(editor->ImagePlay->GetVisible());
  EXPECT_EQ(editor->RangeSlider->GetMax(), 83000);
  EXPECT_EQ(editor->RangeSlider->GetEnd(), 83000);
  // The pause image pauses the preview, which stops following the position; play resumes it.
  ScriptClick(At(editor->ImagePause, 11, 11));
  Settle();
  EXPECT_TRUE(Called("MediaPlayer_Pause()"));
  EXPECT_FALSE(editor->TimerUpdatePos->GetEnabled());
  EXPECT_TRUE(editor->ImagePlay->GetVisible());
  clock.Advance(1000);
  ScriptClick(At(editor->ImagePlay, 11, 11));
  Settle();
  EXPECT_TRUE(Called("MediaPlayer_Continue()"));
  EXPECT_TRUE(editor->TimerUpdatePos->GetEnabled());
}

TEST_F(ClipEditorFakeTest, AudioOnlyFilesOpenOnTrimWithTheOtherPagesInert) {
  OpenClip("/in/a.mp3", 0, 0, 10 * kSecond);
  editor->ShowCropPage();
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshTrim);
  editor->ShowEffectPage();
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshTrim);
  EXPECT_FALSE(editor->tshVideo->GetEnabled());
  EXPECT_FALSE(editor->tshCrop->GetEnabled());
  EXPECT_TRUE(editor->tshTrim->GetEnabled());
  // The tab can still be chosen; the surface stays the preview and no snapshots are taken.
  editor->pgcClip->SetActivePage(editor->tshCrop);
  Settle();
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshCrop);
  EXPECT_TRUE(editor->PanelPlay->GetVisible());
  EXPECT_FALSE(editor->tmrUpdateCrop->GetEnabled());
}

TEST_F(ClipEditorFakeTest, VolumeActsOnThePreviewAndCancelKeepsTheTask) {
  OpenClip("/in/a.avi", 640, 480, 10 * kSecond);
  editor->trbVolume->SetPosition(250);
  EXPECT_EQ(editor->lblVolume->GetCaption(), "250%");
  EXPECT_TRUE(Called("MediaPlayer_SetVolume(250)"));
  editor->ButtonCancel->Click();
  editor->Close();
  EXPECT_EQ(task.Volume, 100);
  EXPECT_TRUE(Called("MediaPlayer_Stop()"));
  // The next file with the same volume still gets it in its preview.
  TTaskInfo next;
  next.Volume = 250;
  next.EndTime = 10 * kSecond;
  context.Task = &next;
  engine->Calls.clear();
  editor->Show();
  editor->Open(&player, &context);
  EXPECT_TRUE(Called("MediaPlayer_SetVolume(250)"));
}

TEST_F(ClipEditorFakeTest, ThePreviewLoopsInsideTheSelection) {
  task.StartTime = 10 * kSecond;
  task.EndTime = 20 * kSecond;
  OpenClip("/in/a.avi", 640, 480, 60 * kSecond);
  engine->Calls.clear();
  engine->Position = 15 * kSecond;
  clock.Advance(100);
  Settle();
  EXPECT_EQ(editor->RangeSlider->GetPosition(), 15000);
  EXPECT_TRUE(engine->CallsOf("MediaPlayer_Seek").empty());
  engine->Position = 20 * kSecond;
  clock.Advance(100);
  Settle();
  EXPECT_EQ(engine->CallsOf("MediaPlayer_Seek"),
            std::vector<std::string>{"MediaPlayer_Seek(100000000,100000000)"});
}

TEST_F(ClipEditorFakeTest, ReleasingTheEndHandleSeeksAndFollowsThePositionAgain) {
  OpenClip("/in/a.avi", 640, 480, 100 * kSecond);
  editor->ShowEffectPage();
  engine->Calls.clear();
  TImage* handle = editor->RangeSlider->imgEnd;
  POINT from = At(handle, 5, 9);
  ScriptDrag(from, {from.X - 100, from.Y});
  Settle();
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshTrim);
  const Double end = editor->RangeSlider->GetEnd();
  EXPECT_LT(end, 100000);
  EXPECT_EQ(editor->edtEnd->GetText(), FormatMilliseconds(true, Int64(end)));
  EXPECT_EQ(engine->CallsOf("MediaPlayer_Seek"),
            std::vector<std::string>{"MediaPlayer_Seek(0," + std::to_string(Round(end * 10000)) + ")"});
  EXPECT_TRUE(editor->TimerUpdatePos->GetEnabled());
}

TEST_F(ClipEditorFakeTest, ApplyingAReversedRangeShowsNoLengthAndOkRefusesIt) {
  OpenClip("/in/a.avi", 640, 480, 60 * kSecond);
  editor->edtStart->SetText("00:00:05.000");
  editor->edtEnd->SetText("00:00:02.000");
  editor->btnStartApply->Click();
  EXPECT_EQ(editor->edtLength->GetText(), "00:00:00.000");
  EXPECT_TRUE(Called("MediaPlayer_Seek(50000000,-30000000)"));
  editor->ButtonOK->Click();
  EXPECT_EQ(editor->GetModalResult(), mrNone);
  ASSERT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(task.StartTime, 0);
  EXPECT_EQ(task.EndTime, 60 * kSecond);
}

TEST_F(ClipEditorFakeTest, OkStoresEveryFieldIn64BitTicks) {
  OpenClip("/in/a.avi", 640, 480, 600 * kSecond);
  editor->trbVolume->SetPosition(300);
  editor->trbBrightness->SetPosition(12);
  editor->trbContrast->SetPosition(-40);
  editor->edtStart->SetText("00:03:40.250");
  editor->edtEnd->SetText("00:09:00.000");
  editor->cbLetterBox->SetItemIndex(2);
  editor->ButtonOK->Click();
  EXPECT_EQ(editor->GetModalResult(), mrOk);
  EXPECT_EQ(task.StartTime, Int64(220250) * 10000);
  EXPECT_EQ(task.EndTime, Int64(540000) * 10000);
  EXPECT_EQ(task.Volume, 300);
  EXPECT_EQ(task.Brightness, 12);
  EXPECT_EQ(task.Contrast, -40);
  EXPECT_EQ(task.LetterboxMode, 2);
  EXPECT_EQ(task.Crop, (TRect{0, 0, 640, 480}));
}

TEST_F(ClipEditorFakeTest, BadStartTimesGetTheirOwnMessage) {
  OpenClip("/in/a.avi", 640, 480, 60 * kSecond);
  String message;
  editor->edtStartValidateError(editor->edtStart, message);
  EXPECT_EQ(message, "Invalid input time, xx:xx:xx.xxx");
}

// ---- Crop ---------------------------------------------------------------------------------------

TEST_F(ClipEditorFakeTest, TheSelectionWindowFitsThePictureIntoThePanel) {
  struct Case {
    Integer w, h;
    Double scale;
    TRect window;
  };
  const Case cases[] = {{720, 480, 0.5, {0, 15, 360, 255}},
                        {640, 480, 0.5625, {0, 0, 360, 270}},
                        {320, 240, 1.125, {0, 0, 360, 270}},
                        {480, 480, 0.5625, {45, 0, 315, 270}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.w);
    task.Crop = {};
    OpenClip("/in/a.avi", c.w, c.h, 10 * kSecond);
    EXPECT_DOUBLE_EQ(editor->GetCropScale(), c.scale);
    EXPECT_EQ(editor->GetCropWindowRect(), c.window);
    EXPECT_EQ(editor->speRight->GetMax(), c.w);
    EXPECT_EQ(editor->speBottom->GetMax(), c.h);
    editor->Close();
  }
}

TEST_F(ClipEditorFakeTest, SpinsAndSelectionFollowEachOther) {
  OpenClip("/in/a.avi", 720, 480, 10 * kSecond);
  editor->ShowCropPage();
  Settle();
  // Left 5 is 2.5 window pixels: halves go to even (2), so a drag of 4 reports 6, or 12 pixels.
  editor->speLeft->SetValue(5);
  editor->speTop->SetValue(100);
  editor->speRight->SetValue(401);
  editor->speBottom->SetValue(300);
  const TRect window = editor->GetCropWindowRect();
  POINT from = At(editor->PanelCrop, window.Left + 100, window.Top + 100);
  ScriptDrag(from, {from.X + 4, from.Y}, 1);
  Settle();
  EXPECT_EQ(SpinCrop(), (TRect{12, 100, 408, 300}));
  // A reported rectangle outside the picture is clamped by the spins.
  SendSelection(-10, 20, 400, 250);
  EXPECT_EQ(SpinCrop(), (TRect{0, 40, 720, 480}));
}

TEST_F(ClipEditorFakeTest, ResetShowsTheWholePictureOnFullScreen) {
  task.Crop = {10, 20, 300, 200};
  task.LetterboxMode = 3;
  OpenClip("/in/a.avi", 720, 480, 10 * kSecond);
  EXPECT_EQ(SpinCrop(), (TRect{10, 20, 300, 200}));
  EXPECT_EQ(editor->cbLetterBox->GetItemIndex(), 3);
  editor->btnCropReset->Click();
  EXPECT_EQ(SpinCrop(), (TRect{0, 0, 720, 480}));
  EXPECT_EQ(editor->cbLetterBox->GetText(), "Full screen");
}

TEST_F(ClipEditorFakeTest, TheCropPageShowsSnapshotsOnlyWhileItIsShown) {
  engine->Snapshot.assign(64 * 48 * 4, 0x80);
  engine->SnapWidth = 64;
  engine->SnapHeight = 48;
  OpenClip("/in/a.avi", 640, 480, 10 * kSecond);
  editor->ShowCropPage();
  EXPECT_TRUE(editor->PanelCrop->GetVisible());
  EXPECT_FALSE(editor->PanelPlay->GetVisible());
  engine->Calls.clear();
  clock.Advance(300);
  Settle();
  // The first tick grows the buffer and asks again.
  EXPECT_EQ(engine->CallsOf("MediaPlayer_GetSnap").size(), 2u);
  // A click on another tab goes back to the playing video.
  POINT tab = At(editor->pgcClip, 20, 10);
  ScriptClick(tab);
  Settle();
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshVideo);
  EXPECT_TRUE(editor->PanelPlay->GetVisible());
  EXPECT_FALSE(editor->PanelCrop->GetVisible());
  EXPECT_FALSE(editor->tmrUpdateCrop->GetEnabled());
}

TEST_F(ClipEditorFakeTest, OkPutsTheCropInOrderAndRefusesAnEmptyOne) {
  OpenClip("/in/a.avi", 640, 480, 10 * kSecond);
  editor->speLeft->SetValue(500);
  editor->speRight->SetValue(100);
  editor->ButtonOK->Click();
  EXPECT_EQ(task.Crop, (TRect{100, 0, 500, 480}));
  editor->speTop->SetValue(200);
  editor->speBottom->SetValue(200);
  editor->ButtonOK->Click();
  EXPECT_EQ(editor->GetModalResult(), mrNone);
  EXPECT_EQ(host.Boxes.size(), 1u);
  EXPECT_EQ(task.Crop, (TRect{100, 0, 500, 480}));
}

TEST_F(ClipEditorFakeTest, AFileWithoutVideoKeepsTheCropOfTheLastVideo) {
  OpenClip("/in/a.avi", 640, 480, 10 * kSecond);
  editor->speLeft->SetValue(50);
  editor->cbLetterBox->SetItemIndex(1);
  editor->Close();
  TTaskInfo sound;
  sound.Crop = {};
  sound.LetterboxMode = 0;
  task.Crop = {};
  context.Task = &sound;
  sound.EndTime = 5 * kSecond;
  context.HasVideo = false;
  context.Width = context.Height = 0;
  editor->Show();
  editor->Open(&player, &context);
  EXPECT_EQ(editor->cbLetterBox->GetItemIndex(), 0);
  editor->ButtonOK->Click();
  EXPECT_EQ(sound.Crop, TRect{});
  EXPECT_EQ(sound.LetterboxMode, 0);
  EXPECT_TRUE(editor->PanelPlay->GetVisible());
}

}  // namespace
