// The time edit under two locales set by the test (A: "AM"/"PM"; B: no designators, so the
// 12-hour layout falls back to "AM"/"PM"): steps of the item under the caret, the typing rules of
// digits and designators, the date part kept, the unfocused texts, the 12-hour masks of the locale
// (multi-byte designators included), streaming and the unit.

#include <gtest/gtest.h>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvFormats.h"
#include "toolkit/editors/kvTimeEdit.h"
#include "user/VirtualKeys.h"

namespace {

struct Locale {
  const char* name;
  Char decimal;
  const char* am;
  const char* pm;
};

class TimeEdit : public EditEventsTest, public ::testing::WithParamInterface<Locale> {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    saved = FormatSettings;
    FormatSettings.DecimalSeparator = GetParam().decimal;
    FormatSettings.TimeAMString = GetParam().am;
    FormatSettings.TimePMString = GetParam().pm;
    FormatSettings.TimeSeparator = ':';
    TheFormatController()->Reload();
    RebuildTimeEditMasks();
    form->SetBounds(100, 100, 300, 200);
    edit = new TkvTimeEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 140, 21);
    other = new TkvTimeEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 100, 140, 21);
    Pump();
  }
  void TearDown() override {
    EditEventsTest::TearDown();
    FormatSettings = saved;
    TheFormatController()->Reload();
    RebuildTimeEditMasks();
  }
  TkvTimeEditProperties* Props() { return edit->GetTimeEditProperties(); }
  // Shows Time focused, with the caret at a 0-based character position.
  void Start(TkvTimeEditTimeFormat Format, bool Use24, TDateTime Time, Integer Caret) {
    other->SetFocus();
    Pump();
    Props()->SetTimeFormat(Format);
    Props()->SetUse24HourFormat(Use24);
    edit->SetTime(Time);
    edit->SetFocus();
    Pump();
    edit->PlaceCaretAtChar(Caret);
    Pump();
  }
  String Text() { return edit->TkvCustomTextEdit::GetText(); }

  TFormatSettings saved;
  TkvTimeEdit* edit = nullptr;
  TkvTimeEdit* other = nullptr;
};

TDateTime At(Integer H, Integer M, Integer S) { return (H * 3600 + M * 60 + S) / 86400.0; }

TEST_P(TimeEdit, KeysStepTheItemUnderTheCaret) {
  struct Case {
    const char* name;
    TkvTimeEditTimeFormat format;
    bool use24;
    bool circular;
    TDateTime time;
    Integer caret;
    std::vector<UINT> keys;
    const char* text;
    Integer selStart, selLength;
  };
  const Case cases[] = {
      // The item decides, not the digit: either hour digit steps the hours.
      {"hours up", tfHourMinSec, true, false, At(9, 15, 0), 0, {VK_UP}, "10:15:00", 1, 1},
      {"hours up from the second digit", tfHourMinSec, true, false, At(9, 15, 0), 1, {VK_UP}, "10:15:00", 1, 1},
      {"page up in the minutes", tfHourMinSec, true, false, At(9, 55, 0), 3, {VK_PRIOR}, "10:05:00", 4, 1},
      {"page up in the hours", tfHourMinSec, true, false, At(9, 15, 0), 0, {VK_PRIOR}, "10:15:00", 1, 1},
      {"seconds down", tfHourMinSec, true, false, At(9, 15, 0), 7, {VK_DOWN}, "09:14:59", 7, 1},
      {"past midnight refused", tfHourMinSec, true, false, At(23, 59, 59), 7, {VK_UP}, "23:59:59", 7, 1},
      {"past midnight wrapped", tfHourMinSec, true, true, At(23, 59, 59), 7, {VK_UP}, "00:00:00", 7, 1},
      {"before midnight wrapped", tfHourMinSec, true, true, 0, 7, {VK_DOWN}, "23:59:59", 7, 1},
      {"designator up", tfHourMinSec, false, false, At(11, 30, 0), 9, {VK_UP}, "11:30:00 PM", 9, 2},
      {"designator up twice", tfHourMinSec, false, false, At(11, 30, 0), 9, {VK_UP, VK_UP}, "11:30:00 AM", 9, 2},
      {"designator down", tfHourMin, false, false, At(15, 0, 0), 6, {VK_DOWN}, "03:00 AM", 6, 2},
      {"12-hour hours", tfHour, false, false, At(11, 0, 0), 0, {VK_UP}, "12 PM", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Props()->SetCircular(c.circular);
    Start(c.format, c.use24, c.time, c.caret);
    for (UINT key : c.keys) Key(key);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(edit->CharSelStart(), c.selStart);
    EXPECT_EQ(edit->CharSelLength(), c.selLength);
  }
  Props()->SetCircular(false);
}

TEST_P(TimeEdit, TypedDigitsAreCorrectedIntoRange) {
  struct Case {
    const char* name;
    bool use24;
    TDateTime time;
    Integer caret;
    const char* typed;
    const char* text;
    Integer beeps;
  };
  const Case cases[] = {
      {"7 first", true, At(9, 15, 0), 0, "7", "07:15:00", 0},
      {"2 before 9", true, At(9, 15, 0), 0, "2", "20:15:00", 0},
      {"12-hour 0 first keeps the old first digit", false, At(10, 0, 0), 0, "0", "01:00:00 AM", 0},
      {"minutes 7 then 5", true, At(9, 15, 0), 3, "75", "09:07:50", 0},
      {"second digit out of range", true, At(20, 15, 0), 1, "9", "09:15:00", 0},
      {"12-hour 0 after 0 refused", false, At(1, 0, 0), 0, "00", "01:00:00 AM", 1},
      {"12-hour 1 then 3", false, At(9, 0, 0), 0, "1", "10:00:00 AM", 0},
      {"designator p", false, At(9, 0, 0), 9, "p", "09:00:00 PM", 0},
      {"designator A", false, At(21, 0, 0), 9, "A", "09:00:00 AM", 0},
      {"designator x", false, At(9, 0, 0), 9, "x", "09:00:00 AM", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Props()->SetBeepOnError(true);
    Start(tfHourMinSec, c.use24, c.time, c.caret);
    const int beeps = screen.Beeps();
    Type(c.typed);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(screen.Beeps() - beeps, c.beeps);
  }
  // "13" in 12-hour hours: the first digit becomes 0.
  Start(tfHourMinSec, false, At(10, 0, 0), 1);
  Type("3");
  EXPECT_EQ(Text(), "03:00:00 AM");
}

TEST_P(TimeEdit, TheDatePartIsKeptAndSigned) {
  for (TDateTime day : {3.75, -2.25}) {
    SCOPED_TRACE(day);
    other->SetFocus();
    Pump();
    edit->SetEditValue(VarFromDateTime(day));
    edit->SetFocus();
    Pump();
    EXPECT_EQ(Text(), day > 0 ? "18:00:00" : "06:00:00");
    edit->SelectWholeText();
    edit->PlaceCaretAtChar(0);
    Type(day > 0 ? "06" : "18");
    Key(VK_RETURN);
    EXPECT_DOUBLE_EQ(VarToDateTime(edit->GetEditValueProp()), day > 0 ? 3.25 : -2.75);
  }
  EXPECT_DOUBLE_EQ(edit->GetTime(), 0.75);
  edit->SetTime(0.5);
  EXPECT_DOUBLE_EQ(VarToDateTime(edit->GetEditValueProp()), -2.5);
  EXPECT_EQ(edit->GetValue().AsDouble(), 43200);
}

TEST_P(TimeEdit, UnfocusedTextsAndDisplayConversions) {
  TkvTimeEditProperties* props = Props();
  Variant text;
  props->MakeDisplayValue(VarFromDateTime(3.75), text, false);
  EXPECT_EQ(VarToStr(text), "18:00:00");
  props->SetShowDate(true);
  props->MakeDisplayValue(VarFromDateTime(3.75), text, false);
  EXPECT_EQ(VarToStr(text), DateTimeToStr(3.75, TimeEditFormatSettings()));
  props->SetUseTimeFormatWhenUnfocused(false);
  props->MakeDisplayValue(VarFromDateTime(0.75), text, false);
  EXPECT_EQ(VarToStr(text), TimeToStr(0.75, TimeEditFormatSettings()));
  // The date shows in the editor, unmasked, while it has no focus.
  edit->SetEditValue(VarFromDateTime(3.75));
  Pump();
  EXPECT_EQ(Text(), DateTimeToStr(3.75, TimeEditFormatSettings()));
  props->MakeDisplayValue(Null(), text, true);
  EXPECT_EQ(VarToStr(text), "00:00:00");
  props->MakeDisplayValue(Null(), text, false);
  EXPECT_EQ(VarToStr(text), "");
  EXPECT_THROW(props->MakeDisplayValue(VarArrayCreate(0, 1, varVariant), text, false), EConvertError);
  props->SetUse24HourFormat(false);
  props->MakeDisplayValue(VarFromDateTime(0.75), text, true);
  EXPECT_EQ(VarToStr(text), "06:00:00 PM");
}

TEST_P(TimeEdit, TwelveHourMasksFollowTheLocale) {
  EXPECT_EQ(TimeEditMask(tfHourMinSec, false), "00:00:00 cc;1;0");
  EXPECT_EQ(TimeEditMask(tfHour, false), "00 cc;1;0");
  EXPECT_EQ(TimeEditMask(tfHourMin, true), "00:00;1;0");
  // Designators of several bytes each: one mask character and one text position a character.
  FormatSettings.TimeAMString = "午前";
  FormatSettings.TimePMString = "午後";
  TkvTimeEditFormatListener listener;
  listener.FormatChanged();
  EXPECT_EQ(TimeEditMask(tfHourMinSec, false), "00:00:00 cc;1;0");
  Props()->FormatChanged();
  Start(tfHourMinSec, false, At(11, 30, 0), 9);
  EXPECT_EQ(Text(), "11:30:00 午前");
  Key(VK_UP);
  EXPECT_EQ(Text(), "11:30:00 午後");
  EXPECT_EQ(edit->CharSelStart(), 9);
  EXPECT_EQ(edit->CharSelLength(), 2);
  EXPECT_EQ(edit->GetValue().AsDouble(), 12 * 3600 + 11 * 3600 + 30 * 60);
  // A longer pair: the mask grows with it.
  FormatSettings.TimeAMString = "a.m.";
  FormatSettings.TimePMString = "p.m.";
  listener.FormatChanged();
  EXPECT_EQ(TimeEditMask(tfHourMin, false), "00:00 cccc;1;0");
}

INSTANTIATE_TEST_SUITE_P(Locales, TimeEdit,
                         ::testing::Values(Locale{"A", '.', "AM", "PM"}, Locale{"B", ',', "", ""}),
                         [](const auto& Info) { return String(Info.param.name); });

TEST(TimeEditForms, PropertiesStreamAndReadBack) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvTimeEdit(root);
  edit->SetName("Start");
  edit->SetParent(root);
  TkvTimeEditProperties* props = edit->GetTimeEditProperties();
  props->SetTimeFormat(tfHourMin);
  props->SetUse24HourFormat(false);
  props->SetCircular(true);
  props->SetShowDate(true);
  edit->SetEditValue(VarFromDateTime(2.5));
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvTimeEdit*>(copy->FindComponent("Start"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetTimeEditProperties()->GetTimeFormat(), tfHourMin);
  EXPECT_FALSE(read->GetTimeEditProperties()->GetUse24HourFormat());
  EXPECT_TRUE(read->GetTimeEditProperties()->GetCircular());
  EXPECT_DOUBLE_EQ(VarToDateTime(read->GetEditValueProp()), 2.5);
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST(TimeEditUnit, StartEndAndStartAgainRegistersOnceAndKeepsOneListener) {
  const Integer listeners = TheFormatController()->ListenerCount();
  kvTimeEditEnd();
  EXPECT_EQ(GetClass("TkvTimeEdit"), nullptr);
  EXPECT_EQ(TheFormatController()->ListenerCount(), listeners - 1);
  kvTimeEditStart();
  kvTimeEditStart();
  kvTimeEditEnd();
  EXPECT_EQ(TheFormatController()->ListenerCount(), listeners);
  EXPECT_NE(GetClass("TkvTimeEdit"), nullptr);
  auto* helper = FilterEditHelperOf<TkvFilterTimeEditHelper>();
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvTimeEditProperties::ClassInfo()), helper);
  const Integer index = EditPropertiesRegistry()->IndexOfClass(TkvTimeEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index), "TimeEdit|Represents an editor displaying time values");
  EXPECT_EQ(helper->FilterEditorClass(), TkvTimeEdit::ClassInfo());
}

}  // namespace
