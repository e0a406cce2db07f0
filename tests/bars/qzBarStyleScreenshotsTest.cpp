#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "rtl/SysUtils.h"
#include "user/Messages.h"
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
  TqzBar* menu = AddBar("Menu", {"&Edit", "&View", "&Help"}, psCaption, dsTop);
  // File opens a menu with a sub-menu: Open, Recent > (One, Two), Exit.
  auto* file = new TqzBarSubItem(form);
  file->SetCaption("&File");
  auto* recent = new TqzBarSubItem(form);
  recent->SetCaption("&Recent");
  for (const char* caption : {"&Open", "", "E&xit"}) {
    if (!*caption) {
      file->GetItemLinks()->AddLinkForItem(recent);
      continue;
    }
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    item->SetGlyph(&glyph);
    file->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(caption[1] == 'x');
  }
  for (const char* caption : {"One", "Two"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    recent->GetItemLinks()->AddLinkForItem(item);
  }
  menu->GetItemLinks()->AddLinkForItem(file)->SetIndex(0);
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
    // The File menu open, with Recent's menu beside it.
    auto* entry = dynamic_cast<TqzBarSubItemControl*>(menu->GetItemLinks()->GetLink(0)->GetControl());
    ASSERT_NE(entry, nullptr);
    entry->OpenSubMenu(true);
    Pump();
    TqzBarSubMenuControl* opened = entry->GetSubMenu();
    ASSERT_NE(opened, nullptr) << style.name;
    opened->SetSelectedControl(file->GetItemLinks()->GetLink(1)->GetControl());
    SendMessage(opened->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-style-" + style.name + ".png")) << style.name;
    entry->CloseSubMenu();
    Pump();
  }
}

}  // namespace
