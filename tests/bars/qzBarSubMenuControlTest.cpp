#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

namespace {

struct TClicks : TObject {
  Integer count = 0;
  void Clicked(TObject*) { ++count; }
};

// A form with a main menu bar: File (Open, Recent > (One, Two), Exit).
class Menus : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Menu");
    file = Sub("&File", bar->GetItemLinks());
    open = Button("&Open", file->GetItemLinks());
    recent = Sub("&Recent", file->GetItemLinks());
    Button("One", recent->GetItemLinks());
    Button("Two", recent->GetItemLinks());
    Button("E&xit", file->GetItemLinks());
    file->GetItemLinks()->GetLink(2)->SetBeginGroup(true);
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  // Lets the fake clock run past the timers due within the time.
  void PassTime(uint64_t AMilliseconds) {
    for (uint64_t t = 0; t < AMilliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      Pump();
    }
  }
  TqzBarSubItem* Sub(const char* ACaption, TqzBarItemLinks* ALinks) {
    auto* item = new TqzBarSubItem(form);
    item->SetCaption(ACaption);
    ALinks->AddLinkForItem(item);
    return item;
  }
  TqzBarButton* Button(const char* ACaption, TqzBarItemLinks* ALinks) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetOnClick(MakeEvent<&TClicks::Clicked>(&clicks));
    ALinks->AddLinkForItem(item);
    return item;
  }
  POINT Centre(TqzBarItemLink* ALink) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return {p.X, p.Y};
  }
  TqzBarSubMenuControl* MenuOf(TqzBarSubItem* AItem) {
    return dynamic_cast<TqzBarSubMenuControl*>(AItem->GetItemLinks()->GetBarControl());
  }

  TClicks clicks;
  TqzBar* bar = nullptr;
  TqzBarSubItem* file = nullptr;
  TqzBarSubItem* recent = nullptr;
  TqzBarButton* open = nullptr;
};

TEST_F(Menus, FileOpensUnderItsEntryASubItemOpensAfterRestingAndAClickClosesTheChain) {
  TqzBarItemLink* fileLink = bar->GetItemLinks()->GetLink(0);
  ScriptClick(Centre(fileLink));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
  // Under the entry, at its left edge.
  RECT r;
  GetWindowRect(menu->GetHandle(), &r);
  TRect entry = fileLink->GetItemRect();
  TPoint entryBottomLeft = fileLink->GetBarControl()->ClientToScreen(TPoint(entry.Left, entry.Bottom));
  EXPECT_EQ(r.Left, entryBottomLeft.X);
  EXPECT_EQ(r.Top, entryBottomLeft.Y);
  EXPECT_EQ(menu->GetOpenerHeight(), entry.Height());
  EXPECT_EQ(ActiveBarControl(), menu);
  // Resting on Recent opens its menu beside it after 400 ms, not before.
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(1)));
  Pump();
  EXPECT_EQ(menu->GetSelectedControl(), file->GetItemLinks()->GetLink(1)->GetControl());
  EXPECT_EQ(WindowFromPoint(Centre(file->GetItemLinks()->GetLink(1))), menu->GetHandle());
  PassTime(300);
  EXPECT_EQ(MenuOf(recent), nullptr);
  PassTime(150);
  TqzBarSubMenuControl* sub = MenuOf(recent);
  ASSERT_NE(sub, nullptr);
  RECT s;
  GetWindowRect(sub->GetHandle(), &s);
  // Beside the File menu, on its right.
  EXPECT_GE(s.Left, r.Right - 4);
  EXPECT_EQ(sub->GetOpenerWidth(), file->GetItemLinks()->GetLink(1)->GetItemRect().Width());
  // A click on One runs its OnClick once and closes every menu of the chain.
  ScriptClick(Centre(recent->GetItemLinks()->GetLink(0)));
  Pump();
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(MenuOf(recent), nullptr);
  EXPECT_EQ(MenuOf(file), nullptr);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(Menus, AModalWindowComingUpClosesTheOpenMenus) {
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  ASSERT_NE(MenuOf(file), nullptr);
  ASSERT_EQ(ActiveBarControl(), MenuOf(file));
  TForm dialog(nullptr, 0);
  dialog.SetBounds(60, 60, 200, 120);
  // The dialog closes itself as soon as its loop runs.
  PostMessage(dialog.GetHandle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(MenuOf(file), nullptr);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(Menus, TheArrowsWalkTheMenuRightOpensASubItemAndLeftComesBack) {
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  auto selected = [&](TqzBarSubMenuControl* AMenu) -> String {
    TqzBarItemControl* control = AMenu ? AMenu->GetSelectedControl() : nullptr;
    return control ? control->GetLink()->GetCaption() : String("-");
  };
  struct Step {
    UINT key;
    const char* inFile;
    const char* inRecent;  // "-" nothing selected, nullptr closed
  } steps[] = {
      {VK_DOWN, "&Open", nullptr},   {VK_DOWN, "&Recent", nullptr}, {VK_RIGHT, "&Recent", "One"},
      {VK_DOWN, "&Recent", "Two"},   {VK_LEFT, "&Recent", nullptr}, {VK_UP, "&Open", nullptr},
      {VK_TAB, "&Recent", nullptr},  {VK_DOWN, "E&xit", nullptr},
  };
  for (const Step& step : steps) {
    ScriptKeyPress(step.key);
    Pump();
    ASSERT_EQ(MenuOf(file), menu) << step.key;
    EXPECT_EQ(selected(menu), step.inFile) << step.key;
    if (step.inRecent)
      EXPECT_EQ(selected(MenuOf(recent)), step.inRecent) << step.key;
    else
      EXPECT_EQ(MenuOf(recent), nullptr) << step.key;
  }
}

// Alt with an entry's accelerator opens its menu and keeps the menu bar down, as a click would: the
// mouse on another entry opens that one's menu at once.
TEST_F(Menus, AltWithAnEntrysAcceleratorOpensItsMenuAndKeepsTheMenuBarDown) {
  TqzBarSubItem* edit = Sub("&Edit", bar->GetItemLinks());
  Button("&Copy", edit->GetItemLinks());
  Pump();
  ScriptKeyPress('F', kAlt);
  Pump();
  ASSERT_NE(MenuOf(file), nullptr);
  EXPECT_TRUE(bar->GetBarControl()->GetKeptDown());
  EXPECT_EQ(clicks.count, 0);
  ScriptMouseMove(Centre(bar->GetItemLinks()->GetLink(1)));
  Pump();
  EXPECT_EQ(MenuOf(file), nullptr);
  EXPECT_NE(MenuOf(edit), nullptr);
  ScriptKeyPress(VK_ESCAPE);
  ScriptKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(MenuOf(edit), nullptr);
}

// With the menu bar kept down, Right and Left in an open top-level menu move to the neighbouring
// entry and open its menu, its first entry selected.
TEST_F(Menus, RightAndLeftInAnOpenTopLevelMenuOpenTheNeighboursMenu) {
  TqzBarSubItem* edit = Sub("&Edit", bar->GetItemLinks());
  Button("&Copy", edit->GetItemLinks());
  Pump();
  auto selected = [](TCustomqzBarControl* menu) {
    TqzBarItemControl* control = menu ? menu->GetSelectedControl() : nullptr;
    return control ? control->GetLink()->GetCaption() : String("-");
  };
  ScriptKeyPress('F', kAlt);
  Pump();
  ASSERT_NE(MenuOf(file), nullptr);
  ScriptKeyPress(VK_RIGHT);
  Pump();
  EXPECT_EQ(MenuOf(file), nullptr);
  ASSERT_NE(MenuOf(edit), nullptr);
  EXPECT_EQ(selected(MenuOf(edit)), "&Copy");
  ScriptKeyPress(VK_LEFT);
  Pump();
  EXPECT_EQ(MenuOf(edit), nullptr);
  ASSERT_NE(MenuOf(file), nullptr);
  EXPECT_EQ(selected(MenuOf(file)), "&Open");
  ScriptKeyPress(VK_ESCAPE);
  ScriptKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(MenuOf(file), nullptr);
  EXPECT_EQ(clicks.count, 0);
}

TEST_F(Menus, EscClosesOnlyTheInnermostMenuAndAPressOnTheEntryClosesItsMenu) {
  TqzBarItemLink* fileLink = bar->GetItemLinks()->GetLink(0);
  ScriptClick(Centre(fileLink));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  // Right on the selected sub-item opens it from the keyboard with its first link selected.
  menu->SetSelectedControl(file->GetItemLinks()->GetLink(1)->GetControl());
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
  TqzBarSubMenuControl* sub = MenuOf(recent);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->GetSelectedControl(), recent->GetItemLinks()->GetLink(0)->GetControl());
  SendMessage(sub->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(MenuOf(recent), nullptr);
  EXPECT_EQ(MenuOf(file), menu);
  static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  ScriptClick(Centre(fileLink));
  Pump();
  EXPECT_EQ(MenuOf(file), nullptr);
  EXPECT_EQ(clicks.count, 0);
}

// Placement near the work area's edges: (point, opener width, opener height) -> corner, flips.
TEST_F(Menus, ASplitButtonsArrowPartIsAsWideAsTheMenusArrowInAMenuAndTheManagersOnABar) {
  TqzBarButton* inMenu = Button("&Print", file->GetItemLinks());
  TqzBarButton* onBar = Button("&Send", bar->GetItemLinks());
  for (TqzBarButton* button : {inMenu, onBar}) button->SetButtonStyle(bsDropDown);
  Pump();
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  auto arrowWidth = [](TqzBarButton* AButton) {
    TqzBarItemControl* control = AButton->GetLinkCount() ? AButton->GetLink(0)->GetControl() : nullptr;
    if (!control) return -1;
    control->FillDrawParams(true);
    return static_cast<TqzBarButtonLikeControlDrawParams*>(control->GetDrawParams())->ButtonSize.cx;
  };
  TqzBarPainter* painter = manager->GetDefaultPainter();
  EXPECT_EQ(arrowWidth(inMenu), painter->ClassRef()->MenuArrowWidth(menu->GetTextSizeValue()));
  EXPECT_EQ(arrowWidth(onBar), painter->SplitArrowWidth(manager));
  EXPECT_NE(arrowWidth(inMenu), arrowWidth(onBar));
}

TEST_F(Menus, PlacementFlipsOrPushesAtTheWorkAreasEdges) {
  TRect wa;
  WorkAreaAtPoint(TPoint(10, 10), wa);
  struct Case {
    const char* name;
    TPoint at;
    Integer openerWidth, openerHeight;
    bool flipH, flipV;
  };
  const TSize size(120, 80);
  const Case kCases[] = {
      {"free popup in the middle", {200, 200}, 0, 0, false, false},
      {"free popup near the right edge opens left of its point", {wa.Right - 50, 200}, 0, 0, true, false},
      {"free popup near the bottom opens upwards", {200, wa.Bottom - 20}, 0, 0, false, true},
      {"beside an item near the right edge goes to its other side", {wa.Right - 50, 200}, 90, 0, true, false},
      {"below an entry near the bottom opens above it", {200, wa.Bottom - 20}, 0, 22, false, true},
  };
  for (const Case& c : kCases) {
    auto* menu = new TqzBarSubMenuControl(manager);
    menu->SetOpenerExtents(c.openerWidth, c.openerHeight);
    menu->SetBounds(c.at.X, c.at.Y, 0, 0);
    bool h = false, v = false;
    menu->Place(size, h, v);
    EXPECT_EQ(h, c.flipH) << c.name;
    EXPECT_EQ(v, c.flipV) << c.name;
    EXPECT_GE(menu->GetLeft(), wa.Left) << c.name;
    EXPECT_LE(menu->GetLeft() + menu->GetWidth(), wa.Right) << c.name;
    EXPECT_GE(menu->GetTop(), wa.Top) << c.name;
    EXPECT_LE(menu->GetTop() + menu->GetHeight(), wa.Bottom) << c.name;
    if (c.flipH && c.openerWidth) {
      EXPECT_EQ(menu->GetLeft(), c.at.X - c.openerWidth - size.cx) << c.name;
    }
    if (c.flipV && c.openerHeight) {
      EXPECT_EQ(menu->GetTop(), c.at.Y - c.openerHeight - size.cy) << c.name;
    }
    delete menu;
  }
  // Taller than the work area: from its top, cut at its bottom.
  auto* menu = new TqzBarSubMenuControl(manager);
  menu->SetBounds(100, 100, 0, 0);
  bool h = false, v = false;
  menu->Place(TSize(100, wa.Height() + 200), h, v);
  EXPECT_EQ(menu->GetTop(), wa.Top);
  EXPECT_EQ(menu->GetTop() + menu->GetHeight(), wa.Bottom);
  delete menu;
}

TEST_F(Menus, AnEmptyMenuIsAHundredPixelsWideAndOneLineHigh) {
  auto* empty = new TqzBarSubItem(form);
  auto* menu = new TqzBarSubMenuControl(manager);
  menu->SetItemLinks(empty->GetItemLinks());
  menu->Popup(TPoint(100, 100));
  ASSERT_TRUE(menu->HandleAllocated());
  EXPECT_EQ(menu->GetClientWidth(), 100 + 2 * manager->GetDefaultPainter()->ClassRef()->MenuInnerBorderSize());
  EXPECT_EQ(menu->GetClientHeight(), menu->GetTextSizeValue() + 2 * manager->GetDefaultPainter()->ClassRef()->MenuInnerBorderSize());
  menu->Dismiss();
}

TEST_F(Menus, CaptionsDrawInsideTheirRowsAfterTheIconColumn) {
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  for (Integer i = 0; i < file->GetItemLinks()->GetCount(); ++i) {
    TqzBarItemLink* link = file->GetItemLinks()->GetLink(i);
    TqzBarItemControl* control = link->GetControl();
    TRect row = link->GetItemRect();
    // The caption's column: after the icon column, before the sub-menu arrow.
    TRect column(row.Left + control->GlyphPartWidth(), row.Top, row.Right - control->ExtraWidth(), row.Bottom);
    TRect ink = InkBounds(screen, menu, column);
    ASSERT_FALSE(IsRectEmpty(&ink)) << i;
    // Centred in its row: a caption pushed down shows only its top, at the row's bottom.
    EXPECT_GE(ink.Height(), 6) << i;
    EXPECT_LE(std::abs((ink.Top + ink.Bottom) - (row.Top + row.Bottom)), 6) << i;
    EXPECT_GE(ink.Left, column.Left) << i;
    // The whole caption, clear of the arrow.
    EXPECT_GE(ink.Width(), control->CaptionWidth() - 4) << i;
    EXPECT_LE(ink.Right, column.Right) << i;
  }
}

// Leaving an open sub-item closes its menu only after 400 ms, and coming back first keeps it.
TEST_F(Menus, LeavingAnOpenSubItemClosesItsMenuAfterTheDelayUnlessTheMouseComesBack) {
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(1)));
  PassTime(450);
  ASSERT_NE(MenuOf(recent), nullptr);
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(0)));
  PassTime(300);
  EXPECT_NE(MenuOf(recent), nullptr);
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(1)));
  PassTime(500);
  EXPECT_NE(MenuOf(recent), nullptr) << "coming back cancels the closing";
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(2)));
  PassTime(300);
  EXPECT_NE(MenuOf(recent), nullptr);
  PassTime(150);
  EXPECT_EQ(MenuOf(recent), nullptr);
  ASSERT_NE(MenuOf(file), nullptr);
  EXPECT_EQ(MenuOf(file)->GetSelectedControl(), file->GetItemLinks()->GetLink(2)->GetControl());
  // Passing over a sub-item quicker than the delay opens nothing.
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(1)));
  PassTime(200);
  ScriptMouseMove(Centre(file->GetItemLinks()->GetLink(0)));
  PassTime(500);
  EXPECT_EQ(MenuOf(recent), nullptr);
}

// While a menu of the menu bar is open, the mouse on another entry opens that one's menu at once;
// without an open menu, hovering the entries opens nothing.
TEST_F(Menus, MovingAlongTheMenuBarWithAMenuOpenOpensEachEntrysMenu) {
  TqzBarSubItem* edit = Sub("&Edit", bar->GetItemLinks());
  Button("&Copy", edit->GetItemLinks());
  Pump();
  ScriptMouseMove(Centre(bar->GetItemLinks()->GetLink(1)));
  PassTime(500);
  EXPECT_EQ(MenuOf(edit), nullptr);
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  ASSERT_NE(MenuOf(file), nullptr);
  ScriptMouseMove(Centre(bar->GetItemLinks()->GetLink(1)));
  Pump();
  EXPECT_EQ(MenuOf(file), nullptr);
  ASSERT_NE(MenuOf(edit), nullptr);
  EXPECT_TRUE(IsWindowVisible(MenuOf(edit)->GetHandle()));
  ScriptMouseMove(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  EXPECT_EQ(MenuOf(edit), nullptr);
  EXPECT_NE(MenuOf(file), nullptr);
}

TEST_F(Menus, Screenshot) {
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  menu->SetSelectedControl(file->GetItemLinks()->GetLink(1)->GetControl());
  SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-menus.png"));
  EXPECT_TRUE(screen.SaveWindowPng(menu->GetHandle(), folder + "/bar-menu-window.png"));
}

}  // namespace

namespace {

// Keys the test posts to the menu as it pops up, and what happened.
struct TPopupScript : TObject {
  TqzBarPopupMenu* menu = nullptr;
  std::vector<WPARAM> keys;
  bool postQuit = false;
  Integer popups = 0, closeUps = 0;
  void Popped(TObject*) {
    ++popups;
    TqzBarSubMenuControl* shown = menu->GetMenuControl();
    // Opening it again while it is open does nothing: no second window, no second loop.
    menu->PopupAt(10, 10);
    if (menu->GetMenuControl() != shown) ++popups;
    HWND window = shown->GetHandle();
    // A command meant for the form behind the menu is dropped while the menu is open.
    PostMessage(window, WM_COMMAND, 1, 0);
    if (postQuit) PostQuitMessage(7);
    for (WPARAM key : keys) PostMessage(window, WM_KEYDOWN, key, 0);
  }
  void Closed(TObject*) { ++closeUps; }
};

TEST_F(Menus, APopupMenuShowsItsOwnFontAndAMenuItsParentBarsFont) {
  auto* popup = new TqzBarPopupMenu(form);
  Button("&Cut", popup->GetItemLinks());
  popup->GetFont()->SetSize(14);
  ASSERT_TRUE(popup->GetUseOwnFont());
  popup->PopupForOwner(200, 200, 0, 0, false, nullptr, false, nullptr);
  TqzBarSubMenuControl* window = popup->GetMenuControl();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetFont()->GetSize(), 14);
  // Its editors take the menu's font too.
  EXPECT_EQ(window->GetEditFont()->GetSize(), 14);
  window->Dismiss();
  Pump();
  delete popup;
  // A sub-menu follows the bar window it opens from.
  bar->GetBarControl()->GetFont()->SetSize(13);
  ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
  Pump();
  TqzBarSubMenuControl* menu = MenuOf(file);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetFont()->GetSize(), 13);
}

TEST_F(Menus, APopupMenuRunsItsLoopUntilAnItemIsChosenOrEscCloses) {
  auto* popup = new TqzBarPopupMenu(form);
  Button("&Cut", popup->GetItemLinks());
  Button("&Paste", popup->GetItemLinks());
  TPopupScript script;
  script.menu = popup;
  popup->SetOnPopup(MakeEvent<&TPopupScript::Popped>(&script));
  popup->SetOnCloseUp(MakeEvent<&TPopupScript::Closed>(&script));
  script.keys = {VK_DOWN, VK_RETURN};
  popup->PopupAt(200, 200);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_EQ(popup->GetMenuControl(), nullptr);
  EXPECT_EQ(script.popups, 1);
  EXPECT_EQ(script.closeUps, 1);
  // Esc closes it without a click; a quit message ends the loop and stays for the application.
  script.keys = {VK_ESCAPE};
  script.postQuit = true;
  popup->PopupAt(200, 200);
  EXPECT_EQ(clicks.count, 1);
  MSG msg;
  bool quitKept = false;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message == WM_QUIT) quitKept = true;
  EXPECT_TRUE(quitKept);
  if (TqzBarSubMenuControl* open = popup->GetMenuControl()) open->Dismiss();
  delete popup;
}

}  // namespace
