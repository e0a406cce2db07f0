#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "EditTestProperties.h"
#include "EditorsTestSupport.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvProgressBar.h"
#include "toolkit/foundation/qzOffice11.h"
#include "vcl/StdCtrls.h"

namespace {

TEST(ProgressBarProperties, BoundsPullEachOtherAndTheLevels) {
  TkvProgressBarProperties p(nullptr);
  EXPECT_EQ(p.GetMax(), 100);
  EXPECT_EQ(p.GetMin(), 0);
  p.SetPeakValue(60);
  p.SetMax(50);
  EXPECT_EQ(p.GetOverloadValue(), 50);
  EXPECT_EQ(p.GetPeakValue(), 50);
  p.SetMin(70);
  EXPECT_EQ(p.GetMax(), 70);
  EXPECT_EQ(p.GetOverloadValue(), 70);
  EXPECT_EQ(p.GetPeakValue(), 70);
  p.SetMax(20);
  EXPECT_EQ(p.GetMin(), 20);
  p.SetOverloadValue(500);
  EXPECT_EQ(p.GetOverloadValue(), 20);
}

TEST(ProgressBarProperties, SettersWithSideEffects) {
  TkvProgressBarProperties p(nullptr);
  ChangeCounter counter;
  counter.Attach(&p);
  p.SetAnimationSpeed(50);
  EXPECT_EQ(p.GetAnimationSpeed(), 20);
  p.SetBarStyle(kvbsAnimation);
  EXPECT_EQ(p.GetBeginColor(), static_cast<TColor>(0x00D328));
  p.SetBarStyle(kvbsAnimation);
  EXPECT_EQ(counter.count, 2);
  p.SetMarquee(true);
  EXPECT_EQ(p.GetShowTextStyle(), kvtsText);
  p.SetShowTextStyle(kvtsPercent);
  EXPECT_EQ(p.GetShowTextStyle(), kvtsText);
  p.SetMarquee(false);
  p.SetShowTextStyle(kvtsPosition);
  EXPECT_EQ(p.GetShowTextStyle(), kvtsPosition);
  p.SetText("Working");
  EXPECT_EQ(p.GetShowTextStyle(), kvtsText);
  p.SetPeakSize(0);
  EXPECT_EQ(p.GetPeakSize(), 1);

  TkvProgressBarProperties copy(nullptr);
  ChangeCounter copyCounter;
  copyCounter.Attach(&copy);
  p.SetMin(10);
  p.SetMax(40);
  copy.Assign(&p);
  EXPECT_EQ(copyCounter.count, 1);
  EXPECT_EQ(copy.GetMin(), 10);
  EXPECT_EQ(copy.GetMax(), 40);
  EXPECT_EQ(copy.GetBarStyle(), kvbsAnimation);
  EXPECT_EQ(copy.GetText(), "Working");
}

TEST(ProgressBarProperties, DisplayValueAndText) {
  TkvProgressBarProperties p(nullptr);
  struct Case {
    Variant value;
    double number;
  } cases[] = {{Variant(42.5), 42.5}, {Variant(String("17")), 17}, {Variant(String("abc")), 0}, {Null(), 0}};
  for (const Case& c : cases) {
    Variant shown;
    p.MakeDisplayValue(c.value, shown, false);
    EXPECT_EQ(shown.AsDouble(), c.number);
  }
  EXPECT_EQ(p.EditValueToDisplayText(Variant(50.0), true), "50 %");
  p.SetShowTextStyle(kvtsPosition);
  EXPECT_EQ(p.EditValueToDisplayText(Variant(50.0), true), "50");
}

// A filter row edits a bar's position with a spin edit that has no buttons and keeps to the bar's
// range, whatever the spin Properties' own change handling does with their buttons.
TEST(ProgressBarProperties, FilterRowsTakeASpinEditWithinTheBarsRange) {
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvProgressBarProperties::ClassInfo());
  ASSERT_EQ(helper, FilterEditHelperOf<TkvFilterProgressBarHelper>());
  EXPECT_EQ(helper->FilterEditorClass(), TkvSpinEdit::ClassInfo());
  TkvProgressBarProperties bar(nullptr);
  bar.SetMax(250);
  bar.SetMin(50);
  TkvSpinEditProperties row(nullptr);
  helper->InitFilterProperties(&row, &bar, helper->KeepsButtons());
  EXPECT_EQ(row.GetButtons()->GetCount(), 0);
  row.SetIncrement(5);
  EXPECT_EQ(row.GetButtons()->GetCount(), 0);
  EXPECT_EQ(row.GetMinValue(), 50);
  EXPECT_EQ(row.GetMaxValue(), 250);
  EXPECT_TRUE(row.IsBoundDefined(0) && row.IsBoundDefined(1));
}

class ProgressBarTest : public EditorsTest {
 protected:
  TkvProgressBar* MakeBar(Integer Width = 104, Integer Height = 20) {
    auto* bar = new TkvProgressBar(form);
    bar->SetParent(form);
    bar->SetAutoSize(false);
    bar->GetEditStyle()->SetBorderStyle(ebsSingle);
    bar->SetBounds(10, 10, Width, Height);
    form->Show();
    Pump();
    return bar;
  }
};

TEST_F(ProgressBarTest, HalfwayFillsHalfTheAreaAndSaysSo) {
  TkvProgressBar* bar = MakeBar();
  bar->SetPosition(50);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  ASSERT_EQ(info->FillArea.Width(), 100);
  EXPECT_EQ(info->BarRect.Width(), 50);
  EXPECT_EQ(info->Text, "50 %");
  // Solid blue in the filled half, the window colour beyond it (away from the text).
  EXPECT_EQ(ColorToRGB(FormPixel(10 + 3, 10 + 3)), static_cast<TColor>(0x800000));
  EXPECT_EQ(ColorToRGB(FormPixel(10 + 100, 10 + 3)), ColorToRGB(info->BackgroundColor));
  // The position is kept within the range and read back from the view.
  bar->SetPosition(150);
  EXPECT_EQ(bar->GetPosition(), 100);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->GetPosition(), 0);
}

TEST_F(ProgressBarTest, AnEmptyRangeCountsAsOneAndClampsOnlyTheGeometry) {
  TkvProgressBar* bar = MakeBar();
  bar->GetBarProperties()->SetMin(10);
  bar->GetBarProperties()->SetMax(10);
  bar->SetPosition(30);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  EXPECT_EQ(bar->GetPosition(), 30);
  EXPECT_EQ(info->Percent(), 100);
  EXPECT_EQ(info->BarRect, info->FillArea);
  bar->SetPosition(5);
  Pump();
  EXPECT_EQ(info->BarRect.Width(), 0);
  EXPECT_LE(info->Percent(), 100);
}

TEST_F(ProgressBarTest, OverloadPartAndPeakHold) {
  TkvProgressBar* bar = MakeBar();
  TkvProgressBarProperties* p = bar->GetBarProperties();
  p->SetShowOverload(true);
  p->SetShowPeak(true);
  bar->SetPosition(90);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  ASSERT_TRUE(info->OverloadShown);
  const Integer left = info->FillArea.Left;
  ASSERT_EQ(info->FillArea.Width(), 100);
  EXPECT_EQ(info->OverloadRect.Left, left + 80);
  EXPECT_EQ(info->OverloadRect.Right, left + 90);
  EXPECT_EQ(info->BarRect.Right, info->OverloadRect.Left);
  EXPECT_EQ(ColorToRGB(FormPixel(10 + info->OverloadRect.Left + 2, 10 + 3)), static_cast<TColor>(0x8080FF));
  bar->SetPosition(70);
  Pump();
  EXPECT_FALSE(info->OverloadShown);
  bar->SetPosition(40);
  Pump();
  EXPECT_EQ(p->GetPeakValue(), 90);
  EXPECT_EQ(info->PeakRect.Left, left + 90);
  EXPECT_EQ(ColorToRGB(FormPixel(10 + info->PeakRect.Left, 10 + 3)), static_cast<TColor>(0x0000FF));
}

TEST_F(ProgressBarTest, GlowAnimationMovesBySpeedAndStopsAtZero) {
  TkvProgressBar* bar = MakeBar(300);
  TkvProgressBarProperties* p = bar->GetBarProperties();
  p->SetBarStyle(kvbsAnimation);
  p->SetAnimationSpeed(20);
  bar->SetPosition(100);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  ASSERT_TRUE(info->AnimationRunning());
  Integer before = info->AnimationOffset();
  PassTime(30);
  EXPECT_EQ(info->AnimationOffset(), before + 40);
  p->SetAnimationSpeed(0);
  Pump();
  EXPECT_FALSE(info->AnimationRunning());
  before = info->AnimationOffset();
  PassTime(90);
  EXPECT_EQ(info->AnimationOffset(), before);
}

TEST_F(ProgressBarTest, CycleRestartsAfterTheDelay) {
  TkvProgressBar* bar = MakeBar(100);
  TkvProgressBarProperties* p = bar->GetBarProperties();
  p->SetMarquee(true);
  p->SetAnimationSpeed(20);
  p->SetAnimationRestartDelay(300);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  ASSERT_TRUE(info->AnimationRunning());
  const Integer start = info->AnimationOffset();
  // The block runs past the end and comes back to its start, then rests for the delay.
  PassTime(30 * 5);
  EXPECT_EQ(info->AnimationOffset(), start);
  EXPECT_TRUE(info->RestartDelayRunning());
  PassTime(330);
  EXPECT_FALSE(info->RestartDelayRunning());
  EXPECT_GT(info->AnimationOffset(), start);
}

TEST_F(ProgressBarTest, LEDGapsOnlyWhereAWholeCellFits) {
  TkvProgressBar* bar = MakeBar(104, 20);
  bar->GetBarProperties()->SetBarStyle(kvbsLEDs);
  bar->SetPosition(100);
  bar->GetBarProperties()->SetShowText(false);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  const Integer p = info->LEDSize();
  ASSERT_EQ(p, info->FillArea.Height() * 2 / 3 + 2);
  const Integer y = 10 + info->FillArea.Top + 3;
  EXPECT_EQ(ColorToRGB(FormPixel(10 + info->FillArea.Left + p - 1, y)), ColorToRGB(info->BackgroundColor));
  EXPECT_EQ(ColorToRGB(FormPixel(10 + info->FillArea.Left + p - 3, y)), static_cast<TColor>(0x800000));
  // A bar narrower than one cell shows no gap.
  bar->SetPosition(10);
  Pump();
  ASSERT_LT(info->BarRect.Width(), p);
  for (Integer x = info->BarRect.Left; x < info->BarRect.Right; ++x)
    EXPECT_EQ(ColorToRGB(FormPixel(10 + x, y)), static_cast<TColor>(0x800000)) << x;
}

TEST_F(ProgressBarTest, InvertedTextShowsOverBothHalves) {
  TkvProgressBar* bar = MakeBar(104, 24);
  bar->SetPosition(50);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  // Somewhere in the text's rows, a pixel is neither the bar colour nor the background.
  bool inverted = false;
  for (Integer x = 30; x < 80 && !inverted; ++x)
    for (Integer y = info->FillArea.Top; y < info->FillArea.Bottom; ++y) {
      TColor c = ColorToRGB(FormPixel(10 + x, 10 + y));
      if (c == static_cast<TColor>(0x7FFFFF) || c == static_cast<TColor>(0x000000)) inverted = true;
    }
  EXPECT_TRUE(inverted);
}

// A theme whose chunk segments have a red leading edge and a green far half across the bar, so
// that the bar shows which cross-section of the segment was cut and whether it kept its way round.
class SegmentTheme : public LoggingTheme {
 public:
  HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* R, const RECT* Clip) override {
    LoggingTheme::DrawThemeBackground(Theme, DC, Part, State, R, Clip);
    if (Part != 3 && Part != 4) return S_OK;
    const bool horizontal = Part == 3;
    TRect edge = *R, far = *R;
    if (horizontal) {
      edge.Right = edge.Left + 4;
      far.Top = (R->Top + R->Bottom) / 2;
    } else {
      edge.Bottom = edge.Top + 4;
      far.Left = (R->Left + R->Right) / 2;
    }
    SolidFillRect(DC, edge, 0x0000FF);
    SolidFillRect(DC, far, 0x00FF00);
    return S_OK;
  }
};

// Under a theme the filled bar is one cross-section of the theme's chunk, cut clear of the
// segment's edge and stretched along the bar; it is drawn again only when its size changes.
TEST_F(ProgressBarTest, ThemedChunkIsOneCrossSectionStretchedAlongTheBar) {
  SegmentTheme theme;
  SetThemeProvider(&theme);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
  TkvProgressBar* bar = MakeBar(124, 24);
  bar->GetEditStyle()->GetLookAndFeel()->SetNativeStyle(true);
  TkvProgressBarProperties* p = bar->GetBarProperties();
  p->SetBarStyle(kvbsGradient);
  p->SetShowText(false);
  bar->SetPosition(50);
  Pump();
  TkvCustomProgressBarViewInfo* info = bar->BarViewInfo();
  ASSERT_TRUE(info->NativeStyle);
  auto chunks = [&](const std::string& Entry) { return std::count(theme.log.begin(), theme.log.end(), Entry); };
  auto pixel = [&](Integer X, Integer Y) { return ColorToRGB(FormPixel(10 + X, 10 + Y)); };
  TRect b = info->BarRect;
  ASSERT_GT(b.Width(), 10);
  EXPECT_EQ(chunks("Progress 3,1 9x" + std::to_string(b.Height())), 1);
  for (Integer x : {b.Left, (b.Left + b.Right) / 2, b.Right - 1}) {
    EXPECT_EQ(pixel(x, b.Top), static_cast<TColor>(0x800000)) << x;
    EXPECT_EQ(pixel(x, b.Bottom - 1), static_cast<TColor>(0x00FF00)) << x;
  }
  theme.log.clear();
  bar->SetPosition(80);
  Pump();
  b = info->BarRect;
  EXPECT_EQ(std::count_if(theme.log.begin(), theme.log.end(),
                          [](const std::string& e) { return e.rfind("Progress 3,", 0) == 0; }),
            0);
  EXPECT_EQ(pixel(b.Right - 1, b.Bottom - 1), static_cast<TColor>(0x00FF00));

  bar->SetBounds(10, 10, 24, 124);
  p->SetOrientation(kvorVertical);
  Pump();
  b = info->BarRect;
  ASSERT_GT(b.Height(), 10);
  EXPECT_EQ(chunks("Progress 4,1 " + std::to_string(b.Width()) + "x9"), 1);
  for (Integer y : {b.Top, b.Bottom - 1}) {
    EXPECT_EQ(pixel(b.Left, y), static_cast<TColor>(0x800000)) << y;
    EXPECT_EQ(pixel(b.Right - 1, y), static_cast<TColor>(0x00FF00)) << y;
  }
  delete bar;
  SetThemeProvider(nullptr);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

using ProgressBarScreenshot = EditorsTest;

TEST_F(ProgressBarScreenshot, EachBarStyle) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(10, 10, 560, 420);
  form->SetColor(clBtnFace);
  const char* kNames[] = {"Solid", "LEDs", "Gradient", "Gradient LEDs", "Bitmap", "Bitmap LEDs", "Animation",
                          "Animation LEDs"};
  auto* pattern = new TBitmap();
  pattern->SetSize(8, 8);
  for (Integer y = 0; y < 8; ++y)
    for (Integer x = 0; x < 8; ++x) pattern->GetCanvas()->SetPixel(x, y, ((x + y) / 2) % 2 ? 0x40A0F0 : 0x2060C0);
  for (Integer i = 0; i < 8; ++i) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(kNames[i]);
    label->SetBounds(10, 14 + i * 30, 110, 16);
    auto* bar = new TkvProgressBar(form);
    bar->SetParent(form);
    bar->SetAutoSize(false);
    bar->SetBounds(120, 10 + i * 30, 260, 22);
    TkvProgressBarProperties* p = bar->GetBarProperties();
    p->SetBarStyle(static_cast<TkvProgressBarBarStyle>(i));
    p->SetAnimationSpeed(0);
    if (i >= 4 && i <= 5) p->SetForegroundImage(pattern);
    if (i == 1 || i == 3) p->SetBarBevelOuter(kvbvRaised);
    bar->SetPosition(35 + i * 8);
  }
  struct Extra {
    const char* name;
    void (*setup)(TkvProgressBarProperties*);
    double position;
  } extras[] = {
      {"Overload", [](TkvProgressBarProperties* p) { p->SetShowOverload(true); p->SetBarStyle(kvbsGradient); }, 92},
      {"Peak", [](TkvProgressBarProperties* p) { p->SetShowPeak(true); p->SetPeakValue(80); }, 45},
      {"Solid text", [](TkvProgressBarProperties* p) { p->SetSolidTextColor(true); p->SetText("Converting"); }, 60},
  };
  for (Integer i = 0; i < 3; ++i) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(extras[i].name);
    label->SetBounds(10, 254 + i * 30, 110, 16);
    auto* bar = new TkvProgressBar(form);
    bar->SetParent(form);
    bar->SetAutoSize(false);
    bar->SetBounds(120, 250 + i * 30, 260, 22);
    extras[i].setup(bar->GetBarProperties());
    bar->SetPosition(extras[i].position);
  }
  auto* vertical = new TkvProgressBar(form);
  vertical->SetParent(form);
  vertical->SetAutoSize(false);
  vertical->SetBounds(420, 10, 28, 320);
  vertical->GetBarProperties()->SetOrientation(kvorVertical);
  vertical->GetBarProperties()->SetBarStyle(kvbsGradientLEDs);
  vertical->GetBarProperties()->SetTextOrientation(kvorVertical);
  // Raster faces do not turn; a TrueType face does.
  vertical->GetEditStyle()->GetFont()->SetName("Tahoma");
  vertical->SetPosition(64);
  auto* glass = new TkvProgressBar(form);
  glass->SetParent(form);
  glass->SetAutoSize(false);
  glass->SetBounds(470, 10, 28, 320);
  glass->GetBarProperties()->SetOrientation(kvorVertical);
  glass->GetBarProperties()->SetBarStyle(kvbsAnimation);
  glass->GetBarProperties()->SetAnimationSpeed(0);
  glass->SetPosition(40);
  form->Show();
  Pump();
  delete pattern;
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-progress-bars.png"));
}

}  // namespace
