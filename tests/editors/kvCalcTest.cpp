// The calculator: its layout and fitting, the engine's sequences (typed as a person types them),
// memory, errors, held keys, the mouse and the clipboard.

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/FormatSettings.h"
#include "toolkit/editors/kvCalc.h"
#include "user/Clipboard.h"
#include "user/Rects.h"

namespace {

// A calculator whose display is a string, as a descendant must supply one.
class TDisplayCalculator : public TkvCustomCalculator {
 public:
  using TkvCustomCalculator::TkvCustomCalculator;
  String display = "0";
  String ReadDisplay() override { return display; }
  void WriteDisplay(const String& Text) override { display = Text; }
};

class Calculator : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    saved = FormatSettings;
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    calc = new TDisplayCalculator(form);
    calc->SetParent(form);
    calc->SetLeft(10);
    calc->SetTop(10);
    Pump();
    calc->SetFocus();
    Pump();
  }
  void TearDown() override {
    FormatSettings = saved;
    EditorsTest::TearDown();
  }
  void Type(const String& Keys) {
    ScriptTypeText(Keys);
    Pump();
  }
  void Key(UINT VirtualKey, UINT Modifiers = 0) {
    ScriptKeyPress(VirtualKey, Modifiers);
    Pump();
  }
  TPoint Centre(TkvCalcButtonKind Kind) {
    const TRect r = calc->GetButton(Kind).Bounds;
    return calc->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }

  TFormatSettings saved;
  TDisplayCalculator* calc = nullptr;
};

TEST_F(Calculator, ButtonsLieWhereTheirMetricsPutThem) {
  struct Case {
    TkvCalcButtonKind kind;
    TRect bounds;
  };
  auto check = [](TkvCustomCalculator* Calc, std::initializer_list<Case> Cases) {
    for (const Case& c : Cases) {
      SCOPED_TRACE(Calc->GetButton(c.kind).Caption);
      EXPECT_EQ(Calc->GetButton(c.kind).Bounds, c.bounds);
    }
  };
  // Made at 198 x 131, the calculator fits itself at once: 28 x 22 buttons, gaps of 3, wide
  // buttons 17/10 of a button (48), 196 x 128 in all.
  TDisplayCalculator fresh(nullptr);
  EXPECT_EQ(fresh.GetWidth(), 196);
  EXPECT_EQ(fresh.GetHeight(), 128);
  check(&fresh, {{cbBack, {43, 3, 91, 25}},      {cbCancelEntry, {94, 3, 142, 25}}, {cbClear, {145, 3, 193, 25}},
                 {cbMemoryClear, {3, 28, 31, 50}}, {cbMemoryRecall, {3, 53, 31, 75}}, {cbMemoryAdd, {3, 103, 31, 125}},
                 {cbNum7, {41, 28, 69, 50}},      {cbSqrt, {165, 28, 193, 50}},      {cbEqual, {165, 103, 193, 125}}});
  EXPECT_EQ(fresh.GetButton(cbDecimal).Caption, ".");

  calc->SetBounds(10, 10, 100, 80);
  EXPECT_EQ(calc->GetButton(cbMemoryClear).Bounds.Height(), 22) << "never smaller than 22";
  EXPECT_EQ(calc->GetClientHeight(), 128);
  calc->SetBounds(10, 10, 396, 262);
  const Integer h = calc->GetButton(cbMemoryClear).Bounds.Height();
  EXPECT_GT(h, 40);
  EXPECT_EQ(calc->GetClientHeight(), 5 * h + 6 * (calc->GetButton(cbMemoryRecall).Bounds.Top -
                                                  calc->GetButton(cbMemoryClear).Bounds.Bottom));
}

TEST_F(Calculator, TypedSequencesGiveTheDeskCalculatorsResults) {
  struct Case {
    const char* keys;
    const char* display;
    TkvCalcEntryState state;
  };
  const Case cases[] = {
      {"1+2=", "3", csResultShown},        {"1+2==", "3", csResultShown},   {"50%", "50", csResultShown},
      {"200+5%", "210", csResultShown},    {"200+5%=", "210", csResultShown}, {"3*4-2=", "10", csResultShown},
      {"7/2=", "3.5", csResultShown},      {"2+*3=", "6", csResultShown},   {"1.5.2", "1.52", csOperandEntered},
      {"16@", "4", csResultShown},         {"2+16@=", "6", csResultShown},  {"9/0=", "Error", csError},
      {"5-8=@", "Error", csError},         {"12\b\b\b", "0", csOperandEntered}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    Key(VK_ESCAPE);
    Type(c.keys);
    EXPECT_EQ(calc->display, c.display);
    EXPECT_EQ(calc->GetEntryState(), c.state);
  }
  Key('R');  // 1/x of 0
  Key(VK_ESCAPE);
  Key('R');
  EXPECT_EQ(calc->display, "Error");
}

TEST_F(Calculator, AnErrorStaysUntilClearedAndBeepsAtEveryKey) {
  Type("9/0=");
  const int beeps = screen.Beeps();
  EXPECT_EQ(beeps, 1);
  Type("5+");
  EXPECT_EQ(calc->display, "Error");
  EXPECT_EQ(screen.Beeps(), beeps + 2);
  Type("c");
  EXPECT_EQ(calc->display, "0");
  Type("4");
  EXPECT_EQ(calc->display, "4");
  calc->SetBeepOnError(false);
  Type("/0=");
  EXPECT_EQ(screen.Beeps(), beeps + 2);
}

TEST_F(Calculator, AResultTooLargeIsAnError) {
  calc->SetDisplayValue(1e300);
  calc->PerformButton(cbMul);
  calc->SetDisplayValue(1e300);
  calc->PerformButton(cbMemoryRecall);  // an operand to apply the pending product to
  calc->SetDisplayValue(1e300);
  calc->PerformButton(cbEqual);
  EXPECT_EQ(calc->display, "Error");
  EXPECT_EQ(calc->GetDisplayValue(), 0);
}

TEST_F(Calculator, TypedNumbersStopAtThePrecision) {
  Type("123456789012345");
  EXPECT_EQ(calc->display, "123456789012345");
  const int beeps = screen.Beeps();
  Type("6");
  EXPECT_EQ(calc->display, "123456789012345");
  EXPECT_EQ(screen.Beeps(), beeps + 1);
  Key(VK_ESCAPE);
  Type("12345678901234");
  Key(VK_F9);  // +/-
  Type("5");
  EXPECT_EQ(calc->display, "-123456789012345") << "the sign does not count";
  Type("6");
  EXPECT_EQ(calc->display, "-123456789012345");
}

TEST_F(Calculator, MemoryButtonsAreGrayedWhileTheMemoryIsEmpty) {
  EXPECT_TRUE(calc->GetButton(cbMemoryClear).Grayed);
  EXPECT_TRUE(calc->GetButton(cbMemoryRecall).Grayed);
  Type("5");
  Key('P', kCtrl);  // M+
  EXPECT_EQ(calc->GetMemory(), 5);
  EXPECT_FALSE(calc->GetButton(cbMemoryRecall).Grayed);
  Type("+3=");
  Key('R', kCtrl);  // MR
  EXPECT_EQ(calc->display, "5");
  EXPECT_EQ(calc->GetEntryState(), csOperandEntered);
  Type("c");
  EXPECT_EQ(calc->GetMemory(), 5) << "clearing keeps the memory";
  Key('L', kCtrl);  // MC
  EXPECT_EQ(calc->GetMemory(), 0);
  EXPECT_TRUE(calc->GetButton(cbMemoryClear).Grayed);
}

TEST_F(Calculator, AHeldBackspaceRepeatsAndAHeldDigitEntersOnce) {
  Type("98765");
  InputKey(VK_BACK, true, 8);
  InputKey(VK_BACK, true, 8);
  InputKey(VK_BACK, true, 8);
  InputKey(VK_BACK, false);
  Pump();
  EXPECT_EQ(calc->display, "98");
  InputKey('7', true, '7');
  InputKey('7', true, '7');
  InputKey('7', false);
  Pump();
  EXPECT_EQ(calc->display, "987");
  EXPECT_FALSE(calc->GetButton(cbNum7).Down);
}

TEST_F(Calculator, AClickActsWhenReleasedOverTheButtonPressed) {
  int results = 0;
  struct Counter : TObject {
    int* count;
    void Result(TObject*) { ++*count; }
  } counter;
  counter.count = &results;
  calc->OnResult = MakeEvent<&Counter::Result>(&counter);
  ScriptClick(Centre(cbNum4));
  ScriptClick(Centre(cbAdd));
  ScriptClick(Centre(cbNum2));
  ScriptDrag(Centre(cbEqual), Centre(cbNum9));  // released elsewhere: nothing
  Pump();
  EXPECT_EQ(calc->display, "2");
  ScriptClick(Centre(cbEqual));
  Pump();
  EXPECT_EQ(calc->display, "6");
  EXPECT_EQ(results, 1);
  ScriptClick(Centre(cbMemoryRecall));  // grayed
  Pump();
  EXPECT_EQ(calc->display, "6");
}

TEST_F(Calculator, CopyAndPasteGoThroughTheClipboard) {
  Type("42");
  Key('C', kCtrl);
  String text;
  ASSERT_TRUE(GetClipboardString(nullptr, text));
  EXPECT_EQ(text, "42");
  FormatSettings.CurrencyString = "$";
  SetClipboardString(nullptr, " $12.5 ");
  Type("c");
  Key('V', kCtrl);
  EXPECT_EQ(calc->display, "12.5");
  EXPECT_EQ(calc->GetEntryState(), csOperandEntered);
  Type("*2=");
  EXPECT_EQ(calc->display, "25");
  SetClipboardString(nullptr, "twelve");
  Key('V', kCtrl);
  EXPECT_EQ(calc->display, "0");
  EXPECT_EQ(calc->GetEntryState(), csResultShown);
}

TEST_F(Calculator, Screenshot) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output) GTEST_SKIP() << "no folder for pictures";
  form->SetColor(clBtnFace);
  Type("1234.5");
  ScriptMouseMove(Centre(cbNum8));
  Pump();
  EXPECT_TRUE(calc->Focused());
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-calculator.png"));
}

}  // namespace
