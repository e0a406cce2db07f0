#include <gtest/gtest.h>

#include <vector>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarDragInfo.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "rtl/SysUtils.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/WindowPos.h"

namespace {

// Two customized toolbars, "A" (A0 A1 | A2 A3: A2 starts a group) above "B" (B0 B1).
class LinkDragging : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 480, 300);
    form->Show();
    a = AddBar("A", {"A0", "A1", "A2", "A3"}, 0);
    b = AddBar("B", {"B0", "B1"}, 1);
    manager->SetIsCustomizing(true);
    Pump();
  }
  void TearDown() override {
    manager->SetIsCustomizing(false);
    BarManagerOnForm::TearDown();
  }
  TqzBar* AddBar(const char* ACaption, std::vector<const char*> ACaptions, Integer ARow) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    for (const char* caption : ACaptions) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(caption);
      item->SetPaintStyle(psCaption);
      bar->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(String(caption) == "A2");
    }
    bar->SetDockingStyle(dsTop);
    bar->SetRow(ARow);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  // The bar's links as captions, a group start written as "|" before the link.
  static String Layout(TqzBar* ABar) {
    String s;
    TqzBarItemLinks* links = ABar->GetItemLinks();
    for (Integer i = 0; i < links->GetCount(); ++i) {
      TqzBarItemLink* link = links->GetLink(i);
      if (i > 0) s += " ";
      if (link->GetBeginGroup() && i > 0) s += "|";
      s += link->GetCaption();
    }
    return s;
  }
  static TqzBarItemLink* Link(TqzBar* ABar, Integer AIndex) { return ABar->GetItemLinks()->GetLink(AIndex); }
  // A screen point of the link's rectangle at the fraction of its width, mid-height.
  static POINT At(TqzBarItemLink* ALink, double AFraction) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(
        TPoint(r.Left + static_cast<Integer>((r.Right - r.Left) * AFraction), (r.Top + r.Bottom) / 2));
    return {p.X, p.Y};
  }
  // Presses at the point, moves 3 pixels down (out of the drag rectangle, still on the link: the
  // drag starts there), then through the moves, and releases. The customizing form has disabled
  // the form: the press reaches the bar window through the bars' mouse hook.
  void Drag(POINT AFrom, const std::vector<POINT>& AMoves, bool ACtrl = false, bool AEsc = false) {
    Press(AFrom, true);
    if (ACtrl) InputKey(VK_CONTROL, true);
    InputMouseMove({AFrom.X, AFrom.Y + 3});
    for (POINT p : AMoves) {
      // Moves one after another, not merged into the last.
      InputPause(1);
      InputMouseMove(p);
    }
    if (AEsc) InputKey(VK_ESCAPE, true);
    InputMouseButton(AMoves.back(), MouseButton::Left, false);
    if (ACtrl) InputKey(VK_CONTROL, false);
    Pump();
    EXPECT_FALSE(manager->IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
  }
  void Press(POINT AAt, bool ADown) {
    InputMouseMove(AAt);
    Pump();
    InputMouseButton(AAt, MouseButton::Left, ADown);
    Pump();
  }
  TqzBar* a = nullptr;
  TqzBar* b = nullptr;
};

TEST_F(LinkDragging, ALinkMovesWithinItsToolbarAndIntoAnother) {
  ASSERT_EQ(Layout(a), "A0 A1 |A2 A3");
  ASSERT_FALSE(IsWindowEnabled(form->GetHandle()));
  // A press released where it was only selects the link.
  Press(At(Link(a, 1), 0.5), true);
  Press(At(Link(a, 1), 0.5), false);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(manager->GetSelectedLink(), Link(a, 1));
  EXPECT_EQ(Layout(a), "A0 A1 |A2 A3");
  // Onto the second half of the last link: it goes to the end.
  Drag(At(Link(a, 0), 0.5), {At(Link(a, 2), 0.5), At(Link(a, 3), 0.8)});
  EXPECT_EQ(Layout(a), "A1 |A2 A3 A0");
  // Onto the first half of another bar's first link: it leaves A and comes first in B.
  Drag(At(Link(a, 3), 0.5), {At(Link(b, 0), 0.2)});
  EXPECT_EQ(Layout(a), "A1 |A2 A3");
  EXPECT_EQ(Layout(b), "A0 B0 B1");
  // The dropped link is the selected one.
  EXPECT_EQ(manager->GetSelectedItemControl(), Link(b, 0)->GetControl());
}

TEST_F(LinkDragging, CtrlCopiesEscChangesNothingAndOutsideRemoves) {
  Drag(At(Link(a, 1), 0.5), {At(Link(b, 1), 0.8)}, /*ACtrl=*/true);
  EXPECT_EQ(Layout(a), "A0 A1 |A2 A3");
  EXPECT_EQ(Layout(b), "B0 B1 A1");
  Drag(At(Link(a, 1), 0.5), {At(Link(b, 1), 0.8)}, false, /*AEsc=*/true);
  EXPECT_EQ(Layout(a), "A0 A1 |A2 A3");
  EXPECT_EQ(Layout(b), "B0 B1 A1");
  // Below both bars, over the form: no bar takes it.
  POINT outside = form->ClientToScreen(TPoint(200, 200));
  Drag(At(Link(b, 2), 0.5), {outside});
  EXPECT_EQ(Layout(b), "B0 B1");
}

TEST_F(LinkDragging, DroppingOnItsOwnPlaceOnlyRegroups) {
  struct Case {
    Integer link;
    Integer shift;  // the move sideways from the press, in pixels, staying on the link
    const char* layout;
  } const kCases[] = {
      {1, 2, "A0 A1 |A2 A3"},    // within 3 pixels: nothing
      {1, 5, "A0 |A1 |A2 A3"},   // to the right: a group starts with it
      {2, -5, "A0 A1 A2 A3"},    // to the left: the group start goes
      {3, 0, "A0 A1 |A2 A3"},    // back where it was
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.layout);
    a->GetItemLinks()->GetLink(1)->SetBeginGroup(false);
    a->GetItemLinks()->GetLink(2)->SetBeginGroup(true);
    Pump();
    POINT from = At(Link(a, c.link), 0.4);
    Drag(from, {{from.X + c.shift, from.Y + 3}});
    EXPECT_EQ(Layout(a), c.layout);
  }
}

TEST_F(LinkDragging, ALinkDroppedOnTheSeparatorOfAGroupTakesTheGroupStart) {
  TqzBarControl* window = a->GetBarControl();
  TCustomqzBarControlViewInfo* info = window->GetLayoutInfo();
  Integer separator = info->FindSeparatorOfControl(Link(a, 2)->GetControl());
  ASSERT_GE(separator, 0);
  TRect s = info->GetSeparatorInfo(separator).Bounds;
  TPoint p = window->ClientToScreen(TPoint(s.Right - 1, (s.Top + s.Bottom) / 2));
  Drag(At(Link(a, 0), 0.5), {{p.X, p.Y}});
  EXPECT_EQ(Layout(a), "A1 |A0 A2 A3");
}

TEST_F(LinkDragging, AnEmptyPartOfAToolbarTakesTheLinkAtTheEndOfItsRow) {
  // B spans the whole row: right of its last link lies empty bar.
  b->SetVisible(false);
  b->SetWholeRow(true);
  b->SetVisible(true);
  Pump();
  TqzBarControl* window = b->GetBarControl();
  TRect last = Link(b, 1)->GetItemRect();
  ASSERT_GT(window->GetClientRect().Right, last.Right + 20);
  TPoint p = window->ClientToScreen(TPoint(last.Right + 15, (last.Top + last.Bottom) / 2));
  Drag(At(Link(a, 0), 0.5), {{p.X, p.Y}});
  EXPECT_EQ(Layout(a), "A1 |A2 A3");
  EXPECT_EQ(Layout(b), "B0 B1 A0");
}

TEST_F(LinkDragging, APressOnTheSelectedLinkDragsItOnceTheMouseLeavesTheDragRectangle) {
  TqzBarItemLink* link = Link(a, 1);
  manager->ChangeSelectedItemControl(link->GetControl());
  POINT from = At(link, 0.5);
  // A press and a release that stay within the drag rectangle move nothing.
  InputMouseMove(from);
  InputMouseButton(from, MouseButton::Left, true);
  InputMouseMove({from.X + 1, from.Y});
  InputMouseButton({from.X + 1, from.Y}, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(Layout(a), "A0 A1 |A2 A3");
  EXPECT_FALSE(a->GetBarControl()->IsDragPending());
  EXPECT_EQ(GetCapture(), nullptr);
  // Leaving it starts the drag, which the release ends over B.
  manager->ChangeSelectedItemControl(Link(a, 1)->GetControl());
  InputMouseButton(from, MouseButton::Left, true);
  // The window starts the drag on the move out; the drag's own loop takes the move after it.
  InputMouseMove({from.X + 1, from.Y});
  InputMouseMove(At(Link(b, 0), 0.5));
  InputPause(1);
  InputMouseMove(At(Link(b, 1), 0.8));
  InputMouseButton(At(Link(b, 1), 0.8), MouseButton::Left, false);
  Pump();
  EXPECT_EQ(Layout(a), "A0 |A2 A3");
  EXPECT_EQ(Layout(b), "B0 B1 A1");
  EXPECT_FALSE(manager->IsDragging());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LinkDragging, HoveringASubItemOpensItsMenuWhichTakesTheLink) {
  auto* sub = new TqzBarSubItem(form);
  sub->SetCaption("S");
  for (const char* caption : {"S0", "S1"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    sub->GetItemLinks()->AddLinkForItem(item);
  }
  TqzBarItemLink* subLink = b->GetItemLinks()->AddLinkForItem(sub);
  Pump();
  auto* control = dynamic_cast<TqzBarSubItemControl*>(subLink->GetControl());
  ASSERT_NE(control, nullptr);
  // Resting on S opens its menu; Esc ends the drag and leaves it open to be measured.
  Drag(At(Link(a, 0), 0.5), {At(subLink, 0.5)}, false, /*AEsc=*/true);
  TqzBarSubMenuControl* menu = control->GetSubMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsDesigning());
  TqzBarItemLink* s1 = sub->GetItemLinks()->GetLink(1);
  ASSERT_NE(s1->GetControl(), nullptr);
  TRect r = s1->GetItemRect();
  TPoint inMenu = menu->ClientToScreen(TPoint((r.Left + r.Right) / 2, r.Bottom - 2));
  control->CloseSubMenu();
  Pump();
  ASSERT_EQ(control->GetSubMenu(), nullptr);
  // Over S and on into its menu: the link goes after S1 there.
  Drag(At(Link(a, 0), 0.5), {At(subLink, 0.5), {inMenu.X, inMenu.Y}});
  EXPECT_EQ(Layout(a), "A1 |A2 A3");
  ASSERT_EQ(sub->GetItemLinks()->GetCount(), 3);
  EXPECT_EQ(sub->GetItemLinks()->GetLink(2)->GetCaption(), "A0");
  control->CloseSubMenu();
  // A sub-item that does not allow customizing opens no drop target: its menu stays out of it.
  sub->SetAllowCustomizing(false);
  Drag(At(Link(a, 0), 0.5), {At(subLink, 0.5)}, false, /*AEsc=*/true);
  ASSERT_NE(control->GetSubMenu(), nullptr);
  EXPECT_FALSE(control->GetSubMenu()->IsDesigning());
  control->CloseSubMenu();
}

}  // namespace
