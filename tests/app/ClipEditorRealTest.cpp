// The clip editor over the real engine, driven as a person would: a generated 640 x 480 clip is
// opened, its effects moved, its range dragged on the seek bar, its crop dragged over the
// preview's still, and OK writes the task as the editor showed it; opened again, the editor shows
// the same. Also the pictures of each page for a person to look at.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "ClipEditorTestSupport.h"
#include "Screenshots.h"
#include "backend/ScriptedInput.h"
#include "core/GlobalFun.h"
#include "core/VideoList.h"
#include "tests/rtl/ScratchDir.h"

namespace {

class ClipEditorRealTest : public ClipEditorTest {
 protected:
  // Makes a clip with the ffmpeg program; false when it cannot.
  bool MakeClip(const String& Path, const String& Inputs) {
    const String command = "ffmpeg -nostdin -loglevel error -y " + Inputs + " '" + Path + "'";
    return std::system(command.c_str()) == 0;
  }
  // Probes a file as the main window's Add does, and opens the editor on it.
  void OpenProbed(const String& Path) {
    list = std::make_unique<TVideoList>(dir.File("configure.ini"));
    TMediaInfo info;
    list->AddFile(&info, Path);
    ASSERT_EQ(list->GetCount(), 1);
    TVideoInfo* video = list->GetInfo(0);
    stored = video->Task;
    context.Path = Path;
    context.HasVideo = video->HasVideo;
    context.Width = video->Width;
    context.Height = video->Height;
    context.Duration = video->Duration;
    context.Task = stored;
    editor->Show();
    editor->Open(&player, &context);
    Settle();
  }
  // Runs the loop, on the test clock and on real time for the engine's threads, until Done.
  bool WaitFor(const std::function<bool()>& Done, int Milliseconds = 5000) {
    for (int waited = 0; waited < Milliseconds; waited += 10) {
      Settle();
      if (Done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Done();
  }
  // The mean of the blue bytes of the preview's current picture.
  double PictureLevel() {
    Integer size = 0, w = 0, h = 0;
    player.GetSnapshot(nullptr, size, w, h);
    if (size <= 0) return -1;
    std::vector<Byte> pixels(size_t(size), 0);
    player.GetSnapshot(pixels.data(), size, w, h);
    double sum = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) sum += pixels[i];
    return sum / (pixels.size() / 4);
  }
  void Drag(TControl* Control, Integer X, Integer Y, Integer Dx, Integer Dy) {
    clock.Advance(1000);  // never a double click
    POINT from = At(Control, X, Y);
    ScriptDrag(from, {from.X + Dx, from.Y + Dy});
    Settle();
  }
  void Shot(const String& Name) { EXPECT_TRUE(SaveWindowShot(editor->GetHandle(), Name)); }

  ScratchDir dir;
  std::unique_ptr<TVideoList> list;
  TTaskInfo* stored = nullptr;  // the list's task of the file
};

TEST_F(ClipEditorRealTest, EditsAClipAndShowsTheStoredValuesAgain) {
  const String clip = dir.File("clip.avi");
  if (!MakeClip(clip, "-f lavfi -i testsrc=size=640x480:rate=30:duration=4 "
                      "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=4 -c:v mpeg4 -q:v 3 "
                      "-c:a mp3 -shortest"))
    GTEST_SKIP() << "the ffmpeg program could not make the clip";
  OpenProbed(clip);
  ASSERT_TRUE(context.HasVideo);
  ASSERT_TRUE(WaitFor([&] { return PictureLevel() >= 0; }));

  // Effects: the preview shows them at once.
  editor->ShowEffectPage();
  editor->trbVolume->SetPosition(180);
  editor->trbContrast->SetPosition(-15);
  player.Pause();
  ASSERT_TRUE(WaitFor([&] { return editor->ImagePlay->GetVisible(); }));
  const double before = PictureLevel();
  editor->trbBrightness->SetPosition(60);
  EXPECT_TRUE(WaitFor([&] { return PictureLevel() > before + 10; }));
  Shot("app-editor-effect");

  // The range: both handles, then the band.
  TframSeekBar* bar = editor->RangeSlider;
  Drag(bar->imgStart, 1, 9, 60, 0);
  Drag(bar->imgEnd, 5, 9, -80, 0);
  Drag(bar->imgSel, 20, 8, 30, 0);
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshTrim);
  EXPECT_GT(bar->GetStart(), 0);
  EXPECT_LT(bar->GetEnd(), bar->GetMax());
  const String start = editor->edtStart->GetText(), end = editor->edtEnd->GetText();
  EXPECT_EQ(start, FormatMilliseconds(true, Int64(bar->GetStart())));
  Shot("app-editor-trim");

  // The crop: the selection's bottom right handle dragged up and left over the still.
  editor->ShowCropPage();
  clock.Advance(300);
  Settle();
  const TRect window = editor->GetCropWindowRect();
  Drag(editor->PanelCrop, window.Right - 2, window.Bottom - 2, -90, -60);
  const TRect crop{Integer(editor->speLeft->GetValue()), Integer(editor->speTop->GetValue()),
                   Integer(editor->speRight->GetValue()), Integer(editor->speBottom->GetValue())};
  EXPECT_LT(crop.Right, 640);
  EXPECT_LT(crop.Bottom, 480);
  editor->cbLetterBox->SetItemIndex(1);
  clock.Advance(300);
  Settle();
  Shot("app-editor-crop");

  editor->ButtonOK->Click();
  ASSERT_EQ(editor->GetModalResult(), mrOk);
  editor->Close();
  EXPECT_EQ(stored->Volume, 180);
  EXPECT_EQ(stored->Brightness, 60);
  EXPECT_EQ(stored->Contrast, -15);
  EXPECT_EQ(stored->StartTime, Int64(ParseTimeText(start)) * 10000);
  EXPECT_EQ(stored->EndTime, Int64(ParseTimeText(end)) * 10000);
  EXPECT_EQ(stored->Crop, crop);
  EXPECT_EQ(stored->LetterboxMode, 1);

  // Opened again, the editor shows what was stored.
  editor->Show();
  editor->Open(&player, &context);
  Settle();
  EXPECT_EQ(editor->trbVolume->GetPosition(), 180);
  EXPECT_EQ(editor->lblBrightness->GetCaption(), "60%");
  EXPECT_EQ(editor->edtStart->GetText(), start);
  EXPECT_EQ(editor->edtEnd->GetText(), end);
  EXPECT_EQ(editor->speRight->GetValue(), crop.Right);
  EXPECT_EQ(editor->speBottom->GetValue(), crop.Bottom);
  EXPECT_EQ(editor->cbLetterBox->GetText(), "Keep original");
  editor->Close();
}

TEST_F(ClipEditorRealTest, ASoundFileOpensOnTheTrimPage) {
  const String sound = dir.File("sound.wav");
  if (!MakeClip(sound, "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=3"))
    GTEST_SKIP() << "the ffmpeg program could not make the sound";
  OpenProbed(sound);
  ASSERT_FALSE(context.HasVideo);
  editor->ShowCropPage();
  Settle();
  EXPECT_EQ(editor->pgcClip->GetActivePage(), editor->tshTrim);
  Shot("app-editor-sound");
  editor->Close();
}

}  // namespace
