#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "GermanLocale.h"
#include "ScopedEnv.h"
#include "ScratchDir.h"

TEST(FormatSettings, ClassicLocaleGivesTheEnglishDefaults) {
  for (const char* name : {"C", "POSIX", "C.UTF-8", "no_SUCH.locale"}) {
    SCOPED_TRACE(name);
    TFormatSettings fs;
    fs.DecimalSeparator = 'x';
    GetLocaleFormatSettings(name, fs);
    EXPECT_EQ(fs.DecimalSeparator, '.');
    EXPECT_EQ(fs.ThousandSeparator, ',');
    EXPECT_EQ(fs.DateSeparator, '/');
    EXPECT_EQ(fs.TimeSeparator, ':');
    EXPECT_EQ(fs.ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(fs.LongTimeFormat, "h:mm:ss AMPM");
    EXPECT_EQ(fs.TimeAMString, "AM");
    EXPECT_EQ(fs.TimePMString, "PM");
    EXPECT_EQ(fs.CurrencyString, "$");
    EXPECT_EQ(fs.LongMonthNames[11], "December");
    EXPECT_EQ(fs.ShortDayNames[0], "Sun");
    EXPECT_EQ(fs.TwoDigitYearCenturyWindow, 50);
  }
}

TEST(FormatSettings, ReadsAnInstalledLocale) {
  GermanLocale german;
  TFormatSettings fs;
  GetLocaleFormatSettings("de_DE.UTF-8", fs);
  if (fs.DecimalSeparator == '.') GTEST_SKIP() << "de_DE.UTF-8 is neither installed nor buildable";
  EXPECT_EQ(fs.DecimalSeparator, ',');
  EXPECT_EQ(fs.ThousandSeparator, '.');
  EXPECT_EQ(fs.ListSeparator, ';');
  EXPECT_EQ(fs.DateSeparator, '.');
  EXPECT_EQ(fs.ShortDateFormat, "dd/mm/yyyy");
  EXPECT_EQ(fs.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(fs.LongMonthNames[2], "März");
  EXPECT_EQ(fs.LongDayNames[1], "Montag");
  EXPECT_EQ(fs.CurrencyString, "€");
  EXPECT_EQ(fs.CurrencyFormat, 3);  // "1 €"
  EXPECT_EQ(fs.NegCurrFormat, 8);   // "-1 €"
  EXPECT_EQ(fs.TimeAMString, "");
}
