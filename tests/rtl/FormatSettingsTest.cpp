#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

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

// The German locale, compiled into a scratch folder when the system has not installed it.
class GermanLocale {
 public:
  GermanLocale() {
    TFormatSettings probe;
    GetLocaleFormatSettings("de_DE.UTF-8", probe);
    if (probe.DecimalSeparator == ',') return;
    const String command = "localedef -i de_DE -f UTF-8 " + FScratch.File("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
    FLocPath.emplace("LOCPATH", FScratch.Path());
  }

 private:
  ScratchDir FScratch;
  std::optional<ScopedEnv> FLocPath;
};

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
