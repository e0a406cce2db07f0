#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarAccessibility.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "toolkit/bars/qzBarQuickCust.h"
#include "user/VirtualKeys.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

namespace {

// A toolbar of three buttons that offers quick customizing, so that it shows its mark.
class Marks : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Tools");
    for (const char* caption : {"One", "Two", "Three"}) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(caption);
      bar->GetItemLinks()->AddLinkForItem(item);
    }
    bar->SetAllowQuickCustomizing(true);
  }
  TqzBarControl* Show(TqzBarDockingStyle AStyle) {
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    UpdateAllWindows();
    return bar->GetBarControl();
  }
  TqzBar* bar = nullptr;
};

TEST_F(Marks, TheMarkClosesADockedBarAndSitsLeftOfAFloatingBarsCloseButton) {
  manager->SetStyle(bmsEnhanced);
  TqzBarControl* window = Show(dsTop);
  ASSERT_TRUE(window && window->ShowsMark());
  Integer size = window->MarkSizeMetric();
  TRect mark;
  window->MarkRect(mark);
  EXPECT_EQ(mark, TRect(window->GetClientWidth() - size, 0, window->GetClientWidth(), window->GetClientHeight()));
  window = Show(dsLeft);
  window->MarkRect(mark);
  EXPECT_EQ(mark, TRect(0, window->GetClientHeight() - size, window->GetClientWidth(), window->GetClientHeight()));
  window = Show(dsNone);
  window->MarkRect(mark);
  TRect close = window->CloseButtonRect();
  EXPECT_EQ(mark.Right, close.Left - 1);
  EXPECT_EQ(mark.Height(), window->CaptionRect().Height());
  // The Standard mark of a floating bar is 13 pixels wide, and offers no quick customizing.
  manager->SetStyle(bmsStandard);
  window->SetLinksHidden(true);
  window->MarkRect(mark);
  EXPECT_EQ(mark.Width(), 13);
  EXPECT_EQ(mark.Right, close.Left - 1);
  // A caption beside the mark stops at it.
  Integer x = window->CaptionRect().Left;
  TRect band = window->CaptionRect();
  manager->GetDefaultPainter()->ClassRef()->OffsetFloatingCaption(window, x, band);
  EXPECT_EQ(x, window->CaptionRect().Left + 2);
  EXPECT_EQ(band.Right, mark.Left);
}

TEST_F(Marks, TheQuickCustomizingArrowAndTheChevronsOfHiddenLinks) {
  manager->SetStyle(bmsEnhanced);
  TqzBarControl* window = Show(dsTop);
  TBitmap bitmap;
  bitmap.SetSize(20, 30);
  auto paint = [&](bool AHidden) {
    bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, 20, 30));
    window->SetLinksHidden(AHidden);
    window->Painter()->DrawMarkGlyphs(window, bitmap.GetCanvas()->GetHandle(), TRect(0, 0, 11, 30));
  };
  TColor text = static_cast<TColor>(ColorToRGB(clBtnText));
  paint(false);
  // The down arrow: 5 pixels wide at Left + 3, Bottom - 7, pointing down.
  for (Integer x = 3; x <= 7; ++x) EXPECT_EQ(bitmap.GetCanvas()->GetPixel(x, 23), text) << x;
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(5, 25), text);
  EXPECT_NE(bitmap.GetCanvas()->GetPixel(3, 25), text);
  // No chevrons while every link shows.
  for (Integer y = 0; y < 12; ++y) EXPECT_NE(bitmap.GetCanvas()->GetPixel(2, y), text) << y;
  paint(true);
  // Two chevrons from Left + 2 and Left + 6, their strokes starting at row 4.
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(2, 4), text);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(6, 4), text);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(4, 6), text);
}

// The mark at work: hot under the mouse, pressed with its quick control open, and the popup
// toolbars it opens.
class MarkStates : public Marks {
 protected:
  void SetUp() override {
    Marks::SetUp();
    manager->SetStyle(bmsEnhanced);
    Pump();
    Later();
  }
  void Later() { static_cast<FakeClock&>(CurrentClock()).Advance(2000); }
  void PassTime(Integer AMilliseconds) {
    for (Integer t = 0; t < AMilliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      Pump();
    }
  }
  POINT MarkCentre(TqzBarControl* AWindow) {
    TRect mark;
    AWindow->MarkScreenRect(mark);
    return {(mark.Left + mark.Right) / 2, (mark.Top + mark.Bottom) / 2};
  }
  // Buttons enough that a docked row of the form hides the last ones.
  TqzBarControl* ShowLongBar() {
    for (Integer i = 0; i < 27; ++i) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(String("Cmd") + IntToStr(i));
      item->SetPaintStyle(psCaption);
      bar->GetItemLinks()->AddLinkForItem(item);
    }
    TqzBarControl* window = Show(dsTop);
    Pump();
    return window;
  }
};

TEST_F(MarkStates, HoveringTheMarkMakesItHotAndLeavingItEndsThatWithinTheTimer) {
  TqzBarControl* window = Show(dsNone);
  Pump();
  ASSERT_TRUE(window->ShowsMark());
  POINT mark = MarkCentre(window);
  ScriptMouseMove({mark.X - 20, mark.Y + 30});
  ScriptMouseMove(mark);
  Pump();
  EXPECT_EQ(window->GetMarkState(), 1);
  EXPECT_TRUE(window->IsMarkTimerRunning());
  // The timer keeps the mark hot while the cursor rests on it; once the mark is out of reach
  // without any message telling the window (here: the window hides), the next tick ends it.
  PassTime(100);
  EXPECT_EQ(window->GetMarkState(), 1);
  ShowWindow(window->GetHandle(), SW_HIDE);
  PassTime(50);
  EXPECT_EQ(window->GetMarkState(), 0);
  EXPECT_FALSE(window->IsMarkTimerRunning());
  // A docked mark keeps no timer; moving off it inside the window resets it at once.
  window = Show(dsTop);
  Pump();
  mark = MarkCentre(window);
  ScriptMouseMove(mark);
  Pump();
  EXPECT_EQ(window->GetMarkState(), 1);
  EXPECT_FALSE(window->IsMarkTimerRunning());
  ScriptMouseMove({mark.X - 30, mark.Y});
  Pump();
  EXPECT_EQ(window->GetMarkState(), 0);
  ScriptMouseMove(mark);
  Pump();
  ASSERT_EQ(window->GetMarkState(), 1);
  ScriptMouseMove({600, 700});
  PassTime(100);
  EXPECT_EQ(window->GetMarkState(), 0);
}

TEST_F(MarkStates, PressingTheMarkOpensTheHiddenLinksAndPressingItAgainClosesThem) {
  TqzBarControl* window = ShowLongBar();
  ASSERT_TRUE(window->GetLinksHidden());
  Integer bars = manager->GetBars()->GetCount();
  POINT mark = MarkCentre(window);
  ScriptClick(mark);
  Pump();
  EXPECT_EQ(window->GetMarkState(), 2);
  auto* popup = dynamic_cast<TqzBarQuickControl*>(window->GetQuickPopup());
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->IsShown());
  EXPECT_EQ(popup->GetOpenerBar(), window);
  // Its links copy the hidden ones, in order, each pointing back at its source; the bar allows
  // quick customizing, so "Add or Remove Buttons" follows them.
  TqzBarItemLinks* source = bar->GetItemLinks();
  std::vector<TqzBarItemLink*> hidden;
  for (Integer i = 0; i < source->GetVisibleLinkCount(); ++i)
    if (IsRectEmpty(&source->GetVisibleLink(i)->GetItemRect())) hidden.push_back(source->GetVisibleLink(i));
  TqzBarItemLinks* links = popup->GetItemLinks();
  ASSERT_EQ(links->GetCount(), static_cast<Integer>(hidden.size()) + 1);
  EXPECT_EQ(links->GetLink(links->GetCount() - 1)->GetCaption(), "&Add or Remove Buttons");
  for (Integer i = 0; i + 1 < links->GetCount(); ++i) {
    EXPECT_EQ(links->GetLink(i)->GetSourceLink(), hidden[i]) << i;
    EXPECT_EQ(links->GetLink(i)->GetItem(), hidden[i]->GetItem()) << i;
  }
  // The popup's bar is the manager's, hidden, and goes with the popup.
  EXPECT_EQ(manager->GetBars()->GetCount(), bars + 1);
  EXPECT_TRUE(popup->GetBar()->GetHidden());
  // Below the docked bar's mark, ending at its right edge.
  TRect markRect;
  window->MarkScreenRect(markRect);
  RECT placed;
  GetWindowRect(popup->GetHandle(), &placed);
  EXPECT_EQ(placed.Top, markRect.Bottom);
  EXPECT_EQ(placed.Right, markRect.Right);
  // Its frame neither moves nor sizes it.
  EXPECT_EQ(SendMessage(popup->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(placed.Left, placed.Top)), HTBORDER);
  Later();
  ScriptClick(mark);
  Pump();
  EXPECT_EQ(window->GetQuickPopup(), nullptr);
  EXPECT_EQ(window->GetMarkState(), 1);
  EXPECT_EQ(manager->GetBars()->GetCount(), bars);
}

TEST_F(MarkStates, SelectingAControlOfAnotherWindowHandsTheMarkBackAfter200ms) {
  TqzBarControl* window = ShowLongBar();
  ScriptClick(MarkCentre(window));
  Pump();
  auto* popup = dynamic_cast<TqzBarQuickControl*>(window->GetQuickPopup());
  ASSERT_NE(popup, nullptr);
  // A control of the toolbar itself gets the selection.
  TqzBarItemControl* first = bar->GetItemLinks()->GetVisibleLink(0)->GetControl();
  window->SetHotControl(first);
  EXPECT_TRUE(popup->IsCloseTimerRunning());
  PassTime(190);
  EXPECT_EQ(window->GetQuickPopup(), popup);
  PassTime(20);
  EXPECT_EQ(window->GetQuickPopup(), nullptr);
  EXPECT_EQ(window->GetMarkState(), 0);
}

TEST_F(MarkStates, TheArrowsWalkAnOpenQuickControlThatNoBarWindowActivated) {
  TqzBarControl* window = ShowLongBar();
  ScriptClick(MarkCentre(window));
  Pump();
  auto* popup = dynamic_cast<TqzBarQuickControl*>(window->GetQuickPopup());
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(ActiveBarControl(), nullptr);
  TqzBarItemLinks* links = popup->GetItemLinks();
  ScriptKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(popup->GetSelectedControl(), links->GetVisibleLink(0)->GetControl());
  ScriptKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(popup->GetSelectedControl(), links->GetVisibleLink(1)->GetControl());
  NavigationControllerInstance()->EndKeyboardNavigation();
}

// A popup toolbar of fixed size opened by a bar window, placed as popups are.
class TFixedPopup : public TqzBarControl {
 public:
  TFixedPopup(TCustomqzBarControl* AOpener, TqzBar* ABar) : TqzBarControl(AOpener, ABar, TqzChildBar{}) {}
  void PopupSize(TSize& ASize) override { ASize = TSize(100, 80); }
};

TEST_F(MarkStates, PopupsStayOnTheWorkAreaBesideOrBelowTheirOpener) {
  struct TCase {
    TqzBarDockingStyle opener;
    TRect owner;
    bool leftAligned;
    TPoint expected;
  };
  const TCase cases[] = {
      // Below a horizontal opener, at the owner's left edge or ending at its right edge.
      {dsTop, TRect(200, 100, 220, 120), true, TPoint(200, 120)},
      {dsTop, TRect(200, 100, 220, 120), false, TPoint(120, 120)},
      // Kept inside the work area's left and right edges.
      {dsTop, TRect(1250, 100, 1270, 120), true, TPoint(1180, 120)},
      {dsTop, TRect(10, 100, 30, 120), false, TPoint(0, 120)},
      // Above the owner when it would pass the bottom.
      {dsTop, TRect(200, 980, 220, 1000), true, TPoint(200, 900)},
      // Beside a vertical opener: at its right, else at its left; the top kept on the area.
      {dsLeft, TRect(200, 100, 220, 120), true, TPoint(220, 100)},
      {dsLeft, TRect(1200, 100, 1220, 120), true, TPoint(1100, 100)},
      {dsLeft, TRect(200, 1000, 220, 1020), false, TPoint(220, 944)},
  };
  for (const TCase& c : cases) {
    TqzBarControl* opener = Show(c.opener);
    auto* popup = new TFixedPopup(opener, bar);
    popup->PlaceAsPopup(c.owner, c.leftAligned);
    RECT r;
    GetWindowRect(popup->GetHandle(), &r);
    EXPECT_EQ(TPoint(r.Left, r.Top), c.expected) << c.owner.Left << "," << c.owner.Top;
    EXPECT_EQ(TSize(r.Right - r.Left, r.Bottom - r.Top), TSize(100, 80));
    EXPECT_TRUE(IsWindowVisible(popup->GetHandle()));
    delete popup;
  }
}

TEST_F(MarkStates, TheQuickEntryTogglesItsLink) {
  TqzBarControl* window = ShowLongBar();
  ScriptClick(MarkCentre(window));
  Pump();
  TqzBarControl* popup = window->GetQuickPopup();
  ASSERT_NE(popup, nullptr);
  TqzBarItemLinks* popupLinks = popup->GetItemLinks();
  TqzBarItemLink* entry = popupLinks->GetLink(popupLinks->GetCount() - 1);
  ASSERT_TRUE(dynamic_cast<TqzBarQuickAccessItem*>(entry->GetItem()));
  EXPECT_TRUE(entry->GetBeginGroup());

  auto* opener = dynamic_cast<TqzBarSubItemControl*>(entry->GetControl());
  ASSERT_NE(opener, nullptr);
  opener->OpenSubMenu(false);
  Pump();
  auto* menu = dynamic_cast<TqzBarQuickAccessSubControl*>(opener->GetSubMenu());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsQuickCustomizingBar());
  // One check entry per link of the toolbar, then "Customize..." apart.
  TqzBarItemLinks* entries = menu->GetItemLinks();
  Integer count = bar->GetItemLinks()->GetCount();
  ASSERT_EQ(entries->GetCount(), count + 1);
  EXPECT_EQ(entries->GetLink(0)->GetControl()->GetCaption(), "One");
  EXPECT_EQ(entries->GetLink(count)->GetCaption(), "&Customize...");
  EXPECT_TRUE(entries->GetLink(count)->GetBeginGroup());

  TqzBarItemLink* first = bar->GetItemLinks()->GetLink(0);
  ASSERT_TRUE(first->GetVisible());
  for (bool visible : {false, true}) {
    entries->GetLink(0)->GetControl()->DoClick();
    Pump();
    EXPECT_EQ(first->GetVisible(), visible);
    // The menu stays open for the next entry.
    ASSERT_EQ(opener->GetSubMenu(), menu);
  }
  window->ChangeMarkState(0);
  Pump();
  EXPECT_EQ(window->GetQuickPopup(), nullptr);
}

// The form goes with the quick control and its "Add or Remove Buttons" menu still open.
TEST_F(MarkStates, TheFormGoesWithTheQuickCustomizingMenuOpen) {
  TqzBarControl* window = ShowLongBar();
  ScriptClick(MarkCentre(window));
  Pump();
  TqzBarControl* popup = window->GetQuickPopup();
  ASSERT_NE(popup, nullptr);
  TqzBarItemLinks* popupLinks = popup->GetItemLinks();
  auto* opener = dynamic_cast<TqzBarSubItemControl*>(popupLinks->GetLink(popupLinks->GetCount() - 1)->GetControl());
  ASSERT_NE(opener, nullptr);
  opener->OpenSubMenu(false);
  Pump();
  ASSERT_NE(opener->GetSubMenu(), nullptr);
}

TEST_F(MarkStates, AHiddenPopupToolbarGivesItsOpenersMarkBack) {
  TqzBarControl* window = ShowLongBar();
  ScriptClick(MarkCentre(window));
  Pump();
  TqzBarControl* popup = window->GetQuickPopup();
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(window->GetMarkState(), 2);
  ShowWindow(popup->GetHandle(), SW_HIDE);
  Pump();
  EXPECT_EQ(window->GetMarkState(), 0);
  EXPECT_EQ(window->GetQuickPopup(), nullptr);
}

// The mark's navigation node: where it stands, hot while the keyboard has it, Enter or Space opens
// the quick control, and closing that in navigation gives the keyboard back to the mark.
TEST_F(MarkStates, TheMarksNodeShowsItHotAndOpensTheQuickControlByKey) {
  TqzBarControl* window = ShowLongBar();
  auto* node = dynamic_cast<TqzBarControlMarkAccessibilityHelper*>(window->GetMarkAccessibilityHelper());
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->ParentNode(), window->GetAccessibilityHelper());
  EXPECT_EQ(node->OwnerWindow(), window->GetHandle());
  TRect mark;
  window->MarkScreenRect(mark);
  EXPECT_EQ(node->ScreenRect(CHILDID_SELF), mark);
  EXPECT_TRUE(node->IsSelectableTarget());
  for (Word key : {VK_RETURN, VK_SPACE, VK_ESCAPE}) EXPECT_TRUE(node->AcceptsKey(key)) << key;
  EXPECT_FALSE(node->AcceptsKey(VK_DOWN));

  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->EnterNavigation(BarHelperRef(window->GetAccessibilityHelper()));
  controller->MoveSelection(false, BarHelperRef(node));
  EXPECT_EQ(window->GetMarkState(), 1);
  Word other = VK_DOWN;
  EXPECT_FALSE(node->ProcessNavKey(other));
  for (Word key : {VK_RETURN, VK_SPACE}) {
    Word k = key;
    ASSERT_TRUE(node->ProcessNavKey(k)) << key;
    EXPECT_EQ(window->GetMarkState(), 2) << key;
    ASSERT_NE(window->GetQuickPopup(), nullptr) << key;
    EXPECT_FALSE(node->IsCurrentSelection()) << key;
    // The popup goes: the mark is the keyboard's again, and shows hot.
    ShowWindow(window->GetQuickPopup()->GetHandle(), SW_HIDE);
    Pump();
    EXPECT_EQ(window->GetQuickPopup(), nullptr) << key;
    EXPECT_TRUE(node->IsCurrentSelection()) << key;
    EXPECT_EQ(window->GetMarkState(), 1) << key;
  }
  node->LoseSelection(nullptr);
  EXPECT_EQ(window->GetMarkState(), 0);
  controller->EndKeyboardNavigation();
  // Without navigation a closing popup selects nothing.
  Word enter = VK_RETURN;
  node->ProcessNavKey(enter);
  ShowWindow(window->GetQuickPopup()->GetHandle(), SW_HIDE);
  Pump();
  EXPECT_FALSE(node->IsCurrentSelection());
}

TEST_F(Marks, AToolbarWithoutAMarkHasAnInvisibleMarkNode) {
  bar->SetAllowQuickCustomizing(false);
  bar->SetShowMark(false);
  TqzBarControl* window = Show(dsTop);
  ASSERT_FALSE(window->ShowsMark());
  TqzBarAccessibilityHelper* node = window->GetMarkAccessibilityHelper();
  EXPECT_TRUE(node->StateFlags(CHILDID_SELF) & STATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(node->IsSelectableTarget());
  TRect r = node->ScreenRect(CHILDID_SELF);
  EXPECT_TRUE(IsRectEmpty(&r));
}

}  // namespace
