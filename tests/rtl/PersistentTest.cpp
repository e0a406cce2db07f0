#include "rtl/Persistent.h"

#include <gtest/gtest.h>

namespace {

class TPoint3 : public TPersistent {
  TAVREN_CLASS(TPoint3, TPersistent)
 public:
  int X = 0;
  void Assign(TPersistent* Source) override {
    if (auto* p = dynamic_cast<TPoint3*>(Source)) {
      X = p->X;
      return;
    }
    inherited::Assign(Source);
  }
};

// Knows how to put itself into a TPoint3, which TPoint3 itself does not know.
class TScalar : public TPersistent {
  TAVREN_CLASS(TScalar, TPersistent)
 public:
  int Value = 7;

 protected:
  void AssignTo(TPersistent* Dest) override {
    if (auto* p = dynamic_cast<TPoint3*>(Dest)) {
      p->X = Value;
      return;
    }
    inherited::AssignTo(Dest);
  }
};

class TOwned : public TPersistent {
 public:
  explicit TOwned(TPersistent* owner) : FOwner(owner) {}
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

}  // namespace

TAVREN_CLASS_IMPL(TPoint3)
TAVREN_CLASS_IMPL(TScalar)

TEST(Persistent, AssignFallsBackToTheSourceThenFails) {
  TPoint3 a, b;
  b.X = 3;
  a.Assign(&b);
  EXPECT_EQ(a.X, 3);
  TScalar s;
  a.Assign(&s);
  EXPECT_EQ(a.X, 7);

  struct Case { TPersistent* dest; TPersistent* source; const char* message; };
  const Case kCases[] = {{&s, &a, "Cannot assign a TPoint3 to a TScalar"},
                         {&a, nullptr, "Cannot assign a nil to a TPoint3"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.message);
    try {
      c.dest->Assign(c.source);
      ADD_FAILURE();
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(Persistent, NamePathFollowsOwners) {
  TPoint3 root;
  TOwned child(&root);
  EXPECT_EQ(child.GetNamePath(), "TPoint3.TPersistent");
  EXPECT_EQ(root.GetNamePath(), "TPoint3");
}
