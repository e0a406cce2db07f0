#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

namespace {

using BarItems = BarManagerOnForm;

struct TClickLog : TObject {
  std::vector<String> events;
  Integer listIndexSeen = -2;
  TqzBarListItem* list = nullptr;
  void ItemClicked(TqzBarManager*, TqzBarItem* AItem) { events.push_back("manager:" + AItem->GetCaption()); }
  void Clicked(TObject*) {
    events.push_back("click");
    if (list) listIndexSeen = list->GetItemIndex();
  }
  void Executed(TObject*) { events.push_back("execute"); }
  void Changed(TObject*) { events.push_back("change"); }
  void Failing(TObject*) { throw Exception("boom"); }
  void Reported(TObject*, Exception* E) { events.push_back("reported:" + E->Message()); }
};

TEST_F(BarItems, JoinTheManagerOfTheirOwner) {
  auto* item = new TqzBarButton(form);
  EXPECT_EQ(item->GetBarManager(), manager);
  item->SetName("OpenButton");
  EXPECT_EQ(manager->FindItemByName("openbutton"), item);
  // Without a manager of its own owner an item takes the first manager.
  TComponent stray(nullptr);
  auto* other = new TqzBarButton(&stray);
  EXPECT_EQ(other->GetBarManager(), manager);
  delete other;
  delete item;
  EXPECT_EQ(manager->GetItemCount(), 0);
  EXPECT_THROW(TqzBarButton(form).SetParentComponent(form), EInvalidCast);
}

TEST_F(BarItems, AvailabilityFollowsVisibleAndData) {
  auto* button = new TqzBarButton(form);
  auto* container = new TqzBarListItem(form);
  struct Case {
    TqzBarItem* item;
    TqzBarItemVisible visible;
    bool available;
  };
  // A list without entries has no data to show.
  const Case kCases[] = {{button, ivAlways, true},     {button, ivInCustomizing, false}, {button, ivNever, false},
                         {container, ivAlways, false}, {container, ivNever, false}};
  for (const Case& c : kCases) {
    c.item->SetVisible(c.visible);
    EXPECT_EQ(c.item->IsAvailable(), c.available) << c.item->ClassName() << " " << c.visible;
  }
  container->SetVisible(ivAlways);
  container->GetItems()->Add("a");
  EXPECT_TRUE(container->IsAvailable());
}

TEST_F(BarItems, HintFollowsTheCaption) {
  struct Case {
    const char* hint;
    const char* expected;
  };
  const Case kCases[] = {{"", "Save"},
                         {"Open|Opens a file", "Save|Opens a file"},
                         {"Open", "Save"},
                         {"Something else|Long", "Something else|Long"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.hint);
    TqzBarButton item(form);
    item.SetCaption("&Open...");
    item.SetHint(c.hint);
    item.SetCaption("&Save...");
    EXPECT_EQ(item.GetHint(), c.expected);
  }
  EXPECT_EQ(TqzBarItem::CaptionForHint("&Print... &All..."), "Print &All...");
  // Sub-items never get one.
  TqzBarSubItem sub(form);
  sub.SetCaption("&File");
  EXPECT_EQ(sub.GetHint(), "");
}

TEST_F(BarItems, ClickRunsTheManagerEventThenItsOwn) {
  TClickLog log;
  manager->SetOnClickItem(MakeEvent<&TClickLog::ItemClicked>(&log));
  TqzBarButton item(form);
  item.SetCaption("Go");
  item.SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  item.Click();
  EXPECT_EQ(log.events, (std::vector<String>{"manager:Go", "click"}));
  log.events.clear();
  item.SetEnabled(false);
  item.Click();
  EXPECT_TRUE(log.events.empty());
  // A failing handler ends the click without passing the error on.
  item.SetEnabled(true);
  item.SetOnClick(MakeEvent<&TClickLog::Failing>(&log));
  Application()->SetOnException(MakeEvent<&TClickLog::Reported>(&log));
  EXPECT_NO_THROW(item.Click());
  Application()->SetOnException(TExceptionEvent());
  EXPECT_EQ(log.events, (std::vector<String>{"manager:Go", "reported:boom"}));
  // Shortcuts reach items with the same shortcut, through sub-menus too.
  item.SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  item.SetShortCut(ShortCut('G', {ssCtrl}));
  TqzBarSubItem menu(form);
  menu.GetItemLinks()->AddLinkForItem(&item);
  log.events.clear();
  EXPECT_TRUE(menu.ProcessShortCut(ShortCut('G', {ssCtrl})));
  EXPECT_FALSE(menu.ProcessShortCut(ShortCut('H', {ssCtrl})));
  EXPECT_EQ(log.events, (std::vector<String>{"manager:Go", "click"}));
}

TEST_F(BarItems, ActionChangeWithCheckDefaultsKeepsOwnValues) {
  auto* action = new TAction(form);
  action->SetCaption("&Open");
  action->SetHint("Opens");
  action->SetImageIndex(4);
  action->SetShortCut(ShortCut('O', {ssCtrl}));
  action->SetHelpContext(12);
  TClickLog log;
  action->SetOnExecute(MakeEvent<&TClickLog::Executed>(&log));
  TqzBarButton item(form);
  item.SetCaption("Mine");
  item.SetImageIndex(2);
  item.ActionChange(action, true);
  EXPECT_EQ(item.GetCaption(), "Mine");
  EXPECT_EQ(item.GetImageIndex(), 2);
  EXPECT_EQ(item.GetHint(), "Mine") << "the automatic hint of the own caption";
  EXPECT_EQ(item.GetShortCut(), ShortCut('O', {ssCtrl}));
  EXPECT_EQ(item.GetHelpContext(), 12);
  EXPECT_EQ(item.GetOnClick(), action->GetOnExecute());
  // Without the check every value comes from the action.
  item.ActionChange(action, false);
  EXPECT_EQ(item.GetCaption(), "&Open");
  EXPECT_EQ(item.GetImageIndex(), 4);
}

TEST_F(BarItems, LinkedActionSuppliesWhatTheItemStillShows) {
  auto* action = new TAction(form);
  action->SetCaption("&Open");
  TClickLog log;
  action->SetOnExecute(MakeEvent<&TClickLog::Executed>(&log));
  auto* item = new TqzBarButton(form);
  item->SetAction(action);
  EXPECT_EQ(item->GetCaption(), "&Open");
  // Values the action supplies are not stored with the item.
  EXPECT_FALSE(item->IsCaptionStored());
  EXPECT_FALSE(item->IsHintStored());
  EXPECT_FALSE(item->IsOnClickStored());
  item->Click();
  EXPECT_EQ(log.events, std::vector<String>{"execute"});
  item->SetCaption("Own");
  EXPECT_TRUE(item->IsCaptionStored());
  // Freeing the action unlinks it.
  delete action;
  EXPECT_EQ(item->GetAction(), nullptr);
  EXPECT_TRUE(item->IsOnClickStored());
}

TEST_F(BarItems, CheckedButtonsInAGroup) {
  auto makeButton = [&] {
    auto* button = new TqzBarButton(form);
    button->SetButtonStyle(bsChecked);
    button->SetGroupIndex(1);
    return button;
  };
  TqzBarButton* a = makeButton();
  TqzBarButton* b = makeButton();
  TqzBarButton plain(form);
  plain.SetDown(true);
  EXPECT_FALSE(plain.GetDown()) << "a default button never goes down";
  plain.SetGroupIndex(3);
  EXPECT_EQ(plain.GetGroupIndex(), 0);
  a->SetDown(true);
  b->Click();
  EXPECT_TRUE(b->GetDown());
  EXPECT_FALSE(a->GetDown());
  // The only button down stays down unless the group may be all up.
  b->SetDown(false);
  EXPECT_TRUE(b->GetDown());
  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->GetAllowAllUp());
  b->SetDown(false);
  EXPECT_FALSE(b->GetDown());
  b->SetButtonStyle(bsDropDown);
  EXPECT_FALSE(b->IsCheckedStyle());
  EXPECT_EQ(b->GetButtonStyle(), bsDropDown);
}

TEST_F(BarItems, WindowItemsAndEdits) {
  TClickLog log;
  TqzBarEdit edit(form);
  edit.SetOnChange(MakeEvent<&TClickLog::Changed>(&log));
  edit.SetText("a");
  edit.SetText("a");
  EXPECT_EQ(log.events, std::vector<String>{"change"});
  EXPECT_EQ(edit.GetWidth(), 100);
  for (Integer width : {0, -5}) {
    edit.SetWidth(width);
    EXPECT_EQ(edit.GetWidth(), 100);
  }
  edit.SetMaxLength(-3);
  EXPECT_EQ(edit.GetMaxLength(), 0);
  EXPECT_EQ(edit.StyleCount(), 2);
  EXPECT_FALSE(edit.ShortCutEnabled());
  // A link's width is the edit's unless the place has its own.
  TqzBarSubItem menu(form);
  TqzBarItemLink* link = menu.GetItemLinks()->AddLinkForItem(&edit);
  EXPECT_EQ(link->GetWidth(), 100);
  link->SetUserWidth(60);
  EXPECT_EQ(link->GetWidth(), 60);
}

TEST_F(BarItems, ComboKeepsTextIndexAndItemsInStep) {
  TClickLog log;
  TqzBarCombo combo(form);
  combo.GetItems()->Add("Apple");
  combo.GetItems()->Add("Apricot");
  combo.GetItems()->Add("Banana");
  struct Case {
    const char* text;
    Integer index;
  };
  const Case kCases[] = {{"apr", 1}, {"ap", 0}, {"b", 2}, {"c", -1}, {"APPLES", 0}};
  for (const Case& c : kCases) EXPECT_EQ(combo.FindItemByPrefix(c.text), c.index) << c.text;
  combo.SetOnChange(MakeEvent<&TClickLog::Changed>(&log));
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.GetText(), "Apricot");
  combo.SetItemIndex(5);
  EXPECT_EQ(combo.GetItemIndex(), -1);
  EXPECT_EQ(combo.GetText(), "");
  // The same text again still tells of the change.
  combo.SetText("Banana");
  EXPECT_EQ(combo.GetItemIndex(), 2);
  log.events.clear();
  combo.GetItems()->Insert(0, "Banana");
  combo.SetItemIndex(0);
  EXPECT_EQ(log.events, std::vector<String>{"change"});
  combo.GetItems()->Clear();
  EXPECT_EQ(combo.GetItemIndex(), -1);
  // Keys: the list keys without shift only; a plain combo keeps Tab, Enter and Esc.
  EXPECT_TRUE(combo.KeyGoesToDropDown(VK_DOWN, {}));
  EXPECT_FALSE(combo.KeyGoesToDropDown(VK_DOWN, {ssShift}));
  EXPECT_FALSE(combo.KeyGoesToDropDown('A', {}));
  TCustomqzBarCombo plain(form);
  EXPECT_FALSE(plain.KeyGoesToDropDown(VK_TAB, {}));
  EXPECT_TRUE(plain.KeyGoesToDropDown('A', {}));
}

TEST(BarComboPlacement, DropDownStaysInsideTheWorkArea) {
  const TRect work(0, 0, 1000, 800);
  struct Case {
    TPoint at;
    bool inMenu;
    TPoint expected;
  };
  // Item 100 x 20, drop-down 300 x 200.
  const Case kCases[] = {{{100, 100}, false, {100, 100}}, {{900, 100}, false, {700, 100}},
                         {{100, 700}, false, {100, 480}}, {{900, 100}, true, {500, 100}},
                         {{300, 700}, true, {300, 600}},  {{-50, -20}, false, {0, 0}}};
  for (const Case& c : kCases) {
    Integer x = c.at.X, y = c.at.Y;
    TCustomqzBarCombo::PlaceDropDownIn(work, TSize{100, 20}, TSize{300, 200}, c.inMenu, x, y);
    EXPECT_EQ(TPoint(x, y), c.expected) << c.at.X << "," << c.at.Y << " menu " << c.inMenu;
  }
}

TEST_F(BarItems, ListItemExpandsNumberedButtons) {
  auto* list = new TqzBarListItem(form);
  TqzBarSubItem menu(form);
  TqzBarItemLinks* target = menu.GetItemLinks();
  TqzBarItemLink* own = target->AddLinkForItem(list);
  for (const char* entry : {"a", "-", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"}) list->GetItems()->Add(entry);
  list->ExpandLinksInto(target, 1, own, true);
  ASSERT_EQ(target->GetCount(), 12);
  EXPECT_EQ(target->GetLink(1)->GetCaption(), "&1 a");
  EXPECT_EQ(target->GetLink(2)->GetCaption(), "&2 b");
  EXPECT_TRUE(target->GetLink(2)->GetBeginGroup());
  EXPECT_FALSE(target->GetLink(3)->GetBeginGroup());
  EXPECT_EQ(target->GetLink(10)->GetCaption(), "&A j");
  EXPECT_EQ(target->GetLink(2)->GetSourceLink(), own);
  // A click through a generated button sets ItemIndex to the entry's place, "-" counted.
  TClickLog log;
  log.list = list;
  list->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  target->GetLink(2)->GetItem()->Click();
  EXPECT_EQ(log.listIndexSeen, 2);
  EXPECT_EQ(list->GetDataIndex(), 1);
  // The click rewrote the list: the collapse still takes out exactly what was expanded.
  list->GetItems()->Delete(0);
  list->CollapseLinksFrom(target, 1);
  ASSERT_EQ(target->GetCount(), 1);
  EXPECT_EQ(target->GetLink(0), own);
  // The next expansion makes its buttons anew for the changed entries.
  list->ExpandLinksInto(target, 1, own, false);
  EXPECT_EQ(list->GeneratedCount(), 10);
  EXPECT_EQ(target->GetCount(), 11);
  EXPECT_EQ(target->GetLink(1)->GetCaption(), "&1 b");
}

TEST_F(BarItems, ListItemDataIndex) {
  TqzBarListItem list(form);
  for (const char* entry : {"a", "-", "b"}) list.GetItems()->Add(entry);
  struct Case {
    Integer itemIndex;
    Integer dataIndex;
  };
  const Case kCases[] = {{2, 1}, {0, 0}, {1, 0}, {-1, -1}, {3, -1}};
  for (const Case& c : kCases) {
    list.SetItemIndex(c.itemIndex);
    EXPECT_EQ(list.GetDataIndex(), c.dataIndex) << c.itemIndex;
  }
  list.SetDataIndex(1);
  EXPECT_EQ(list.GetItemIndex(), 2);
  list.SetDataIndex(7);
  EXPECT_EQ(list.GetItemIndex(), 3);
  list.GetItems()->Clear();
  list.SetDataIndex(0);
  EXPECT_EQ(list.GetItemIndex(), -1);
}

TEST_F(BarItems, ContainerExpandsCopiesOfItsLinks) {
  auto* container = new TqzBarContainerItem(form);
  EXPECT_FALSE(container->CanProvideData());
  container->GetItemLinks()->AddLink();
  EXPECT_TRUE(container->CanProvideData()) << "links without items still count as data";
  container->GetItemLinks()->Clear();
  auto* a = new TqzBarButton(form);
  a->SetCaption("A");
  auto* b = new TqzBarButton(form);
  b->SetCaption("B");
  container->GetItemLinks()->AddLinkForItem(a);
  container->GetItemLinks()->AddLinkForItem(b)->SetUserCaption("Bee");
  TqzBarSubItem menu(form);
  TqzBarItemLinks* target = menu.GetItemLinks();
  auto* before = new TqzBarButton(form);
  target->AddLinkForItem(before);
  TqzBarItemLink* own = target->AddLinkForItem(container);
  container->ExpandLinksInto(target, 2, own, true);
  ASSERT_EQ(target->GetCount(), 4);
  EXPECT_EQ(target->GetLink(2)->GetItem(), a);
  EXPECT_TRUE(target->GetLink(2)->GetBeginGroup());
  EXPECT_EQ(target->GetLink(3)->GetCaption(), "Bee");
  // Links the user adds meanwhile survive the collapse; the container's own links are untouched.
  container->GetItemLinks()->AddLinkForItem(new TqzBarButton(form));
  container->CollapseLinksFrom(target, 2);
  EXPECT_EQ(target->GetCount(), 2);
  EXPECT_EQ(container->GetItemLinks()->GetCount(), 3);
}

TEST_F(BarItems, ItemOptionsComeFromTheCollectionUnlessSet) {
  TqzBarSubItem menu(form);
  TqzBarItemOptions* options = menu.GetItemOptions();
  EXPECT_TRUE(options->GetShowShortCuts());
  EXPECT_FALSE(options->GetShowDescriptions());
  EXPECT_TRUE(menu.GetItemLinks()->GetEffectiveShowShortCuts());
  options->SetShowShortCuts(false);
  options->SetSize(misLarge);
  EXPECT_FALSE(menu.GetItemLinks()->GetEffectiveShowShortCuts());
  EXPECT_EQ(menu.GetItemLinks()->GetEffectiveItemSize(), misLarge);
  EXPECT_TRUE(options->IsShowShortCutsStored());
  // Emptying the set makes them inherited again, keeping the values.
  options->SetAssignedValues(TqzBarItemOptionValues());
  EXPECT_TRUE(options->GetShowShortCuts());
  options->SetAssignedValues(TqzBarItemOptionValues{ioShowShortCuts});
  EXPECT_FALSE(options->GetShowShortCuts());
}

TEST_F(BarItems, StyleSlotsTellLayoutFromAppearance) {
  auto* style = new TkvStyle(form);
  std::vector<Integer> kinds;
  TqzBarEdit edit(form);
  TqzBarItemStylesData data(&edit, 2, [&](Integer AKind) { kinds.push_back(AKind); });
  data.SetStyle(0, style);
  data.SetStyle(1, style);
  EXPECT_TRUE(kinds.empty()) << "a style with nothing assigned changes nothing";
  style->SetColor(clRed);
  EXPECT_EQ(kinds, std::vector<Integer>{0});
  kinds.clear();
  style->GetFont()->SetHeight(-20);
  EXPECT_EQ(kinds, std::vector<Integer>{1});
  kinds.clear();
  // Locked, a layout change wins over appearance changes.
  data.BeginChange();
  style->SetColor(clBlue);
  style->GetFont()->SetHeight(-22);
  style->SetTextColor(clGreen);
  data.EndChange();
  EXPECT_EQ(kinds, std::vector<Integer>{1});
  kinds.clear();
  delete style;
  EXPECT_EQ(data.GetStyle(0), nullptr);
  EXPECT_EQ(data.GetStyle(1), nullptr);
  // The edit reads the edit area's values from slot 1.
  auto* editStyle = new TkvStyle(form);
  editStyle->SetTextColor(clNavy);
  edit.SetStyleEdit(editStyle);
  EXPECT_EQ(edit.GetEditStyleValues().TextColor, clNavy);
  EXPECT_EQ(edit.GetStyleValues().TextColor, clDefault);
}

TEST(BarItemRegistry, TheUnitRegistersItsItemKinds) {
  TqzBarItemList* registry = ItemClassListInstance();
  // The bar unit's kinds come first; the extra kinds' unit adds its own after them.
  EXPECT_GE(registry->ListedItemClassCount(), 8);
  EXPECT_EQ(registry->ListedItemClassAt(0), TqzBarButton::ClassInfo());
  EXPECT_EQ(registry->ListedItemClassAt(7), TqzBarSeparator::ClassInfo());
  for (const char* name : {"TqzBarButton", "TqzBarSubItem", "TqzBarCombo", "TqzBarExtraPaneListItem", "TqzBarLabel"})
    EXPECT_NE(GetClass(name), nullptr) << name;
}


TEST_F(BarItems, CategoryMovesTheItemBehindItsCategory) {
  manager->GetCategories()->Add("File");
  auto* a = manager->AddItem(TqzBarButton::ClassInfo());
  auto* b = manager->AddItem(TqzBarButton::ClassInfo());
  auto* c = manager->AddItem(TqzBarButton::ClassInfo());
  EXPECT_EQ(a->GetCategory(), 0);
  EXPECT_EQ(a->GetOwner(), manager);
  c->SetCategory(1);
  a->SetCategory(1);
  // Behind the last item of category 1.
  EXPECT_EQ(manager->IndexOfItem(a), 2);
  EXPECT_EQ(manager->IndexOfItem(c), 1);
  // The category it is in already: behind that category's last item.
  b->SetCategory(0);
  EXPECT_EQ(manager->IndexOfItem(b), 0);
  c->SetCategory(1);
  EXPECT_EQ(manager->IndexOfItem(c), 2);
  for (Integer invalid : {-1, 2, 7}) {
    b->SetCategory(invalid);
    EXPECT_EQ(b->GetCategory(), 0) << invalid;
  }
}

TEST_F(BarItems, LinksForNewItemsOfAClass) {
  TqzBarSubItem menu(form);
  TqzBarItemLink* link = menu.GetItemLinks()->AddLinkForItemName(TqzBarButton::ClassInfo());
  ASSERT_NE(link->GetItem(), nullptr);
  EXPECT_EQ(link->GetItem()->GetCategory(), 0);
  // A refused item goes again; the link stays without item.
  Integer items = manager->GetItemCount();
  TqzBarItemLinks* toolbar = manager->GetBars()->AddBar()->GetItemLinks();
  EXPECT_THROW(toolbar->AddLinkForItemName(TqzBarSeparator::ClassInfo()), Exception);
  EXPECT_EQ(manager->GetItemCount(), items);
  ASSERT_EQ(toolbar->GetCount(), 1);
  EXPECT_EQ(toolbar->GetLink(0)->GetItem(), nullptr);
}


TEST_F(BarItems, DetachingBarIsOneOfTheManagersBars) {
  TqzBar* bar = manager->GetBars()->AddBar();
  manager->GetBars()->AddBar();
  TqzBarSubItem sub(form);
  for (Integer value : {-5, 2, 9}) {
    sub.SetDetachingBar(value);
    EXPECT_EQ(sub.GetDetachingBar(), -1) << value;
  }
  sub.SetDetachingBar(1);
  EXPECT_EQ(sub.GetDetachingBar(), 1);
  sub.SetDetachingBar(0);
  EXPECT_EQ(sub.GetDetachingBarObject(), bar);
  sub.BarNotification(1, bar);
  EXPECT_EQ(sub.GetDetachingBar(), -1);
  sub.SetDetachingBar(0);
  delete bar;
  EXPECT_EQ(sub.GetDetachingBarObject(), nullptr);
}


TEST_F(BarItems, CustomizingShowsWhatWaitsForData) {
  TqzBarSubItem menu(form);
  TqzBarItemLinks* links = menu.GetItemLinks();
  auto* list = new TqzBarListItem(form);
  auto* later = new TqzBarButton(form);
  later->SetVisible(ivInCustomizing);
  auto* disabled = manager->AddItem(TqzBarButton::ClassInfo());
  disabled->SetEnabled(false);
  TqzBarButton internal(form);
  internal.SetEnabled(false);
  for (TqzBarItem* item : std::initializer_list<TqzBarItem*>{list, later, disabled}) links->AddLinkForItem(item);
  links->AddLinkForItem(new TqzBarSeparator(form));
  EXPECT_EQ(links->GetVisibleLinkCount(), 1);
  manager->SetIsCustomizing(true);
  links->RebuildLinkLists();
  // Everything shows, the trailing separator too; commands of a category can be looked at.
  EXPECT_EQ(links->GetVisibleLinkCount(), 4);
  EXPECT_TRUE(disabled->GetEnabled());
  EXPECT_FALSE(internal.GetEnabled());
  manager->SetIsCustomizing(false);
  EXPECT_FALSE(disabled->GetEnabled());
}


TEST_F(BarItems, OnAToolbarOnlyCaptionsAnswerAccelerators) {
  TqzBarItemLinks* toolbar = manager->GetBars()->AddBar()->GetItemLinks();
  TqzBarSubItem menu(form);
  auto* button = new TqzBarButton(form);
  button->SetCaption("&Open");
  auto* edit = new TqzBarEdit(form);
  edit->SetCaption("&Find");
  TqzBarItemLink* onBar = toolbar->AddLinkForItem(button);
  TqzBarItemLink* editOnBar = toolbar->AddLinkForItem(edit);
  TqzBarItemLink* inMenu = menu.GetItemLinks()->AddLinkForItem(button);
  EXPECT_FALSE(toolbar->IsMenuLinks());
  EXPECT_TRUE(menu.GetItemLinks()->IsMenuLinks());
  EXPECT_TRUE(button->AccelUsableFor(inMenu));
  EXPECT_FALSE(button->AccelUsableFor(onBar));
  onBar->SetUserPaintStyle(psCaptionGlyph);
  EXPECT_TRUE(button->AccelUsableFor(onBar));
  EXPECT_FALSE(edit->AccelUsableFor(editOnBar));
  edit->SetShowCaption(true);
  EXPECT_TRUE(edit->AccelUsableFor(editOnBar));
  // A toolbar that is not on screen answers no accelerator.
  EXPECT_EQ(toolbar->FindLinkByAccelKey('O', {}, nullptr), nullptr);
}


TEST_F(BarItems, AToolbarFitsTheLinksItsWindowLaidOut) {
  TqzBarItemLinks* toolbar = manager->GetBars()->AddBar()->GetItemLinks();
  for (Integer i = 0; i < 3; ++i) toolbar->AddLinkForItem(new TqzBarButton(form));
  EXPECT_EQ(toolbar->GetFittingLinkCount(), 0);
  toolbar->GetLink(0)->SetItemRect(TRect(0, 0, 23, 22));
  toolbar->GetLink(2)->SetItemRect(TRect(46, 0, 69, 22));
  // Counting stops at the first link without a place.
  EXPECT_EQ(toolbar->GetFittingLinkCount(), 1);
  EXPECT_EQ(toolbar->NextSelectableLink(toolbar->GetLink(0), true), nullptr);
  toolbar->ClearItemRects();
  EXPECT_EQ(toolbar->GetFittingLinkCount(), 0);
}

TEST_F(BarItems, ActionLinkTestsCompareTheItemsCurrentValues) {
  auto* action = new TAction(form);
  TClickLog log;
  action->SetOnExecute(MakeEvent<&TClickLog::Executed>(&log));
  action->SetVisible(false);
  action->SetHelpContext(7);
  TqzBarButton item(form);
  item.SetAction(action);
  TqzBarItemActionLink* link = item.GetActionLink();
  EXPECT_TRUE(link->IsVisibleLinked());
  EXPECT_EQ(item.GetVisible(), ivNever);
  EXPECT_TRUE(link->IsHelpContextLinked());
  EXPECT_FALSE(item.IsHelpContextStored());
  item.SetVisible(ivInCustomizing);
  EXPECT_FALSE(link->IsVisibleLinked());
  EXPECT_TRUE(item.IsVisibleStored());
  // Only the handler's code counts: the same method of another object is still the action's.
  TClickLog other;
  item.SetOnClick(MakeEvent<&TClickLog::Executed>(&other));
  EXPECT_TRUE(link->IsOnExecuteLinked());
  item.SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  EXPECT_FALSE(link->IsOnExecuteLinked());
  // A checked action presses a checked button.
  EXPECT_FALSE(link->IsCheckedLinked() && item.GetDown());
  item.SetButtonStyle(bsChecked);
  action->SetChecked(true);
  EXPECT_TRUE(item.GetDown());
  EXPECT_FALSE(item.IsDownStored());
  EXPECT_THROW(TqzBarItemActionLink{action}, EInvalidCast);
}

TEST_F(BarItems, ExtraPaneListIsHeadedByItsCaption) {
  auto* pane = new TqzBarExtraPaneListItem(form);
  pane->SetCaption("Recent Documents");
  TqzBarExtraPaneItem first(nullptr), second(nullptr);
  first.SetText("/home/user/clips/holiday.avi");
  second.SetDisplayText("Second");
  second.SetImageIndex(3);
  pane->GetItems()->AddObject("/home/user/clips/holiday.avi", &first);
  pane->GetItems()->AddObject("b", &second);
  TqzBarSubItem menu(form);
  TqzBarItemLinks* target = menu.GetItemLinks();
  TqzBarItemLink* own = target->AddLinkForItem(pane);
  for (bool firstTime : {true, false}) {
    pane->ExpandLinksInto(target, 1, own, firstTime);
    ASSERT_EQ(target->GetCount(), 4);
    EXPECT_EQ(target->GetLink(1)->GetCaption(), "Recent Documents");
    EXPECT_EQ(target->GetLink(2)->GetCaption(), "&1 holiday");
    EXPECT_EQ(target->GetLink(2)->GetItem()->GetHint(), "/home/user/clips/holiday.avi");
    EXPECT_EQ(target->GetLink(3)->GetCaption(), "&2 Second");
    EXPECT_EQ(target->GetLink(3)->GetItem()->GetImageIndex(), 3);
    EXPECT_EQ(target->GetLink(2)->GetItem()->GetPaintStyle(), psCaptionGlyph);
    pane->CollapseLinksFrom(target, 1);
    ASSERT_EQ(target->GetCount(), 1);
  }
  // One heading however often the pane opens.
  EXPECT_EQ(pane->GeneratedCount(), 3);
  pane->GetItems()->Clear();
  EXPECT_TRUE(pane->CanProvideData()) << "its caption is data enough";
}

}  // namespace
