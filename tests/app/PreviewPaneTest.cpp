// The main window's preview pane, its controls laid out as the main window has them: the states'
// looks, the file's texts, the knob following the player and dragged to seek. The player is the
// real one, except where a case needs the exact engine calls.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FakeEngine.h"
#include "MediaFixture.h"
#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/MainPreview.h"
#include "backend/ScriptedInput.h"
#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/controls/WbPanel.h"
#include "tests/rtl/ScratchDir.h"

// The pane as the main window's form lays it out, with its pictures, handing its events on as the
// main window does.
class TPreviewPaneForm : public TForm {
  TAVREN_CLASS(TPreviewPaneForm, TForm)
 public:
  using TForm::TForm;
  TWbPanel* WbPanelReview = nullptr;
  TImage* ImagePlayerBG = nullptr;
  TPanel* PanelPlay = nullptr;
  TImage* ImageBar = nullptr;
  TImage* ImagePos = nullptr;
  TImage* ImagePlay = nullptr;
  TImage* ImagePause = nullptr;
  TLabel *Label3 = nullptr, *Label4 = nullptr, *Label7 = nullptr;
  TLabel *lblName = nullptr, *lblLength = nullptr, *lblSize = nullptr;
  TTimer* TimerUpdatePos = nullptr;
  std::unique_ptr<TPreviewPane> Pane;

  TPreviewControls Controls() const {
    return {PanelPlay, ImagePlayerBG, ImageBar, ImagePos, ImagePlay, ImagePause, lblName, lblLength, lblSize,
            TimerUpdatePos};
  }
  void ImagePosMouseDown(TObject*, TMouseButton, TShiftState, Integer, Integer) { Pane->KnobDown(); }
  void ImagePosMouseMove(TObject*, TShiftState, Integer X, Integer) { Pane->KnobMove(X); }
  void ImagePosMouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) { Pane->KnobUp(); }
  void ImagePlayClick(TObject*) { Pane->PlayClick(); }
  void ImagePauseClick(TObject*) { Pane->PauseClick(); }
  void TimerUpdatePosTimer(TObject*) { Pane->UpdatePosition(); }
};

TAVREN_CLASS_IMPL_PUBLISHED(TPreviewPaneForm,
    FIELD(WbPanelReview), FIELD(ImagePlayerBG), FIELD(PanelPlay), FIELD(ImageBar), FIELD(ImagePos), FIELD(ImagePlay),
    FIELD(ImagePause), FIELD(Label3), FIELD(Label4), FIELD(Label7), FIELD(lblName), FIELD(lblLength), FIELD(lblSize),
    FIELD(TimerUpdatePos), METHOD(ImagePosMouseDown), METHOD(ImagePosMouseMove),
    METHOD(ImagePosMouseUp), METHOD(ImagePlayClick), METHOD(ImagePauseClick), METHOD(TimerUpdatePosTimer))

namespace {

class PreviewPaneTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterClasses({TPreviewPaneForm::ClassInfo()});
    CreateMainForm();
    Application()->CreateForm(form);
    forms.push_back(form);
    c = form->Controls();
    form->Pane = std::make_unique<TPreviewPane>(&player, c);
    pane = form->Pane.get();
    pane->OnPlayerState(2);
    form->Show();
    Settle();
  }
  void TearDown() override {
    player.Stop();
    VclTest::TearDown();
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
  POINT At(TControl* Control, Integer X, Integer Y) {
    const TPoint p = Control->ClientToScreen(TPoint(X, Y));
    return {p.X, p.Y};
  }

  TPreviewPaneForm* form = nullptr;
  TPreviewControls c;
  TMediaPlayer player;
  TPreviewPane* pane = nullptr;
};

TEST_F(PreviewPaneTest, PlaysAFileWithItsTextsAndTheLookOfEachState) {
  const std::vector<bool> stopped{false, true, false, false, true, false, false, false};
  EXPECT_EQ(Look(), stopped);
  EXPECT_EQ(KnobOffset(), 0);
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "app-preview-stopped"));

  pane->Play(Clip(), 40000000, 640, 480);
  ASSERT_TRUE(WaitForPosition(5000000));
  clock.Advance(100);
  Settle();
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "app-preview"));
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
  EXPECT_EQ(c.ImagePos->GetTop() + 7, c.ImageBar->GetTop() + 4) << "the knob is centred on the bar";
  // Dragged past either end, then let go at the bar's middle.
  const POINT grip = At(c.ImagePos, 3, 7);
  ScriptMouseMove(grip);
  Settle();
  ScriptDrag(grip, {grip.X - 200, grip.Y}, 4);
  Settle();
  EXPECT_EQ(KnobOffset(), 0);
  EXPECT_EQ(engine->CallsOf("MediaPlayer_Seek"), std::vector<std::string>{"MediaPlayer_Seek(0,0)"});
  clock.Advance(1000);
  ScriptDrag(At(c.ImagePos, 3, 7), At(c.ImageBar, 300, 4), 4);
  Settle();
  EXPECT_EQ(KnobOffset(), 214 - 6);
  clock.Advance(1000);
  ScriptDrag(At(c.ImagePos, 0, 7), At(c.ImageBar, (214 - 6) / 2, 4), 4);
  Settle();
  EXPECT_EQ(KnobOffset(), (214 - 6) / 2);
  EXPECT_EQ(engine->CallsOf("MediaPlayer_Seek").back(), "MediaPlayer_Seek(20000000,0)");
  EXPECT_TRUE(c.TimerUpdatePos->GetEnabled());
  EXPECT_FALSE(pane->IsDragging());

  // Moves count only while dragging; at the end the player stops and the knob sits at the right.
  pane->KnobMove(50);
  EXPECT_EQ(KnobOffset(), (214 - 6) / 2);
  engine->Position = 40000000;
  clock.Advance(100);
  Settle();
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
