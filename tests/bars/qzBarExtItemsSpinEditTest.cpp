#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Clock.h"
#include "user/InputEvents.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Painting.h"

namespace {

struct TSpinLog : TObject {
  std::vector<TqzBarSpinEditButton> buttons;
  void Clicked(TObject*, TqzBarSpinEditButton AButton) { buttons.push_back(AButton); }
};

class SpinEdits : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    spin = new TqzBarSpinEdit(form);
  }
  TqzBarSpinEdit* spin = nullptr;
};

TEST_F(SpinEdits, ValuesKeepToTheirTypeAndBounds) {
  EXPECT_EQ(spin->GetText(), "0");
  struct Case {
    TqzBarSpinEditValueType type;
    Extended min, max, value;
    const char* text;
  } cases[] = {
      {svtInteger, -5, 5, 9, "5"},          {svtInteger, -5, 5, -9, "-5"},
      {svtInteger, 0, 0, 123456, "123456"},  {svtInteger, 0, 0, 2.9, "2"},
      {svtInteger, 0, 0, -2.9, "-2"},        {svtFloat, 0, 0, 2.5, "2.5"},
      {svtFloat, 1, 2, 0.5, "1"},            {svtInteger, 0, 0, 5e9, "5000000000"},
      // Beyond the whole numbers: held to the largest one before the truncation.
      {svtInteger, 0, 0, 1e30, "9223372036854774784"},
  };
  for (const Case& c : cases) {
    auto* item = new TqzBarSpinEdit(form);
    item->SetValueType(c.type);
    item->SetMaxValue(c.max);
    item->SetMinValue(c.min);
    item->SetValue(c.value);
    EXPECT_EQ(item->GetText(), c.text) << c.value;
  }
}

TEST_F(SpinEdits, TextsThatAreNoNumberChangeNothing) {
  spin->SetValue(42);
  for (const char* text : {"abc", "", "12abc", "99999999999999999999999"}) {
    spin->SetText(text);
    EXPECT_EQ(spin->GetText(), "42") << text;
  }
  spin->SetText("17");
  EXPECT_EQ(spin->GetValue(), 17);
}

TEST_F(SpinEdits, ThePrefixGoesBeforeOrAfterAndIsNeverPartOfTheNumber) {
  spin->SetValue(25);
  spin->SetPrefix(" px");
  EXPECT_EQ(spin->GetText(), "25 px");
  spin->SetPrefixPlace(ppStart);
  EXPECT_EQ(spin->GetText(), " px25");
  EXPECT_EQ(spin->GetValue(), 25);
  spin->SetText(" px30");
  EXPECT_EQ(spin->GetValue(), 30);
}

TEST_F(SpinEdits, BoundsIncrementAndTypeSwitch) {
  spin->SetIncrement(0.5);
  EXPECT_EQ(spin->GetIncrement(), 1);
  spin->SetMinValue(10);
  EXPECT_EQ(spin->GetMaxValue(), 10);
  EXPECT_EQ(spin->GetText(), "10");
  spin->SetMaxValue(4);
  EXPECT_EQ(spin->GetMinValue(), 4);
  EXPECT_EQ(spin->GetText(), "4");
  auto* item = new TqzBarSpinEdit(form);
  item->SetValueType(svtFloat);
  item->SetIncrement(0.25);
  item->SetMaxValue(9.5);
  item->SetMinValue(-1.5);
  item->SetValue(2.75);
  item->SetValueType(svtInteger);
  EXPECT_EQ(item->GetText(), "2");
  EXPECT_EQ(item->GetIncrement(), 1);
  EXPECT_EQ(item->GetMinValue(), -1);
  EXPECT_EQ(item->GetMaxValue(), 9);
}

TEST_F(SpinEdits, OnlyNumberKeysReachTheEditor) {
  auto typed = [&](Char AKey) {
    Char key = AKey;
    spin->FireKeyPress(key);
    return key != 0;
  };
  EXPECT_TRUE(typed('7'));
  EXPECT_TRUE(typed(8));
  EXPECT_FALSE(typed('a'));
  EXPECT_FALSE(typed('-'));
  EXPECT_FALSE(typed('.'));
  spin->SetMinValue(-5);
  spin->SetValueType(svtFloat);
  EXPECT_TRUE(typed('-'));
  EXPECT_TRUE(typed(FormatSettings.DecimalSeparator));
}

// A spin edit on a docked toolbar, edited in place.
class SpinEditsOnABar : public SpinEdits {
 protected:
  void SetUp() override {
    SpinEdits::SetUp();
    form->SetBounds(40, 30, 420, 200);
    form->Show();
    spin->SetCaption("Quality:");
    spin->SetWidth(90);
    spin->SetMinValue(-10);
    spin->SetMaxValue(100);
    spin->SetOnButtonClick(MakeEvent<&TSpinLog::Clicked>(&log));
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Encode");
    bar->GetItemLinks()->AddLinkForItem(spin);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  void PassTime(uint64_t AMilliseconds) {
    for (uint64_t t = 0; t < AMilliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      Pump();
    }
  }
  TqzBarSpinEditControl* Control() {
    return dynamic_cast<TqzBarSpinEditControl*>(bar->GetItemLinks()->GetLink(0)->GetControl());
  }
  POINT ScreenPoint(const TRect& R) {
    TPoint p = bar->GetBarControl()->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return {p.X, p.Y};
  }
  TSpinLog log;
  TqzBar* bar = nullptr;
};

TEST_F(SpinEditsOnABar, TheButtonsStandRightOfTheEditPart) {
  TqzBarSpinEditControl* control = Control();
  ASSERT_NE(control, nullptr);
  const std::vector<TRect>& parts = control->GetPartRects();
  ASSERT_EQ(parts.size(), 5u);
  const TRect& up = parts[qzSpinUpPart];
  const TRect& down = parts[qzSpinDownPart];
  EXPECT_FALSE(up.Width() <= 0 || up.Height() <= 0);
  EXPECT_EQ(up.Bottom, down.Top);
  EXPECT_EQ(up.Left, down.Left);
  EXPECT_LT(parts[qzEditPart].Right, up.Left);
  TSize arrow;
  control->Painter()->ClassRef()->GetSpinArrowSize(20, arrow);
  EXPECT_EQ(arrow, TSize(7, 4));
  EXPECT_EQ(control->Painter()->ClassRef()->SpinButtonWidth(qzPaintHorizontal, TRect(0, 0, 50, 20)), 17);
}

TEST_F(SpinEditsOnABar, HoldingAButtonStepsAtOnceThenAfterTheDoubleClickTimeThenEvery100Ms) {
  TqzBarSpinEditControl* control = Control();
  ASSERT_NE(control, nullptr);
  POINT up = ScreenPoint(control->GetPartRects()[qzSpinUpPart]);
  ScriptMouseMove(up);
  InputMouseButton(up, MouseButton::Left, true);
  Pump();
  EXPECT_EQ(log.buttons.size(), 1u);
  UINT first = GetDoubleClickTime() - 100;
  PassTime(first - 20);
  EXPECT_EQ(log.buttons.size(), 1u);
  PassTime(30);
  EXPECT_EQ(log.buttons.size(), 2u);
  PassTime(300);
  EXPECT_EQ(log.buttons.size(), 5u);
  InputMouseButton(up, MouseButton::Left, false);
  Pump();
  PassTime(500);
  EXPECT_EQ(log.buttons.size(), 5u);
  EXPECT_EQ(control->GetActiveButtonIndex(), -1);
  for (TqzBarSpinEditButton button : log.buttons) EXPECT_EQ(button, sbUp);
  String text;
  if (control->GetInPlaceActive()) control->GetInnerText(text); else text = spin->GetText();
  EXPECT_EQ(text, "5");
}

TEST_F(SpinEditsOnABar, UpAndDownStepTheValueInPlace) {
  TqzBarSpinEditControl* control = Control();
  ScriptClick(ScreenPoint(control->GetPartRects()[qzEditPart]));
  Pump();
  ASSERT_TRUE(control->GetInPlaceActive());
  for (UINT key : {VK_UP, VK_UP, VK_UP, VK_DOWN}) ScriptKeyPress(key);
  Pump();
  String text;
  control->GetInnerText(text);
  EXPECT_EQ(text, "2");
  EXPECT_EQ(log.buttons, (std::vector<TqzBarSpinEditButton>{sbUp, sbUp, sbUp, sbDown}));
  ScriptKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(spin->GetValue(), 2);
}

}  // namespace
