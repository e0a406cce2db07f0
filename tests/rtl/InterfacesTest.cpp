#include "rtl/Interfaces.h"

#include <gtest/gtest.h>

#include "rtl/Persistent.h"

namespace {

class IGreeter : public virtual IInterface {
  TAVREN_INTERFACE(IGreeter)
 public:
  virtual String Greet() = 0;
};

class ICounter : public virtual IInterface {
  TAVREN_INTERFACE(ICounter)
 public:
  virtual Integer Next() = 0;
};

class TGreeter : public TInterfacedObject, public IGreeter, public ICounter {
 public:
  explicit TGreeter(bool* freed) : FFreed(freed) {}
  ~TGreeter() override { *FFreed = true; }
  String Greet() override { return "hello"; }
  Integer Next() override { return ++FCount; }

 private:
  bool* FFreed;
  Integer FCount = 0;
};

class TUncounted : public TInterfacedPersistent, public IGreeter {
 public:
  String Greet() override { return "hi"; }
};

}  // namespace

TEST(Interfaces, CountedObjectLivesWhileReferenced) {
  bool freed = false;
  auto* greeter = new TGreeter(&freed);
  {
    TInterfacePtr<IGreeter> g(greeter);
    EXPECT_EQ(greeter->RefCount(), 1);
    TInterfacePtr<ICounter> counter;
    ASSERT_TRUE(Supports(g.Get(), counter));  // across interfaces of one object
    EXPECT_EQ(counter->Next(), 1);
    EXPECT_EQ(greeter->RefCount(), 2);
  }
  EXPECT_TRUE(freed);
}

TEST(Interfaces, QueryInterfaceAnswersByIdentifier) {
  bool freed = false;
  auto* greeter = new TGreeter(&freed);
  // Converted through references: no null test, which GCC's debug build misreads as uninitialised.
  TInterfacePtr<IInterface> unknown(&static_cast<IInterface&>(static_cast<IGreeter&>(*greeter)));
  void* obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(unknown->QueryInterface(IGreeter::IID, &obj), S_OK);
  EXPECT_EQ(static_cast<IGreeter*>(obj)->Greet(), "hello");
  static_cast<IGreeter*>(obj)->_Release();

  TUncounted other;
  EXPECT_EQ(other.QueryInterface(ICounter::IID, &obj), E_NOINTERFACE);
  EXPECT_EQ(obj, nullptr);
  unknown = nullptr;
  EXPECT_TRUE(freed);
}

TEST(Interfaces, SupportsOnObjects) {
  TUncounted uncounted;
  TInterfacePtr<IGreeter> g;
  ASSERT_TRUE(Supports(&uncounted, g));
  EXPECT_EQ(g->Greet(), "hi");
  EXPECT_EQ(g->_AddRef(), -1);  // not counted
  TInterfacePtr<ICounter> c;
  EXPECT_FALSE(Supports(&uncounted, c));
  EXPECT_FALSE(Supports<IGreeter>(static_cast<TObject*>(nullptr)));

  // Only asking must not free a counted object that nobody holds yet.
  bool freed = false;
  auto* greeter = new TGreeter(&freed);
  EXPECT_TRUE(Supports<ICounter>(greeter));
  EXPECT_FALSE(freed);
  TInterfacePtr<IGreeter> hold(greeter);
}
