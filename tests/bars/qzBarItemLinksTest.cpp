#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

namespace {

// A menu (a sub-item's links) on a manager of a form.
class BarItemLinks : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    menu = new TqzBarSubItem(form);
    links = menu->GetItemLinks();
  }
  template <class T = TqzBarButton>
  T* Item(const char* ACaption) {
    auto* item = new T(form);
    item->SetCaption(ACaption);
    return item;
  }
  TqzBarItemLink* Add(TqzBarItem* AItem) { return links->AddLinkForItem(AItem); }
  std::vector<String> Shown() {
    std::vector<String> result;
    for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) result.push_back(links->GetVisibleLink(i)->GetCaption());
    return result;
  }

  TqzBarSubItem* menu = nullptr;
  TqzBarItemLinks* links = nullptr;
};

TEST_F(BarItemLinks, SeparatorsAtTheEndOrInARowAreNotShown) {
  Add(Item("A"));
  Add(Item<TqzBarSeparator>("S1"));
  Add(Item<TqzBarSeparator>("S2"));
  Add(Item("B"));
  Add(Item<TqzBarSeparator>("S3"));
  EXPECT_EQ(Shown(), (std::vector<String>{"A", "S2", "B"}));
  EXPECT_EQ(links->GetFullMenuLinkCount(), 3);
  // Moves out of range change nothing.
  links->MoveLink(0, 5);
  links->MoveLink(-1, 2);
  EXPECT_EQ(Shown(), (std::vector<String>{"A", "S2", "B"}));
  // A leading separator stays.
  links->MoveLink(0, 4);
  EXPECT_EQ(Shown(), (std::vector<String>{"S2", "B", "S3", "A"}));
}

TEST_F(BarItemLinks, HiddenLinksAndItemsLeaveTheVisibleLists) {
  TqzBarItemLink* a = Add(Item("A"));
  TqzBarItemLink* b = Add(Item("B"));
  TqzBarItemLink* c = Add(Item("C"));
  b->SetVisible(false);
  c->GetItem()->SetVisible(ivInCustomizing);
  EXPECT_EQ(Shown(), std::vector<String>{"A"});
  EXPECT_EQ(links->GetItemVisibleLinkCount(), 2);
  EXPECT_TRUE(a->IsShown());
  EXPECT_FALSE(b->IsShown());
  EXPECT_EQ(c->GetVisibleIndex(), -1);
  // A link whose item name is unknown stays in the collection and is never shown.
  TqzBarItemLink* orphan = links->AddLink();
  orphan->SetLoadedItemName("NoSuchItem");
  orphan->ResolveLoadedItemName();
  EXPECT_EQ(orphan->GetItem(), nullptr);
  EXPECT_EQ(links->GetCount(), 4);
  EXPECT_EQ(Shown(), std::vector<String>{"A"});
}

TEST_F(BarItemLinks, GroupStartPassesThroughHiddenLinks) {
  TqzBarItemLink* a = Add(Item("A"));
  TqzBarItemLink* hidden = Add(Item("H"));
  TqzBarItemLink* b = Add(Item("B"));
  hidden->SetBeginGroup(true);
  hidden->SetVisible(false);
  EXPECT_TRUE(b->GetBeginGroup());
  EXPECT_TRUE(hidden->GetBeginGroup()) << "a link not shown keeps its own flag";
  // The first shown link never starts a group.
  a->SetBeginGroup(true);
  EXPECT_FALSE(a->GetBeginGroup());
  hidden->SetVisible(true);
  EXPECT_FALSE(b->GetBeginGroup());
  EXPECT_TRUE(hidden->GetBeginGroup());
}

TEST_F(BarItemLinks, PassGroupStartOnKeepsTheGroupWhenALinkLeaves) {
  TqzBarItemLink* a = Add(Item("A"));
  TqzBarItemLink* b = Add(Item("B"));
  TqzBarItemLink* c = Add(Item("C"));
  TqzBarItemLink* d = Add(Item("D"));
  b->SetBeginGroup(true);
  b->PassGroupStartOn();
  EXPECT_TRUE(c->GetBeginGroup());
  // Leaving the first place, the follower becomes first: its group start goes.
  a->PassGroupStartOn();
  EXPECT_FALSE(b->GetBeginGroup());
  d->SetBeginGroup(true);
  d->PassGroupStartOn();
  EXPECT_TRUE(d->GetBeginGroup()) << "the last link has no follower";
}

TEST_F(BarItemLinks, RecentCutFollowsTheUseCounts) {
  struct Case {
    std::vector<Integer> counts;  // in recent order
    Integer expected;
  };
  // 95 percent: 20, 20, 0, 3 gives Min 0, Max 20 and the cut 0 + MulDiv(20, 5, 100) = 1.
  const Case kCases[] = {{{20, 20, 0, 3}, -1}, {{20, 20, 3, 0}, 3}, {{20, 0, 0, 0}, 1}, {{20, 20, 20}, -1}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.counts));
    links->Clear();
    for (Integer count : c.counts) Add(Item("X"))->SetUseCount(count);
    // Each new link came to the front: put them in the case's order.
    for (Integer i = 0; i < links->GetCount(); ++i) links->GetLink(i)->SetRecentIndex(i);
    EXPECT_EQ(links->CalcRecentLinkCount(), c.expected);
  }
}

TEST_F(BarItemLinks, RecentCutIsMadeOnTheRecentOrder) {
  TqzBarItemLink* a = Add(Item("A"));
  TqzBarItemLink* b = Add(Item("B"));
  TqzBarItemLink* c = Add(Item("C"));
  TqzBarItemLink* d = Add(Item("D"));
  a->SetUseCount(20);
  b->SetUseCount(20);
  c->SetUseCount(0);
  d->SetUseCount(3);
  // Recent order A, B, D, C: the cut (UseCount >= 1) keeps the first three, shown in menu order.
  for (TqzBarItemLink* link : {c, d, b, a}) link->SetRecentIndex(0);
  EXPECT_EQ(links->CalcRecentLinkCount(), 3);
  links->SetRecentLinkLimit(links->CalcRecentLinkCount());
  EXPECT_EQ(Shown(), (std::vector<String>{"A", "B", "D"}));
  links->RestoreRecentLinkLimit();
  EXPECT_EQ(Shown(), (std::vector<String>{"A", "B", "C", "D"}));
  // Only a hidden link stands in the short form's places: nothing qualifies.
  b->SetVisible(false);
  c->SetVisible(false);
  d->SetVisible(false);
  b->SetUseCount(0);
  b->SetRecentIndex(0);
  EXPECT_EQ(links->CalcRecentLinkCount(), 0);
  manager->SetStyle(bmsStandard);
  EXPECT_EQ(links->CalcRecentLinkCount(), -1);
  links->SetRecentLinkLimit(1);
  EXPECT_EQ(links->GetRecentLinkLimit(), -1);
}

TEST_F(BarItemLinks, UseRegistersInTheRecentList) {
  TqzBarItemLink* a = Add(Item("A"));
  TqzBarItemLink* b = Add(Item("B"));
  Integer before = b->GetUseCount();
  b->RegisterUse(true);
  EXPECT_EQ(b->GetRecentIndex(), 0);
  EXPECT_EQ(b->GetUseCount(), before + 1);
  b->SetMostRecentlyUsed(false);
  EXPECT_EQ(b->GetUseCount(), 0);
  EXPECT_EQ(b->GetRecentIndex(), 1);
  b->SetMostRecentlyUsed(true);
  EXPECT_EQ(b->GetUseCount(), manager->GetRecentUseThreshold());
  EXPECT_EQ(b->GetRecentIndex(), 0);
  // A hidden link registers nothing.
  a->SetVisible(false);
  a->RegisterUse(true);
  EXPECT_EQ(a->GetRecentIndex(), 1);
  links->CompactRecentList();
  EXPECT_EQ(links->GetRecentLink(1), a);
}

TEST_F(BarItemLinks, UserDefineResetsTheValuesItDrops) {
  TqzBarItemLink* link = Add(Item("Open"));
  link->SetUserCaption("Mine");
  EXPECT_TRUE(link->GetUserDefine().Contains(udCaption));
  EXPECT_EQ(link->GetCaption(), "Mine");
  link->SetUserWidth(40);
  link->SetUserDefine(TqzBarUserDefines{udWidth});
  EXPECT_EQ(link->GetUserCaption(), "");
  EXPECT_EQ(link->GetCaption(), "Open");
  EXPECT_EQ(link->GetUserWidth(), 40);
  link->SetUserDefine(TqzBarUserDefines());
  EXPECT_EQ(link->GetUserWidth(), 0);
  // A glyph of its own is kept when the item's image changes.
  TBitmap glyph;
  glyph.SetSize(4, 4);
  link->SetUserGlyph(&glyph);
  link->GetItem()->SetImageIndex(3);
  EXPECT_EQ(link->GetGlyph(), link->GetUserGlyph());
  EXPECT_FALSE(link->GetGlyph()->GetEmpty());
}

TEST_F(BarItemLinks, AcceleratorsMatchTheirKey) {
  TqzBarItemLink* file = Add(Item("&File"));
  TqzBarItemLink* digit = Add(Item("1&2"));
  TqzBarItemLink* literal = Add(Item("Fish && &chips"));
  TqzBarItemLink* none = Add(Item("Plain && simple"));
  struct Case {
    TqzBarItemLink* link;
    Word key;
    TShiftState shift;
    bool matches;
  };
  const Case kCases[] = {{file, 'F', {}, true},          {file, 'F', {ssShift}, true}, {file, 'F', {ssCtrl}, false},
                         {file, 'G', {}, false},         {digit, '2', {}, true},       {digit, '2', {ssShift}, false},
                         {digit, '1', {}, false},        {literal, 'C', {}, true},     {none, 'S', {}, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.link->GetCaption() + " " + static_cast<char>(c.key));
    EXPECT_EQ(c.link->MatchesAccel(c.key, c.shift), c.matches);
  }
  EXPECT_EQ(links->FindLinkByAccelKey('F', {ssAlt}, nullptr), file);
  EXPECT_EQ(links->FindLinkByAccelKey('2', {}, file), digit);
  // The start link itself is tried last.
  EXPECT_EQ(links->FindLinkByAccelKey('F', {}, file), file);
  file->GetItem()->SetEnabled(false);
  EXPECT_EQ(links->FindLinkByAccelKey('F', {}, nullptr), nullptr);
}

TEST_F(BarItemLinks, SelectionWalksEndAfterOnePass) {
  TqzBarItemLink* a = Add(Item("A"));
  TqzBarItemLink* b = Add(Item("B"));
  TqzBarItemLink* c = Add(Item("C"));
  EXPECT_EQ(links->NextSelectableLink(a, true), b);
  EXPECT_EQ(links->NextSelectableLink(c, true), a);
  EXPECT_EQ(links->PrevSelectableLink(a, true), c);
  EXPECT_EQ(c->GetNextLink(), a);
  // A start outside the shown links walks them once; nothing selectable ends the walk at once.
  b->SetVisible(false);
  EXPECT_EQ(links->NextSelectableLink(b, true), a);
  EXPECT_EQ(links->PrevSelectableLink(b, true), c);
  EXPECT_EQ(links->NextSelectableLink(a, false), nullptr);
  EXPECT_EQ(links->FirstSelectableLink(), nullptr);
  // A lone link walks back to itself: no next link.
  links->Clear();
  TqzBarItemLink* lone = Add(Item("L"));
  EXPECT_EQ(lone->GetNextLink(), nullptr);
}

struct TLinkEventLog : TObject {
  std::vector<std::pair<String, TqzBarItemLink*>> events;
  TqzBarItem* itemSeenOnDelete = nullptr;
  Integer linksOfItemOnDelete = -1;
  void Added(TqzBarManager*, TqzBarItemLink* ALink) { events.emplace_back("add", ALink); }
  void Changed(TqzBarManager*, TqzBarItemLink* ALink) { events.emplace_back("change", ALink); }
  void Deleted(TqzBarManager*, TqzBarItemLink* ALink) {
    events.emplace_back("delete", ALink);
    itemSeenOnDelete = ALink->GetItem();
    linksOfItemOnDelete = itemSeenOnDelete ? itemSeenOnDelete->GetLinkCount() : -1;
  }
};

TEST_F(BarItemLinks, ClearingTheItemFreesTheLinkAfterItsLastEvent) {
  TLinkEventLog log;
  manager->SetOnItemLinkAdd(MakeEvent<&TLinkEventLog::Added>(&log));
  manager->SetOnItemLinkChange(MakeEvent<&TLinkEventLog::Changed>(&log));
  manager->SetOnItemLinkDelete(MakeEvent<&TLinkEventLog::Deleted>(&log));
  TqzBarItem* item = Item("A");
  TqzBarItemLink* link = links->AddLink();
  link->SetItem(item);
  ASSERT_GE(log.events.size(), 2u);
  EXPECT_EQ(log.events.front().first, "add");
  EXPECT_EQ(log.events.back().first, "change");
  log.events.clear();
  link->SetItem(nullptr);
  // The delete event is the last one and sees the whole link, still showing its item.
  ASSERT_EQ(log.events.size(), 1u);
  EXPECT_EQ(log.events[0].first, "delete");
  EXPECT_EQ(log.itemSeenOnDelete, item);
  EXPECT_EQ(links->GetCount(), 0);
  EXPECT_EQ(item->GetLinkCount(), 0);
  EXPECT_EQ(links->GetRecentLinkCount(), 0);
}

TEST_F(BarItemLinks, FreeingAnItemFreesItsLinks) {
  TqzBarItem* item = Item("A");
  Add(item);
  auto* other = new TqzBarSubItem(form);
  other->GetItemLinks()->AddLinkForItem(item);
  EXPECT_EQ(item->GetLinkCount(), 2);
  delete item;
  EXPECT_EQ(links->GetCount(), 0);
  EXPECT_EQ(other->GetItemLinks()->GetCount(), 0);
}

TEST_F(BarItemLinks, RecursiveMenusAreRefused) {
  auto* inner = new TqzBarSubItem(form);
  auto* deeper = new TqzBarSubItem(form);
  Add(inner);
  inner->GetItemLinks()->AddLinkForItem(deeper);
  struct Case {
    TqzBarSubItem* target;
    TqzBarItem* item;
  };
  const Case kCases[] = {{menu, menu}, {inner, menu}, {deeper, menu}, {deeper, inner}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.item->GetCaption());
    Integer count = c.target->GetItemLinks()->GetCount();
    try {
      c.target->GetItemLinks()->AddLinkForItem(c.item);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "You cannot create recursive menus");
    }
    // The refused link stays without item.
    ASSERT_EQ(c.target->GetItemLinks()->GetCount(), count + 1);
    EXPECT_EQ(c.target->GetItemLinks()->GetLink(count)->GetItem(), nullptr);
  }
  // Menus take separators.
  EXPECT_NO_THROW(Add(Item<TqzBarSeparator>("-")));
  String message;
  EXPECT_FALSE(TqzBarSeparator(form).CanBePlacedOn(0, nullptr, message));
  EXPECT_EQ(message, "A separator item cannot be placed on the specified toolbar");
}

TEST_F(BarItemLinks, MergingPlacesLinksByCaptionAndOrder) {
  auto* child = new TqzBarSubItem(form);
  TqzBarItemLinks* source = child->GetItemLinks();
  auto* file = Item<TqzBarSubItem>("&File");
  file->SetMergeKind(mkMergeByCaption);
  auto* help = Item("&Help");
  help->SetMergeOrder(9);
  Add(file);
  Add(help);
  auto* childFile = Item<TqzBarSubItem>("&File");
  childFile->SetMergeKind(mkMergeByCaption);
  childFile->GetItemLinks()->AddLinkForItem(Item("Save"));
  auto* window = Item<TqzBarSubItem>("&Window");
  window->SetMergeKind(mkMergeByCaption);
  window->SetMergeOrder(5);
  auto* hidden = Item("Never");
  hidden->SetMergeKind(mkNone);
  source->AddLinkForItem(childFile);
  source->AddLinkForItem(window);
  source->AddLinkForItem(hidden);
  links->MergeFrom(source);
  // File merged into File, Window (no match) added by its order before Help, Never skipped.
  ASSERT_EQ(links->GetCount(), 3);
  EXPECT_EQ(links->GetLink(1)->GetItem(), window);
  EXPECT_EQ(file->GetItemLinks()->GetCount(), 1);
  EXPECT_EQ(file->GetItemLinks()->GetLink(0)->GetCaption(), "Save");
}

TEST_F(BarItemLinks, AssignCopiesLinksWithTheirVisibility) {
  TqzBarItemLink* a = Add(Item("A"));
  a->SetVisible(false);
  a->SetUserCaption("Mine");
  Add(Item("B"))->SetBeginGroup(true);
  auto* copy = new TqzBarSubItem(form);
  copy->GetItemLinks()->Assign(links);
  TqzBarItemLinks* target = copy->GetItemLinks();
  ASSERT_EQ(target->GetCount(), 2);
  EXPECT_FALSE(target->GetLink(0)->GetVisible());
  EXPECT_EQ(target->GetLink(0)->GetCaption(), "Mine");
  // B was shown first, so its group start was not in force.
  EXPECT_EQ(target->GetLink(1)->GetItem(), links->GetLink(1)->GetItem());
}

TEST_F(BarItemLinks, AFormKeepsItsLinksByItemName) {
  form->SetName("MenuForm");
  manager->SetName("BarManager1");
  menu->SetName("FileMenu");
  menu->SetCategory(0);
  // Items the form owns, in a category, stream with the form.
  TqzBarItem* open = Item("Open");
  open->SetName("Open");
  open->SetCategory(0);
  TqzBarItem* save = Item("Save");
  save->SetName("Save");
  save->SetCategory(0);
  Add(open)->SetUserCaption("Open a file");
  Add(save)->SetVisible(false);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("ItemName = 'Save'"), String::npos) << text;
  TForm fresh(nullptr, 0);
  ReadComponentFromText(text, &fresh);
  auto* freshMenu = static_cast<TqzBarSubItem*>(fresh.FindComponent("FileMenu"));
  ASSERT_NE(freshMenu, nullptr);
  TqzBarItemLinks* read = freshMenu->GetItemLinks();
  ASSERT_EQ(read->GetCount(), 2);
  EXPECT_EQ(read->GetLink(0)->GetItem(), fresh.FindComponent("Open"));
  EXPECT_EQ(read->GetLink(0)->GetCaption(), "Open a file");
  EXPECT_EQ(read->GetLink(1)->GetItem(), fresh.FindComponent("Save"));
  EXPECT_FALSE(read->GetLink(1)->GetVisible());
  EXPECT_EQ(read->GetVisibleLinkCount(), 1);
}

}  // namespace
