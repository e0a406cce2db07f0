#include <memory>

#include "EditTestEditor.h"
#include "EditorsTestSupport.h"
#include "toolkit/editors/kvEdit.h"

namespace {

// A container with the editors' styles, as an editor holds them.
class TStyledBox : public TkvContainer {
  TAVREN_CLASS(TStyledBox, TkvContainer)
 public:
  explicit TStyledBox(TComponent* AOwner, bool AInplace = false)
      : TkvContainer(AOwner, Classes()), inplace(AInplace) {}
  static TClasses Classes() {
    TClasses classes;
    classes.Style = TkvEditStyle::ClassInfo();
    return classes;
  }
  TkvEditStyle* Style(Byte State) { return static_cast<TkvEditStyle*>(GetStyles()->StyleOfState(State)); }
  bool IsInplace() override { return inplace; }
  bool inplace;
};
TAVREN_CLASS_IMPL(TStyledBox)

using EditStyles = EditorsTest;

TEST_F(EditStyles, StateStylesFollowTheNormalStyleAndShareItsBaseOnlyValues) {
  auto* box = new TStyledBox(form);
  EXPECT_EQ(box->Style(kvcsNormal)->GetButtonStyle(), btsDefault);
  box->Style(kvcsNormal)->SetButtonStyle(btsFlat);
  EXPECT_EQ(box->Style(kvcsHot)->GetButtonStyle(), btsFlat);
  box->Style(kvcsHot)->SetButtonStyle(btsHotFlat);
  EXPECT_EQ(box->Style(kvcsHot)->GetButtonStyle(), btsHotFlat);
  EXPECT_EQ(box->Style(kvcsNormal)->GetButtonStyle(), btsFlat);
  box->Style(kvcsFocused)->SetGradient(true);
  EXPECT_TRUE(box->Style(kvcsNormal)->GetGradient());
  EXPECT_TRUE(box->Style(kvcsNormal)->GetAssignedValues().Contains(svGradient));
  EXPECT_FALSE(box->Style(kvcsFocused)->GetAssignedValues().Contains(svGradient));
  box->Style(kvcsDisabled)->SetShowPopupCloseButton(false);
  EXPECT_FALSE(box->Style(kvcsNormal)->GetShowPopupCloseButton());
  EXPECT_EQ(box->Style(kvcsNormal)->GetGradientDirection(), dirDown);
  String name;
  EXPECT_TRUE(box->Style(kvcsNormal)->StyleValueName(svGradientDirection, name));
  EXPECT_EQ(name, "GradientDirection");
  EXPECT_EQ(box->Style(kvcsNormal)->StyleValueCount(), 16);
}

TEST_F(EditStyles, ControllerValuesReachStylesThatDoNotAssignThem) {
  std::unique_ptr<TkvEditStyleController> controller(new TkvEditStyleController(nullptr));
  controller->GetStyle()->SetButtonTransparency(ebtHideInactive);
  auto* own = new TStyledBox(form);
  auto* shared = new TStyledBox(form);
  for (TStyledBox* box : {own, shared}) box->Style(kvcsNormal)->SetStyleController(controller.get());
  own->Style(kvcsNormal)->SetButtonTransparency(ebtNone);
  EXPECT_EQ(shared->Style(kvcsNormal)->GetButtonTransparency(), ebtHideInactive);
  EXPECT_EQ(shared->Style(kvcsHot)->GetButtonTransparency(), ebtHideInactive);
  EXPECT_EQ(own->Style(kvcsNormal)->GetButtonTransparency(), ebtNone);
  EXPECT_TRUE(shared->Style(kvcsNormal)->IsValueAssigned(svButtonTransparency));
}

TEST_F(EditStyles, DefaultControllerServesEditorsButNotInPlaceOnes) {
  ASSERT_NE(DefaultEditStyleController(), nullptr);
  auto* box = new TStyledBox(form);
  auto* inplace = new TStyledBox(form, true);
  EXPECT_EQ(box->Style(kvcsNormal)->DefaultStyleController(), DefaultEditStyleController());
  EXPECT_EQ(inplace->Style(kvcsNormal)->DefaultStyleController(), nullptr);
}

TEST_F(EditStyles, DestroyingAControllerMovesItsEditorsToTheDefaultOne) {
  auto* controller = new TkvEditStyleController(nullptr);
  controller->GetStyle()->SetButtonStyle(btsOffice11);
  auto* box = new TStyledBox(form);
  box->Style(kvcsNormal)->SetStyleController(controller);
  EXPECT_EQ(box->Style(kvcsNormal)->GetButtonStyle(), btsOffice11);
  delete controller;
  EXPECT_EQ(box->Style(kvcsNormal)->EffectiveStyleController(), DefaultEditStyleController());
  EXPECT_EQ(box->Style(kvcsNormal)->GetButtonStyle(), btsDefault);

  // An editor shown with the controller's colour paints with the default one's afterwards.
  controller = new TkvEditStyleController(nullptr);
  controller->GetStyle()->SetColor(clYellow);
  form->Show();
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 100, 24);
  edit->GetEditStyle()->SetStyleController(controller);
  Pump();
  EXPECT_EQ(FormPixel(40, 20), static_cast<TColor>(ColorToRGB(clYellow)));
  delete controller;
  Pump();
  EXPECT_EQ(FormPixel(40, 20), static_cast<TColor>(ColorToRGB(clWindow)));
}

}  // namespace
