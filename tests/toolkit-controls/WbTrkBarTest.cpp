// The track bar: range setters, veto, ticks, keys by orientation, paging on the clock, dragging,
// recoloured thumbs and a control too small for its thumb.

#include <gtest/gtest.h>

#include <climits>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "toolkit/controls/WbTrkBar.h"
#include "user/VirtualKeys.h"
#include "vcl/Timers.h"

namespace {

struct Watcher : TObject {
  int Changes = 0;
  std::vector<Integer> Asked;
  bool Allow = true;
  void Change(TObject*) { ++Changes; }
  void Changing(TObject*, Integer NewPos, bool& AllowChange) {
    Asked.push_back(NewPos);
    AllowChange = Allow;
  }
};

class TFormWithBar : public TForm {
  TAVREN_CLASS(TFormWithBar, TForm)
 public:
  using TForm::TForm;
  TWbTrackBar* Bar = nullptr;
};

class WbTrackBarTest : public VclTest {
 protected:
  TWbTrackBar* NewBar(Integer Width = 200, Integer Height = 35) {
    form = NewForm(100, 100, 400, 300);
    form->SetBorderStyle(bsNone);
    auto* bar = new TWbTrackBar(form);
    bar->SetParent(form);
    bar->SetBounds(10, 10, Width, Height);
    bar->SetOnChange(MakeEvent<&Watcher::Change>(&watcher));
    bar->SetOnChanging(MakeEvent<&Watcher::Changing>(&watcher));
    form->Show();
    bar->SetFocus();
    Settle();
    return bar;
  }
  POINT Screen(TWbTrackBar* bar, Integer X, Integer Y) { return {100 + bar->GetLeft() + X, 100 + bar->GetTop() + Y}; }
  TForm* form = nullptr;
  Watcher watcher;
};

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TFormWithBar, FIELD(Bar))

TEST_F(WbTrackBarTest, RangeSettersKeepMinBelowMax) {
  struct Case {
    Integer Max, Min;  // set in this order, as forms store them
    Integer ExpectMin, ExpectMax;
  };
  const Case kCases[] = {
      {0, 0, 0, 1},
      {20, 50, 19, 20},
      {INT_MAX, INT_MAX, INT_MAX - 1, INT_MAX},
      {INT_MIN, INT_MIN, INT_MIN, 1},
      {INT_MAX, INT_MIN, INT_MIN, INT_MAX},
  };
  for (const auto& c : kCases) {
    TWbTrackBar bar(nullptr);
    bar.SetMax(c.Max);
    bar.SetMin(c.Min);
    EXPECT_EQ(bar.GetMin(), c.ExpectMin);
    EXPECT_EQ(bar.GetMax(), c.ExpectMax);
    EXPECT_GE(bar.GetPosition(), bar.GetMin());
  }
  TWbTrackBar bar(nullptr);
  bar.SetMin(INT_MIN);
  bar.SetMax(INT_MIN);  // Min + 1 still fits
  EXPECT_EQ(bar.GetMin(), INT_MIN);
  EXPECT_EQ(bar.GetMax(), INT_MIN + 1);
  bar.SetMax(INT_MAX);
  bar.SetMin(INT_MAX);  // Max - 1 still fits
  EXPECT_EQ(bar.GetMin(), INT_MAX - 1);

  // Forms store Max before Min.
  RegisterClasses({TFormWithBar::ClassInfo(), TWbTrackBar::ClassInfo()});
  TFormWithBar stored(nullptr, 0);
  TReader reader(
      "object F: TFormWithBar\n"
      "  object Bar: TWbTrackBar\n"
      "    Max = -5\n"
      "    Min = -10\n"
      "    Position = -7\n"
      "  end\n"
      "end\n");
  reader.ReadRootComponent(&stored);
  ASSERT_NE(stored.Bar, nullptr);
  EXPECT_EQ(stored.Bar->GetMax(), 1);
  EXPECT_EQ(stored.Bar->GetMin(), -10);
  EXPECT_EQ(stored.Bar->GetPosition(), -7);
}

TEST_F(WbTrackBarTest, ChangingCanVetoEveryMove) {
  TWbTrackBar* bar = NewBar();
  bar->SetPosition(3);
  EXPECT_EQ(watcher.Changes, 1);
  bar->SetPosition(3);  // unchanged: nothing asked
  EXPECT_EQ(watcher.Asked.size(), 1u);
  bar->SetPosition(50);  // clamped, asked with the clamped value
  EXPECT_EQ(watcher.Asked.back(), 10);
  watcher.Allow = false;
  bar->SetPosition(5);
  ScriptKeyPress(VK_LEFT);
  Settle();
  EXPECT_EQ(bar->GetPosition(), 10);
  EXPECT_EQ(watcher.Changes, 2);
}

TEST_F(WbTrackBarTest, TicksAtMultiplesOfTheStep) {
  TWbTrackBar* bar = NewBar(300);
  bar->SetMin(-7);
  bar->SetMax(12);
  bar->SetTickStep(5);
  std::vector<std::pair<Integer, Integer>> ticks;
  bar->TickPositions(ticks);
  std::vector<Integer> values;
  for (const auto& t : ticks) values.push_back(t.first);
  EXPECT_EQ(values, (std::vector<Integer>{-5, 0, 5, 10}));
  // A full 32-bit range draws at most one tick per pixel.
  bar->SetMin(INT_MIN);
  bar->SetMax(INT_MAX);
  bar->SetTickStep(1);
  bar->TickPositions(ticks);
  EXPECT_LE(ticks.size(), 300u);
  EXPECT_GT(ticks.size(), 100u);
}

TEST_F(WbTrackBarTest, KeysFollowTheOrientation) {
  TWbTrackBar* bar = NewBar();
  bar->SetMax(20);
  bar->SetPageSize(5);
  struct Step {
    UINT Key;
    Integer Expected;
  };
  const Step horizontal[] = {{VK_END, 20}, {VK_HOME, 0}, {VK_PRIOR, 5}, {VK_RIGHT, 6}, {VK_DOWN, 5}, {VK_NEXT, 0},
                             {VK_LEFT, 0}};
  for (const auto& s : horizontal) {
    ScriptKeyPress(s.Key);
    Settle();
    EXPECT_EQ(bar->GetPosition(), s.Expected) << s.Key;
  }
  bar->SetBounds(10, 10, 35, 200);  // taller than wide turns it vertical
  EXPECT_EQ(bar->GetOrientation(), orVertical);
  const Step vertical[] = {{VK_HOME, 20}, {VK_END, 0}, {VK_UP, 1}};
  for (const auto& s : vertical) {
    ScriptKeyPress(s.Key);
    Settle();
    EXPECT_EQ(bar->GetPosition(), s.Expected) << s.Key;
  }
}

TEST_F(WbTrackBarTest, PagingRepeatsOnTheClockUntilTheThumbArrives) {
  TWbTrackBar* bar = NewBar();
  const TRect track = bar->GetTrackRect();
  const uint64_t start = clock.Now();
  std::vector<uint64_t> at;
  struct Times : TObject {
    std::vector<uint64_t>* At = nullptr;
    FakeClock* Clock = nullptr;
    void Change(TObject*) { At->push_back(Clock->Now()); }
  } times;
  times.At = &at;
  times.Clock = &clock;
  bar->SetOnChange(MakeEvent<&Times::Change>(&times));
  POINT press = Screen(bar, track.Right - 30, (track.Top + track.Bottom) / 2);
  InputMouseButton(press, MouseButton::Left, true);
  Settle();
  ASSERT_EQ(at.size(), 1u);
  EXPECT_TRUE(bar->IsPaging());
  while (at.size() < 3) Application()->HandleMessage();
  EXPECT_EQ(at[1] - start, 200u);
  EXPECT_EQ(at[2] - start, 300u);
  // Onward until the thumb reaches the pointer: then paging stops (and dragging may start).
  for (int i = 0; i < 20 && (bar->IsPaging() || bar->GetRepeatTimer()->GetEnabled()); ++i) {
    clock.Advance(100);
    Settle();
  }
  EXPECT_LT(bar->GetPosition(), 10);
  EXPECT_GE(bar->GetPosition(), 7);
  InputMouseButton(press, MouseButton::Left, false);
  Settle();
  EXPECT_FALSE(bar->GetRepeatTimer()->GetEnabled());
  EXPECT_FALSE(bar->IsSliding());
}

TEST_F(WbTrackBarTest, DraggingTheThumbFollowsThePointer) {
  TWbTrackBar* bar = NewBar();
  const TRect thumb = bar->GetThumbRect();
  const TRect track = bar->GetTrackRect();
  POINT from = Screen(bar, (thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2);
  POINT to = Screen(bar, (track.Left + track.Right) / 2, (thumb.Top + thumb.Bottom) / 2);
  InputMouseButton(from, MouseButton::Left, true);
  Settle();
  EXPECT_TRUE(bar->IsSliding());
  InputMouseMove(to);
  Settle();
  EXPECT_EQ(bar->GetPosition(), 5);
  InputMouseButton(to, MouseButton::Left, false);
  Settle();
  EXPECT_FALSE(bar->IsSliding());
}

TEST_F(WbTrackBarTest, ANarrowBarSurvivesEverything) {
  TWbTrackBar* bar = NewBar(10, 10);
  bar->SetMin(INT_MIN);
  bar->SetMax(INT_MAX);
  std::vector<std::pair<Integer, Integer>> ticks;
  bar->TickPositions(ticks);
  EXPECT_TRUE(ticks.empty());
  for (UINT key : {VK_PRIOR, VK_END, VK_LEFT, VK_HOME, VK_RIGHT, VK_NEXT}) ScriptKeyPress(key);
  POINT middle = Screen(bar, 5, 5);
  InputMouseButton(middle, MouseButton::Left, true);
  InputMouseMove(Screen(bar, 9, 5));
  InputMouseMove(Screen(bar, 0, 5));
  clock.Advance(500);
  Settle();
  InputMouseButton(middle, MouseButton::Left, false);
  Settle();
  EXPECT_GE(bar->GetPosition(), INT_MIN);
  form->Repaint();
  Settle();
}

TEST_F(WbTrackBarTest, ThumbsTakeTheSystemAndHotColours) {
  struct Case {
    TWbHotTrackColorType Type;
    TColor HotFace;
  };
  const Case kCases[] = {{htctActual, MixColors(clWhite, TColor(1350640), 190)},
                         {htctComplement, OppositeHueColor(TColor(1350640), 140)}};
  for (const auto& c : kCases) {
    TWbTrackBar bar(nullptr);
    bar.SetThumbStyle(tsBox);
    bar.SetHotTrackColorType(c.Type);
    TBitmap* thumb = bar.GetThumbImage();
    ASSERT_EQ(thumb->GetWidth(), 11);
    ASSERT_EQ(thumb->GetHeight(), 21);
    EXPECT_EQ(PixelAt(*thumb, 5, 10), ColorToRGB(clBtnFace));  // silver in the resource
    EXPECT_EQ(PixelAt(*thumb, 0, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(*bar.GetHotThumbImage(), 5, 10), ColorToRGB(c.HotFace));
  }
  TWbTrackBar bar(nullptr);
  bar.SetThumbStyle(tsMixer);
  EXPECT_EQ(bar.GetTrackWidth(), 6);
  EXPECT_EQ(bar.GetThumbWidth(), 21);
  bar.SetOrientation(orVertical);  // the turned image: the same extent along the track
  EXPECT_EQ(bar.GetThumbWidth(), 21);
  EXPECT_EQ(bar.GetThumbHeight(), 16);
  EXPECT_EQ(bar.GetThumbImage()->GetWidth(), 16);
  // Themes on: a box is drawn as the XP box, the property stays.
  RecordingTheme theme;
  bar.SetThumbStyle(tsBox);
  EXPECT_EQ(bar.GetThumbStyle(), tsBox);
  EXPECT_EQ(PixelAt(*bar.GetThumbImage(), 0, 5), 0xA08270u);  // the XP outline
}

TEST_F(WbTrackBarTest, CustomThumbsAndOwnerDrawnTicks) {
  TWbTrackBar bar(nullptr);
  bar.SetTrackWidth(9);
  TBitmap custom;
  FillBitmap(custom, 34, 21, clRed);  // not a multiple of 3: thirds of 11
  bar.SetCustomThumb(&custom);
  EXPECT_EQ(bar.GetThumbStyle(), tsCustom);
  EXPECT_EQ(bar.GetTrackWidth(), 9);  // the custom image leaves the track alone
  EXPECT_EQ(bar.GetThumbImage()->GetWidth(), 11);
  EXPECT_EQ(bar.GetThumbWidth(), 11);
  struct Ticks : TObject {
    std::vector<Integer> Seen;
    void Draw(TWbTrackBar*, TCanvas*, TPoint, Integer Index) { Seen.push_back(Index); }
  } ticks;
  TWbTrackBar* shown = NewBar();
  shown->SetTickStyle(tkOwnerDraw);
  shown->SetMax(4);
  shown->SetOnDrawTick(MakeEvent<&Ticks::Draw>(&ticks));
  shown->Repaint();
  Settle();
  EXPECT_EQ(std::vector<Integer>(ticks.Seen.begin(), ticks.Seen.begin() + std::min<size_t>(ticks.Seen.size(), 5)),
            (std::vector<Integer>{0, 1, 2, 3, 4}));
}
