#include <gtest/gtest.h>

#include <memory>

#include "EditTestProperties.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Resources.h"
#include "rtl/Variants.h"
#include "rtl/Writer.h"
#include "vcl/Forms.h"
#include "toolkit/editors/kvTextEdit.h"

namespace {


// Stands for a combo box's list styles and a numeric kind.
class ListTextProperties : public TkvTextEditProperties {
  TAVREN_CLASS(ListTextProperties, TkvTextEditProperties)
 public:
  using TkvTextEditProperties::TkvTextEditProperties;
  Byte EditingStyleCode() override { return style; }
  bool IsValueNumeric() override { return numeric; }
  bool UsesThousandSeparators(bool) override { return numeric; }
  Byte style = kvEditingFreeText;
  bool numeric = false;
};
TAVREN_CLASS_IMPL(ListTextProperties)

class FormatProvider : public TkvCustomEditDefaultValuesProvider {
  TAVREN_CLASS(FormatProvider, TkvCustomEditDefaultValuesProvider)
 public:
  using TkvCustomEditDefaultValuesProvider::TkvCustomEditDefaultValuesProvider;
  void ProvidedDisplayFormat(String& Text) override { Text = display; }
  void ProvidedEditFormat(String& Text) override { Text = edit; }
  bool HasGetTextHandler() override { return getText; }
  bool IsCurrency() override { return currency; }
  Integer ProvidedMaxLength() override { return 12; }
  String display, edit;
  bool getText = false;
  bool currency = false;
};
TAVREN_CLASS_IMPL(FormatProvider)

class TextRepositoryItem : public TkvEditRepositoryItem {
  TAVREN_CLASS(TextRepositoryItem, TkvEditRepositoryItem)
 public:
  explicit TextRepositoryItem(TComponent* AOwner)
      : TkvEditRepositoryItem(AOwner, TkvTextEditProperties::ClassInfo()) {}
  TkvTextEditProperties* GetTextProperties() const { return static_cast<TkvTextEditProperties*>(GetProperties()); }
  void SetTextProperties(TkvTextEditProperties* Value) { SetProperties(Value); }
};
TAVREN_CLASS_IMPL_PUBLISHED(TextRepositoryItem, PROPERTY_AS(Properties, GetTextProperties, SetTextProperties))

TEST(TextEditProperties, RoundTripThroughFormTextKeepsFlagsAndLookupItems) {
  RegisterClass(TextRepositoryItem::ClassInfo());
  auto* root = new TForm(nullptr, 0);
  auto* item = new TextRepositoryItem(root);
  item->SetName("Item");
  TkvTextEditProperties* properties = item->GetTextProperties();
  properties->SetMaxLength(0);
  properties->SetCharCase(ecUpperCase);
  properties->SetEchoMode(eemPassword);
  properties->SetImeMode(imHira);
  properties->SetImeName("Kana");
  properties->GetLookupItems()->Add("one");
  properties->GetLookupItems()->Add("two");
  String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_EQ(text.find("AutoSelect"), String::npos);
  delete root;
  for (bool olderForm : {false, true}) {
    String read = text;
    // Older forms carry the display format flag beside the Properties.
    if (olderForm) read.insert(read.find("Properties.CharCase"), "Properties.IsDisplayFormatAssigned = True\n    ");
    auto* copy = new TForm(nullptr, 0);
    ReadComponentFromText(read, copy);
    auto* readItem = dynamic_cast<TextRepositoryItem*>(copy->FindComponent("Item"));
    ASSERT_NE(readItem, nullptr);
    TkvTextEditProperties* readProperties = readItem->GetTextProperties();
    EXPECT_TRUE(readProperties->IsMaxLengthStored());
    EXPECT_EQ(readProperties->GetCharCase(), ecUpperCase);
    EXPECT_EQ(readProperties->GetEchoMode(), eemPassword);
    EXPECT_EQ(readProperties->GetImeMode(), imHira);
    EXPECT_EQ(readProperties->GetImeName(), "Kana");
    EXPECT_EQ(readProperties->GetLookupItems()->GetCount(), 2);
    EXPECT_EQ(readProperties->IsDisplayFormatStored(), olderForm);
    delete copy;
  }
  UnRegisterClass(TextRepositoryItem::ClassInfo());
}

TEST(TextEditProperties, MaxLengthIsNeverNegativeAndNotifiesOnlyOnChange) {
  TkvTextEditProperties properties(nullptr);
  ChangeCounter counter;
  counter.Attach(&properties);
  EXPECT_EQ(properties.GetMaxLength(), 0);
  EXPECT_FALSE(properties.IsMaxLengthStored());
  properties.SetMaxLength(-5);
  EXPECT_EQ(properties.GetMaxLength(), 0);
  EXPECT_TRUE(properties.IsMaxLengthStored());
  EXPECT_EQ(counter.count, 1);
  properties.SetMaxLength(0);
  EXPECT_EQ(counter.count, 1);
  // Without its own value the kind answers the provider's.
  FormatProvider provider(nullptr);
  properties.GetTextAssignedValues()->SetMaxLength(false);
  properties.AttachDefaultValuesProvider(&provider);
  EXPECT_EQ(properties.GetMaxLength(), 12);
  properties.AttachDefaultValuesProvider(nullptr);
}

TEST(TextEditProperties, DisplayTextFollowsEchoModeAndCharCase) {
  struct Case {
    TkvEditEchoMode echo;
    Char passwordChar;
    TEditCharCase charCase;
    const char* value;
    const char* shown;
  };
  const Case cases[] = {
      {eemPassword, '\0', ecNormal, "abc", "***"},
      {eemPassword, '#', ecUpperCase, "abc", "###"},
      {eemNormal, '#', ecUpperCase, "abc", "ABC"},
      {eemNormal, '\0', ecLowerCase, "AbC", "abc"},
      {eemNormal, '\0', ecNormal, "AbC", "AbC"},
  };
  for (const Case& c : cases) {
    TkvTextEditProperties properties(nullptr);
    properties.SetEchoMode(c.echo);
    properties.SetPasswordChar(c.passwordChar);
    properties.SetCharCase(c.charCase);
    EXPECT_EQ(properties.EditValueToDisplayText(Variant(String(c.value)), true), c.shown) << c.value;
  }
}

TEST(TextEditProperties, ListStylesAcceptOnlyLookupTexts) {
  struct Case {
    Byte style;
    const char* text;
    bool accepted;
    const char* stored;
  };
  const Case cases[] = {
      {kvEditingStrictList, "BANANA", true, "BANANA"}, {kvEditingStrictList, "cherry", false, ""},
      {kvEditingListText, "apple", true, "apple"},     {kvEditingFreeText, "cherry", true, "cherry"},
      {kvEditingStrictList, "", true, ""},
  };
  for (const Case& c : cases) {
    ListTextProperties properties(nullptr);
    properties.GetLookupItems()->Add("Apple");
    properties.GetLookupItems()->Add("banana");
    properties.style = c.style;
    Variant value = String(c.text);
    EXPECT_EQ(properties.AcceptsTextValue(value, true), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_EQ(VarToStr(value), c.stored);
    }
  }
  ListTextProperties upper(nullptr);
  upper.SetCharCase(ecUpperCase);
  Variant value = String("apple");
  EXPECT_TRUE(upper.AcceptsTextValue(value, true));
  EXPECT_EQ(VarToStr(value), "APPLE");
}

TEST(TextEditProperties, BoundsAreDefinedByTheirFlagsOrByTheRange) {
  struct Case {
    bool minFlag, maxFlag;
    double min, max;
    bool lower, upper;
  };
  const Case cases[] = {
      {false, false, 0, 0, false, false}, {true, false, 5, 0, true, false}, {false, true, 0, 5, false, true},
      {true, true, 1, 9, true, true},     {true, true, 9, 1, false, false},
  };
  for (const Case& c : cases) {
    TkvTextEditProperties properties(nullptr);
    if (c.minFlag) properties.SetMinValue(c.min);
    if (c.maxFlag) properties.SetMaxValue(c.max);
    EXPECT_EQ(properties.IsBoundDefined(0), c.lower);
    EXPECT_EQ(properties.IsBoundDefined(1), c.upper);
    EXPECT_EQ(properties.IsRangeDefined(), c.lower || c.upper);
  }
  TkvTextEditProperties properties(nullptr);
  EXPECT_EQ(properties.DefaultValidationErrorText(1), "Value out of bounds");
  EXPECT_EQ(properties.DefaultValidationErrorText(0), ResourceStringText(skvEditInvalidInput));
}

TEST(TextEditProperties, ViewStyleDrivesButtonsLayoutAndHideCursor) {
  TkvTextEditProperties properties(nullptr);
  ChangeCounter counter;
  counter.Attach(&properties);
  properties.SetViewStyle(vsButtonsOnly);
  EXPECT_EQ(properties.GetButtonsLayout(), 1);
  EXPECT_TRUE(properties.GetHideCursor());
  EXPECT_EQ(properties.EditingStyleCode(), kvEditingNoTyping);
  EXPECT_EQ(counter.count, 1);
  properties.SetViewStyle(vsNormal);
  EXPECT_EQ(properties.GetViewStyle(), vsNormal);
  EXPECT_FALSE(properties.GetHideCursor());
  properties.SetViewStyle(vsHideCursor);
  EXPECT_EQ(properties.GetViewStyle(), vsHideCursor);
  EXPECT_EQ(counter.count, 3);
  properties.SetViewStyle(vsHideCursor);
  EXPECT_EQ(counter.count, 3);
}

TEST(TextEditProperties, AssignCopiesTextsSortingAndOnlyTheFlaggedFormats) {
  TkvTextEditProperties source(nullptr), target(nullptr);
  source.GetLookupItems()->Add("pear");
  source.GetLookupItems()->Add("apple");
  source.SetLookupItemsSorted(true);
  source.SetMaxLength(7);
  source.SetDisplayFormat("0.00");
  source.SetEchoMode(eemPassword);
  target.SetEditFormat("#");
  ChangeCounter counter;
  counter.Attach(&target);
  target.Assign(&source);
  EXPECT_EQ(counter.count, 1);
  EXPECT_TRUE(target.GetLookupItemsSorted());
  ASSERT_EQ(target.GetLookupItems()->GetCount(), 2);
  EXPECT_EQ(target.GetLookupItems()->GetStrings(0), "apple");
  EXPECT_EQ(target.GetMaxLength(), 7);
  EXPECT_EQ(target.GetDisplayFormat(), "0.00");
  EXPECT_TRUE(target.IsDisplayFormatStored());
  EXPECT_FALSE(target.IsEditFormatStored());
  EXPECT_EQ(target.GetEchoMode(), eemPassword);
}

TEST(TextEditProperties, ResolveEditFormatSteps) {
  struct Case {
    const char* ownEdit;  // nullptr: not set
    const char* ownDisplay;
    const char* providedEdit;
    const char* providedDisplay;
    bool getText, currency, useDisplayWhenEditing;
    bool isCurrency, useGetText;
    const char* format;
  };
  const Case cases[] = {
      {"0.0", "x", "", "", true, false, false, false, false, "0.0"},
      {nullptr, nullptr, "e", "", true, false, false, false, true, ""},
      {nullptr, nullptr, "e", "d", false, false, false, false, false, "e"},
      {nullptr, "own", "", "d", false, false, true, false, false, "own"},
      {nullptr, nullptr, "", "d", false, false, true, false, false, "d"},
      {nullptr, nullptr, "", "d", false, false, false, false, false, ""},
      {nullptr, nullptr, "", "", false, true, false, true, false, ""},
  };
  for (const Case& c : cases) {
    TkvTextEditProperties properties(nullptr);
    FormatProvider provider(nullptr);
    provider.edit = c.providedEdit;
    provider.display = c.providedDisplay;
    provider.getText = c.getText;
    provider.currency = c.currency;
    properties.AttachDefaultValuesProvider(&provider);
    if (c.ownEdit) properties.SetEditFormat(c.ownEdit);
    if (c.ownDisplay) properties.SetDisplayFormat(c.ownDisplay);
    properties.SetUseDisplayFormatWhenEditing(c.useDisplayWhenEditing);
    TkvEditFormatChoice choice = properties.ResolveEditFormat(nullptr);
    EXPECT_EQ(choice.IsCurrency, c.isCurrency) << c.format;
    EXPECT_EQ(choice.UseGetText, c.useGetText) << c.format;
    EXPECT_EQ(choice.Format, c.format);
    properties.AttachDefaultValuesProvider(nullptr);
  }
}

TEST(TextEditProperties, NumericKindsFormatAndRefuseOtherValues) {
  ListTextProperties properties(nullptr);
  properties.numeric = true;
  Variant shown;
  properties.MakeDisplayValue(Variant(1234567.5), shown, true);
  EXPECT_EQ(VarToStr(shown), "1,234,567.5");
  for (const Variant& nothing : {Null(), Variant(), Variant(String())}) {
    properties.MakeDisplayValue(nothing, shown, true);
    EXPECT_EQ(VarToStr(shown), "");
  }
  properties.SetDisplayFormat("0.00");
  properties.MakeDisplayValue(Variant(2.5), shown, false);
  EXPECT_EQ(VarToStr(shown), "2.50");
  EXPECT_THROW(properties.MakeDisplayValue(VarArrayCreate(0, 1, varVariant), shown, false), EConvertError);
}

TEST(TextEditNumbers, ThousandSeparatorsKeepBlanksAndExponent) {
  TFormatSettings comma;
  TFormatSettings dot;
  dot.ThousandSeparator = '.';
  dot.DecimalSeparator = ',';
  struct Case {
    const TFormatSettings* settings;
    const char* text;
    const char* grouped;
  };
  const Case cases[] = {
      {&comma, "1234567.891", "1,234,567.891"}, {&comma, " 12345E+10 ", " 12,345E+10 "},
      {&comma, "-1234", "-1,234"},              {&comma, "1,2,34", "1,234"},
      {&comma, "123", "123"},                   {&dot, "1234567,5", "1.234.567,5"},
      {&dot, "  9876e-3", "  9.876e-3"},        {&comma, "   ", "   "},
  };
  for (const Case& c : cases) EXPECT_EQ(InsertThousandSeparators(c.text, *c.settings), c.grouped) << c.text;
  String text = "1.5e3";
  EXPECT_EQ(SplitExponent(text), "e3");
  EXPECT_EQ(text, "1.5");
}

}  // namespace

namespace {

TEST(TextEditChars, CountsAndCutsKeepWholeCharacters) {
  // "é" two bytes, "€" three, the clef four (two wide characters).
  const String text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E" "b";
  EXPECT_EQ(WideCharCount(text), 6);
  EXPECT_EQ(WideCharCount(""), 0);
  struct Case {
    Integer count;
    size_t bytes;
  };
  for (Case c : {Case{0, 0}, Case{1, 1}, Case{2, 3}, Case{3, 6}, Case{4, 6}, Case{5, 10}, Case{6, 11}, Case{9, 11}})
    EXPECT_EQ(WideCharHead(text, c.count), text.substr(0, c.bytes)) << c.count;
  struct Cut {
    size_t limit, bytes;
  };
  for (Cut c : {Cut{0, 0}, Cut{1, 1}, Cut{2, 1}, Cut{3, 3}, Cut{5, 3}, Cut{6, 6}, Cut{9, 6}, Cut{10, 10}, Cut{50, 11}})
    EXPECT_EQ(WholeCharHead(text, c.limit), text.substr(0, c.bytes)) << c.limit;
  EXPECT_EQ(DropLastChar(text), text.substr(0, 10));
  EXPECT_EQ(DropLastChar(text.substr(0, 10)), text.substr(0, 6));
  EXPECT_EQ(DropLastChar("\xC3\xA9"), "");
  EXPECT_EQ(DropLastChar(""), "");
}

}  // namespace
