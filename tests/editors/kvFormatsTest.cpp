#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../rtl/GermanLocale.h"
#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "toolkit/editors/kvTimeEdit.h"
#include "user/Messages.h"
#include "user/MessageNumbers.h"
#include "vcl/Forms.h"

namespace {

String Items(const TkvDateTimeFormatInfo& info) {
  String text;
  for (const TkvDateTimeFormatItem& item : info.Items) text += std::to_string(item.Kind) + ":" + item.Text + " ";
  return text;
}

TEST(kvFormats, FormatsParseIntoItems) {
  ScopedEnv locale("LC_ALL", "C");
  GetLocaleFormatSettings("", FormatSettings);
  struct Case {
    const char* format;
    const char* items;
  };
  const Case kCases[] = {
      {"M/d/yyyy", "2:M 9: 3:D 9: 1:YYYY "},
      {"h:mm:ss AMPM", "4:12H 10: 5:NN 10: 6:SS 0:  8:AMPM "},
      {"hh:nn", "4:24HH 10: 5:NN "},
      {"H:mm am/pm", "4:12H 10: 5:NN 0:  8:am/pm "},
      {"h a/p", "4:12H 0:  8:a/p "},
      {"d AMPM", "3:D 0:  "},
      {"yyyy yy", "1:YYYY 0:  "},
      {"'at' hh 'o''clock", "0:at  4:24HH 0: oclock "},
      {"dddd zzz", "3:DDDD 0:  7:ZZZ "},
      {"aaaa", "3:DDDD "},
      {"ddddd", "2:M 9: 3:D 9: 1:YYYY "},
      {"t", "4:12H 10: 5:NN 0:  8:AMPM "},
      {"", "2:M 9: 3:D 9: 1:YYYY 0:  4:12H 10: 5:NN 10: 6:SS 0:  8:AMPM "},
      {"\xc3\xa4 d", "0:\xc3\xa4  3:D "},
      {"gg yyyy", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.format);
    TkvDateTimeFormatInfo info;
    BuildFormatInfo(c.format, info);
    EXPECT_EQ(Items(info), c.items);
  }
  TkvDateTimeFormatInfo info;
  BuildFormatInfo("dd.MM.yyyy", info);
  TkvFormatController* controller = TheFormatController();
  EXPECT_EQ(controller->FormatTextWidth(info), 10);
  TkvFormatItemPlace place;
  ASSERT_TRUE(controller->FindFormatItemAt(info, 4, place));
  EXPECT_EQ(place.Kind, kvdfMonth);
  EXPECT_EQ(place.Start, 4);
  EXPECT_EQ(place.Length, 2);
  EXPECT_FALSE(controller->FindFormatItemAt(info, 11, place));
  EXPECT_FALSE(controller->FindFormatItemAt(info, 0, place));
  BuildFormatInfo("h:mm a/p", info);
  ASSERT_TRUE(controller->FindFormatItemAt(info, 7, place));
  EXPECT_EQ(place.Kind, kvdfAmPm);
  EXPECT_EQ(place.AmPmStyle, 0);
  EXPECT_EQ(AmPmStyle("am/PM"), 1);
  EXPECT_EQ(AmPmStyle("AMPM"), 2);
}

class CountingListener : public TObject, public IkvFormatListener, public IkvTimeListener {
 public:
  void FormatChanged() override { ++Formats; }
  void TimeChanged() override { ++Times; }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  int Formats = 0;
  int Times = 0;
};

struct LocaleRows {
  String dateMask, dateTimeMask, hour, separator, display, editFormat;
  Byte startOfWeek;
  String currency, negativeAmount;
};

void ExpectRows(TkvFormatController* c, const LocaleRows& rows) {
  EXPECT_EQ(c->DateStandardMask(), rows.dateMask);
  EXPECT_EQ(c->DateStandardMaskSource(), rows.dateMask);
  EXPECT_EQ(c->DateTimeStandardMask(), rows.dateTimeMask);
  ASSERT_FALSE(c->TimeFormatInfo().Items.empty());
  EXPECT_EQ(c->TimeFormatInfo().Items[0].Text, rows.hour);
  EXPECT_NE(c->DateRegexMask().find("31)" + rows.separator), String::npos) << c->DateRegexMask();
  EXPECT_EQ(c->DateMaskDisplayFormat(), rows.display);
  EXPECT_EQ(c->DateEditFormat(), rows.editFormat);
  EXPECT_EQ(c->StartOfWeek(), rows.startOfWeek);
  EXPECT_EQ(c->CurrencyFormat(), rows.currency);
  EXPECT_EQ(FormatFloat(c->CurrencyFormat(), -1234.5), rows.negativeAmount);
}

TEST(kvFormats, TheControllerFollowsTheLocaleOnIntlSettingChanges) {
  // The time edit's unit listens while it is loaded: without it the test's listener is the only one.
  kvTimeEditEnd();
  struct Restart {
    ~Restart() { kvTimeEditStart(); }
  } restart;
  ScopedEnv classic("LC_ALL", "C");
  GetLocaleFormatSettings("", FormatSettings);
  TkvFormatController* controller = TheFormatController();
  CountingListener listener;
  EXPECT_EQ(controller->WindowHandle(), nullptr);
  controller->AddListener(&listener);
  controller->AddListener(&listener);
  EXPECT_EQ(controller->ListenerCount(), 1);
  HWND window = controller->WindowHandle();
  ASSERT_NE(window, nullptr);
  SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  const LocaleRows kClassic{"!99/99/9999;1; ", "!99/99/9999\\ 99:99:99\\ cc;1; ", "12H", "\\/", "mm/dd/yyyy",
                            "MM/dd/yyyy", 0, "$,0.00;($,0.00)", "($1,234.50)"};
  ExpectRows(controller, kClassic);
  EXPECT_EQ(controller->DateRegexMask(),
            "(((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))\\/"
            "([012]?[1-9]|[123]0|31)\\/\\d\\d\\d\\d)|('today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|"
            "'Wednesday'|'Thursday'|'Friday'|'Saturday'|'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|"
            "'seventh'|'bom'|'eom')((\\+|-)\\d(\\d(\\d\\d?)?)?)?");
  EXPECT_NE(controller->DateTimeRegexMask().find(" ' '((0?[1-9]|1[012])\\:[0-5]?\\d"), String::npos);
  EXPECT_NE(controller->DateTimeRegexMask().find("|'now')(("), String::npos);
  EXPECT_EQ(controller->DateTimeMaskDisplayFormat(), "mm/dd/yyyy' 'hh:nn:ss' 'ampm");
  listener.Formats = 0;
  {
    GermanFormatSettings german;
    if (!german.Available()) {
      controller->RemoveListener(&listener);
      GTEST_SKIP() << "de_DE.UTF-8 is neither installed nor buildable";
    }
    GetLocaleFormatSettings("C", FormatSettings);  // the message, not the test, reads the locale again
    SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("INTL"));
    EXPECT_EQ(listener.Formats, 0);
    EXPECT_EQ(controller->DateEditFormat(), "MM/dd/yyyy");
    Application()->SetUpdateFormatSettings(false);
    SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ(listener.Formats, 0);
    Application()->SetUpdateFormatSettings(true);
    EXPECT_EQ(SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl")), 0);
    EXPECT_EQ(listener.Formats, 1);
    const LocaleRows kGerman{"!99/99/9999;1; ", "!99/99/9999\\ 99:99:99;1; ", "24HH", "\\.", "dd/mm/yyyy",
                             "dd/mm/yyyy", 1, ",0.00 \xe2\x82\xac;-,0.00 \xe2\x82\xac", "-1.234,50 \xe2\x82\xac"};
    ExpectRows(controller, kGerman);
  }
  SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  ExpectRows(controller, kClassic);
  SendMessage(window, WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(listener.Times, 1);
  controller->RemoveListener(&listener);
  EXPECT_EQ(controller->WindowHandle(), nullptr);
  GetLocaleFormatSettings("", FormatSettings);
}

}  // namespace

namespace {

// Locale values that the masks must carry safely: quotes inside names, no currency symbol, an era.
TEST(kvFormats, AwkwardLocaleValues) {
  ScopedEnv classic("LC_ALL", "C");
  GetLocaleFormatSettings("", FormatSettings);
  TkvFormatController* controller = TheFormatController();
  FormatSettings.ShortMonthNames[0] = "J'n";
  FormatSettings.ShortDateFormat = "d mmm yyyy \"o'c\"";
  FormatSettings.CurrencyString = "";
  controller->Reload();
  EXPECT_NE(controller->DateRegexMask().find("('J'\\''n'|'Feb'"), String::npos) << controller->DateRegexMask();
  EXPECT_EQ(controller->DateMaskDisplayFormat(), "dd' 'mmm' 'yyyy' o'\"'\"'c'");
  EXPECT_EQ(FormatDateTime(controller->DateMaskDisplayFormat(), EncodeDate(2024, 3, 5)), "05 Mar 2024 o'c");
  EXPECT_EQ(controller->CurrencyFormat(), ",0.00;(,0.00)");
  EXPECT_EQ(FormatFloat(controller->CurrencyFormat(), 1234.5), "1,234.50");
  FormatSettings.ShortDateFormat = "gg yyyy/M/d";
  controller->Reload();
  EXPECT_EQ(controller->DateStandardMask(), "");
  EXPECT_EQ(controller->DateMaskDisplayFormat(), "");
  GetLocaleFormatSettings("", FormatSettings);
  controller->Reload();
}

}  // namespace
