#include <functional>
#include <vector>

#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/Button.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "vcl/ControlsMessages.h"
#include "vcl/StdCtrls.h"

namespace {

// A menu that records where it was asked to open instead of running its loop.
class TRecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  std::vector<TPoint> popups;
  void Popup(Integer X, Integer Y) override { popups.push_back(TPoint(X, Y)); }
};

// Counts the background fills.
class TCountingRadio : public TkvRadioButton {
 public:
  using TkvRadioButton::TkvRadioButton;
  int backgrounds = 0;
  void PaintBackground() override {
    ++backgrounds;
    TkvRadioButton::PaintBackground();
  }
};

struct ClickCounter : TObject {
  int clicks = 0;
  void Click(TObject*) { ++clicks; }
};

class RadioButtons : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(100, 100, 400, 300);
    form->SetColor(clBtnFace);
    form->Show();
    Pump();
  }
  TkvRadioButton* NewRadio(Integer Left, Integer Top, const char* Caption = "Option") {
    auto* radio = new TkvRadioButton(form);
    radio->SetParent(form);
    radio->SetBounds(Left, Top, 120, 20);
    radio->SetCaption(Caption);
    radio->GetLookAndFeel()->SetKind(lfStandard);
    radio->SetOnClick(MakeEvent<&ClickCounter::Click>(&counter));
    return radio;
  }
  // The form's pixels right of the glyph, where the caption is drawn.
  std::vector<TColor> CaptionPixels(TkvRadioButton* Radio) {
    std::vector<TColor> pixels;
    for (Integer y = 0; y < Radio->GetHeight(); ++y)
      for (Integer x = Radio->GetButtonRect().Right + 1; x < Radio->GetWidth(); ++x)
        pixels.push_back(FormPixel(Radio->GetLeft() + x, Radio->GetTop() + y));
    return pixels;
  }
  static LPARAM At(Integer X, Integer Y) { return MAKELPARAM(X, Y); }
  ClickCounter counter;
};

TEST_F(RadioButtons, EnteringAnUncheckedButtonChecksItWithOneClick) {
  struct Case {
    const char* name;
    bool checkedBefore;
    int clicks;
  };
  const Case kCases[] = {{"unchecked", false, 1}, {"already checked", true, 0}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto* other = new TButton(form);
    other->SetParent(form);
    other->SetBounds(200, 10, 80, 24);
    TkvRadioButton* radio = NewRadio(10, 10);
    radio->SetTabStop(true);
    radio->SetChecked(c.checkedBefore);
    other->SetFocus();
    Pump();
    counter.clicks = 0;
    radio->SetFocus();
    Pump();
    EXPECT_TRUE(radio->GetChecked());
    EXPECT_EQ(counter.clicks, c.clicks);
    delete radio;
    delete other;
  }
}

TEST_F(RadioButtons, StateFollowsTheMouseEnabledAndCapture) {
  struct Case {
    const char* name;
    std::function<void(TkvRadioButton*)> act;
    TkvRadioButtonState state;
  };
  const Case kCases[] = {
      {"at rest", [](TkvRadioButton*) {}, rbsNormal},
      {"hovered", [](TkvRadioButton* r) { r->Perform(WM_MOUSEMOVE, 0, At(30, 10)); }, rbsHot},
      {"hovered with Shift held", [](TkvRadioButton* r) { r->Perform(WM_MOUSEMOVE, MK_SHIFT, At(30, 10)); },
       rbsNormal},
      {"hovered with the button held", [](TkvRadioButton* r) { r->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(30, 10)); },
       rbsNormal},
      {"pressed", [](TkvRadioButton* r) { SendMessage(r->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10)); },
       rbsPressed},
      {"pressed and dragged off",
       [](TkvRadioButton* r) {
         SendMessage(r->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
         SendMessage(r->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, At(300, 10));
       },
       rbsHot},
      {"left after hovering",
       [](TkvRadioButton* r) {
         r->Perform(WM_MOUSEMOVE, 0, At(30, 10));
         r->Perform(CM_MOUSELEAVE, 0, 0);
       },
       rbsNormal},
      {"disabled", [](TkvRadioButton* r) { r->SetEnabled(false); }, rbsDisabled},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TkvRadioButton* radio = NewRadio(10, 10);
    Pump();
    c.act(radio);
    EXPECT_EQ(radio->GetButtonState(), c.state);
    if (GetCapture() == radio->GetHandle()) ReleaseCapture();
    delete radio;
  }
}

TEST_F(RadioButtons, PopupMenuTakesOnlyMenusAndOpensAtTheOriginFromTheKeyboard) {
  TkvRadioButton* radio = NewRadio(10, 40);
  auto* other = new TButton(form);
  radio->SetKvPopupMenu(other);
  EXPECT_EQ(radio->GetKvPopupMenu(), nullptr);

  auto* menu = new TRecordingMenu(form);
  radio->SetKvPopupMenu(menu);
  EXPECT_EQ(radio->GetKvPopupMenu(), menu);
  Pump();
  EXPECT_EQ(radio->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(radio->GetHandle()), At(-1, -1)), 1);
  ASSERT_EQ(menu->popups.size(), 1u);
  EXPECT_EQ(menu->popups[0], radio->ClientToScreen(TPoint(0, 0)));

  delete menu;
  EXPECT_EQ(radio->GetKvPopupMenu(), nullptr);
}

TEST_F(RadioButtons, DisabledCaptionIsEmbossedUntilEnabledAndEmptyCaptionHasNoFocusFrame) {
  TkvRadioButton* enabled = NewRadio(10, 10, "Fast");
  TkvRadioButton* disabled = NewRadio(10, 40, "Fast");
  disabled->SetEnabled(false);
  Pump();
  auto highlights = [](const std::vector<TColor>& Pixels) {
    return std::count(Pixels.begin(), Pixels.end(), ColorToRGB(clBtnHighlight));
  };
  EXPECT_EQ(highlights(CaptionPixels(enabled)), 0);
  EXPECT_GT(highlights(CaptionPixels(disabled)), 0);
  // Enabled again, it paints its background over the embossed caption.
  disabled->SetEnabled(true);
  Pump();
  EXPECT_EQ(CaptionPixels(disabled), CaptionPixels(enabled));

  // Focus draws a frame round a caption, and nothing where there is none.
  struct Case {
    const char* caption;
    bool changes;
  };
  const Case kCases[] = {{"Fast", true}, {"", false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.caption);
    TkvRadioButton* radio = NewRadio(10, 70, c.caption);
    radio->SetChecked(true);
    Pump();
    const std::vector<TColor> before = CaptionPixels(radio);
    radio->SetFocus();
    Pump();
    EXPECT_EQ(CaptionPixels(radio) != before, c.changes);
    delete radio;
  }
}

TEST_F(RadioButtons, FocusChangeRepaintsNoBackground) {
  auto* radio = new TCountingRadio(form);
  radio->SetParent(form);
  radio->SetBounds(10, 10, 120, 20);
  radio->SetCaption("Fast");
  radio->SetChecked(true);
  Pump();
  radio->backgrounds = 0;
  radio->SetFocus();
  Pump();
  EXPECT_EQ(radio->backgrounds, 0);
  radio->SetChecked(false);
  Pump();
  EXPECT_GT(radio->backgrounds, 0);
}

}  // namespace
