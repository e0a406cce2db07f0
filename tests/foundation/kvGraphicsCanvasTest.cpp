#include <gtest/gtest.h>

#include <memory>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {

COLORREF PixelOf(TkvBitmap& B, Integer X, Integer Y) { return GetPixel(B.GetCanvas()->GetHandle(), X, Y); }

}  // namespace

TEST(KvTextFlags, ConvertToDrawTextFormat) {
  struct Case {
    Integer flags;
    UINT format;
  };
  const Case cases[] = {
      {0, DT_NOPREFIX},
      {ktfShowPrefix, 0},
      {ktfWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {ktfWordBreak | ktfNoCharBreak, DT_NOPREFIX | DT_WORDBREAK},
      {ktfNoCharBreak, DT_NOPREFIX},
      {ktfAlignRight | ktfAlignVCenter | ktfSingleLine, DT_NOPREFIX | DT_RIGHT | DT_VCENTER | DT_SINGLELINE},
      {ktfAlignHCenter | ktfAlignBottom | ktfNoClip | ktfExpandTabs,
       DT_NOPREFIX | DT_CENTER | DT_BOTTOM | DT_NOCLIP | DT_EXPANDTABS},
      {ktfEndEllipsis | ktfMeasureOnly | ktfPathEllipsis,
       DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS},
      {0x8000 | ktfAlignLeft | ktfAlignTop, DT_NOPREFIX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.flags);
    EXPECT_EQ(KvTextFlagsToDT(c.flags), c.format);
  }
}

TEST(KvCanvas, ClipRegionsWithOrigins) {
  TkvBitmap b(40, 40);
  TkvCanvas* canvas = b.GetkvCanvas();
  std::unique_ptr<TkvRegion> none(canvas->CopyClipRegion());
  TkvRegion whole(0, 0, 30000, 30000);
  EXPECT_TRUE(none->SameAs(&whole));

  // Logical (0, 0) at device (10, 5): clip regions read and set in logical coordinates.
  SetWindowOrgEx(canvas->DCHandle(), -10, -5, nullptr);
  canvas->ApplyClipRegion(new TkvRegion(0, 0, 4, 4));
  std::unique_ptr<TkvRegion> logical(canvas->CopyClipRegion(true));
  TkvRegion expected(0, 0, 4, 4);
  EXPECT_TRUE(logical->SameAs(&expected));
  std::unique_ptr<TkvRegion> device(canvas->CopyClipRegion(false));
  TkvRegion expectedDevice(10, 5, 14, 9);
  EXPECT_TRUE(device->SameAs(&expectedDevice));

  canvas->PushClip();
  canvas->ApplyClipRegion(new TkvRegion(0, 0, 2, 4), roSubtract);
  std::unique_ptr<TkvRegion> cut(canvas->CopyClipRegion());
  TkvRegion expectedCut(2, 0, 4, 4);
  EXPECT_TRUE(cut->SameAs(&expectedCut));
  canvas->PopClip();
  std::unique_ptr<TkvRegion> restored(canvas->CopyClipRegion());
  EXPECT_TRUE(restored->SameAs(&expected));
}

TEST(KvCanvas, PopsWithNothingSavedChangeNothing) {
  TkvBitmap b(10, 10);
  TkvCanvas* canvas = b.GetkvCanvas();
  canvas->ClipToRect(Rect(1, 1, 5, 5));
  canvas->CurrentBrush()->SetColor(clRed);
  canvas->PopDC();
  canvas->PopClip();
  canvas->PopState();
  EXPECT_EQ(canvas->CurrentBrush()->GetColor(), clRed);
  std::unique_ptr<TkvRegion> clip(canvas->CopyClipRegion());
  TkvRegion expected(1, 1, 5, 5);
  EXPECT_TRUE(clip->SameAs(&expected));

  canvas->PushState();
  canvas->CurrentBrush()->SetColor(clBlue);
  canvas->CurrentFont()->SetColor(clGreen);
  canvas->PopState();
  EXPECT_EQ(canvas->CurrentBrush()->GetColor(), clRed);
}

TEST(KvCanvas, FramesAndBevelsOnPixels) {
  TkvBitmap b(6, 6, 0xFFFFFFFF);
  TkvCanvas* canvas = b.GetkvCanvas();
  // A line width beyond the rectangle fills it and nothing outside.
  canvas->PaintFrame(Rect(1, 1, 4, 4), clRed, 10);
  EXPECT_EQ(PixelOf(b, 2, 2), 0x0000FFu);
  EXPECT_EQ(PixelOf(b, 4, 4), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(b, 0, 0), 0xFFFFFFu);

  struct Case {
    bool sunken, outer;
    TColor leftTop, rightBottom;
  };
  const Case cases[] = {{false, true, cl3DLight, cl3DDkShadow},
                        {false, false, clBtnHighlight, clBtnShadow},
                        {true, true, clBtnShadow, clBtnHighlight},
                        {true, false, cl3DDkShadow, cl3DLight}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "sunken " << c.sunken << " outer " << c.outer);
    TkvBitmap bevel(6, 6, 0xFF00FF00);
    bevel.GetkvCanvas()->PaintBevel(Rect(0, 0, 6, 6), c.sunken, c.outer);
    EXPECT_EQ(PixelOf(bevel, 0, 3), ColorToRGB(c.leftTop));
    EXPECT_EQ(PixelOf(bevel, 3, 0), ColorToRGB(c.leftTop));
    EXPECT_EQ(PixelOf(bevel, 5, 3), ColorToRGB(c.rightBottom));
    EXPECT_EQ(PixelOf(bevel, 3, 5), ColorToRGB(c.rightBottom));
    EXPECT_EQ(PixelOf(bevel, 3, 3), 0x00FF00u);
  }
}

TEST(KvCanvas, FillTiledAnchorsAtTheOrigin) {
  TkvBitmap tile(2, 1);
  tile.SetPixels(TRGBColors{0xFFFF0000, 0xFF0000FF});  // red, blue
  TkvBitmap b(5, 2, 0xFFFFFFFF);
  b.GetkvCanvas()->FillTiled(Rect(1, 0, 4, 2), &tile, false);
  EXPECT_EQ(PixelOf(b, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(b, 1, 0), 0xFF0000u);  // odd column: the tile's second pixel
  EXPECT_EQ(PixelOf(b, 2, 1), 0x0000FFu);
  EXPECT_EQ(PixelOf(b, 4, 0), 0xFFFFFFu);
}

TEST(KvCanvas, MeasuringAndFittingText) {
  TkvBitmap b(200, 50);
  TkvCanvas* canvas = b.GetkvCanvas();
  TRect r = Rect(10, 10, 10, 40);
  canvas->MeasureTextInRect("Hello world", r, ktfAlignLeft);
  EXPECT_EQ(r.Left, 10);
  EXPECT_GT(r.Height(), 0);

  r = Rect(0, 0, 150, 20);
  canvas->MeasureTextInRect("Hi", r, ktfAlignRight | ktfSingleLine);
  EXPECT_EQ(r.Right, 150);
  EXPECT_GT(r.Left, 100);

  TRect fit;
  FitTextInRows(canvas->DCHandle(), "one two three", 0, false, fit);
  EXPECT_EQ(fit, TRect{});
  const Integer single = TextSizeOnDC(canvas->DCHandle(), "short").cx;
  FitTextInRows(canvas->DCHandle(), "short", 2, false, fit);
  EXPECT_LE(fit.Width(), single);
  FitTextInRows(canvas->DCHandle(), "one two three four", 2, true, fit);
  EXPECT_LT(fit.Width(), TextSizeOnDC(canvas->DCHandle(), "one two three four").cx);

}

TEST(KvCanvas, SplittingTextIntoLinesOfAWidth) {
  TkvBitmap b(10, 10);
  TkvCanvas* canvas = b.GetkvCanvas();
  struct Case {
    const char* text;
    const char* widthOf;  // R is as wide as this text
    std::vector<String> lines;
  };
  const Case cases[] = {
      {"aa bb cc dd", "aa bb", {"aa bb", "cc dd"}},
      {"aa bb cc dd", "aa bb c", {"aa bb", "cc dd"}},
      {"aa bb cc", "aa", {"aa", "bb", "cc"}},
      // A word wider than R stays whole on a line of its own.
      {"aa wwwwwwww bb", "aa bb", {"aa", "wwwwwwww", "bb"}},
      {"one", "o", {"one"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<String> lines;
    SplitTextToWidth(c.text, canvas, Rect(0, 0, TextSizeOnDC(canvas->DCHandle(), c.widthOf).cx, 10), lines);
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(KvCanvas, EllipsizeTextStaysInsideItsBuffer) {
  String result = "x";
  EllipsizeText(nullptr, nullptr, "", 100, result);
  EXPECT_EQ(result, "");
  EllipsizeText(nullptr, nullptr, "abc", 0, result);
  EXPECT_EQ(result, "");
  for (size_t length : {10u, 4093u, 5000u, 20000u}) {
    SCOPED_TRACE(length);
    EllipsizeText(nullptr, nullptr, String(length, 'W'), 60, result);
    ASSERT_GE(result.size(), 3u);
    EXPECT_EQ(result.substr(result.size() - 3), "...");
    EXPECT_LT(result.size(), length);
    EXPECT_LE(TextSizeOnDC(ScreenCanvasInstance()->DCHandle(), result).cx, 60) << result;
  }
}

// Disabled text: a highlight copy one pixel right and below, the shadow copy where the enabled
// text would be; the brush style and font colour are as before.
TEST(KvCanvas, DisabledTextDrawsTwoCopiesAndRestoresState) {
  const TRect r = Rect(5, 5, 55, 25);
  TkvBitmap enabled(60, 30, 0xFF00FF00);
  enabled.GetkvCanvas()->CurrentFont()->SetColor(clBlack);
  enabled.GetkvCanvas()->CurrentBrush()->SetStyle(bsClear);
  enabled.GetkvCanvas()->PaintText("H", r, ktfSingleLine, true);

  TkvBitmap b(60, 30, 0xFF00FF00);
  TkvCanvas* canvas = b.GetkvCanvas();
  canvas->CurrentFont()->SetColor(clBlack);
  canvas->PaintText("H", r, ktfSingleLine, false);
  EXPECT_EQ(canvas->CurrentFont()->GetColor(), clBlack);
  EXPECT_EQ(canvas->CurrentBrush()->GetStyle(), bsSolid);

  // Glyph edges are smoothed, so only pixels that the enabled text covers fully or not at all
  // are compared.
  auto at = [&enabled](Integer X, Integer Y) { return X < 0 || Y < 0 ? 0x00FF00u : PixelOf(enabled, X, Y); };
  Integer shadowPixels = 0;
  for (Integer y = 0; y < 30; ++y)
    for (Integer x = 0; x < 60; ++x) {
      SCOPED_TRACE(testing::Message() << x << ", " << y);
      const COLORREF p = PixelOf(b, x, y);
      if (at(x, y) == 0) {
        EXPECT_EQ(p, ColorToRGB(clBtnShadow));
        ++shadowPixels;
      } else if (at(x, y) == 0x00FF00u && at(x - 1, y - 1) == 0) {
        EXPECT_EQ(p, ColorToRGB(clBtnHighlight));
      } else if (at(x, y) == 0x00FF00u && at(x - 1, y - 1) == 0x00FF00u) {
        EXPECT_EQ(p, 0x00FF00u);
      }
    }
  EXPECT_GT(shadowPixels, 0);
}

TEST(KvCanvas, ChineseOrArabicText) {
  EXPECT_FALSE(IsChineseOrArabicText(134, "abc"));
  EXPECT_TRUE(IsChineseOrArabicText(136, "\xe4\xb8\xad"));
  EXPECT_FALSE(IsChineseOrArabicText(0, "\xe4\xb8\xad"));
  EXPECT_FALSE(IsChineseOrArabicText(134, ""));
}
