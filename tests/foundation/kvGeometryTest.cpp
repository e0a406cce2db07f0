#include <gtest/gtest.h>

#include <functional>

#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/foundation/kvGeometry.h"

namespace {

TEST(RectRoutines, ResultsOfTheRectangleOperations) {
  const TRect r{10, 20, 30, 60};
  struct Case {
    const char* name;
    TRect actual;
    TRect expected;
  };
  const Case cases[] = {
      {"inflated", RectInflated(r, 2, -3), {8, 23, 32, 57}},
      {"inflated sides", RectInflatedSides(r, 1, 2, 3, 4), {9, 18, 33, 64}},
      {"inside margins", RectInsideMargins(r, {1, 2, 3, 4}), {11, 22, 27, 56}},
      {"shifted", RectShiftedByPoint(r, {-10, 5}), {0, 25, 20, 65}},
      {"bounds", MakeBoundsRect(5, 6, 7, 8), {5, 6, 12, 14}},
      {"from corners", MakeRectFromCorners(r, {1, 2}), {10, 20, 1, 2}},
      {"right at", RectWithRightAt(r, 50, 5), {45, 20, 50, 60}},
      {"bottom at", RectWithBottomAt(r, 50, 5), {10, 45, 30, 50}},
      {"moved to left", RectMovedToLeft(r, 0), {0, 20, 20, 60}},
      {"horizontal slice", RectHorzSlice(r, 1, 2), {1, 20, 2, 60}},
      {"centered 5 in 10", RectCentered({0, 0, 10, 10}, 5, 5), {2, 2, 7, 7}},
      {"centered 12 in 10", RectCentered({0, 0, 10, 10}, 12, 12), {-1, -1, 11, 11}},
      {"centered odd negative", RectCentered({-5, -5, 0, 0}, 2, 2), {-3, -3, -1, -1}},
      {"union with empty", RectsUnion({5, 5, 5, 5}, {0, 0, 0, 9}), {5, 5, 5, 5}},
      {"union", RectsUnion(r, {0, 0, 1, 1}), {0, 0, 30, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
  EXPECT_EQ(RectCenterPoint({-3, -3, 0, 0}), (TPoint{-1, -1}));
}

TEST(RectRoutines, IntersectionContainmentAndHits) {
  TRect out{1, 1, 1, 1};
  EXPECT_FALSE(RectIntersection({0, 0, 10, 10}, {10, 0, 20, 10}, out));  // touching edges only
  EXPECT_EQ(out, TRect{});
  EXPECT_TRUE(RectIntersection({0, 0, 10, 10}, {5, -5, 20, 5}, out));
  EXPECT_EQ(out, (TRect{5, 0, 10, 5}));
  EXPECT_TRUE(RectEncloses({0, 0, 10, 10}, {0, 0, 10, 10}));
  EXPECT_FALSE(RectEncloses({0, 0, 10, 10}, {0, 0, 11, 10}));
  const TRect r{0, 0, 10, 10};
  EXPECT_TRUE(RectHoldsXY(r, 0, 0));
  EXPECT_FALSE(RectHoldsXY(r, 10, 5));
  EXPECT_FALSE(RectHoldsXY(r, 5, 10));
  EXPECT_TRUE(RectIsVoid({5, 0, 5, 10}));
}

class TChangeCounter : public TObject {
 public:
  void Changed(TObject*) { ++Count; }
  Integer Count = 0;
};

TEST(GeometryValues, ReportOnlyRealChanges) {
  TChangeCounter counter;
  TkvRect rect;
  rect.SetOnChange(MakeEvent<&TChangeCounter::Changed>(&counter));
  rect.SetSide(2, 5);
  rect.SetSide(2, 5);
  rect.SetSide(0, 0);
  EXPECT_EQ(counter.Count, 1);
  EXPECT_EQ(rect.RectRef(), (TRect{0, 0, 5, 0}));
  EXPECT_EQ(rect.GetSide(7), 0);  // any other index reads Bottom

  TkvSize size;
  size.SetOnChange(MakeEvent<&TChangeCounter::Changed>(&counter));
  size.SetByIndex(1, -4);  // a negative width is stored as 0: no change
  EXPECT_EQ(counter.Count, 1);
  size.SetByIndex(1, 6);
  size.SetByIndex(0, 3);
  EXPECT_EQ(counter.Count, 3);
  EXPECT_EQ(size.SizeRef(), (TSize{6, 3}));
  EXPECT_TRUE(size.IsValueStored(0));
  size.SetByIndex(0, 0);
  EXPECT_FALSE(size.IsValueStored(0));
}

TEST(GeometryValues, RectStreamsByName) {
  ASSERT_EQ(static_cast<TClass>(GetClass("TkvRect")), TkvRect::ClassInfo());
  TkvRect rect;
  SetOrdProp(&rect, GetPropInfo(&rect, "Bottom"), 12);
  EXPECT_EQ(rect.RectRef().Bottom, 12);
}

}  // namespace
