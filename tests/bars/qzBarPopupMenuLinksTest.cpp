// Popup menus of the manager, popup-menu links on the form's controls, and the manager's background
// pictures.

#include "BarsTestSupport.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarPopupMenuLinks.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

namespace {

// What the menus and links did: popups opened (each closed again at once with Esc), clicks, and
// the actions a link asked about.
struct TMenuLog : TObject {
  std::vector<String> events;
  bool allow = true;
  void Popped(TObject* Sender) {
    auto* menu = static_cast<TqzBarCustomPopupMenu*>(Sender);
    events.push_back("popup " + menu->GetName());
    PostMessage(menu->GetMenuControl()->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }
  void Clicked(TObject* Sender) { events.push_back("click " + static_cast<TComponent*>(Sender)->GetName()); }
  void Action(TqzBarPopupMenuLink* Sender, Integer& X, Integer& Y, bool ClickedByMouse, bool& AllowPopup) {
    events.push_back("action " + Sender->GetPopupMenu()->GetName() + (ClickedByMouse ? " mouse " : " keyboard ") +
                     std::to_string(X) + "," + std::to_string(Y));
    AllowPopup = AllowPopup && allow;
  }
  void OwnHandler(TObject*, TPoint, bool&) { events.push_back("own handler"); }
  void PaintBar(TObject*, TCanvas* Canvas, const TRect& R) {
    band = R;
    Canvas->GetBrush()->SetColor(clRed);
    Canvas->FillRect(R);
  }
  TRect band;
  void Subclass(TMessage& Message) {
    if (Message.Msg == WM_CONTEXTMENU) events.push_back("outer subclass");
    saved(Message);
  }
  TWndMethod saved;
};

class PopupMenuLinks : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetName("MainForm");
    form->SetBounds(40, 30, 420, 300);
    panel = new TPanel(form);
    panel->SetName("Panel");
    panel->SetParent(form);
    panel->SetBounds(10, 10, 300, 200);
    edit = new TEdit(form);
    edit->SetName("Edit");
    edit->SetParent(panel);
    edit->SetBounds(20, 20, 100, 24);
    form->Show();
    panelMenu = Menu("PanelMenu", "Cut", ShortCut('K', {ssCtrl}));
    editMenu = Menu("EditMenu", "Copy", ShortCut('K', {ssCtrl}));
  }
  TqzBarPopupMenu* Menu(const char* AName, const char* AItem, TShortCut AShortCut) {
    auto* menu = new TqzBarPopupMenu(form);
    menu->SetName(AName);
    menu->SetOnPopup(MakeEvent<&TMenuLog::Popped>(&log));
    auto* item = new TqzBarButton(form);
    item->SetName(AItem);
    item->SetCaption(AItem);
    item->SetShortCut(AShortCut);
    item->SetOnClick(MakeEvent<&TMenuLog::Clicked>(&log));
    menu->GetItemLinks()->AddLinkForItem(item);
    return menu;
  }
  TqzBarPopupMenuLink* Link(TControl* AControl, TqzBarPopupMenu* AMenu) {
    TqzBarPopupMenuLink* link = manager->GetPopupMenuLinks()->AddLink();
    link->SetControl(AControl);
    link->SetPopupMenu(AMenu);
    link->SetOnAction(MakeEvent<&TMenuLog::Action>(&log));
    return link;
  }
  // A right click at a client point of the control (or from the keyboard for (-1, -1)).
  void ContextMenu(TWinControl* AControl, TPoint P) {
    if (P.X != -1 || P.Y != -1) P = AControl->ClientToScreen(P);
    SendMessage(AControl->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(AControl->GetHandle()),
                MAKELPARAM(P.X, P.Y));
  }
  std::vector<String> Take() { return std::exchange(log.events, {}); }

  TPanel* panel = nullptr;
  TEdit* edit = nullptr;
  TqzBarPopupMenu* panelMenu = nullptr;
  TqzBarPopupMenu* editMenu = nullptr;
  TMenuLog log;
};

TEST_F(PopupMenuLinks, AContextRequestOpensTheLinkedMenuByMouseOrKeyboard) {
  TqzBarPopupMenuLink* link = Link(panel, panelMenu);
  panel->SetOnContextPopup(MakeEvent<&TMenuLog::OwnHandler>(&log));
  ContextMenu(panel, TPoint(200, 150));
  EXPECT_EQ(Take(), (std::vector<String>{"own handler", "action PanelMenu mouse 200,150", "popup PanelMenu"}));
  ContextMenu(panel, TPoint(-1, -1));
  EXPECT_EQ(Take(), (std::vector<String>{"own handler", "action PanelMenu keyboard -1,-1", "popup PanelMenu"}));
  // The control's own handler is its own again afterwards.
  EXPECT_EQ(panel->GetOnContextPopup(), MakeEvent<&TMenuLog::OwnHandler>(&log));
  // On a child, the menu opens only for a link that processes children.
  ContextMenu(panel, TPoint(30, 30));
  EXPECT_EQ(Take(), (std::vector<String>{"own handler", "action PanelMenu mouse 30,30", "popup PanelMenu"}));
  link->SetProcessChildren(false);
  ContextMenu(panel, TPoint(30, 30));
  EXPECT_EQ(Take(), (std::vector<String>{"own handler"}));
  // The action may refuse the popup.
  log.allow = false;
  ContextMenu(panel, TPoint(200, 150));
  EXPECT_EQ(Take(), (std::vector<String>{"own handler", "action PanelMenu mouse 200,150"}));
}

TEST_F(PopupMenuLinks, LinksOnOneControlComeAndGoInAnyOrderLeavingItsWindowProcedure) {
  const TWndMethod original = panel->GetWindowProc();
  for (bool firstGoesFirst : {true, false}) {
    SCOPED_TRACE(firstGoesFirst ? "first link removed first" : "last link removed first");
    TqzBarPopupMenuLink* first = Link(panel, panelMenu);
    TqzBarPopupMenuLink* second = Link(panel, editMenu);
    // The link set last answers first.
    ContextMenu(panel, TPoint(200, 150));
    EXPECT_EQ(Take(), (std::vector<String>{"action EditMenu mouse 200,150", "popup EditMenu"}));
    delete (firstGoesFirst ? first : second);
    ContextMenu(panel, TPoint(200, 150));
    EXPECT_EQ(Take().size(), 2u);
    delete (firstGoesFirst ? second : first);
    EXPECT_EQ(panel->GetWindowProc(), original);
    ContextMenu(panel, TPoint(200, 150));
    EXPECT_TRUE(Take().empty());
  }
  // Another hook chained on top of the links' one stays whole when the links go.
  TqzBarPopupMenuLink* link = Link(panel, panelMenu);
  log.saved = panel->GetWindowProc();
  panel->SetWindowProc(MakeEvent<&TMenuLog::Subclass>(&log));
  delete link;
  ContextMenu(panel, TPoint(200, 150));
  EXPECT_EQ(Take(), (std::vector<String>{"outer subclass"}));
  // A new link on the control joins the hook still in the chain.
  Link(panel, panelMenu);
  ContextMenu(panel, TPoint(200, 150));
  EXPECT_EQ(Take(), (std::vector<String>{"outer subclass", "action PanelMenu mouse 200,150", "popup PanelMenu"}));
  // A control freed with its links on gets its own procedure back before its window goes.
  auto* other = new TPanel(form);
  other->SetParent(form);
  Link(other, editMenu);
  delete other;
  EXPECT_EQ(manager->GetPopupMenuLinks()->GetLink(1)->GetControl(), nullptr);
  // Freed controls and menus leave their links; the hook under the foreign one passes the
  // control's last messages on.
  delete panel;
  panel = nullptr;
  EXPECT_EQ(manager->GetPopupMenuLinks()->GetLink(0)->GetControl(), nullptr);
  delete panelMenu;
  EXPECT_EQ(manager->GetPopupMenuLinks()->GetLink(0)->GetPopupMenu(), nullptr);
}

TEST_F(PopupMenuLinks, AControlOutsideTheManagersFormIsRefused) {
  auto* other = new TForm(nullptr, 0);
  auto* stranger = new TPanel(other);
  TqzBarPopupMenuLink* link = Link(stranger, panelMenu);
  EXPECT_EQ(link->GetControl(), nullptr);
  delete other;
}

TEST_F(PopupMenuLinks, ShortCutsOfLinkedMenusWorkWhileTheControlOrAChildHasTheFocus) {
  Link(panel, panelMenu);
  edit->SetFocus();
  EXPECT_TRUE(manager->DispatchShortCut(ShortCut('K', {ssCtrl})));
  EXPECT_EQ(Take(), (std::vector<String>{"action PanelMenu keyboard -1,-1", "click Cut"}));
  // A menu linked to the focused control itself wins.
  Link(edit, editMenu);
  EXPECT_TRUE(manager->DispatchShortCut(ShortCut('K', {ssCtrl})));
  EXPECT_EQ(Take(), (std::vector<String>{"action EditMenu keyboard -1,-1", "click Copy"}));
  // A key no menu knows goes on to the bars (none here).
  EXPECT_FALSE(manager->DispatchShortCut(ShortCut('J', {ssCtrl})));
  EXPECT_EQ(Take(), (std::vector<String>{"action EditMenu keyboard -1,-1", "action PanelMenu keyboard -1,-1"}));
}

TEST_F(PopupMenuLinks, TheManagerKeepsItsPopupMenusAndTheirFonts) {
  ASSERT_EQ(manager->GetPopupMenuCount(), 2);
  EXPECT_EQ(manager->GetPopupMenu(0), panelMenu);
  // A menu follows the manager's font until it is given one of its own.
  manager->GetFont()->SetSize(13);
  EXPECT_EQ(panelMenu->GetFont()->GetSize(), manager->GetFont()->GetSize());
  EXPECT_FALSE(panelMenu->GetUseOwnFont());
  editMenu->GetFont()->SetSize(20);
  EXPECT_TRUE(editMenu->GetUseOwnFont());
  manager->GetFont()->SetSize(9);
  EXPECT_EQ(editMenu->GetFont()->GetSize(), 20);
  editMenu->SetUseOwnFont(false);
  EXPECT_EQ(editMenu->GetFont()->GetSize(), manager->GetFont()->GetSize());
  // A freed menu leaves the list; the manager frees those left when it goes.
  delete panelMenu;
  EXPECT_EQ(manager->GetPopupMenuCount(), 1);
  delete manager;
  manager = nullptr;
  EXPECT_EQ(form->FindComponent("EditMenu"), nullptr);
}

TEST_F(PopupMenuLinks, MenusAndLinksComeBackFromTheFormText) {
  TqzBarPopupMenuLink* link = Link(panel, panelMenu);
  link->SetProcessChildren(false);
  link->SetOnAction(TqzBarPopupMenuLinkActionEvent());
  panelMenu->SetBarSize(-4);
  EXPECT_EQ(panelMenu->GetBarSize(), 0);
  panelMenu->SetBarSize(24);
  panelMenu->SetUseRecentItems(true);
  manager->SetName("BarManager1");
  String text = WriteComponentToText(form);
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* menu = static_cast<TqzBarPopupMenu*>(copy->FindComponent("PanelMenu"));
  auto* copyManager = static_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetBarManager(), copyManager);
  EXPECT_EQ(menu->GetBarSize(), 24);
  EXPECT_TRUE(menu->GetUseRecentItems());
  ASSERT_EQ(menu->GetItemLinks()->GetCount(), 1);
  EXPECT_EQ(menu->GetItemLinks()->GetLink(0)->GetItem(), copy->FindComponent("Cut"));
  ASSERT_EQ(copyManager->GetPopupMenuLinks()->GetCount(), 1);
  TqzBarPopupMenuLink* copied = copyManager->GetPopupMenuLinks()->GetLink(0);
  EXPECT_EQ(copied->GetControl(), copy->FindComponent("Panel"));
  EXPECT_EQ(copied->GetPopupMenu(), menu);
  EXPECT_FALSE(copied->GetProcessChildren());
  delete copy;
}

// ---- Backgrounds ---------------------------------------------------------------------------

TBitmap* SolidPicture(TColor AColor) {
  auto* picture = new TBitmap();
  picture->SetSize(4, 4);
  picture->GetCanvas()->GetBrush()->SetColor(AColor);
  picture->GetCanvas()->FillRect(TRect(0, 0, 4, 4));
  return picture;
}

uint32_t PixelAt(const HeadlessBackend& AScreen, TWinControl* AWindow, TPoint P) {
  HWND root = GetAncestor(AWindow->GetHandle(), GA_ROOT);
  PixelImage image = AScreen.WindowImage(root);
  RECT window;
  GetWindowRect(root, &window);
  P = AWindow->ClientToScreen(P);
  return image.pixels[static_cast<size_t>(P.Y - window.Top) * image.width + (P.X - window.Left)] & 0xFFFFFF;
}

TEST_F(PopupMenuLinks, TheSideBandStandsLeftOfTheItemsAndItsOwnerPaintsIt) {
  panelMenu->SetOnPopup(TNotifyEvent());
  panelMenu->SetOnPaintBar(MakeEvent<&TMenuLog::PaintBar>(&log));
  panelMenu->PopupForOwner(100, 100, 0, 0, false, nullptr, false, nullptr);
  TqzBarSubMenuControl* plain = panelMenu->GetMenuControl();
  ASSERT_NE(plain, nullptr);
  const TRect plainItems = plain->GetItemsRect();
  const Integer plainWidth = plain->GetWidth();
  plain->Dismiss();
  panelMenu->SetBarSize(24);
  panelMenu->PopupForOwner(100, 100, 0, 0, false, nullptr, false, nullptr);
  TqzBarSubMenuControl* window = panelMenu->GetMenuControl();
  ASSERT_NE(window, nullptr);
  UpdateWindow(window->GetHandle());
  const TRect items = window->GetItemsRect();
  EXPECT_EQ(items.Left, plainItems.Left + 24);
  EXPECT_EQ(items.Width(), plainItems.Width());
  EXPECT_EQ(window->GetWidth(), plainWidth + 24);
  EXPECT_EQ(log.band, TRect(plainItems.Left, items.Top, items.Left, items.Bottom));
  EXPECT_EQ(PixelAt(screen, window, TPoint(plainItems.Left + 2, items.Top + 2)), 0xFF0000u);
  window->Dismiss();
}

TEST_F(PopupMenuLinks, TheManagersPicturesFillBarsAndMenus) {
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("Tools");
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  auto* item = new TqzBarButton(form);
  item->SetCaption("Go");
  bar->GetItemLinks()->AddLinkForItem(item);
  manager->SetStyle(bmsStandard);
  TqzDockControl* site = manager->GetBars()->GetDockControl(dsTop);
  UpdateWindow(form->GetHandle());
  TPoint empty(site->GetClientWidth() - 3, 3);
  const uint32_t face = PixelAt(screen, site, empty);
  std::unique_ptr<TBitmap> red(SolidPicture(clRed)), blue(SolidPicture(clBlue));
  // A menu picture restyles nothing.
  manager->GetBackgrounds()->SetSubMenu(blue.get());
  UpdateWindow(form->GetHandle());
  EXPECT_EQ(PixelAt(screen, site, empty), face);
  // The bar picture does: the dock site and the toolbar show it.
  manager->GetBackgrounds()->SetBar(red.get());
  UpdateWindow(form->GetHandle());
  EXPECT_EQ(PixelAt(screen, site, empty), 0xFF0000u);
  EXPECT_TRUE(bar->GetBarControl()->HasCustomBackground());
  // A popup menu's window shows the menu picture, or its own.
  panelMenu->SetOnPopup(TNotifyEvent());
  panelMenu->PopupForOwner(100, 100, 0, 0, false, nullptr, false, nullptr);
  TqzBarSubMenuControl* window = panelMenu->GetMenuControl();
  ASSERT_NE(window, nullptr);
  UpdateWindow(window->GetHandle());
  // Inside the frame the painter draws round the items.
  TPoint corner(window->GetItemsRect().Right - 1, window->GetItemsRect().Bottom - 1);
  EXPECT_EQ(PixelAt(screen, window, corner), 0x0000FFu);
  window->Dismiss();
  panelMenu->SetBackgroundBitmap(red.get());
  panelMenu->PopupForOwner(100, 100, 0, 0, false, nullptr, false, nullptr);
  window = panelMenu->GetMenuControl();
  UpdateWindow(window->GetHandle());
  EXPECT_EQ(PixelAt(screen, window, corner), 0xFF0000u);
  window->Dismiss();
  // Taking the bar picture away restyles again.
  manager->GetBackgrounds()->SetBar(nullptr);
  UpdateWindow(form->GetHandle());
  EXPECT_EQ(PixelAt(screen, site, empty), face);
}

}  // namespace
