#include "rtl/ComponentList.h"

#include <gtest/gtest.h>

TEST(ComponentList, FreedComponentsLeaveEveryPlaceAndOwnedOnesGoWithTheList) {
  auto* twice = new TComponent(nullptr);
  auto* kept = new TComponent(nullptr);
  {
    TComponentList list(false);
    list.Add(twice);
    list.Add(kept);
    list.Add(twice);
    // Taking one entry out keeps watching the other.
    list.Delete(2);
    list.Add(twice);
    delete twice;
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetItems(0), kept);
    list.Remove(kept);
  }
  // No longer watched: freeing it reaches no list.
  delete kept;

  auto* owned = new TComponent(nullptr);
  auto* list = new TComponentList();
  list->Add(owned);
  delete list;  // frees what it owns
}
