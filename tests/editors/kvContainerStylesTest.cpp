#include <memory>

#include "EditorsTestSupport.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"

namespace {

// The unit's default controller for the length of a test, as the edit framework's start gives it.
class ContainerStyles : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    previousDefault = UnitDefaultStyleController();
    defaultController = new TkvStyleController(nullptr);
    SetUnitDefaultStyleController(defaultController);
  }
  void TearDown() override {
    EditorsTest::TearDown();
    SetUnitDefaultStyleController(previousDefault);
    delete defaultController;
  }
  TkvStyleController* previousDefault = nullptr;
  TkvStyleController* defaultController = nullptr;
};

TEST_F(ContainerStyles, StateStylesFallBackOnTheirRowOfTheBorderTable) {
  const TkvContainerBorderStyle kRows[4][7] = {
      {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
      {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
      {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
      {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
  };
  auto* container = new TTestContainer(form);
  for (bool hotTrack : {true, false}) {
    container->GetStyle()->SetHotTrack(hotTrack);
    for (Integer normal = cbsNone; normal <= cbsOffice11; ++normal) {
      container->GetStyle()->SetBorderStyle(static_cast<TkvContainerBorderStyle>(normal));
      for (Byte state = kvcsFocused; state <= kvcsHot; ++state) {
        SCOPED_TRACE(testing::Message() << "hot track " << hotTrack << ", normal " << normal << ", state "
                                        << int(state));
        // Without hot tracking only the disabled style keeps its own row.
        Byte row = (hotTrack || state == kvcsDisabled) ? state : kvcsNormal;
        EXPECT_EQ(container->GetStyles()->StyleOfState(state)->GetBorderStyle(), kRows[row][normal]);
      }
    }
  }
}

TEST_F(ContainerStyles, NormalStyleFallsBackByLookAndFeelAndStateStylesOnTheNormalOne) {
  auto* container = new TTestContainer(form);
  TkvContainerStyle* normal = container->GetStyle();
  const std::pair<TkvLookAndFeelKind, TkvContainerBorderStyle> kKinds[] = {
      {lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
  for (auto [kind, border] : kKinds) {
    normal->GetLookAndFeel()->SetKind(kind);
    EXPECT_EQ(normal->GetBorderStyle(), border);
  }
  TkvContainerStyle* disabled = container->GetStyleDisabled();
  EXPECT_EQ(disabled->GetBorderColor(), clBtnShadow);
  EXPECT_EQ(disabled->GetTextColor(), clBtnShadow);
  EXPECT_EQ(disabled->GetColor(), clBtnFace);
  normal->SetBorderColor(clRed);
  EXPECT_EQ(container->GetStyleHot()->GetBorderColor(), clRed);
  EXPECT_EQ(disabled->GetBorderColor(), clBtnShadow);
  disabled->SetTextColor(clBlue);
  EXPECT_EQ(disabled->GetTextColor(), clBlue);

  // Base-only values set on a state style land on the normal one; state values stay its own.
  container->GetStyleHot()->SetEdges(TkvBorders{bTop, bBottom});
  container->GetStyleHot()->SetBorderColor(clLime);
  EXPECT_EQ(normal->GetEdges(), (TkvBorders{bTop, bBottom}));
  EXPECT_TRUE(normal->GetAssignedValues().Contains(svEdges));
  EXPECT_FALSE(container->GetStyleHot()->GetAssignedValues().Contains(svEdges));
  EXPECT_EQ(normal->GetBorderColor(), clRed);
  EXPECT_EQ(container->GetStyleHot()->GetBorderColor(), clLime);

  // TransparentBorder is never reported assigned, even when it is.
  normal->SetTransparentBorder(false);
  EXPECT_TRUE(normal->GetAssignedValues().Contains(svTransparentBorder));
  EXPECT_FALSE(normal->IsValueAssigned(svTransparentBorder));
}

TEST_F(ContainerStyles, ValuesComeFromTheControllerUntilTheStyleHasItsOwn) {
  auto* controller = new TkvStyleController(form);
  auto* container = new TTestContainer(form);
  TkvContainerStyle* normal = container->GetStyle();
  normal->SetStyleController(controller);
  controller->GetNormalStyle()->SetTextColor(clMaroon);
  EXPECT_EQ(normal->GetTextColor(), clMaroon);
  EXPECT_TRUE(normal->IsValueAssigned(svTextColor));
  EXPECT_FALSE(normal->GetAssignedValues().Contains(svTextColor));
  normal->SetTextColor(clNavy);
  EXPECT_EQ(normal->GetTextColor(), clNavy);
  EXPECT_EQ(normal->GetStyleController(), controller);
  EXPECT_EQ(container->GetStyleFocused()->GetStyleController(), controller);

  // Setting the colour an assigned value already holds is no change.
  struct Counter : TObject {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
  } counter;
  controller->SetOnStyleChanged(MakeEvent<&Counter::Changed>(&counter));
  controller->GetNormalStyle()->SetTextColor(clMaroon);
  EXPECT_EQ(counter.changes, 0);
  controller->GetNormalStyle()->SetTextColor(clGreen);
  EXPECT_EQ(counter.changes, 1);
  EXPECT_EQ(normal->GetTextColor(), clNavy);
  controller->SetOnStyleChanged({});
}

TEST_F(ContainerStyles, AControllerThatWouldCloseACycleIsIgnored) {
  auto* a = new TkvStyleController(form);
  auto* b = new TkvStyleController(form);
  b->GetNormalStyle()->SetStyleController(a);
  a->GetNormalStyle()->SetStyleController(b);
  EXPECT_EQ(a->GetNormalStyle()->GetStyleController(), nullptr);
  EXPECT_EQ(b->GetNormalStyle()->GetStyleController(), a);
  a->GetNormalStyle()->SetStyleController(a);
  EXPECT_EQ(a->GetNormalStyle()->GetStyleController(), nullptr);
}

TEST_F(ContainerStyles, AFreedControllerHandsItsStylesToTheDefaultOneFontsFollowing) {
  defaultController->GetNormalStyle()->GetFont()->SetName("Tahoma");
  defaultController->GetNormalStyle()->GetFont()->SetSize(14);
  auto* controller = new TkvStyleController(nullptr);
  controller->GetNormalStyle()->GetFont()->SetSize(20);
  std::vector<TTestContainer*> containers;
  for (int i = 0; i < 3; ++i) {
    containers.push_back(new TTestContainer(form));
    containers.back()->GetStyle()->SetStyleController(controller);
    EXPECT_EQ(containers.back()->GetStyle()->GetFont()->GetSize(), 20);
  }
  delete controller;
  for (TTestContainer* container : containers) {
    EXPECT_EQ(container->GetStyle()->EffectiveStyleController(), defaultController);
    EXPECT_EQ(container->GetStyle()->GetStyleController(), nullptr);
    EXPECT_EQ(container->GetStyle()->GetFont()->GetSize(), 14);
  }
  EXPECT_EQ(defaultController->Listeners().size(), 3u);
}

TEST_F(ContainerStyles, StoredIsFontAssignedMarksTheFontWithoutFontValues) {
  RegisterClass(TTestContainer::ClassInfo());
  auto* root = new TForm(nullptr, 0);
  ReadComponentFromText(
      "object Root: TForm\n"
      "  object Box: TTestContainer\n"
      "    ParentFont = False\n"
      "    Style.IsFontAssigned = True\n"
      "    Style.Color = clYellow\n"
      "    StyleHot.BorderColor = clRed\n"
      "  end\n"
      "end\n",
      root);
  auto* box = dynamic_cast<TTestContainer*>(root->FindComponent("Box"));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->GetStyle()->GetAssignedValues().Contains(svFont));
  EXPECT_EQ(box->GetStyle()->GetColor(), clYellow);
  EXPECT_EQ(box->GetColor(), clYellow);
  EXPECT_EQ(box->GetStyleHot()->GetBorderColor(), clRed);
  delete root;
  UnRegisterClass(TTestContainer::ClassInfo());
}

TEST_F(ContainerStyles, AssignedStyleValuesRoundTripThroughFormText) {
  RegisterClass(TTestContainer::ClassInfo());
  auto* root = new TForm(nullptr, 0);
  auto* box = new TTestContainer(root);
  box->SetName("Box");
  box->SetParent(root);
  box->GetStyle()->SetBorderStyle(cbsSingle);
  box->GetStyle()->GetFont()->SetSize(12);
  box->GetStyleHot()->SetBorderColor(clRed);
  String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Style.BorderStyle = cbsSingle"), String::npos);
  EXPECT_NE(text.find("Style.IsFontAssigned = True"), String::npos);
  EXPECT_NE(text.find("StyleHot.BorderColor = clRed"), String::npos);
  // Unassigned values and base-only values of state styles are not written.
  EXPECT_EQ(text.find("Style.Color"), String::npos);
  EXPECT_EQ(text.find("StyleHot.Edges"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TTestContainer*>(copy->FindComponent("Box"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetStyle()->GetBorderStyle(), cbsSingle);
  EXPECT_EQ(read->GetStyle()->GetFont()->GetSize(), 12);
  EXPECT_EQ(read->GetStyleHot()->GetBorderColor(), clRed);
  EXPECT_FALSE(read->GetStyleHot()->GetAssignedValues().Contains(svEdges));
  delete copy;
  UnRegisterClass(TTestContainer::ClassInfo());
}

}  // namespace
