#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "vcl/Forms.h"

namespace {

// What the click handler saw, and a close-up handler that may free a link of the menu.
struct TClickLog : TObject {
  Integer clicks = 0;
  Integer closeUps = 0;
  bool sawClickedLink = false;
  TqzBarItemLink* clickedLink = nullptr;
  TqzBarItemLink* freeOnCloseUp = nullptr;
  void Clicked(TObject* Sender) {
    ++clicks;
    sawClickedLink = true;
    clickedLink = static_cast<TqzBarItem*>(Sender)->GetClickedLink();
  }
  void ClosedUp(TObject*) {
    ++closeUps;
    delete freeOnCloseUp;
    freeOnCloseUp = nullptr;
  }
};

// A main menu: File (Open, Save).
class ItemClicks : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    file = new TqzBarSubItem(form);
    file->SetCaption("&File");
    file->SetOnCloseUp(MakeEvent<&TClickLog::ClosedUp>(&log));
    open = Button("&Open");
    Button("&Save");
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Menu");
    bar->GetItemLinks()->AddLinkForItem(file);
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
  }
  TqzBarButton* Button(const char* ACaption) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
    file->GetItemLinks()->AddLinkForItem(item);
    return item;
  }
  POINT Centre(TqzBarItemLink* ALink) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return {p.X, p.Y};
  }
  // Opens File and clicks its entry.
  void ClickEntry(Integer AIndex) {
    ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
    Pump();
    ASSERT_NE(file->GetItemLinks()->GetBarControl(), nullptr);
    ScriptClick(Centre(file->GetItemLinks()->GetLink(AIndex)));
    Pump();
  }

  TClickLog log;
  TqzBarSubItem* file = nullptr;
  TqzBarButton* open = nullptr;
  TqzBar* bar = nullptr;
};

TEST_F(ItemClicks, TheHandlerKnowsTheClickedLinkWhileItRuns) {
  TqzBarItemLink* link = file->GetItemLinks()->GetLink(0);
  ClickEntry(0);
  EXPECT_EQ(log.clicks, 1);
  EXPECT_EQ(log.clickedLink, link);
  EXPECT_EQ(open->GetClickedLink(), nullptr);
  // The menu closed on its own: File's close-up ran.
  EXPECT_EQ(log.closeUps, 1);
  EXPECT_EQ(file->GetItemLinks()->GetBarControl(), nullptr);
}

// Closing the menu frees the clicked link (and its control): the item's click still runs once,
// told that the link is gone.
TEST_F(ItemClicks, ALinkFreedByTheClosingReachesTheHandlerAsNil) {
  log.freeOnCloseUp = file->GetItemLinks()->GetLink(0);
  ClickEntry(0);
  EXPECT_EQ(log.closeUps, 1);
  EXPECT_EQ(file->GetItemLinks()->GetCount(), 1);
  EXPECT_EQ(log.clicks, 1);
  EXPECT_TRUE(log.sawClickedLink);
  EXPECT_EQ(log.clickedLink, nullptr);
  EXPECT_EQ(open->GetClickedLink(), nullptr);
}

}  // namespace
