#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Clock.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

namespace {

// A toolbar with the sub-item "&View" whose menu is: the heading "Panels" (a captioned
// separator as its first link), One, the heading "Zoom", Two, a separator without caption, Three.
class SeparatorItems : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    bar = manager->GetBars()->AddBar();
    view = new TqzBarSubItem(form);
    view->SetCaption("&View");
    bar->GetItemLinks()->AddLinkForItem(view);
    Separator("Panels", true);
    Button("One");
    Separator("Zoom", true);
    Button("Two");
    Separator("Line", false);
    Button("Three");
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  void Separator(const char* ACaption, bool AShowCaption) {
    auto* item = new TqzBarSeparator(form);
    item->SetCaption(ACaption);
    item->SetShowCaption(AShowCaption);
    view->GetItemLinks()->AddLinkForItem(item);
  }
  void Button(const char* ACaption) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    view->GetItemLinks()->AddLinkForItem(item);
  }
  TqzBarSubMenuControl* OpenMenu() {
    TqzBarItemLink* entry = bar->GetItemLinks()->GetLink(0);
    const TRect r = entry->GetItemRect();
    const TPoint p = entry->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    ScriptClick({p.X, p.Y});
    Pump();
    return dynamic_cast<TqzBarSubMenuControl*>(view->GetItemLinks()->GetBarControl());
  }
  TqzBarItemLink* Link(Integer AIndex) { return view->GetItemLinks()->GetLink(AIndex); }

  TqzBar* bar = nullptr;
  TqzBarSubItem* view = nullptr;
};

// A heading is its caption between two lines, the menu's first link with no line above it; a
// separator without caption is the menu's separator line.
TEST_F(SeparatorItems, AMenuShowsCaptionedSeparatorsAsHeadingsTheFirstWithoutALineAbove) {
  TqzBarSubMenuControl* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  for (Integer i : {0, 2, 4})
    ASSERT_NE(dynamic_cast<TqzBarSeparatorControl*>(Link(i)->GetControl()), nullptr) << "a separator has its control, " << i;
  const Integer line = menu->Painter()->SeparatorLineHeight();
  const TRect first = Link(0)->GetItemRect();
  EXPECT_EQ(first.Top, menu->GetItemsRect().Top) << "the heading opens the menu";
  EXPECT_EQ(Link(2)->GetItemRect().Height() - first.Height(), line) << "the first heading has one line, not two";
  EXPECT_GT(first.Height(), 2 * line) << "room for the caption";
  EXPECT_EQ(Link(4)->GetItemRect().Height(), menu->SeparatorSize());
  EXPECT_EQ(Link(1)->GetItemRect().Top, first.Bottom) << "One follows right under the heading";
  const TRect ink = InkBounds(screen, menu, first);
  EXPECT_FALSE(IsRectEmpty(&ink)) << "the heading's caption is drawn";
  EXPECT_FALSE(Link(0)->GetControl()->CanSelect()) << "a heading is no command";
}

}  // namespace
