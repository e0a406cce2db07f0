// The framed edit: state colours, its own frame, hot tracking, Tab-on-Enter and validation messages.

#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "backend/ScriptedInput.h"
#include "gdi/Drawing.h"
#include "toolkit/controls/WbEdit.h"
#include "user/Painting.h"
#include "user/VirtualKeys.h"

namespace {

struct Validator : TObject {
  String Reply;
  void Error(TObject*, String& Message) { Message = Reply; }
};

class WbEditTest : public VclTest {
 protected:
  TWbMaskEdit* NewEdit(Integer Top = 10) {
    if (!form) {
      form = NewForm(100, 100, 300, 200);
      form->SetBorderStyle(bsNone);
    }
    auto* edit = new TWbMaskEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, Top, 120, 22);
    return edit;
  }
  TForm* form = nullptr;
};

}  // namespace

TEST_F(WbEditTest, ColoursFollowTheState) {
  TWbMaskEdit* edit = NewEdit();
  TWbMaskEdit* other = NewEdit(50);
  edit->SetFocusColor(clYellow);
  edit->SetReadOnlyColor(clAqua);
  form->Show();
  edit->SetFocus();
  Settle();
  EXPECT_EQ(edit->GetColor(), clYellow);
  other->SetFocus();
  Settle();
  EXPECT_EQ(edit->GetColor(), clWindow);
  edit->SetReadOnly(true);
  EXPECT_EQ(edit->GetColor(), clAqua);
  edit->SetReadOnly(false);
  edit->SetEnabled(false);
  EXPECT_EQ(edit->GetColor(), clBtnFace);
  EXPECT_FALSE(edit->IsColorStored());
  // A colour set while disabled becomes the normal colour; FocusColor follows only when equal.
  other->SetEnabled(false);
  other->SetColor(clLime);
  EXPECT_EQ(other->GetNormalColor(), clLime);
  EXPECT_EQ(other->GetFocusColor(), clLime);
  other->SetEnabled(true);
  EXPECT_EQ(other->GetColor(), clLime);
  edit->SetEnabled(true);
  edit->SetColor(clRed);
  EXPECT_EQ(edit->GetFocusColor(), clYellow);
}

TEST_F(WbEditTest, OwnFrameAndHotTracking) {
  TWbMaskEdit* edit = NewEdit();
  TWbMaskEdit* other = NewEdit(50);
  edit->SetFrameSides({sdLeft});
  edit->SetFrameHotTrack(true);
  EXPECT_TRUE(edit->GetFrameVisible());
  EXPECT_EQ(edit->GetFrameSides(), AllSides);
  edit->SetFrameColor(clRed);
  edit->SetFrameHotColor(clBlue);
  form->Show();
  other->SetFocus();
  InputMouseMove({0, 0});
  Settle();
  EXPECT_FALSE(edit->HasFocus());
  EXPECT_FALSE(edit->MouseOver());
  auto framePixel = [&] {
    HDC dc = GetWindowDC(edit->GetHandle());
    COLORREF c = GetPixel(dc, 0, 10);
    ReleaseDC(edit->GetHandle(), dc);
    return c & 0xFFFFFF;
  };
  EXPECT_EQ(framePixel(), 0x0000FFu);
  edit->SetFocus();
  Settle();
  EXPECT_EQ(framePixel(), 0xFF0000u);  // the hot style and colour while focused
  // With the theme on and the theme's framing preferred, the edit leaves its border alone.
  RecordingTheme theme;
  EXPECT_TRUE(edit->UsesThemedFraming());
  edit->SetFramingPreference(fpCustomFraming);
  EXPECT_FALSE(edit->UsesThemedFraming());
}

TEST_F(WbEditTest, ValidationMessagesComeFromTheHandler) {
  TWbMaskEdit* edit = NewEdit();
  edit->SetEditMask("!00:00:00.000;1;_");
  edit->SetEditText("12:3");
  Validator validator;
  edit->SetOnValidateError(MakeEvent<&Validator::Error>(&validator));
  struct Case {
    const char* Reply;
    const char* Message;
  };
  const Case kCases[] = {{"", SMaskEditErr}, {"Type a time like 00:01:30.000", "Type a time like 00:01:30.000"}};
  for (const auto& c : kCases) {
    validator.Reply = c.Reply;
    try {
      edit->ValidateEdit();
      ADD_FAILURE() << "no error";
    } catch (const EDBEditError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
}

TEST_F(WbEditTest, TabOnEnterMovesOnEvenWhenReadOnly) {
  TWbMaskEdit* edit = NewEdit();
  TWbMaskEdit* next = NewEdit(50);
  edit->SetTabOnEnter(true);
  edit->SetReadOnly(true);
  form->Show();
  edit->SetFocus();
  Settle();
  ScriptKeyPress(VK_RETURN);
  Settle();
  EXPECT_TRUE(next->Focused());
}
