#include <memory>

#include "EditTestEditor.h"
#include "EditorsTestSupport.h"
#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"
#include "user/Painting.h"

namespace {

class EditViewData : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    edit = new TTestEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 100, 21);
    canvas = edit->GetKvCanvas();
  }
  TkvEditButton* AddButton(Integer Width, bool Left = false) {
    TkvEditButton* button = edit->Props()->GetButtons()->AddButton();
    button->SetWidth(Width);
    button->SetLeftAlignment(Left);
    return button;
  }
  // Lays the editor's Properties out for Bounds, as a grid cell or the editor would.
  void Compute(const TRect& Bounds, bool Focused = false, const TPoint& P = TPoint{-1, -1}) {
    data.reset(edit->MakeViewData());
    data->Focused = Focused;
    data->ComputeViewInfo(canvas, Bounds, P, 0, TShiftState{}, &info, false);
  }
  TTestEdit* edit = nullptr;
  TkvCanvas* canvas = nullptr;
  std::unique_ptr<TkvCustomEditViewData> data;
  TkvCustomEditViewInfo info;
};

TEST_F(EditViewData, HideInactiveShowsButtonsOnlyWhileFocused) {
  AddButton(16);
  AddButton(16);
  edit->GetEditStyle()->SetButtonTransparency(ebtHideInactive);
  Compute(TRect(0, 0, 100, 21), false);
  EXPECT_EQ(info.ButtonCount(), 0);
  Compute(TRect(0, 0, 100, 21), true);
  EXPECT_EQ(info.ButtonCount(), 2);
}

TEST_F(EditViewData, StretchedButtonsShareTheSpareWidthByTheirWidths) {
  struct Case {
    Integer spare, first, second;
  };
  edit->Props()->SetButtonsLayout(1);
  AddButton(10);
  AddButton(30);
  // The transparent border takes 2 pixels on each side; 40 are the buttons' own.
  for (Case c : {Case{40, 20, 60}, Case{41, 21, 60}}) {
    Compute(TRect(0, 0, 4 + 40 + c.spare, 21));
    ASSERT_EQ(info.ButtonCount(), 2);
    EXPECT_EQ(info.Buttons[0]->Bounds.Width(), c.first) << "spare " << c.spare;
    EXPECT_EQ(info.Buttons[1]->Bounds.Width(), c.second) << "spare " << c.spare;
    EXPECT_EQ(info.Buttons[0]->Bounds.Left, 2);
    EXPECT_EQ(info.Buttons[1]->Bounds.Right, 4 + 40 + c.spare - 2);
  }
}

TEST_F(EditViewData, LeftAndRightAlignedButtonsFrameTheText) {
  AddButton(20, true);
  AddButton(20, false);
  Compute(TRect(0, 0, 100, 21));
  ASSERT_EQ(info.ButtonCount(), 2);
  const TkvEditButtonViewInfo& left = *info.Buttons[0];
  const TkvEditButtonViewInfo& right = *info.Buttons[1];
  EXPECT_EQ(left.Bounds, TRect(2, 2, 22, 19));
  EXPECT_EQ(right.Bounds, TRect(78, 2, 98, 19));
  EXPECT_TRUE(left.GroupEnd);
  EXPECT_TRUE(right.GroupStart);
  EXPECT_EQ(info.ClientRect.Left, 22);
  EXPECT_EQ(info.ClientRect.Right, 78);
}

TEST_F(EditViewData, ShadowAddsThreeToTheRightAndBottomExtent) {
  edit->GetEditStyle()->SetTransparentBorder(false);
  edit->GetEditStyle()->SetBorderStyle(ebsSingle);
  TRect plain, shadowed;
  Compute(TRect(0, 0, 100, 21));
  data->GetBorderExtent(plain);
  edit->GetEditStyle()->SetShadow(true);
  Compute(TRect(0, 0, 100, 21));
  data->GetBorderExtent(shadowed);
  EXPECT_EQ(plain, TRect(1, 1, 1, 1));
  EXPECT_EQ(shadowed, TRect(1, 1, 4, 4));
  EXPECT_TRUE(info.Shadow);
}

TEST_F(EditViewData, ASizeRequestNarrowerThanBordersAndButtonsGetsItsWidth) {
  AddButton(30);
  data.reset(edit->MakeViewData());
  TSize size;
  TkvEditSizeRequest request;
  request.Width = 5;
  data->GetEditSize(canvas, Variant("x"), size, request);
  EXPECT_EQ(size.cx, 5);
  request.Width = 200;
  data->GetEditSize(canvas, Variant("x"), size, request);
  EXPECT_GT(size.cx, 30);
}

TEST_F(EditViewData, ButtonStyleAndPopupBorderFollowTheBorderStyle) {
  const TkvEditButtonStyle kButtons[] = {btsSimple, btsHotFlat, bts3D, btsFlat, bts3D, btsUltraFlat, btsOffice11};
  const TkvEditPopupBorderStyle kPopups[] = {epbsFlat,   epbsSingle, epbsSingle, epbsFlat,
                                             epbsSingle, epbsSingle, epbsSingle};
  AddButton(16);
  for (Integer border = ebsNone; border <= ebsOffice11; ++border) {
    edit->GetEditStyle()->SetBorderStyle(static_cast<TkvEditBorderStyle>(border));
    data.reset(edit->MakeViewData());
    EXPECT_EQ(data->GetButtonStyle(), kButtons[border]) << "border " << border;
    EXPECT_EQ(data->ResolvePopupBorderStyle(), kPopups[border]) << "border " << border;
  }
  edit->GetEditStyle()->SetButtonStyle(btsFlat);
  data.reset(edit->MakeViewData());
  EXPECT_EQ(data->GetButtonStyle(), btsFlat);
}

TEST_F(EditViewData, ButtonStatesFollowThePointAndTheLeftButton) {
  AddButton(20);
  Compute(TRect(0, 0, 100, 21), false, TPoint{85, 10});
  ASSERT_EQ(info.ButtonCount(), 1);
  EXPECT_EQ(info.Buttons[0]->State, ebsSelected);
  EXPECT_EQ(info.HotButton, 0);
  data->ComputeViewInfo(canvas, TRect(0, 0, 100, 21), TPoint{85, 10}, 1, TShiftState{ssLeft}, &info, true);
  EXPECT_EQ(info.Buttons[0]->State, ebsPressed);
  EXPECT_TRUE(info.MouseActivity);
  data->ComputeViewInfo(canvas, TRect(0, 0, 100, 21), TPoint{10, 10}, 0, TShiftState{ssLeft}, &info, true);
  EXPECT_EQ(info.Buttons[0]->State, ebsNormal);
  edit->Props()->GetButtons()->GetButton(0)->SetEnabled(false);
  Compute(TRect(0, 0, 100, 21), false, TPoint{85, 10});
  EXPECT_EQ(info.Buttons[0]->State, ebsDisabled);
}

TEST_F(EditViewData, ButtonMetrics) {
  TkvEditButtonViewInfo button;
  button.Kind = bkEllipsis;
  EXPECT_EQ(EditButtonWidth(canvas, &button), GetSystemMetrics(SM_CYHSCROLL));
  button.Width = 2;
  EXPECT_EQ(EditButtonWidth(canvas, &button), 4);
  const Integer kOffsets[] = {0, 4, 2, 2, 2, 2, 2};
  for (Integer style = btsDefault; style <= btsOffice11; ++style)
    EXPECT_EQ(EditButtonsContentVerticalOffset(canvas, static_cast<TkvEditButtonStyle>(style), false), kOffsets[style]);
  EXPECT_EQ(NativeInnerEditHeightCorrection(edit->GetProperties(), true), 0);
  AddButton(10);
  EXPECT_EQ(NativeInnerEditHeightCorrection(edit->GetProperties(), true), 1);
  EXPECT_EQ(NativeInnerEditHeightCorrection(edit->GetProperties(), false), 0);
}

}  // namespace

namespace {

using EditPainting = EditorsTest;

// Moving the hot state from one button to the other invalidates just those two buttons.
TEST_F(EditPainting, AHotButtonChangeRepaintsOnlyTheTwoButtons) {
  form->Show();
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 160, 24);
  for (int i = 0; i < 3; ++i) edit->Props()->GetButtons()->AddButton()->SetWidth(18);
  Pump();
  TkvCustomEditViewInfo* info = edit->GetEditViewInfo();
  auto center = [&](Integer i) {
    const TRect& b = info->Buttons[i]->Bounds;
    return TPoint{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  };
  edit->CalculateViewInfoAt(center(0), 0, TShiftState{}, true);
  Pump();
  edit->CalculateViewInfoAt(center(1), 0, TShiftState{}, true);
  EXPECT_EQ(info->HotButton, 1);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(edit->GetHandle(), region, FALSE);
  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  for (int i : {0, 1}) {
    const TRect& b = info->Buttons[i]->Bounds;
    HRGN button = CreateRectRgn(b.Left, b.Top, b.Right, b.Bottom);
    CombineRgn(expected, expected, button, RGN_OR);
    DeleteObject(button);
  }
  EXPECT_TRUE(EqualRgn(region, expected));
  DeleteObject(region);
  DeleteObject(expected);
}

// Ellipsis dots: two pixels square on a button wider than 11 pixels, one pixel otherwise.
TEST_F(EditPainting, EllipsisDotsFollowTheButtonWidth) {
  form->Show();
  struct Case {
    Integer width, dot;
  };
  for (Case c : {Case{12, 2}, Case{11, 1}}) {
    auto* edit = new TTestEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 50, 100, 24);
    TkvEditButton* button = edit->Props()->GetButtons()->AddButton();
    button->SetKind(bkEllipsis);
    button->SetWidth(c.width);
    Pump();
    const TRect b = edit->GetEditViewInfo()->Buttons[0]->Bounds;
    // The dots' height is the number of rows with text-coloured pixels.
    Integer rows = 0;
    for (Integer y = b.Top + 2; y < b.Bottom - 2; ++y) {
      bool dark = false;
      for (Integer x = b.Left + 2; x < b.Right - 2; ++x) dark = dark || FormPixel(10 + x, 50 + y) == static_cast<TColor>(ColorToRGB(clBtnText));
      rows += dark;
    }
    EXPECT_EQ(rows, c.dot) << "width " << c.width;
    delete edit;
  }
}

}  // namespace
