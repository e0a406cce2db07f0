#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "BarsTestSupport.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"

namespace {

// A dock site placed on a shown form, with its manager.
class PlacedDockSite : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    site = new TqzBarDockControl(form);
    site->SetName("BarDockControl1");
    site->SetParent(form);
    site->SetBarManager(manager);
    Pump();
  }
  TqzBar* AddBar(const char* ACaption, Integer AButtons) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    for (Integer i = 0; i < AButtons; ++i) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(String("Cmd") + IntToStr(i));
      item->SetPaintStyle(psCaption);
      bar->GetItemLinks()->AddLinkForItem(item);
    }
    bar->SetDockControl(site);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  bool Listed(TqzBarManager* AManager, TqzDockControl* ASite) {
    const auto& sites = AManager->GetPublishedDockSites();
    return std::find(sites.begin(), sites.end(), ASite) != sites.end();
  }
  TqzBarDockControl* site = nullptr;
};

TEST_F(PlacedDockSite, HoldsItsBarsAndGoesBackToTheFormStream) {
  manager->SetName("BarManager1");
  EXPECT_EQ(site->GetAlign(), dalTop);
  EXPECT_EQ(site->TControl::GetAlign(), alTop);
  EXPECT_TRUE(Listed(manager, site));
  // Without rows the site takes no room; a bar docked into it gives it the bar's thickness.
  EXPECT_EQ(site->GetHeight(), 0);
  TqzBar* bar = AddBar("Tools", 3);
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetParent(), site);
  EXPECT_EQ(bar->GetDockingStyle(), dsTop);
  EXPECT_EQ(site->GetHeight(), window->GetHeight());
  site->SetAlign(dalLeft);
  site->SetSunkenBorder(true);
  site->SetColor(clRed);

  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("object BarDockControl1: TqzBarDockControl"), String::npos) << text;
  EXPECT_NE(text.find("Align = dalLeft"), String::npos) << text;
  EXPECT_NE(text.find("SunkenBorder = True"), String::npos) << text;
  EXPECT_NE(text.find("Color = clRed"), String::npos) << text;
  EXPECT_NE(text.find("DockControl = BarDockControl1"), String::npos) << text;

  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* readManager = dynamic_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  auto* readSite = dynamic_cast<TqzBarDockControl*>(copy->FindComponent("BarDockControl1"));
  ASSERT_NE(readManager, nullptr);
  ASSERT_NE(readSite, nullptr);
  EXPECT_EQ(readSite->GetBarManager(), readManager);
  EXPECT_TRUE(Listed(readManager, readSite));
  EXPECT_EQ(readSite->GetAlign(), dalLeft);
  EXPECT_EQ(readSite->GetDockingStyle(), dsLeft);
  EXPECT_TRUE(readSite->GetSunkenBorder());
  EXPECT_TRUE(readSite->GetUseOwnColor());
  EXPECT_EQ(readSite->GetColor(), clRed);
  TqzBar* readBar = readManager->GetBars()->GetBar(0);
  EXPECT_EQ(readBar->GetDockControl(), readSite);
  EXPECT_EQ(readBar->GetDockingStyle(), dsLeft);
  delete copy;
}

TEST_F(PlacedDockSite, ChangingTheSideRedocksEveryBar) {
  TqzBar* first = AddBar("First", 4);
  TqzBar* second = AddBar("Second", 2);
  second->SetRow(1);
  TqzBarControl* a = first->GetBarControl();
  TqzBarControl* b = second->GetBarControl();
  ASSERT_TRUE(a->IsDockedHorizontally());
  EXPECT_GT(a->GetWidth(), a->GetHeight());

  site->SetAlign(dalRight);
  Pump();
  EXPECT_EQ(site->TControl::GetAlign(), alRight);
  for (TqzBarControl* window : {a, b}) {
    EXPECT_EQ(window->GetDockingStyle(), dsRight);
    EXPECT_EQ(window->GetDockControl(), site);
    EXPECT_GT(window->GetHeight(), window->GetWidth());
    EXPECT_EQ(window->GetBar()->GetDockingStyle(), dsRight);
  }
  // The rows stay: two columns side by side, the site as wide as both and flush right.
  EXPECT_EQ(site->GetRowCount(), 2);
  EXPECT_EQ(b->GetLeft(), a->GetWidth());
  EXPECT_EQ(site->GetWidth(), a->GetWidth() + b->GetWidth());
  EXPECT_EQ(site->GetLeft() + site->GetWidth(), form->GetClientWidth());
}

TEST_F(PlacedDockSite, ColourIsTheManagersUntilTheSiteChoosesItsOwn) {
  struct Step {
    const char* what;
    std::function<void()> act;
    bool useOwn, parentColor;
    TColor color;
  };
  const Step kSteps[] = {
      {"manager picks", [&] { manager->SetDockColor(clYellow); }, false, false, clYellow},
      {"manager follows the form", [&] { manager->SetAutoDockColor(true); }, false, true, form->GetColor()},
      {"site picks", [&] { site->SetColor(clRed); }, true, false, clRed},
      {"manager's change passes by", [&] { manager->SetDockColor(clAqua); }, true, false, clRed},
      {"site gives it back", [&] { site->SetUseOwnColor(false); }, false, false, clAqua},
      {"site follows its parent", [&] { site->SetParentColor(true); }, true, true, form->GetColor()},
  };
  for (const Step& step : kSteps) {
    step.act();
    EXPECT_EQ(site->GetUseOwnColor(), step.useOwn) << step.what;
    EXPECT_EQ(site->GetParentColor(), step.parentColor) << step.what;
    EXPECT_EQ(site->GetColor(), step.color) << step.what;
  }
}

TEST_F(PlacedDockSite, SunkenBorderFramesTheRows) {
  TqzBar* bar = AddBar("Tools", 2);
  TqzBarControl* window = bar->GetBarControl();
  Integer plain = site->GetHeight();
  EXPECT_FALSE(site->GetSunkenBorder());
  // The manager's border is the site's until the site takes its own.
  manager->SetSunkenBorder(true);
  EXPECT_TRUE(site->GetSunkenBorder());
  site->SetUseOwnSunkenBorder(true);
  manager->SetSunkenBorder(false);
  EXPECT_TRUE(site->GetSunkenBorder());
  site->RecreateFrames();
  Pump();
  EXPECT_EQ(site->GetHeight(), plain + 2);
  EXPECT_EQ(site->GetClientHeight(), plain);
  EXPECT_EQ(window->GetTop(), 0);
  // Giving the border back to the manager takes the frame away.
  site->SetUseOwnSunkenBorder(false);
  Pump();
  EXPECT_FALSE(site->GetSunkenBorder());
  EXPECT_EQ(site->GetHeight(), plain);
  EXPECT_EQ(site->GetClientHeight(), plain);
}

TEST_F(PlacedDockSite, DraggedBarsFindThePlacedSiteUnlessItRefuses) {
  TqzBar* bar = AddBar("Tools", 2);
  site->SetBounds(0, 120, form->GetClientWidth(), 0);
  site->SetAlign(dalNone);
  site->SetBounds(0, 120, form->GetClientWidth(), 0);
  Pump();
  TqzBarControl* window = bar->GetBarControl();
  TqzBars* bars = manager->GetBars();
  TPoint inside = site->SiteToScreen(TPoint(30, 2));
  TqzBarDockingStyle style;
  TqzDockControl* target;
  bars->GetDockingTarget(window, inside, style, target);
  EXPECT_EQ(target, site);
  EXPECT_EQ(style, dsTop);
  site->SetAllowDocking(false);
  bars->GetDockingTarget(window, inside, style, target);
  EXPECT_EQ(target, nullptr);
  EXPECT_EQ(style, dsNone);
}

TEST_F(PlacedDockSite, SiteAndManagerForgetEachOtherWhicheverGoesFirst) {
  TqzBar* bar = AddBar("Tools", 2);
  // The site goes: its bar leaves it and the manager's list.
  delete site;
  site = nullptr;
  EXPECT_TRUE(manager->GetPublishedDockSites().empty());
  EXPECT_EQ(bar->GetDockControl(), nullptr);
  // The manager goes: a site that outlives it forgets it.
  auto* other = new TqzBarDockControl(nullptr);
  other->SetBarManager(manager);
  delete manager;
  manager = nullptr;
  EXPECT_EQ(other->GetBarManager(), nullptr);
  delete other;
}

}  // namespace
