// The masked edit: typing over entry places, deleting, abandoning and validating.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "user/VirtualKeys.h"
#include "vcl/Mask.h"

using MaskTest = VclTest;

TEST_F(MaskTest, TypingFillsEntryPlacesAndSkipsLiterals) {
  TForm* form = NewForm();
  auto* edit = new TMaskEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 120, 22);
  edit->SetEditMask("!00:00:00.000;1;_");
  form->Show();
  edit->SetFocus();
  Settle();
  EXPECT_EQ(edit->GetEditText(), "__:__:__.___");
  edit->SetSelStart(0);
  ScriptTypeText("12x345");  // x is refused with a beep
  Settle();
  EXPECT_EQ(edit->GetEditText(), "12:34:5_.___");
  EXPECT_EQ(edit->GetText(), "12:34:5 .   ");
  EXPECT_EQ(edit->GetSelStart(), 7);
  ScriptKeyPress(VK_BACK);
  ScriptKeyPress(VK_BACK);  // over the literal ':'
  Settle();
  EXPECT_EQ(edit->GetEditText(), "12:3_:__.___");
  EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
  EXPECT_EQ(edit->GetSelStart(), 4);
  try {
    edit->ValidateEdit();
  } catch (const EDBEditError& e) {
    EXPECT_EQ(e.Message(), SMaskEditErr);
  }
  ScriptKeyPress(VK_ESCAPE);
  Settle();
  EXPECT_EQ(edit->GetEditText(), "__:__:__.___");
  edit->SetText("01:02:03.004");
  EXPECT_EQ(edit->GetEditText(), "01:02:03.004");
  EXPECT_NO_THROW(edit->ValidateEdit());
}
