#include "rtl/Resources.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

String ResourceText(LPCSTR name, LPCSTR type) {
  HRSRC info = FindResource(HInstance, name, type);
  if (info == nullptr) return "<missing>";
  HGLOBAL data = LoadResource(HInstance, info);
  return String(static_cast<const char*>(LockResource(data)), SizeofResource(HInstance, info));
}

TEST(Resources, FindByNameOrNumberIgnoringCase) {
  struct Case {
    LPCSTR name;
    LPCSTR type;
    const char* text;
  };
  const Case kCases[] = {
      {"greeting", RT_RCDATA, "Hello from a resource"},
      {"GREETING", RT_RCDATA, "Hello from a resource"},
      {"tool bar", "PNG", "Hello from a resource"},
      {"Tool Bar", "png", "Hello from a resource"},
      {MAKEINTRESOURCE(77), MAKEINTRESOURCE(1234), "Hello from a resource"},
      {"Indicator", RT_BITMAP, "DIB-BYTES"},  // the bitmap file header is not kept
      {"Greeting", "RCDATA", "<missing>"},    // a numeric type is not its keyword
      {"Greeting", RT_BITMAP, "<missing>"},
      {"101", "XML", "<missing>"},            // a number is not the text of its digits
      {MAKEINTRESOURCE(102), "XML", "<missing>"},
      {"Nothing", "XML", "<missing>"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(IS_INTRESOURCE(c.name) ? std::to_string(reinterpret_cast<uintptr_t>(c.name)) : c.name);
    EXPECT_EQ(ResourceText(c.name, c.type), c.text);
  }
}

TEST(Resources, DataIsWholeAndZeroTerminated) {
  HRSRC info = FindResource(nullptr, MAKEINTRESOURCE(101), "xml");
  ASSERT_NE(info, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
  EXPECT_EQ(SizeofResource(nullptr, info), std::strlen(text));
  EXPECT_EQ(String(text).substr(0, 5), "<?xml");
  EXPECT_NE(String(text).find("\r\n\t<Format"), String::npos);
}

TEST(Resources, ForeignModuleFindsNothing) {
  EXPECT_NE(HInstance, nullptr);
  EXPECT_EQ(MainInstance, HInstance);
  EXPECT_EQ(FindResource(reinterpret_cast<HMODULE>(&ResourceText), "Greeting", RT_RCDATA), nullptr);
  EXPECT_EQ(FindResource(HInstance, nullptr, RT_RCDATA), nullptr);
}

TEST(Resources, StringTable) {
  EXPECT_EQ(LoadStr(1), "First");
  EXPECT_EQ(LoadStr(17), "Second \"quoted\"\tand tabbed");
  EXPECT_EQ(LoadStr(64709), "Incorrect number of points in tab shape");
  EXPECT_EQ(LoadStr(64710), "Größe");
  EXPECT_EQ(LoadStr(2), "");      // in a block that exists
  EXPECT_EQ(LoadStr(40000), "");  // in a block that does not
  EXPECT_EQ(LoadStr(-1), "");
}

TEST(Resources, LoadStringTruncatesOnCharacterBoundary) {
  char buffer[5];
  // "Größe" is G r (2 bytes) (2 bytes) e: four bytes of room end before the second two-byte char.
  EXPECT_EQ(LoadString(HInstance, 64710, buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "Grö");
  EXPECT_EQ(LoadString(HInstance, 1, buffer, 1), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(LoadString(HInstance, 1, buffer, 0), 0);
}

TEST(Resources, ModuleVersion) {
  TModuleVersion version = GetModuleVersion();
  EXPECT_EQ(version, (TModuleVersion{3, 0, 1, 324}));
}

}  // namespace
