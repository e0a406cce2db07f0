// Press tracking of the custom button and the control button's glyph strip and repeat clicks.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/controls/WbButton.h"
#include "vcl/Timers.h"

namespace {

class TProbeButton : public TWbCustomButton {
  TAVREN_CLASS(TProbeButton, TWbCustomButton)
 public:
  using TWbCustomButton::TWbCustomButton;
  int Changes = 0;

 protected:
  void ChangeState() override { ++Changes; }
};

struct ClickLog : TObject {
  std::vector<uint64_t> At;
  FakeClock* Clock = nullptr;
  void Click(TObject*) { At.push_back(Clock->Now()); }
};

using WbButtonTest = VclTest;

}  // namespace

TAVREN_CLASS_IMPL(TProbeButton)

TEST_F(WbButtonTest, PressActsOnlyWhenReleasedOverTheButton) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* button = new TProbeButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 100, 20);
  form->Show();
  Settle();
  POINT inside{100 + 20, 100 + 15}, outside{100 + 200, 100 + 100};
  InputMouseButton(inside, MouseButton::Left, true);
  Settle();
  EXPECT_TRUE(button->IsPressed());
  InputMouseMove(outside);
  Settle();
  EXPECT_FALSE(button->IsPressed());
  InputMouseMove(inside);
  Settle();
  EXPECT_TRUE(button->IsPressed());  // back on: pressed again
  InputMouseMove(outside);
  InputMouseButton(outside, MouseButton::Left, false);
  Settle();
  EXPECT_EQ(button->Changes, 0);
  EXPECT_FALSE(button->IsTracking());
  ScriptClick(inside);
  Settle();
  EXPECT_EQ(button->Changes, 1);
  // A right release while a left press is tracked ends the tracking like a left one.
  InputMouseButton(inside, MouseButton::Left, true);
  InputMouseButton(inside, MouseButton::Right, true);
  InputMouseButton(inside, MouseButton::Right, false);
  Settle();
  EXPECT_EQ(button->Changes, 2);
  EXPECT_FALSE(button->IsTracking());
  InputMouseButton(inside, MouseButton::Left, false);
  Settle();
}

TEST_F(WbButtonTest, GlyphStripSetsTheImageCount) {
  struct Case {
    Integer Width, Height;
    TNumGlyphs Expected;
  };
  const Case kCases[] = {{64, 16, 4}, {96, 16, 1}, {40, 16, 3}, {32, 16, 2}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Width);
    TWbControlButton button(nullptr);
    button.SetNumGlyphs(3);
    TBitmap glyph;
    FillBitmap(glyph, c.Width, c.Height, clRed);
    button.SetGlyph(&glyph);
    EXPECT_EQ(button.GetNumGlyphs(), c.Expected);  // 40 x 16 is no whole strip: unchanged
  }
}

TEST_F(WbButtonTest, ControlButtonRepeatsOnTheClockAndOnceMoreOnRelease) {
  TForm* form = NewForm(100, 100, 200, 100);
  form->SetBorderStyle(bsNone);
  auto* button = new TWbControlButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 17, 21);
  button->SetRepeatClicks(true);
  button->SetStyle(cbsUp);
  ClickLog log;
  log.Clock = &clock;
  button->SetOnClick(MakeEvent<&ClickLog::Click>(&log));
  form->Show();
  Settle();
  POINT inside{100 + 15, 100 + 15};
  InputMouseButton(inside, MouseButton::Left, true);
  Settle();
  EXPECT_TRUE(button->GetDown());
  const uint64_t start = clock.Now();
  while (log.At.size() < 3) Application()->HandleMessage();
  EXPECT_EQ(log.At[0] - start, 400u);
  EXPECT_EQ(log.At[1] - start, 500u);
  EXPECT_EQ(log.At[2] - start, 600u);
  InputMouseButton(inside, MouseButton::Left, false);
  Settle();
  EXPECT_EQ(log.At.size(), 4u);
  EXPECT_FALSE(button->GetDown());
  EXPECT_FALSE(button->GetRepeatTimer()->GetEnabled());
  clock.Advance(1000);
  Settle();
  EXPECT_EQ(log.At.size(), 4u);
}

TEST_F(WbButtonTest, StyledCaptionShiftsRightAlignedText) {
  TProbeButton button(nullptr);
  button.SetCaption("Go");
  button.GetFont()->SetColor(clBlack);
  TBitmap plain, shifted;
  FillBitmap(plain, 60, 20, clWhite);
  FillBitmap(shifted, 60, 20, clWhite);
  button.DrawStyledText(plain.GetCanvas(), {0, 0, 60, 20}, DT_SINGLELINE);
  button.DrawStyledText(shifted.GetCanvas(), {0, 0, 60, 20}, DT_SINGLELINE | DT_RIGHT);
  // Right-aligned text ends TextShadowDepth pixels before the right edge, even in tsNormal.
  Integer lastInk = -1;
  for (Integer x = 0; x < 60; ++x)
    for (Integer y = 0; y < 20; ++y)
      if (PixelAt(shifted, x, y) != 0xFFFFFF) lastInk = x;
  EXPECT_LE(lastInk, 57);
  EXPECT_GE(lastInk, 50);
  EXPECT_GT(CountPixels(plain, 0xFFFFFF), 0);
}
