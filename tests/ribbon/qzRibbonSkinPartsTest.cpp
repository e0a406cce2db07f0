// The cut table that the skins and the picture tool share.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "toolkit/ribbon/qzRibbonSkinParts.h"

namespace {

struct Part {
  int row, state, entry, id, x, y, w, h;
  int originX, originY;  // where copy 0 lies
  TqzRibbonAtlas atlas;
  TqzRibbonSkinElement element;
};

std::vector<Part> AllParts() {
  std::vector<Part> parts;
  for (int i = 0; i < kRibbonCutRowCount; ++i)
    ForEachRibbonPart(kRibbonCutRows[i], [&](const TqzRibbonCutRow& r, const TqzRibbonPiece& p, int state, int entry,
                                            int id, int x, int y) {
      parts.push_back({i, state, entry, id, x, y, r.width, r.height, p.x, p.y, r.atlas, p.element});
    });
  return parts;
}

TEST(RibbonCutTable, EveryPartLiesInsideItsAtlasWithUniqueIdsAndHandleEntries) {
  int rows[3] = {};
  for (const TqzRibbonCutRow& row : kRibbonCutRows) ++rows[row.atlas];
  EXPECT_EQ(rows[raCommon], 23);
  EXPECT_EQ(rows[raScheme], 48);
  EXPECT_EQ(rows[raForm], 13);

  std::set<int> ids;
  std::set<std::pair<int, int>> entries;
  for (const Part& p : AllParts()) {
    SCOPED_TRACE(testing::Message() << "ID " << p.id);
    EXPECT_GE(p.x, 0);
    EXPECT_GE(p.y, 0);
    EXPECT_LE(p.x + p.w, kRibbonAtlasWidth[p.atlas]);
    EXPECT_LE(p.y + p.h, kRibbonAtlasHeight[p.atlas]);
    EXPECT_GE(p.id, 10000);
    EXPECT_LE(p.id, 10483);
    EXPECT_TRUE(ids.insert(p.id).second) << "duplicate ID";
    EXPECT_LT(p.entry, 9);
    EXPECT_TRUE(entries.insert({p.element, p.entry}).second) << "two parts in one handle entry";
    // Corners stay inside the part.
    const TqzRibbonPiece& piece = [&]() -> const TqzRibbonPiece& {
      const TqzRibbonCutRow& r = kRibbonCutRows[p.row];
      for (int i = 0; i < r.pieceCount; ++i)
        if (r.pieces[i].element == p.element) return r.pieces[i];
      return r.pieces[0];
    }();
    EXPECT_LE(piece.margins[0] + piece.margins[2], p.w);
    EXPECT_LE(piece.margins[1] + piece.margins[3], p.h);
  }
}

TEST(RibbonCutTable, CopyIndexAndIdAdvanceOverSkippedStates) {
  struct Case {
    int baseId;
    std::map<int, std::pair<int, int>> stateToIdAndCopy;
  };
  const Case cases[] = {
      // small button: states 2..8, copies 0, 0, 1, 2, 2, 3, 4
      {10290, {{2, {10292, 0}}, {3, {10293, 0}}, {4, {10294, 1}}, {6, {10296, 2}}, {8, {10298, 4}}}},
      // collapsed group: states 0, 2, 3, 4 take copies 0, 1, 3, 2
      {10263, {{0, {10263, 0}}, {2, {10265, 1}}, {3, {10266, 3}}, {4, {10267, 2}}}},
      // large split top: six copies listed for seven states, the seventh takes copy 0
      {10326, {{7, {10333, 4}}, {8, {10334, 0}}}},
      // group body: copies lie to the right
      {10371, {{0, {10371, 0}}, {2, {10373, 1}}}},
  };
  const std::vector<Part> parts = AllParts();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.baseId);
    std::map<int, Part> byState;
    for (const Part& p : parts)
      if (p.id - p.state == c.baseId) byState.emplace(p.state, p);
    ASSERT_FALSE(byState.empty());
    for (const auto& [state, expected] : c.stateToIdAndCopy) {
      SCOPED_TRACE(state);
      ASSERT_TRUE(byState.count(state));
      const Part& p = byState.at(state);
      EXPECT_EQ(p.id, expected.first);
      const bool vertical = kRibbonCutRows[p.row].vertical;
      const int step = vertical ? p.h : p.w;
      EXPECT_EQ(vertical ? p.y - p.originY : p.x - p.originX, expected.second * step);
    }
  }
}

}  // namespace
