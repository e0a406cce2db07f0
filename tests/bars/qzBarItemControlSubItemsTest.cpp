#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "vcl/Forms.h"

namespace {

struct TClicks : TObject {
  Integer count = 0;
  void Clicked(TObject*) { ++count; }
};

// A docked toolbar with a list of recent clips, and a main menu whose File menu holds the same
// list (spread into the menu in place).
class ContainerControls : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    recent = new TqzBarListItem(form);
    recent->SetCaption("Recent");
    recent->GetItems()->Add("clip-01.avi");
    recent->GetItems()->Add("-");
    recent->GetItems()->Add("clip-02.avi");
    recent->SetOnClick(MakeEvent<&TClicks::Clicked>(&clicks));
    file = new TqzBarSubItem(form);
    file->SetCaption("&File");
    file->GetItemLinks()->AddLinkForItem(recent);
    menuBar = manager->GetBars()->AddBar();
    menuBar->SetCaption("Menu");
    menuBar->GetItemLinks()->AddLinkForItem(file);
    menuBar->SetIsMainMenu(true);
    menuBar->SetDockingStyle(dsTop);
    menuBar->SetVisible(true);
    toolbar = manager->GetBars()->AddBar();
    toolbar->SetCaption("Clips");
    toolbar->GetItemLinks()->AddLinkForItem(recent);
    toolbar->SetDockingStyle(dsTop);
    toolbar->SetRow(1);
    toolbar->SetVisible(true);
    Pump();
  }
  POINT Centre(TqzBarItemLink* ALink) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return {p.X, p.Y};
  }
  TqzBarSubMenuControl* MenuOf(TCustomqzBarSubItem* AItem) {
    return dynamic_cast<TqzBarSubMenuControl*>(AItem->GetItemLinks()->GetBarControl());
  }

  TClicks clicks;
  TqzBarListItem* recent = nullptr;
  TqzBarSubItem* file = nullptr;
  TqzBar* menuBar = nullptr;
  TqzBar* toolbar = nullptr;
};

TEST_F(ContainerControls, OnAToolbarAListOpensAMenuOfItsEntriesThatGoWhenItCloses) {
  TqzBarItemLink* entry = toolbar->GetItemLinks()->GetLink(0);
  auto* control = dynamic_cast<TqzBarContainerItemControl*>(entry->GetControl());
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->GetDrawParams()->CaptionText, "Recent");
  EXPECT_TRUE(control->IsExpandable());
  for (Integer round = 0; round < 2; ++round) {
    ScriptClick(Centre(entry));
    Pump();
    auto* menu = dynamic_cast<TContainerItemSubMenuControl*>(MenuOf(recent));
    ASSERT_NE(menu, nullptr) << round;
    EXPECT_EQ(menu->GetContainerItem(), recent);
    EXPECT_FALSE(menu->IsCustomizing());
    // Below the entry, with one entry per clip; the "-" starts a group.
    TqzBarItemLinks* links = recent->GetItemLinks();
    ASSERT_EQ(links->GetCount(), 2) << round;
    EXPECT_EQ(links->GetLink(1)->GetCaption(), "&2 clip-02.avi");
    EXPECT_TRUE(links->GetLink(1)->GetBeginGroup());
    RECT r;
    GetWindowRect(menu->GetHandle(), &r);
    TRect e = entry->GetItemRect();
    EXPECT_EQ(TPoint(r.Left, r.Top), entry->GetBarControl()->ClientToScreen(TPoint(e.Left, e.Bottom)));
    // The second clip: the list's entry and click, the menu closed and its entries gone.
    ScriptClick(Centre(links->GetLink(1)));
    Pump();
    EXPECT_EQ(recent->GetItemIndex(), 2);
    EXPECT_EQ(clicks.count, round + 1);
    EXPECT_EQ(MenuOf(recent), nullptr);
    EXPECT_EQ(links->GetCount(), 0);
  }
}

// While the bars are customized the menus show the list as one entry, named in parentheses; it
// opens nothing then.
TEST_F(ContainerControls, WhileCustomizingAMenuShowsTheListAsOneEntryInParentheses) {
  manager->SetIsCustomizing(true);
  TqzBarSubItemControl* fileControl = dynamic_cast<TqzBarSubItemControl*>(menuBar->GetItemLinks()->GetLink(0)->GetControl());
  ASSERT_NE(fileControl, nullptr);
  fileControl->OpenSubMenu(true);
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(file->GetItemLinks()->GetCount(), 1);
  auto* control = dynamic_cast<TqzBarContainerItemControl*>(file->GetItemLinks()->GetLink(0)->GetControl());
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->GetCaption(), "(Recent)");
  EXPECT_FALSE(control->IsExpandable());
  control->OpenSubMenu(true);
  EXPECT_EQ(MenuOf(recent), nullptr);
  // The toolbar's entry keeps its plain caption.
  auto* toolbarControl = dynamic_cast<TqzBarContainerItemControl*>(toolbar->GetItemLinks()->GetLink(0)->GetControl());
  ASSERT_NE(toolbarControl, nullptr);
  EXPECT_EQ(toolbarControl->GetCaption(), "Recent");
  fileControl->CloseSubMenu();
  manager->SetIsCustomizing(false);
}

}  // namespace
