#include "rtl/Component.h"

#include <gtest/gtest.h>

#include "rtl/SysUtils.h"

namespace {

// Records every notification it receives and keeps one reference that it clears on removal.
class TWatcher : public TComponent {
  TAVREN_CLASS(TWatcher, TComponent)
 public:
  TWatcher(TComponent* AOwner, std::vector<String>* log) : TComponent(AOwner), FLog(log) {}
  ~TWatcher() override {
    if (FLog) FLog->push_back("destroy " + GetName());
  }

  TComponent* Link = nullptr;
  void SetLink(TComponent* Value) {
    Link = Value;
    if (Value) Value->FreeNotification(this);
  }
  TComponent* SeenClass = nullptr;
  TClass RemovedClass = nullptr;

  using TComponent::Loaded;
  using TComponent::Updated;
  using TComponent::Updating;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (FLog)
      FLog->push_back(GetName() + (Operation == opInsert ? " +" : " -") + AComponent->GetName());
    if (Operation == opRemove && AComponent == Link) {
      Link = nullptr;
      RemovedClass = AComponent->ClassType();
    }
  }

 private:
  std::vector<String>* FLog;
};

}  // namespace

TAVREN_CLASS_IMPL(TWatcher)

TEST(Component, OwnerDeletesWhatItOwnsLastCreatedFirst) {
  std::vector<String> log;
  auto* owner = new TComponent(nullptr);
  for (const char* name : {"A", "B", "C"}) (new TWatcher(owner, &log))->SetName(name);
  auto* b = owner->GetComponents(1);
  auto* c = owner->GetComponents(2);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  EXPECT_EQ(owner->FindComponent("b"), b);
  EXPECT_EQ(owner->FindComponent("missing"), nullptr);

  // A component deleted by someone else leaves its owner's list, and its siblings hear of it.
  log.clear();
  delete b;
  EXPECT_EQ(log, (std::vector<String>{"destroy B", "C -B", "A -B"}));
  ASSERT_EQ(owner->GetComponentCount(), 2);
  EXPECT_EQ(owner->GetComponents(1), c);

  // Each owned component leaves the list, siblings told, before it is deleted.
  log.clear();
  delete owner;
  EXPECT_EQ(log, (std::vector<String>{"C -C", "A -C", "destroy C", "A -A", "destroy A"}));
}

TEST(Component, FreeNotificationClearsReferencesOfOthers) {
  TComponent formA(nullptr), formB(nullptr);
  auto* watcher = new TWatcher(&formA, nullptr);
  auto* target = new TWatcher(&formB, nullptr);  // another owner: only free notification tells
  watcher->SetLink(target);
  delete target;
  EXPECT_EQ(watcher->Link, nullptr);
  // Told while the whole object still existed.
  EXPECT_EQ(watcher->RemovedClass, TWatcher::ClassInfo());

  // Once the link is removed, deleting tells nobody.
  auto* other = new TWatcher(&formB, nullptr);
  watcher->SetLink(other);
  other->RemoveFreeNotification(watcher);
  delete other;
  EXPECT_NE(watcher->Link, nullptr);
  watcher->Link = nullptr;

  // The watcher going first must not leave the target holding a dangling link.
  auto* kept = new TWatcher(&formB, nullptr);
  watcher->SetLink(kept);
  delete watcher;
  delete kept;
}

TEST(Component, SiblingsAreToldThroughTheirOwner) {
  std::vector<String> log;
  TComponent owner(nullptr);
  auto* watcher = new TWatcher(&owner, &log);
  watcher->SetName("W");
  auto* sibling = new TComponent(&owner);
  sibling->SetName("S");
  delete sibling;
  EXPECT_EQ(log, (std::vector<String>{"W +", "W -S"}));
}

TEST(Component, NamesAreIdentifiersUniqueInTheOwner) {
  TComponent owner(nullptr);
  auto* first = new TComponent(&owner);
  first->SetName("Button1");
  auto* second = new TComponent(&owner);

  struct Case { const char* name; const char* error; };
  const Case kCases[] = {
      {"button1", "A component named button1 already exists"},
      {"1Button", "'1Button' is not a valid component name"},
      {"My Button", "'My Button' is not a valid component name"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    try {
      second->SetName(c.name);
      ADD_FAILURE() << "accepted";
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), c.error);
    }
  }
  first->SetName("BUTTON1");  // its own name in another case
  second->SetName("Button2");
  second->SetName("");
  EXPECT_EQ(second->GetName(), "");

  // A named component cannot join an owner that has that name already.
  TComponent stray(nullptr);
  stray.SetName("Button1");
  EXPECT_THROW(owner.InsertComponent(&stray), EComponentError);
  EXPECT_EQ(stray.GetOwner(), nullptr);
}

TEST(Component, MovingBetweenOwnersAndIndexes) {
  TComponent a(nullptr), b(nullptr);
  auto* x = new TComponent(&a);
  auto* y = new TComponent(&a);
  auto* z = new TComponent(&a);
  z->SetComponentIndex(-5);  // clamped to the first place
  EXPECT_EQ(a.GetComponents(0), z);
  x->SetComponentIndex(99);
  EXPECT_EQ(a.GetComponents(2), x);

  b.InsertComponent(y);
  EXPECT_EQ(y->GetOwner(), &b);
  EXPECT_EQ(a.GetComponentCount(), 2);
  try {
    a.GetComponents(2);
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
}

TEST(Component, StateFollowsLoadingUpdatingAndDestruction) {
  TComponent owner(nullptr);
  auto* w = new TWatcher(&owner, nullptr);
  EXPECT_TRUE(w->GetComponentState().Empty());
  w->Updating();
  EXPECT_TRUE(w->GetComponentState().Contains(csUpdating));
  w->Updated();
  EXPECT_FALSE(w->GetComponentState().Contains(csUpdating));

  struct TSpy : TComponent {
    using TComponent::TComponent;
    ~TSpy() override { *Seen = GetComponentState().Contains(csDestroying); }
    bool* Seen;
  };
  bool ownerSawIt = false, childSawIt = false;
  auto* parent = new TSpy(nullptr);
  parent->Seen = &ownerSawIt;
  (new TSpy(parent))->Seen = &childSawIt;
  delete parent;
  EXPECT_TRUE(ownerSawIt);
  EXPECT_TRUE(childSawIt);
  EXPECT_FALSE(w->GetComponentState().Contains(csDesigning));
}
