#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "user/Messages.h"
#include "vcl/ExtCtrls.h"

namespace {

class Toolbars : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    form->SetName("MainForm");
    manager = new TqzBarManager(form);
    manager->SetName("BarManager1");
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  TqzBar* AddBar(const String& ACaption) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    return bar;
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
  TqzBarManager* manager = nullptr;
};

struct TBarLog : TObject {
  std::vector<String> events;
  void Added(TqzBarManager*, TqzBar* ABar) { events.push_back("add " + ABar->GetName()); }
  void Deleted(TqzBarManager*, TqzBar* ABar) { events.push_back("delete " + ABar->GetName()); }
  void VisibleChanged(TqzBarManager*, TqzBar* ABar) {
    events.push_back(ABar->GetCaption() + (ABar->GetVisible() ? " shown" : " hidden"));
  }
};

TEST_F(Toolbars, NewBarsAreNamedAfterTheManagerAndKeepTheirCaptionsApart) {
  TBarLog log;
  manager->SetOnBarAdd(MakeEvent<&TBarLog::Added>(&log));
  manager->SetOnBarDelete(MakeEvent<&TBarLog::Deleted>(&log));
  TqzBar* first = manager->CreateToolbar(false);
  TqzBar* second = manager->CreateToolbar(false);
  EXPECT_EQ(first->GetCaption(), "Custom 1");
  EXPECT_EQ(second->GetCaption(), "Custom 2");
  EXPECT_EQ(first->GetName(), "BarManager1Bar1");
  EXPECT_EQ(second->GetName(), "BarManager1Bar2");
  EXPECT_EQ(first->GetOwner(), form);
  EXPECT_TRUE(first->GetVisible());
  EXPECT_EQ(first->GetDockingStyle(), dsTop);
  EXPECT_FALSE(first->GetOneOnRow());
  // A new toolbar gets a row of its own behind the others.
  EXPECT_EQ(second->GetRow(), first->GetRow() + 1);
  // A caption another bar bears is refused; the bar keeps its own.
  second->SetCaption("Custom 1");
  EXPECT_EQ(second->GetCaption(), "Custom 2");
  EXPECT_EQ(manager->FindBarByCaption("Custom 2"), second);
  delete first;
  EXPECT_EQ(manager->GetBars()->GetCount(), 1);
  // A bar is announced as it joins the manager, before it is named.
  EXPECT_EQ(log.events, (std::vector<String>{"add ", "add ", "delete BarManager1Bar1"}));
  EXPECT_FALSE(manager->IsUpdateLocked());
}

TEST_F(Toolbars, SettersCorrectWhatCannotStand) {
  TqzBar* menu = AddBar("Menu");
  TqzBar* other = AddBar("Other");
  menu->SetIsMainMenu(true);
  EXPECT_EQ(manager->GetMainMenuBar(), menu);
  EXPECT_TRUE(menu->GetWholeRow());
  EXPECT_TRUE(menu->GetMultiLine());
  // The main menu is always multi-line.
  menu->SetMultiLine(false);
  EXPECT_TRUE(menu->GetMultiLine());
  // One main menu per manager.
  other->SetIsMainMenu(true);
  EXPECT_FALSE(menu->GetIsMainMenu());
  EXPECT_FALSE(menu->GetMultiLine());
  EXPECT_EQ(manager->GetMainMenuBar(), other);
  delete other;
  EXPECT_EQ(manager->GetMainMenuBar(), nullptr);

  struct Case {
    void (TqzBar::*set)(Integer);
    Integer (TqzBar::*get)() const;
    Integer value, stored;
  };
  const Case kCases[] = {{&TqzBar::SetDockedLeft, &TqzBar::GetDockedLeft, -3, 0},
                         {&TqzBar::SetDockedTop, &TqzBar::GetDockedTop, -1, 0},
                         {&TqzBar::SetRow, &TqzBar::GetRow, -2, 0},
                         {&TqzBar::SetDockedLeft, &TqzBar::GetDockedLeft, 40, 40},
                         {&TqzBar::SetFloatLeft, &TqzBar::GetFloatLeft, -200, -200}};
  for (const Case& c : kCases) {
    (menu->*c.set)(c.value);
    EXPECT_EQ((menu->*c.get)(), c.stored) << c.value;
  }
}

TEST_F(Toolbars, BarsFollowTheManagerFontUntilGivenTheirOwn) {
  TqzBar* bar = AddBar("Tools");
  EXPECT_FALSE(bar->GetUseOwnFont());
  manager->GetFont()->SetColor(clRed);
  EXPECT_EQ(bar->GetFont()->GetColor(), clRed);
  bar->GetFont()->SetColor(clBlue);
  EXPECT_TRUE(bar->GetUseOwnFont());
  manager->GetFont()->SetColor(clGreen);
  EXPECT_EQ(bar->GetFont()->GetColor(), clBlue);
  bar->SetUseOwnFont(false);
  EXPECT_EQ(bar->GetFont()->GetColor(), clGreen);
}

TEST_F(Toolbars, CaptionButtonsTrackThePointer) {
  TqzBar* bar = AddBar("Tools");
  TqzBarCaptionButtons* buttons = bar->GetCaptionButtons();
  TqzBarCaptionButton* a = buttons->AddButton();
  TqzBarCaptionButton* b = buttons->AddButton();
  a->SetBounds(TRect(0, 0, 10, 10));
  b->SetBounds(TRect(10, 0, 20, 10));
  a->SetHint("Pin");
  EXPECT_EQ(buttons->HitTest(TPoint(12, 5)), 1);
  EXPECT_EQ(buttons->GetBoundsRect(), TRect(0, 0, 20, 10));
  b->SetEnabled(false);
  EXPECT_EQ(b->GetState(), 1);
  EXPECT_EQ(buttons->HitTest(TPoint(12, 5)), -1);
  buttons->UpdateStatesAtPoint(TPoint(5, 5), false);
  EXPECT_EQ(a->GetState(), 2);
  String hint;
  EXPECT_TRUE(a->GetHintText(hint));
  EXPECT_EQ(hint, "Pin");
  buttons->UpdateStatesAtPoint(TPoint(5, 5), true);
  EXPECT_EQ(a->GetState(), 4);
  buttons->UpdateStatesAtPoint(TPoint(50, 5), false);
  EXPECT_EQ(a->GetState(), 0);
  EXPECT_FALSE(a->GetHintText(hint));
  EXPECT_EQ(b->GetState(), 1);
}

TEST_F(Toolbars, LoadedDockAndVisibilityApplyOnceTheFormIsRead) {
  // Row 1 of the left site exists while another bar holds row 0.
  TqzBar* first = AddBar("First");
  first->SetDockingStyle(dsLeft);
  first->SetVisible(true);
  TqzBar* tools = AddBar("Tools");
  tools->SetDockingStyle(dsLeft);
  tools->SetVisible(true);
  tools->SetRow(1);
  TqzBar* hidden = AddBar("Hidden");
  hidden->SetDockingStyle(dsNone);
  hidden->SetFloatLeft(300);
  manager->SetDockControlHeight(dsTop, 26);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("object BarManager1Bar1: TqzBar"), String::npos) << text;
  EXPECT_NE(text.find("DockControlHeights"), String::npos) << text;
  EXPECT_NE(text.find("Row = 1"), String::npos) << text;

  TBarLog log;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->GetBars()->GetCount(), 3);
  TqzBar* readTools = read->GetBars()->GetBar(1);
  EXPECT_EQ(readTools->GetCaption(), "Tools");
  EXPECT_EQ(readTools->GetOwner(), copy);
  EXPECT_EQ(readTools->GetDockingStyle(), dsLeft);
  EXPECT_TRUE(readTools->GetVisible());
  EXPECT_EQ(readTools->GetRow(), 1);
  EXPECT_TRUE(readTools->IsPredefined());
  EXPECT_TRUE(readTools->CanReset());
  EXPECT_FALSE(read->GetBars()->GetBar(2)->GetVisible());
  EXPECT_EQ(read->GetBars()->GetBar(2)->GetFloatLeft(), 300);
  EXPECT_EQ(read->GetDockControlHeight(dsTop), 26);
  EXPECT_TRUE(read->CanResetBars());
  EXPECT_FALSE(read->IsLoading());
  delete copy;
}

TEST_F(Toolbars, DockSiteSizesOfTheFormAreFourAndNotNegative) {
  manager->SetDockControlHeight(dsBottom, 30);
  String text = WriteComponentToText(form);
  const String kStored = "DockControlHeights = (\n      0\n      0\n      0\n      30)";
  ASSERT_NE(text.find(kStored), String::npos) << text;
  const String kDamaged[] = {"DockControlHeights = (\n      0\n      0\n      30)",
                             "DockControlHeights = (\n      0\n      -4\n      0\n      30)",
                             "DockControlHeights = (\n      1\n      2\n      3\n      4\n      5)"};
  for (const String& damaged : kDamaged) {
    String broken = text;
    broken.replace(broken.find(kStored), kStored.size(), damaged);
    auto* copy = new TForm(nullptr, 0);
    ReadComponentFromText(broken, copy);
    auto* read = static_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
    for (TqzBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom})
      EXPECT_EQ(read->GetDockControlHeight(style), 0) << damaged;
    delete copy;
  }
}

// ---- Merging -------------------------------------------------------------------------------

TEST_F(Toolbars, MergingRefusesWhatCannotBeMerged) {
  TqzBar* a = AddBar("A");
  TqzBar* b = AddBar("B");
  TqzBar* c = AddBar("C");
  TqzBar* d = AddBar("D");
  b->Merge(a);
  struct Case {
    std::function<void()> call;
    const char* message;
  };
  const Case kCases[] = {
      {[&] { a->Merge(d); }, "You cannot merge a toolbar with a toolbar that is already merged"},
      {[&] { c->Merge(c); }, "You cannot merge with the specified toolbar"},
      {[&] { c->Merge(nullptr); }, "You cannot merge with the specified toolbar"},
      {[&] { b->Merge(a); }, "The 'A' toolbar is already merged with the 'B' toolbar"},
      {[&] { c->Merge(b); }, "The 'B' toolbar has merged toolbars"},
      {[&] { c->UnMerge(c); }, "You cannot unmerge the specified toolbar"},
      {[&] { c->UnMerge(a); }, "The 'A' toolbar is not merged with the 'C' toolbar"},
  };
  for (const Case& k : kCases) {
    try {
      k.call();
      ADD_FAILURE() << "no exception: " << k.message;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), k.message);
    }
  }
  // Nothing changed on the way.
  EXPECT_EQ(a->GetMergeData()->MergedWith, b);
  EXPECT_EQ(b->GetMergeData()->MergedBars, std::vector<TqzBar*>{a});
  EXPECT_TRUE(c->GetMergeData()->MergedBars.empty());
  // Unmerging a bar merged nowhere, or all of none, does nothing.
  c->UnMerge(d);
  c->UnMerge(nullptr);
}

TEST_F(Toolbars, MergedBarsHideAndComeBackAroundCustomizing) {
  TqzBar* a = AddBar("A");
  TqzBar* b = AddBar("B");
  TqzBar* c = AddBar("C");
  a->SetVisible(true);
  b->SetVisible(true);
  b->Merge(a);
  EXPECT_FALSE(a->GetVisible());
  // A merged bar can move on to another target.
  c->Merge(a);
  EXPECT_EQ(a->GetMergeData()->MergedWith, c);
  EXPECT_TRUE(b->GetMergeData()->MergedBars.empty());
  EXPECT_FALSE(a->GetVisible());

  auto* otherForm = new TForm(nullptr, 0);
  auto* other = new TqzBarManager(otherForm);
  manager->SetIsCustomizing(true);
  EXPECT_TRUE(other->IsOtherManagerActive());
  EXPECT_FALSE(manager->IsOtherManagerActive());
  delete otherForm;
  EXPECT_EQ(a->GetMergeData()->MergedWith, nullptr);
  EXPECT_TRUE(a->GetVisible());
  manager->SetIsCustomizing(false);
  EXPECT_EQ(a->GetMergeData()->MergedWith, c);
  EXPECT_FALSE(a->GetVisible());

  c->UnMerge(nullptr);
  EXPECT_TRUE(a->GetVisible());
  // A bar that goes leaves the merge it takes part in.
  c->Merge(a);
  delete c;
  EXPECT_EQ(a->GetMergeData()->MergedWith, nullptr);
}

}  // namespace

namespace {

using Categories = Toolbars;

String Names(TStrings* AList) {
  String text;
  for (Integer i = 0; i < AList->GetCount(); ++i) text += (i ? "," : "") + AList->GetStrings(i);
  return text;
}

TEST_F(Categories, EditingTheListKeepsDataAndDefault) {
  TStrings* list = manager->GetCategories();
  EXPECT_EQ(Names(list), "Default");
  list->Add("File");
  list->Add("Edit");
  manager->SetCategoryItemsVisible(1, ivInCustomizing);
  manager->SetCategoryVisible(2, false);
  list->Exchange(1, 2);
  EXPECT_EQ(Names(list), "Default,Edit,File");
  EXPECT_EQ(manager->GetCategoryItemsVisible(2), ivInCustomizing);
  EXPECT_FALSE(manager->IsCategoryVisible(1));
  list->Move(2, 0);
  EXPECT_EQ(Names(list), "File,Default,Edit");
  EXPECT_EQ(manager->GetCategoryItemsVisible(0), ivInCustomizing);
  EXPECT_EQ(manager->VisibleCategoryToIndex(1), 1);
  EXPECT_EQ(manager->VisibleCategoryToIndex(2), -1);
  EXPECT_EQ(manager->GetCategoryItemsVisible(7), ivNever);
  list->Delete(1);
  EXPECT_EQ(Names(list), "File,Edit");
  list->Delete(0);
  list->Delete(0);
  EXPECT_EQ(Names(list), "Default");
  EXPECT_EQ(manager->GetCategoryItemsVisible(0), ivAlways);
}

TEST_F(Categories, CategoriesStreamWithTheirVisibility) {
  TStrings* list = manager->GetCategories();
  list->Add("File");
  manager->SetCategoryItemsVisible(1, ivNever);
  manager->SetCategoryVisible(0, false);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("Categories.ItemsVisibles = (\n      2\n      0)"), String::npos) << text;
  // An ordinal out of range leaves its category as it is; a shorter list stops early.
  const String kDamaged[] = {"Categories.ItemsVisibles = (\n      2\n      7)",
                             "Categories.ItemsVisibles = (\n      2)"};
  for (const String& damaged : {String(), kDamaged[0], kDamaged[1]}) {
    String changed = text;
    if (!damaged.empty()) {
      const String kStored = "Categories.ItemsVisibles = (\n      2\n      0)";
      changed.replace(changed.find(kStored), kStored.size(), damaged);
    }
    auto* copy = new TForm(nullptr, 0);
    ReadComponentFromText(changed, copy);
    auto* read = static_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
    EXPECT_EQ(Names(read->GetCategories()), "Default,File");
    EXPECT_EQ(read->GetCategoryItemsVisible(1), damaged.empty() ? ivNever : ivAlways) << damaged;
    EXPECT_FALSE(read->IsCategoryVisible(0));
    delete copy;
  }
}

}  // namespace

namespace {

TEST_F(Toolbars, FloatingBarsMoveIntoTheWorkAreaWhenItChanges) {
  TRect work;
  WorkAreaAtPoint(TPoint(0, 0), work);
  TqzBar* low = AddBar("Low");
  low->SetFloatClientWidth(100);
  low->SetFloatClientHeight(40);
  low->SetFloatLeft(work.Left - 30);
  low->SetFloatTop(work.Bottom - 10);
  TqzBar* docked = AddBar("Docked");
  docked->SetDockingStyle(dsTop);
  docked->SetFloatTop(work.Bottom + 500);
  manager->HandleOwnerMessage(nullptr, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_EQ(low->GetFloatTop(), work.Bottom - 40);
  EXPECT_EQ(low->GetFloatLeft(), work.Left);
  EXPECT_EQ(docked->GetFloatTop(), work.Bottom + 500);
}

TEST_F(Toolbars, AFormsMessageReachesEveryManagerOnTheFormAndNoOther) {
  TRect work;
  WorkAreaAtPoint(TPoint(0, 0), work);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* elsewhere = new TForm(nullptr, 0);
  TqzBarManager* managers[] = {manager, new TqzBarManager(panel), new TqzBarManager(elsewhere)};
  TqzBar* bars[3];
  for (Integer i = 0; i < 3; ++i) {
    bars[i] = managers[i]->GetBars()->AddBar();
    bars[i]->SetFloatClientWidth(100);
    bars[i]->SetFloatClientHeight(40);
    bars[i]->SetFloatTop(work.Bottom + 200);
  }
  form->HandleNeeded();
  SendMessage(form->GetHandle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_EQ(bars[0]->GetFloatTop(), work.Bottom - 40);
  EXPECT_EQ(bars[1]->GetFloatTop(), work.Bottom - 40);
  EXPECT_EQ(bars[2]->GetFloatTop(), work.Bottom + 200);
  delete elsewhere;
}

TEST_F(Toolbars, OnlyTheOutermostEndOfAnUpdateRecalculates) {
  TqzBar* bar = AddBar("Tools");
  manager->BeginUpdate();
  manager->BeginUpdate();
  bar->MarkForRecalc();
  manager->EndUpdate();
  EXPECT_TRUE(bar->IsMarkedForRecalc());
  manager->EndUpdate();
  EXPECT_FALSE(bar->IsMarkedForRecalc());
  EXPECT_FALSE(manager->IsUpdateLocked());
}

}  // namespace

namespace {

TEST_F(Toolbars, OnlyBarsTheUserMadeCanBeDeletedAtRunTime) {
  TqzBar* designed = AddBar("Designed");
  designed->SetPredefined(true);
  TqzBar* own = AddBar("Own");
  IqzBarSelectableItem* ref = nullptr;
  designed->GetNextSelectable(ref);
  EXPECT_EQ(ref, static_cast<IqzBarSelectableItem*>(own));
  own->GetNextSelectable(ref);
  EXPECT_EQ(ref, static_cast<IqzBarSelectableItem*>(designed));
  EXPECT_FALSE(designed->CanBeDeleted(true));
  ref = designed;
  designed->DeleteIfAllowed(ref, true);
  EXPECT_EQ(ref, static_cast<IqzBarSelectableItem*>(designed));
  own->SetAllowClose(false);
  EXPECT_FALSE(own->CanBeDeleted(true));
  own->SetAllowClose(true);
  ref = own;
  own->DeleteIfAllowed(ref, true);
  EXPECT_EQ(ref, nullptr);
  ASSERT_EQ(manager->GetBars()->GetCount(), 1);
  designed->GetNextSelectable(ref);
  EXPECT_EQ(ref, nullptr);
  EXPECT_EQ(designed->DesignOwner(), form);
}

}  // namespace

namespace {

TEST_F(Toolbars, NewItemNamesFollowTheirClass) {
  auto* first = new TqzBarButton(form);
  EXPECT_EQ(manager->MakeUniqueItemName(TqzBarButton::ClassInfo()), "qzBarButton1");
  first->SetName("qzBarButton1");
  EXPECT_EQ(manager->MakeUniqueItemName(TqzBarButton::ClassInfo()), "qzBarButton2");
  TList list;
  // The button has no category yet: no category lists it.
  manager->GetItemsOfCategory(0, &list);
  EXPECT_EQ(list.GetCount(), 0);
  manager->GetItemsOfCategory(5, &list);
  EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace

namespace {

TEST_F(Toolbars, ItemsShownWhileCustomizingComeAndGoWithIt) {
  TqzBar* bar = AddBar("Tools");
  auto* always = new TqzBarButton(form);
  auto* customizing = new TqzBarButton(form);
  customizing->SetVisible(ivInCustomizing);
  bar->GetItemLinks()->AddLinkForItem(always);
  bar->GetItemLinks()->AddLinkForItem(customizing);
  EXPECT_EQ(bar->GetItemLinks()->GetItemVisibleLinkCount(), 1);
  manager->SetIsCustomizing(true);
  EXPECT_EQ(bar->GetItemLinks()->GetItemVisibleLinkCount(), 2);
  manager->SetIsCustomizing(false);
  EXPECT_EQ(bar->GetItemLinks()->GetItemVisibleLinkCount(), 1);
}

}  // namespace

namespace {

TEST_F(Categories, ItemsFollowTheirCategoryThroughEveryEdit) {
  TStrings* list = manager->GetCategories();
  list->Add("File");
  list->Add("Edit");
  auto item = [&](const char* AName, Integer ACategory) {
    TqzBarItem* result = manager->AddItem(TqzBarButton::ClassInfo());
    result->SetName(AName);
    result->SetCategory(ACategory);
    return result;
  };
  TqzBarItem* a = item("A", 0);
  TqzBarItem* f = item("F", 1);
  TqzBarItem* e = item("E", 2);
  list->Insert(1, "View");
  EXPECT_EQ(a->GetCategory(), 0);
  EXPECT_EQ(f->GetCategory(), 2);
  EXPECT_EQ(e->GetCategory(), 3);
  list->Exchange(0, 3);
  EXPECT_EQ(Names(list), "Edit,View,File,Default");
  EXPECT_EQ(a->GetCategory(), 3);
  EXPECT_EQ(e->GetCategory(), 0);
  list->Move(0, 2);
  EXPECT_EQ(Names(list), "View,File,Edit,Default");
  EXPECT_EQ(e->GetCategory(), 2);
  EXPECT_EQ(f->GetCategory(), 1);
  EXPECT_EQ(a->GetCategory(), 3);
  // Deleting a category frees its items; the later ones move down.
  list->Delete(1);
  EXPECT_EQ(manager->FindItemByName("F"), nullptr);
  EXPECT_EQ(e->GetCategory(), 1);
  EXPECT_EQ(a->GetCategory(), 2);
  TList inEdit;
  manager->GetItemsOfCategory(1, &inEdit);
  ASSERT_EQ(inEdit.GetCount(), 1);
  EXPECT_EQ(inEdit.GetItems(0), e);
  // View and Edit go, then the last category with the last item; "Default" comes back empty.
  list->Delete(0);
  list->Delete(0);
  EXPECT_EQ(a->GetCategory(), 0);
  list->Delete(0);
  EXPECT_EQ(Names(list), "Default");
  EXPECT_EQ(manager->GetItemCount(), 0);
}

TEST_F(Categories, ItemsOfTheFormStreamInsideTheirManager) {
  TqzBar* bar = AddBar("Tools");
  auto* item = new TqzBarButton(form);
  item->SetName("Kept");
  item->SetCategory(0);
  bar->GetItemLinks()->AddLinkForItem(item);
  auto* hidden = new TqzBarButton(form);
  hidden->SetName("Hidden");
  hidden->SetCategory(0);
  hidden->SetVisible(ivNever);
  manager->AddGroup()->SetName("Group1");
  String text = WriteComponentToText(form);
  size_t barAt = text.find("object BarManager1Bar1: TqzBar");
  size_t itemAt = text.find("    object Kept: TqzBarButton");
  size_t groupAt = text.find("object Group1: TqzBarGroup");
  ASSERT_NE(itemAt, String::npos) << text;
  EXPECT_LT(barAt, itemAt);
  EXPECT_LT(itemAt, groupAt);
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = static_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_EQ(read->GetItemCount(), 2);
  EXPECT_EQ(read->GetItem(0)->GetCategory(), 0);
  EXPECT_EQ(read->GetItem(0)->GetVisible(), ivAlways);
  EXPECT_EQ(read->GetItem(1)->GetVisible(), ivNever) << "the form's value is kept";
  EXPECT_EQ(read->GetBars()->GetBar(0)->GetItemLinks()->GetLink(0)->GetItem(), read->GetItem(0));
  delete copy;
}

TEST_F(Categories, ACategorysVisibilityReachesItsItemsAndEmptyBars) {
  manager->GetCategories()->Add("Tools");
  manager->SetAutoHideEmptyBars(true);
  TqzBarItem* tool = manager->AddItem(TqzBarButton::ClassInfo());
  tool->SetCategory(1);
  TqzBarItem* pinned = manager->AddItem(TqzBarButton::ClassInfo());
  pinned->SetCategory(1);
  pinned->SetVisible(ivNever);
  TqzBar* bar = AddBar("Tools");
  bar->SetVisible(true);
  bar->GetItemLinks()->AddLinkForItem(tool);
  manager->SetCategoryItemsVisible(1, ivNever);
  EXPECT_EQ(tool->GetVisible(), ivNever);
  EXPECT_FALSE(bar->GetVisible());
  EXPECT_TRUE(bar->IsHiddenBecauseEmpty());
  manager->SetCategoryItemsVisible(1, ivAlways);
  EXPECT_EQ(tool->GetVisible(), ivAlways);
  // Only the items that followed the category follow it back.
  EXPECT_EQ(pinned->GetVisible(), ivAlways);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_FALSE(bar->IsHiddenBecauseEmpty());
}

}  // namespace

namespace {

TEST_F(Toolbars, MergingShowsTheMergedBarsLinksInTheTargetUntilUnmerged) {
  TqzBar* child = AddBar("Child");
  TqzBar* frame = AddBar("Frame");
  auto* open = new TqzBarButton(form);
  open->SetName("Open");
  auto* save = new TqzBarButton(form);
  save->SetName("Save");
  child->GetItemLinks()->AddLinkForItem(open);
  frame->GetItemLinks()->AddLinkForItem(save);
  child->SetVisible(true);
  frame->Merge(child);
  TqzBarItemLinks* links = frame->GetItemLinks();
  ASSERT_EQ(links->GetCount(), 2);
  EXPECT_EQ(links->GetLink(1)->GetItem(), open);
  EXPECT_EQ(links->GetLink(1)->GetCreatedFromMergingWith(), child);
  EXPECT_EQ(BarBeingMerged(), nullptr);
  // A merge copy is not the user's: layouts leave it out.
  TMemIniFile file("");
  manager->SaveLayout(&file, manager->DefaultSectionBase(), false);
  EXPECT_EQ(file.ReadInteger("MainForm.BarManager1.Bar1", "ItemLinkCount", -1), 1);
  EXPECT_TRUE(file.ReadBool("MainForm.BarManager1.Bar0", "Visible", false));
  frame->UnMerge(child);
  ASSERT_EQ(links->GetCount(), 1);
  EXPECT_EQ(links->GetLink(0)->GetItem(), save);
  EXPECT_TRUE(child->GetVisible());
}

}  // namespace
