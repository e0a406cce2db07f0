#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <set>

#include "FakeEngine.h"
#include "FakeHost.h"
#include "core/GlobalFun.h"
#include "gdi/Bitmaps.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/ScopedEnv.h"
#include "tests/rtl/ScratchDir.h"

TEST(TimeText, FormatMilliseconds) {
  const struct {
    bool withMs;
    Int64 ms;
    const char* text;
  } cases[] = {{true, 3723004, "01:02:03.004"}, {false, 3723004, "01:02:03"}, {false, 999, "00:00:00"},
               {true, 0, "00:00:00.000"},       {true, -5, "00:00:00.000"},  {false, -1, "00:00:00"},
               {true, 359999999, "99:59:59.999"}, {true, 360000000, "100:00:00.000"}};
  for (const auto& c : cases) EXPECT_EQ(FormatMilliseconds(c.withMs, c.ms), c.text) << c.ms;
}

TEST(TimeText, FormatTicksRoundsHalvesToEven) {
  const struct {
    Int64 ticks;
    const char* text;
  } cases[] = {{15000, "00:00:00.002"}, {25000, "00:00:00.002"}, {35000, "00:00:00.004"},
               {14999, "00:00:00.001"}, {37230040000, "01:02:03.004"}, {-25000, "00:00:00.000"}};
  for (const auto& c : cases) EXPECT_EQ(FormatTicks(true, c.ticks), c.text) << c.ticks;
}

TEST(TimeText, ParseTimeText) {
  const struct {
    const char* text;
    Integer ms;
  } cases[] = {{"", 0},
               {"00:00:00.000", 0},
               {"01:02:03.004", 3723004},
               {"12:xx:00.000", 43200000},
               {"5", 18000000},
               {"00:00:01.5", 1005},
               {"-1:00:00.000", -3600000},
               {"596:00:00.000", 2145600000},
               {"597:00:00.000", INT_MAX},      // would wrap in 32 bits
               {"-700:00:00.000", INT_MIN},
               {"99999999999:00:00.000", 0}};  // a part that is no 32-bit number counts 0
  for (const auto& c : cases) EXPECT_EQ(ParseTimeText(c.text), c.ms) << c.text;
}

TEST(TimeText, SplitAt) {
  const struct {
    const char* text;
    const char* head;
    const char* rest;
  } cases[] = {{"12:34:56", "12", "34:56"}, {"12", "12", ""}, {":5", "", "5"}, {"", "", ""}};
  for (const auto& c : cases) {
    String text = c.text, head = "old";
    SplitAt(text, ':', head);
    EXPECT_EQ(head, c.head) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
}

TEST(GlobalFun, VersionTextOfTheProgram) {
  char self[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
  EXPECT_EQ(GetFileVersionText(self), "3.0.1.324");
  EXPECT_EQ(GetFileVersionText("/bin/sh"), "");
  EXPECT_EQ(GetFileVersionText(""), "");
}

TEST(GlobalFun, TemporaryNamesAreFreshPrivateFiles) {
  ScratchDir dir;
  ScopedEnv tmp("TMPDIR", dir.Folder());
  std::set<std::string> names;
  for (int i = 0; i < 20; ++i) {
    String name = MakeTempFileName("log");
    EXPECT_EQ(ExtractFilePath(name), dir.Folder());
    EXPECT_EQ(ExtractFileName(name).rfind("log", 0), 0u);
    struct stat info {};
    ASSERT_EQ(lstat(name.c_str(), &info), 0) << "the file is kept so that nobody takes the name";
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 20u);
}

TEST(GlobalFun, MessageBoxesGoThroughTheHost) {
  TFakeEngineScope fake;
  {
    TFakeHost host;
    EXPECT_EQ(ShowInformation("done"), 1);
    ShowError("bad");
    EXPECT_EQ(host.Boxes, (std::vector<std::string>{"Information: done", "Error!: bad"}));
  }
  ShowError("nobody to show it");
  EXPECT_EQ(fake->CallsOf("LogWrite"), (std::vector<std::string>{"LogWrite(Error: nobody to show it)"}));
}

TEST(GlobalFun, BitmapFromPixelsCopiesAtMostTheImage) {
  TFakeHost host;
  TObject bitmap;
  std::vector<Byte> pixels(24);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<Byte>(i + 1);
  const struct {
    Integer length;
    Integer copied;
  } cases[] = {{24, 16}, {16, 16}, {6, 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    ASSERT_TRUE(BitmapFromPixels(&bitmap, pixels.data(), c.length, 2, 2, 32));
    EXPECT_EQ(host.Target, &bitmap);
    std::vector<Byte> bits(16, 0xEE);
    ASSERT_EQ(GetBitmapBits(host.Image, 16, bits.data()), 16);
    for (Integer i = 0; i < 16; ++i) EXPECT_EQ(bits[i], i < c.copied ? pixels[i] : 0) << i;
  }
  HBITMAP before = host.Image;
  EXPECT_FALSE(BitmapFromPixels(nullptr, pixels.data(), 16, 2, 2, 32));
  EXPECT_FALSE(BitmapFromPixels(&bitmap, pixels.data(), 0, 2, 2, 32));
  EXPECT_EQ(host.Image, before);
}
