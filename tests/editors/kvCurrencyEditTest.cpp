// The currency edit: the number and decimal checks, typing under both decimal separators, what a
// commit stores and what the unfocused editor shows, the bounds, paste, streaming and the unit.

#include <cstdlib>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvCurrencyEdit.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "user/VirtualKeys.h"

namespace {

using Locale = NumberLocale;

class CurrencyEdit : public EditEventsTest, public ::testing::WithParamInterface<Locale> {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    saved = FormatSettings;
    FormatSettings.DecimalSeparator = GetParam().decimal;
    FormatSettings.ThousandSeparator = GetParam().thousand;
    FormatSettings.CurrencyString = "$";
    FormatSettings.CurrencyFormat = 0;
    FormatSettings.NegCurrFormat = 0;
    FormatSettings.CurrencyDecimals = 2;
    TheFormatController()->Reload();
    form->SetBounds(100, 100, 400, 300);
    edit = new TkvCurrencyEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 200, 21);
    other = new TkvTextEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 60, 200, 21);
    Pump();
  }
  void TearDown() override {
    EditEventsTest::TearDown();
    FormatSettings = saved;
    TheFormatController()->Reload();
  }
  TkvCurrencyEditProperties* Props() { return edit->GetCurrencyEditProperties(); }
  String L(const String& Text) { return InLocale(Text, GetParam()); }
  void Retype(const String& Text) {
    edit->SetFocus();
    Pump();
    edit->SelectRange(0, static_cast<Integer>(edit->GetText().size()));
    Key(VK_DELETE);
    Type(Text);
  }
  void LeaveEditor() {
    other->SetFocus();
    Pump();
  }
  TFormatSettings saved;
  TkvCurrencyEdit* edit = nullptr;
  TkvTextEdit* other = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Separators, CurrencyEdit, ::testing::Values(Locale{'.', ','}, Locale{',', '.'}),
                         [](const auto& Info) { return Info.param.decimal == '.' ? "Point" : "Comma"; });

TEST_P(CurrencyEdit, TheChecksCountOnlyTheDecimalsBeforeAnExponent) {
  struct Case {
    const char* text;
    Integer places;
    bool valid;
    double value;
  };
  const Case kCases[] = {
      {"", 2, true, 0},
      {"12.34", 2, true, 12.34},
      {"12.345", 2, false, 0},
      {"1.5E3", 2, true, 1500},
      {"1.55e3", 2, true, 1550},
      {"1.555E3", 2, false, 0},
      {"1,234.5", 2, true, 1234.5},
      {"-1.7e308", 2, true, -1.7e308},
      {"2e308", 0, false, 0},
      {"abc", 2, false, 0},
      {"-", 2, false, 0},
      {"0", 0, true, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    double value = -1;
    EXPECT_EQ(CheckCurrencyDecimals(L(c.text), c.places, value), c.valid);
    EXPECT_DOUBLE_EQ(value, c.value);
  }
}

TEST_P(CurrencyEdit, TypingKeepsANumberWithinTheDecimalPlaces) {
  struct Case {
    bool thousands;
    const char* typed;  // "," and "." as the keys pressed, in the point locale's roles
    const char* shown;
  };
  const Case kCases[] = {
      {false, "1.234", "1.23"},   // a third decimal is refused
      {false, "1,5", "1.5"},      // either key types the decimal separator
      {false, "-5", "-5"},        // a minus into the empty text
      {false, "+5", "5"},         // a plus alone is no number
      {false, "12a$3", "123"},
      {true, "1,234.5", "1,234.5"},  // the thousand separator stays, the other key is the decimal one
      {true, "1234.56", "1,234.56"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.typed);
    Props()->SetUseThousandSeparator(c.thousands);
    Retype(L(c.typed));
    EXPECT_EQ(edit->GetText(), L(c.shown));
  }
  // Behind an exponent, only the digits between the separator and the "E" count.
  Props()->SetUseThousandSeparator(false);
  Retype(L("1.5"));
  Type("e3");  // "1.5e" is no number yet
  EXPECT_EQ(edit->GetText(), L("1.53"));
  edit->SetText(L("1.5E3"));
  edit->SetFocus();
  Pump();
  edit->SelectRange(3, 0);
  Type("55");
  EXPECT_EQ(edit->GetText(), L("1.55E3"));
}

TEST_P(CurrencyEdit, ACommitStoresTheNumberOrNullAndTheUnfocusedTextShowsIt) {
  struct Case {
    bool nullable;
    const char* typed;
    const char* stored;  // the edit value as text, "Null" for Null
    const char* shown;   // unfocused
  };
  const Case kCases[] = {
      {true, "12.5", "12.5", "$12.50"},
      {true, "1234.5", "1234.5", "$1,234.50"},
      {true, "-7", "-7", "($7.00)"},
      {true, "", "Null", "none"},
      {false, "", "0", "$0.00"},
      // A text equal to NullString is a Null, not a wrong number.
      {true, "-", "Null", "none"},
  };
  Props()->SetNullString("none");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.typed);
    Props()->SetNullable(c.nullable);
    if (String(c.typed) == "-") Props()->SetNullString("-");
    edit->SetValue(99);
    Retype(L(c.typed));
    Key(VK_RETURN);
    Variant value = edit->GetEditValueProp();
    EXPECT_EQ(VarIsNull(value) ? String("Null") : FloatToStr(value.AsDouble()), L(c.stored));
    LeaveEditor();
    String shown = String(c.typed) == "-" ? String("-") : L(c.shown);
    EXPECT_EQ(edit->GetText(), shown);
  }
}

TEST_P(CurrencyEdit, NeitherPasteNorAUserTextBringsInWhatIsNoNumber) {
  struct Case {
    const char* text;
    bool taken;
    double committed;
  };
  const Case kCases[] = {{"12x", false, 0}, {"$5", false, 0}, {"1,234.5", true, 1234.5}, {"-2e3", true, -2000}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    edit->SetValue(1);
    Retype("");
    SetClipboardText(L(c.text));
    edit->ClipboardPaste();
    EXPECT_EQ(edit->GetText(), c.taken ? L(c.text) : String());
    Retype("");
    edit->SetTextAsUser(L(c.text));
    EXPECT_EQ(edit->GetText(), c.taken ? L(c.text) : String());
    Key(VK_RETURN);
    Variant value = edit->GetEditValueProp();
    if (c.taken) EXPECT_DOUBLE_EQ(value.AsDouble(), c.committed);
    else EXPECT_TRUE(VarIsNull(value));
  }
}

TEST_P(CurrencyEdit, TheValueReadsTheTypedNumberAndANullAsZero) {
  Retype(L("7.25"));
  EXPECT_DOUBLE_EQ(edit->GetValue(), 7.25);
  Key(VK_RETURN);
  LeaveEditor();
  edit->SetEditValue(Null());
  EXPECT_EQ(edit->GetValue(), 0);
  // A stored text that is no number reads 0, and shows as it stands.
  edit->SetEditValue(Variant("abc"));
  EXPECT_EQ(edit->GetValue(), 0);
  EXPECT_EQ(edit->GetText(), "abc");
  edit->SetEditValue(Variant(L("3.5")));
  EXPECT_DOUBLE_EQ(edit->GetValue(), 3.5);
}

TEST_P(CurrencyEdit, SettingsAndLocaleChangesRedrawTheUnfocusedTextUnlessIgnored) {
  edit->SetValue(5);
  EXPECT_EQ(edit->GetText(), L("$5.00"));
  Props()->SetDisplayFormat("0.000");
  EXPECT_EQ(edit->GetText(), L("5.000"));
  Props()->SetChangesIgnored(true);
  Props()->SetDisplayFormat("0.0");
  EXPECT_EQ(edit->GetText(), L("5.000"));
  Props()->SetChangesIgnored(false);
  Props()->GetAssignedValues()->ClearAssigned();
  // The locale's currency format, as the format controller tells it.
  FormatSettings.CurrencyString = "EUR";
  FormatSettings.CurrencyFormat = 3;
  TheFormatController()->Reload();
  Props()->FormatChanged();
  EXPECT_EQ(edit->GetText(), L("5.00 EUR"));
  // A cell paints the same texts without an editor.
  EXPECT_EQ(Props()->EditValueToDisplayText(Variant(1234.5), false), L("1,234.50 EUR"));
  Props()->SetNullString("-");
  EXPECT_EQ(Props()->EditValueToDisplayText(Null(), false), "-");
}

TEST_F(EditEventsTest, CurrencyValuesAreClampedToTheBoundsInForce) {
  auto* edit = new TkvCurrencyEdit(form);
  edit->SetParent(form);
  Pump();
  TkvCurrencyEditProperties* props = edit->GetCurrencyEditProperties();
  struct Case {
    double min, max;
    bool minSet, maxSet;
    double set, stored;
  };
  const Case kCases[] = {
      {10, 20, true, true, 5, 10},
      {10, 20, true, true, 25, 20},
      {10, 20, true, true, 15, 15},
      {0, 3, false, true, 5, 3},    // only the maximum is in force
      {0, 3, false, true, -50, -50},
      {4, 0, true, false, 1, 4},
      {0, 0, false, false, -5, -5},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.set);
    props->GetAssignedValues()->ClearAssigned();
    if (c.minSet) props->SetMinValue(c.min);
    if (c.maxSet) props->SetMaxValue(c.max);
    edit->SetValue(c.set);
    EXPECT_DOUBLE_EQ(edit->GetEditValueProp().AsDouble(), c.stored);
  }
  // A bound that comes later pulls the value in.
  props->GetAssignedValues()->ClearAssigned();
  edit->SetValue(50);
  props->SetMaxValue(20);
  EXPECT_DOUBLE_EQ(edit->GetValue(), 20);
}

TEST_F(EditEventsTest, AReadOnlyCurrencyEditTakesNoPaste) {
  auto* edit = new TkvCurrencyEdit(form);
  edit->SetParent(form);
  edit->SetFocus();
  Pump();
  SetClipboardText("42");
  edit->GetCurrencyEditProperties()->SetReadOnly(true);
  edit->ClipboardPaste();
  EXPECT_EQ(edit->GetText(), "");
  edit->GetCurrencyEditProperties()->SetReadOnly(false);
  edit->ClipboardPaste();
  EXPECT_EQ(edit->GetText(), "42");
}

TEST_F(EditEventsTest, AnInplaceCurrencyEditStartsFromATypedDigitAndRefusesALetter) {
  auto* edit = new TkvCurrencyEdit(form, true);
  edit->SetParent(form);
  edit->SetBounds(10, 40, 120, 21);
  Pump();
  struct Case {
    Char key;
    const char* shown;
  };
  const Case kCases[] = {{'7', "7"}, {'x', "3.5"}, {'-', "-"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.key);
    edit->SetValue(3.5);
    TkvCustomEditData* data = nullptr;
    edit->BeginInplaceEditWithKey(c.key, data);
    Pump();
    EXPECT_EQ(edit->GetText(), c.shown);
    delete data;
  }
}

TEST(CurrencyEditProperties, DecimalPlacesFollowTheLocaleUntilSetAndAssignCopiesTheFlag) {
  TFormatSettings saved = FormatSettings;
  FormatSettings.CurrencyDecimals = 3;
  TkvCurrencyEditProperties source(nullptr), target(nullptr);
  EXPECT_EQ(source.GetDecimalPlaces(), 3);
  EXPECT_TRUE(source.GetNullable());
  EXPECT_TRUE(source.GetValidateOnEnter());
  target.SetDecimalPlaces(1);
  target.Assign(&source);
  EXPECT_FALSE(target.IsDecimalPlacesStored());
  EXPECT_EQ(target.GetDecimalPlaces(), 3);
  source.SetDecimalPlaces(3);
  source.SetNullable(false);
  source.SetNullString("n/a");
  source.SetUseThousandSeparator(true);
  target.Assign(&source);
  EXPECT_TRUE(target.IsDecimalPlacesStored());
  EXPECT_FALSE(target.GetNullable());
  EXPECT_EQ(target.GetNullString(), "n/a");
  EXPECT_TRUE(target.GetUseThousandSeparator());
  target.GetAssignedValues()->ClearAssigned();
  EXPECT_FALSE(target.IsDecimalPlacesStored());
  FormatSettings = saved;
}

TEST(CurrencyEditForms, SetPropertiesStreamAndReadBack) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvCurrencyEdit(root);
  edit->SetName("Amount");
  edit->SetParent(root);
  EXPECT_EQ(WriteComponentToText(root).find("DecimalPlaces"), String::npos);
  TkvCurrencyEditProperties* props = edit->GetCurrencyEditProperties();
  props->SetDecimalPlaces(4);
  props->SetNullString("n/a");
  props->SetNullable(false);
  props->SetUseThousandSeparator(true);
  props->SetMaxValue(1000);
  props->SetDisplayFormat("0.0000");
  edit->SetValue(12.5);
  auto* empty = new TkvCurrencyEdit(root);
  empty->SetName("Nothing");
  empty->SetParent(root);
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvCurrencyEdit*>(copy->FindComponent("Amount"));
  ASSERT_NE(read, nullptr);
  TkvCurrencyEditProperties* back = read->GetCurrencyEditProperties();
  EXPECT_EQ(back->GetDecimalPlaces(), 4);
  EXPECT_EQ(back->GetNullString(), "n/a");
  EXPECT_FALSE(back->GetNullable());
  EXPECT_TRUE(back->GetUseThousandSeparator());
  EXPECT_TRUE(back->IsBoundDefined(1));
  EXPECT_FALSE(back->IsBoundDefined(0));
  EXPECT_EQ(back->GetMaxValue(), 1000);
  EXPECT_EQ(back->GetDisplayFormat(), "0.0000");
  EXPECT_EQ(read->GetValue(), 12.5);
  auto* readEmpty = dynamic_cast<TkvCurrencyEdit*>(copy->FindComponent("Nothing"));
  ASSERT_NE(readEmpty, nullptr);
  EXPECT_TRUE(VarIsNull(readEmpty->GetEditValueProp()));
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;
}

TEST(CurrencyEditUnit, StartEndAndStartAgainRegisterOnce) {
  kvCurrencyEditEnd();
  EXPECT_EQ(GetClass("TkvCurrencyEdit"), nullptr);
  kvCurrencyEditStart();
  EXPECT_NE(GetClass("TkvCurrencyEdit"), nullptr);
  auto* helper = FilterEditHelperOf<TkvFilterCurrencyEditHelper>();
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvCurrencyEditProperties::ClassInfo()), helper);
  Integer index = EditPropertiesRegistry()->IndexOfClass(TkvCurrencyEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index), "CurrencyEdit|Represents an editor enabling editing currency data");
  TkvFilterOperators plain = helper->FilterOperatorSet(nullptr, false);
  TkvFilterOperators extended = helper->FilterOperatorSet(nullptr, true);
  EXPECT_EQ(plain, TkvFilterOperators("11001111110"));
  EXPECT_EQ(extended, TkvFilterOperators("111111001111110"));
  // A filter row edits any amount and shows an empty value empty.
  TkvCurrencyEditProperties source(nullptr), row(nullptr);
  source.SetMinValue(10);
  source.SetMaxValue(20);
  source.SetNullable(false);
  source.SetNullString("none");
  helper->InitFilterProperties(&row, &source, false);
  EXPECT_FALSE(row.IsRangeDefined());
  EXPECT_TRUE(row.GetNullable());
  EXPECT_EQ(row.GetNullString(), "");
}

TEST_F(EditEventsTest, CurrencyEditsArePictured) {
  auto place = [&](Integer Top, double Value) {
    auto* edit = new TkvCurrencyEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, Top, 200, 21);
    edit->SetValue(Value);
    return edit;
  };
  form->SetBounds(100, 100, 260, 190);
  place(20, 1234.5);
  place(50, -7);
  TkvCurrencyEdit* empty = place(80, 0);
  empty->GetCurrencyEditProperties()->SetNullString("(none)");
  empty->SetEditValue(Null());
  TkvCurrencyEdit* focused = place(110, 19.99);
  focused->SetFocus();
  Pump();
  EXPECT_EQ(focused->GetText(), "19.99");
  UpdateWindow(form->GetHandle());
  if (const char* output = std::getenv("TAVREN_TEST_OUTPUT"); output && *output) {
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-currency.png"));
  }
}

}  // namespace
