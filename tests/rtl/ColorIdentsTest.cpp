#include <gtest/gtest.h>

#include "rtl/ColorIdents.h"
#include "rtl/Exceptions.h"

TEST(ColorIdents, NamesAndValuesConvertBothWays) {
  struct Case {
    TColor color;
    const char* text;
  };
  const Case kCases[] = {
      {clBlack, "clBlack"},
      {clSilver, "clSilver"},  // clLtGray has no name of its own
      {clMedGray, "clMedGray"},
      {clScrollBar, "clScrollBar"},
      {clBtnFace, "clBtnFace"},
      {clInfoBk, "clInfoBk"},
      {clMenuBar, "clMenuBar"},
      {clNone, "clNone"},
      {clDefault, "clDefault"},
      {0x00FF8000, "$00FF8000"},
      {static_cast<TColor>(0x8000001F), "$8000001F"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color);
  }
  EXPECT_EQ(static_cast<uint32_t>(clMenuBar), 0x8000001Eu);
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(StringToColor("CLWINDOW"), clWindow);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}
