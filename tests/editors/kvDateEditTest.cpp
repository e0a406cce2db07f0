// The date edit under two locales set by the test (A: "M/d/yyyy", 12-hour "AM"/"PM", weeks from
// Sunday; B: "dd.MM.yyyy", 24-hour without designators, weeks from Monday with the four-day rule):
// the bounds in force, what a typed text becomes by DateOnError and OnValidate, the time of day
// kept by SaveTime, no date, the input kind of a calendar without masks, the drop-down driven by
// keys and the mouse, the designator typed in a date-and-time mask, streaming and the unit.

#include <cmath>

#include <gtest/gtest.h>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvFormats.h"
#include "user/LocaleInfo.h"
#include "user/VirtualKeys.h"

namespace {

struct DateLocale {
  const char* name;
  const char* dateFormat;
  Char dateSeparator;
  const char* timeFormat;
  const char* am;
  const char* pm;
  int firstDayFromMonday;
  int firstWeek;
};

const DateLocale kLocaleA{"A", "M/d/yyyy", '/', "h:mm:ss AMPM", "AM", "PM", 6, 0};
const DateLocale kLocaleB{"B", "dd.MM.yyyy", '.', "HH:mm:ss", "", "", 0, 2};

TDateTime Day(Word Y, Word M, Word D) { return EncodeDate(Y, M, D); }
const TDateTime kToday = Day(2024, 2, 14);

class DateEdit : public EditEventsTest, public ::testing::WithParamInterface<DateLocale> {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    saved = FormatSettings;
    const DateLocale& l = GetParam();
    FormatSettings.ShortDateFormat = l.dateFormat;
    FormatSettings.DateSeparator = l.dateSeparator;
    FormatSettings.LongTimeFormat = l.timeFormat;
    FormatSettings.TimeSeparator = ':';
    FormatSettings.TimeAMString = l.am;
    FormatSettings.TimePMString = l.pm;
    OverrideLocaleWeekRules(l.firstDayFromMonday, l.firstWeek);
    TheFormatController()->Reload();
    RebuildTimeEditMasks();
    SetWallClock([] { return kToday + 0.5; });
    form->SetBounds(100, 100, 400, 320);
    edit = new TkvDateEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 200, 21);
    other = new TkvTextEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 270, 200, 21);
    Pump();
  }
  void TearDown() override {
    EditEventsTest::TearDown();
    SetWallClock(nullptr);
    FormatSettings = saved;
    OverrideLocaleWeekRules(-1, -1);
    TheFormatController()->Reload();
    RebuildTimeEditMasks();
  }
  bool IsA() const { return GetParam().dateSeparator == '/'; }
  TkvDateEditProperties* Props() { return edit->GetDateEditProperties(); }
  String Text() { return edit->TkvCustomTextEdit::GetText(); }
  // A date as the locale writes it.
  String DateText(Word Y, Word M, Word D) {
    return IsA() ? IntToStr(M) + "/" + IntToStr(D) + "/" + IntToStr(Y)
                 : (D < 10 ? "0" : "") + IntToStr(D) + "." + (M < 10 ? "0" : "") + IntToStr(M) + "." + IntToStr(Y);
  }
  void Leave() {
    other->SetFocus();
    Pump();
  }
  void Retype(const String& Text) {
    edit->SetFocus();
    Pump();
    edit->SelectWholeText();
    Key(VK_DELETE);
    Type(Text);
  }
  void Open() {
    edit->SetFocus();
    Pump();
    Key(VK_F4);
    Pump();
  }
  POINT DayPoint(TDateTime Value) {
    TkvPopupCalendar* calendar = edit->GetCalendar();
    const TRect grid = calendar->GetGridRect();
    const Integer index = static_cast<Integer>(Value - calendar->FirstGridDate());
    const TkvCalendarMetrics& m = calendar->GetMetrics();
    const TPoint p = calendar->ClientToScreen(TPoint(grid.Left + (index % 7) * m.ColumnWidth + m.ColumnWidth / 2,
                                                     grid.Top + (index / 7) * m.RowHeight + m.RowHeight / 2));
    return POINT{p.X, p.Y};
  }
  Variant Value() { return edit->GetEditValueProp(); }

  TFormatSettings saved;
  TkvDateEdit* edit = nullptr;
  TkvTextEdit* other = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Locales, DateEdit, ::testing::Values(kLocaleA, kLocaleB),
                         [](const auto& Info) { return String(Info.param.name); });

TEST_P(DateEdit, ABoundOfZeroIsNoBoundAndCrossedBoundsAreNone) {
  struct Case {
    TDateTime min, max;
    bool lower, upper;
  };
  const Case cases[] = {
      {0, 0, false, false},
      {0, Day(2024, 3, 1), false, true},
      {Day(2024, 1, 1), 0, true, false},
      {Day(2024, 1, 1), Day(2024, 3, 1), true, true},
      {Day(2024, 3, 1), Day(2024, 1, 1), false, false},
  };
  for (const Case& c : cases) {
    Props()->SetMinDate(c.min);
    Props()->SetMaxDate(c.max);
    EXPECT_EQ(Props()->IsBoundDefined(0), c.lower);
    EXPECT_EQ(Props()->IsBoundDefined(1), c.upper);
  }
  // A date beyond the maximum in force is refused and the text comes back.
  Props()->SetMinDate(0);
  Props()->SetMaxDate(Day(2024, 3, 1));
  edit->SetDate(Day(2024, 2, 1));
  std::vector<String> errors;
  struct Catcher : TObject {
    std::vector<String>* errors;
    void Caught(TObject*, Exception* E) { errors->push_back(E->Message()); }
  } catcher;
  catcher.errors = &errors;
  Application()->SetOnException(MakeEvent<&Catcher::Caught>(&catcher));
  Retype(DateText(2024, 4, 1));
  Key(VK_RETURN);
  Application()->SetOnException(TExceptionEvent());
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(edit->GetDate(), Day(2024, 2, 1));
}

struct ValidateLog : TObject {
  String replacement;
  bool settle = false;
  Integer calls = 0;
  void Validate(TObject*, Variant& DisplayValue, String&, bool& Error) {
    ++calls;
    if (!settle) return;
    DisplayValue = replacement;
    Error = false;
  }
};

TEST_P(DateEdit, AnUnreadableTextIsSettledByOnValidateOrDateOnError) {
  struct Case {
    TDateOnError onError;
    bool handler;
    bool settles;
    TDateTime expected;  // kvNullDate: Null
    bool error;
  };
  const TDateTime before = Day(2024, 1, 5);
  const TDateTime replaced = Day(2024, 7, 4);
  const Case cases[] = {
      {deNoChange, false, false, before, true},  {deToday, false, false, kToday, false},
      {deNull, false, false, kvNullDate, false}, {deNull, true, false, before, true},
      {deToday, true, true, replaced, false},
  };
  ValidateLog log;
  log.replacement = DateText(2024, 7, 4);
  // Free text: the masks would not let the text be typed.
  Props()->SetInputKind(ikStandard);
  std::vector<String> errors;
  struct Catcher : TObject {
    std::vector<String>* errors;
    void Caught(TObject*, Exception* E) { errors->push_back(E->Message()); }
  } catcher;
  catcher.errors = &errors;
  Application()->SetOnException(MakeEvent<&Catcher::Caught>(&catcher));
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    Leave();
    Props()->SetDateOnError(c.onError);
    Props()->SetOnValidate(c.handler ? MakeEvent<&ValidateLog::Validate>(&log) : TkvEditValidateEvent());
    log.settle = c.settles;
    edit->SetDate(before);
    Retype(IsA() ? "13/45/2024" : "45.13.2024");
    errors.clear();
    Key(VK_RETURN);
    ASSERT_EQ(errors.size(), c.error ? 1u : 0u);
    EXPECT_EQ(edit->GetDate(), c.expected);
    if (c.error) {
      EXPECT_EQ(errors[0], "Invalid Date");
      // The text that failed is left for the user to mend.
      EXPECT_EQ(Text(), IsA() ? "13/45/2024" : "45.13.2024");
    }
    Key(VK_ESCAPE);
  }
  Leave();
  Application()->SetOnException(TExceptionEvent());
}

TEST_P(DateEdit, TheTimeOfDayIsKeptWhenAnotherDayIsPicked) {
  // 12:30 on one day; another day picked in the calendar keeps it, unless SaveTime is off.
  for (bool saveTime : {true, false}) {
    SCOPED_TRACE(saveTime);
    Leave();
    Props()->SetSaveTime(saveTime);
    edit->SetEditValue(VarFromDateTime(Day(2024, 2, 10) + 0.5 + 1 / 48.0));
    Open();
    ASSERT_TRUE(edit->GetDroppedDown());
    ScriptClick(DayPoint(Day(2024, 2, 20)));
    Pump();
    EXPECT_FALSE(edit->GetDroppedDown());
    Key(VK_RETURN);
    EXPECT_DOUBLE_EQ(edit->GetDate(), Day(2024, 2, 20) + (saveTime ? 0.5 + 1 / 48.0 : 0));
  }
}

TEST_P(DateEdit, TheDropDownOpensClosesAndPicksByKeys) {
  edit->SetDate(Day(2024, 2, 10));
  // F4 opens, Right and Enter pick the next day.
  Open();
  ASSERT_TRUE(edit->GetDroppedDown());
  EXPECT_EQ(edit->GetCalendar()->GetSelectedDate(), Day(2024, 2, 10));
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(Text(), DateText(2024, 2, 11));
  Key(VK_RETURN);
  EXPECT_EQ(edit->GetDate(), Day(2024, 2, 11));
  // Alt+Down opens, Page Down and Esc leave the date alone; Alt+Up closes as F4 does.
  Key(VK_DOWN, kAlt);
  ASSERT_TRUE(edit->GetDroppedDown());
  Key(VK_NEXT);
  Key(VK_ESCAPE);
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(Text(), DateText(2024, 2, 11));
  Key(VK_F4);
  ASSERT_TRUE(edit->GetDroppedDown());
  Key(VK_UP, kAlt);
  EXPECT_FALSE(edit->GetDroppedDown());
  // Tab takes the calendar's day only with PostPopupValueOnTab, and moves on.
  for (bool post : {false, true}) {
    SCOPED_TRACE(post);
    edit->SetFocus();
    Pump();
    Props()->SetPostPopupValueOnTab(post);
    Key(VK_F4);
    Key(VK_LEFT);
    Key(VK_TAB);
    EXPECT_FALSE(edit->GetDroppedDown());
    EXPECT_EQ(edit->GetDate(), post ? Day(2024, 2, 10) : Day(2024, 2, 11));
  }
}

TEST_P(DateEdit, ClearGivesNoDateAndTodayKeepsTheTimeOfDay) {
  edit->SetEditValue(VarFromDateTime(Day(2024, 2, 10) + 0.75));
  Open();
  edit->GetCalendar()->ClickButton(0);
  Pump();
  Key(VK_RETURN);
  EXPECT_TRUE(VarIsNull(Value()));
  EXPECT_EQ(Text(), "");
  edit->SetEditValue(VarFromDateTime(Day(2024, 2, 10) + 0.75));
  Open();
  edit->GetCalendar()->ClickButton(2);
  Pump();
  Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(edit->GetDate(), kToday + 0.75);
}

struct ChangeCount : TObject {
  Integer count = 0;
  void Changed(TObject*) { ++count; }
};

TEST_P(DateEdit, AnEmptiedTextIsNoDate) {
  // Also with a time of day kept for SaveTime: no date is Null, never a time on day 0; the change
  // from a date is reported once.
  ChangeCount changes;
  Props()->SetOnEditValueChanged(MakeEvent<&ChangeCount::Changed>(&changes));
  for (TkvInputKind kind : {ikStandard, ikMask, ikRegExpr}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Leave();
    Props()->SetInputKind(kind);
    edit->SetEditValue(VarFromDateTime(Day(2024, 2, 10) + 0.5));
    Retype("");
    changes.count = 0;
    Key(VK_RETURN);
    EXPECT_TRUE(VarIsNull(Value()));
    EXPECT_EQ(edit->GetSavedTime(), 0);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(Text(), Props()->EmptyText(true));
  }
}

TEST_P(DateEdit, AMaskedEditShowsItsMaskOnlyWhileFocused) {
  for (TkvCalendarKind kind : {ckDate, ckDateTime}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Leave();
    Props()->SetKind(kind);
    Props()->SetInputKind(ikMask);
    edit->SetDate(kvNullDate);
    EXPECT_EQ(Text(), "");
    edit->SetFocus();
    Pump();
    EXPECT_EQ(Text(), Props()->EmptyText(true));
    EXPECT_NE(Text(), "");
    Leave();
    EXPECT_EQ(Text(), "");
    // A date shows as the locale writes it, before and after it was edited under the mask.
    const Variant value = VarFromDateTime(Day(2024, 2, 10) + 0.75);
    edit->SetEditValue(value);
    EXPECT_EQ(Text(), Props()->DateText(value, false));
    edit->SetFocus();
    Pump();
    EXPECT_EQ(Text(), Props()->DateText(value, true));
    Leave();
    EXPECT_EQ(Text(), Props()->DateText(value, false));
    EXPECT_DOUBLE_EQ(edit->GetDate(), Day(2024, 2, 10) + 0.75);
  }
}

TEST_P(DateEdit, ADateOutsideNewBoundsBecomesTheBoundItCrossed) {
  edit->SetDate(Day(2024, 2, 20));
  Props()->SetMaxDate(Day(2024, 2, 15));
  EXPECT_EQ(edit->GetDate(), Day(2024, 2, 15));
  EXPECT_FALSE(edit->GetUserEdited());
  Props()->SetMaxDate(0);
  Props()->SetMinDate(Day(2024, 3, 1));
  EXPECT_EQ(edit->GetDate(), Day(2024, 3, 1));
  // Crossed bounds are none: nothing moves; no date stays none.
  Props()->SetMaxDate(Day(2024, 1, 1));
  EXPECT_EQ(edit->GetDate(), Day(2024, 3, 1));
  edit->SetDate(kvNullDate);
  Props()->SetMaxDate(0);
  EXPECT_TRUE(VarIsNull(Value()));
  // A date the user typed is pulled in as the user's own change.
  Retype(DateText(2024, 2, 2));
  Props()->SetMinDate(Day(2024, 2, 5));
  EXPECT_EQ(edit->GetDate(), Day(2024, 2, 5));
  EXPECT_TRUE(edit->GetUserEdited());
}

TEST_P(DateEdit, PickingTheSameDateChangesNothing) {
  struct Counter : TObject {
    Integer changes = 0;
    void Changed(TObject*) { ++changes; }
  } counter;
  edit->SetDate(Day(2024, 2, 10));
  Props()->SetOnChange(MakeEvent<&Counter::Changed>(&counter));
  Open();
  Key(VK_RETURN);
  EXPECT_EQ(counter.changes, 0);
  EXPECT_FALSE(edit->GetValueModified());
  Open();
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_EQ(counter.changes, 1);
}

TEST_P(DateEdit, TheDesignatorOfADateAndTimeMaskTypesAsInTheTimeEdit) {
  if (!IsA()) GTEST_SKIP() << "a 24-hour locale has no designator";
  Props()->SetKind(ckDateTime);
  EXPECT_EQ(Props()->GetInputKind(), ikMask);
  EXPECT_TRUE(Props()->GetDateButtons() == (TDateButtons{btnClear, btnNow}));
  edit->SetEditValue(VarFromDateTime(Day(2024, 2, 10) + 0.375));
  edit->SetFocus();
  Pump();
  const String text = Text();
  const Integer designator = static_cast<Integer>(text.size()) - 2;
  EXPECT_EQ(text.substr(static_cast<size_t>(designator)), "AM");
  edit->PlaceCaretAtChar(designator);
  Type("p");
  EXPECT_EQ(Text().substr(static_cast<size_t>(designator)), "PM");
  edit->PlaceCaretAtChar(designator);
  Type("x");
  EXPECT_EQ(Text().substr(static_cast<size_t>(designator)), "PM");
  Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(edit->GetDate(), Day(2024, 2, 10) + 0.875);
}

TEST_P(DateEdit, ACalendarWithoutMasksReadsStandardInput) {
  Props()->SetInputKind(ikMask);
  EXPECT_EQ(Props()->GetInputKind(), ikMask);
  OverrideLocaleCalendarType(CAL_JAPAN);
  EXPECT_EQ(Props()->GetInputKind(), ikStandard);
  EXPECT_TRUE(Props()->IsInputKindStored());
  OverrideLocaleCalendarType(0);
  EXPECT_EQ(Props()->GetInputKind(), ikMask);
}

TEST_P(DateEdit, ValuesThatAreNoDateNeverBreakTheEditor) {
  // A value that is no date cannot be shown: the conversion says so.
  Variant shown;
  EXPECT_THROW(Props()->MakeDisplayValue(Variant(true), shown, false), EConvertError);
  EXPECT_FALSE(Props()->AcceptsEditValue(Variant("no date")));
  EXPECT_TRUE(Props()->AcceptsEditValue(Variant(DateText(2024, 2, 10))));
  // Given one, the editor says so and holds no date: it shows, focuses and takes a date again.
  for (const Variant& bad : {Variant("no date at all"), Variant(true)}) {
    edit->SetDate(Day(2024, 2, 10));
    EXPECT_THROW(edit->SetEditValue(bad), EConvertError);
    EXPECT_TRUE(VarIsNull(Value()));
    EXPECT_EQ(Text(), "");
    edit->SetFocus();
    Pump();
    Leave();
    edit->SetDate(Day(2024, 2, 11));
    EXPECT_EQ(edit->GetDate(), Day(2024, 2, 11));
  }
  // A stored text that is no date stops the reading with that error; the editor read holds none.
  const String form = String("object edit: TkvDateEdit\n  EditValue = 'no date at all'\nend\n");
  TkvDateEdit copy(nullptr);
  EXPECT_THROW(ReadComponentFromText(form, &copy), Exception);
  EXPECT_TRUE(VarIsNull(copy.GetEditValueProp()));
  EXPECT_EQ(copy.GetDate(), kvNullDate);
}

TEST_P(DateEdit, StoresAssignedSettingsAndTheUnitRegistersIt) {
  Props()->SetKind(ckDateTime);
  Props()->SetMinDate(Day(2020, 1, 1));
  Props()->SetInputKind(ikRegExpr);
  edit->SetDate(Day(2024, 2, 10) + 0.25);
  EXPECT_TRUE(Props()->IsInputKindStored());
  EXPECT_FALSE(Props()->IsDateButtonsStored());
  EXPECT_TRUE(Props()->GetDateButtons() == (TDateButtons{btnClear, btnNow}));
  EXPECT_NE(FindClass("TkvDateEdit"), nullptr);
  const Integer index = EditPropertiesRegistry()->IndexOfClass(TkvDateEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index), "DateEdit|Represents an edit control with a dropdown calendar");
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvDateEditProperties::ClassInfo());
  ASSERT_TRUE(helper);
  EXPECT_EQ(helper->FilterOperatorSet(nullptr, false).to_ulong(), 0x067Eu);
}

}  // namespace
