// The clip editor's controls, read from a form resource as the program lays them out, answering
// scripted mouse and keys.

#include <gtest/gtest.h>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/controls/WbBmpBtn.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/controls/WbSpnEdt.h"
#include "toolkit/controls/WbTrkBar.h"
#include "user/VirtualKeys.h"

class TClipControlsForm : public TForm {
  TAVREN_CLASS(TClipControlsForm, TForm)
 public:
  using TForm::TForm;
  TWbGroupBox* WbGroupBox1 = nullptr;
  TWbGroupBox* WbGroupBox2 = nullptr;
  TWbTrackBar* trbBrightness = nullptr;
  TWbTrackBar* trbContrast = nullptr;
  TWbTrackBar* trbVolume = nullptr;
  TWbBmpButton* btnResetEffect = nullptr;
  TWbMaskEdit* edtStart = nullptr;
  TWbMaskEdit* edtEnd = nullptr;
  TWbMaskEdit* edtLength = nullptr;
  TWbBmpButton* btnStartApply = nullptr;
  TWbSpinEdit* seLeft = nullptr;
  TWbSpinEdit* seTop = nullptr;
  TWbSpinEdit* seRight = nullptr;
  TWbSpinEdit* seBottom = nullptr;
  int TrackChanges = 0, CropChanges = 0, Applies = 0;

  void TrackChange(TObject*) { ++TrackChanges; }
  void CropChange(TObject*) { ++CropChanges; }
  void ApplyClick(TObject*) { ++Applies; }
  void ResetEffectClick(TObject*) {
    trbBrightness->SetPosition(0);
    trbContrast->SetPosition(0);
    trbVolume->SetPosition(100);
  }
  void StartValidateError(TObject*, String& Message) { Message = "Invalid input time, xx:xx:xx.xxx"; }
};

TAVREN_CLASS_IMPL_PUBLISHED(TClipControlsForm,
    FIELD(WbGroupBox1), FIELD(WbGroupBox2), FIELD(trbBrightness), FIELD(trbContrast), FIELD(trbVolume),
    FIELD(btnResetEffect), FIELD(edtStart), FIELD(edtEnd), FIELD(edtLength), FIELD(btnStartApply), FIELD(seLeft),
    FIELD(seTop), FIELD(seRight), FIELD(seBottom), METHOD(TrackChange), METHOD(CropChange), METHOD(ApplyClick),
    METHOD(ResetEffectClick), METHOD(StartValidateError))

namespace {

class ClipControlsTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterClasses({TClipControlsForm::ClassInfo()});
    Application()->CreateForm(form);
    forms.push_back(form);
    form->Show();
    Settle();
  }
  POINT At(TControl* Control, Integer X, Integer Y) {
    TPoint p = Control->ClientToScreen({X, Y});
    return {p.X, p.Y};
  }
  TClipControlsForm* form = nullptr;
};

}  // namespace

TEST_F(ClipControlsTest, ControlsComeFromTheFormResource) {
  ASSERT_NE(form->trbVolume, nullptr);
  EXPECT_EQ(form->trbBrightness->GetMin(), -127);
  EXPECT_EQ(form->trbVolume->GetMax(), 500);
  EXPECT_EQ(form->trbVolume->GetMin(), 50);
  EXPECT_EQ(form->trbVolume->GetTrackWidth(), 5);
  EXPECT_TRUE(form->trbVolume->GetTransparent());
  EXPECT_EQ(form->edtStart->GetEditMask(), "!00:00:00.000;1;_");
  EXPECT_EQ(form->edtStart->GetEditText(), "00:00:00.000");
  EXPECT_EQ(form->seLeft->GetFlatButtonColor(), clWhite);
  EXPECT_EQ(form->WbGroupBox1->GetCaption(), "Video");
  // The pictures came with the form: the button sized itself to its 56 x 24 bitmap.
  TWbBmpButton* reset = form->btnResetEffect;
  EXPECT_EQ(reset->GetBitmaps()->GetUp()->GetWidth(), 56);
  EXPECT_EQ(reset->GetBitmaps()->GetTransparentColor(), clOlive);
  EXPECT_EQ(reset->GetWidth(), 56);
  EXPECT_EQ(reset->GetHeight(), 24);
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-clip-editor-controls"));
}

TEST_F(ClipControlsTest, RespondToMouseAndKeys) {
  // Track bars: keys and a click on the track.
  TWbTrackBar* volume = form->trbVolume;
  volume->SetFocus();
  ScriptKeyPress(VK_END);
  Settle();
  EXPECT_EQ(volume->GetPosition(), 500);
  const TRect track = volume->GetTrackRect();
  ScriptClick(At(volume, track.Left + 2, (track.Top + track.Bottom) / 2));
  Settle();
  EXPECT_EQ(volume->GetPosition(), 499);  // one page (PageSize 1) toward the click
  form->trbBrightness->SetFocus();
  ScriptKeyPress(VK_RIGHT);
  Settle();
  EXPECT_EQ(form->trbBrightness->GetPosition(), 1);
  EXPECT_EQ(form->TrackChanges, 3);
  // The Reset bitmap button by mouse and by its accelerator.
  ScriptClick(At(form->btnResetEffect, 28, 12));
  Settle();
  EXPECT_EQ(volume->GetPosition(), 100);
  EXPECT_EQ(form->trbBrightness->GetPosition(), 0);
  // Mask edit: typed time, and the start field's own validation message.
  TWbMaskEdit* start = form->edtStart;
  start->SetFocus();
  start->SetSelStart(0);
  ScriptTypeText("0102");
  Settle();
  EXPECT_EQ(start->GetEditText(), "01:02:00.000");
  ScriptClick(At(form->btnStartApply, 28, 12));
  Settle();
  EXPECT_EQ(form->Applies, 1);
  start->SetEditText("01:0");
  try {
    start->ValidateEdit();
    ADD_FAILURE();
  } catch (const EDBEditError& e) {
    EXPECT_EQ(e.Message(), "Invalid input time, xx:xx:xx.xxx");
  }
  // Spin edits: arrow keys and the up button.
  TWbSpinEdit* left = form->seLeft;
  left->SetFocus();
  ScriptKeyPress(VK_UP);
  ScriptKeyPress(VK_UP);
  Settle();
  EXPECT_EQ(left->GetIntValue(), 2);
  TWbControlButton* up = form->seTop->GetButton(sbUp);
  ScriptClick(At(up, up->GetWidth() / 2, up->GetHeight() / 2));
  Settle();
  EXPECT_EQ(form->seTop->GetIntValue(), 1);
  EXPECT_GE(form->CropChanges, 3);
}
