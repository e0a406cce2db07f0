#include "rtl/Object.h"

#include <gtest/gtest.h>

#include "rtl/Component.h"

namespace {

class TAnimal : public TPersistent {
  TAVREN_CLASS(TAnimal, TPersistent)
 public:
  virtual String Sound() = 0;
};

class TDog : public TAnimal {
  TAVREN_CLASS(TDog, TAnimal)
 public:
  String Sound() override { return "woof"; }
  void AfterConstruction() override { Constructed = true; }
  bool Constructed = false;
};

class TPuppy : public TDog {
  TAVREN_CLASS(TPuppy, TDog)
};

class TWidget : public TComponent {
  TAVREN_CLASS(TWidget, TComponent)
 public:
  using TComponent::TComponent;
};

// A constructor that the class reference cannot call.
class TSized : public TPersistent {
  TAVREN_CLASS(TSized, TPersistent)
 public:
  TSized(int w, int h) : Width(w), Height(h) {}
  int Width, Height;
};

class TTracked : public TObject {
  TAVREN_CLASS(TTracked, TObject)
 public:
  explicit TTracked(std::vector<String>& log) : FLog(log) {}
  ~TTracked() override { FLog.push_back("destructor"); }
  void BeforeDestruction() override { FLog.push_back("before"); }

 private:
  std::vector<String>& FLog;
};

}  // namespace

TAVREN_CLASS_IMPL(TAnimal)
TAVREN_CLASS_IMPL(TDog)
TAVREN_CLASS_IMPL(TPuppy)
TAVREN_CLASS_IMPL(TWidget)
TAVREN_CLASS_IMPL(TSized)
TAVREN_CLASS_IMPL(TTracked)

TEST(Object, ClassRecordsDescribeAncestry) {
  TPuppy puppy;
  TObject& asObject = puppy;
  EXPECT_EQ(asObject.ClassType(), TPuppy::ClassInfo());
  EXPECT_EQ(asObject.ClassName(), "TPuppy");
  EXPECT_EQ(asObject.ClassParent(), TDog::ClassInfo());
  EXPECT_TRUE(asObject.ClassNameIs("tpuppy"));

  struct Case { TClass ancestor; bool inherits; };
  const Case kCases[] = {{TPuppy::ClassInfo(), true}, {TDog::ClassInfo(), true},
                         {TAnimal::ClassInfo(), true}, {TPersistent::ClassInfo(), true},
                         {TObject::ClassInfo(), true}, {TComponent::ClassInfo(), false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.ancestor->Name);
    EXPECT_EQ(asObject.InheritsFrom(c.ancestor), c.inherits);
  }
  EXPECT_FALSE(TDog::ClassInfo()->InheritsFrom(TPuppy::ClassInfo()));
  EXPECT_EQ(TObject::ClassInfo()->Parent, nullptr);
}

TEST(Object, ClassReferenceCreatesThroughTheClassOwnConstructor) {
  TClassOf<TAnimal> animalClass = TPuppy::ClassInfo();
  std::unique_ptr<TAnimal> animal(animalClass.Create());
  EXPECT_EQ(animal->ClassType(), TPuppy::ClassInfo());
  EXPECT_EQ(animal->Sound(), "woof");
  EXPECT_TRUE(static_cast<TDog*>(animal.get())->Constructed);

  TComponent owner(nullptr);
  TComponentClass widgetClass = TWidget::ClassInfo();
  TComponent* widget = widgetClass.Create(&owner);
  EXPECT_EQ(widget->GetOwner(), &owner);
  EXPECT_EQ(owner.GetComponents(0), widget);
  EXPECT_THROW(TWidget::ClassInfo()->Create(animal.get()), EInvalidCast);  // not a component
}

TEST(Object, ClassesWithoutAUsableConstructorCannotBeCreatedByReference) {
  EXPECT_EQ(TAnimal::ClassInfo()->Factory, nullptr);
  EXPECT_EQ(TSized::ClassInfo()->Factory, nullptr);
  EXPECT_THROW(TAnimal::ClassInfo()->Create(), EInvalidOperation);
  EXPECT_THROW(TClassOf<TAnimal>().Create(), EInvalidOperation);
  // A typed class reference only takes its own class and descendants.
  EXPECT_THROW(TClassOf<TDog>{TWidget::ClassInfo()}, EInvalidCast);
}

TEST(Object, DeleteRunsBeforeDestructionOnTheWholeObjectFirst) {
  std::vector<String> log;
  TObject* object = new TTracked(log);
  delete object;
  EXPECT_EQ(log, (std::vector<String>{"before", "destructor"}));
}

TEST(Object, WeakReferenceClearsWhenTheObjectGoes) {
  auto* dog = new TDog;
  TWeakRef<TDog> ref(dog);
  TWeakRef<TDog> copy = ref;
  EXPECT_EQ(ref.Get(), dog);
  delete dog;
  EXPECT_EQ(ref.Get(), nullptr);
  EXPECT_FALSE(copy);
}
