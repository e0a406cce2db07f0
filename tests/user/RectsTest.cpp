// Rectangle subtraction.

#include <gtest/gtest.h>

#include "user/Rects.h"

TEST(Rectangles, SubtractLeavesARectangleOrTheFirstOne) {
  struct Case {
    RECT A, B, Expected;
    BOOL Result;
  };
  const Case kCases[] = {
      {{0, 0, 10, 10}, {0, 0, 10, 4}, {0, 4, 10, 10}, TRUE},    // covers the top strip
      {{0, 0, 10, 10}, {6, -2, 12, 12}, {0, 0, 6, 10}, TRUE},   // covers the right strip
      {{0, 0, 10, 10}, {2, 2, 8, 8}, {0, 0, 10, 10}, TRUE},     // a hole: the first stays
      {{0, 0, 10, 10}, {5, 5, 15, 15}, {0, 0, 10, 10}, TRUE},   // overlap in both directions
      {{0, 0, 10, 10}, {-1, -1, 11, 11}, {0, 0, 0, 0}, FALSE},  // all of it
      {{0, 0, 10, 10}, {20, 0, 30, 10}, {0, 0, 10, 10}, TRUE},  // apart
  };
  for (const auto& c : kCases) {
    RECT out;
    EXPECT_EQ(SubtractRect(&out, &c.A, &c.B), c.Result);
    EXPECT_EQ(out, c.Expected);
  }
}
