#include <gtest/gtest.h>

#include "gdi/Gdi.h"

namespace {

TEST(SysColors, ClassicSchemeAndStockBrushes) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), RGB(0, 0, 128));
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(SYS_COLOR_COUNT), 0u);

  for (int index = 0; index < SYS_COLOR_COUNT; ++index) {
    SCOPED_TRACE(index);
    HBRUSH brush = GetSysColorBrush(index);
    LOGBRUSH record;
    ASSERT_EQ(GetObject(brush, sizeof(record), &record), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(record.lbColor, GetSysColor(index));
    // Deleting a system brush leaves it usable.
    DeleteObject(brush);
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
  }
  EXPECT_EQ(GetSysColorBrush(31), nullptr);
}

TEST(SysMetrics, ClassicMetricsAndParameters) {
  struct MetricCase {
    int index;
    int value;
  };
  const MetricCase kCases[] = {{SM_CXSCREEN, 1280}, {SM_CYSCREEN, 1024}, {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16},
                               {SM_CYCAPTION, 19},  {SM_CYSIZE, 18},     {SM_CXFRAME, 4},    {SM_CXEDGE, 2},
                               {SM_CXSMICON, 16},   {SM_CXDRAG, 4},      {SM_SWAPBUTTON, 0}, {SM_CMONITORS, 1},
                               {SM_CYSMCAPTION, 15}, {SM_CXMENUCHECK, 13}, {SM_CXHSCROLL, 16}, {9999, 0}};
  for (const MetricCase& c : kCases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(GetSystemMetrics(c.index), c.value);
  }

  RECT work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1280, 1024}));
  SetSystemScreenSize(800, 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work, (RECT{0, 0, 800, 600}));
  SetSystemScreenSize(1280, 1024);

  UINT wheelLines = 0;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0));
  EXPECT_EQ(wheelLines, 3u);
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
  EXPECT_EQ(wheelLines, WHEEL_PAGESCROLL);
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);

  NONCLIENTMETRICS metrics;
  metrics.cbSize = 340;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  EXPECT_EQ(metrics.iCaptionHeight, 18);
  EXPECT_EQ(metrics.lfMessageFont.lfHeight, -11);
  EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "Tahoma");
  NONCLIENTMETRICS wrongSize;
  wrongSize.cbSize = 500;
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 500, &wrongSize, 0));

  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);
  BOOL flat = TRUE;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETFLATMENU, 0, &flat, 0));
  EXPECT_FALSE(flat);
  HIGHCONTRAST contrast;
  contrast.cbSize = sizeof(contrast);
  ASSERT_TRUE(SystemParametersInfo(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0));
  EXPECT_EQ(contrast.dwFlags & HCF_HIGHCONTRASTON, 0u);
}

}  // namespace
