#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BarsTestSupport.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarCustForm.h"
#include "toolkit/bars/qzBarCustPopup.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Input.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/ModalResponder.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

namespace {

// A toolbar "A" with the buttons A0 A1 A2 on a shown form.
class DesignMenus : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 480, 300);
    form->Show();
    a = manager->GetBars()->AddBar();
    a->SetCaption("A");
    for (const char* caption : {"A0", "A1", "A2"}) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(caption);
      item->SetPaintStyle(psCaption);
      a->GetItemLinks()->AddLinkForItem(item);
    }
    a->SetDockingStyle(dsTop);
    a->SetVisible(true);
    Pump();
  }
  void TearDown() override {
    SetModalResponder(nullptr);
    if (TqzBarCustomizingPopup* popup = DesignControllerInstance()->GetCustomizingPopup()) popup->Dismiss();
    if (TqzBarToolbarsPopup* popup = DesignControllerInstance()->GetToolbarsPopup()) popup->Dismiss();
    manager->SetIsCustomizing(false);
    DesignControllerInstance()->ClearInternalItems();
    DesignControllerInstance()->SetLastSelectedItem(nullptr);
    BarManagerOnForm::TearDown();
  }
  static POINT At(TqzBarItemLink* ALink) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return {p.X, p.Y};
  }
  void Click(POINT AAt, MouseButton AButton) {
    InputMouseMove(AAt);
    Pump();
    InputMouseButton(AAt, AButton, true);
    Pump();
    InputMouseButton(AAt, AButton, false);
    Pump();
  }
  // The captions of a popup's entries, a group start written as "|" before the entry and a
  // checked entry marked with "*".
  static std::vector<String> Entries(TqzBarSubMenuControl* APopup) {
    std::vector<String> entries;
    TqzBarItemLinks* links = APopup->GetItemLinks();
    for (Integer i = 0; i < links->GetCount(); ++i) {
      TqzBarItemLink* link = links->GetLink(i);
      String text = (link->GetBeginGroup() && i > 0 ? "|" : "") + link->GetItem()->GetCaption();
      if (auto* button = dynamic_cast<TqzBarButton*>(link->GetItem()); button && button->GetDown()) text += "*";
      entries.push_back(text);
    }
    return entries;
  }
  static TqzBarItemLink* Entry(TqzBarSubMenuControl* APopup, const String& ACaption) {
    TqzBarItemLinks* links = APopup->GetItemLinks();
    for (Integer i = 0; i < links->GetCount(); ++i)
      if (links->GetLink(i)->GetItem()->GetCaption() == ACaption) return links->GetLink(i);
    return nullptr;
  }
  TqzBarItemLink* Link(Integer AIndex) { return a->GetItemLinks()->GetLink(AIndex); }
  TqzBar* a = nullptr;
};

TEST_F(DesignMenus, ALinkIsDeletedFromItsContextMenuWhileCustomizing) {
  manager->SetIsCustomizing(true);
  Pump();
  TqzBarDesignController* controller = DesignControllerInstance();
  Link(1)->SetBeginGroup(true);
  Pump();
  Click(At(Link(1)), MouseButton::Right);
  TqzBarCustomizingPopup* popup = controller->GetCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(IsWindowVisible(popup->GetHandle()));
  EXPECT_EQ(controller->GetCustomizingLink(), Link(1));
  EXPECT_EQ(manager->GetSelectedLink(), Link(1));
  // A toolbar offers the paint styles, with the link's own one checked.
  EXPECT_EQ(Entries(popup), (std::vector<String>{"&Reset", "&Delete", "|&Name:", "|Defa&ult style*",
                                                 "&Text Only (Always)", "Text &Only (in Menus)", "Image &and Text",
                                                 "|Begin a &Group*"}));
  // The entries answer the mouse although the manager customizes.
  Click(At(Entry(popup, "&Delete")), MouseButton::Left);
  EXPECT_EQ(controller->GetCustomizingPopup(), nullptr);
  ASSERT_EQ(a->GetItemLinks()->GetCount(), 2);
  EXPECT_EQ(Link(0)->GetCaption(), "A0");
  EXPECT_EQ(Link(1)->GetCaption(), "A2");
  EXPECT_EQ(controller->GetCustomizingLink(), nullptr);
}

TEST_F(DesignMenus, TheContextMenuEntriesChangeTheLink) {
  manager->SetIsCustomizing(true);
  Pump();
  TqzBarDesignController* controller = DesignControllerInstance();
  std::vector<String> messages;
  SetModalResponder([&](const ModalRequest& ARequest) {
    messages.push_back(ARequest.text);
    return IDOK;
  });
  struct Case {
    const char* entry;
    const char* expected;
  } cases[] = {{"Image &and Text", "style 3 group 0 caption First"},
               {"Begin a &Group", "style 3 group 0 caption First"},  // disabled on the first link
               {"&Reset", "style 0 group 0 caption A0"}};
  Link(0)->SetUserCaption("First");
  for (const Case& c : cases) {
    Click(At(Link(0)), MouseButton::Right);
    TqzBarCustomizingPopup* popup = controller->GetCustomizingPopup();
    ASSERT_NE(popup, nullptr) << c.entry;
    TqzBarItemLink* entry = Entry(popup, c.entry);
    ASSERT_NE(entry, nullptr) << c.entry;
    entry->GetItem()->Click();
    Pump();
    TqzBarItemLink* link = Link(0);
    String state = "style " + std::to_string(link->GetUserPaintStyle()) + " group " +
                   std::to_string(link->GetBeginGroup()) + " caption " + link->GetCaption();
    EXPECT_EQ(state, c.expected) << c.entry;
    if (TqzBarCustomizingPopup* open = controller->GetCustomizingPopup()) open->Dismiss();
  }

  // Renaming: the link takes the name, the item keeps its caption; a blank name is refused.
  for (const char* name : {"Renamed", ""}) {
    Click(At(Link(2)), MouseButton::Right);
    TqzBarCustomizingPopup* popup = controller->GetCustomizingPopup();
    ASSERT_NE(popup, nullptr);
    auto* edit = static_cast<TqzBarEdit*>(Entry(popup, "&Name:")->GetItem());
    EXPECT_EQ(edit->GetText(), name[0] ? "A2" : "Renamed");
    edit->SetText(name);
    Pump();
    if (TqzBarCustomizingPopup* open = controller->GetCustomizingPopup()) open->Dismiss();
  }
  EXPECT_EQ(Link(2)->GetCaption(), "Renamed");
  EXPECT_EQ(Link(2)->GetItem()->GetCaption(), "A2");
  EXPECT_EQ(messages, (std::vector<String>{"A command name cannot be blank. Please enter a name."}));
}

TEST_F(DesignMenus, ARightClickOnAToolbarListsTheToolbars) {
  TqzBar* other = manager->GetBars()->AddBar();
  other->SetCaption("B");
  TqzBarDesignController* controller = DesignControllerInstance();
  Click(At(Link(0)), MouseButton::Right);
  TqzBarToolbarsPopup* popup = controller->GetToolbarsPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(IsWindowVisible(popup->GetHandle()));
  EXPECT_EQ(Entries(popup), (std::vector<String>{"A*", "B", "|&Customize..."}));
  Click(At(Entry(popup, "B")), MouseButton::Left);
  EXPECT_TRUE(other->GetVisible());
  EXPECT_EQ(controller->GetToolbarsPopup(), nullptr);

  // Nothing to list and no customizing: no popup.
  a->SetAllowClose(false);
  other->SetAllowClose(false);
  manager->SetCanCustomize(false);
  Click(At(Link(0)), MouseButton::Right);
  EXPECT_EQ(controller->GetToolbarsPopup(), nullptr);
}

TEST_F(DesignMenus, ARightClickOnTheDockSiteListsTheToolbarsAndADoubleClickCustomizes) {
  TqzDockControl* site = a->GetBarControl()->GetDockControl();
  ASSERT_NE(site, nullptr);
  // Right of the toolbar the site shows itself.
  RECT bar;
  GetWindowRect(a->GetBarControl()->GetHandle(), &bar);
  RECT area;
  GetWindowRect(site->GetHandle(), &area);
  ASSERT_LT(bar.Right + 20, area.Right);
  POINT free{bar.Right + 10, (bar.Top + bar.Bottom) / 2};
  ASSERT_EQ(WindowFromPoint(free), site->GetHandle());
  TqzBarDesignController* controller = DesignControllerInstance();
  Click(free, MouseButton::Right);
  TqzBarToolbarsPopup* popup = controller->GetToolbarsPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Entries(popup), (std::vector<String>{"A*", "|&Customize..."}));
  popup->Dismiss();

  Click(free, MouseButton::Left);
  InputMouseButton(free, MouseButton::Left, true);
  InputMouseButton(free, MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(manager->GetIsCustomizing());
  EXPECT_NE(ActiveCustomizingForm(), nullptr);
  // While customizing the site has no toolbars list.
  Click(free, MouseButton::Right);
  EXPECT_EQ(controller->GetToolbarsPopup(), nullptr);
}

// A sub-item with no links of its own: its open menu is empty, and a right click there is one on
// the sub-item.
TEST_F(DesignMenus, ARightClickInAnEmptyMenuIsOneOnItsOpener) {
  auto* sub = new TqzBarSubItem(form);
  sub->SetCaption("Empty");
  TqzBarItemLink* subLink = a->GetItemLinks()->AddLinkForItem(sub);
  manager->SetIsCustomizing(true);
  Pump();
  Click(At(subLink), MouseButton::Left);
  auto* opener = dynamic_cast<TqzBarSubItemControl*>(subLink->GetControl());
  ASSERT_NE(opener, nullptr);
  TqzBarSubMenuControl* menu = opener->GetSubMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->GetItemLinks()->GetVisibleLinkCount(), 0);
  RECT r;
  GetWindowRect(menu->GetHandle(), &r);
  Click({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}, MouseButton::Right);
  TqzBarDesignController* controller = DesignControllerInstance();
  TqzBarCustomizingPopup* popup = controller->GetCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(controller->GetCustomizingLink(), subLink);
  EXPECT_EQ(controller->GetCustomizingBarControl(), a->GetBarControl());
  ASSERT_NE(Entry(popup, "&Delete"), nullptr);
}

// A menu's links offer neither the paint styles of a toolbar nor, at run time, the most recently
// used flag (no item supports it outside the designer).
TEST_F(DesignMenus, AMenuLinksContextMenuHasNoPaintStyles) {
  auto* sub = new TqzBarSubItem(form);
  sub->SetCaption("Sub");
  for (const char* caption : {"S0", "S1"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    sub->GetItemLinks()->AddLinkForItem(item);
  }
  TqzBarItemLink* subLink = a->GetItemLinks()->AddLinkForItem(sub);
  manager->SetIsCustomizing(true);
  Pump();
  Click(At(subLink), MouseButton::Left);
  TqzBarItemLink* inMenu = sub->GetItemLinks()->GetLink(1);
  ASSERT_NE(inMenu->GetControl(), nullptr);
  Click(At(inMenu), MouseButton::Right);
  TqzBarCustomizingPopup* popup = DesignControllerInstance()->GetCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(DesignControllerInstance()->GetCustomizingLink(), inMenu);
  EXPECT_EQ(Entries(popup), (std::vector<String>{"&Reset", "&Delete", "|&Name:", "|Begin a &Group"}));
}

// While customizing, the selected link's control is framed: solid while it is the last object
// selected, dotted once another object (its bar) was selected after it.
TEST_F(DesignMenus, TheSelectedLinkIsFramedSolidOrDotted) {
  manager->SetIsCustomizing(true);
  Pump();
  Click(At(Link(1)), MouseButton::Left);
  ASSERT_EQ(manager->GetSelectedLink(), Link(1));
  TqzBarDesignController* controller = DesignControllerInstance();
  ASSERT_TRUE(controller->WantsDefaultSelection(Link(1)));
  HWND window = a->GetBarControl()->GetHandle();
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  // The pixels along the top edge of a link's control, two rows deep.
  auto edge = [&](TqzBarItemLink* ALink, Integer ARow) {
    TRect r = ALink->GetItemRect();
    HDC dc = GetDC(window);
    std::vector<COLORREF> pixels;
    for (Integer x = r.Left + 2; x < r.Right - 2; ++x) pixels.push_back(GetPixel(dc, x, r.Top + ARow));
    ReleaseDC(window, dc);
    return pixels;
  };
  auto all = [&](const std::vector<COLORREF>& APixels, COLORREF AColor) {
    return std::all_of(APixels.begin(), APixels.end(), [&](COLORREF c) { return c == AColor; });
  };
  EXPECT_TRUE(all(edge(Link(1), 0), ink));
  EXPECT_TRUE(all(edge(Link(1), 1), ink));
  EXPECT_FALSE(all(edge(Link(0), 0), ink));
  EXPECT_FALSE(all(edge(Link(2), 1), ink));

  controller->ChangeSelection(a, 0);
  Pump();
  ASSERT_TRUE(Link(1)->IsSelectedInDesigner());
  EXPECT_FALSE(controller->WantsDefaultSelection(Link(1)));
  std::vector<COLORREF> dotted = edge(Link(1), 0);
  EXPECT_FALSE(all(dotted, ink));
  EXPECT_NE(dotted[0], dotted[1]);
  EXPECT_EQ(dotted[0], dotted[2]);
  // No frame once customizing ends.
  manager->SetIsCustomizing(false);
  Pump();
  EXPECT_FALSE(all(edge(Link(1), 0), ink));
  EXPECT_FALSE(all(edge(Link(1), 1), ink));
}

// Leaving the name box of a link's context menu gives the focus back to the customizing form; the
// menu stays above the form and ends in the ordinary band.
TEST_F(DesignMenus, TheContextMenuStaysAboveTheCustomizingFormWhenItsNameBoxIsLeft) {
  manager->SetIsCustomizing(true);
  Pump();
  TqzBarCustomizingForm* customizing = ActiveCustomizingForm();
  ASSERT_NE(customizing, nullptr);
  Click(At(Link(2)), MouseButton::Right);
  TqzBarCustomizingPopup* popup = DesignControllerInstance()->GetCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  ::SetFocus(customizing->lbBarsList->GetHandle());
  Pump();
  auto* edit = dynamic_cast<TqzBarWinControl*>(Entry(popup, "&Name:")->GetControl());
  ASSERT_NE(edit, nullptr);
  edit->SetInPlaceActive(true);
  Pump();
  ASSERT_NE(GetFocus(), customizing->lbBarsList->GetHandle());
  edit->SetInPlaceActive(false);
  Pump();
  EXPECT_EQ(GetFocus(), customizing->lbBarsList->GetHandle());
  ASSERT_EQ(DesignControllerInstance()->GetCustomizingPopup(), popup);
  // The popup comes before the form in the z order, and is topmost no longer.
  bool popupFirst = false;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == customizing->GetHandle()) break;
    if (w == popup->GetHandle()) popupFirst = true;
  }
  EXPECT_TRUE(popupFirst);
  EXPECT_FALSE(GetWindowLong(popup->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(DesignMenus, TheMovingStateLeavesTheKeysToTheLoop) {
  // With the moving state set, Del does not reach the design selection; afterwards it does.
  manager->SetIsCustomizing(true);
  Pump();
  Click(At(Link(1)), MouseButton::Left);
  ASSERT_EQ(manager->GetSelectedLink(), Link(1));
  // Del works on the bars while the keyboard is in their form.
  ::SetFocus(form->GetHandle());
  {
    TqzBarMovingScope moving;
    EXPECT_TRUE(DesignControllerInstance()->IsMoving());
    InputKey(VK_DELETE, true);
    InputKey(VK_DELETE, false);
    Pump();
    EXPECT_EQ(a->GetItemLinks()->GetCount(), 3);
  }
  EXPECT_FALSE(DesignControllerInstance()->IsMoving());
  InputKey(VK_DELETE, true);
  InputKey(VK_DELETE, false);
  Pump();
  EXPECT_EQ(a->GetItemLinks()->GetCount(), 2);
}

}  // namespace
