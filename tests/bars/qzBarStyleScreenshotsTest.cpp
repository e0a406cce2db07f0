#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "rtl/SysUtils.h"
#include "user/Painting.h"
#include "vcl/Forms.h"

namespace {

// A form with a main menu, a docked toolbar and a floating one, saved in every painting style.
class StyleScreenshots : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 260);
    form->SetColor(clBtnFace);
    form->Show();
    glyph.SetSize(16, 16);
    glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    glyph.GetCanvas()->GetBrush()->SetColor(clNavy);
    glyph.GetCanvas()->FillRect(TRect(3, 3, 13, 13));
    glyph.SetTransparentColor(clFuchsia);
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    UpdateAllWindows();
  }
  TqzBar* AddBar(const char* ACaption, std::initializer_list<const char*> ACaptions, TqzBarPaintStyle APaintStyle,
                 TqzBarDockingStyle AStyle) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    Integer index = 0;
    for (const char* caption : ACaptions) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(caption);
      item->SetPaintStyle(APaintStyle);
      // Toolbars show a split button, a latched one and a disabled one.
      if (APaintStyle != psCaption) {
        item->SetGlyph(&glyph);
        if (index == 1) item->SetButtonStyle(bsDropDown);
        if (index == 2) {
          item->SetButtonStyle(bsChecked);
          item->SetDown(true);
        }
        if (index == 3) item->SetEnabled(false);
      }
      bar->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(index == 2);
      ++index;
    }
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  TBitmap glyph;
};

TEST_F(StyleScreenshots, TheFormInEachStyle) {
  TqzBar* menu = AddBar("Menu", {"&File", "&Edit", "&View", "&Help"}, psCaption, dsTop);
  menu->SetIsMainMenu(true);
  AddBar("Standard", {"New", "Open", "Bold", "Cut"}, psStandard, dsTop);
  TqzBar* floating = AddBar("Format", {"Left", "Centre", "Right", "Justify"}, psStandard, dsNone);
  floating->SetFloatLeft(200);
  floating->SetFloatTop(170);
  Pump();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  struct Style {
    TqzBarManagerStyle style;
    const char* name;
  } styles[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"},
                {bmsOffice11, "office11"}, {bmsXP, "xp"}};
  for (const Style& style : styles) {
    manager->SetStyle(style.style);
    manager->GetBars()->RebuildAll();
    Pump();
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-style-" + style.name + ".png")) << style.name;
  }
}

}  // namespace
