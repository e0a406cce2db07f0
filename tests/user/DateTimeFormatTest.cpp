#include <gtest/gtest.h>

#include "../rtl/GermanLocale.h"
#include "user/DateTimeFormat.h"

namespace {

String DateText(const SYSTEMTIME& t, const char* format, DWORD flags = 0) {
  char buffer[100];
  return GetDateFormat(LOCALE_USER_DEFAULT, flags, &t, format, buffer, sizeof buffer) ? buffer : "(failed)";
}

String TimeText(const SYSTEMTIME& t, const char* format) {
  char buffer[100];
  return GetTimeFormat(LOCALE_USER_DEFAULT, 0, &t, format, buffer, sizeof buffer) ? buffer : "(failed)";
}

TEST(DateTimeFormat, PicturesOfEitherFormInTheClassicLocale) {
  SYSTEMTIME t = DateTimeToSystemTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 5, 9, 0));
  struct Case {
    bool date;
    const char* format;
    const char* text;
  };
  const Case kCases[] = {
      {true, nullptr, "3/5/2024"},
      {true, "dd.MM.yyyy", "05.03.2024"},
      {true, "dd/mm/yy", "05/03/24"},
      {true, "dddd, MMMM d, yyyy", "Tuesday, March 5, 2024"},
      {true, "ddd d MMM", "Tue 5 Mar"},
      {true, "'Day' d 'o''clock'", "Day 5 o'clock"},
      {false, nullptr, "2:05:09 PM"},
      {false, "HH:mm:ss", "14:05:09"},
      {false, "hh:mm tt", "02:05 PM"},
      {false, "hh:nn:ss", "14:05:09"},
      {false, "h:m:s t", "2:5:9 P"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.format ? c.format : "(locale)");
    EXPECT_EQ(c.date ? DateText(t, c.format) : TimeText(t, c.format), c.text);
  }
  EXPECT_EQ(DateText(t, nullptr, DATE_LONGDATE), "Tuesday, March 5, 2024");
  EXPECT_EQ(GetDateFormat(0, 0, &t, "yyyy", nullptr, 0), 5);
  char small[4];
  EXPECT_EQ(GetDateFormat(0, 0, &t, "yyyy", small, sizeof small), 0);
  SYSTEMTIME bad = t;
  bad.wDay = 30;
  bad.wMonth = 2;
  EXPECT_EQ(GetDateFormat(0, 0, &bad, nullptr, nullptr, 0), 0);
  bad = t;
  bad.wHour = 24;
  EXPECT_EQ(GetTimeFormat(0, 0, &bad, nullptr, nullptr, 0), 0);
  SetWallClock([] { return EncodeDate(2001, 2, 3); });
  EXPECT_EQ(GetDateFormat(0, 0, nullptr, "yyyy-MM-dd", small, 0), 11);
  char now[16];
  GetDateFormat(0, 0, nullptr, "yyyy-MM-dd", now, sizeof now);
  EXPECT_STREQ(now, "2001-02-03");
  SetWallClock(nullptr);
}

TEST(DateTimeFormat, TheGermanLocalesOwnPictures) {
  GermanFormatSettings german;
  if (!german.Available()) GTEST_SKIP() << "de_DE.UTF-8 is neither installed nor buildable";
  SYSTEMTIME t = DateTimeToSystemTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 5, 9, 0));
  char buffer[32];
  GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "dd/mm/yyyy");
  EXPECT_EQ(DateText(t, nullptr), "05.03.2024");
  EXPECT_EQ(TimeText(t, nullptr), "14:05:09");
  EXPECT_EQ(DateText(t, "d. MMMM yyyy"), "5. M\xc3\xa4rz 2024");
}

}  // namespace
