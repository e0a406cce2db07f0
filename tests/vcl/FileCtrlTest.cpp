#include <gtest/gtest.h>

#include "vcl/FileCtrl.h"

namespace {

TEST(FileCtrl, MinimizeNameDropsLeadingFoldersThenCutsTheName) {
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  TCanvas* canvas = bitmap.GetCanvas();
  const String path = "/home/ann/Videos/Holidays/clip.mp4";
  EXPECT_EQ(MinimizeName(path, canvas, 10000), path);
  const String tail = ".../Holidays/clip.mp4";
  EXPECT_EQ(MinimizeName(path, canvas, canvas->TextWidth(tail)), tail);
  const String cut = MinimizeName(path, canvas, canvas->TextWidth("clip.m..."));
  EXPECT_EQ(cut, "clip.m...");
  // Never a part of a character.
  EXPECT_EQ(MinimizeName("/a/\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", canvas, canvas->TextWidth("\xC3\xA9...")), "\xC3\xA9...");
}

}  // namespace
