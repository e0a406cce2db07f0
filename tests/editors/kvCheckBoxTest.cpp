#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/editors/kvCheckBox.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "vcl/ActnList.h"
#include "user/VirtualKeys.h"
#include "vcl/StdCtrls.h"

namespace {

TEST(CheckBoxProperties, ValuesStayApartAndMapToStates) {
  TkvCheckBoxProperties p(nullptr);
  EXPECT_TRUE(p.GetDisplayGrayed().empty());
  EXPECT_FALSE(p.IsDisplayGrayedStored());
  EXPECT_EQ(p.GetDisplayChecked(), "True");
  EXPECT_FALSE(p.IsDisplayCheckedStored());
  // Equal to another value, or Null: refused outside loading.
  p.SetValueChecked(Variant(false));
  p.SetValueChecked(Null());
  EXPECT_TRUE(VarSameTypeAndValue(p.GetValueChecked(), Variant(true)));
  p.SetValueChecked(Variant(String("yes")));
  EXPECT_EQ(VarToStr(p.GetValueChecked()), "yes");
  EXPECT_TRUE(p.IsValueCheckedStored());
  p.SetDisplayGrayed("unknown");
  const std::pair<Variant, TkvCheckBoxState> cases[] = {
      {Variant(String("yes")), cbsChecked}, {Variant(false), cbsUnchecked}, {Variant(String("abc")), cbsGrayed},
      {Null(), cbsGrayed}};
  for (const auto& c : cases) EXPECT_EQ(p.StateOf(c.first), c.second) << VarToStr(c.first);
  EXPECT_EQ(p.EditValueToDisplayText(Variant(String("abc")), true), "unknown");
  EXPECT_FALSE(p.AcceptsEditValue(Variant(String("abc"))));
  EXPECT_TRUE(p.AcceptsEditValue(Null()));
}

class CheckBoxTest : public EditorsTest {
 protected:
  TkvCheckBox* MakeBox(const String& Caption = "Show &Preview") {
    auto* box = new TkvCheckBox(form);
    box->SetParent(form);
    box->SetCaption(Caption);
    box->SetBounds(10, 10, 140, 21);
    form->Show();
    Pump();
    return box;
  }
  POINT Inside(TkvCheckBox* Box) {
    TPoint p = Box->ClientToScreen(TPoint(8, 10));
    return POINT{p.X, p.Y};
  }
};

TEST_F(CheckBoxTest, StateWritesItsValue) {
  TkvCheckBox* box = MakeBox();
  EXPECT_EQ(box->GetState(), cbsUnchecked);
  EXPECT_TRUE(VarSameTypeAndValue(box->GetEditValueProp(), Variant(false)));
  box->SetChecked(true);
  EXPECT_TRUE(VarSameTypeAndValue(box->GetEditValueProp(), Variant(true)));
  box->SetState(cbsGrayed);
  EXPECT_TRUE(VarIsNull(box->GetEditValueProp()));
  EXPECT_EQ(box->CheckViewInfo()->State, cbsGrayed);
}

TEST_F(CheckBoxTest, SpaceTogglesAndCyclesThroughGrayedWhenAllowed) {
  TkvCheckBox* box = MakeBox();
  box->SetFocus();
  Pump();
  Integer clicks = 0;
  struct Counter : TObject {
    Integer* count;
    void Click(TObject*) { ++*count; }
  } counter;
  counter.count = &clicks;
  box->SetOnClick(MakeEvent<&Counter::Click>(&counter));
  ScriptKeyPress(VK_SPACE);
  Pump();
  EXPECT_EQ(box->GetState(), cbsChecked);
  EXPECT_EQ(clicks, 1);
  ScriptKeyPress(VK_SPACE);
  Pump();
  EXPECT_EQ(box->GetState(), cbsUnchecked);
  box->GetCheckBoxProperties()->SetAllowGrayed(true);
  const TkvCheckBoxState cycle[] = {cbsGrayed, cbsChecked, cbsUnchecked};
  for (TkvCheckBoxState expected : cycle) {
    ScriptKeyPress(VK_SPACE);
    Pump();
    EXPECT_EQ(box->GetState(), expected);
  }
}

TEST_F(CheckBoxTest, AClickTogglesOnlyWhenReleasedOverTheBox) {
  TkvCheckBox* box = MakeBox();
  ScriptClick(Inside(box));
  Pump();
  EXPECT_TRUE(box->GetChecked());
  TPoint outside = box->ClientToScreen(TPoint(200, 10));
  ScriptDrag(Inside(box), POINT{outside.X, outside.Y});
  Pump();
  EXPECT_TRUE(box->GetChecked());
}

TEST_F(CheckBoxTest, AcceleratorFocusesAndToggles) {
  TkvCheckBox* box = MakeBox();
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'P', 0), 1);
  Pump();
  EXPECT_TRUE(box->GetChecked());
}

TEST(CheckBoxPainting, GlyphStripImageByStateAndPress) {
  // Six images of one pixel's width, each its own colour.
  const TColor colours[] = {0x000010, 0x000020, 0x000030, 0x000040, 0x000050, 0x000060};
  TBitmap strip;
  strip.SetSize(6 * 4, 4);
  for (Integer i = 0; i < 6; ++i) {
    strip.GetCanvas()->GetBrush()->SetColor(colours[i]);
    strip.GetCanvas()->FillRect(TRect(i * 4, 0, i * 4 + 4, 4));
  }
  // The transparent colour is the strip's bottom-left pixel: keep it apart.
  strip.GetCanvas()->SetPixel(0, 3, 0x123456);
  TkvBitmap target(8, 8);
  struct Case {
    TkvCheckBoxState state;
    Integer button, count, image;
  } cases[] = {{cbsUnchecked, kvcbsNormal, 6, 0}, {cbsChecked, kvcbsNormal, 6, 1}, {cbsGrayed, kvcbsNormal, 6, 2},
               {cbsChecked, kvcbsPressed, 6, 4}, {cbsGrayed, kvcbsPressed, 6, 5}, {cbsChecked, kvcbsPressed, 4, 1}};
  for (const Case& c : cases) {
    std::unique_ptr<TBitmap> glyph(new TBitmap());
    glyph->Assign(&strip);
    if (c.count == 4) glyph->SetWidth(16);
    PaintCheckArea(target.GetkvCanvas(), TRect(0, 0, 4, 4), c.state, c.button, glyph.get(), c.count, cbs3D, false,
                   clBlack, clWhite, true, false, false, true, nullptr, nssGrayedChecked);
    EXPECT_EQ(ColorToRGB(target.GetCanvas()->GetPixel(2, 1)), colours[c.image]) << c.state << " " << c.button;
  }
}

TEST(CheckBoxPainting, NullStyleDecidesTheGrayedLook) {
  auto paint = [](TkvCheckBoxState State, TkvCheckBoxNullValueShowingStyle Null) {
    TkvBitmap target(13, 13);
    PaintCheckArea(target.GetkvCanvas(), TRect(0, 0, 13, 13), State, kvcbsNormal, nullptr, 0, cbs3D, false, clBlack,
                   clWhite, true, false, false, true, nullptr, Null);
    TRGBColors pixels;
    target.GetPixels(pixels);
    return pixels;
  };
  EXPECT_EQ(paint(cbsGrayed, nssUnchecked), paint(cbsUnchecked, nssGrayedChecked));
  EXPECT_NE(paint(cbsGrayed, nssInactive), paint(cbsUnchecked, nssGrayedChecked));
  EXPECT_NE(paint(cbsGrayed, nssGrayedChecked), paint(cbsUnchecked, nssGrayedChecked));
}

using CheckBoxScreenshot = EditorsTest;

TEST_F(CheckBoxScreenshot, EachStateAndBorderStyle) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(10, 10, 620, 250);
  form->SetColor(clBtnFace);
  const std::pair<TkvEditBorderStyle, const char*> borders[] = {
      {ebsNone, "None"}, {ebsSingle, "Single"}, {ebsThick, "Thick"}, {ebsFlat, "Flat"}, {ebs3D, "3D"},
      {ebsUltraFlat, "UltraFlat"}, {ebsOffice11, "Office11"}};
  const char* states[] = {"Unchecked", "Checked", "Grayed", "Disabled"};
  for (Integer b = 0; b < 7; ++b) {
    auto* title = new TLabel(form);
    title->SetParent(form);
    title->SetCaption(borders[b].second);
    title->SetBounds(10, 34 + b * 28, 80, 16);
    for (Integer s = 0; s < 4; ++s) {
      auto* box = new TkvCheckBox(form);
      box->SetParent(form);
      box->GetEditStyle()->SetBorderStyle(borders[b].first);
      box->GetCheckBoxProperties()->SetAllowGrayed(true);
      box->SetCaption(states[s]);
      box->SetBounds(90 + s * 130, 30 + b * 28, 125, 21);
      box->SetState(s == 3 ? cbsChecked : static_cast<TkvCheckBoxState>(s));
      if (s == 3) box->SetEnabled(false);
    }
  }
  form->Show();
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-check-boxes.png"));
}

}  // namespace

namespace {

TEST_F(CheckBoxTest, AnActionsCheckedDrivesTheBox) {
  TkvCheckBox* box = MakeBox();
  TAction action(form);
  action.SetCaption("Show &Preview");
  action.SetChecked(true);
  box->SetAction(&action);
  EXPECT_TRUE(box->GetChecked());
  EXPECT_FALSE(box->IsStateStored());
  action.SetChecked(false);
  EXPECT_FALSE(box->GetChecked());
  // A grayed box is not linked.
  box->SetState(cbsGrayed);
  action.SetChecked(true);
  EXPECT_EQ(box->GetState(), cbsGrayed);
  box->SetAction(nullptr);
}

}  // namespace

namespace {

TEST_F(CheckBoxTest, AFilterRowPicksTheValueFromTheCheckedAndUncheckedTexts) {
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvCheckBoxProperties::ClassInfo());
  ASSERT_NE(dynamic_cast<TkvFilterCheckBoxHelper*>(helper), nullptr);
  TkvCheckBoxProperties box(nullptr);
  box.SetValueChecked(Variant("Y"));
  box.SetValueUnchecked(Variant("N"));
  box.SetDisplayChecked("Yes");
  box.SetDisplayUnchecked("No");
  struct Handler : TObject {
    void Changed(TObject*) {}
  } handler;
  box.SetOnChange(MakeEvent<&Handler::Changed>(&handler));
  auto* row = static_cast<TkvComboBox*>(static_cast<TClass>(helper->FilterEditorClass())->Create(form));
  row->SetParent(form);
  helper->InitEditorForFilter(row, &box);
  TkvComboBoxProperties* combo = row->GetActiveComboBoxProperties();
  ASSERT_EQ(combo->GetItems()->GetCount(), 2);
  EXPECT_EQ(combo->GetItems()->GetStrings(0), "Yes");
  EXPECT_EQ(combo->GetItems()->GetStrings(1), "No");
  EXPECT_EQ(combo->GetDropDownListStyle(), lsFixedList);
  EXPECT_FALSE(static_cast<bool>(combo->GetOnChange()));
  struct Case {
    Variant written;
    Integer item;
    Variant read;
    String text;
  };
  const Case kCases[] = {{Variant("N"), 1, Variant("N"), "No"},
                         {Variant("Y"), 0, Variant("Y"), "Yes"},
                         {Variant("?"), -1, Null(), ""}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    helper->WriteFilterValue(row, &box, c.written);
    EXPECT_EQ(row->GetItemIndex(), c.item);
    Variant value;
    String text = "-";
    helper->ReadFilterValue(row, &box, value, text);
    EXPECT_TRUE(VarSameTypeAndValue(value, c.read));
    EXPECT_EQ(text, c.text);
  }
  EXPECT_EQ(helper->FilterOperatorSet(nullptr, true), TkvFilterOperators(0x606));
  EXPECT_TRUE(helper->FiltersByDisplayText());
  delete row;
}

}  // namespace
