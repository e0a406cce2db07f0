// A picture for a person to look at: base controls with both scroll bars in each look, a popup
// and a hint, saved under $TAVREN_TEST_OUTPUT.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "backend/HeadlessBackend.h"
#include "toolkit/foundation/kvControls.h"
#include "user/User.h"

namespace {

// A control with more to show than room in both directions.
class TScrolledControl : public TkvControl {
  TAVREN_CLASS(TScrolledControl, TkvControl)
 public:
  using TkvControl::TkvControl;
  void ComputeScrollBarParams() override {
    StoreScrollBarParams(sbHorizontal, 0, 499, 1, 100, 120, true, true);
    StoreScrollBarParams(sbVertical, 0, 299, 1, 60, 40, true, true);
  }

 protected:
  void Paint() override {
    TkvControl::Paint();
    GetKvCanvas()->FillWithColor(ClientArea(), clWindow);
  }
};

}  // namespace

TAVREN_CLASS_IMPL(TScrolledControl)

TEST(KvControlsScreenshot, ScrollBarsInEachLookAPopupAndAHint) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  HeadlessBackend screen;
  SetDisplayBackend(&screen);
  auto pump = [] {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    UpdateAllWindows();
  };
  {
    auto* form = new TForm(nullptr, 0);
    form->SetBounds(40, 40, 560, 360);
    form->SetCaption("Base controls");
    const TkvLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
    for (int i = 0; i < 4; ++i) {
      auto* control = new TScrolledControl(form);
      control->SetParent(form);
      control->SetBorderStyle(1);
      control->GetLookAndFeelObject()->SetKind(kinds[i]);
      control->SetBounds(10 + (i % 2) * 270, 10 + (i / 2) * 150, 250, 130);
    }
    form->Show();
    pump();
    auto* popup = new TkvPopupWindow(nullptr);
    popup->SetBounds(0, 0, 160, 90);
    popup->SetPopupBorderStyle(1);
    popup->SetColor(clWindow);
    popup->SetOwnerParent(form);
    popup->SetOwnerBounds(TRect(300, 60, 400, 80));
    popup->OpenPopup();
    auto* hint = new TkvBaseHintWindow(nullptr);
    hint->SetAnimationStyle(9);
    hint->ActivateHint(TRect(120, 330, 300, 350), "A hint kept inside the work area");
    pump();
    EXPECT_TRUE(screen.SaveScreenPng(String(output) + "/foundation-controls.png"));
    delete hint;
    delete popup;
    delete form;
    pump();
  }
  SetDisplayBackend(nullptr);
}
