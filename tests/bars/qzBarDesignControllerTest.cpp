#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarToolbars.h"

namespace {

class DesignController : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    menu = static_cast<TqzBarSubItem*>(manager->AddItem(TqzBarSubItem::ClassInfo()));
  }
  void TearDown() override {
    DesignControllerInstance()->ClearInternalItems();
    DesignControllerInstance()->SetLastSelectedItem(nullptr);
    manager->SetDesigner(nullptr);
    BarManagerOnForm::TearDown();
  }
  TqzBar* AddBar(const String& ACaption, bool AVisible) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    bar->SetVisible(AVisible);
    return bar;
  }
  TqzBarItemLinks* Links() { return menu->GetItemLinks(); }
  TqzBarButton* Entry(Integer Index) { return static_cast<TqzBarButton*>(Links()->GetLink(Index)->GetItem()); }
  TqzBarSubItem* menu = nullptr;
};

TEST_F(DesignController, TheToolbarsListShowsTheClosableBarsWithTheirStateAndTogglesThem) {
  TqzBar* shown = AddBar("Standard", true);
  TqzBar* off = AddBar("Formatting", false);
  AddBar("Hidden", true)->SetHidden(true);
  AddBar("Fixed", true)->SetAllowClose(false);
  TqzBarDesignController* controller = DesignControllerInstance();
  controller->FillToolbarsList(Links());

  ASSERT_EQ(Links()->GetCount(), 3);
  EXPECT_EQ(Entry(0)->GetCaption(), "Standard");
  EXPECT_EQ(Entry(1)->GetCaption(), "Formatting");
  EXPECT_EQ(Entry(0)->GetButtonStyle(), bsChecked);
  EXPECT_TRUE(Entry(0)->GetDown());
  EXPECT_FALSE(Entry(1)->GetDown());
  EXPECT_EQ(Entry(2)->GetCaption(), "&Customize...");
  EXPECT_TRUE(Links()->GetLink(2)->GetBeginGroup());
  EXPECT_TRUE(Entry(2)->GetEnabled());
  // The entries are no commands of the manager.
  EXPECT_EQ(manager->GetItemCount(), 1);

  Entry(1)->Click();
  EXPECT_TRUE(off->GetVisible());
  Entry(0)->Click();
  EXPECT_FALSE(shown->GetVisible());

  // Filling again replaces the entries; the old internal items are gone.
  controller->FillToolbarsList(Links());
  EXPECT_EQ(Links()->GetCount(), 3);
  EXPECT_EQ(controller->GetInternalItemCount(), 3);
  EXPECT_FALSE(Entry(0)->GetDown());
  EXPECT_TRUE(Entry(1)->GetDown());
}

TEST_F(DesignController, TheCustomizeEntryFollowsTheManager) {
  TqzBarDesignController* controller = DesignControllerInstance();
  manager->SetCanCustomize(false);
  controller->FillToolbarsList(Links());
  EXPECT_EQ(Links()->GetCount(), 0);

  // One customizing form at a time: while another manager customizes, the entry is disabled.
  manager->SetCanCustomize(true);
  TForm otherForm(nullptr, 0);
  auto* other = new TqzBarManager(&otherForm);
  other->SetIsCustomizing(true);
  controller->FillToolbarsList(Links());
  ASSERT_EQ(Links()->GetCount(), 1);
  EXPECT_FALSE(Entry(0)->GetEnabled());
  other->SetIsCustomizing(false);
  controller->FillToolbarsList(Links());
  EXPECT_TRUE(Entry(0)->GetEnabled());
  Entry(0)->Click();
  EXPECT_TRUE(manager->GetIsCustomizing());
  manager->SetIsCustomizing(false);
}

TEST_F(DesignController, FreeingLinkItemsEndsOnALinkWithoutItem) {
  TqzBarItem* shared = manager->AddItem(TqzBarButton::ClassInfo());
  Links()->AddLinkForItem(shared);
  Links()->AddLink();
  Links()->AddLinkForItem(shared);
  Links()->AddLinkForItem(manager->AddItem(TqzBarButton::ClassInfo()));
  TqzBarDesignController::FreeLinkItems(Links());
  EXPECT_EQ(Links()->GetCount(), 0);
  EXPECT_EQ(manager->GetItemCount(), 1);
}

TEST_F(DesignController, TheRunTimeSelectionHoldsOneBarAndOneItem) {
  TqzBarRunTimeSelectionController selection;
  TChangeLog log;
  selection.SetOnSelectionChanged(MakeEvent<&TChangeLog::Changed>(&log));
  manager->SetDesigner(&selection);
  TqzBar* bar = AddBar("Standard", true);
  TqzBar* other = AddBar("Other", true);
  TqzBarItem* first = manager->AddItem(TqzBarButton::ClassInfo());
  TqzBarItem* second = manager->AddItem(TqzBarButton::ClassInfo());

  manager->SelectComponent(bar, 0);
  manager->SelectComponent(first, 2);
  manager->SelectComponent(second, 0);
  manager->SelectComponent(other, 1);  // toggling is a designer's, not the run time's
  TList selected;
  manager->CollectDesignerSelection(&selected);
  ASSERT_EQ(selected.GetCount(), 2);
  EXPECT_EQ(selected.GetItems(0), bar);
  EXPECT_EQ(selected.GetItems(1), second);
  EXPECT_TRUE(manager->IsSelected(second));
  EXPECT_FALSE(manager->IsSelected(first));
  EXPECT_FALSE(log.changes.empty());

  // A list handed over selects each in turn, exclusively per family.
  TList list;
  list.Add(other);
  list.Add(first);
  log.changes.clear();
  manager->SetSelection(&list);
  EXPECT_TRUE(manager->IsSelected(other));
  EXPECT_FALSE(manager->IsSelected(bar));
  EXPECT_TRUE(manager->IsSelected(first));
  ASSERT_EQ(log.changes.size(), 1u);
  EXPECT_EQ(log.changes[0].first, nullptr);

  // A freed component leaves the selection.
  delete first;
  EXPECT_EQ(selection.GetSelectionList()->GetCount(), 1);
}

TEST_F(DesignController, DeleteFreesTheSelectedLinkAndSaysSo) {
  TqzBarRunTimeSelectionController selection;
  manager->SetDesigner(&selection);
  TqzBarItem* item = manager->AddItem(TqzBarButton::ClassInfo());
  TqzBarItemLink* link = Links()->AddLinkForItem(item);
  Links()->AddLinkForItem(item);
  TqzBarDesignController* controller = DesignControllerInstance();

  controller->ChangeSelection(link, 0);
  EXPECT_TRUE(manager->IsSelected(item));
  EXPECT_EQ(manager->GetSelectedLink(), link);
  // Del reaches the bars only while the focus is in the manager's window.
  form->HandleNeeded();
  SetFocus(nullptr);
  EXPECT_FALSE(controller->DeleteSelection(false, true));
  EXPECT_EQ(Links()->GetCount(), 2);
  SetFocus(form->GetHandle());
  EXPECT_TRUE(controller->DeleteSelection(false, true));
  EXPECT_EQ(Links()->GetCount(), 1);
  EXPECT_EQ(controller->GetLastSelectedItem(), nullptr);
  EXPECT_EQ(manager->GetSelectedLink(), nullptr);
  EXPECT_FALSE(controller->DeleteSelection(false, false));
}

}  // namespace
