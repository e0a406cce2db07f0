#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RibbonFixture.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"
#include "user/InputEvents.h"
#include "rtl/SysUtils.h"
#include "user/Rects.h"
#include "vcl/ImgList.h"

namespace {

// A ribbon with one tab of one group and a quick access toolbar of small image buttons.
class QuickAccessRibbon : public RibbonOnForm {
 protected:
  void SetUp() override {
    RibbonOnForm::SetUp();
    images = new TImageList(form);
    const TColor colours[] = {clNavy, clMaroon, clGreen, clTeal, clOlive, clPurple, clBlue, clRed};
    for (TColor colour : colours) {
      TBitmap image;
      image.SetSize(16, 16);
      image.GetCanvas()->GetBrush()->SetColor(clFuchsia);
      image.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
      image.GetCanvas()->GetBrush()->SetColor(colour);
      image.GetCanvas()->FillRect(TRect(2, 2, 14, 14));
      images->AddMasked(&image, clFuchsia);
    }
    manager->SetImages(images);
    ribbon->SetColorSchemeName("Blue");
    TqzRibbonTab* tab = AddTab("Home");
    group = AddBar("Clipboard");
    AddButtons(group, 3);
    group->SetVisible(true);
    tab->GetGroups()->AddGroup()->SetToolBar(group);
    quick = AddBar("Quick");
    AddButtons(quick, 3);
    quick->SetVisible(true);
    ribbon->GetQuickAccessToolbar()->SetToolbar(quick);
    Pump();
  }
  void AddButtons(TqzBar* ABar, Integer ACount) {
    for (Integer i = 0; i < ACount; ++i) {
      auto* button = new TqzBarButton(form);
      button->SetCaption("Command " + IntToStr(ABar->GetItemLinks()->GetCount() + 1));
      button->SetImageIndex(ABar->GetItemLinks()->GetCount() % 8);
      ABar->GetItemLinks()->AddLinkForItem(button);
    }
  }
  TqzRibbonQuickAccessBarControl* Window() { return dynamic_cast<TqzRibbonQuickAccessBarControl*>(quick->GetBarControl()); }
  TqzRibbonQuickAccessDockControl* Site() { return ribbon->GetQuickAccessToolbar()->GetDockControl(); }
  // The links the window shows: those with an item rectangle.
  Integer ShownLinks() {
    Integer shown = 0;
    for (Integer i = 0; i < quick->GetItemLinks()->GetVisibleLinkCount(); ++i)
      if (!IsRectEmpty(&quick->GetItemLinks()->GetVisibleLink(i)->GetItemRect())) ++shown;
    return shown;
  }
  // The site's rectangle in the ribbon's client coordinates.
  TRect SiteInRibbon() {
    POINT corner{0, 0};
    MapWindowPoints(Site()->GetHandle(), ribbon->GetHandle(), &corner, 1);
    return TRect(corner.X, corner.Y, corner.X + Site()->GetWidth(), corner.Y + Site()->GetHeight());
  }
  void SavePicture(const char* AName) {
    if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
      Pump();
      UpdateAllWindows();
      EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), std::string(root) + "/" + AName + ".png"));
    }
  }

  TImageList* images = nullptr;
  TqzBar* group = nullptr;
  TqzBar* quick = nullptr;
};

TEST_F(QuickAccessRibbon, TheToolbarShowsItsButtonsInOneRowAboveTheTabsAndEndsWithTheMark) {
  ASSERT_NE(Window(), nullptr) << "the site makes quick access windows";
  EXPECT_EQ(Window()->GetParent(), static_cast<TWinControl*>(Site()));
  EXPECT_TRUE(IsWindowVisible(Window()->GetHandle()));
  EXPECT_EQ(ShownLinks(), 3);
  Integer right = 0;
  for (Integer i = 0; i < 3; ++i) {
    const TRect r = quick->GetItemLinks()->GetVisibleLink(i)->GetItemRect();
    EXPECT_EQ(r.Left, right) << "one row without gaps, link " << i;
    EXPECT_EQ(r.Top, 0);
    right = r.Right;
  }
  EXPECT_TRUE(Window()->ShowsMark()) << "the ribbon has commands for the menus";
  EXPECT_EQ(Window()->GetClientWidth(), right + Window()->MarkSize()) << "the links and the mark, nothing more";
  TRect mark;
  Window()->MarkRect(mark);
  EXPECT_EQ(mark.Right, Window()->GetClientWidth());
  EXPECT_EQ(mark.Width() % 2, 1) << "the mark is always odd in width";

  TqzRibbonViewInfo* info = ribbon->GetViewInfo();
  const TRect site = SiteInRibbon();
  EXPECT_LE(site.Bottom, info->GetTabsViewInfo()->GetBounds().Top) << "above the tab row";
  EXPECT_TRUE(site.Left >= info->GetQuickAccessToolbarBounds().Left && site.Right <= info->GetQuickAccessToolbarBounds().Right);
  SavePicture("ribbon-quick-access-above");
}

TEST_F(QuickAccessRibbon, BelowTheRibbonTheToolbarFollowsTheGroupsAndTheRibbonGrows) {
  const Integer aboveHeight = ribbon->GetHeight();
  ribbon->GetQuickAccessToolbar()->SetPosition(qtpBelowRibbon);
  Pump();
  const TRect site = SiteInRibbon();
  EXPECT_GE(site.Top, ribbon->GetGroupsSite()->GetTop() + ribbon->GetGroupsSite()->GetHeight()) << "under the groups";
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0) << "the tab row takes the top";
  EXPECT_GT(ribbon->GetHeight(), aboveHeight - site.Height());
  EXPECT_EQ(ShownLinks(), 3);
  SavePicture("ribbon-quick-access-below");
}

TEST_F(QuickAccessRibbon, NarrowingHidesTheLinksThatDoNotFitAndTheMarkTellsSo) {
  AddButtons(quick, 17);
  Pump();
  EXPECT_EQ(ShownLinks(), 20) << "all fit at full width";
  EXPECT_FALSE(Window()->GetLinksHidden());
  form->SetWidth(360);
  Pump();
  const Integer shown = ShownLinks();
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 20);
  EXPECT_TRUE(Window()->GetLinksHidden());
  for (Integer i = 0; i < 20; ++i)
    EXPECT_EQ(IsRectEmpty(&quick->GetItemLinks()->GetVisibleLink(i)->GetItemRect()), i >= shown) << "the first links stay, " << i;
  const TRect last = quick->GetItemLinks()->GetVisibleLink(shown - 1)->GetItemRect();
  TRect mark;
  Window()->MarkRect(mark);
  EXPECT_LE(last.Right, mark.Left) << "the mark keeps its place";
  EXPECT_LE(SiteInRibbon().Right, ribbon->GetClientWidth());
  SavePicture("ribbon-quick-access-narrowed");
  form->SetWidth(640);
  Pump();
  EXPECT_EQ(ShownLinks(), 20) << "widening shows them again";
  EXPECT_FALSE(Window()->GetLinksHidden());
}

TEST_F(QuickAccessRibbon, AGroupsToolbarMadeTheQuickAccessToolbarLeavesItsTab) {
  TqzRibbonTabGroups* groups = ribbon->GetTabs()->GetTab(0)->GetGroups();
  ASSERT_EQ(groups->GetCount(), 1);
  ribbon->GetQuickAccessToolbar()->SetToolbar(group);
  Pump();
  EXPECT_EQ(groups->GetCount(), 0) << "the tab group is deleted";
  EXPECT_EQ(group->GetDockControl(), static_cast<TqzDockControl*>(Site()));
  EXPECT_NE(dynamic_cast<TqzRibbonQuickAccessBarControl*>(group->GetBarControl()), nullptr);
  EXPECT_EQ(quick->GetDockControl(), nullptr) << "the replaced toolbar floats again";
  EXPECT_EQ(quick->GetDockingStyle(), dsNone);
  EXPECT_TRUE(quick->GetVisible()) << "with its visibility kept";
}

TEST_F(QuickAccessRibbon, FreeingTheToolbarOrHidingTheSettingEmptiesTheStrip) {
  ribbon->GetQuickAccessToolbar()->SetVisible(false);
  Pump();
  EXPECT_FALSE(Site()->GetVisible());
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0);
  ribbon->GetQuickAccessToolbar()->SetVisible(true);
  Pump();
  EXPECT_TRUE(IsWindowVisible(Site()->GetHandle()));
  delete quick;
  Pump();
  EXPECT_EQ(ribbon->GetQuickAccessToolbar()->GetToolbar(), nullptr);
  EXPECT_FALSE(Site()->GetVisible());
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0);
}

struct TRunCommands : TObject {
  std::vector<String> Names;
  void Clicked(TObject* Sender) { Names.push_back(static_cast<TqzBarItem*>(Sender)->GetCaption()); }
};

TEST_F(QuickAccessRibbon, TheMarkOpensTheHiddenLinksInAPopupBelowItAndACommandRunsFromThere) {
  AddButtons(quick, 17);
  TRunCommands commands;
  for (Integer i = 0; i < quick->GetItemLinks()->GetCount(); ++i)
    static_cast<TqzBarButton*>(quick->GetItemLinks()->GetLink(i)->GetItem())
        ->SetOnClick(MakeEvent<&TRunCommands::Clicked>(&commands));
  form->SetWidth(360);
  Pump();
  const Integer shown = ShownLinks();
  ASSERT_TRUE(Window()->GetLinksHidden());
  TRect mark;
  Window()->MarkScreenRect(mark);
  auto click = [&](const TPoint& AScreenPoint) {
    static_cast<FakeClock&>(CurrentClock()).Advance(1000);
    InputMouseMove(AScreenPoint);
    InputMouseButton(AScreenPoint, MouseButton::Left, true);
    Pump();
    InputMouseButton(AScreenPoint, MouseButton::Left, false);
    Pump();
  };
  click(TPoint((mark.Left + mark.Right) / 2, (mark.Top + mark.Bottom) / 2));
  auto* popup = dynamic_cast<TqzRibbonQuickAccessPopupBarControl*>(Window()->GetQuickPopup());
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(IsWindowVisible(popup->GetHandle()));
  EXPECT_EQ(popup->Ribbon(), ribbon);
  TqzBarItemLinks* links = popup->GetItemLinks();
  ASSERT_EQ(links->GetVisibleLinkCount(), 20 - shown) << "the links the toolbar had no room for";
  EXPECT_EQ(links->GetVisibleLink(0)->GetSourceLink(), quick->GetItemLinks()->GetVisibleLink(shown));
  RECT r;
  GetWindowRect(popup->GetHandle(), &r);
  EXPECT_GE(r.Top, mark.Bottom) << "below the mark";
  EXPECT_EQ(r.Right, std::min<Integer>(mark.Right, r.Right)) << "ending at the mark or before it";
  const TRect& first = links->GetVisibleLink(0)->GetItemRect();
  EXPECT_EQ(first.Left, 3) << "inside the popup's margins";
  EXPECT_EQ(first.Top, 3);
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-quick-access-mark-popup.png"));
  }
  const TRect& last = links->GetVisibleLink(links->GetVisibleLinkCount() - 1)->GetItemRect();
  click(popup->ClientToScreen(TPoint((last.Left + last.Right) / 2, (last.Top + last.Bottom) / 2)));
  EXPECT_EQ(commands.Names, (std::vector<String>{"Command 20"}));
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr) << "the command closed the popup";
}

}  // namespace
