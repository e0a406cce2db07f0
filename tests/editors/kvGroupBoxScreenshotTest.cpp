// Pictures for a person to look at: group boxes with their caption in each of the thirteen
// places, plain, with a shadow and in the panel style; saved under $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvGroupBox.h"

namespace {

const char* const kPlaces[] = {"TopLeft",  "TopCenter",  "TopRight",  "BottomLeft",  "BottomCenter",
                               "BottomRight", "LeftTop", "LeftCenter", "LeftBottom", "RightTop",
                               "RightCenter", "RightBottom", "CenterCenter"};

using GroupBoxScreenshot = EditorsTest;

TEST_F(GroupBoxScreenshot, TheThirteenCaptionPlacesPlainWithShadowAndAsPanels) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(0, 0, 5 * 150 + 10, 9 * 80 + 10);
  form->SetColor(clBtnFace);
  for (Integer kind = 0; kind < 3; ++kind)
    for (Integer a = alTopLeft; a <= alCenterCenter; ++a) {
      auto* box = new TkvCustomGroupBox(form);
      box->SetParent(form);
      const Integer cell = kind * 15 + a;
      box->SetBounds(10 + (cell % 5) * 150, 10 + (cell / 5) * 80, 140, 70);
      box->SetCaption(kPlaces[a]);
      box->SetAlignment(static_cast<TkvCaptionAlignment>(a));
      if (kind == 1) box->GetStyle()->SetShadow(true);
      if (kind == 2) {
        box->GetPanelStyle()->SetActive(true);
        box->GetStyle()->SetBorderStyle(cbsSingle);
      }
    }
  form->Show();
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-group-boxes.png"));
}

TEST_F(GroupBoxScreenshot, CaptionPlacesUnderABuiltInSkin) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(0, 0, 5 * 150 + 10, 3 * 80 + 10);
  form->SetColor(clBtnFace);
  for (Integer a = alTopLeft; a <= alCenterCenter; ++a) {
    auto* box = new TkvCustomGroupBox(form);
    box->SetParent(form);
    box->SetBounds(10 + (a % 5) * 150, 10 + (a / 5) * 80, 140, 70);
    box->GetStyle()->GetLookAndFeel()->SetSkinName("Skin02");
    box->SetCaption(kPlaces[a]);
    box->SetAlignment(static_cast<TkvCaptionAlignment>(a));
  }
  form->Show();
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-group-boxes-skin.png"));
}

}  // namespace
