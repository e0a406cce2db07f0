#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Messages.h"
#include "user/Painting.h"

namespace {

// A shown form with the toolbars "Standard" (holding the list), "Format" and "Playback"; the
// toolbars list lists them in order, pressed while shown.
class ToolbarsList : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    for (const char* caption : {"Standard", "Format", "Playback"}) {
      TqzBar* bar = manager->GetBars()->AddBar();
      bar->SetCaption(caption);
      bar->SetDockingStyle(dsTop);
      bar->SetVisible(true);
    }
    list = new TqzBarToolbarsListItem(form);
    list->SetCaption("Toolbars");
    manager->GetBars()->GetBar(0)->GetItemLinks()->AddLinkForItem(list);
    Pump();
  }
  TqzBarToolbarsListItemControl* Control() {
    return dynamic_cast<TqzBarToolbarsListItemControl*>(list->GetLink(0)->GetControl());
  }
  // The entries of the opened menu: caption and whether pressed.
  std::vector<String> Open() {
    Control()->OpenSubMenu(false);
    Pump();
    std::vector<String> entries;
    TqzBarItemLinks* links = list->GetItemLinks();
    for (Integer i = 0; i < links->GetCount(); ++i) {
      auto* button = dynamic_cast<TqzBarButton*>(links->GetLink(i)->GetItem());
      entries.push_back(button ? button->GetCaption() + (button->GetDown() ? "+" : "") : String("?"));
    }
    return entries;
  }
  TqzBarToolbarsListItem* list = nullptr;
};

TEST_F(ToolbarsList, ListsTheToolbarsAndShowsAHiddenOneAgain) {
  ASSERT_NE(Control(), nullptr);
  manager->GetBars()->GetBar(1)->SetVisible(false);
  std::vector<String> entries = Open();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], "Standard+");
  EXPECT_EQ(entries[1], "Format");
  EXPECT_EQ(entries[2], "Playback+");
  ASSERT_NE(Control()->GetSubMenu(), nullptr);
  list->GetItemLinks()->GetLink(1)->GetItem()->ClickItem();
  Pump();
  EXPECT_TRUE(manager->GetBars()->GetBar(1)->GetVisible());
  // A bar the user may not close is not offered.
  Control()->CloseSubMenu();
  manager->GetBars()->GetBar(2)->SetHidden(true);
  entries = Open();
  EXPECT_EQ(entries.size(), 3u);
  Control()->CloseSubMenu();
}

TEST_F(ToolbarsList, WhileCustomizingNoMenuOpens) {
  ASSERT_NE(Control(), nullptr);
  manager->SetIsCustomizing(true);
  Control()->OpenSubMenu(false);
  Pump();
  EXPECT_EQ(Control() ? Control()->GetSubMenu() : nullptr, nullptr);
  manager->SetIsCustomizing(false);
}

}  // namespace
