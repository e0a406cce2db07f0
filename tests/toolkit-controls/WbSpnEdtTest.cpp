// The spin edit: value model, stepping by keys and buttons, the key filter, and the buttons' layout.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/controls/WbSpnEdt.h"
#include "user/VirtualKeys.h"

namespace {

struct Stepper : TObject {
  std::vector<Extended> Asked;
  bool Allow = true;
  int ButtonClicks = 0;
  void Changing(TObject*, Extended NewValue, bool& AllowChange) {
    Asked.push_back(NewValue);
    AllowChange = Allow;
  }
  void Button(TObject*, TSpinButtonType) { ++ButtonClicks; }
};

class WbSpinEditTest : public VclTest {
 protected:
  TWbSpinEdit* NewSpin() {
    form = NewForm(100, 100, 300, 200);
    form->SetBorderStyle(bsNone);
    auto* spin = new TWbSpinEdit(form);
    spin->SetParent(form);
    spin->SetBounds(10, 10, 80, 22);
    spin->SetOnChanging(MakeEvent<&Stepper::Changing>(&stepper));
    spin->SetOnButtonClick(MakeEvent<&Stepper::Button>(&stepper));
    form->Show();
    spin->SetFocus();
    Settle();
    return spin;
  }
  TForm* form = nullptr;
  Stepper stepper;
};

}  // namespace

TEST_F(WbSpinEditTest, ValueModel) {
  struct Case {
    const char* Name;
    Extended Min, Max;
    bool CheckRange, IntegersOnly;
    Byte Decimals;
    Extended Set;
    const char* Text;
  };
  const Case kCases[] = {
      {"clamped to Max", 0, 100, false, true, 0, 120, "100"},
      {"Min = Max passes unchecked", 5, 5, false, true, 0, 12, "12"},
      {"Min = Max with CheckRange", 5, 5, true, true, 0, 12, "5"},
      {"decimals", 0, 100, false, false, 2, 1.5, "1.50"},
      {"below Min", -10, 10, false, true, 0, -20, "-10"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    TWbSpinEdit spin(nullptr);
    spin.SetMax(c.Max);
    spin.SetMin(c.Min);
    spin.SetCheckRange(c.CheckRange);
    spin.SetIntegersOnly(c.IntegersOnly);
    spin.SetDecimals(c.Decimals);
    spin.SetValue(c.Set);
    EXPECT_EQ(spin.GetText(), c.Text);
  }
  TWbSpinEdit spin(nullptr);
  EXPECT_EQ(spin.GetText(), "0");
  spin.SetMin(200);  // Min above Max raises Max; with Min = Max the value is left as it is
  EXPECT_EQ(spin.GetMax(), 200);
  EXPECT_EQ(spin.GetText(), "0");
  // An empty text reads as Min and gets Min's text, unless blanks are allowed.
  spin.SetText("");
  EXPECT_EQ(spin.GetValue(), 200);
  EXPECT_EQ(spin.GetText(), "200");
  spin.SetAllowBlank(true);
  spin.SetBlankValue(7);
  spin.SetText("");
  EXPECT_EQ(spin.GetValue(), 7);
  EXPECT_EQ(spin.GetText(), "");
  spin.SetText("junk");
  EXPECT_EQ(spin.GetValue(), 200);
  // Switching to integers leaves an integer text.
  spin.SetMin(0);
  spin.SetIntegersOnly(false);
  spin.SetDecimals(1);
  spin.SetValue(2.5);
  spin.SetIntegersOnly(true);
  EXPECT_EQ(spin.GetDecimals(), 0);
  EXPECT_EQ(spin.GetText(), "3");  // the fixed-point text with no decimals, read back
}

TEST_F(WbSpinEditTest, KeysStepAndOnChangingSeesTheUnclampedValue) {
  TWbSpinEdit* spin = NewSpin();
  ScriptKeyPress(VK_UP);
  Settle();
  EXPECT_EQ(spin->GetText(), "1");
  spin->SetValue(95);
  ScriptKeyPress(VK_PRIOR);
  Settle();
  EXPECT_EQ(spin->GetText(), "100");
  EXPECT_EQ(stepper.Asked.back(), 105);
  stepper.Allow = false;
  ScriptKeyPress(VK_NEXT);
  Settle();
  EXPECT_EQ(spin->GetText(), "100");
  EXPECT_EQ(stepper.ButtonClicks, 2);
}

TEST_F(WbSpinEditTest, TypingIsOffByDefault) {
  TWbSpinEdit* spin = NewSpin();
  spin->SetValue(5);
  spin->SetSelStart(1);
  ScriptTypeText("3");
  ScriptKeyPress(VK_BACK);
  ScriptKeyPress(VK_DELETE);
  Settle();
  EXPECT_EQ(spin->GetText(), "5");
  spin->SetAllowKeyEdit(true);
  spin->SetSelStart(1);
  ScriptTypeText("3x");
  Settle();
  EXPECT_EQ(spin->GetText(), "53");
  spin->SetIntegersOnly(false);
  spin->SetSelStart(2);
  ScriptTypeText("..4");  // one separator only
  Settle();
  EXPECT_EQ(spin->GetText(), "53.4");
}

TEST_F(WbSpinEditTest, ButtonsRepeatAndLayOutByOrientation) {
  TWbSpinEdit* spin = NewSpin();
  TWbControlButton* up = spin->GetButton(sbUp);
  TPoint at = up->ClientToScreen({up->GetWidth() / 2, up->GetHeight() / 2});
  InputMouseButton({at.X, at.Y}, MouseButton::Left, true);
  Settle();
  clock.Advance(400);
  Settle();
  clock.Advance(100);
  Settle();
  InputMouseButton({at.X, at.Y}, MouseButton::Left, false);
  Settle();
  EXPECT_EQ(spin->GetText(), "3");  // two repeats and the release
  TWbSpinButtons* buttons = spin->GetButtons();
  const Integer width = buttons->GetWidth();
  spin->SetOrientation(orHorizontal);
  EXPECT_EQ(buttons->GetWidth(), width * 2);
  EXPECT_EQ(buttons->GetDownLeftButton()->GetLeft(), 0);
  spin->SetOrientation(orVertical);
  EXPECT_EQ(buttons->GetWidth(), width);
  spin->SetReadOnly(true);
  EXPECT_FALSE(buttons->GetVisible());
}

TEST_F(WbSpinEditTest, CustomGlyphsReplaceTheArrows) {
  TWbSpinEdit spin(nullptr);
  TWbControlButton* up = spin.GetButton(sbUp);
  EXPECT_EQ(up->GetStyle(), cbsUp);
  TBitmap glyph;
  FillBitmap(glyph, 14, 7, clRed);
  spin.SetButtonUpGlyph(&glyph);
  EXPECT_EQ(up->GetStyle(), cbsNone);
  EXPECT_TRUE(spin.IsUpGlyphStored());
  EXPECT_FALSE(spin.IsDownGlyphStored());
  EXPECT_EQ(spin.GetButtonUpNumGlyphs(), 2);
  spin.SetDirection(sdLeftRight);  // a new direction brings the arrows back
  EXPECT_EQ(up->GetStyle(), cbsRight);
  EXPECT_EQ(spin.GetButton(sbDown)->GetStyle(), cbsLeft);
  EXPECT_FALSE(spin.IsUpGlyphStored());
}
