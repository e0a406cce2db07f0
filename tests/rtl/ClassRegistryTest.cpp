#include "rtl/ClassRegistry.h"

#include <gtest/gtest.h>

#include "rtl/Component.h"

namespace {

class TRegBase : public TComponent {
  TAVREN_CLASS(TRegBase, TComponent)
 public:
  using TComponent::TComponent;
};
class TRegLeaf : public TRegBase {
  TAVREN_CLASS(TRegLeaf, TRegBase)
 public:
  using TRegBase::TRegBase;
};
class TRegControl : public TComponent {
  TAVREN_CLASS(TRegControl, TComponent)
 public:
  using TComponent::TComponent;
};
class TRegButton : public TRegControl {
  TAVREN_CLASS(TRegButton, TRegControl)
 public:
  using TRegControl::TRegControl;
};
class TRegHelper : public TComponent {
  TAVREN_CLASS(TRegHelper, TComponent)
 public:
  using TComponent::TComponent;
};
class TRegHelperChild : public TRegHelper {
  TAVREN_CLASS(TRegHelperChild, TRegHelper)
 public:
  using TRegHelper::TRegHelper;
};

}  // namespace

TAVREN_CLASS_IMPL(TRegBase)
TAVREN_CLASS_IMPL(TRegLeaf)
TAVREN_CLASS_IMPL(TRegControl)
TAVREN_CLASS_IMPL(TRegButton)
TAVREN_CLASS_IMPL(TRegHelper)
TAVREN_CLASS_IMPL(TRegHelperChild)

TEST(ClassRegistry, RegisteredClassesAreFoundByNameAndCreated) {
  RegisterClass(TRegLeaf::ClassInfo());
  EXPECT_EQ(GetClass("tregleaf"), TRegLeaf::ClassInfo());
  EXPECT_EQ(GetClass("TRegBase"), TRegBase::ClassInfo());  // ancestors come along
  EXPECT_EQ(FindClass("TComponent"), TComponent::ClassInfo());

  TComponent owner(nullptr);
  TComponentClass componentClass = FindClass("TRegLeaf");
  TComponent* created = componentClass.Create(&owner);
  EXPECT_EQ(created->ClassType(), TRegLeaf::ClassInfo());

  RegisterClass(TRegLeaf::ClassInfo());  // again: nothing happens
  static const TClassRecord namesake{"TRegLeaf", TComponent::ClassInfo(), nullptr, nullptr};
  try {
    RegisterClass(&namesake);
    ADD_FAILURE();
  } catch (const EFilerError& e) {
    EXPECT_EQ(e.Message(), "A class named TRegLeaf already exists");
  }

  UnRegisterClass(TRegLeaf::ClassInfo());
  EXPECT_EQ(GetClass("TRegLeaf"), nullptr);
  try {
    FindClass("TRegLeaf");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TRegLeaf not found");
  }
  UnRegisterClass(TRegBase::ClassInfo());
}

TEST(ClassRegistry, ClassGroupsGatherDescendants) {
  StartClassGroup(TRegControl::ClassInfo());
  GroupDescendentsWith(TRegHelper::ClassInfo(), TRegControl::ClassInfo());
  RegisterClasses({TRegButton::ClassInfo(), TRegHelperChild::ClassInfo()});

  EXPECT_EQ(ClassGroupOf(TRegButton::ClassInfo()), TRegControl::ClassInfo());
  EXPECT_EQ(ClassGroupOf(TRegHelperChild::ClassInfo()), TRegControl::ClassInfo());
  EXPECT_EQ(ClassGroupOf(TComponent::ClassInfo()), TPersistent::ClassInfo());

  // Every group is searched until one is picked; the TPersistent group always is.
  EXPECT_EQ(GetClass("TRegButton"), TRegButton::ClassInfo());
  EXPECT_EQ(ActivateClassGroup(TPersistent::ClassInfo()), nullptr);
  EXPECT_EQ(GetClass("TRegButton"), nullptr);
  EXPECT_EQ(GetClass("TComponent"), TComponent::ClassInfo());
  EXPECT_EQ(ActivateClassGroup(TRegButton::ClassInfo()), TPersistent::ClassInfo());
  EXPECT_EQ(GetClass("TRegHelperChild"), TRegHelperChild::ClassInfo());
  ActivateClassGroup(nullptr);

  UnRegisterClasses({TRegButton::ClassInfo(), TRegHelperChild::ClassInfo(), TRegControl::ClassInfo(),
                     TRegHelper::ClassInfo()});
}
