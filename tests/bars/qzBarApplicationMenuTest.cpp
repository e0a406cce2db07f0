#include <gtest/gtest.h>

#include <string>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/Math.h"
#include "toolkit/bars/qzBarApplicationMenu.h"
#include "toolkit/bars/qzBarApplicationMenuControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "vcl/Forms.h"

namespace {

// A painter with room round the panes for the bottom buttons, as the skinned looks give.
class TAppMenuPainter : public TqzBarPainter {
  QZ_BAR_PAINTER_CLASS(TAppMenuPainter)
 public:
  using TqzBarPainter::TqzBarPainter;
  void GetAppMenuMargins(TRect& AMargins) override { AMargins = TRect(4, 16, 4, 27); }
};

// The application menu drawn with that painter.
class TTestApplicationMenu : public TqzBarCustomApplicationMenu {
 public:
  using TqzBarCustomApplicationMenu::TqzBarCustomApplicationMenu;
  TqzBarSubMenuControl* CreateMenuControl() override {
    TqzBarSubMenuControl* menu = TqzBarCustomApplicationMenu::CreateMenuControl();
    menu->SetOwnPainter(&painter);
    return menu;
  }
  TAppMenuPainter painter{nullptr};
};

struct TRecorder : TObject {
  std::vector<Integer> paneClicks;
  std::vector<TObject*> senders;
  Integer clicks = 0;
  void PaneClicked(TObject* Sender, Integer AIndex) {
    senders.push_back(Sender);
    paneClicks.push_back(AIndex);
  }
  void Clicked(TObject* Sender) {
    senders.push_back(Sender);
    ++clicks;
  }
};

class ApplicationMenu : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 500, 400);
    form->Show();
    menu = new TTestApplicationMenu(form);
  }
  void TearDown() override {
    Close();
    BarManagerOnForm::TearDown();
  }
  TqzBarButton* Button(const char* ACaption, TqzBarItemLinks* ALinks = nullptr) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetOnClick(MakeEvent<&TRecorder::Clicked>(&recorder));
    if (ALinks) ALinks->AddLinkForItem(item);
    return item;
  }
  TqzBarApplicationMenuButton* BottomButton(const char* ACaption, Integer AWidth) {
    TqzBarApplicationMenuButton* button = menu->GetButtons()->AddButton();
    button->SetItem(Button(ACaption));
    button->SetWidth(AWidth);
    return button;
  }
  TqzBarApplicationMenuControl* Open() {
    menu->PopupForOwner(60, 60, 0, 0, false, nullptr, false, nullptr);
    Pump();
    return static_cast<TqzBarApplicationMenuControl*>(menu->GetMenuControl());
  }
  void Close() {
    if (menu && menu->GetMenuControl()) menu->GetMenuControl()->Dismiss();
  }
  POINT Centre(TCustomqzBarControl* AWindow, const TRect& R) {
    TPoint p = AWindow->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    return {p.X, p.Y};
  }
  TTestApplicationMenu* menu = nullptr;
  TRecorder recorder;
};

TEST_F(ApplicationMenu, ThePaneWidensTheMenuByItsRatioOrItsScaledSize) {
  Button("&New document", menu->GetItemLinks());
  Button("&Open", menu->GetItemLinks());
  struct TCase {
    Integer size;
    double ratio;
  };
  for (TCase c : {TCase{0, 2.5}, TCase{0, 1.0}, TCase{190, 2.5}}) {
    menu->GetExtraPane()->SetSize(c.size);
    menu->GetExtraPane()->SetWidthRatio(c.ratio);
    TqzBarApplicationMenuControl* window = Open();
    ASSERT_NE(window, nullptr);
    TSize items, whole;
    window->TqzBarSubMenuControl::GetContentSize(items);
    window->GetContentSize(whole);
    Integer pane = c.size ? MulDiv(c.size, window->GetTextSizeValue(), 19) : static_cast<Integer>(Round(items.cx * c.ratio));
    EXPECT_EQ(window->GetExtraPaneWidth(), pane) << c.size << " " << c.ratio;
    EXPECT_EQ(whole.cx, items.cx + pane);
    // The pane takes the right part of the items' area; the items keep their own width.
    EXPECT_EQ(window->GetExtraPaneRect().Width(), pane);
    EXPECT_EQ(window->GetItemsRect().Right, window->GetExtraPaneRect().Left);
    EXPECT_EQ(window->GetItemsRect().Width(), items.cx);
    Close();
  }
}

TEST_F(ApplicationMenu, AMenuWithoutItemsIsAHundredPixelsWideBeforeThePane) {
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TSize whole;
  window->GetContentSize(whole);
  EXPECT_EQ(window->GetExtraPaneWidth(), 250);
  EXPECT_EQ(whole.cx, 350);
}

TEST_F(ApplicationMenu, BottomButtonsStandRightAlignedAndThoseThatDoNotFitAreLeftOut) {
  Button("&New document", menu->GetItemLinks());
  BottomButton("Options", 60);
  BottomButton("Exit", 80);
  BottomButton("Far too wide", 2000);
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TqzBarItemLinks* buttons = window->GetButtonLinks();
  ASSERT_EQ(buttons->GetCount(), 3);
  const TRect& row = window->GetButtonsRect();
  TRect first = buttons->GetLink(0)->GetItemRect(), second = buttons->GetLink(1)->GetItemRect();
  EXPECT_EQ(first.Width(), 60);
  EXPECT_EQ(second.Width(), 80);
  EXPECT_EQ(second.Left - first.Right, 6);
  EXPECT_EQ(second.Right, row.Right);
  EXPECT_EQ(first.Top, row.Top);
  EXPECT_EQ(first.Bottom, row.Bottom);
  EXPECT_TRUE(IsRectEmpty(&buttons->GetLink(2)->GetItemRect()));
  // The row lies in the bottom margin, under the items and the pane.
  EXPECT_GE(row.Top, window->GetItemsRect().Bottom + 4);
  EXPECT_GT(row.Height(), 0);
  // A click on a bottom button runs the user's button with that button as sender, and closes.
  recorder.senders.clear();
  ScriptClick(Centre(window, second));
  Pump();
  EXPECT_EQ(recorder.clicks, 1);
  ASSERT_EQ(recorder.senders.size(), 1u);
  EXPECT_EQ(recorder.senders[0], menu->GetButtons()->GetItem(1)->GetItem());
  EXPECT_EQ(menu->GetMenuControl(), nullptr);
}

TEST_F(ApplicationMenu, AButtonFollowsItsUserButtonUntilThatGoes) {
  TqzBarApplicationMenuButton* button = BottomButton("Options", 0);
  TqzBarButton* user = button->GetItem();
  TqzBarApplicationMenuButtonItem* shown = button->GetInternalItem();
  ASSERT_NE(shown, nullptr);
  EXPECT_LT(manager->IndexOfItem(shown), 0) << "no command of the program";
  EXPECT_EQ(shown->GetCaption(), "Options");
  // The state follows at the button's next change notice (a caption change gives one).
  user->SetEnabled(false);
  user->SetHint("Change the settings");
  user->SetCaption("Settings");
  EXPECT_EQ(shown->GetCaption(), "Settings");
  EXPECT_FALSE(shown->GetEnabled());
  EXPECT_EQ(shown->GetHint(), "Change the settings");
  EXPECT_EQ(shown->GetVisible(), ivAlways);
  delete user;
  EXPECT_EQ(button->GetItem(), nullptr);
  EXPECT_EQ(shown->GetVisible(), ivNever);
  EXPECT_EQ(shown->GetCaption(), "");
  EXPECT_TRUE(shown->GetEnabled());
}

TEST_F(ApplicationMenu, ThePaneListsItsEntriesUnderTheHeaderAndReportsTheClickedOne) {
  for (const char* caption : {"&New", "&Open", "&Save", "Save &as", "&Print", "E&xit"})
    Button(caption, menu->GetItemLinks());
  TqzBarApplicationMenuExtraPane* pane = menu->GetExtraPane();
  EXPECT_EQ(pane->GetHeader(), "Recent Documents");
  EXPECT_FALSE(pane->IsHeaderStored());
  EXPECT_FALSE(pane->IsWidthRatioStored());
  auto* first = static_cast<TqzBarExtraPaneItem*>(pane->GetItems()->Add());
  first->SetText("C:\\Docs\\Report.final.doc");
  auto* second = static_cast<TqzBarExtraPaneItem*>(pane->GetItems()->Add());
  second->SetText("/home/user/clips/holiday.avi");
  second->SetDisplayText("Holiday");
  pane->SetOnItemClick(MakeEvent<&TRecorder::PaneClicked>(&recorder));
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TqzBarControl* paneWindow = window->GetExtraPaneBar()->GetBarControl();
  ASSERT_NE(paneWindow, nullptr);
  EXPECT_EQ(paneWindow->GetParent(), window->GetExtraPaneDockControl());
  EXPECT_TRUE(IsWindowVisible(paneWindow->GetHandle()));
  // The site lies on the pane rectangle and its toolbar window fills it.
  EXPECT_EQ(window->GetExtraPaneDockControl()->GetBoundsRect(), window->GetExtraPaneRect());
  EXPECT_EQ(paneWindow->GetWidth(), window->GetExtraPaneRect().Width());
  EXPECT_EQ(paneWindow->GetHeight(), window->GetExtraPaneRect().Height());
  TqzBarItemLinks* links = paneWindow->GetItemLinks();
  ASSERT_EQ(links->GetVisibleLinkCount(), 3);
  EXPECT_EQ(links->GetVisibleLink(0)->GetCaption(), "Recent Documents");
  EXPECT_EQ(links->GetVisibleLink(1)->GetCaption(), "&1 Report.final");
  EXPECT_EQ(links->GetVisibleLink(2)->GetCaption(), "&2 Holiday");
  // One entry a row, across the pane.
  TRect header = links->GetVisibleLink(0)->GetItemRect(), entry = links->GetVisibleLink(2)->GetItemRect();
  EXPECT_GE(entry.Top, header.Bottom);
  EXPECT_EQ(entry.Right, paneWindow->GetClientWidth());
  ScriptClick(Centre(paneWindow, entry));
  Pump();
  ASSERT_EQ(recorder.paneClicks.size(), 1u);
  EXPECT_EQ(recorder.paneClicks[0], 1);
  EXPECT_EQ(recorder.senders[0], menu);
  EXPECT_EQ(menu->GetMenuControl(), nullptr) << "the click closes the menu";
  EXPECT_EQ(manager->GetBars()->GetCount(), 0) << "the pane's bar goes with the window";
}

TEST_F(ApplicationMenu, TheArrowsWalkItemsEntriesAndButtonsAsGroupsAndWrap) {
  for (const char* caption : {"&New", "&Open", "&Save", "&Print"}) Button(caption, menu->GetItemLinks());
  for (const char* path : {"/clips/a.avi", "/clips/b.avi"})
    static_cast<TqzBarExtraPaneItem*>(menu->GetExtraPane()->GetItems()->Add())->SetText(path);
  menu->GetExtraPane()->SetOnItemClick(MakeEvent<&TRecorder::PaneClicked>(&recorder));
  BottomButton("Options", 60);
  BottomButton("E&xit", 60);
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TqzBarItemLinks* own = menu->GetItemLinks();
  TqzBarItemLinks* pane = window->GetExtraPaneBar()->GetBarControl()->GetItemLinks();
  TqzBarItemLinks* buttons = window->GetButtonLinks();
  auto selected = [&] { return window->NavigationSelection() ? window->NavigationSelection()->GetLink() : nullptr; };
  auto press = [&](WPARAM AKey) {
    SendMessage(window->GetHandle(), WM_KEYDOWN, AKey, 0);
    Pump();
  };
  // Down from nothing: the menu's items, then the entries (never the header), then the buttons.
  const std::vector<TqzBarItemLink*> down = {own->GetLink(0), own->GetLink(1), own->GetLink(2), own->GetLink(3),
                                             pane->GetVisibleLink(1), pane->GetVisibleLink(2),
                                             buttons->GetLink(0), buttons->GetLink(1), own->GetLink(0)};
  for (size_t i = 0; i < down.size(); ++i) {
    press(VK_DOWN);
    EXPECT_EQ(selected(), down[i]) << "step " << i;
  }
  press(VK_UP);
  EXPECT_EQ(selected(), buttons->GetLink(1)) << "up from the first item wraps to the last button";
  press(VK_UP);
  press(VK_UP);
  EXPECT_EQ(selected(), pane->GetVisibleLink(2));
  press(VK_UP);
  press(VK_UP);
  EXPECT_EQ(selected(), own->GetLink(3)) << "up from the first entry leaves the pane";
  // The navigation nodes walk the same groups; the pane's node hands its keys to the menu's.
  TqzBarAccessibilityHelper* node = window->GetAccessibilityHelper();
  EXPECT_EQ(node->ChildTotal(), window->GetLayoutInfo()->GetItemViewInfoCount() + 1) << "the pane's site last";
  EXPECT_EQ(window->GetExtraPaneDockControl()->GetAccessibilityHelper()->ParentNode(), node);
  Word key = VK_DOWN;
  node->ProcessNavKey(key);
  EXPECT_EQ(selected(), pane->GetVisibleLink(1));
  key = VK_DOWN;
  window->GetExtraPaneBar()->GetBarControl()->GetAccessibilityHelper()->ProcessNavKey(key);
  EXPECT_EQ(selected(), pane->GetVisibleLink(2));
  key = VK_UP;
  node->ProcessNavKey(key);
  node->ProcessNavKey(key);
  EXPECT_EQ(selected(), own->GetLink(3));
  // Enter on an entry runs it; an accelerator finds a bottom button.
  press(VK_DOWN);
  press(VK_RETURN);
  ASSERT_EQ(recorder.paneClicks.size(), 1u);
  EXPECT_EQ(recorder.paneClicks[0], 0);
  EXPECT_EQ(menu->GetMenuControl(), nullptr);
  window = Open();
  ASSERT_NE(window, nullptr);
  press('X');
  EXPECT_EQ(recorder.clicks, 1) << "E&xit";
  EXPECT_EQ(menu->GetMenuControl(), nullptr);
}

TEST_F(ApplicationMenu, ABottomButtonSelectedByKeyDoesNotScrollTheItems) {
  for (Integer i = 0; i < 80; ++i) Button(("Item " + std::to_string(i)).c_str(), menu->GetItemLinks());
  BottomButton("Exit", 60);
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->CanScrollDown()) << "taller than the work area";
  SendMessage(window->GetHandle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(window->NavigationSelection(), window->GetButtonLinks()->GetLink(0)->GetControl());
  EXPECT_EQ(window->GetScrollIndex(), 0);
}

TEST_F(ApplicationMenu, EscInThePaneClosesTheMenu) {
  Button("&New document", menu->GetItemLinks());
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  TqzBarControl* paneWindow = window->GetExtraPaneBar()->GetBarControl();
  ASSERT_NE(paneWindow, nullptr);
  paneWindow->CloseOnEscape();
  Pump();
  EXPECT_EQ(menu->GetMenuControl(), nullptr);
}

TEST_F(ApplicationMenu, MenusOpenedFromItCoverThePane) {
  auto* sub = new TqzBarSubItem(form);
  sub->SetCaption("&Save as");
  menu->GetItemLinks()->AddLinkForItem(sub);
  Button("Plain copy", sub->GetItemLinks());
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  auto* control = static_cast<TqzBarSubItemControl*>(menu->GetItemLinks()->GetLink(0)->GetControl());
  control->OpenSubMenu(false);
  Pump();
  TqzBarSubMenuControl* child = control->GetSubMenu();
  ASSERT_NE(child, nullptr);
  TRect pane = window->GetExtraPaneRect();
  TPoint origin = window->ClientToScreen(TPoint(pane.Left, pane.Top));
  EXPECT_EQ(child->GetBoundsRect(), TRect(origin.X, origin.Y, origin.X + pane.Width(), origin.Y + pane.Height()));
  // Its items describe themselves; the menu's own do not; neither shows shortcuts; both are large.
  EXPECT_FALSE(menu->GetItemLinks()->GetEffectiveShowDescriptions());
  EXPECT_TRUE(sub->GetItemLinks()->GetEffectiveShowDescriptions());
  EXPECT_FALSE(sub->GetItemLinks()->GetEffectiveShowShortCuts());
  EXPECT_EQ(menu->GetItemLinks()->GetEffectiveItemSize(), misLarge);
  // Large rows are twice a text line high, two and a half where the description shows.
  EXPECT_EQ(menu->GetItemLinks()->GetLink(0)->GetItemRect().Height(), 2 * window->GetTextSizeValue());
  EXPECT_EQ(sub->GetItemLinks()->GetLink(0)->GetItemRect().Height(),
            static_cast<Integer>(Round(2.5 * child->GetTextSizeValue())));
  menu->GetItemOptions()->SetShowDescriptions(true);
  EXPECT_TRUE(menu->GetItemLinks()->GetEffectiveShowDescriptions());
}

TEST_F(ApplicationMenu, WhileCustomizingItOpensWithItsItemsOnly) {
  Button("&New document", menu->GetItemLinks());
  BottomButton("Exit", 60);
  manager->SetIsCustomizing(true);
  TqzBarApplicationMenuControl* window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetExtraPaneBar(), nullptr);
  EXPECT_EQ(window->GetExtraPaneDockControl(), nullptr);
  EXPECT_EQ(window->GetButtonLinks()->GetCount(), 0);
  EXPECT_EQ(window->GetExtraPaneWidth(), 0);
  EXPECT_EQ(manager->GetBars()->GetCount(), 0);
  Close();
  manager->SetIsCustomizing(false);
}

TEST_F(ApplicationMenu, ItsItemsShowTheirHintsUnderTheMouseWhereAPlainMenusDoNot) {
  TqzBarButton* save = Button("&Save", menu->GetItemLinks());
  save->SetHint("Saves the document");
  auto* popup = new TqzBarPopupMenu(form);
  TqzBarButton* cut = Button("Cu&t", popup->GetItemLinks());
  cut->SetHint("Cuts the selection");
  struct TCase {
    TqzBarCustomPopupMenu* menu;
    TqzBarButton* button;
    bool hints;
  };
  for (TCase c : {TCase{menu, save, true}, TCase{popup, cut, false}}) {
    c.menu->PopupForOwner(60, 60, 0, 0, false, nullptr, false, nullptr);
    Pump();
    TqzBarSubMenuControl* window = c.menu->GetMenuControl();
    ASSERT_NE(window, nullptr);
    TqzBarItemControl* control = c.menu->GetItemLinks()->GetLink(0)->GetControl();
    ASSERT_NE(control, nullptr);
    POINT p = Centre(window, control->GetItemRect());
    SetCursorPos(p.X, p.Y);
    String hint, shortcut;
    bool vetoed = false;
    EXPECT_EQ(control->GetHintTexts(hint, shortcut, vetoed), c.hints) << c.button->GetCaption();
    if (c.hints) {
      EXPECT_EQ(hint, c.button->GetHint());
    }
    window->Dismiss();
    Pump();
  }
  delete popup;
}

TEST_F(ApplicationMenu, ItsItemsShortcutsWorkWhileItIsClosed) {
  TqzBarButton* save = Button("&Save", menu->GetItemLinks());
  save->SetShortCut(TextToShortCut("Ctrl+S"));
  EXPECT_TRUE(menu->TryShortCut(TextToShortCut("Ctrl+S")));
  EXPECT_EQ(recorder.clicks, 1);
  EXPECT_FALSE(menu->TryShortCut(TextToShortCut("Ctrl+D")));
}

}  // namespace
