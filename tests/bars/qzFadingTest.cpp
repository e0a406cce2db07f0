#include "toolkit/bars/qzFading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "user/Clock.h"
#include "user/User.h"

namespace {

// An object whose normal look is black and hot look white, so that a blended frame's red channel
// is the frame's alpha. It records what it is asked to draw.
class TFadingButton : public TObject, public IqzFadingObject {
 public:
  bool Fades = true;
  Integer FadeInFrames = -100, FadeInDelay = -100, FadeOutFrames = -100, FadeOutDelay = -100;
  std::vector<std::string> drawn;
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;

  bool CanFade() override { return Fades; }
  void DrawFadeImage(TBitmap* AImage) override {
    if (AImage == hot) {
      drawn.push_back("hot");
    } else if (AImage == normal) {
      drawn.push_back("normal");
    } else {
      TColor pixel = AImage->GetCanvas()->GetPixel(1, 1);
      drawn.push_back(std::to_string(pixel & 0xFF));
    }
  }
  void GetFadingParams(std::unique_ptr<TBitmap>& ANormalImage, std::unique_ptr<TBitmap>& AHotImage,
                       Integer& AFadeInFrameCount, Integer& AFadeInFrameDelay, Integer& AFadeOutFrameCount,
                       Integer& AFadeOutFrameDelay) override {
    ANormalImage = Filled(clBlack);
    AHotImage = Filled(clWhite);
    normal = ANormalImage.get();
    hot = AHotImage.get();
    if (FadeInFrames != -100) AFadeInFrameCount = FadeInFrames;
    if (FadeInDelay != -100) AFadeInFrameDelay = FadeInDelay;
    if (FadeOutFrames != -100) AFadeOutFrameCount = FadeOutFrames;
    if (FadeOutDelay != -100) AFadeOutFrameDelay = FadeOutDelay;
  }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

 private:
  static std::unique_ptr<TBitmap> Filled(TColor AColor) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(4, 4);
    bitmap->GetCanvas()->GetBrush()->SetColor(AColor);
    bitmap->GetCanvas()->FillRect(Rect(0, 0, 4, 4));
    return bitmap;
  }
};

class Fading : public testing::Test {
 protected:
  // Lets the fake clock run in steps of 10 ms, dispatching the timers that fall due.
  void PassTime(uint64_t AMilliseconds) {
    for (uint64_t t = 0; t < AMilliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
  }
  std::vector<std::string> Alphas(std::initializer_list<int> AValues) {
    std::vector<std::string> out;
    for (int v : AValues) out.push_back(std::to_string(v));
    return out;
  }
  TqzFader fader;
};

TEST_F(Fading, FadingInDrawsTwelveBlendsThenTheHotLook) {
  TFadingButton button;
  fader.FadeIn(&button);
  ASSERT_EQ(fader.ElementCount(), 1);
  EXPECT_TRUE(button.drawn.empty());  // nothing before the first tick
  PassTime(13 * 20);
  std::vector<std::string> expected = Alphas({21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 252});
  expected.push_back("hot");
  EXPECT_EQ(button.drawn, expected);
  EXPECT_EQ(fader.ElementCount(), 0);
  // The element freed itself from its own tick: no timer is left to draw again.
  PassTime(200);
  EXPECT_EQ(button.drawn.size(), expected.size());
}

TEST_F(Fading, ReversingMidwayContinuesFromTheMatchingFrame) {
  TFadingButton button;
  fader.FadeIn(&button);
  PassTime(5 * 20);
  ASSERT_EQ(button.drawn.back(), "105");
  button.drawn.clear();
  fader.FadeOut(&button);
  TqzFadingElement* element = fader.FindElement(&button);
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->GetFrame(), 5);  // min(12, 105 div (256 div 13))
  fader.FadeOut(&button);             // the same direction changes nothing
  EXPECT_EQ(element->GetFrame(), 5);
  PassTime(8 * 20);
  std::vector<std::string> expected = Alphas({129, 108, 87, 66, 45, 24, 3});
  expected.push_back("normal");
  EXPECT_EQ(button.drawn, expected);
  EXPECT_EQ(fader.ElementCount(), 0);
}

TEST_F(Fading, ASeventhAnimationFinishesTheOldest) {
  TFadingButton buttons[7];
  for (TFadingButton& b : buttons) fader.FadeIn(&b);
  EXPECT_EQ(fader.ElementCount(), TqzFader::MaxAnimationCount);
  EXPECT_EQ(buttons[0].drawn, std::vector<std::string>{"hot"});
  EXPECT_EQ(fader.FindElement(&buttons[0]), nullptr);
  for (int i = 1; i < 7; ++i) EXPECT_TRUE(buttons[i].drawn.empty());
  fader.FinishAll();
  EXPECT_EQ(fader.ElementCount(), 0);
  for (int i = 1; i < 7; ++i) EXPECT_EQ(buttons[i].drawn, std::vector<std::string>{"hot"});
}

TEST_F(Fading, RemovingAnElementDiscardsItOrGivesTheFinalLook) {
  TFadingButton kept, discarded;
  fader.FadeIn(&kept);
  fader.FadeOut(&discarded);
  fader.RemoveElementOf(&discarded, true);
  fader.RemoveElementOf(&kept, false);
  EXPECT_TRUE(discarded.drawn.empty());
  EXPECT_EQ(kept.drawn, std::vector<std::string>{"hot"});
  EXPECT_EQ(fader.ElementCount(), 0);
  fader.RemoveElementOf(&kept, false);  // nothing runs for it any more
  PassTime(100);
  EXPECT_TRUE(discarded.drawn.empty());
}

TEST_F(Fading, ParametersOutOfRangeAreReplaced) {
  struct Case {
    Integer frames, delay;
    Integer expectedFrames, expectedDelay;
  };
  const Case kCases[] = {{40, 5, 32, 20}, {-1, 500, 12, 300}, {0, 10, 0, 10}, {32, 300, 32, 300}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.frames << " frames, " << c.delay << " ms");
    TFadingButton button;
    button.FadeInFrames = button.FadeOutFrames = c.frames;
    button.FadeInDelay = button.FadeOutDelay = c.delay;
    fader.FadeIn(&button);
    TqzFadingElement* element = fader.FindElement(&button);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetFrameCount(fdFadeIn), c.expectedFrames);
    EXPECT_EQ(element->GetFrameCount(fdFadeOut), c.expectedFrames);
    EXPECT_EQ(element->GetFrameDelay(fdFadeIn), c.expectedDelay);
    EXPECT_EQ(element->GetFrameDelay(fdFadeOut), c.expectedDelay);
    EXPECT_EQ(element->GetTimerInterval(), static_cast<Cardinal>(c.expectedDelay));
    fader.RemoveElementOf(&button, true);
  }
}

TEST_F(Fading, ZeroFramesShowTheFinalLookOnTheFirstTick) {
  TFadingButton button;
  button.FadeInFrames = 0;
  fader.FadeIn(&button);
  EXPECT_EQ(fader.FindElement(&button)->Alpha(), 255);
  PassTime(20);
  EXPECT_EQ(button.drawn, std::vector<std::string>{"hot"});
}

TEST_F(Fading, ObjectsThatDoNotFadeAreIgnored) {
  TFadingButton refusing;
  refusing.Fades = false;
  TObject plain;
  fader.FadeIn(&refusing);
  fader.FadeIn(&plain);
  fader.FadeIn(nullptr);
  EXPECT_EQ(fader.ElementCount(), 0);
}

}  // namespace
