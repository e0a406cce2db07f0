// Tab geometry with a fake text measurer (6 pixels a character, lines 13 high): tab sizes by
// style, side and text orientation, overlaps, row counts and rotation, card and page rectangles,
// button places, accelerator measuring, and hit tests that agree with GDI's polygon filling.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "gdi/StockObjects.h"
#include "toolkit/controls/WbTabs.h"

// Every character 6 pixels wide, every line 13 high, in any font.
class TMeasuredTabs : public TWbTabControl {
  TAVREN_CLASS(TMeasuredTabs, TWbTabControl)
 public:
  explicit TMeasuredTabs(TComponent* AOwner) : TWbTabControl(AOwner) { GetFont()->SetHeight(-13); }
  std::vector<String> Measured;

 protected:
  TSize MeasureLine(HDC, const String& Line) override {
    Measured.push_back(Line);
    return {Integer(Line.size()) * 6, 13};
  }
};
TAVREN_CLASS_IMPL(TMeasuredTabs)

namespace {

class WbTabsLayoutTest : public VclTest {
 protected:
  TMeasuredTabs* NewTabs(std::initializer_list<const char*> captions, Integer W = 300, Integer H = 300) {
    if (!form) {
      form = NewForm(50, 50, 700, 600);
      form->SetBorderStyle(bsNone);
      form->Show();
    }
    auto* tabs = new TMeasuredTabs(form);
    tabs->SetParent(form);
    tabs->SetBounds(0, 0, W, H);
    for (const char* caption : captions) {
      auto* tab = new TWbTabData;
      tab->Caption = caption;
      tabs->GetTabs()->Add(tab);
    }
    tabs->RequestLayout();
    return tabs;
  }
  static void Layout(TWbCustomTabControl* tabs) {
    tabs->RequestLayout();
    tabs->UpdateLayout();
  }
  static Integer Along(TWbCustomTabControl* tabs, Integer i) {
    TRect r = tabs->GetTabs()->GetItems(i)->StripRect;
    return r.Right - r.Left;
  }
  TForm* form = nullptr;
};

}  // namespace

TEST_F(WbTabsLayoutTest, TabSizeByStyleSideAndTextOrientation) {
  struct Case {
    TWbTabStyle Style;
    TWbTabOrientation Side;
    TOrientation Text;
    Integer Length, Depth;
  };
  // "Trim": 24 x 13 horizontal, 13 x 24 vertical; ImageMargin 2 is counted without an image.
  const Case cases[] = {
      {tsSingleSlant, toTop, orHorizontal, 50, 19},   {tsSingleSlant, toLeft, orHorizontal, 51, 32},
      {tsSingleSlant, toTop, orVertical, 51, 30},     {tsSingleSlant, toRight, orVertical, 50, 21},
      {tsBackSlant, toBottom, orHorizontal, 50, 19},  {tsDoubleSlant, toTop, orHorizontal, 62, 19},
      {tsDoubleSlant, toLeft, orHorizontal, 75, 32},  {tsCutCorner, toTop, orHorizontal, 46, 20},
      {tsCutCorner, toLeft, orHorizontal, 23, 39},    {tsCutCorner, toBottom, orVertical, 25, 37},
      {tsCutCorner, toRight, orVertical, 44, 22},     {tsRoundCorners, toTop, orHorizontal, 42, 19},
      {tsRoundCorners, toLeft, orHorizontal, 19, 42}, {tsRoundCorners, toTop, orVertical, 21, 40},
      {tsRoundCorners, toRight, orVertical, 40, 21},
  };
  for (const Case& c : cases) {
    TMeasuredTabs* tabs = NewTabs({"Trim"});
    tabs->SetTabStyle(c.Style);
    tabs->SetTabOrientation(c.Side);
    tabs->SetTextOrientation(c.Text);
    Layout(tabs);
    SCOPED_TRACE(testing::Message() << "style " << c.Style << " side " << c.Side << " text " << c.Text);
    EXPECT_EQ(Along(tabs, 0), c.Length);
    EXPECT_EQ(tabs->GetFixedDimension(), c.Depth);
  }
}

TEST_F(WbTabsLayoutTest, DefaultTabsOverlapAndTheShadowNarrowsTheArea) {
  TMeasuredTabs* tabs = NewTabs({"Trim", "Crop", "Effect"});
  Layout(tabs);
  const Integer fd = tabs->GetFixedDimension();
  for (Integer i = 1; i < 3; ++i)
    EXPECT_EQ(tabs->GetTabs()->GetItems(i - 1)->StripRect.Right - tabs->GetTabs()->GetItems(i)->StripRect.Left,
              fd / 2 - 1);
  TPoint points[6];
  Integer count = 0;
  EXPECT_TRUE(tabs->TabShapePoints(0, points, count));
  EXPECT_EQ(count, 5);
  EXPECT_EQ(tabs->TabAreaRect().Right, 297);
  tabs->SetShowShadow(false);
  Layout(tabs);
  EXPECT_EQ(tabs->TabAreaRect().Right, 299);
}

TEST_F(WbTabsLayoutTest, RoundCornersLeaveAGapEnlargeTheCurrentTabAndDeepenTheArea) {
  TMeasuredTabs* tabs = NewTabs({"Trim", "Crop", "Effect"});
  tabs->SetTabStyle(tsRoundCorners);
  tabs->SetTabIndex(1);
  Layout(tabs);
  EXPECT_EQ(tabs->GetTabs()->GetItems(1)->StripRect.Left - tabs->GetTabs()->GetItems(0)->StripRect.Right, 2);
  EXPECT_EQ(tabs->TabAreaDepth(), tabs->GetFixedDimension() + 3);
  const TRect plain = tabs->GetTabs()->GetItems(1)->StripRect, shown = tabs->TabStripRect(1);
  EXPECT_EQ(shown.Left, plain.Left - 2);
  EXPECT_EQ(shown.Right, plain.Right + 2);
  EXPECT_EQ(shown.Top, plain.Top - 2);
  EXPECT_EQ(shown.Bottom, plain.Bottom);
}

TEST_F(WbTabsLayoutTest, TabZeroStartsWhereTheSequenceSays) {
  struct Case {
    TWbTabOrientation Side;
    TWbTabSequence Sequence;
    bool AtLowEnd;  // tab 0 nearer the top (left) of the control than tab 1
  };
  const Case cases[] = {{toLeft, tsStandard, false}, {toLeft, tsReverse, true}, {toRight, tsStandard, true},
                        {toRight, tsReverse, false}, {toTop, tsStandard, true}, {toTop, tsReverse, false},
                        {toBottom, tsStandard, true}, {toBottom, tsReverse, false}};
  for (const Case& c : cases) {
    TMeasuredTabs* tabs = NewTabs({"One", "Two"});
    tabs->SetTabOrientation(c.Side);
    tabs->SetTabSequence(c.Sequence);
    Layout(tabs);
    const TRect a = tabs->TabClientRect(0), b = tabs->TabClientRect(1);
    const bool vertical = c.Side == toLeft || c.Side == toRight;
    SCOPED_TRACE(testing::Message() << "side " << c.Side << " sequence " << c.Sequence);
    EXPECT_EQ(vertical ? a.Top < b.Top : a.Left < b.Left, c.AtLowEnd);
  }
}

TEST_F(WbTabsLayoutTest, RowsAlignedTabsAndRotation) {
  // Ten tabs of 50 pixels in a 200-wide strip: 4 rows of content widths fitting with overlaps.
  TMeasuredTabs* tabs = NewTabs({"Aaaa", "Bbbb", "Cccc", "Dddd", "Eeee", "Ffff", "Gggg", "Hhhh", "Iiii"}, 170, 200);
  tabs->SetMultiLine(true);
  Layout(tabs);
  ASSERT_EQ(tabs->GetTabRowCount(), 3);
  std::vector<Integer> rows;
  for (Integer i = 0; i < 9; ++i) rows.push_back(tabs->GetTabs()->GetItems(i)->Row);
  EXPECT_EQ(rows, (std::vector<Integer>{0, 0, 0, 1, 1, 1, 2, 2, 2}));

  // AlignTabs spreads each row's spare pixels over its tabs, the first ones taking one more.
  tabs->SetAlignTabs(true);
  Layout(tabs);
  const TRect first = tabs->GetTabs()->GetItems(0)->StripRect, last = tabs->GetTabs()->GetItems(2)->StripRect;
  EXPECT_EQ(last.Right - first.Left, tabs->TabStripLength() - 2 * tabs->GetRowIndent());

  // Selecting a tab of the back row brings its row next to the card, the others keep their order
  // and their places along the strip.
  std::vector<TRect> before;
  for (Integer i = 0; i < 9; ++i) before.push_back(tabs->GetTabs()->GetItems(i)->StripRect);
  tabs->SetTabIndex(7);
  rows.clear();
  for (Integer i = 0; i < 9; ++i) rows.push_back(tabs->GetTabs()->GetItems(i)->Row);
  EXPECT_EQ(rows, (std::vector<Integer>{1, 1, 1, 2, 2, 2, 0, 0, 0}));
  for (Integer i = 0; i < 9; ++i) {
    EXPECT_EQ(tabs->GetTabs()->GetItems(i)->StripRect.Left, before[size_t(i)].Left);
    EXPECT_EQ(tabs->GetTabs()->GetItems(i)->StripRect.Top, before[size_t((i + 3) % 9)].Top);
  }
}

TEST_F(WbTabsLayoutTest, ATooSmallControlStillLaysOutEveryTab) {
  TMeasuredTabs* tabs = NewTabs({"A rather long caption", "Another long one"}, 30, 40);
  tabs->SetMultiLine(true);
  Layout(tabs);
  for (Integer i = 0; i < 2; ++i) EXPECT_GE(Along(tabs, i), 1);
  EXPECT_GE(tabs->GetTabRowCount(), 1);
  tabs->SetMultiLine(false);
  Layout(tabs);
  EXPECT_GE(Along(tabs, 0), 1);
}

TEST_F(WbTabsLayoutTest, CardAndPageRectanglesOnEverySide) {
  struct Case {
    TWbTabOrientation Side;
    TWbTabSequence Sequence;
    TRect Card, Page;
  };
  // 300 x 200, one row 19 deep.
  const Case cases[] = {
      {toTop, tsStandard, {0, 19, 299, 199}, {1, 20, 297, 197}},  {toTop, tsReverse, {0, 19, 299, 199}, {1, 20, 299, 199}},
      {toLeft, tsStandard, {32, 0, 299, 199}, {33, 1, 299, 199}}, {toLeft, tsReverse, {32, 0, 299, 199}, {33, 1, 299, 199}},
      {toBottom, tsStandard, {0, 0, 299, 180}, {1, 1, 299, 180}}, {toBottom, tsReverse, {0, 0, 299, 180}, {1, 1, 299, 180}},
      {toRight, tsStandard, {0, 0, 267, 199}, {1, 1, 267, 199}},  {toRight, tsReverse, {0, 0, 267, 199}, {1, 1, 267, 199}},
  };
  for (const Case& c : cases) {
    TMeasuredTabs* tabs = NewTabs({"Trim"}, 300, 200);
    tabs->SetTabOrientation(c.Side);
    tabs->SetTabSequence(c.Sequence);
    Layout(tabs);
    SCOPED_TRACE(testing::Message() << "side " << c.Side << " sequence " << c.Sequence);
    EXPECT_EQ(tabs->CardRect(0), c.Card);
    EXPECT_EQ(tabs->PageRect(), c.Page);
  }
  // Without tabs the card is the whole control less a pixel on the right and bottom.
  TMeasuredTabs* empty = NewTabs({}, 300, 200);
  Layout(empty);
  EXPECT_EQ(empty->CardRect(0), TRect(0, 0, 299, 199));
  EXPECT_EQ(empty->TabAtPoint(10, 5), -1);
  EXPECT_FALSE(empty->GetScrollerNeeded());
}

TEST_F(WbTabsLayoutTest, StripButtonsSitAtTheEndOfTheStrip) {
  struct Case {
    TWbTabOrientation Side;
    TWbTabSequence Sequence;
    TPoint Close, Menu;
  };
  // 300 x 200, a row 19 deep (32 on the sides), buttons of 17.
  const Case cases[] = {
      {toTop, tsStandard, {279, 0}, {260, 0}},     {toTop, tsReverse, {0, 0}, {19, 0}},
      {toLeft, tsStandard, {13, 0}, {13, 19}},     {toLeft, tsReverse, {13, 183}, {13, 164}},
      {toBottom, tsStandard, {283, 182}, {264, 182}}, {toBottom, tsReverse, {0, 182}, {19, 182}},
      {toRight, tsStandard, {269, 183}, {269, 164}}, {toRight, tsReverse, {269, 0}, {269, 19}},
  };
  for (const Case& c : cases) {
    TMeasuredTabs* tabs = NewTabs({"Trim"}, 300, 200);
    tabs->SetTabOrientation(c.Side);
    tabs->SetTabSequence(c.Sequence);
    tabs->SetShowCloseButton(true);
    tabs->SetShowMenuButton(true);
    Layout(tabs);
    tabs->PlaceButtons();
    SCOPED_TRACE(testing::Message() << "side " << c.Side << " sequence " << c.Sequence);
    EXPECT_EQ(tabs->ButtonSize(), 17);
    EXPECT_EQ(TPoint(tabs->GetCloseButton()->GetLeft(), tabs->GetCloseButton()->GetTop()), c.Close);
    EXPECT_EQ(TPoint(tabs->GetMenuButton()->GetLeft(), tabs->GetMenuButton()->GetTop()), c.Menu);
  }
}

TEST_F(WbTabsLayoutTest, CaptionsAreMeasuredWithoutTheirAcceleratorMark) {
  struct Case {
    const char* Caption;
    const char* Measured;
  };
  const Case cases[] = {{"Tom && Jerry", "Tom & Jerry"}, {"&Trim", "Trim"}, {"Crop&", "Crop&"},
                        {"A&b&c", "Ab&c"}, {"Two\r\n&lines", "lines"}};
  TMeasuredTabs* tabs = NewTabs({});
  for (const Case& c : cases) {
    tabs->Measured.clear();
    tabs->CaptionExtent(c.Caption, false);
    EXPECT_EQ(tabs->Measured.back(), c.Measured) << c.Caption;
  }
  EXPECT_EQ(tabs->CaptionExtent("Two\r\nlines", false), TSize(30, 26));
  tabs->SetTextOrientation(orVertical);
  EXPECT_EQ(tabs->CaptionExtent("Two\r\nlines", false), TSize(26, 30));
}

TEST_F(WbTabsLayoutTest, RegionsCoverGdiPolygonPixelsAndHitTestsAgree) {
  const TWbTabStyle styles[] = {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant};
  const TWbTabOrientation sides[] = {toTop, toLeft, toBottom, toRight};
  for (TWbTabStyle style : styles)
    for (TWbTabOrientation side : sides)
      for (TWbTabSequence sequence : {tsStandard, tsReverse})
        for (bool soft : {false, true}) {
          TMeasuredTabs* tabs = NewTabs({"Trim"}, 200, 150);
          tabs->SetTabStyle(style);
          tabs->SetTabOrientation(side);
          tabs->SetTabSequence(sequence);
          tabs->SetSoftCorners(soft);
          Layout(tabs);
          SCOPED_TRACE(testing::Message() << "style " << style << " side " << side << " sequence " << sequence
                                          << " soft " << soft);
          TPoint points[6];
          Integer count = 0;
          ASSERT_TRUE(tabs->TabClientShape(0, points, count));
          // GDI's fill of the same polygon, without an outline.
          TBitmap fill;
          FillBitmap(fill, 200, 150, clWhite);
          HDC dc = fill.GetCanvas()->GetHandle();
          SelectObject(dc, GetStockObject(NULL_PEN));
          SelectObject(dc, GetStockObject(BLACK_BRUSH));
          std::vector<POINT> raw(points, points + count);
          Polygon(dc, raw.data(), int(count));
          const TRect r = tabs->TabClientRect(0);
          HRGN region = tabs->TabShapeRegion(0, r);
          ASSERT_NE(region, nullptr);
          Integer mismatches = 0, hits = 0, missed = 0;
          for (Integer y = std::max(r.Top - 1, 0); y <= std::min(r.Bottom + 1, 149); ++y)
            for (Integer x = std::max(r.Left - 1, 0); x <= std::min(r.Right + 1, 199); ++x) {
              const bool filled = PixelAt(fill, x, y) == 0;
              if ((PtInRegion(region, x, y) != 0) != filled) ++mismatches;
              const bool inRect = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
              if ((tabs->TabAtPoint(x, y) == 0) != (filled && inRect)) ++missed;
              hits += filled;
            }
          EXPECT_EQ(mismatches, 0);
          EXPECT_EQ(missed, 0);
          EXPECT_GT(hits, 100);
        }
}

TEST_F(WbTabsLayoutTest, RegionCacheKeepsTheMostRecentRegions) {
  TWbTabRegionCache cache;
  auto region = [](Integer n) { return CreateRectRgn(0, 0, n, n); };
  const TRect a{0, 0, 1, 1}, b{0, 0, 2, 2};
  cache.Add(a, region(1));
  cache.Add(b, region(2));
  EXPECT_EQ(cache.GetCount(), 1);
  EXPECT_EQ(cache.Lookup(a), nullptr);
  EXPECT_NE(cache.Lookup(b), nullptr);
  // Adding a rectangle already cached keeps the cached region and frees the one passed.
  HRGN kept = cache.Lookup(b);
  cache.Add(b, region(5));
  EXPECT_EQ(cache.Lookup(b), kept);

  cache.SetCapacity(-1);
  for (Integer i = 1; i <= 5; ++i) cache.Add({0, 0, 10 + i, 1}, region(i));
  EXPECT_EQ(cache.GetCount(), 6);
  cache.SetCapacity(2);
  EXPECT_EQ(cache.GetCount(), 2);
  EXPECT_NE(cache.Lookup({0, 0, 15, 1}), nullptr);
  EXPECT_NE(cache.Lookup({0, 0, 14, 1}), nullptr);
  EXPECT_EQ(cache.Lookup({0, 0, 13, 1}), nullptr);
  for (Integer bad : {0, -2}) {
    EXPECT_THROW(cache.SetCapacity(bad), Exception);
    EXPECT_EQ(cache.GetCapacity(), 2);
  }
  try {
    cache.SetCapacity(0);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Capacity must be -1 (to cache all regions) or > 0");
  }
}
