#include "rtl/Lists.h"

#include <gtest/gtest.h>

namespace {

int gValues[6] = {0, 1, 2, 3, 4, 5};
void* P(int i) { return &gValues[i]; }

class TLoggedList : public TList {
 public:
  ~TLoggedList() override { Clear(); }
  std::vector<String> Log;

 protected:
  void Notify(void* Ptr, TListNotification Action) override {
    const char* names[] = {"added", "extracted", "deleted"};
    Log.push_back(String(names[Action]) + " " + std::to_string(*static_cast<int*>(Ptr)));
  }
};

class TCounted : public TObject {
  TAVREN_CLASS(TCounted, TObject)
 public:
  explicit TCounted(int* alive) : FAlive(alive) { ++*FAlive; }
  ~TCounted() override { --*FAlive; }

 private:
  int* FAlive;
};

}  // namespace

TAVREN_CLASS_IMPL(TCounted)

TEST(Lists, BadIndexesRaiseWithTheIndex) {
  TList list;
  list.Add(P(1));
  list.Add(P(2));
  struct Case { const char* what; std::function<void()> call; const char* message; };
  const Case kCases[] = {
      {"get", [&] { list.GetItems(2); }, "List index out of bounds (2)"},
      {"negative", [&] { list.GetItems(-1); }, "List index out of bounds (-1)"},
      {"insert past end", [&] { list.Insert(3, P(0)); }, "List index out of bounds (3)"},
      {"delete", [&] { list.Delete(5); }, "List index out of bounds (5)"},
      {"exchange", [&] { list.Exchange(0, 2); }, "List index out of bounds (2)"},
      {"move", [&] { list.Move(0, 7); }, "List index out of bounds (7)"},
      {"last of empty", [] { TList().Last(); }, "List index out of bounds (-1)"},
      {"count", [&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
      {"capacity", [&] { list.SetCapacity(1); }, "List capacity out of bounds (1)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(list.GetCount(), 2);
}

TEST(Lists, EditingAndNotifications) {
  TLoggedList list;
  for (int i : {3, 1, 2}) list.Add(P(i));
  list.Insert(0, P(4));        // 4 3 1 2
  list.Move(0, 3);             // 3 1 2 4
  list.Exchange(0, 1);         // 1 3 2 4
  EXPECT_EQ(list.Extract(P(3)), P(3));  // 1 2 4
  EXPECT_EQ(list.Extract(P(5)), nullptr);
  EXPECT_EQ(list.Remove(P(2)), 1);      // 1 4
  EXPECT_EQ(list.Remove(P(2)), -1);
  list.SetItems(1, P(5));               // 1 5
  list.Add(nullptr);                    // nil entries are not reported
  EXPECT_EQ(list.IndexOf(nullptr), 2);
  list.Pack();
  EXPECT_EQ(list.List(), (std::vector<void*>{P(1), P(5)}));
  EXPECT_EQ(list.First(), P(1));
  EXPECT_EQ(list.Last(), P(5));
  list.Clear();
  EXPECT_EQ(list.Log, (std::vector<String>{"added 3", "added 1", "added 2", "added 4", "extracted 3",
                                           "deleted 2", "deleted 4", "added 5", "deleted 5", "deleted 1"}));
}

TEST(Lists, SortIsStable) {
  TList list;
  int pairs[][2] = {{2, 0}, {1, 1}, {2, 2}, {1, 3}, {0, 4}};
  for (auto& p : pairs) list.Add(p);
  list.Sort([](void* a, void* b) { return static_cast<int*>(a)[0] - static_cast<int*>(b)[0]; });
  std::vector<int> order;
  for (void* p : list.List()) order.push_back(static_cast<int*>(p)[1]);
  EXPECT_EQ(order, (std::vector<int>{4, 1, 3, 0, 2}));
}

TEST(Lists, ObjectListFreesWhatItOwns) {
  int alive = 0;
  {
    TObjectList list;
    for (int i = 0; i < 3; ++i) list.Add(new TCounted(&alive));
    list.Delete(0);
    EXPECT_EQ(alive, 2);
    TObject* kept = list.Extract(list.First());
    EXPECT_EQ(alive, 2);
    delete kept;
    list.SetItems(0, new TCounted(&alive));  // the replaced object goes
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(list.FindInstanceOf(TObject::ClassInfo(), false), 0);
    EXPECT_EQ(list.FindInstanceOf(TObject::ClassInfo(), true), -1);
  }
  EXPECT_EQ(alive, 0);

  TObjectList borrowed(false);
  TCounted stays(&alive);
  borrowed.Add(&stays);
  borrowed.Clear();
  EXPECT_EQ(alive, 1);
}

namespace {
class TListener : public TInterfacedObject {
 public:
  explicit TListener(int* alive) : FAlive(alive) { ++*FAlive; }
  ~TListener() override { --*FAlive; }

 private:
  int* FAlive;
};
}  // namespace

TEST(Lists, InterfaceListHoldsReferences) {
  int alive = 0;
  TInterfaceList list;
  IInterface* a = new TListener(&alive);
  list.Add(a);
  list.Add(new TListener(&alive));
  EXPECT_EQ(list.IndexOf(a), 0);
  list.Remove(a);
  EXPECT_EQ(alive, 1);
  list.Clear();
  EXPECT_EQ(alive, 0);
}

TEST(Lists, ThreadListDuplicates) {
  TThreadList list;
  list.Add(P(1));
  list.Add(P(1));
  EXPECT_EQ(list.LockList()->GetCount(), 1);
  list.UnlockList();
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add(P(1)), EListError);
  list.SetDuplicates(dupAccept);
  list.Add(P(1));
  EXPECT_EQ(list.LockList()->GetCount(), 2);
  list.UnlockList();
}
