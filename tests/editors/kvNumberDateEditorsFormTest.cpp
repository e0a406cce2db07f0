// A form of the test binary with spin edits of both value types in each button position, time edits
// of both hour layouts and date edits of both kinds: read from its resource, driven by keys and the
// mouse, written and read back equal; and pictures of it in each look, with buttons hot and pressed
// and the date edits dropped down, for a person to look at (saved under $TAVREN_TEST_OUTPUT).

#include <sys/stat.h>

#include <cstdlib>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvSpinEdit.h"
#include "toolkit/editors/kvTimeEdit.h"
#include "user/VirtualKeys.h"

class TNumberDateEditorsForm : public TForm {
  TAVREN_CLASS(TNumberDateEditorsForm, TForm)
 public:
  using TForm::TForm;
  TkvSpinEdit* seCount = nullptr;
  TkvSpinEdit* seStep = nullptr;
  TkvSpinEdit* seOffset = nullptr;
  TkvSpinEdit* seRate = nullptr;
  TkvSpinEdit* seGain = nullptr;
  TkvSpinEdit* seLocked = nullptr;
  TkvTimeEdit* teStart = nullptr;
  TkvTimeEdit* teAlarm = nullptr;
  TkvDateEdit* deDay = nullptr;
  TkvDateEdit* deStamp = nullptr;
};
TAVREN_CLASS_IMPL_PUBLISHED(TNumberDateEditorsForm, FIELD(seCount), FIELD(seStep), FIELD(seOffset), FIELD(seRate),
                            FIELD(seGain), FIELD(seLocked), FIELD(teStart), FIELD(teAlarm), FIELD(deDay),
                            FIELD(deStamp))

namespace {

class NumberDateEditorsForm : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    SetWallClock([] { return kToday + 0.4; });
    RegisterClass(TNumberDateEditorsForm::ClassInfo());
    loaded = new TNumberDateEditorsForm(nullptr);
    loaded->AfterConstruction();
    loaded->Show();
    Pump();
  }
  void TearDown() override {
    delete loaded;
    EditEventsTest::TearDown();
    SetWallClock(nullptr);
  }
  POINT ButtonPoint(TkvCustomEdit* Edit, Integer Number) {
    for (auto& button : Edit->GetEditViewInfo()->Buttons)
      if (button->Index == Number) {
        const TRect& r = button->Bounds;
        const TPoint p = Edit->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        return POINT{p.X, p.Y};
      }
    ADD_FAILURE() << "no button " << Number;
    return POINT{0, 0};
  }
  // The centre of a day's cell in a dropped-down date edit's calendar.
  POINT DayPoint(TkvDateEdit* Edit, TDateTime Value) {
    TkvPopupCalendar* calendar = Edit->GetCalendar();
    const TRect grid = calendar->GetGridRect();
    const Integer index = static_cast<Integer>(Value - calendar->FirstGridDate());
    const TkvCalendarMetrics& m = calendar->GetMetrics();
    const TPoint p = calendar->ClientToScreen(TPoint(grid.Left + (index % 7) * m.ColumnWidth + m.ColumnWidth / 2,
                                                     grid.Top + (index / 7) * m.RowHeight + m.RowHeight / 2));
    return POINT{p.X, p.Y};
  }
  static constexpr TDateTime kToday = 45336;  // 14 February 2024
  TNumberDateEditorsForm* loaded = nullptr;
};

TEST_F(NumberDateEditorsForm, ReadsDrivesWritesAndReadsBackItsEditors) {
  ASSERT_NE(loaded->seCount, nullptr);
  EXPECT_EQ(loaded->seCount->GetValue().AsInt64(), 9);
  EXPECT_EQ(loaded->seCount->GetText(), "9");
  EXPECT_EQ(loaded->seStep->GetSpinEditProperties()->GetSpinButtons()->GetPosition(), sbpHorzRight);
  EXPECT_EQ(loaded->seOffset->GetEditViewInfo()->ButtonCount(), 4);
  EXPECT_EQ(loaded->seRate->GetValue().AsDouble(), 1.5);
  EXPECT_EQ(loaded->seGain->GetSpinEditProperties()->GetLargeIncrement(), 0);
  EXPECT_FALSE(loaded->seLocked->GetEnabled());
  EXPECT_EQ(loaded->teStart->GetText(), "18:00:00");
  EXPECT_EQ(loaded->teAlarm->GetText(), "07:30 AM");
  // Keys: Up twice on the count stops at its maximum; Page Down on the step takes 20 off.
  loaded->seCount->SetFocus();
  Pump();
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(loaded->seCount->GetText(), "10");
  Key(VK_TAB);
  Key(VK_NEXT);
  EXPECT_EQ(loaded->seStep->GetText(), "80");
  // The mouse: the rate's fast up button adds ten increments of 0.25, up to the maximum of 4.
  ScriptClick(ButtonPoint(loaded->seRate, 3));
  Pump();
  EXPECT_EQ(loaded->seRate->GetText(), "4");
  ScriptClick(ButtonPoint(loaded->seRate, 0));
  Pump();
  EXPECT_EQ(loaded->seRate->GetText(), "3.75");
  // Typed, and committed by leaving.
  loaded->seOffset->SetFocus();
  Pump();
  loaded->seOffset->SelectWholeText();
  Type("-42");
  Key(VK_TAB);
  EXPECT_EQ(loaded->seOffset->GetValue().AsInt64(), -42);
  // The alarm's designator, stepped down, and its minutes typed; Enter commits.
  loaded->teAlarm->SetFocus();
  Pump();
  loaded->teAlarm->PlaceCaretAtChar(6);
  Key(VK_DOWN);
  EXPECT_EQ(loaded->teAlarm->GetText(), "07:30 PM");
  loaded->teAlarm->PlaceCaretAtChar(3);
  Type("45");
  Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(loaded->teAlarm->GetTime(), (19 * 60 + 45) / 1440.0);

  // The day is picked in its calendar by the mouse and keeps its time of day; the stamp's calendar
  // moves a day on by key and Enter takes it with the time edit's time.
  EXPECT_DOUBLE_EQ(loaded->deDay->GetDate(), 45332.5);
  // Tab goes on from the editor that has the focus, past the first ones.
  Key(VK_TAB);
  ASSERT_TRUE(loaded->deDay->Focused());
  Key(VK_F4);
  Pump();
  ASSERT_TRUE(loaded->deDay->GetDroppedDown());
  EXPECT_TRUE(loaded->deDay->GetCalendar()->GetWeekNumbers());
  ScriptClick(DayPoint(loaded->deDay, 45342));
  Pump();
  EXPECT_FALSE(loaded->deDay->GetDroppedDown());
  Key(VK_TAB);
  EXPECT_DOUBLE_EQ(loaded->deDay->GetDate(), 45342.5);
  EXPECT_TRUE(loaded->deStamp->Focused());
  Key(VK_DOWN, kAlt);
  Pump();
  ASSERT_TRUE(loaded->deStamp->GetDroppedDown());
  EXPECT_DOUBLE_EQ(loaded->deStamp->GetCalendar()->GetTimeEdit()->GetTime(), 0.75);
  loaded->deStamp->GetCalendar()->SetFocus();
  Key(VK_RIGHT);
  Key(VK_RETURN);
  Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(loaded->deStamp->GetDate(), 45337.75);

  const String text = WriteComponentToText(loaded);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Properties.ZeroLargeIncrement = True"), String::npos);
  EXPECT_EQ(text.find("Properties.ZeroIncrement"), String::npos);
  // The date edits' bounds are written; their buttons and input kind only where assigned.
  auto block = [&](const char* Name) {
    const size_t from = text.find(String("object ") + Name);
    return from == String::npos ? String() : text.substr(from, text.find("\n  end", from) - from);
  };
  const String day = block("deDay"), stamp = block("deStamp");
  EXPECT_NE(day.find("Properties.MinDate = "), String::npos);
  EXPECT_NE(day.find("Properties.MaxDate = "), String::npos);
  EXPECT_NE(day.find("Properties.InputKind = ikMask"), String::npos);
  EXPECT_EQ(day.find("Properties.DateButtons"), String::npos);
  EXPECT_NE(stamp.find("Properties.DateButtons = [btnClear, btnNow, btnToday]"), String::npos);
  EXPECT_EQ(stamp.find("Properties.InputKind"), String::npos);
  EXPECT_EQ(stamp.find("Properties.MinDate"), String::npos);
  auto* copy = new TNumberDateEditorsForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  EXPECT_EQ(copy->seCount->GetValue().AsInt64(), 10);
  EXPECT_EQ(copy->seStep->GetValue().AsInt64(), 80);
  EXPECT_EQ(copy->seOffset->GetValue().AsInt64(), -42);
  EXPECT_EQ(copy->seRate->GetValue().AsDouble(), 3.75);
  EXPECT_EQ(copy->seGain->GetSpinEditProperties()->GetLargeIncrement(), 0);
  EXPECT_DOUBLE_EQ(VarToDateTime(copy->teStart->GetEditValueProp()), 2.75);
  EXPECT_DOUBLE_EQ(copy->teAlarm->GetTime(), (19 * 60 + 45) / 1440.0);
  EXPECT_DOUBLE_EQ(copy->deDay->GetDate(), 45342.5);
  EXPECT_EQ(copy->deDay->GetDateEditProperties()->GetMinDate(), 43831);
  EXPECT_EQ(copy->deDay->GetDateEditProperties()->GetMaxDate(), 47848);
  EXPECT_TRUE(copy->deDay->GetDateEditProperties()->IsInputKindStored());
  EXPECT_FALSE(copy->deDay->GetDateEditProperties()->IsDateButtonsStored());
  EXPECT_DOUBLE_EQ(copy->deStamp->GetDate(), 45337.75);
  EXPECT_EQ(copy->deStamp->GetDateEditProperties()->GetKind(), ckDateTime);
  EXPECT_TRUE(copy->deStamp->GetDateEditProperties()->GetDateButtons() == (TDateButtons{btnClear, btnNow, btnToday}));
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

// Answers the spin and edit themes with plain colours, so that a native look can be seen.
class PlainTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t* Classes) override {
    return reinterpret_cast<HTHEME>(Classes[0] == u'S' ? 2 : 1);
  }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  // The edit's frame is one pixel wide.
  HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT* Bounds, RECT* Content) override {
    *Content = TRect(Bounds->Left + 1, Bounds->Top + 1, Bounds->Right - 1, Bounds->Bottom - 1);
    return S_OK;
  }
  HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* R, const RECT*) override {
    const bool spin = reinterpret_cast<intptr_t>(Theme) == 2;
    const COLORREF kStates[] = {0, RGB(170, 190, 220), RGB(200, 220, 250), RGB(90, 120, 170), RGB(210, 210, 210)};
    HBRUSH brush = CreateSolidBrush(spin ? kStates[State & 3 ? State : 4] : RGB(120, 140, 170));
    if (spin)
      FillRect(DC, R, brush);
    else
      FrameRect(DC, R, brush);
    DeleteObject(brush);
    if (spin) {
      // The theme's own arrow: up (1), down (2), right (3) or left (4).
      const Integer cx = (R->Left + R->Right) / 2, cy = (R->Top + R->Bottom) / 2;
      HBRUSH dark = CreateSolidBrush(RGB(30, 40, 60));
      for (Integer i = 0; i < 3; ++i) {
        const Integer at = Part == 1 || Part == 4 ? i - 1 : 1 - i;
        const RECT line = Part <= 2 ? TRect(cx - i, cy + at, cx + i + 1, cy + at + 1)
                                    : TRect(cx + at, cy - i, cx + at + 1, cy + i + 1);
        FillRect(DC, &line, dark);
      }
      DeleteObject(dark);
    }
    return S_OK;
  }
};

TEST_F(NumberDateEditorsForm, Screenshots) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  struct Look {
    const char* file;
    TkvLookAndFeelKind kind;
    bool native;
    const char* skin;
  };
  const Look looks[] = {{"standard", lfStandard, false, ""}, {"flat", lfFlat, false, ""},
                        {"ultraflat", lfUltraFlat, false, ""}, {"office11", lfOffice11, false, ""},
                        {"native", lfStandard, true, ""},      {"skin", lfStandard, false, "Skin02"}};
  // The pictures take the whole screen for the popups: the fixture's empty form stays out of them.
  form->Hide();
  PlainTheme theme;
  TkvCustomEdit* editors[] = {loaded->seCount, loaded->seStep,  loaded->seOffset, loaded->seRate,
                              loaded->seGain,  loaded->seLocked, loaded->teStart, loaded->teAlarm,
                              loaded->deDay,   loaded->deStamp};
  for (const Look& look : looks) {
    SCOPED_TRACE(look.file);
    if (look.native) {
      SetThemeProvider(&theme);
      SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
    }
    for (TkvCustomEdit* editor : editors) {
      editor->GetStyle()->GetLookAndFeel()->SetKind(look.kind);
      editor->GetStyle()->GetLookAndFeel()->SetNativeStyle(look.native);
      editor->GetStyle()->GetLookAndFeel()->SetSkinName(look.skin);
    }
    // A key held on the count shows its up button pressed; the mouse rests on the rate's fast
    // down button.
    loaded->seCount->SetFocus();
    Pump();
    InputKey(VK_UP, true);
    Pump();
    InputMouseMove(ButtonPoint(loaded->seRate, 2));
    Pump();
    EXPECT_EQ(loaded->seCount->GetKeyPressedCode(), 2);
    EXPECT_EQ(loaded->seCount->GetEditViewInfo()->Buttons[1]->State, ebsPressed);
    EXPECT_TRUE(screen.SaveWindowPng(loaded->GetHandle(),
                                     String(output) + "/editors-spin-form-" + look.file + ".png"));
    InputKey(VK_UP, false);
    Pump();
    // Each date edit dropped down: the day with week numbers, the stamp with its clock and time.
    // The plain theme above answers no button parts, so the native look shows no popup.
    for (TkvDateEdit* edit : {loaded->deDay, loaded->deStamp}) {
      if (look.native) break;
      edit->SetFocus();
      Pump();
      Key(VK_F4);
      Pump();
      EXPECT_TRUE(edit->GetDroppedDown());
      const String kind = edit == loaded->deDay ? "date" : "datetime";
      EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-date-form-" + kind + "-" + look.file + ".png"));
      Key(VK_ESCAPE);
      Pump();
    }
    if (look.native) {
      SetThemeProvider(nullptr);
      SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
    }
  }
  // The month list held open over the day's calendar caption.
  loaded->deDay->SetFocus();
  Pump();
  Key(VK_F4);
  Pump();
  TkvPopupCalendar* calendar = loaded->deDay->GetCalendar();
  const TRect caption = calendar->GetMonthCaptionRect();
  const TPoint at = calendar->ClientToScreen(TPoint((caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2));
  InputMouseButton(POINT{at.X, at.Y}, MouseButton::Left, true);
  Pump();
  InputMouseMove(POINT{at.X, at.Y + 5});
  Pump();
  EXPECT_TRUE(calendar->GetMonthList()->GetVisible());
  EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-date-form-month-list.png"));
  InputMouseButton(POINT{at.X, at.Y + 5}, MouseButton::Left, false);
  Pump();
  Key(VK_ESCAPE);
}

}  // namespace
