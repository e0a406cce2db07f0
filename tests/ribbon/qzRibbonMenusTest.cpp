#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "RibbonFixture.h"
#include "backend/ScriptedInput.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarCustPopup.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/ribbon/qzRibbonMenus.h"
#include "user/Timers.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "user/Focus.h"
#include "user/InputEvents.h"
#include "user/VirtualKeys.h"

namespace {

using RibbonMenus = RibbonOnForm;

// What the menu window was like while it was open; it is looked at once it shows, then closed.
struct TMenuProbe : TObject {
  TqzRibbonPopupMenu* menu = nullptr;
  Word kindFlags = 0;
  TqzBarPainter* painter = nullptr;
  HeadlessBackend* screen = nullptr;
  // The narrowest room the painter left a caption beside its shortcut, less the caption's width.
  Integer captionSlack = 0;
  std::string picture;  // saved under this name, when set
  void Popped(TObject*) {
    current = this;
    timer = SetTimer(nullptr, 0, 0, &Shown);
  }
  static void Shown(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, timer);
    TqzBarSubMenuControl* window = current->menu->GetMenuControl();
    current->kindFlags = window->KindFlags();
    current->painter = window->GetOwnPainter();
    current->captionSlack = 1 << 30;
    for (Integer i = 0; i < window->GetItemLinks()->GetCount(); ++i) {
      TqzBarItemControl* control = window->GetItemLinks()->GetLink(i)->GetControl();
      TRect text;
      window->Painter()->ClassRef()->GetMenuTextRect(control->GetDrawParams(), control->GetItemRect(), text);
      const String& shortCut = control->GetDrawParams()->ShortCutText;
      const Integer shortCutPart =
          shortCut.empty() ? 0 : control->TextExtent(shortCut).cx + window->GetTextSizeValue() + 5;
      current->captionSlack = std::min(current->captionSlack, text.Width() - shortCutPart - control->CaptionWidth());
    }
    const char* root = std::getenv("TAVREN_TEST_OUTPUT");
    if (!current->picture.empty() && root) {
      UpdateWindow(window->GetHandle());
      EXPECT_TRUE(current->screen->SaveWindowPng(window->GetHandle(), std::string(root) + "/" + current->picture + ".png"));
    }
    PostMessage(window->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }
  static inline TMenuProbe* current = nullptr;
  static inline UINT_PTR timer = 0;
};

TEST_F(RibbonMenus, APopupMenuOfARibbonDrawsWithItsGroupsPainterAndForgetsAFreedRibbon) {
  auto* popup = new TqzRibbonPopupMenu(form);
  const std::pair<const char*, Word> items[] = {{"&Open Recent Files", 'O'}, {"&Save", 'S'}, {"E&xit", 'Q'}};
  for (const auto& [caption, key] : items) {
    auto* button = new TqzBarButton(form);
    button->SetCaption(caption);
    button->SetShortCut(ShortCut(key, TShiftState{ssCtrl}));
    popup->GetItemLinks()->AddLinkForItem(button);
  }
  popup->GetItemLinks()->GetLink(2)->SetBeginGroup(true);
  TMenuProbe probe;
  probe.menu = popup;
  probe.screen = &screen;
  popup->SetOnPopup(MakeEvent<&TMenuProbe::Popped>(&probe));

  popup->PopupAt(100, 100);
  EXPECT_EQ(probe.kindFlags, 0x019E) << "a menu's flags with the context menu on release";
  EXPECT_EQ(probe.painter, nullptr) << "no ribbon: the manager's painter";

  popup->SetRibbon(ribbon);
  probe.picture = "ribbon-popup-menu";
  popup->PopupAt(100, 100);
  probe.picture.clear();
  EXPECT_EQ(probe.painter, ribbon->GetGroupsPainter());
  EXPECT_GE(probe.captionSlack, 4) << "every caption fits, a gap before its shortcut, where the groups painter draws it";
  // The menu takes the look of each scheme.
  for (const char* scheme : {"Black", "Silver"}) {
    ribbon->SetColorSchemeName(scheme);
    probe.picture = std::string("ribbon-popup-menu-") + scheme;
    popup->PopupAt(100, 100);
    EXPECT_EQ(probe.painter, ribbon->GetGroupsPainter()) << scheme;
  }
  probe.picture.clear();

  delete ribbon;
  ribbon = nullptr;
  EXPECT_EQ(popup->GetRibbon(), nullptr);
  popup->PopupAt(100, 100);
  EXPECT_EQ(probe.painter, nullptr);
}

// What the application menu was like while it was open: looked at once it shows, then a click on
// the application button's place closes it.
struct TApplicationMenuProbe : TObject {
  TqzBarApplicationMenu* menu = nullptr;
  TqzCustomRibbon* ribbon = nullptr;
  HeadlessBackend* screen = nullptr;
  std::string picture;
  Integer popups = 0;
  Word kindFlags = 0;
  TqzBarPainter* painter = nullptr;
  bool openFlag = false;
  Byte buttonState = 0;
  LRESULT hitOverButton = 0;
  TRect pane;
  bool closedByClick = false;
  bool firstSelected = false;
  // Asks for the menu's key tips and leaves them with Esc, in place of the click.
  bool keyTips = false;
  std::vector<String> menuTips;
  bool tipsInMenu = false;
  bool closedByEsc = false;
  bool ribbonTipsAgain = false;
  // Leaves keyboard navigation on after Esc (the button's key tip opened the menu).
  bool keepNavigation = false;
  // Clicks the button's place with the mouse, through the hooks, in place of the message.
  bool userClick = false;
  // Right-clicks the third entry and runs the context command that adds it to the quick access
  // toolbar, in place of the click.
  bool contextMenu = false;
  std::vector<String> contextEntries;
  bool closedAfterCommand = false;
  void Popped(TObject*) {
    ++popups;
    current = this;
    timer = SetTimer(nullptr, 0, 0, &Shown);
  }
  static void Shown(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, timer);
    TApplicationMenuProbe* self = current;
    TqzBarSubMenuControl* window = self->menu->GetMenuControl();
    self->kindFlags = window->KindFlags();
    self->painter = window->GetOwnPainter();
    self->openFlag = self->ribbon->IsApplicationMenuOpen();
    self->buttonState = self->ribbon->GetApplicationButtonState();
    self->pane = static_cast<TqzBarApplicationMenuControl*>(window)->GetExtraPaneRect();
    const TRect& image = self->ribbon->GetViewInfo()->GetApplicationButtonImageRect();
    TPoint centre = self->ribbon->ClientToScreen(TPoint((image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2));
    self->hitOverButton = SendMessage(window->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(centre.X, centre.Y));
    if (self->userClick) {
      self->userClick = false;
      ScriptClick({centre.X, centre.Y});
      return;
    }
    if (self->popups > 1) {
      window->CloseOnce();
      return;
    }
    if (self->contextMenu) {
      window->ShowContextPopup(self->menu->GetItemLinks()->GetLink(2)->GetControl());
      TqzBarCustomizingPopup* popup = DesignControllerInstance()->GetCustomizingPopup();
      if (!popup) return window->CloseOnce();
      TqzBarItemLinks* links = popup->GetItemLinks();
      for (Integer i = 0; i < links->GetCount(); ++i) self->contextEntries.push_back(links->GetLink(i)->GetCaption());
      TqzBarItem* add = links->GetLink(0)->GetItem();
      popup->Dismiss();
      add->Click();
      self->closedAfterCommand = self->menu->GetMenuControl() == nullptr;
      if (!self->closedAfterCommand) window->CloseOnce();
      return;
    }
    if (self->keyTips) {
      TqzBarNavigationController* controller = NavigationControllerInstance();
      SendMessage(self->ribbon->GetHandle(), QZM_RIBBON_MENUKEYTIPS, 0, 0);
      for (const auto& data : controller->GetKeyTips()) self->menuTips.push_back(data->KeyTipUpperText());
      TInterfacePtr<IqzBarKeyTipWindowsManager> windows;
      self->tipsInMenu = controller->GetActiveContainer() &&
                         controller->GetActiveContainer()->BarHelperObject() == window->GetAccessibilityHelper() &&
                         controller->GetActiveContainer()->KeyTipsAvailable(windows) && windows;
      controller->HandleKey(VK_ESCAPE);
      self->closedByEsc = self->menu->GetMenuControl() == nullptr;
      self->ribbonTipsAgain = controller->GetActiveContainer() &&
                              controller->GetActiveContainer()->BarHelperObject() == self->ribbon->GetAccessibilityHelper();
      if (!self->keepNavigation) controller->EndKeyboardNavigation();
      return;
    }
    // The keyboard access of the button asks for the menu's first element.
    SendMessage(self->ribbon->GetHandle(), QZM_RIBBON_SELECTFIRSTINMENU, 0, 0);
    TqzBarItemControl* selected = static_cast<TqzBarApplicationMenuControl*>(window)->NavigationSelection();
    self->firstSelected = selected && selected->GetLink() == self->menu->GetItemLinks()->GetLink(0);
    const char* root = std::getenv("TAVREN_TEST_OUTPUT");
    if (!self->picture.empty() && root) {
      // The keyboard on the second recent entry, past the other five items and the first entry.
      for (Integer i = 0; i < 7; ++i) SendMessage(window->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
      UpdateAllWindows();
      EXPECT_TRUE(self->screen->SaveScreenPng(std::string(root) + "/" + self->picture + ".png"));
    }
    // The click on the button's place reaches the ribbon, which closes the menu.
    TPoint local = self->ribbon->ScreenToClient(centre);
    SendMessage(self->ribbon->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.X, local.Y));
    self->closedByClick = self->menu->GetMenuControl() == nullptr;
    SendMessage(self->ribbon->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(local.X, local.Y));
  }
  static inline TApplicationMenuProbe* current = nullptr;
  static inline UINT_PTR timer = 0;
};

struct THandledClick : TObject {
  bool handle = true;
  Integer asked = 0;
  void Clicked(TqzCustomRibbon*, bool& AHandled) {
    ++asked;
    AHandled = handle;
  }
};

class RibbonApplicationMenu : public RibbonOnForm {
 protected:
  void SetUp() override {
    RibbonOnForm::SetUp();
    AddTab("Home");
    // The application button shows with the quick access toolbar above the ribbon.
    TqzBar* quick = AddBar("Quick");
    quick->SetVisible(true);
    ribbon->GetQuickAccessToolbar()->SetToolbar(quick);
    menu = new TqzBarApplicationMenu(form);
    for (const char* caption : {"&New", "&Open...", "&Save", "Save &As", "&Print", "&Close"}) {
      auto* button = new TqzBarButton(form);
      button->SetCaption(caption);
      menu->GetItemLinks()->AddLinkForItem(button);
    }
    menu->GetItemLinks()->GetLink(4)->SetBeginGroup(true);
    for (const char* path : {"/home/user/clips/Holiday 2025.avi", "/home/user/clips/Birthday.mp4", "C:\\Docs\\Report.final.doc"}) {
      auto* entry = static_cast<TqzBarExtraPaneItem*>(menu->GetExtraPane()->GetItems()->Add());
      entry->SetText(path);
    }
    for (const char* caption : {"Options", "Exit"}) {
      auto* button = new TqzBarButton(form);
      button->SetCaption(caption);
      menu->GetButtons()->AddButton()->SetItem(button);
    }
    ribbon->GetApplicationButton()->SetMenu(menu);
    Pump();
    ASSERT_TRUE(ribbon->GetViewInfo()->IsApplicationButtonShown(false));
    probe.menu = menu;
    probe.ribbon = ribbon;
    probe.screen = &screen;
    menu->SetOnPopup(MakeEvent<&TApplicationMenuProbe::Popped>(&probe));
  }
  TPoint ButtonCentre() {
    const TRect& image = ribbon->GetViewInfo()->GetApplicationButtonImageRect();
    return TPoint((image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2);
  }
  TqzBarApplicationMenu* menu = nullptr;
  TApplicationMenuProbe probe;
};

TEST_F(RibbonApplicationMenu, ThePressedButtonOpensTheMenuBelowItAndAClickOnItsPlaceClosesIt) {
  probe.picture = "ribbon-application-menu";
  SendMouse(ribbon->GetHandle(), WM_LBUTTONDOWN, ButtonCentre(), MK_LBUTTON);
  ASSERT_EQ(probe.popups, 1);
  EXPECT_EQ(probe.kindFlags, 0x019E);
  EXPECT_EQ(probe.painter, ribbon->GetGroupsPainter());
  EXPECT_TRUE(probe.openFlag);
  EXPECT_EQ(probe.buttonState, 2) << "drawn pressed while the menu is open";
  EXPECT_EQ(probe.hitOverButton, HTTRANSPARENT);
  EXPECT_GT(probe.pane.Width(), 0);
  EXPECT_TRUE(probe.firstSelected);
  EXPECT_TRUE(probe.closedByClick);
  // Once closed: the flags are down, the button is drawn normal and the menu's own hook is back.
  EXPECT_FALSE(ribbon->IsApplicationMenuOpen());
  EXPECT_FALSE(ribbon->IsApplicationMenuOpening());
  EXPECT_EQ(ribbon->GetApplicationButtonState(), 0);
  EXPECT_FALSE(menu->GetMenuControlHook());
  // With the menu closed the keyboard's requests are ignored.
  SendMessage(ribbon->GetHandle(), QZM_RIBBON_SELECTFIRSTINMENU, 0, 0);
  SendMessage(ribbon->GetHandle(), QZM_RIBBON_MENUKEYTIPS, 0, 0);
  EXPECT_EQ(menu->GetMenuControl(), nullptr);
}

TEST_F(RibbonApplicationMenu, TheMenusKeyTipsShowBelowTheRibbonsAndEscGoesBackToThem) {
  probe.keyTips = true;
  ribbon->ShowApplicationMenu();
  ASSERT_EQ(probe.popups, 1);
  EXPECT_TRUE(probe.tipsInMenu) << "the menu's key tips show through the ribbon's windows";
  EXPECT_EQ(probe.menuTips, (std::vector<String>{"N", "O", "S", "A", "P", "C", "Y1", "Y2", "1", "2", "3"}))
      << "its items, its bottom buttons, then the entries of its pane";
  EXPECT_TRUE(probe.closedByEsc);
  EXPECT_TRUE(probe.ribbonTipsAgain);
  EXPECT_FALSE(ribbon->IsApplicationMenuOpen());
}

// Typed after Alt, the button's key tip "F" opens the menu with the menu's key tips; Esc closes it
// and the keyboard is back on the button, which looks hot.
TEST_F(RibbonApplicationMenu, ItsKeyTipOpensTheMenuWithItsKeyTipsAndEscGivesTheKeyboardBackToTheButton) {
  probe.keyTips = true;
  probe.keepNavigation = true;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  SetFocus(form->GetHandle());
  auto press = [](UINT AKey) {
    InputKey(AKey, true);
    Pump();
    InputKey(AKey, false);
    Pump();
  };
  press(VK_MENU);
  ASSERT_TRUE(controller->AreKeyTipsShown());
  std::vector<String> tips;
  for (const auto& data : controller->GetKeyTips()) tips.push_back(data->KeyTipUpperText());
  EXPECT_NE(std::find(tips.begin(), tips.end(), "F"), tips.end()) << "the application button's key tip";
  press('F');
  EXPECT_EQ(probe.popups, 1) << "the key tip opens the menu";
  EXPECT_TRUE(probe.tipsInMenu);
  EXPECT_EQ(probe.menuTips, (std::vector<String>{"N", "O", "S", "A", "P", "C", "Y1", "Y2", "1", "2", "3"}));
  EXPECT_TRUE(probe.closedByEsc);
  EXPECT_FALSE(ribbon->IsApplicationMenuOpen());
  EXPECT_TRUE(ribbon->GetApplicationButtonAccessibilityHelper()->IsCurrentSelection()) << "the button is selected again";
  EXPECT_EQ(ribbon->GetViewInfo()->GetApplicationButtonState(), 1) << "and looks hot";
  controller->EndKeyboardNavigation();
  EXPECT_EQ(ribbon->GetViewInfo()->GetApplicationButtonState(), 0);
}

TEST_F(RibbonApplicationMenu, AClickOnTheButtonsPlaceClosesTheMenuWithoutOpeningItAgain) {
  probe.userClick = true;
  ribbon->ShowApplicationMenu();
  Pump();
  EXPECT_EQ(probe.popups, 1);
  EXPECT_FALSE(ribbon->IsApplicationMenuOpen());
}

TEST_F(RibbonApplicationMenu, ARightClickOnAnEntryOffersTheRibbonsCommandsAndTheMenuClosesAfterOne) {
  probe.contextMenu = true;
  ribbon->ShowApplicationMenu();
  Pump();
  ASSERT_EQ(probe.popups, 1);
  ASSERT_FALSE(probe.contextEntries.empty());
  EXPECT_EQ(probe.contextEntries.front(), "&Add &Save to Quick Access Toolbar");
  EXPECT_TRUE(probe.closedAfterCommand);
  TqzBarItemLinks* quick = ribbon->GetQuickAccessToolbar()->GetToolbar()->GetItemLinks();
  ASSERT_EQ(quick->GetCount(), 1);
  EXPECT_EQ(quick->GetLink(0)->GetItem(), menu->GetItemLinks()->GetLink(2)->GetItem());
  DesignControllerInstance()->ClearInternalItems();
}

TEST_F(RibbonApplicationMenu, AHandledClickOpensNothingAndTheButtonStaysPressedUntilReleased) {
  THandledClick handler;
  ribbon->SetOnApplicationMenuClick(MakeEvent<&THandledClick::Clicked>(&handler));
  EXPECT_FALSE(ribbon->ShowApplicationMenu());
  EXPECT_EQ(handler.asked, 1);
  EXPECT_EQ(probe.popups, 0);
  EXPECT_EQ(ribbon->GetApplicationButtonState(), 2);
  SendMouse(ribbon->GetHandle(), WM_LBUTTONUP, ButtonCentre());
  SendMouse(ribbon->GetHandle(), WM_MOUSEMOVE, ButtonCentre());
  EXPECT_NE(ribbon->GetApplicationButtonState(), 2);
  EXPECT_FALSE(ribbon->IsApplicationMenuOpening());
  // Without a menu nothing opens either.
  handler.handle = false;
  ribbon->GetApplicationButton()->SetMenu(nullptr);
  EXPECT_FALSE(ribbon->ShowApplicationMenu());
  EXPECT_EQ(probe.popups, 0);
}

TEST_F(RibbonApplicationMenu, TheMenuStreamsOnlyWhatDiffersFromItsDefaults) {
  String text = WriteComponentToText(form);
  EXPECT_EQ(text.find("ExtraPane.Header"), String::npos) << text;
  EXPECT_EQ(text.find("ExtraPane.WidthRatio"), String::npos) << text;
  EXPECT_EQ(text.find("ExtraPaneHeader"), String::npos) << "the old names are read, never written";
  EXPECT_NE(text.find("Report.final"), String::npos) << "the entries are";
  menu->GetExtraPane()->SetHeader("Recent Clips");
  menu->GetExtraPane()->SetWidthRatio(2);
  text = WriteComponentToText(form);
  EXPECT_NE(text.find("ExtraPane.Header = 'Recent Clips'"), String::npos) << text;
  EXPECT_NE(text.find("ExtraPane.WidthRatio = 2"), String::npos) << text;
}

}  // namespace
