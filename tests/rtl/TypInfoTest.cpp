#include <gtest/gtest.h>

#include "StreamingFixtures.h"
#include "rtl/Writer.h"

namespace {

// Four sides behind one indexed getter and setter, each stored only when it is not zero.
class TTestSides : public TComponent {
  TAVREN_CLASS(TTestSides, TComponent)
 public:
  using TComponent::TComponent;
  Integer GetSide(Integer index) const { return FSides[index]; }
  void SetSide(Integer index, Integer value) { FSides[index] = value; }
  bool IsSideStored(Integer index) const { return FSides[index] != 0; }

 private:
  Integer FSides[4] = {};
};

// Redeclares Width with another default, as a descendant publishing an inherited property does.
class TTestWide : public TTestControl {
  TAVREN_CLASS(TTestWide, TTestControl)
 public:
  explicit TTestWide(TComponent* AOwner) : TTestControl(AOwner) { SetWidth(200); }
};

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TTestSides,
    PROPERTY_AS(Left, GetSide, SetSide).Indexed(0).Stored<&TTestSides::IsSideStored>(),
    PROPERTY_AS(Top, GetSide, SetSide).Indexed(1).Stored<&TTestSides::IsSideStored>(),
    PROPERTY_AS(Right, GetSide, SetSide).Indexed(2).Stored<&TTestSides::IsSideStored>(),
    PROPERTY_AS(Bottom, GetSide, SetSide).Indexed(3).Stored<&TTestSides::IsSideStored>())

TAVREN_CLASS_IMPL_PUBLISHED(TTestWide, PROPERTY(Width).Default(200))

TEST(TypInfo, PropertiesAreFoundThroughTheParentChainInDeclarationOrder) {
  EXPECT_NE(GetPropInfo(TTestForm::ClassInfo(), "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(TTestForm::ClassInfo(), "Nothing"), nullptr);
  EXPECT_FALSE(IsPublishedProp(TTestFont::ClassInfo(), "Caption"));

  // The redeclaration takes the ancestor's place in the list.
  std::vector<const TPropInfo*> parentList = GetPropList(TTestControl::ClassInfo());
  std::vector<const TPropInfo*> list = GetPropList(TTestWide::ClassInfo());
  ASSERT_EQ(list.size(), parentList.size());
  size_t width = 0;
  while (width < parentList.size() && std::string(parentList[width]->Name) != "Width") ++width;
  ASSERT_LT(width, list.size());
  EXPECT_STREQ(list[width]->Name, "Width");
  EXPECT_EQ(list[width]->DefaultValue, 200);
  EXPECT_EQ(GetPropInfo(TTestWide::ClassInfo(), "Width"), list[width]);
  EXPECT_STREQ(list[0]->Name, "Name");  // TComponent's own come first

  TTestWide wide(nullptr);
  wide.SetName("Wide");
  EXPECT_EQ(WriteComponentToText(&wide), "object Wide: TTestWide\n  Left = 0\n  Top = 0\nend\n");
}

TEST(TypInfo, AccessByNameConvertsEnumsAndSets) {
  TTestControl control(nullptr);
  SetEnumProp(&control, "Kind", "TKDCANCEL");
  EXPECT_EQ(control.GetKind(), tkdCancel);
  EXPECT_EQ(GetEnumProp(&control, "Kind"), "tkdCancel");
  SetSetProp(control.GetFont(), "Style", "[tfsItalic, tfsUnderline]");
  EXPECT_EQ(GetSetProp(control.GetFont(), "Style"), "tfsItalic,tfsUnderline");
  EXPECT_EQ(GetSetProp(control.GetFont(), "Style", true), "[tfsItalic,tfsUnderline]");
  SetOrdProp(&control, "Visible", 0);
  EXPECT_FALSE(control.GetVisible());
  SetStrProp(&control, "Caption", "c");
  EXPECT_EQ(GetStrProp(&control, "Caption"), "c");
  SetFloatProp(&control, "Ratio", 0.25);
  EXPECT_EQ(GetFloatProp(&control, "Ratio"), 0.25);

  const TTypeInfo* kind = &TTypeInfoOf<TTestKind>::Info;
  EXPECT_EQ(GetEnumName(kind, 1), "tkdDefault");
  EXPECT_EQ(GetEnumValue(kind, "tkdNone"), -1);

  EXPECT_THROW(SetEnumProp(&control, "Kind", "tkdNone"), EPropertyError);
  EXPECT_THROW(SetSetProp(control.GetFont(), "Style", "tfsBold,,tfsItalic"), EPropertyError);
  EXPECT_THROW(GetOrdProp(&control, "Missing"), EPropertyError);
  EXPECT_THROW(GetStrProp(&control, "Left"), EPropertyError);
  EXPECT_THROW(SetObjectProp(&control, "Font", nullptr), EPropertyError);  // read-only
  TTestFont font;
  EXPECT_THROW(SetObjectProp(&control, "Buddy", &font), EPropertyError);  // not a TTestControl
}

TEST(TypInfo, IndexedPropertiesShareAccessorsAndStoredPredicates) {
  TTestSides sides(nullptr);
  sides.SetName("Sides");
  SetOrdProp(&sides, "Right", 30);
  SetOrdProp(&sides, "Bottom", 40);
  EXPECT_EQ(sides.GetSide(2), 30);
  EXPECT_EQ(GetOrdProp(&sides, "Bottom"), 40);
  EXPECT_FALSE(IsStoredProp(&sides, GetPropInfo(&sides, "Left")));
  EXPECT_TRUE(IsStoredProp(&sides, GetPropInfo(&sides, "Right")));
  EXPECT_EQ(WriteComponentToText(&sides), "object Sides: TTestSides\n  Right = 30\n  Bottom = 40\nend\n");
}

TEST(TypInfo, PublishedMethodsAndFieldsAreFoundByName) {
  const TMethodInfo* click = FindPublishedMethod(TTestInheritedForm::ClassInfo(), "button1click");
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(MethodName(TTestForm::ClassInfo(), click->Code), "Button1Click");
  EXPECT_EQ(MethodName(TTestForm::ClassInfo(), TMethodCode{}), "");
  EXPECT_NE(FindPublishedField(TTestInheritedForm::ClassInfo(), "Button1"), nullptr);
  EXPECT_EQ(FindPublishedMethod(TTestControl::ClassInfo(), "Button1Click"), nullptr);

  TTestForm form(nullptr);
  TTestControl button(nullptr);
  SetMethodProp(&button, "OnClick", BindMethod(click->Code, &form));
  button.GetOnClick()(&button);
  EXPECT_EQ(form.Clicks, 1);
  EXPECT_EQ(GetMethodProp(&button, "OnClick").Data, &form);
}
