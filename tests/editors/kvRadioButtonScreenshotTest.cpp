// A picture for a person to look at: look-and-feel radio buttons in each look and state; saved
// under $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

namespace {

// Shows its focused look without holding the one focus of the screen.
class TShowcaseRadio : public TkvRadioButton {
 public:
  using TkvRadioButton::TkvRadioButton;
  bool showFocused = false;
  bool Focused() override { return showFocused || TkvRadioButton::Focused(); }
};

using RadioButtonScreenshot = EditorsTest;

TEST_F(RadioButtonScreenshot, RadioButtonsInEachLookAndState) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(10, 10, 760, 330);
  form->SetColor(clBtnFace);
  const std::pair<TkvLookAndFeelKind, const char*> kLooks[] = {
      {lfStandard, "Standard"}, {lfFlat, "Flat"}, {lfUltraFlat, "UltraFlat"}, {lfOffice11, "Office11"}};
  const char* kStates[] = {"normal", "hot", "pressed", "disabled", "focused", "caption left", "word wrap"};
  std::vector<TShowcaseRadio*> hot, pressed;
  for (int look = 0; look < 4; ++look) {
    auto* title = new TLabel(form);
    title->SetParent(form);
    title->SetCaption(kLooks[look].second);
    title->SetBounds(110 + look * 160, 8, 150, 16);
    for (int state = 0; state < 7; ++state) {
      if (look == 0) {
        auto* label = new TLabel(form);
        label->SetParent(form);
        label->SetCaption(kStates[state]);
        label->SetBounds(10, 36 + state * 40, 90, 16);
      }
      for (int checked = 0; checked < 2; ++checked) {
        auto* radio = new TShowcaseRadio(form);
        // Each radio on a panel of its own, so that checking one leaves the others alone.
        auto* panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBevelOuter(bvNone);
        panel->SetBounds(110 + look * 160, 30 + state * 40 + checked * 18, 150, 18);
        radio->SetParent(panel);
        radio->SetBounds(0, 0, 150, state == 6 ? 18 : 17);
        radio->GetLookAndFeel()->SetKind(kLooks[look].first);
        radio->SetCaption(state == 6 ? "Keep the source frame rate" : checked ? "&High quality" : "&Fast encoding");
        radio->SetChecked(checked == 1);
        if (state == 1) hot.push_back(radio);
        if (state == 2) pressed.push_back(radio);
        if (state == 3) radio->SetEnabled(false);
        if (state == 4) radio->showFocused = true;
        if (state == 5) radio->SetAlignment(taLeftJustify);
        if (state == 6) {
          radio->SetWordWrap(true);
          panel->SetHeight(34);
          radio->SetHeight(34);
          radio->SetWidth(checked ? 150 : 120);
          panel->SetTop(30 + state * 40 + checked * 36);
        }
      }
    }
  }
  // The screen's one focus rests on a push button, away from the radios shown.
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetBounds(660, 340, 80, 24);
  ok->SetCaption("OK");
  form->SetHeight(376);
  form->Show();
  ok->SetFocus();
  Pump();
  for (TShowcaseRadio* radio : hot) radio->UpdateState(0, TShiftState{}, TPoint(5, 5));
  for (TShowcaseRadio* radio : pressed) {
    SetCapture(radio->GetHandle());
    radio->UpdateState(1, TShiftState{ssLeft}, TPoint(5, 5));
    ReleaseCapture();
  }
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-radio-buttons.png"));
}

}  // namespace
