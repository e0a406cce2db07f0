// The skin object model: values, change notification, lookup, copying and comparison.

#include <gtest/gtest.h>

#include "SkinsTestSupport.h"
#include "toolkit/skins/qzSkinsCore.h"

namespace {

class Counter : public TObject {
 public:
  void Changed(TObject*) { ++count; }
  TNotifyEvent Event() { return MakeEvent<&Counter::Changed>(this); }
  int count = 0;
};

class RaisingListener : public TkvIUnknownObject, public IqzSkinChangeListener {
 public:
  void SkinChanged(TqzSkin* ASkin) override {
    ++calls;
    updateCountSeen = ASkin->UpdateCount();
    if (raise) throw EqzSkin("listener failed");
  }
  bool raise = true;
  int calls = 0;
  Integer updateCountSeen = 0;
};

}  // namespace

TEST(SkinModel, ElementValuesAndNotifications) {
  TqzSkin skin("S", false, nullptr);
  TqzSkinElement* element = skin.AddGroup("Common")->AddElement("Button");
  Counter counter;
  skin.SetOnChange(counter.Event());

  element->SetImageCount(0);
  EXPECT_EQ(element->GetImageCount(), 1);
  element->SetImageCount(-3);
  EXPECT_EQ(element->GetImageCount(), 1);
  EXPECT_EQ(counter.count, 0) << "a value that is already held is no change";
  element->SetImageCount(3);
  EXPECT_EQ(counter.count, 1);

  struct ColorCase {
    TColor color;
    bool assigned;
  };
  for (const ColorCase& c : {ColorCase{clRed, true}, ColorCase{clNone, false}, ColorCase{clDefault, false},
                             ColorCase{clBlue, true}}) {
    element->SetColor(c.color);
    EXPECT_EQ(element->IsColorAssigned(), c.assigned) << c.color;
  }

  counter.count = 0;
  skin.BeginUpdate();
  element->SetImageCount(4);
  element->GetBorders()->GetLeft()->SetThin(3);
  EXPECT_EQ(counter.count, 0);
  skin.EndUpdate();
  EXPECT_EQ(counter.count, 1) << "a locked batch notifies once";
  skin.BeginUpdate();
  element->SetAlpha(10);
  skin.CancelUpdate();
  EXPECT_EQ(counter.count, 1) << "CancelUpdate ends the lock silently";
}

TEST(SkinModel, LookupAfterAddIsCaseSensitive) {
  TqzSkin skin("S", false, nullptr);
  TqzSkinControlGroup* group = skin.AddGroup("Editors");
  for (const char* name : {"Zeta", "alpha", "Mid"}) group->AddElement(name);
  EXPECT_EQ(group->GetElementByName("Mid")->GetName(), "Mid");
  TqzSkinElement* added = group->AddElement("Alpha");
  EXPECT_EQ(group->GetElementByName("Alpha"), added) << "the list is sorted again before the lookup";
  EXPECT_NE(group->GetElementByName("alpha"), added);
  EXPECT_EQ(group->GetElementByName("ALPHA"), nullptr);
  skin.AddColor("Content", clWhite);
  EXPECT_EQ(skin.GetColorByName("Content")->GetValue(), clWhite);
  EXPECT_EQ(skin.GetGroupByName("Editors"), group);
  EXPECT_EQ(skin.GetGroupByName("Missing"), nullptr);
}

TEST(SkinModel, DescriptionsAndColours) {
  struct Case {
    TClass cls;
    const char* description;
  };
  const Case cases[] = {{TqzSkinSizeProperty::ClassInfo(), "Size"},       {TqzSkinBorders::ClassInfo(), "Borders"},
                        {TqzSkinColor::ClassInfo(), "Color"},             {TqzSkinIntegerProperty::ClassInfo(), "Integer"},
                        {TqzSkinStringProperty::ClassInfo(), "String"},   {TqzSkinBorder::ClassInfo(), "Border"}};
  for (const Case& c : cases) {
    std::unique_ptr<TqzSkinCustomPersistentObject> p(NewSkinObject(c.cls, nullptr, "P"));
    EXPECT_EQ(static_cast<TqzSkinProperty*>(p.get())->GetDescription(), c.description);
  }
  EXPECT_EQ(SkinColorToARGB(RGB(1, 2, 3), 128), 0x80010203u);
}

TEST(SkinModel, ComparisonSeesEveryField) {
  TqzSkin skin("S", false, nullptr);
  TqzSkinControlGroup* group = skin.AddGroup("Common");
  TqzSkinElement* a = group->AddElement("E");
  TqzSkinElement* b = group->AddElement("E");
  EXPECT_TRUE(a->Compare(b));
  b->GetBorders()->GetLeft()->SetThin(2);
  EXPECT_FALSE(a->Compare(b)) << "the Thin of the left border differs";
  b->GetBorders()->GetLeft()->SetThin(1);
  static_cast<TqzSkinIntegerProperty*>(b->AddProperty("Grow", TqzSkinIntegerProperty::ClassInfo()))->SetValue(2);
  EXPECT_FALSE(a->Compare(b));
  static_cast<TqzSkinIntegerProperty*>(a->AddProperty("Grow", TqzSkinIntegerProperty::ClassInfo()))->SetValue(2);
  EXPECT_TRUE(a->Compare(b));
}

TEST(SkinModel, AssignAndCloneCopyTheWholeTree) {
  TqzSkin skin("Source", false, nullptr);
  LoadSkin(&skin, TinySkin().Bytes());
  std::unique_ptr<TqzSkin> clone(static_cast<TqzSkin*>(skin.Clone()));
  EXPECT_EQ(clone->GetName(), "Tiny");
  EXPECT_EQ(SaveSkin(clone.get()), SaveSkin(&skin));
  TqzSkinElement* mine = clone->GetGroupByName("Common")->GetElementByName("Button");
  EXPECT_TRUE(mine->Compare(skin.GetGroupByName("Common")->GetElementByName("Button")));
  EXPECT_EQ(mine->GetImage()->SourceName(), "Common\\Button_Image.png");
  mine->SetTextColor(clRed);
  EXPECT_NE(skin.GetGroupByName("Common")->GetElementByName("Button")->GetTextColor(), clRed) << "clones share nothing";

  TqzSkin target("Target", false, nullptr);
  target.AddGroup("Own");
  target.Assign(&skin);
  EXPECT_EQ(target.GroupCount(), 2) << "what was there stays";
  EXPECT_EQ(target.GetName(), "Target");
  TkvRect unrelated;
  EXPECT_THROW(target.Assign(&unrelated), EConvertError);
}

TEST(SkinModel, ARaisingListenerLeavesTheSkinUnlocked) {
  TqzSkin skin("S", false, nullptr);
  RaisingListener listener;
  skin.AddListener(&listener);
  EXPECT_THROW(skin.AddGroup("G"), EqzSkin);
  EXPECT_EQ(listener.calls, 1);
  EXPECT_EQ(listener.updateCountSeen, 1) << "listeners run under the skin's lock";
  EXPECT_EQ(skin.UpdateCount(), 0);
  listener.raise = false;
  skin.AddColor("C", clRed);
  EXPECT_EQ(listener.calls, 3) << "adding the colour and setting its value";
  skin.RemoveListener(&listener);
  skin.AddGroup("H");
  EXPECT_EQ(listener.calls, 3);
}
