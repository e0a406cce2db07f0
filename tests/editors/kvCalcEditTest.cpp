// The calc edit: precision, typing under both decimal separators, the texts it shows, commits, the
// calculator in its drop-down (a fresh start at every opening, closing keys, the error text),
// streaming, the unit and a picture of the open drop-down.

#include <cstdlib>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "user/VirtualKeys.h"

namespace {

using Locale = NumberLocale;

class CalcEdit : public EditEventsTest, public ::testing::WithParamInterface<Locale> {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    saved = FormatSettings;
    FormatSettings.DecimalSeparator = GetParam().decimal;
    FormatSettings.ThousandSeparator = GetParam().thousand;
    TheFormatController()->Reload();
    form->SetBounds(100, 100, 400, 300);
    edit = new TkvCalcEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 200, 21);
    other = new TkvTextEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 250, 200, 21);
    Pump();
  }
  void TearDown() override {
    EditEventsTest::TearDown();
    FormatSettings = saved;
    TheFormatController()->Reload();
  }
  TkvCalcEditProperties* Props() { return edit->GetCalcEditProperties(); }
  TkvPopupCalculator* Calc() { return edit->GetCalculator(); }
  String L(const String& Text) { return InLocale(Text, GetParam()); }
  void Retype(const String& Text) {
    edit->SetFocus();
    Pump();
    edit->SelectRange(0, static_cast<Integer>(edit->GetText().size()));
    Key(VK_DELETE);
    Type(Text);
  }
  void Open() {
    edit->SetFocus();
    Pump();
    edit->SetDroppedDown(true);
    Pump();
  }
  void Click(TkvCalcButtonKind Kind) {
    const TRect r = Calc()->GetButton(Kind).Bounds;
    ScriptClick(Calc()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
    Pump();
  }

  TFormatSettings saved;
  TkvCalcEdit* edit = nullptr;
  TkvTextEdit* other = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Separators, CalcEdit, ::testing::Values(Locale{'.', ','}, Locale{',', '.'}),
                         [](const auto& Info) { return Info.param.decimal == '.' ? "Point" : "Comma"; });

TEST_P(CalcEdit, PrecisionIsAtMostFifteen) {
  EXPECT_EQ(Props()->GetPrecision(), 15);
  EXPECT_FALSE(Props()->IsPrecisionStored());
  Props()->SetPrecision(20);
  EXPECT_EQ(Props()->GetPrecision(), 15);
  Props()->SetPrecision(4);
  EXPECT_EQ(Props()->GetPrecision(), 4);
  EXPECT_EQ(Calc()->GetPrecision(), 4);
  edit->SetValue(2.0 / 3);
  EXPECT_EQ(edit->GetText(), L("0.6667"));
}

TEST_P(CalcEdit, TypingKeepsANumber) {
  struct Case {
    const char* typed;
    const char* shown;
    bool beeps;
  };
  const Case kCases[] = {
      {"-", "-", false},       // a minus into the empty text
      {"+", "", true},         // a plus alone is no number
      {"15e", "15", true},     // "15e" is no number
      {"1,5", "1.5", false},   // either key types the decimal separator
      {"12a$3", "123", true},
      {"1.5.2", "1.52", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.typed);
    Retype("");
    const int beeps = screen.Beeps();
    Type(L(c.typed));
    EXPECT_EQ(edit->GetText(), L(c.shown));
    EXPECT_EQ(screen.Beeps() > beeps, c.beeps);
  }
  // Between the 1 and the 5 the "e" makes a number.
  Retype("15");
  edit->SelectRange(1, 0);
  Type("e");
  EXPECT_EQ(edit->GetText(), "1e5");
  // Without BeepOnError a refused character is dropped silently.
  Props()->SetBeepOnError(false);
  const int beeps = screen.Beeps();
  Type("x");
  EXPECT_EQ(screen.Beeps(), beeps);
}

TEST_P(CalcEdit, TheTextShowsTheValueInTheChosenNotation) {
  struct Case {
    bool thousands;
    bool scientific;
    double value;
    const char* shown;
  };
  const Case kCases[] = {
      {false, false, 1234567.5, "1234567.5"},
      {true, false, 1234567.5, "1,234,567.5"},
      {true, true, 1500, "1.5E+3"},
      {false, true, 1234567.5, "1.2345675E+6"},
      {false, false, 0.1 + 0.2, "0.3"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.value);
    Props()->SetUseThousandSeparator(c.thousands);
    Props()->SetScientificFormat(c.scientific);
    edit->SetValue(c.value);
    EXPECT_EQ(edit->GetText(), L(c.shown));
    // What is shown commits back to the same number.
    Variant back;
    edit->ConvertDisplayToEditValue(Variant(edit->GetText()), back, true);
    EXPECT_DOUBLE_EQ(back.AsDouble(), c.value);
  }
  Props()->SetScientificFormat(false);
  Props()->SetDisplayFormat("0.00");
  edit->SetValue(2.5);
  EXPECT_EQ(edit->GetText(), L("2.50"));
  // Focused, the plain number is edited; leaving shows the format again.
  edit->SetFocus();
  Pump();
  EXPECT_EQ(edit->GetText(), L("2.5"));
  other->SetFocus();
  Pump();
  EXPECT_EQ(edit->GetText(), L("2.50"));
}

TEST_P(CalcEdit, AnEmptyTextCommitsAsNull) {
  edit->SetValue(5);
  Retype("");
  Key(VK_RETURN);
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
  EXPECT_EQ(edit->GetValue(), 0);
  edit->SetEditValue(Variant(String("abc")));
  EXPECT_THROW(edit->GetValue(), EConvertError);
}

TEST_P(CalcEdit, EveryOpeningStartsTheCalculatorAfresh) {
  edit->SetValue(12);
  Open();
  ASSERT_TRUE(edit->GetDroppedDown());
  EXPECT_TRUE(Calc()->Focused());
  // The first digit replaces the editor's text.
  Type("5+3=");
  EXPECT_EQ(edit->GetText(), "8");
  Type("2");
  Calc()->PerformButton(cbMemoryStore);
  Type("+2");
  Key(VK_RETURN);
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(edit->GetCloseUpReason(), pcrAccept);
  EXPECT_EQ(edit->GetText(), "4");
  Open();
  // No pending operation, memory 0, and an operator takes the editor's number as its operand.
  EXPECT_EQ(Calc()->GetMemory(), 0);
  EXPECT_EQ(Calc()->GetEntryState(), csResultShown);
  Type(L("*2.5="));
  EXPECT_EQ(edit->GetText(), "10");
  Key(VK_ESCAPE);  // "C" writes 0, then the popup closes as cancelled
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(edit->GetCloseUpReason(), pcrCancel);
  EXPECT_EQ(edit->GetText(), "0");
}

TEST_P(CalcEdit, TheCalculatorComputesInTheEditorsText) {
  struct Case {
    const char* clip;  // pasted first (Ctrl+V), when given
    const char* keys;
    const char* shown;
    TkvCalcEntryState state;
  };
  const Case kCases[] = {
      {nullptr, "1+2==", "3", csResultShown},
      {nullptr, "0.1+0.2=", "0.3", csResultShown},
      {nullptr, "200+5%", "210", csResultShown},
      {nullptr, "9/0=", "Error", csError},
      {nullptr, "-7", "7", csOperandEntered},  // "-" is the operator, not a sign
      {"1e300", "*", "1E300", csResultShown},
      {"1e308", "+", "1E308", csResultShown},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.keys);
    edit->SetValue(0);
    Open();
    ASSERT_TRUE(edit->GetDroppedDown());
    if (c.clip) {
      SetClipboardText(L(c.clip));
      Key('V', kCtrl);
    }
    Type(L(c.keys));
    EXPECT_EQ(edit->GetText(), L(c.shown));
    EXPECT_EQ(Calc()->GetEntryState(), c.state);
    Key(VK_ESCAPE);
  }
  // Overflow through the memory: 1e308 + 1e308 is no number and shows the error, never "INF".
  Open();
  SetClipboardText("1e308");
  Key('V', kCtrl);
  Calc()->PerformButton(cbMemoryStore);
  Type("+");
  Calc()->PerformButton(cbMemoryRecall);
  Type("=");
  EXPECT_EQ(edit->GetText(), "Error");
  Key(VK_RETURN);
  EXPECT_EQ(edit->GetText(), "0");
}

TEST_P(CalcEdit, EqualsClosesOnlyWhenTypedWithQuickClose) {
  Open();
  Type("1+1=");
  EXPECT_TRUE(edit->GetDroppedDown());
  Props()->SetQuickClose(true);
  Click(cbEqual);
  EXPECT_TRUE(edit->GetDroppedDown());
  Type("=");
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(edit->GetCloseUpReason(), pcrAccept);
  EXPECT_EQ(edit->GetText(), "2");
  // F4 and Alt+Down close as the drop-down key.
  for (auto [key, modifiers] : {std::pair<UINT, UINT>{VK_F4, 0}, {VK_DOWN, kAlt}}) {
    Open();
    ASSERT_TRUE(edit->GetDroppedDown());
    Key(key, modifiers);
    EXPECT_FALSE(edit->GetDroppedDown());
    EXPECT_EQ(edit->GetCloseUpReason(), pcrToggle);
  }
}

TEST_P(CalcEdit, TheErrorTextClosesToZero) {
  Props()->SetAutoSelect(true);
  Open();
  Type("9/0=");
  EXPECT_EQ(edit->GetText(), "Error");
  edit->PostClosePopup(pcrAccept);
  Pump();
  EXPECT_FALSE(edit->GetDroppedDown());
  EXPECT_EQ(edit->GetText(), "0");
  EXPECT_EQ(edit->GetValue(), 0);
  EXPECT_EQ(edit->SelectedText(), "0");
}

TEST_P(CalcEdit, AnInPlaceEditorDropsItsCalculatorDown) {
  auto* inplace = new TkvCalcEdit(form, true);
  inplace->SetParent(form);
  inplace->SetBounds(20, 100, 150, 21);
  TkvCustomEditData* data = nullptr;
  inplace->BeginInplaceEdit(data);
  Pump();
  inplace->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(inplace->GetDroppedDown());
  Type(L("4*1.5"));
  Key(VK_RETURN);
  EXPECT_FALSE(inplace->GetDroppedDown());
  EXPECT_EQ(inplace->GetText(), "6");
  delete data;
  delete inplace;
}

TEST_P(CalcEdit, ReadOnlyNeverShowsTheCalculator) {
  Props()->SetReadOnly(true);
  Open();
  EXPECT_FALSE(edit->GetDroppedDown());
  Props()->SetReadOnly(false);
  Open();
  EXPECT_TRUE(edit->GetDroppedDown());
}

TEST_P(CalcEdit, PasteGoesThroughTheCalculator) {
  struct Case {
    const char* clip;
    const char* shown;
  };
  FormatSettings.CurrencyString = "$";
  const Case kCases[] = {{"12.5", "12.5"}, {"$7", "7"}, {"abc", "0"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.clip);
    Retype("3");
    SetClipboardText(L(c.clip));
    edit->ClipboardPaste();
    EXPECT_EQ(edit->GetText(), L(c.shown));
  }
  // Read-only: nothing changes.
  Props()->SetReadOnly(true);
  SetClipboardText("99");
  edit->ClipboardPaste();
  EXPECT_EQ(edit->GetText(), "0");
}

TEST(CalcEditForms, SetPropertiesStreamAndReadBack) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvCalcEdit(root);
  edit->SetName("Sum");
  edit->SetParent(root);
  EXPECT_EQ(WriteComponentToText(root).find("Precision"), String::npos);
  TkvCalcEditProperties* props = edit->GetCalcEditProperties();
  props->SetPrecision(6);
  props->SetQuickClose(true);
  props->SetScientificFormat(true);
  props->SetUseThousandSeparator(true);
  props->SetBeepOnError(false);
  edit->SetValue(12.5);
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvCalcEdit*>(copy->FindComponent("Sum"));
  ASSERT_NE(read, nullptr);
  TkvCalcEditProperties* back = read->GetCalcEditProperties();
  EXPECT_EQ(back->GetPrecision(), 6);
  EXPECT_TRUE(back->IsPrecisionStored());
  EXPECT_TRUE(back->GetQuickClose());
  EXPECT_TRUE(back->GetScientificFormat());
  EXPECT_TRUE(back->GetUseThousandSeparator());
  EXPECT_FALSE(back->GetBeepOnError());
  EXPECT_EQ(read->GetValue(), 12.5);
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST(CalcEditUnit, StartEndAndStartAgainRegisterOnce) {
  kvCalcEnd();
  EXPECT_EQ(GetClass("TkvCalcEdit"), nullptr);
  EXPECT_NE(TheFilterEditsController()->FindHelper(TkvCalcEditProperties::ClassInfo()),
            FilterEditHelperOf<TkvFilterCalcEditHelper>());
  kvCalcStart();
  kvCalcStart();
  kvCalcEnd();
  EXPECT_NE(GetClass("TkvCalcEdit"), nullptr);
  auto* helper = FilterEditHelperOf<TkvFilterCalcEditHelper>();
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvCalcEditProperties::ClassInfo()), helper);
  Integer index = EditPropertiesRegistry()->IndexOfClass(TkvCalcEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index),
            "CalcEdit|Represents an edit control with a dropdown calculator window");
  EXPECT_EQ(helper->FilterEditorClass(), TkvCalcEdit::ClassInfo());
  EXPECT_EQ(helper->FilterOperatorSet(nullptr, false), TkvFilterOperators("11001111110"));
  EXPECT_EQ(helper->FilterOperatorSet(nullptr, true), TkvFilterOperators("111111001111110"));
  TkvCalcEditProperties source(nullptr), row(nullptr);
  source.SetPrecision(3);
  helper->InitFilterProperties(&row, &source, true);
  EXPECT_TRUE(row.GetQuickClose());
  EXPECT_EQ(row.GetPrecision(), 3);
}

TEST_F(EditEventsTest, TheOpenCalculatorIsPictured) {
  form->SetBounds(100, 100, 300, 240);
  form->SetColor(clBtnFace);
  auto* edit = new TkvCalcEdit(form);
  edit->SetParent(form);
  edit->SetBounds(20, 20, 200, 21);
  edit->SetValue(1234.5);
  edit->SetFocus();
  Pump();
  edit->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(edit->GetDroppedDown());
  Type("*2");
  EXPECT_EQ(edit->GetText(), "2");
  UpdateWindow(form->GetHandle());
  UpdateWindow(edit->GetPopupWindow()->GetHandle());
  if (const char* output = std::getenv("TAVREN_TEST_OUTPUT"); output && *output) {
    EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/editors-calc-edit.png"));
  }
}

}  // namespace
