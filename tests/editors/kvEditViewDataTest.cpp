#include <algorithm>
#include <memory>
#include <string>

#include "EditTestEditor.h"
#include "EditorsTestSupport.h"
#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"
#include "gdi/UxTheme.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvGeometry.h"
#include "user/InputEvents.h"
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

// The pixels of a button of an editor placed at (Left, Top) on the form, by colour.
std::vector<TColor> ButtonPixels(HeadlessBackend& Screen, TForm* Form, TTestEdit* Edit, Integer Index) {
  PixelImage image = Screen.WindowImage(Form->GetHandle());
  const TRect b = Edit->GetEditViewInfo()->Buttons[Index]->Bounds;
  std::vector<TColor> pixels;
  for (Integer y = b.Top; y < b.Bottom; ++y)
    for (Integer x = b.Left; x < b.Right; ++x) {
      uint32_t p = image.pixels[static_cast<size_t>(Edit->GetTop() + y) * image.width + Edit->GetLeft() + x];
      pixels.push_back(static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)));
    }
  return pixels;
}

// A disabled caption is drawn twice: in the highlight colour one pixel down and right, then in the
// shadow colour over it, so every highlight pixel has a shadow pixel up and left of it.
TEST_F(EditPainting, ADisabledTextButtonShowsItsCaptionEmbossed) {
  form->Show();
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 100, 24);
  TkvEditButton* button = edit->Props()->GetButtons()->AddButton();
  button->SetKind(bkText);
  button->SetCaption("W");
  button->SetWidth(24);
  edit->SetEnabled(false);
  Pump();
  const TRect b = edit->GetEditViewInfo()->Buttons[0]->Bounds;
  const Integer w = b.Right - b.Left;
  std::vector<TColor> pixels = ButtonPixels(screen, form, edit, 0);
  const TColor highlight = static_cast<TColor>(ColorToRGB(clBtnHighlight));
  const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
  Integer highlights = 0, shadows = 0, text = 0;
  // The frame lines lie outside the two pixels kept clear on each side.
  for (Integer y = 2; y < b.Bottom - b.Top - 2; ++y)
    for (Integer x = 2; x < w - 2; ++x) {
      TColor c = pixels[y * w + x];
      shadows += c == shadow;
      text += c == static_cast<TColor>(ColorToRGB(clBtnText));
      if (c != highlight) continue;
      ++highlights;
      EXPECT_EQ(pixels[(y - 1) * w + x - 1], shadow) << x << "," << y;
    }
  EXPECT_GT(highlights, 0);
  EXPECT_GT(shadows, 0);
  EXPECT_EQ(text, 0);
}

// A simple button is drawn as a flat one while hot or pressed, and differently otherwise.
TEST_F(EditPainting, ASimpleButtonTurnsFlatWhileHotOrPressed) {
  form->SetBounds(20, 20, 300, 100);
  form->Show();
  TTestEdit* edits[2];
  const TkvEditButtonStyle kStyles[] = {btsSimple, btsFlat};
  for (int i = 0; i < 2; ++i) {
    edits[i] = new TTestEdit(form);
    edits[i]->SetParent(form);
    edits[i]->SetBounds(10, 10 + 40 * i, 100, 24);
    edits[i]->GetEditStyle()->SetButtonStyle(kStyles[i]);
    edits[i]->Props()->GetButtons()->AddButton()->SetKind(bkEllipsis);
  }
  Pump();
  EXPECT_NE(ButtonPixels(screen, form, edits[0], 0), ButtonPixels(screen, form, edits[1], 0));
  for (bool pressed : {false, true}) {
    std::vector<TColor> pixels[2];
    for (int i = 0; i < 2; ++i) {
      const TRect& b = edits[i]->GetEditViewInfo()->Buttons[0]->Bounds;
      const POINT on = edits[i]->ClientToScreen(TPoint{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2});
      const POINT away = edits[i]->ClientToScreen(TPoint{20, 12});
      InputMouseMove(on);
      if (pressed) InputMouseButton(on, MouseButton::Left, true);
      Pump();
      EXPECT_EQ(edits[i]->GetEditViewInfo()->Buttons[0]->State, pressed ? ebsPressed : ebsSelected);
      pixels[i] = ButtonPixels(screen, form, edits[i], 0);
      InputMouseMove(away);
      if (pressed) InputMouseButton(away, MouseButton::Left, false);
      Pump();
    }
    EXPECT_EQ(pixels[0], pixels[1]) << "pressed " << pressed;
  }
}

// A transparent editor shows its parent's image behind its text; one in place paints nothing
// there, so what its host drew stays.
TEST_F(EditPainting, TransparentEditorsLeaveTheirBackgroundToTheirParentOrHost) {
  form->SetColor(clRed);
  form->Show();
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 100, 24);
  edit->SetTransparent(true);
  auto* inplace = new TTestEdit(form, true);
  inplace->SetParent(form);
  inplace->SetBounds(10, 50, 100, 24);
  inplace->SetTransparent(true);
  Pump();
  EXPECT_EQ(FormPixel(40, 22), static_cast<TColor>(ColorToRGB(clRed)));
  HDC dc = GetDC(inplace->GetHandle());
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  RECT all{0, 0, 100, 24};
  FillRect(dc, &all, green);
  DeleteObject(green);
  ReleaseDC(inplace->GetHandle(), dc);
  InvalidateRect(inplace->GetHandle(), nullptr, FALSE);
  Pump();
  EXPECT_EQ(FormPixel(40, 62), static_cast<TColor>(RGB(0, 255, 0)));
}

// A host's custom drawing: each event that says Done replaces that part of the painting, and the
// background event is asked only in place.
struct CustomDrawer : TObject {
  std::vector<String> log;
  bool claim = true;
  void Paint(TObject*, TkvCanvas*) { log.push_back("paint"); }
  void Background(TObject*, TkvCanvas* Canvas, bool& Done) {
    log.push_back(Canvas ? "background" : "asked");
    if (Canvas) FillRectColor(Canvas, TRect(0, 0, 100, 24), clLime);
    Done = claim;
  }
  void Button(TObject* Sender, TkvCanvas* Canvas, Integer Index, bool& Done) {
    if (!Canvas) return;
    log.push_back("button " + IntToStr(Index));
    FillRectColor(Canvas, static_cast<TkvCustomEditViewInfo*>(Sender)->Buttons[Index]->Bounds, clYellow);
    Done = claim;
  }
};

TEST_F(EditPainting, CustomDrawEventsReplaceThePartsTheyClaim) {
  form->Show();
  struct Case {
    bool inplace, claim;
    std::vector<String> log;
    TColor text, button;
  };
  const Case cases[] = {
      {true, true, {"paint", "background", "button 0"}, clLime, clYellow},
      {false, true, {"paint", "button 0"}, clWindow, clYellow},
      {true, false, {"paint", "background", "button 0"}, clWindow, clBtnFace},
  };
  for (const Case& c : cases) {
    auto* edit = new TTestEdit(form, c.inplace);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 100, 24);
    edit->Props()->GetButtons()->AddButton()->SetKind(bkText);
    CustomDrawer drawer;
    drawer.claim = c.claim;
    Pump();
    TkvCustomEditViewInfo* info = edit->GetEditViewInfo();
    info->OnPaint = MakeEvent<&CustomDrawer::Paint>(&drawer);
    info->SetDrawBackgroundHandler(MakeEvent<&CustomDrawer::Background>(&drawer));
    info->OnDrawButton = MakeEvent<&CustomDrawer::Button>(&drawer);
    edit->Invalidate();
    Pump();
    EXPECT_EQ(drawer.log, c.log) << "in place " << c.inplace << ", claim " << c.claim;
    const TRect b = info->Buttons[0]->Bounds;
    EXPECT_EQ(FormPixel(10 + 20, 10 + 12), static_cast<TColor>(ColorToRGB(c.text)));
    EXPECT_EQ(FormPixel(10 + (b.Left + b.Right) / 2, 10 + b.Top + 3), static_cast<TColor>(ColorToRGB(c.button)));
    EXPECT_EQ(info->HasCustomBackground(), c.inplace && c.claim);
    EXPECT_EQ(info->IsBackgroundBorrowed(), c.inplace && c.claim);
    delete edit;
  }
}

// Visual styles in use: the theme draws the frame and the button's face; the editor fills the
// theme's content rectangle and draws the button's content inside the theme's margins.
TEST_F(EditPainting, ANativeEditorLeavesItsFrameAndButtonFacesToTheTheme) {
  LoggingTheme theme;
  SetThemeProvider(&theme);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
  form->Show();
  auto* edit = new TTestEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 100, 24);
  edit->GetEditStyle()->GetLookAndFeel()->SetNativeStyle(true);
  edit->GetEditStyle()->SetBorderStyle(ebsSingle);
  edit->Props()->GetButtons()->AddButton()->SetKind(bkEllipsis);
  Pump();
  theme.log.clear();
  edit->Invalidate();
  Pump();
  TkvCustomEditViewInfo* info = edit->GetEditViewInfo();
  ASSERT_TRUE(info->NativeStyle);
  const TRect b = info->Buttons[0]->Bounds;
  const std::string button = "Button 1," + std::to_string(info->Buttons[0]->NativeState) + " " +
                             std::to_string(b.Right - b.Left) + "x" + std::to_string(b.Bottom - b.Top);
  EXPECT_EQ(theme.log, (std::vector<std::string>{"Edit 1," + std::to_string(info->NativeState) + " 100x" + std::to_string(info->Bounds.Bottom), button}));
  EXPECT_EQ(FormPixel(10, 10 + 12), static_cast<TColor>(0x800000));
  EXPECT_EQ(FormPixel(10 + 3, 10 + 12), ColorToRGB(clWindow));
  // The dots lie on the theme's face.
  EXPECT_EQ(FormPixel(10 + b.Left + 1, 10 + b.Top + 1), static_cast<TColor>(0x800000));
  delete edit;
  SetThemeProvider(nullptr);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
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
