#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "EditTestProperties.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"

namespace {


class CountingProvider : public TkvCustomEditDefaultValuesProvider {
  TAVREN_CLASS(CountingProvider, TkvCustomEditDefaultValuesProvider)
 public:
  using TkvCustomEditDefaultValuesProvider::TkvCustomEditDefaultValuesProvider;
  TAlignment ProvidedAlignment() override { return taRightJustify; }
  double ProvidedMaxValue() override { return 50; }
  bool ProvidedReadOnly() override { return readOnly; }
  bool ProvidedCanModify() override { return canModify; }
  bool readOnly = false;
  bool canModify = true;
};
TAVREN_CLASS_IMPL(CountingProvider)

TEST(EditAlignment, SetHorzMarksAssignedEvenAtTheDefaultAndVertStoresOnlyADifference) {
  TkvEditAlignment alignment(nullptr);
  Integer changes = 0;
  struct Counter : TObject {
    Integer* n = nullptr;
    void Changed(TObject*) { ++*n; }
  } counter;
  counter.n = &changes;
  alignment.SetOnChanged(MakeEvent<&Counter::Changed>(&counter));
  EXPECT_FALSE(alignment.IsHorzStored());
  alignment.SetHorz(taLeftJustify);
  EXPECT_TRUE(alignment.IsHorzStored());
  alignment.SetHorz(taLeftJustify);
  alignment.SetVert(taTopJustify);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(alignment.IsVertStored());
  alignment.SetVert(taVCenter);
  EXPECT_TRUE(alignment.IsVertStored());
  alignment.Reset();
  EXPECT_FALSE(alignment.IsHorzStored());
  EXPECT_EQ(changes, 3);
}

TEST(EditProperties, BoundsSetTheirFlagAndNotifyOnce) {
  TTestEditProperties properties(nullptr);
  ChangeCounter counter;
  counter.Attach(&properties);
  properties.SetMaxValue(0);
  EXPECT_TRUE(properties.GetAssignedValues()->GetMaxValue());
  EXPECT_EQ(counter.count, 1);
  properties.SetMaxValue(0);
  EXPECT_EQ(counter.count, 1);
  properties.SetReadOnly(false);
  EXPECT_TRUE(properties.IsReadOnlyStored());
  EXPECT_EQ(counter.count, 2);
}

TEST(EditProperties, AssignKeepsAnUnassignedBoundUnassigned) {
  TTestEditProperties source(nullptr), target(nullptr);
  target.SetMinValue(5);
  source.SetValidateOnEnter(true);
  target.Assign(&source);
  EXPECT_FALSE(target.GetAssignedValues()->GetMinValue());
  EXPECT_EQ(target.GetMinValue(), 0);
  EXPECT_TRUE(target.GetValidateOnEnter());
  source.SetMaxValue(7);
  target.Assign(&source);
  EXPECT_TRUE(target.GetAssignedValues()->GetMaxValue());
  EXPECT_EQ(target.GetMaxValue(), 7);
}

TEST(EditProperties, NestedLocksNotifyOnceAtTheOutermostUnlockAndNeverWithoutNotify) {
  struct Case {
    bool notify;
    Integer expected;
  };
  for (Case c : {Case{true, 1}, Case{false, 0}}) {
    TTestEditProperties properties(nullptr);
    ChangeCounter counter;
    counter.Attach(&properties);
    properties.LockChanges();
    properties.LockChanges();
    properties.SetAutoSelect(false);
    properties.SetBeepOnError(true);
    properties.SetClearKey(46);
    properties.UnlockChanges(true);
    EXPECT_EQ(counter.count, 0);
    properties.UnlockChanges(c.notify);
    EXPECT_EQ(counter.count, c.expected) << "notify " << c.notify;
    // An unmatched unlock is ignored.
    properties.UnlockChanges(true);
    EXPECT_EQ(counter.count, c.expected);
  }
}

TEST(EditProperties, ProviderSuppliesDefaultsUntilItGoes) {
  TTestEditProperties properties(nullptr);
  auto* provider = new CountingProvider(nullptr);
  properties.AttachDefaultValuesProvider(provider);
  EXPECT_EQ(properties.GetMaxValue(), 50);
  EXPECT_EQ(properties.GetAlignment()->GetHorz(), taRightJustify);
  EXPECT_FALSE(properties.GetAlignment()->IsHorzStored());
  provider->readOnly = true;
  EXPECT_TRUE(properties.GetReadOnly());
  EXPECT_FALSE(properties.CanModify());
  properties.SetReadOnly(false);
  EXPECT_TRUE(properties.CanModify());
  delete provider;
  EXPECT_EQ(properties.GetDefaultValuesProvider(), nullptr);
  EXPECT_EQ(properties.GetMaxValue(), 0);
}

TEST(EditProperties, CanModifyFollowsReadOnlyAndTheProvider) {
  struct Case {
    int readOnly;  // -1 unassigned
    bool providerReadOnly, providerCanModify, withProvider, expected;
  };
  const Case cases[] = {
      {0, true, false, true, true},     {1, false, true, true, false},   {-1, false, false, true, false},
      {-1, false, true, true, true},    {-1, true, true, true, false},   {-1, false, true, false, true},
  };
  for (const Case& c : cases) {
    TTestEditProperties properties(nullptr);
    CountingProvider provider(nullptr);
    provider.readOnly = c.providerReadOnly;
    provider.canModify = c.providerCanModify;
    if (c.withProvider) properties.AttachDefaultValuesProvider(&provider);
    if (c.readOnly >= 0) properties.SetReadOnly(c.readOnly == 1);
    EXPECT_EQ(properties.CanModify(), c.expected) << "case " << (&c - cases);
    properties.AttachDefaultValuesProvider(nullptr);
  }
}

TEST(EditProperties, ADestroyingOwnerIsNotNotified) {
  auto* owner = new TComponent(nullptr);
  TTestEditProperties properties(owner);
  ChangeCounter counter;
  counter.Attach(&properties);
  owner->Destroying();
  properties.SetAutoSelect(false);
  EXPECT_EQ(counter.count, 0);
  delete owner;
}

TEST(EditProperties, DefaultValidationTextAndFeatures) {
  TTestEditProperties properties(nullptr);
  EXPECT_EQ(properties.DefaultValidationErrorText(0), "Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(properties.GetSupportedFeatures(), 0);
  properties.GetButtons()->AddButton();
  EXPECT_EQ(properties.GetSupportedFeatures(), 32);
  std::unique_ptr<TkvCustomEditProperties> copy(properties.NewOfSameClass());
  EXPECT_EQ(copy->ClassType(), TTestEditProperties::ClassInfo());
  EXPECT_EQ(copy->GetOwner(), nullptr);
}

TEST(EditPropertiesRegistry, KeepsOneEntryPerClassInCaseInsensitiveOrder) {
  TkvRegisteredClasses* registry = EditPropertiesRegistry();
  Integer before = registry->Count();
  registry->AddClass(TTestEditProperties::ClassInfo(), ResourceStringText(skvEditTextEditDescription));
  registry->AddClass(TTestEditProperties::ClassInfo(), ResourceStringText(skvEditTextEditDescription));
  registry->AddClass(TkvCustomEditProperties::ClassInfo(), ResourceStringText(skvEditBlobEditDescription));
  EXPECT_EQ(registry->Count(), before + 2);
  for (Integer i = 1; i < registry->Count(); ++i)
    EXPECT_LE(AnsiCompareText(registry->DescriptionAt(i - 1), registry->DescriptionAt(i)), 0);
  registry->RemoveClass(TTestEditProperties::ClassInfo());
  registry->RemoveClass(TkvCustomEditProperties::ClassInfo());
  EXPECT_EQ(registry->Count(), before);
}

TEST(EditPropertiesRegistry, LiveListHoldsEveryPropertiesObject) {
  auto* properties = new TTestEditProperties(nullptr);
  const auto& live = LivePropertiesList();
  EXPECT_NE(std::find(live.begin(), live.end(), properties), live.end());
  delete properties;
  EXPECT_EQ(std::find(live.begin(), live.end(), properties), live.end());
}

}  // namespace
