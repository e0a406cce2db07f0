// The main window's preview pane, its controls laid out as the main window has them: the states'
// looks, the file's texts, the knob following the player and dragged to seek. The player is the
// real one, except where a case needs the exact engine calls.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FakeEngine.h"
#include "MediaFixture.h"
#include "VclTestSupport.h"
#include "app/MainPreview.h"
#include "tests/rtl/ScratchDir.h"

namespace {

class PreviewPaneTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    CreateMainForm();
    form = NewForm(40, 40, 253, 256);
    c.PanelPlay = Place(new TPanel(form), 7, 5, 240, 180);
    c.ImagePlayerBG = Place(new TImage(form), 7, 5, 240, 180);
    c.ImageBar = Place(new TImage(form), 29, 192, 214, 8);
    c.ImagePos = Place(new TImage(form), 29, 189, 6, 14);
    c.ImagePlay = Place(new TImage(form), 8, 187, 18, 18);
    c.ImagePause = Place(new TImage(form), 8, 187, 18, 18);
    c.lblName = Place(new TLabel(form), 8, 212, 200, 13);
    c.lblLength = Place(new TLabel(form), 8, 226, 200, 13);
    c.lblSize = Place(new TLabel(form), 8, 240, 200, 13);
    c.TimerUpdatePos = new TTimer(form);
    c.TimerUpdatePos->SetInterval(100);
    c.TimerUpdatePos->SetEnabled(false);
    pane = std::make_unique<TPreviewPane>(&player, c);
    pane->OnPlayerState(2);
    form->Show();
    Settle();
  }
  void TearDown() override {
    player.Stop();
    pane.reset();
    VclTest::TearDown();
  }
  template <class C>
  C* Place(C* Control, Integer X, Integer Y, Integer W, Integer H) {
    Control->SetParent(form);
    Control->SetBounds(X, Y, W, H);
    return Control;
  }
  static const String& Clip() {
    static ScratchDir media;
    static const String path = [] {
      String file = media.File("vga.mp4");
      Make(file, "-f lavfi -i testsrc2=size=640x480:rate=25:duration=4 -c:v libx264 -pix_fmt yuv420p");
      return file;
    }();
    return path;
  }
  // The look of the pane: panel, still, timer, knob enabled, play shown and enabled, pause shown
  // and enabled.
  std::vector<bool> Look() {
    return {c.PanelPlay->GetVisible(),  c.ImagePlayerBG->GetVisible(), c.TimerUpdatePos->GetEnabled(),
            c.ImagePos->GetEnabled(),   c.ImagePlay->GetVisible(),     c.ImagePlay->GetEnabled(),
            c.ImagePause->GetVisible(), c.ImagePause->GetEnabled()};
  }
  Integer KnobOffset() { return c.ImagePos->GetLeft() - c.ImageBar->GetLeft(); }
  bool WaitForPosition(Int64 Ticks) {
    for (int i = 0; i < 500; ++i) {
      if (player.Position() >= Ticks) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  TForm* form = nullptr;
  TPreviewControls c;
  TMediaPlayer player;
  std::unique_ptr<TPreviewPane> pane;
};

TEST_F(PreviewPaneTest, PlaysAFileWithItsTextsAndTheLookOfEachState) {
  const std::vector<bool> stopped{false, true, false, false, true, false, false, false};
  EXPECT_EQ(Look(), stopped);
  EXPECT_EQ(KnobOffset(), 0);

  pane->Play(Clip(), 40000000, 640, 480);
  EXPECT_EQ(c.lblName->GetCaption(), "vga.mp4");
  EXPECT_EQ(c.lblLength->GetCaption(), "00:00:04.000");
  EXPECT_EQ(c.lblSize->GetCaption(), "640 x 480");
  const std::vector<bool> playing{true, false, true, true, false, false, true, true};
  EXPECT_EQ(Look(), playing);

  // The knob follows while it plays, and stands while paused.
  ASSERT_TRUE(WaitForPosition(10000000));
  pane->UpdatePosition();
  const Integer moved = KnobOffset();
  EXPECT_GT(moved, 0);
  pane->PauseClick();
  const std::vector<bool> paused{true, false, false, true, true, true, false, false};
  EXPECT_EQ(Look(), paused);
  const Integer frozen = KnobOffset();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  clock.Advance(500);
  Settle();
  EXPECT_EQ(KnobOffset(), frozen);
  pane->PlayClick();
  EXPECT_EQ(Look(), playing);

  pane->OnPlayerState(7);
  EXPECT_EQ(Look(), playing) << "an unknown state changes nothing";
  pane->OnPlayerState(2);
  EXPECT_EQ(Look(), stopped);
  EXPECT_EQ(KnobOffset(), 0);
  EXPECT_EQ(c.lblName->GetCaption(), "");
  EXPECT_EQ(c.lblSize->GetCaption(), "");
}

TEST_F(PreviewPaneTest, TheKnobStaysOnTheBarAndSeeksWhereItIsLetGo) {
  TFakeEngineScope engine;
  pane->Play("/media/clip.avi", 40000000, 640, 480);
  pane->KnobDown();
  EXPECT_FALSE(c.TimerUpdatePos->GetEnabled()) << "the player does not pull the knob away";
  pane->KnobMove(-500);
  EXPECT_EQ(KnobOffset(), 0);
  pane->KnobMove(1000);
  EXPECT_EQ(KnobOffset(), 214 - 6);
  pane->KnobMove(-(214 - 6) / 2);
  pane->KnobUp();
  EXPECT_EQ(engine->CallsOf("MediaPlayer_Seek"), std::vector<std::string>{"MediaPlayer_Seek(20000000,0)"});
  EXPECT_TRUE(c.TimerUpdatePos->GetEnabled());
  pane->KnobMove(50);
  EXPECT_EQ(KnobOffset(), 104) << "moves count only while dragging";

  // At the end the player stops, and the knob sits at the bar's right end.
  engine->Position = 40000000;
  pane->UpdatePosition();
  EXPECT_EQ(engine->CallsOf("MediaPlayer_Stop").size(), 1u);
  EXPECT_EQ(KnobOffset(), 214 - 6);
}

TEST_F(PreviewPaneTest, AFileWithoutLengthOrAFailingPlayerKeepsTheKnobStill) {
  TFakeEngineScope engine;
  pane->Play("/media/empty.avi", 0, 0, 0);
  engine->Position = 0;
  pane->UpdatePosition();
  EXPECT_EQ(KnobOffset(), 0);

  engine->Codes["MediaPlayer_GetCurrentPosition"] = 4;
  EXPECT_TRUE(c.TimerUpdatePos->GetEnabled());
  EXPECT_THROW(pane->UpdatePosition(), EPlayException);
  EXPECT_FALSE(c.TimerUpdatePos->GetEnabled()) << "one report, not one each tick";
}

}  // namespace
