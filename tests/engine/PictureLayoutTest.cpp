#include <gtest/gtest.h>

#include "engine/EngineError.h"
#include "engine/FrameRate.h"
#include "engine/PictureLayout.h"

namespace {

struct TLayoutCase {
  const char* Name;
  TSize Source;
  TRect Crop;
  TSize Frame;
  TSize Aspect;
  TRect ExpectedCrop;
  TSize ExpectedFrame;
  TRect ExpectedPicture;
};

TEST(PictureLayout, CropFrameAndBars) {
  const TLayoutCase cases[] = {
      {"whole picture", {320, 240}, {}, {0, 0}, {0, 0}, {0, 0, 320, 240}, {320, 240}, {0, 0, 320, 240}},
      {"odd source made even", {321, 241}, {}, {0, 0}, {0, 0}, {0, 0, 321, 241}, {320, 240}, {0, 0, 320, 240}},
      {"crop sets the source size", {640, 480}, {10, 20, 330, 260}, {0, 0}, {0, 0}, {10, 20, 330, 260}, {320, 240}, {0, 0, 320, 240}},
      {"crop clipped to the picture", {640, 480}, {600, -5, 700, 480}, {0, 0}, {0, 0}, {600, 0, 640, 480}, {40, 480}, {0, 0, 40, 480}},
      {"crop outside: whole picture", {640, 480}, {700, 0, 800, 480}, {320, 240}, {0, 0}, {0, 0, 640, 480}, {320, 240}, {0, 0, 320, 240}},
      {"16:9 in 4:3: letterbox", {640, 480}, {}, {320, 240}, {16, 9}, {0, 0, 640, 480}, {320, 240}, {0, 30, 320, 210}},
      {"4:3 in 16:9: pillarbox", {640, 480}, {}, {640, 360}, {4, 3}, {0, 0, 640, 480}, {640, 360}, {80, 0, 560, 360}},
      {"same shape fills", {640, 480}, {}, {320, 240}, {4, 3}, {0, 0, 640, 480}, {320, 240}, {0, 0, 320, 240}},
  };
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TPictureLayout layout = LayoutPicture(c.Source, c.Crop, c.Frame, c.Aspect);
    EXPECT_EQ(layout.Crop, c.ExpectedCrop);
    EXPECT_EQ(layout.FrameWidth, c.ExpectedFrame.cx);
    EXPECT_EQ(layout.FrameHeight, c.ExpectedFrame.cy);
    EXPECT_EQ(layout.Picture, c.ExpectedPicture);
  }
}

TEST(PictureLayout, RefusesSizesNoEncoderTakes) {
  for (TSize frame : {TSize{321, 240}, TSize{320, 0}, TSize{-320, 240}}) {
    SCOPED_TRACE(testing::Message() << frame.cx << "x" << frame.cy);
    try {
      LayoutPicture({640, 480}, {}, frame, {});
      ADD_FAILURE() << "accepted";
    } catch (const EEngineError& e) {
      EXPECT_EQ(e.Code(), erOutputParameters);
    }
  }
}

TEST(FrameRate, FrameLengthsGiveSmallFractions) {
  struct TCase {
    Int64 Duration;
    AVRational Rate;
  };
  const TCase cases[] = {{333666, {30000, 1001}}, {417083, {24000, 1001}}, {166833, {60000, 1001}},
                         {400000, {25, 1}},       {666666, {15, 1}},       {3333333, {3, 1}},
                         {0, {25, 1}},            {-5, {25, 1}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Duration);
    const AVRational rate = RateOfFrameDuration(c.Duration);
    EXPECT_EQ(rate.num, c.Rate.num);
    EXPECT_EQ(rate.den, c.Rate.den);
  }
  const AVRational odd = TidyFrameRate(AVRational{90000, 1});
  EXPECT_EQ(odd.num, 25);
  const AVRational ntsc = TidyFrameRate(AVRational{2997, 100});  // the usual shorthand
  EXPECT_EQ(ntsc.num, 30000);
  EXPECT_EQ(ntsc.den, 1001);
}

}  // namespace
