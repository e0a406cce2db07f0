#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {

COLORREF PixelOf(TBitmap& B, Integer X, Integer Y) { return GetPixel(B.GetCanvas()->GetHandle(), X, Y); }

}  // namespace

TEST(KvResampling, ContributorsStayInsideTinySources) {
  for (Integer source : {1, 2, 3}) {
    for (Integer dest : {1, 2, 9, 40}) {
      SCOPED_TRACE(testing::Message() << source << " -> " << dest);
      const Double scale = source == 1 ? Double(dest) : dest == 1 ? 1.0 / source : Double(dest - 1) / (source - 1);
      const TContributorList list = BuildContributors(source, dest, scale);
      ASSERT_EQ(list.size(), size_t(dest));
      for (const TContributorArray& entry : list)
        for (const TContributor& c : entry) {
          EXPECT_GE(c.Pixel, 0);
          EXPECT_LT(c.Pixel, source);
        }
    }
  }
  EXPECT_DOUBLE_EQ(LanczosWeight(0), 1.0);
  EXPECT_EQ(LanczosWeight(3), 0.0);
}

// Weights from the Lanczos-3 kernel in 1/256 steps; positions outside the source reflect once.
TEST(KvResampling, ContributorsOfAThreeFromTwoEnlargement) {
  const TContributorList list = BuildContributors(2, 3, 2.0);
  ASSERT_EQ(list.size(), 3u);
  auto pairs = [](const TContributorArray& entry) {
    std::vector<std::pair<Integer, Integer>> out;
    for (const TContributor& c : entry) out.emplace_back(c.Pixel, c.Weight);
    return out;
  };
  using Pairs = std::vector<std::pair<Integer, Integer>>;
  EXPECT_EQ(pairs(list[0]), (Pairs{{0, 256}}));
  EXPECT_EQ(pairs(list[1]), (Pairs{{1, 6}, {1, -35}, {0, 156}, {1, 156}, {1, -35}, {0, 6}}));
  EXPECT_EQ(pairs(list[2]), (Pairs{{1, 256}}));
}

// The weights are rounded one by one and the sums cut to whole levels, so a flat colour may come
// out a few levels darker (at most 4 for these sizes), never lighter; an equal size copies exactly.
TEST(KvResampling, LanczosKeepsAUniformColourAndHandlesOnePixelSizes) {
  struct Case {
    Integer sw, sh, w, h;
    Integer drift;
  };
  const Case cases[] = {{2, 2, 9, 9, 4}, {8, 8, 1, 1, 4}, {1, 5, 7, 1, 3}, {5, 3, 2, 6, 4}, {3, 4, 3, 4, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.w << "x" << c.h);
    TkvBitmap source(c.sw, c.sh, 0xFF306090);
    TkvBitmap dest(c.w, c.h);
    ResampleBitmap(&source, &dest, true);
    for (Integer y = 0; y < c.h; ++y)
      for (Integer x = 0; x < c.w; ++x) {
        const COLORREF p = PixelOf(dest, x, y);
        const Integer channels[3][2] = {{GetRValue(p), 0x30}, {GetGValue(p), 0x60}, {GetBValue(p), 0x90}};
        for (const auto& [got, want] : channels) {
          EXPECT_LE(got, want);
          EXPECT_GE(got, want - c.drift);
        }
      }
  }
}

TEST(KvGlyphRenderer, NothingToDrawLeavesTheDCUntouched) {
  TkvBitmap target(6, 6, 0xFF123456);
  TkvImageList list(nullptr, 4, 4);
  DrawGlyphOrListImage(target.GetCanvas()->GetHandle(), Rect(0, 0, 4, 4), Rect(0, 0, 6, 6), false, clNone, nullptr,
                       false, gdmNormal, 3, &list, nullptr);
  EXPECT_EQ(PixelOf(target, 1, 1), 0x563412u);
}

namespace {

// A 4 x 4 glyph: a red 2 x 2 square on magenta, the colour that marks transparency.
std::unique_ptr<TBitmap> MagentaGlyph(TPixelFormat Format) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(Format);
  glyph->SetSize(4, 4);
  TCanvas* canvas = glyph->GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect(Rect(0, 0, 4, 4));
  canvas->GetBrush()->SetColor(clRed);
  canvas->FillRect(Rect(1, 1, 3, 3));
  return glyph;
}

// The 8 x 8 target as characters: each pixel is the key of the first colour in Keys within one
// level per channel, "?" otherwise.
std::vector<String> PixelMap(TBitmap& B, const std::vector<std::pair<char, COLORREF>>& Keys) {
  std::vector<String> rows;
  for (Integer y = 0; y < B.GetHeight(); ++y) {
    String row;
    for (Integer x = 0; x < B.GetWidth(); ++x) {
      const COLORREF p = PixelOf(B, x, y);
      char key = '?';
      for (const auto& [k, c] : Keys)
        if (std::abs(GetRValue(p) - GetRValue(c)) <= 1 && std::abs(GetGValue(p) - GetGValue(c)) <= 1 &&
            std::abs(GetBValue(p) - GetBValue(c)) <= 1) {
          key = k;
          break;
        }
      row += key;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

// The glyph sits at (2, 2)-(6, 6) of an 8 x 8 green area; magenta must show the green in every
// mode. Colours: r red; d the disabled grey (red as grey 76, blended with the button shadow at
// alpha 0xC0 x 238/255: 142); w the highlight edge one pixel right and below the glyph; f red as
// grey 76 at alpha 64 over green; a the average grey 85; l red lightened (0 + 255 x 3/10 rounded
// = 77); s the button shadow, two pixels right and below the glyph, which itself moves one pixel
// up and left.
TEST(KvGlyphRenderer, DrawModesOnPixels) {
  const std::vector<std::pair<char, COLORREF>> keys = {
      {'.', RGB(0, 255, 0)},     {'r', RGB(255, 0, 0)},   {'d', RGB(142, 142, 142)},
      {'w', ColorToRGB(clBtnHighlight)}, {'f', RGB(19, 210, 19)}, {'a', RGB(85, 85, 85)},
      {'l', RGB(255, 77, 77)},   {'s', ColorToRGB(clBtnShadow)}};
  struct Case {
    TkvGlyphDrawMode mode;
    std::vector<String> expected;
  };
  const Case cases[] = {
      {gdmNormal, {"........", "........", "........", "...rr...", "...rr...", "........", "........", "........"}},
      {gdmDisabled, {"........", "........", "........", "...dd...", "...ddw..", "....ww..", "........", "........"}},
      {gdmFaded, {"........", "........", "........", "...ff...", "...ff...", "........", "........", "........"}},
      {gdmGrayScale, {"........", "........", "........", "...aa...", "...aa...", "........", "........", "........"}},
      {gdmLightened, {"........", "........", "........", "...ll...", "...ll...", "........", "........", "........"}},
      {gdmShadowed, {"........", "........", "..rr....", "..rr....", "....ss..", "....ss..", "........", "........"}},
  };
  // The glyph's own transparent colour, the background colour, or a list image added with
  // magenta as its mask colour.
  enum Source { GlyphColour, BackgroundColour, KvList, PlainList };
  for (const Source source : {GlyphColour, BackgroundColour, KvList, PlainList})
    for (const TPixelFormat format : {pf24bit, pf32bit, pfDevice})
      for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " source " << int(source) << " format "
                                        << int(format));
        std::unique_ptr<TBitmap> glyph = MagentaGlyph(format);
        TkvImageList kvList(nullptr, 4, 4);
        TCustomImageList plainList(nullptr, 4, 4);
        TCustomImageList* list = nullptr;
        if (source == KvList) {
          kvList.AddMaskedImage(glyph.get(), clFuchsia);
          list = &kvList;
        } else if (source == PlainList) {
          plainList.AddMasked(glyph.get(), clFuchsia);
          list = &plainList;
        }
        TkvBitmap target(8, 8, 0xFF00FF00);
        DrawGlyphOrListImage(target.GetCanvas()->GetHandle(), Rect(2, 2, 6, 6), Rect(0, 0, 8, 8),
                             source == GlyphColour, source == BackgroundColour ? clFuchsia : clNone, nullptr, false,
                             c.mode, list ? 0 : -1, list, list ? nullptr : glyph.get());
        EXPECT_EQ(PixelMap(target, keys), c.expected);
      }
}
// A glyph with real alpha brings its own transparency: no colour is masked out, and the
// disabled mode greys it with its own weights at a constant alpha of 151.
TEST(KvGlyphRenderer, AlphaGlyphKeepsItsAlpha) {
  TkvBitmap glyph(2, 1);
  glyph.SetPixels(TRGBColors{0xFFFF0000, 0x00000000});  // opaque red, then nothing
  const std::vector<std::pair<char, COLORREF>> keys = {
      {'.', RGB(0, 255, 0)}, {'r', RGB(255, 0, 0)}, {'d', RGB(11, 115, 11)}};  // grey 19 at 151/255 over green
  struct Case {
    TkvGlyphDrawMode mode;
    String row;
  };
  for (const Case& c : {Case{gdmNormal, ".r.."}, Case{gdmDisabled, ".d.."}}) {
    SCOPED_TRACE(int(c.mode));
    TkvBitmap target(4, 1, 0xFF00FF00);
    DrawGlyphOrListImage(target.GetCanvas()->GetHandle(), Rect(1, 0, 3, 1), Rect(0, 0, 4, 1), true, clNone, nullptr,
                         false, c.mode, -1, nullptr, &glyph);
    EXPECT_EQ(PixelMap(target, keys), std::vector<String>{c.row});
  }
}
