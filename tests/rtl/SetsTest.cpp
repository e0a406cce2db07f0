#include "rtl/Sets.h"

#include <gtest/gtest.h>

namespace {
enum TStyleItem { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TStyles = TSet<TStyleItem>;
enum TWideItem { wFirst = 0, wLast = 99 };
}  // namespace

TEST(Sets, OperatorsFollowSetAlgebra) {
  const TStyles a{fsBold, fsItalic};
  const TStyles b{fsItalic, fsUnderline};
  EXPECT_EQ(a + b, (TStyles{fsBold, fsItalic, fsUnderline}));
  EXPECT_EQ(a - b, TStyles{fsBold});
  EXPECT_EQ(a * b, TStyles{fsItalic});
  EXPECT_TRUE(TStyles{fsBold} <= a);
  EXPECT_FALSE(a <= b);
  EXPECT_TRUE(a >= TStyles{});
  EXPECT_TRUE((a * TStyles{fsStrikeOut}).Empty());

  TStyles s;
  s.Include(fsUnderline).Include(fsBold).Exclude(fsBold);
  EXPECT_TRUE(s.Contains(fsUnderline));
  EXPECT_FALSE(s.Contains(fsBold));
  EXPECT_EQ(s.ToBits(), 4u);
  EXPECT_EQ(TStyles::FromBits(0b1010), (TStyles{fsItalic, fsStrikeOut}));
}

TEST(Sets, WideSetsAndOutOfRangeElements) {
  TSet<TWideItem, 100> wide{wFirst, wLast};
  EXPECT_TRUE(wide.Contains(wLast));
  EXPECT_FALSE(wide.Contains(static_cast<TWideItem>(98)));
  // Ordinals past the set's size are never members.
  TSet<TStyleItem, 2> narrow{fsBold, fsUnderline};
  EXPECT_FALSE(narrow.Contains(fsUnderline));
  EXPECT_EQ(narrow.ToBits(), 1u);
  EXPECT_EQ((TSet<TStyleItem, 2>::FromBits(0xFF).ToBits()), 3u);
}
