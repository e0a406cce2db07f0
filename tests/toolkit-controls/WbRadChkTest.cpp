// The check box: its state cycle by mouse, Space and accelerator, read-only, glyph place and size.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/controls/WbRadChk.h"
#include "user/VirtualKeys.h"
#include "vcl/ActnList.h"

namespace {

struct Clicks : TObject {
  int Count = 0;
  void Click(TObject*) { ++Count; }
};

class WbCheckBoxTest : public VclTest {
 protected:
  TWbCheckBox* NewBox() {
    TForm* form = NewForm(100, 100, 300, 200);
    form->SetBorderStyle(bsNone);
    auto* box = new TWbCheckBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 115, 17);
    box->SetCaption("&Mute");
    box->SetOnClick(MakeEvent<&Clicks::Click>(&clicks));
    form->Show();
    box->SetFocus();
    Settle();
    lastForm = form;
    return box;
  }
  TForm* form() { return lastForm; }
  TForm* lastForm = nullptr;
  POINT inside{100 + 15, 100 + 15};
  Clicks clicks;
};

}  // namespace

TEST_F(WbCheckBoxTest, ClicksCycleTheStates) {
  struct Case {
    bool AllowGrayed;
    TCheckBoxState After[3];
  };
  const Case kCases[] = {{true, {cbGrayed, cbChecked, cbUnchecked}}, {false, {cbChecked, cbUnchecked, cbChecked}}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.AllowGrayed);
    TWbCheckBox* box = NewBox();
    box->SetAllowGrayed(c.AllowGrayed);
    for (TCheckBoxState expected : c.After) {
      ScriptClick(inside);
      Settle();
      EXPECT_EQ(box->GetState(), expected);
    }
  }
  EXPECT_EQ(clicks.Count, 6);
}

TEST_F(WbCheckBoxTest, SpaceThenEscapeLeavesTheState) {
  TWbCheckBox* box = NewBox();
  InputKey(VK_SPACE, true, ' ');
  Settle();
  EXPECT_TRUE(box->IsPressed());
  InputKey(VK_ESCAPE, true);
  InputKey(VK_ESCAPE, false);
  InputKey(VK_SPACE, false);
  Settle();
  EXPECT_FALSE(box->IsPressed());
  EXPECT_EQ(box->GetState(), cbUnchecked);
  ScriptKeyPress(VK_SPACE);
  Settle();
  EXPECT_EQ(box->GetState(), cbChecked);
  EXPECT_EQ(clicks.Count, 1);
}

TEST_F(WbCheckBoxTest, ReadOnlyRefusesTheUserButNotTheCode) {
  TWbCheckBox* box = NewBox();
  box->SetReadOnly(true);
  ScriptKeyPress('M', kAlt, 'm');  // the accelerator, never clicked yet
  Settle();
  box->Perform(CM_DIALOGCHAR, 'm', 0);
  ScriptKeyPress(VK_SPACE);
  ScriptClick(inside);
  Settle();
  EXPECT_EQ(box->GetState(), cbUnchecked);
  EXPECT_EQ(clicks.Count, 0);
  box->SetChecked(true);
  EXPECT_EQ(box->GetState(), cbChecked);
  box->SetState(cbChecked);  // unchanged: no click
  EXPECT_EQ(clicks.Count, 1);
  box->SetReadOnly(false);
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'm', 0), 1);
  EXPECT_EQ(box->GetState(), cbUnchecked);
}

TEST_F(WbCheckBoxTest, GlyphPlaceAndCustomStrip) {
  TWbCheckBox* box = NewBox();
  EXPECT_EQ(box->GlyphRect(), TRect(0, 2, 13, 15));
  box->SetAlignment(taLeftJustify);
  EXPECT_EQ(box->GlyphRect(), TRect(102, 2, 115, 15));
  TBitmap strip;
  FillBitmap(strip, 9 * 11, 12, clRed);
  box->SetCustomGlyphs(&strip);
  EXPECT_TRUE(box->GetUseCustomGlyphs());
  EXPECT_EQ(box->GlyphRect().Width(), 11);
  EXPECT_EQ(box->GlyphRect().Height(), 12);
  TBitmap empty;
  box->SetCustomGlyphs(&empty);
  EXPECT_FALSE(box->GetUseCustomGlyphs());
  EXPECT_EQ(box->GlyphRect().Width(), 13);
}

TEST_F(WbCheckBoxTest, AnActionsCheckedReachesTheBoxWithoutAClick) {
  TWbCheckBox* box = NewBox();
  TAction action(form());
  action.SetChecked(true);
  box->SetAction(&action);
  EXPECT_TRUE(box->GetChecked());
  EXPECT_EQ(clicks.Count, 0);
  action.SetChecked(false);
  EXPECT_FALSE(box->GetChecked());
  EXPECT_EQ(clicks.Count, 0);
  EXPECT_FALSE(box->GetClicksDisabled());
  box->SetAction(nullptr);
}
