#include "rtl/Collection.h"

#include <gtest/gtest.h>

namespace {

class TColumn : public TCollectionItem {
  TAVREN_CLASS(TColumn, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  Integer Width = 50;
  void SetWidth(Integer Value) {
    Width = Value;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* c = dynamic_cast<TColumn*>(Source)) {
      Width = c->Width;
      return;
    }
    inherited::Assign(Source);
  }
};

// Counts what the collection reports: Update(nullptr) as "all", Update(item) by the item's width.
class TColumns : public TOwnedCollection {
  TAVREN_CLASS(TColumns, TOwnedCollection)
 public:
  explicit TColumns(TPersistent* AOwner) : TOwnedCollection(AOwner, TColumn::ClassInfo()) {}
  std::vector<String> Log;

 protected:
  void Update(TCollectionItem* Item) override {
    Log.push_back(Item ? "item " + std::to_string(static_cast<TColumn*>(Item)->Width) : "all");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    // The added item is already of its own class here.
    Log.push_back(String(Action == cnAdded ? "added " : Action == cnExtracting ? "extracting " : "deleting ") +
                  Item->ClassName());
  }
};

}  // namespace

TAVREN_CLASS_IMPL(TColumn)
TAVREN_CLASS_IMPL(TColumns)

TEST(Collection, ReportsChangesOncePerUpdate) {
  TPersistent owner;
  TColumns columns(&owner);
  auto* first = static_cast<TColumn*>(columns.Add());
  EXPECT_EQ(columns.Log, (std::vector<String>{"added TColumn", "all"}));

  columns.Log.clear();
  first->SetWidth(80);
  EXPECT_EQ(columns.Log, std::vector<String>{"item 80"});

  columns.Log.clear();
  columns.BeginUpdate();
  columns.BeginUpdate();
  columns.Add();
  first->SetWidth(10);
  columns.Delete(1);
  columns.EndUpdate();
  EXPECT_EQ(columns.Log, (std::vector<String>{"added TColumn", "deleting TColumn", "extracting TColumn"}));
  columns.EndUpdate();
  EXPECT_EQ(columns.Log.back(), "all");
  EXPECT_EQ(columns.GetOwner(), &owner);
}

TEST(Collection, ItemsKeepIdsAcrossMovesAndDeletes) {
  TPersistent owner;
  TColumns columns(&owner);
  for (int i = 0; i < 3; ++i) static_cast<TColumn*>(columns.Add())->Width = i;
  TCollectionItem* last = columns.GetItems(2);
  last->SetIndex(0);
  EXPECT_EQ(columns.GetItems(0), last);
  EXPECT_EQ(last->GetIndex(), 0);
  EXPECT_EQ(last->GetID(), 2);

  columns.Delete(1);  // the item with ID 0
  EXPECT_EQ(columns.FindItemID(0), nullptr);
  EXPECT_EQ(columns.FindItemID(2), last);
  EXPECT_EQ(columns.Add()->GetID(), 3);  // IDs are never reused

  auto* inserted = columns.Insert(0);
  EXPECT_EQ(columns.GetItems(0), inserted);
  EXPECT_EQ(inserted->GetDisplayName(), "TColumn");
  EXPECT_EQ(inserted->GetNamePath(), "TColumns[0]");
  EXPECT_THROW(columns.GetItems(4), EListError);

  delete inserted;  // an item freed by itself leaves its collection
  EXPECT_EQ(columns.GetCount(), 3);
}

TEST(Collection, AssignCopiesItemsAndRefusesOtherClasses) {
  TPersistent owner;
  TColumns source(&owner), dest(&owner);
  static_cast<TColumn*>(source.Add())->Width = 11;
  static_cast<TColumn*>(source.Add())->Width = 22;
  dest.Add();
  dest.Log.clear();
  dest.Assign(&source);
  ASSERT_EQ(dest.GetCount(), 2);
  EXPECT_EQ(static_cast<TColumn*>(dest.GetItems(1))->Width, 22);
  EXPECT_EQ(dest.Log.back(), "all");
  EXPECT_EQ(std::count(dest.Log.begin(), dest.Log.end(), "all"), 1);

  TCollection plain(TCollectionItem::ClassInfo());
  TCollectionItem* stranger = plain.Add();
  EXPECT_THROW(stranger->SetCollection(&dest), EListError);
  EXPECT_EQ(stranger->GetCollection(), &plain);
  dest.GetItems(0)->SetCollection(&plain);  // a column is a collection item
  EXPECT_EQ(plain.GetCount(), 2);
  EXPECT_EQ(dest.GetCount(), 1);
}
