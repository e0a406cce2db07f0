#include "toolkit/ribbon/qzRibbonGroupLayoutCalculator.h"

#include <gtest/gtest.h>

#include "RibbonLayoutFakes.h"

namespace {

constexpr Integer kRowHeight = 22;
constexpr Integer kGroupHeight = 3 * kRowHeight;

// One-row items: small icon with text or small icon.
TFakeItemViewInfo* SmallItem(Integer AWidth = 50) {
  auto* item = new TFakeItemViewInfo;
  item->Permitted = {ivlSmallIconWithText, ivlSmallIcon};
  item->Widths = {0, AWidth, 22, 0};
  return item;
}

// Large buttons that may become one-row items.
TFakeItemViewInfo* LargeItem(Integer AWidth = 40) {
  auto* item = new TFakeItemViewInfo;
  item->Permitted = {ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon};
  item->Widths = {AWidth, 60, 22, 0};
  return item;
}

class RibbonGroupLayout : public testing::Test {
 protected:
  TInterfacePtr<TFakeLayoutSite> site{new TFakeLayoutSite};
  TInterfacePtr<IqzRibbonGroupLayoutCalculator> calculator{new TqzRibbonGroupLayoutCalculator(kRowHeight, 3)};

  void Prepare() {
    calculator->PrepareItems(site.Get());
    calculator->ArrangeItems(site.Get());
  }
  TFakeItemViewInfo& Item(size_t AIndex) { return (*site.Get())[AIndex]; }
};

TEST_F(RibbonGroupLayout, EmptyGroupTakesItsMinimumWidthAndNeverReduces) {
  for (Integer minWidth : {0, 12, 30, 45}) {
    SCOPED_TRACE(minWidth);
    site->MinWidth = minWidth;
    Prepare();
    EXPECT_EQ(site->ContentSize, TSize(std::max(minWidth, 30), kGroupHeight));
    calculator->PrepareReduction(site.Get());
    EXPECT_FALSE(calculator->NarrowColumnedItem(site.Get()));
    EXPECT_FALSE(calculator->FoldColumnedItem(site.Get()));
    for (TqzBarItemViewLevel level : {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly})
      EXPECT_FALSE(calculator->ReduceStep(site.Get(), level));
  }
}

TEST_F(RibbonGroupLayout, OneRowItemsFillColumnsOfThreeRowsAndCentreShortColumns) {
  struct Case {
    Integer count;
    std::vector<TRect> bounds;  // after the left indent of 2
    Integer contentWidth;
    std::vector<Integer> rowsUsed;
  };
  const Case kCases[] = {
      {1, {{2, 22, 52, 44}}, 54, {1}},
      {2, {{2, 8, 52, 30}, {2, 37, 52, 59}}, 54, {2, 2}},
      {4, {{2, 0, 52, 22}, {2, 22, 52, 44}, {2, 44, 52, 66}, {52, 22, 102, 44}}, 104, {3, 3, 3, 1}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.count);
    site->Items.clear();
    for (Integer i = 0; i < c.count; ++i) site->Add(SmallItem());
    Prepare();
    EXPECT_EQ(site->ContentSize, TSize(c.contentWidth, kGroupHeight));
    for (Integer i = 0; i < c.count; ++i) {
      EXPECT_EQ(Item(i).Bounds, c.bounds[i]) << "item " << i;
      EXPECT_EQ(Item(i).LayoutValueA, c.rowsUsed[i]) << "item " << i;
      EXPECT_EQ(Item(i).Level, ivlSmallIconWithText);
      EXPECT_EQ(Item(i).CalculateCount, 1);
    }
  }
}

TEST_F(RibbonGroupLayout, NarrowGroupIsCentredInItsCaptionWidth) {
  site->Add(SmallItem(20));
  site->MinWidth = 60;
  Prepare();
  EXPECT_EQ(site->ContentSize.cx, 60);
  EXPECT_EQ(Item(0).Bounds, TRect(2 + (60 - 24) / 2, 22, 22 + (60 - 24) / 2, 44));
}

TEST_F(RibbonGroupLayout, BeginGroupAddsASeparatorInFrontOfItsColumn) {
  site->Add(LargeItem(40));
  site->Add(LargeItem(40))->BeginGroup = true;
  site->Add(SmallItem(50))->BeginGroup = true;
  Prepare();
  ASSERT_EQ(site->Separators.size(), 2u);
  EXPECT_EQ(site->Separators[0].Bounds, TRect(42, 5, 50, kGroupHeight - 6));
  EXPECT_TRUE(site->Separators[0].IsVertical);
  EXPECT_EQ(Item(1).Bounds, TRect(50, 0, 90, kGroupHeight));
  EXPECT_EQ(site->Separators[1].Bounds, TRect(90, 5, 98, kGroupHeight - 6));
  EXPECT_EQ(Item(2).Bounds, TRect(98, 22, 148, 44));
  EXPECT_EQ(site->ContentSize.cx, 150);
}

TEST_F(RibbonGroupLayout, ButtonGroupsKeepTheirGapInARowAndBetweenColumns) {
  struct Spec {
    TqzBarButtonGroupPosition group;
    TqzBarItemPosition position;
  };
  struct Case {
    const char* name;
    std::vector<Spec> items;
    std::vector<Integer> lefts;
    std::vector<Byte> places;
  };
  const Case kCases[] = {
      {"plain item, then a group of two and a plain item on its row",
       {{bgpNone, ipBeginsNewRow}, {bgpStart, ipContinuesRow}, {bgpMember, ipContinuesRow}, {bgpNone, ipContinuesRow}},
       {2, 25, 47, 72},
       {0, 1, 3, 0}},
      {"a group starting the next column",
       {{bgpNone, ipBeginsNewRow}, {bgpStart, ipBeginsNewColumn}},
       {2, 25},
       {0, 4}},
      {"a plain column after a column that ends a group",
       {{bgpStart, ipBeginsNewRow}, {bgpNone, ipBeginsNewColumn}},
       {2, 27},
       {4, 0}},
      {"group members never get a gap between them",
       {{bgpStart, ipBeginsNewRow}, {bgpMember, ipBeginsNewRow}, {bgpMember, ipBeginsNewColumn}},
       {2, 24, 46},
       {1, 2, 3}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    site->Items.clear();
    for (const Spec& spec : c.items) {
      auto* item = site->Add(SmallItem(20));
      item->ButtonGroupLevel = ivlSmallIcon;
      item->ButtonGroup = spec.group;
      item->Position = spec.position;
    }
    Prepare();
    for (size_t i = 0; i < c.items.size(); ++i) {
      EXPECT_EQ(Item(i).GroupPlace, c.places[i]) << "item " << i;
      EXPECT_EQ(Item(i).Bounds.Left, c.lefts[i]) << "item " << i;
    }
  }
}

TEST_F(RibbonGroupLayout, ButtonGroupPlacesAndStartingLevels) {
  struct Case {
    const char* name;
    std::vector<TqzBarButtonGroupPosition> groups;
    std::vector<bool> beginGroups;
    std::vector<Byte> places;
  };
  const Case kCases[] = {
      {"start, member, member", {bgpStart, bgpMember, bgpMember}, {false, false, false}, {1, 2, 3}},
      {"start alone", {bgpStart, bgpNone}, {false, false}, {4, 0}},
      {"member first", {bgpMember, bgpMember}, {false, false}, {0, 0}},
      {"member behind a separator", {bgpStart, bgpMember}, {false, true}, {4, 0}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    site->Items.clear();
    for (size_t i = 0; i < c.groups.size(); ++i) {
      auto* item = site->Add(LargeItem());
      item->ButtonGroup = c.groups[i];
      item->BeginGroup = c.beginGroups[i];
      item->ButtonGroupLevel = ivlSmallIcon;
    }
    Prepare();
    for (size_t i = 0; i < c.groups.size(); ++i) {
      EXPECT_EQ(Item(i).GroupPlace, c.places[i]) << "item " << i;
      EXPECT_EQ(Item(i).Level, c.places[i] ? ivlSmallIcon : ivlLargeIconWithText) << "item " << i;
    }
  }

  // A fixed large button never joins a group; an item without levels takes the kind's own.
  site->Items.clear();
  auto* fixed = site->Add(LargeItem());
  fixed->Permitted = {ivlLargeIconWithText};
  fixed->ButtonGroup = bgpStart;
  site->Add(LargeItem())->ButtonGroup = bgpMember;
  auto* free = site->Add(new TFakeItemViewInfo);
  free->Permitted = {};
  calculator->PrepareItems(site.Get());
  EXPECT_EQ(Item(0).GroupPlace, 0);
  EXPECT_EQ(Item(1).GroupPlace, 0);
  EXPECT_EQ(Item(2).Level, ivlDefault);
}

TEST_F(RibbonGroupLayout, SingleItemsTakeTheirAlignInTheColumn) {
  site->Add(SmallItem(80));
  site->Add(SmallItem(40))->Align = iaCenter;
  site->Add(SmallItem(40))->Align = iaRight;
  site->Add(SmallItem(80))->Position = ipBeginsNewColumn;
  site->Add(SmallItem(40))->Align = iaClient;
  Prepare();
  EXPECT_EQ(Item(0).Bounds.Left, 2);
  EXPECT_EQ(Item(1).Bounds.Left, 22);
  EXPECT_EQ(Item(2).Bounds.Left, 42);
  EXPECT_EQ(Item(4).Bounds.Left, 82);
  EXPECT_EQ(Item(4).Bounds.Right, 162);
}

// Level 1 turns whole-height items into one-row items where the neighbouring one-row units
// leave room for them.
TEST_F(RibbonGroupLayout, WholeHeightReductionNeedsFreeRowsAroundTheItem) {
  struct Case {
    const char* items;  // L a large button, S a one-row item, F a large button that stays large
    bool firstStep;
    const char* levelsAfter;  // L still large, s reduced
    Integer rowsOfFirstReduced;
  };
  const Case kCases[] = {
      {"SSLS", true, "SSsS", 3},
      {"L", false, "L", 0},
      {"LLL", true, "sss", 3},
      {"LLLL", true, "Lsss", 3},
      {"SL", true, "Ss", 2},
      {"FLF", false, "FLF", 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.items);
    site->Items.clear();
    for (const char* p = c.items; *p; ++p) {
      if (*p == 'S') {
        site->Add(SmallItem());
      } else {
        auto* item = site->Add(LargeItem());
        if (*p == 'F') item->Permitted = {ivlLargeIconWithText};
      }
    }
    Prepare();
    calculator->PrepareReduction(site.Get());
    EXPECT_EQ(calculator->ReduceStep(site.Get(), ivlSmallIconWithText), c.firstStep);
    EXPECT_FALSE(calculator->ReduceStep(site.Get(), ivlSmallIconWithText));
    std::string levels;
    for (size_t i = 0; i < site->Items.size(); ++i) {
      char kind = c.items[i];
      bool large = Item(i).Level == ivlLargeIconWithText;
      levels += kind == 'S' ? 'S' : large ? (kind == 'F' ? 'F' : 'L') : 's';
    }
    EXPECT_EQ(levels, c.levelsAfter);
    for (size_t i = 0; i < site->Items.size(); ++i)
      if (levels[i] == 's') {
        EXPECT_EQ(Item(i).LayoutValueA, c.rowsOfFirstReduced);
        EXPECT_EQ(Item(i).Bounds.Height(), kRowHeight);
        break;
      }
  }
}

TEST_F(RibbonGroupLayout, ThreeReducedLargeButtonsShareOneColumn) {
  for (int i = 0; i < 3; ++i) site->Add(LargeItem(40));
  Prepare();
  EXPECT_EQ(site->ContentSize.cx, 124);
  calculator->PrepareReduction(site.Get());
  ASSERT_TRUE(calculator->ReduceStep(site.Get(), ivlSmallIconWithText));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Item(i).Bounds, TRect(2, i * kRowHeight, 62, (i + 1) * kRowHeight));
    EXPECT_EQ(Item(i).LayoutValueB, i);
  }
  EXPECT_EQ(site->ContentSize.cx, 64);
}

// Levels 2 and 3 reduce single items column by column from the right, never rows of several.
TEST_F(RibbonGroupLayout, ColumnReductionLeavesRowsOfSeveralItems) {
  auto* left = site->Add(SmallItem(35));
  auto* right = site->Add(SmallItem(35));
  right->Position = ipContinuesRow;
  auto* single = site->Add(SmallItem(90));
  single->Permitted = {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly};
  single->Widths = {0, 90, 22, 16};
  auto* other = site->Add(SmallItem(50));
  other->Position = ipBeginsNewColumn;
  other->Permitted = {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly};
  other->Widths = {0, 50, 22, 16};
  Prepare();
  calculator->PrepareReduction(site.Get());

  // The right column first, then the left one.
  ASSERT_TRUE(calculator->ReduceStep(site.Get(), ivlSmallIcon));
  EXPECT_EQ(other->Level, ivlSmallIcon);
  EXPECT_EQ(single->Level, ivlSmallIconWithText);
  ASSERT_TRUE(calculator->ReduceStep(site.Get(), ivlSmallIcon));
  EXPECT_EQ(single->Level, ivlSmallIcon);
  EXPECT_FALSE(calculator->ReduceStep(site.Get(), ivlSmallIcon));

  // The next level starts again at the right column; the single item, now narrower than the
  // row of two, gains the column nothing, and the row is never reduced.
  ASSERT_TRUE(calculator->ReduceStep(site.Get(), ivlControlOnly));
  EXPECT_EQ(other->Level, ivlControlOnly);
  EXPECT_FALSE(calculator->ReduceStep(site.Get(), ivlControlOnly));
  EXPECT_EQ(single->Level, ivlSmallIcon);
  EXPECT_EQ(left->Level, ivlSmallIconWithText);
  EXPECT_EQ(right->Level, ivlSmallIconWithText);
}

TEST_F(RibbonGroupLayout, ColumnReductionSkipsItemsThatWouldNotNarrowTheColumn) {
  auto* row1 = site->Add(SmallItem(60));
  auto* row2 = site->Add(SmallItem(60));
  row2->Position = ipContinuesRow;
  auto* single = site->Add(SmallItem(90));
  Prepare();
  calculator->PrepareReduction(site.Get());
  // The row of two (120) keeps the column as wide as the single item: reducing it gains nothing.
  EXPECT_FALSE(calculator->ReduceStep(site.Get(), ivlSmallIcon));
  EXPECT_EQ(single->Level, ivlSmallIconWithText);
  EXPECT_EQ(row1->Level, ivlSmallIconWithText);
}

TEST_F(RibbonGroupLayout, ColumnedItemsNarrowColumnByColumnThenFold) {
  auto* columned = new TFakeColumnedItem;
  columned->Permitted = {ivlLargeIconWithText};
  site->Add(SmallItem(50));
  site->Add(columned);
  Prepare();
  EXPECT_FALSE(columned->Collapsed);
  EXPECT_EQ(columned->Columns, 3);
  EXPECT_EQ(columned->Bounds, TRect(52, 0, 142, kGroupHeight));
  EXPECT_EQ(site->ContentSize.cx, 144);

  calculator->PrepareReduction(site.Get());
  const Integer kWidths[] = {114, 84};
  for (Integer width : kWidths) {
    ASSERT_TRUE(calculator->NarrowColumnedItem(site.Get()));
    EXPECT_EQ(site->ContentSize.cx, width);
  }
  EXPECT_FALSE(calculator->NarrowColumnedItem(site.Get()));
  ASSERT_TRUE(calculator->FoldColumnedItem(site.Get()));
  EXPECT_TRUE(columned->Collapsed);
  EXPECT_EQ(columned->Bounds, TRect(52, 0, 92, kGroupHeight));
  EXPECT_FALSE(calculator->FoldColumnedItem(site.Get()));
  EXPECT_FALSE(calculator->NarrowColumnedItem(site.Get()));
}

TEST_F(RibbonGroupLayout, ColumnedItemThatCannotCollapseIsNeverFolded) {
  auto* columned = new TFakeColumnedItem;
  columned->Collapsible = false;
  site->Add(columned);
  Prepare();
  EXPECT_FALSE(calculator->FoldColumnedItem(site.Get()));
  EXPECT_FALSE(columned->Collapsed);
}

// Whatever the order of steps, no item is asked for a level it does not permit (the fakes raise).
TEST_F(RibbonGroupLayout, FullReductionAsksOnlyPermittedLevels) {
  site->Add(LargeItem())->Permitted = {ivlLargeIconWithText, ivlSmallIcon};
  site->Add(SmallItem())->Permitted = {ivlSmallIconWithText};
  auto* grouped = site->Add(SmallItem());
  grouped->ButtonGroup = bgpStart;
  grouped->ButtonGroupLevel = ivlSmallIconWithText;
  site->Add(SmallItem())->ButtonGroup = bgpMember;
  site->Add(LargeItem())->Permitted = {ivlLargeIconWithText};
  site->Add(LargeItem())->BeginGroup = true;
  site->Add(LargeItem())->Permitted = {ivlLargeIconWithText, ivlControlOnly};
  Prepare();
  calculator->PrepareReduction(site.Get());
  Integer previousWidth = site->ContentSize.cx;
  for (TqzBarItemViewLevel level : {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly}) {
    SCOPED_TRACE(level);
    int steps = 0;
    while (calculator->ReduceStep(site.Get(), level)) {
      ASSERT_LT(++steps, 20);
      EXPECT_LE(site->ContentSize.cx, previousWidth);
      previousWidth = site->ContentSize.cx;
    }
  }
}

}  // namespace
