// The Wb colour model, frame painters, glyph helpers and caption routines.

#include <gtest/gtest.h>

#include "WbTestSupport.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Regions.h"
#include "toolkit/controls/WbColorNames.h"
#include "toolkit/controls/WbCommon.h"
#include "vcl/Graphics.h"

TEST(WbColorModel, HslBothWays) {
  struct Case {
    TColor Color;
    Byte H, S, L;
  };
  const Case kCases[] = {
      {clBlack, 0, 0, 0},       {clWhite, 0, 0, 240},     {0x808080, 0, 0, 120}, {0x404040, 0, 0, 60},
      {clRed, 0, 240, 120},     {clLime, 80, 240, 120},   {clBlue, 160, 240, 120},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Color);
    Byte h, s, l;
    ColorToHslBytes(c.Color, h, s, l);
    EXPECT_EQ(h, c.H);
    EXPECT_EQ(s, c.S);
    EXPECT_EQ(l, c.L);
    EXPECT_EQ(HueOfColor(c.Color), c.H);
  }
  struct Back {
    Byte H, S, L;
    TColor Color;
  };
  const Back kBack[] = {
      {0, 0, 120, 0x808080},  // a grey
      {77, 180, 0, clBlack},  // no lightness is black whatever the hue
      {0, 240, 120, clRed},
      {239, 240, 120, clRed},  // the top hues stay on the red side, never wrap into magenta
      {240, 240, 120, 0x0006FF},
  };
  for (const auto& b : kBack) {
    SCOPED_TRACE(int(b.H));
    EXPECT_EQ(HslBytesToColor(b.H, b.S, b.L), b.Color);
  }
}

TEST(WbColorModel, ShadesAndMixes) {
  EXPECT_EQ(LightenColor(clWhite, 10), clWhite);
  EXPECT_EQ(DarkenColor(clBlack, 10), clBlack);
  // Zero keeps the colour as it is: a system colour stays a system colour.
  EXPECT_EQ(ShiftColorLightness(clBtnFace, 0), clBtnFace);
  EXPECT_EQ(ShiftColorLightness(0x808080, -60), DarkenColor(0x808080, 60));
  EXPECT_EQ(ShiftColorLightness(0x808080, 60), LightenColor(0x808080, 60));
  EXPECT_EQ(DarkenColor(0x808080, 60), TColor(0x404040));
  EXPECT_EQ(MixColors(clRed, clBlue, 255), clRed);
  EXPECT_EQ(MixColors(clRed, clBlue, 0), clBlue);
  EXPECT_EQ(MixColors(clBlack, clWhite, 128), TColor(0x7F7F7F));
  EXPECT_TRUE(ColorsLookAlike(0x808080, 0x707070));
  EXPECT_FALSE(ColorsLookAlike(clBlack, clWhite));
  // Red's opposite hue is 120 on the 240 scale: cyan-green.
  EXPECT_EQ(OppositeHueColor(clRed, 120), HslBytesToColor(120, 240, 120));
}

TEST(WbColorModel, ClassicGradientColoursWithoutThemes) {
  TColor start, stop, line;
  OfficeGradientColors(gcsMSOffice, start, stop);
  EXPECT_EQ(start, clWindow);
  EXPECT_EQ(stop, DarkenColor(clBtnFace, 10));
  GroupGradientColors(gcsSystem, stop, start, line);
  EXPECT_EQ(stop, DarkenColor(clBtnFace, 20));
  EXPECT_EQ(line, DarkenColor(clBtnFace, 40));
  EXPECT_EQ(ThemePartColor(6), clBtnFace);
}

TEST(WbColorModel, ThemedColoursComeFromTheTheme) {
  RecordingTheme theme;
  theme.Colour = 0x123456;
  EXPECT_EQ(ThemePartColor(6), TColor(0x123456));
  EXPECT_EQ(theme.LastColourProperty, 3803);
  EXPECT_EQ(ThemePartColor(9), clWhite);
  TColor start, stop;
  OfficeGradientColors(gcsMSOffice, start, stop);
  EXPECT_EQ(start, TColor(0x00FFEFE3));
  EXPECT_EQ(stop, TColor(0x00EABB99));
}

// 6 x 6 fixtures: each row a string, '.' untouched (white), letters for the colours drawn.
TEST(WbFrames, StylesAndSidesOnSixBySix) {
  const COLORREF hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow), dk = ColorToRGB(cl3DDkShadow);
  struct Case {
    const char* Name;
    TFrameStyle Style;
    TSides Sides;
    TRect Inside;
    const char* Rows[6];
  };
  const Case kCases[] = {
      {"groove top", fsGroove, TSides{sdTop}, {0, 2, 6, 6}, {"sssssS", "hhhhhh", "......", "......", "......", "......"}},
      {"groove all", fsGroove, AllSides, {2, 2, 4, 4}, {"sssssh", "shhhsh", "sh..sh", "sh..sh", "ssssSh", "hhhhhh"}},
      {"flat left and bottom", fsFlat, TSides{sdLeft, sdBottom}, {1, 0, 6, 5},
       {"d.....", "d.....", "d.....", "d.....", "d.....", "dddddd"}},
      {"no sides", fsLowered, TSides{}, {0, 0, 6, 6}, {"......", "......", "......", "......", "......", "......"}},
      {"none", fsNone, AllSides, {0, 0, 6, 6}, {"......", "......", "......", "......", "......", "......"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    TBitmap bitmap;
    FillBitmap(bitmap, 6, 6, clWhite);
    TRect inside = PaintBorderSides(bitmap.GetCanvas(), {0, 0, 6, 6}, c.Style, c.Sides);
    EXPECT_EQ(inside, c.Inside);
    ExpectPixels(bitmap, c.Rows, {{'s', sh}, {'S', sh}, {'h', hi}, {'d', dk}, {'.', 0xFFFFFF}});
  }
}

TEST(WbFrames, SidesSkipClNoneButStillShrink) {
  TBitmap bitmap;
  FillBitmap(bitmap, 6, 6, clWhite);
  TRect inside = PaintSides(bitmap.GetCanvas(), {0, 0, 6, 6}, clNone, clRed, AllSides);
  EXPECT_EQ(inside, TRect(1, 1, 5, 5));
  EXPECT_EQ(PixelAt(bitmap, 0, 2), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(bitmap, 5, 2), 0x0000FFu);
  EXPECT_EQ(PaintBevel(bitmap.GetCanvas(), {0, 0, 6, 6}, clRed, clRed, 0, AllSides), TRect(0, 0, 6, 6));
  EXPECT_EQ(PaintBevel(bitmap.GetCanvas(), {0, 0, 6, 6}, clRed, clRed, 2, AllSides), TRect(2, 2, 4, 4));
}

TEST(WbFrames, EditFrameUsesSystemColoursOnlyForClWindow) {
  const COLORREF hi = ColorToRGB(clBtnHighlight);
  TBitmap a, b;
  FillBitmap(a, 8, 8, clWhite);
  FillBitmap(b, 8, 8, clWhite);
  PaintNonClientFrame(a.GetCanvas(), 8, 8, fsStatus, clWindow, clBlack, AllSides);
  // The same RGB as a plain colour takes the derived shades.
  PaintNonClientFrame(b.GetCanvas(), 8, 8, fsStatus, TColor(ColorToRGB(clWindow)), clBlack, AllSides);
  EXPECT_EQ(PixelAt(a, 7, 3), hi);
  EXPECT_EQ(PixelAt(b, 7, 3), ColorToRGB(LightenColor(clWindow, 100)));
  EXPECT_EQ(PixelAt(a, 0, 3), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(b, 0, 3), ColorToRGB(DarkenColor(clWindow, 50)));
}

TEST(WbFrames, PanelBordersReturnTheFace) {
  TBitmap bitmap;
  FillBitmap(bitmap, 20, 20, clWhite);
  struct Case {
    TFrameStyleEx Outer, Inner;
    Integer BorderWidth, BevelWidth;
    TRect Face;
  };
  const Case kCases[] = {
      {fsRaised, fsNone, 0, 1, {2, 2, 18, 18}},  {fsStatus, fsNone, 0, 3, {3, 3, 17, 17}},
      {fsFlat, fsLowered, 2, 1, {5, 5, 15, 15}}, {fsFlatRounded, fsNone, 0, 1, {2, 2, 18, 18}},
  };
  for (const auto& c : kCases) {
    TRect face = PaintInnerOuterBorders(bitmap.GetCanvas(), {0, 0, 20, 20}, c.Outer, c.Inner, c.BorderWidth, AllSides,
                                        clBtnFace, clBtnHighlight, clBtnShadow, c.BevelWidth, clBtnShadow, 30,
                                        clBtnFace, clBtnFace, false);
    EXPECT_EQ(face, c.Face);
  }
}

TEST(WbGlyphs, ArrowsAndCheckMark) {
  TBitmap bitmap;
  FillBitmap(bitmap, 16, 16, clWhite);
  PaintDirectionArrow(bitmap.GetCanvas(), {0, 0, 16, 16}, false, true, false, 4);
  EXPECT_EQ(CountPixels(bitmap, 0x000000), 0);
  PaintDirectionArrow(bitmap.GetCanvas(), {0, 0, 16, 16}, false, true, false, 1);
  EXPECT_GT(CountPixels(bitmap, 0x000000), 10);
  // The brush and pen come back as they were.
  EXPECT_EQ(bitmap.GetCanvas()->GetBrush()->GetColor(), clWhite);
  EXPECT_EQ(bitmap.GetCanvas()->GetPen()->GetStyle(), psSolid);

  FillBitmap(bitmap, 13, 13, clWhite);
  PaintCheckGlyph(bitmap.GetCanvas(), {0, 0, 13, 13}, cbChecked, 0, false, false, false, htsInterior, clBtnShadow,
                  clWindow, clWindow, clBtnFace, clInfoBk, clBlack, clRed, clYellow);
  EXPECT_EQ(CountPixels(bitmap, 0x000000), 21);
  EXPECT_EQ(PixelAt(bitmap, 1 + 2, 1 + 4), 0u);
  EXPECT_EQ(PixelAt(bitmap, 1 + 8, 1 + 2), 0u);
}

TEST(WbGlyphs, HighlightRingKeepsTheCallersClip) {
  TBitmap bitmap;
  FillBitmap(bitmap, 20, 20, clWhite);
  HDC dc = bitmap.GetCanvas()->GetHandle();
  IntersectClipRect(dc, 0, 0, 10, 20);
  PaintHighlightRing(bitmap.GetCanvas(), {0, 0, 20, 20}, gdVerticalEnd, clRed, clBlue);
  bitmap.GetCanvas()->GetBrush()->SetColor(clBlack);
  bitmap.GetCanvas()->FillRect({0, 10, 20, 20});
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(PixelAt(bitmap, 15, 15), 0xFFFFFFu);  // still clipped away
  EXPECT_EQ(PixelAt(bitmap, 15, 0), 0xFFFFFFu);
  EXPECT_NE(PixelAt(bitmap, 0, 0), 0xFFFFFFu);   // the ring
  EXPECT_EQ(PixelAt(bitmap, 5, 5), 0xFFFFFFu);   // not inside it
}

TEST(WbText, StripAccelerators) {
  struct Case {
    const char* In;
    const char* Out;
  };
  const Case kCases[] = {{"&Reset", "Reset"}, {"a&&b", "a&b"}, {"Save &", "Save &"}, {"", ""}, {"&", "&"}};
  for (const auto& c : kCases) EXPECT_EQ(StripAccelerators(c.In), c.Out) << c.In;
}

TEST(WbText, CentringAndFonts) {
  EXPECT_EQ(RectCenteredIn({0, 0, 11, 11}, 4, 4), TRect(3, 3, 7, 7));
  EXPECT_EQ(RectCenteredIn({-5, 0, 0, 1}, 2, 1), TRect(-3, 0, -1, 1));
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(8);
  EXPECT_TRUE(FontIsTrueType(&font));
  EXPECT_GT(FontMinEditHeight(&font), 12);
  HFONT rotated = CreateRotatedFont(&font, 90);
  ASSERT_NE(rotated, nullptr);
  LOGFONT lf;
  GetObject(rotated, sizeof lf, &lf);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfHeight, font.GetHeight());
  DeleteObject(rotated);
}

TEST(WbColorNames, RowsTakeTheirNamesFromTheStringTable) {
  struct Case {
    Integer Row;
    TColor Value;
    const char* Name;
  };
  const Case kCases[] = {{0, 0x000000, "Black"},
                         {18, 0x00CC99, "Lime"},
                         {39, 0xFFFFFF, "White"},
                         {40, clScrollBar, "Scroll Bar"},
                         {64, clInfoBk, "Info Background"},
                         {65, clHotLight, "Hot Light"},
                         {69, clMenuBar, "Menu Bar"}};
  for (const auto& c : kCases) {
    EXPECT_EQ(WbColorNameTable[c.Row].Value, c.Value) << c.Row;
    EXPECT_EQ(WbColorNameTable[c.Row].Name, c.Name) << c.Row;
  }
}
