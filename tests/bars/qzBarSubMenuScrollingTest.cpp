#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "gdi/ImageFiles.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

namespace {

// A menu bar with Edit (six buttons, the first two used often) and Long (sixty buttons).
class MenuBehaviours : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    manager->SetMostRecentItemsPercents(50);
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Menu");
    edit = Sub("&Edit");
    for (const char* caption : {"Undo", "Cut", "Copy", "Paste", "Delete", "Find"}) Button(caption, edit);
    // Used often and lately: first in the use-ordered list.
    for (Integer i : {1, 0}) {
      edit->GetItemLinks()->GetLink(i)->SetUseCount(10);
      edit->GetItemLinks()->GetLink(i)->SetRecentIndex(0);
    }
    edit->GetItemLinks()->GetLink(4)->SetBeginGroup(true);
    longMenu = Sub("&Long");
    for (int i = 0; i < 60; ++i) Button(("Entry " + std::to_string(i)).c_str(), longMenu);
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    Clock().Advance(2000);
  }
  static FakeClock& Clock() { return static_cast<FakeClock&>(CurrentClock()); }
  void PassTime(uint64_t AMilliseconds) {
    for (uint64_t t = 0; t < AMilliseconds; t += 10) {
      Clock().Advance(10);
      Pump();
    }
  }
  TqzBarSubItem* Sub(const char* ACaption) {
    auto* item = new TqzBarSubItem(form);
    item->SetCaption(ACaption);
    bar->GetItemLinks()->AddLinkForItem(item);
    return item;
  }
  void Button(const char* ACaption, TqzBarSubItem* AParent) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    AParent->GetItemLinks()->AddLinkForItem(item);
  }
  POINT ScreenPoint(TCustomqzBarControl* AWindow, const TPoint& P) {
    TPoint s = AWindow->ClientToScreen(P);
    return {s.X, s.Y};
  }
  POINT Centre(TCustomqzBarControl* AWindow, const TRect& R) {
    return ScreenPoint(AWindow, TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
  }
  TqzBarSubMenuControl* Open(TqzBarSubItem* AItem) {
    ScriptClick(Centre(bar->GetBarControl(), LinkOf(AItem)->GetItemRect()));
    Pump();
    return MenuOf(AItem);
  }
  TqzBarItemLink* LinkOf(TqzBarSubItem* AItem) {
    for (Integer i = 0; i < bar->GetItemLinks()->GetCount(); ++i)
      if (bar->GetItemLinks()->GetLink(i)->GetItem() == AItem) return bar->GetItemLinks()->GetLink(i);
    return nullptr;
  }
  TqzBarSubMenuControl* MenuOf(TqzBarSubItem* AItem) {
    return dynamic_cast<TqzBarSubMenuControl*>(AItem->GetItemLinks()->GetBarControl());
  }
  Integer Shown(TqzBarSubItem* AItem) { return AItem->GetItemLinks()->GetVisibleLinkCount(); }
  void CloseChain() {
    if (TCustomqzBarControl* head = ActiveBarControl()) head->CloseOnce();
    Pump();
  }

  TqzBar* bar = nullptr;
  TqzBarSubItem* edit = nullptr;
  TqzBarSubItem* longMenu = nullptr;
};

TEST_F(MenuBehaviours, AMenuLeftAloneExpandsAfterFourSecondsAndTheChainStaysExpanded) {
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Shown(edit), 2);
  EXPECT_TRUE(menu->ShowsMark());
  PassTime(3900);
  EXPECT_EQ(Shown(edit), 2);
  PassTime(200);
  // The same window, made anew with every link, still open for its entry.
  EXPECT_EQ(MenuOf(edit), menu);
  EXPECT_EQ(Shown(edit), 6);
  EXPECT_FALSE(menu->ShowsMark());
  EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
  EXPECT_EQ(ActiveBarControl(), menu);
  // The links outside the recent ones stand on their band, which starts once.
  struct Expect {
    bool nonRecent, startsBand;
  } const kFlags[] = {{false, false}, {false, false}, {true, true}, {true, false}, {true, false}, {true, false}};
  for (Integer i = 0; i < 6; ++i) {
    TqzBarItemControl* control = edit->GetItemLinks()->GetVisibleLink(i)->GetControl();
    EXPECT_EQ(control->GetNonRecent(), kFlags[i].nonRecent) << i;
    EXPECT_EQ(control->GetStartsBand(), kFlags[i].startsBand) << i;
  }
  // The Enhanced look sets a band apart by one pixel, which belongs to the band's first link: a
  // link dragged over it drops before that link.
  TRect last = edit->GetItemLinks()->GetVisibleLink(1)->GetItemRect();
  TRect band = edit->GetItemLinks()->GetVisibleLink(2)->GetItemRect();
  EXPECT_EQ(band.Top, last.Bottom + 1);
  TqzBarItemLink* target = nullptr;
  bool vertical = false, before = false, atSeparator = false;
  menu->LinkAtPoint(TPoint((band.Left + band.Right) / 2, last.Bottom), target, vertical, before, atSeparator);
  EXPECT_EQ(target, edit->GetItemLinks()->GetVisibleLink(2));
  EXPECT_TRUE(before);
  EXPECT_FALSE(atSeparator);
  // Another menu of the chain opens expanded; the next chain starts short again.
  ScriptMouseMove(Centre(bar->GetBarControl(), LinkOf(longMenu)->GetItemRect()));
  ScriptMouseMove(Centre(bar->GetBarControl(), LinkOf(edit)->GetItemRect()));
  Pump();
  CloseChain();
  EXPECT_EQ(MenuOf(edit), nullptr);
  Clock().Advance(1000);
  ASSERT_NE(Open(edit), nullptr);
  EXPECT_EQ(Shown(edit), 2);
}

TEST_F(MenuBehaviours, TheMarkExpandsAfterRestingOnItOrOnCtrlDownAndOnlyHintsWithoutTheDelay) {
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  TRect mark;
  menu->MarkRect(mark);
  EXPECT_EQ(mark.Height(), menu->GetMarkSize());
  ScriptMouseMove(Centre(menu, mark));
  Pump();
  EXPECT_EQ(menu->GetMarkState(), 1);
  PassTime(900);
  EXPECT_EQ(Shown(edit), 2);
  PassTime(150);
  EXPECT_EQ(Shown(edit), 6);
  CloseChain();

  // Without the delay nothing expands by itself; Ctrl+Down does.
  manager->SetShowFullMenusAfterDelay(false);
  Clock().Advance(1000);
  menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  menu->MarkRect(mark);
  ScriptMouseMove(Centre(menu, mark));
  PassTime(5000);
  EXPECT_EQ(menu->GetMarkState(), 1);
  EXPECT_EQ(Shown(edit), 2);
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Shown(edit), 2);
  InputKey(VK_CONTROL, true);
  Pump();
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
  InputKey(VK_CONTROL, false);
  Pump();
  EXPECT_EQ(Shown(edit), 6);
  EXPECT_EQ(MenuOf(edit), menu);
}

TEST_F(MenuBehaviours, TheKeyboardsDownPastTheLastShownLinkOrCtrlDownExpandsTheMenu) {
  manager->SetShowFullMenusAfterDelay(false);
  TqzBarNavigationController* controller = NavigationControllerInstance();
  struct Case {
    const char* name;
    bool ctrl;
    Integer downsBefore;
    Integer selectedAfter;  // visible index, -1 for none
  } cases[] = {
      {"Down on the last shown link walks on into the links shown", false, 2, 2},
      {"Ctrl+Down expands at once and keeps the selection", true, 1, 0},
  };
  for (const Case& c : cases) {
    TqzBarSubMenuControl* menu = Open(edit);
    ASSERT_NE(menu, nullptr) << c.name;
    for (Integer i = 0; i < c.downsBefore; ++i) controller->HandleKey(VK_DOWN);
    EXPECT_EQ(Shown(edit), 2) << c.name;
    if (c.ctrl) InputKey(VK_CONTROL, true);
    Pump();
    controller->HandleKey(VK_DOWN);
    if (c.ctrl) InputKey(VK_CONTROL, false);
    Pump();
    EXPECT_EQ(Shown(edit), 6) << c.name;
    ASSERT_EQ(MenuOf(edit), menu) << c.name;
    TqzBarItemControl* selected = menu->GetSelectedControl();
    ASSERT_NE(selected, nullptr) << c.name;
    EXPECT_EQ(selected->GetLink()->GetVisibleIndex(), c.selectedAfter) << c.name;
    CloseChain();
    SetMenusExpanded(false);
    Clock().Advance(1000);
  }
}

TEST_F(MenuBehaviours, TheAcceleratorOfASubItemHiddenInTheShortMenuExpandsItAndOpensTheSubMenu) {
  manager->SetShowFullMenusAfterDelay(false);
  auto* more = new TqzBarSubItem(form);
  more->SetCaption("&More");
  // Never used: last in the use-ordered list, so outside the short menu.
  edit->GetItemLinks()->AddLinkForItem(more)->SendToRecentEnd();
  Button("Sort", more);
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(Shown(edit), 2);
  ScriptKeyPress('M');
  Pump();
  EXPECT_EQ(Shown(edit), 7);
  ASSERT_EQ(MenuOf(edit), menu);
  ASSERT_NE(menu->GetSelectedControl(), nullptr);
  EXPECT_EQ(menu->GetSelectedControl()->GetLink()->GetItem(), more);
  EXPECT_NE(MenuOf(more), nullptr);
}

TEST_F(MenuBehaviours, ALongMenuScrollsWhileTheMouseRestsOnAButtonAndKeepsTheKeyboardsSelectionInView) {
  TqzBarSubMenuControl* menu = Open(longMenu);
  ASSERT_NE(menu, nullptr);
  RECT window;
  GetWindowRect(menu->GetHandle(), &window);
  TRect wa;
  WorkAreaAtPoint(TPoint(window.Left, window.Top), wa);
  EXPECT_EQ(window.Bottom, wa.Bottom);
  EXPECT_FALSE(menu->CanScrollUp());
  EXPECT_TRUE(menu->CanScrollDown());
  TRect down;
  menu->Painter()->GetScrollButtonRect(menu, true, down);
  EXPECT_EQ(down.Height(), menu->GetTextSizeValue());
  ScriptMouseMove(Centre(menu, down));
  PassTime(75);
  EXPECT_EQ(menu->GetScrollIndex(), 0);
  PassTime(10);
  EXPECT_EQ(menu->GetScrollIndex(), 1);
  PassTime(320);
  EXPECT_EQ(menu->GetScrollIndex(), 5);
  EXPECT_TRUE(menu->CanScrollUp());
  // Off the button the scrolling stops.
  TRect items = menu->GetItemsRect();
  ScriptMouseMove(Centre(menu, TRect(items.Left, items.Top + 60, items.Right, items.Top + 61)));
  PassTime(400);
  EXPECT_EQ(menu->GetScrollIndex(), 5);
  // Walking down with the keys scrolls the selection into view.
  menu->SetSelectedControl(nullptr);
  for (int i = 0; i < 60; ++i) SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
  TqzBarItemControl* last = menu->GetSelectedControl();
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->GetLink(), longMenu->GetItemLinks()->GetVisibleLink(59));
  EXPECT_FALSE(menu->CanScrollDown());
  EXPECT_LE(last->GetItemRect().Bottom, menu->GetItemsRect().Bottom);
  EXPECT_TRUE(menu->GetLayoutInfo()->HoldsControlInfo(last));
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(menu->GetScrollIndex(), 0);
}

TEST_F(MenuBehaviours, AMenuOpenedByAClickRollsOutAndExpandingRollsOutAgain) {
  manager->SetMenuAnimations(maSlide);
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsAnimating());
  PassTime(200);
  EXPECT_FALSE(menu->IsAnimating());
  EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
  // Four seconds after it opened it expands, and rolls out once more.
  PassTime(3810);
  EXPECT_EQ(Shown(edit), 6);
  EXPECT_TRUE(menu->IsAnimating());
}

TEST_F(MenuBehaviours, AMenuOpenedAboveItsEntryRollsOutUpwardsAgainWhenExpanded) {
  TRect wa;
  WorkAreaAtPoint(TPoint(10, 10), wa);
  form->SetBounds(40, wa.Bottom - 80, 420, 80);
  Pump();
  manager->SetMenuAnimations(maSlide);
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  PassTime(200);
  TPoint entry = bar->GetBarControl()->ClientToScreen(TPoint(0, LinkOf(edit)->GetItemRect().Top));
  EXPECT_TRUE(menu->OpensUp());
  menu->Expand();
  ASSERT_EQ(Shown(edit), 6);
  EXPECT_TRUE(menu->IsAnimating());
  EXPECT_TRUE(menu->OpensUp());
  PassTime(10);
  RECT frame;
  GetWindowRect(menu->GetHandle(), &frame);
  PassTime(300);
  ASSERT_FALSE(menu->IsAnimating());
  RECT whole;
  GetWindowRect(menu->GetHandle(), &whole);
  // It grew from its bottom edge, which stays on the entry's top.
  EXPECT_LT(frame.Height(), whole.Height());
  EXPECT_EQ(frame.Bottom, whole.Bottom);
  EXPECT_EQ(whole.Bottom, entry.Y);
}

// Edit's sub-menu Tools can be torn off as the Tools toolbar.
class TearingOff : public MenuBehaviours {
 protected:
  void SetUp() override {
    MenuBehaviours::SetUp();
    tools = new TqzBarSubItem(form);
    tools->SetCaption("&Tools");
    edit->GetItemLinks()->AddLinkForItem(tools);
    toolbar = manager->GetBars()->AddBar();
    toolbar->SetCaption("Tools");
    for (const char* caption : {"Spell", "Count"}) Button(caption, tools);
    toolbar->GetItemLinks()->AddLinkForItem(tools->GetItemLinks()->GetLink(0)->GetItem());
    tools->SetDetachable(true);
    tools->SetDetachingBar(toolbar->PositionInCollection());
    manager->SetMenusShowRecentItemsFirst(false);
  }
  // Opens Tools beside its entry and answers the detach caption's centre on the screen.
  POINT OpenTools() {
    TqzBarSubMenuControl* menu = Open(edit);
    EXPECT_NE(menu, nullptr);
    TqzBarItemLink* entry = edit->GetItemLinks()->GetLink(6);
    menu->SetSelectedControl(entry->GetControl());
    SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
    sub = MenuOf(tools);
    EXPECT_NE(sub, nullptr);
    EXPECT_TRUE(sub->HasDetachCaption());
    TRect caption;
    sub->GetDetachCaptionRect(caption);
    RECT window;
    GetWindowRect(sub->GetHandle(), &window);
    return {window.Left + (caption.Left + caption.Right) / 2, window.Top + (caption.Top + caption.Bottom) / 2};
  }
  TqzBarSubItem* tools = nullptr;
  TqzBar* toolbar = nullptr;
  TqzBarSubMenuControl* sub = nullptr;
};

TEST_F(TearingOff, DraggingTheCaptionAwayFloatsTheBarUnderTheMouse) {
  POINT caption = OpenTools();
  ScriptMouseMove(caption);
  Pump();
  EXPECT_TRUE(sub->GetDetachCaptionHot());
  // Within 15 pixels nothing happens; beyond, the menu closes and the bar follows the mouse.
  POINT near{caption.X + 10, caption.Y + 10}, away{caption.X + 200, caption.Y + 150};
  InputMouseButton(caption, MouseButton::Left, true);
  for (POINT p : {near, POINT{away.X - 20, away.Y}, away}) {
    InputPause(20);
    InputMouseMove(p);
  }
  InputMouseButton(away, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(MenuOf(tools), nullptr);
  EXPECT_EQ(MenuOf(edit), nullptr);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  ASSERT_TRUE(toolbar->GetVisible());
  EXPECT_EQ(toolbar->GetDockingStyle(), dsNone);
  TqzBarControl* floating = toolbar->GetBarControl();
  ASSERT_NE(floating, nullptr);
  RECT r;
  GetWindowRect(floating->GetHandle(), &r);
  EXPECT_EQ((r.Left + r.Right) / 2, away.X);
  EXPECT_EQ(toolbar->GetFloatLeft(), r.Left);
  EXPECT_EQ(toolbar->GetFloatTop(), r.Top);
}

TEST_F(TearingOff, ComingBackIntoTheZoneOrEscReopensTheMenuAndHidesTheBar) {
  for (bool escape : {false, true}) {
    POINT caption = OpenTools();
    ScriptMouseMove(caption);
    Pump();
    POINT away{caption.X + 200, caption.Y + 150};
    InputMouseButton(caption, MouseButton::Left, true);
    InputPause(20);
    InputMouseMove(away);
    InputPause(20);
    if (escape) {
      InputKey(VK_ESCAPE, true);
      InputKey(VK_ESCAPE, false);
    } else {
      InputMouseMove({caption.X + 5, caption.Y});
    }
    InputMouseButton(caption, MouseButton::Left, false);
    Pump();
    EXPECT_FALSE(toolbar->GetVisible()) << escape;
    EXPECT_NE(MenuOf(tools), nullptr) << escape;
    CloseChain();
    Clock().Advance(1000);
  }
}

// A window's pixel as 0x00BBGGRR (window coordinates).
TColor PixelOf(const HeadlessBackend& AScreen, HWND AWnd, Integer X, Integer Y) {
  PixelImage image = AScreen.WindowImage(AWnd);
  uint32_t p = image.pixels[static_cast<size_t>(Y) * image.width + X];
  return static_cast<TColor>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
}

TEST_F(TearingOff, TheCaptionLightsUpUnderTheMouseAndTheBandsOfAnExpandedMenuStandApart) {
  POINT caption = OpenTools();
  RECT window;
  GetWindowRect(sub->GetHandle(), &window);
  Integer cx = caption.X - window.Left, cy = caption.Y - window.Top;
  EXPECT_EQ(PixelOf(screen, sub->GetHandle(), cx, cy), static_cast<TColor>(GetSysColor(COLOR_INACTIVECAPTION)));
  ScriptMouseMove(caption);
  Pump();
  EXPECT_EQ(PixelOf(screen, sub->GetHandle(), cx, cy), static_cast<TColor>(GetSysColor(COLOR_ACTIVECAPTION)));
  CloseChain();
  // Expanded: Copy starts the non-recent band, one pixel below Cut, under a shadow-coloured line,
  // and stands on the lighter band colour.
  manager->SetMenusShowRecentItemsFirst(true);
  Clock().Advance(1000);
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  PassTime(4100);
  ASSERT_EQ(Shown(edit), 7);
  UpdateAllWindows();
  TRect copy = edit->GetItemLinks()->GetLink(2)->GetItemRect();
  TPoint origin = menu->ClientToScreen(TPoint(0, 0));
  GetWindowRect(menu->GetHandle(), &window);
  Integer dx = origin.X - window.Left, dy = origin.Y - window.Top;
  TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  TColor light = static_cast<TColor>(RGB(std::min(GetRValue(face) + 20, 255), std::min(GetGValue(face) + 20, 255),
                                         std::min(GetBValue(face) + 20, 255)));
  EXPECT_EQ(PixelOf(screen, menu->GetHandle(), copy.Left + 2 + dx, copy.Top - 1 + dy),
            static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(PixelOf(screen, menu->GetHandle(), copy.Left + 2 + dx, copy.Top + 1 + dy), light);
  TRect cut = edit->GetItemLinks()->GetLink(1)->GetItemRect();
  EXPECT_EQ(PixelOf(screen, menu->GetHandle(), cut.Left + 2 + dx, cut.Top + 1 + dy), face);
}

// The looks a person checks: a short menu's mark, the expanded menu's lighter band with a torn-off
// sub-menu's caption, and a scrolled long menu's buttons.
TEST_F(TearingOff, Screenshots) {
  manager->SetMenusShowRecentItemsFirst(true);
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  TqzBarSubMenuControl* menu = Open(edit);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(screen.SaveWindowPng(menu->GetHandle(), folder + "/bar-menu-short.png"));
  PassTime(4100);
  ASSERT_EQ(Shown(edit), 7);
  menu->SetSelectedControl(edit->GetItemLinks()->GetVisibleLink(6)->GetControl());
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  ASSERT_NE(MenuOf(tools), nullptr);
  EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-menu-expanded.png"));
  EXPECT_TRUE(screen.SaveWindowPng(MenuOf(tools)->GetHandle(), folder + "/bar-menu-detachable.png"));
  CloseChain();
  Clock().Advance(1000);
  menu = Open(longMenu);
  ASSERT_NE(menu, nullptr);
  TRect down;
  menu->Painter()->GetScrollButtonRect(menu, true, down);
  ScriptMouseMove(Centre(menu, down));
  PassTime(250);
  ScriptMouseMove(Centre(menu, TRect(0, 100, 60, 101)));
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(menu->GetHandle(), folder + "/bar-menu-scrolled.png"));
}

}  // namespace
