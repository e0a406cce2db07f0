// The spin edit control on the headless backend with the test clock: the auto-repeat of a held
// button and what releases it, keys and the wheel, typing per value type, the value read while
// typing, invalid input with and without exceptions, OnGetValue, streaming and the unit.

#include <gtest/gtest.h>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvSpinEdit.h"
#include "user/VirtualKeys.h"

namespace {

struct EventLog : TObject {
  std::vector<String> entries;
  Integer changes = 0;
  void Changed(TObject*) { ++changes; }
  void Raise(TObject*) { throw Exception("no change now"); }
  void GetValue(TObject*, const String& Text, Variant& Value, String& ErrorText, bool& Error) {
    entries.push_back(Text);
    if (Text == "ten") Value = Variant(10.0);
    else if (Text == "boom") throw Exception("handler failed");
    else if (Text == "nope") {
      ErrorText = "Not a size";
      Error = true;
    }
  }
};

class SpinEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    form->SetBounds(100, 100, 300, 200);
    edit = new TkvSpinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 30, 120, 21);
    other = new TkvSpinEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 100, 120, 21);
    Pump();
  }
  TkvSpinEditProperties* Props() { return edit->GetSpinEditProperties(); }
  // The centre of a spin button (by its number) on the screen.
  POINT ButtonPoint(Integer Number) {
    for (auto& button : edit->GetEditViewInfo()->Buttons)
      if (button->Index == Number) {
        const TRect& r = button->Bounds;
        const TPoint p = edit->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        return POINT{p.X, p.Y};
      }
    ADD_FAILURE() << "no button " << Number;
    return POINT{0, 0};
  }
  void Press(Integer Number) {
    InputMouseButton(ButtonPoint(Number), MouseButton::Left, true);
    Pump();
  }
  void Release(Integer Number) {
    InputMouseButton(ButtonPoint(Number), MouseButton::Left, false);
    Pump();
  }
  void Retype(const String& Text) {
    edit->SetFocus();
    Pump();
    edit->SelectWholeText();
    Key(VK_DELETE);
    Type(Text);
  }
  String Text() { return edit->TkvCustomTextEdit::GetText(); }

  TkvSpinEdit* edit = nullptr;
  TkvSpinEdit* other = nullptr;
};

TEST_F(SpinEdit, AHeldButtonStepsAtOnceAfter400MsAndThenEvery100) {
  Props()->SetValueType(vtInt);
  Props()->SetMinValue(0);
  Props()->SetMaxValue(10);
  Props()->SetCircular(true);
  edit->SetValue(9);
  // Pressed on an editor without the focus: the step and the repeat survive its taking the focus.
  Press(1);
  EXPECT_EQ(Text(), "10");
  EXPECT_EQ(edit->GetEditViewInfo()->PressedButton, 1);
  const char* expected[] = {"0", "1", "2"};
  const uint64_t waits[] = {400, 100, 100};
  for (Integer i = 0; i < 3; ++i) {
    PassTime(waits[i] - 10);
    EXPECT_EQ(Text(), i == 0 ? "10" : expected[i - 1]);
    PassTime(10);
    EXPECT_EQ(Text(), expected[i]);
  }
  Release(1);
  EXPECT_FALSE(edit->IsAutoRepeating());
  PassTime(500);
  EXPECT_EQ(Text(), "2");
  EXPECT_EQ(edit->GetValue().AsInt64(), 2);
  EXPECT_EQ(edit->GetEditViewInfo()->Buttons[1]->State, ebsSelected);
}

TEST_F(SpinEdit, TheRepeatStopsOnFocusLossKeysDoubleClicksOffTheButtonsAndARaisingStep) {
  Props()->SetValueType(vtInt);
  edit->SetFocus();
  Pump();
  auto held = [&] {
    Press(0);
    PassTime(400);
    return edit->IsAutoRepeating();
  };
  // Focus loss.
  ASSERT_TRUE(held());
  other->SetFocus();
  Pump();
  EXPECT_FALSE(edit->IsAutoRepeating());
  InputMouseButton(ButtonPoint(0), MouseButton::Left, false);
  Pump();
  // Any key but the spin keys.
  edit->SetFocus();
  Pump();
  ASSERT_TRUE(held());
  InputKey(VK_SHIFT, true);
  Pump();
  EXPECT_FALSE(edit->IsAutoRepeating());
  InputKey(VK_SHIFT, false);
  Release(0);
  // A step that raises (an OnChange that refuses) stops the repeat and raises once.
  const Int64 before = edit->GetValue().AsInt64();
  EventLog log;
  Props()->SetOnChange(MakeEvent<&EventLog::Raise>(&log));
  Integer errors = 0;
  struct Counter : TObject {
    Integer* errors;
    void Caught(TObject*, Exception*) { ++*errors; }
  } counter;
  counter.errors = &errors;
  Application()->SetOnException(MakeEvent<&Counter::Caught>(&counter));
  Press(0);
  PassTime(1000);
  EXPECT_FALSE(edit->IsAutoRepeating());
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(edit->GetValue().AsInt64(), before - 1);
  Release(0);
  Application()->SetOnException(TExceptionEvent());
}

TEST_F(SpinEdit, KeysStepByKindAndShowTheirButtonPressedUntilKeyUp) {
  Props()->SetValueType(vtInt);
  Props()->SetLargeIncrement(5);
  edit->SetFocus();
  Pump();
  struct Case {
    UINT key;
    Int64 value;
  };
  const Case cases[] = {{VK_UP, 1}, {VK_PRIOR, 6}, {VK_DOWN, 5}, {VK_NEXT, 0}};
  for (const Case& c : cases) {
    Key(c.key);
    EXPECT_EQ(edit->GetValue().AsInt64(), c.value);
  }
  EXPECT_EQ(Text(), "0");
  // Held, the key shows its button pressed; the key up releases it.
  InputKey(VK_PRIOR, true);
  Pump();
  EXPECT_EQ(edit->GetKeyPressedCode(), 4);
  EXPECT_EQ(edit->GetEditViewInfo()->Buttons[3 - 2]->State, ebsNormal);
  InputKey(VK_PRIOR, false);
  Pump();
  EXPECT_EQ(edit->GetKeyPressedCode(), 0);
  // With UseCtrlIncrement Up alone is the caret's; Ctrl+Up steps.
  Props()->SetUseCtrlIncrement(true);
  Key(VK_UP);
  EXPECT_EQ(edit->GetValue().AsInt64(), 5);
  Key(VK_UP, kCtrl);
  EXPECT_EQ(edit->GetValue().AsInt64(), 6);
  // A read-only editor does not step.
  Key(VK_RETURN);
  Props()->SetReadOnly(true);
  Key(VK_UP, kCtrl);
  EXPECT_EQ(edit->GetValue().AsInt64(), 6);
  EXPECT_EQ(Text(), "6");
}

TEST_F(SpinEdit, TheWheelStepsInPlaceOnlyWhenAllowed) {
  Props()->SetValueType(vtInt);
  edit->SetFocus();
  Pump();
  const TPoint centre = edit->ClientToScreen(TPoint(30, 10));
  // One step a turn, whatever its length.
  ScriptWheel(POINT{centre.X, centre.Y}, 2);
  Pump();
  EXPECT_EQ(edit->GetValue().AsInt64(), 1);
  ScriptWheel(POINT{centre.X, centre.Y}, -1);
  Pump();
  ScriptWheel(POINT{centre.X, centre.Y}, -1);
  Pump();
  EXPECT_EQ(edit->GetValue().AsInt64(), -1);
  // In place the wheel needs the Properties' consent or Ctrl.
  auto* inplace = new TkvSpinEdit(form, true);
  inplace->SetParent(form);
  inplace->SetBounds(150, 30, 100, 21);
  inplace->GetSpinEditProperties()->SetValueType(vtInt);
  inplace->GetSpinEditProperties()->SetMouseWheelInPlace(false);
  Pump();
  inplace->SetFocus();
  Pump();
  const TPoint there = inplace->ClientToScreen(TPoint(30, 10));
  ScriptWheel(POINT{there.X, there.Y}, 1);
  Pump();
  EXPECT_EQ(inplace->GetValue().AsInt64(), 0);
  inplace->GetSpinEditProperties()->SetMouseWheelInPlace(true);
  ScriptWheel(POINT{there.X, there.Y}, 1);
  Pump();
  EXPECT_EQ(inplace->GetValue().AsInt64(), 1);
}

TEST_F(SpinEdit, TypingTakesNumbersOfTheValueTypeAndBeepsAtTheRest) {
  struct Case {
    TkvSpinEditValueType type;
    bool canEdit;
    const char* typed;
    const char* shown;
    Integer beeps;
  };
  const Case cases[] = {
      {vtInt, true, "-12x", "-12", 1},
      {vtInt, true, "1e3", "1e3", 0},
      {vtInt, true, "2.5", "25", 1},
      {vtFloat, true, "2.5", "2.5", 0},
      {vtFloat, true, "2,5", "2.5", 0},
      {vtFloat, true, "1E-2a", "1E-2", 1},
      {vtFloat, false, "7", "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Props()->SetValueType(c.type);
    Props()->SetCanEdit(true);
    Retype("");
    Props()->SetCanEdit(c.canEdit);
    const int beeps = screen.Beeps();
    Type(c.typed);
    EXPECT_EQ(Text(), c.shown);
    EXPECT_EQ(screen.Beeps() - beeps, c.beeps);
  }
}

TEST_F(SpinEdit, ValueWhileTypingAndInvalidTextWithAndWithoutExceptions) {
  Props()->SetValueType(vtInt);
  edit->SetValue(4);
  Retype("17");
  // Read while typing, before any commit.
  EXPECT_EQ(edit->GetValue().AsInt64(), 17);
  Key(VK_RETURN);
  EXPECT_EQ(edit->GetEditValueProp().AsInt64(), 17);
  // "1e3" is typed but is no integer: silently kept, the previous value stays.
  Retype("1e3");
  EXPECT_EQ(edit->GetValue().AsInt64(), 17);
  Key(VK_RETURN);
  EXPECT_EQ(Text(), "1e3");
  EXPECT_EQ(edit->GetEditValueProp().AsInt64(), 17);
  // With exceptions: the value read raises, and validation reports the text.
  Props()->SetExceptionOnInvalidInput(true);
  EXPECT_THROW(edit->GetValue(), EkvEditError);
  std::vector<String> errors;
  struct Catcher : TObject {
    std::vector<String>* errors;
    void Caught(TObject*, Exception* E) { errors->push_back(E->Message()); }
  } catcher;
  catcher.errors = &errors;
  Application()->SetOnException(MakeEvent<&Catcher::Caught>(&catcher));
  Key(VK_RETURN);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Invalid numeric value");
  // Out of the bounds: reported with exceptions, else clamped.
  Props()->SetMinValue(0);
  Props()->SetMaxValue(10);
  Retype("12");
  Key(VK_RETURN);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "Value out of bounds");
  Props()->SetExceptionOnInvalidInput(false);
  Key(VK_RETURN);
  EXPECT_EQ(Text(), "10");
  EXPECT_EQ(edit->GetEditValueProp().AsInt64(), 10);
  Application()->SetOnException(TExceptionEvent());
}

TEST_F(SpinEdit, OnGetValueSuppliesRefusesOrRaises) {
  EventLog log;
  Props()->SetOnGetValue(MakeEvent<&EventLog::GetValue>(&log));
  Props()->SetExceptionOnInvalidInput(true);
  Retype("ten");
  EXPECT_EQ(edit->GetValue().AsDouble(), 10.0);
  String error;
  Variant value;
  EXPECT_FALSE(edit->TextToValue("nope", value, error, false));
  EXPECT_EQ(error, "Not a size");
  // A handler's exception: its message when raising is not allowed, else it goes on.
  EXPECT_FALSE(edit->TextToValue("boom", value, error, false));
  EXPECT_EQ(error, "handler failed");
  EXPECT_THROW(edit->TextToValue("boom", value, error, true), Exception);
  // A handler that leaves the value alone supplies nothing.
  EXPECT_FALSE(edit->TextToValue("other", value, error, false));
  EXPECT_EQ(error, "Invalid numeric value");
  // Numbers never reach it.
  log.entries.clear();
  EXPECT_TRUE(edit->TextToValue("3.5", value, error, false));
  EXPECT_TRUE(log.entries.empty());
}

TEST_F(SpinEdit, ImmediatePostCommitsEachStep) {
  Props()->SetValueType(vtInt);
  Props()->SetImmediatePost(true);
  EventLog log;
  Props()->SetOnEditValueChanged(MakeEvent<&EventLog::Changed>(&log));
  edit->SetFocus();
  Pump();
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(edit->GetValue().AsInt64(), 2);
  EXPECT_EQ(log.changes, 2);
}

TEST(SpinEditStreaming, ZeroIncrementsAreWrittenUnlessTheAncestorHasThem) {
  auto* root = new TForm(nullptr, 0);
  root->SetName("Window");
  auto* edit = new TkvSpinEdit(root);
  edit->SetName("Count");
  edit->SetParent(root);
  TkvSpinEditProperties* props = edit->GetSpinEditProperties();
  EXPECT_EQ(WriteComponentToText(root).find("Increment"), String::npos);
  props->SetIncrement(0);
  props->SetLargeIncrement(0);
  props->SetValueType(vtInt);
  props->SetCircular(true);
  props->GetSpinButtons()->SetPosition(sbpHorzRight);
  edit->SetValue(Int64(42));
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Properties.ZeroIncrement = True"), String::npos);
  EXPECT_NE(text.find("Properties.ZeroLargeIncrement = True"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TkvSpinEdit*>(copy->FindComponent("Count"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetSpinEditProperties()->GetIncrement(), 0);
  EXPECT_EQ(read->GetSpinEditProperties()->GetLargeIncrement(), 0);
  EXPECT_EQ(read->GetSpinEditProperties()->GetValueType(), vtInt);
  EXPECT_EQ(read->GetSpinEditProperties()->GetSpinButtons()->GetPosition(), sbpHorzRight);
  EXPECT_EQ(read->GetValue().AsInt64(), 42);
  EXPECT_EQ(WriteComponentToText(copy), text);
  delete copy;

  // An ancestor with the same zero: nothing to write.
  struct Filer : TFiler {
    std::vector<std::pair<String, bool>> defined;
    void DefineProperty(const String& Name, const TReaderProc&, const TWriterProc&, bool HasData) override {
      defined.push_back({Name, HasData});
    }
    void DefineBinaryProperty(const String&, const TStreamProc&, const TStreamProc&, bool) override {}
  };
  TkvSpinEditProperties ancestor(nullptr), zero(nullptr);
  ancestor.SetIncrement(0);
  zero.SetIncrement(0);
  Filer filer;
  filer.SetAncestor(&ancestor);
  zero.DefineProperties(&filer);
  auto has = [&](const char* Name) {
    for (auto& d : filer.defined)
      if (d.first == Name) return d.second;
    return false;
  };
  EXPECT_FALSE(has("ZeroIncrement"));
  EXPECT_FALSE(has("ZeroLargeIncrement"));
  filer.defined.clear();
  filer.SetAncestor(nullptr);
  zero.DefineProperties(&filer);
  EXPECT_TRUE(has("ZeroIncrement"));
}

TEST(SpinEditUnit, StartEndAndStartAgainRegistersOnce) {
  kvSpinEditEnd();
  EXPECT_EQ(GetClass("TkvSpinEdit"), nullptr);
  kvSpinEditStart();
  kvSpinEditStart();
  kvSpinEditEnd();
  EXPECT_NE(GetClass("TkvSpinEdit"), nullptr);
  auto* helper = FilterEditHelperOf<TkvFilterSpinEditHelper>();
  EXPECT_EQ(TheFilterEditsController()->FindHelper(TkvSpinEditProperties::ClassInfo()), helper);
  const Integer index = EditPropertiesRegistry()->IndexOfClass(TkvSpinEditProperties::ClassInfo());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesRegistry()->TextAt(index), "SpinEdit|Represents a spin editor");
  EXPECT_EQ(helper->FilterEditorClass(), TkvSpinEdit::ClassInfo());
  EXPECT_TRUE(helper->KeepsButtons());
  EXPECT_EQ(helper->FilterOperatorSet(nullptr, false), TkvFilterOperators(0x067E));
  EXPECT_EQ(helper->FilterOperatorSet(nullptr, true), TkvFilterOperators(0x7E7E));
  TkvSpinEditProperties source(nullptr), row(nullptr);
  source.SetCanEdit(false);
  source.SetValueType(vtInt);
  helper->InitFilterProperties(&row, &source, true);
  EXPECT_TRUE(row.GetCanEdit());
  EXPECT_EQ(row.GetValueType(), vtInt);
}

}  // namespace
